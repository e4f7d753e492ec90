#include "ProtWin.h"

#include <Application.h>
#include <Autolock.h>
#include <Labels.h>
#include <Message.h>
#include <Messenger.h>

#include <stdio.h>

#include "PresenceMessages.h"

ProtWin* ProtWin::sProtWin = NULL;
uint32 ProtWin::sLastHanded = 0;


ProtWin::ProtWin(BRect frame)
	:
	BWindow(frame, getLabel(21), B_FLOATING_WINDOW, 0)
{
}


ProtWin::~ProtWin()
{
	if (sProtWin == this)
		sProtWin = NULL;
	printf("ProtWin: closed\n");
	BMessenger(be_app).SendMessage(kMsgRecordsClosed);
}


ProtWin*
ProtWin::getProtWin(BRect frame)
{
	if (sProtWin == NULL) {
		sProtWin = new ProtWin(frame);
		sProtWin->Show();
	}
	return sProtWin;
}


ProtWin*
ProtWin::Current()
{
	return sProtWin;
}


bool
ProtWin::HandOn(BMessage* message)
{
	ProtWin* window = sProtWin;
	if (window == NULL)
		return false;
	BAutolock lock(window);
	if (!lock.IsLocked() || sProtWin != window)
		return false;
	sLastHanded = message->what;
	window->MessageReceived(message);
	return true;
}


void
ProtWin::MessageReceived(BMessage* message)
{
	char code[5] = { (char)(message->what >> 24), (char)(message->what >> 16),
		(char)(message->what >> 8), (char)message->what, 0 };
	switch (message->what) {
		case kMsgDataProtocol:
		{
			const char* path = NULL;
			if (message->FindString("_tpath", &path) != B_OK)
				path = "empty";
			printf("ProtWin: '%s' %s\n", code, path);
			break;
		}
		case kMsgRelaySwitchedCode:
		case kMsgRelayTimeUpCode:
		case kMsgRelayDeadCode:
		{
			const char* image = NULL;
			if (message->FindString("_rImage", &image) != B_OK)
				image = "";
			printf("ProtWin: '%s' %s\n", code, image);
			break;
		}
		default:
			BWindow::MessageReceived(message);
	}
}
