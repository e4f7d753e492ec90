#include "ZLMApplication.h"

#include <Autolock.h>
#include <Message.h>

#include <stdio.h>

#include "Globals.h"
#include "PresenceMessages.h"
#include "ZLMWindow.h"


ZLMApplication::ZLMApplication()
	:
	BApplication("application/Zelmora"),
	fWindow(NULL)
{
	BRect frame(WIN_X, WIN_Y, WIN_X + WIN_W, WIN_Y + WIN_H);
	fWindow = new ZLMWindow(frame);
	fWindow->Show();
}


ZLMApplication::ZLMApplication(const char* signature)
	:
	BApplication(signature),
	fWindow(NULL)
{
}


ZLMApplication::~ZLMApplication()
{
}


ZLMWindow*
ZLMApplication::MainWindow() const
{
	// The window is the application's until it quits; once it is gone it
	// is no longer among the application's windows.
	for (int32 i = 0; i < CountWindows(); i++) {
		if (WindowAt(i) == (BWindow*)fWindow)
			return fWindow;
	}
	return NULL;
}


void
ZLMApplication::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case 'BRAW':
		case '_MDN':
		case '_MMV':
		case '_MUP':
			break;

		case kMsgTagRead:
		case kMsgShowPerson:
		case kMsgRowSelected:
		case kMsgPersonEdited:
		case kMsgSaveRegister:
		case kMsgOpenRegister:
		case kMsgRelayTimeUpCode:
		case kMsgRelaySwitchedCode:
		case kMsgRelayDeadCode:
		case kMsgOpenRecords:
		case kMsgDataProtocol:
		case kMsgRecordsClosed:
		case kMsgReloadPrefs:
		{
			ZLMWindow* window = MainWindow();
			if (window == NULL)
				break;
			BAutolock lock(window);
			if (lock.IsLocked())
				window->MessageReceived(message);
			break;
		}

		default:
			printf("ZLMApp ");
			message->PrintToStream();
			BApplication::MessageReceived(message);
	}
}
