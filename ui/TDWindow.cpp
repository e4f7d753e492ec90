// TDWindow: the picker in a window; the result is delivered as the window
// goes away.
#include "TDWindow.h"

#include <stdio.h>

#include <Message.h>

#include <Datum.h>

#include "TDStringView.h"
#include "TDView.h"
#include "TTextControl.h"

static const uint32 kMsgTick = 'TICK';
static const uint32 kMsgMouseMoved = '_MMV';
static const uint32 kMsgNewDateTime = 'TDnt';
static const uint32 kMsgNewTime = 'ERul';


static float
window_width(bool withTime, bool timeOnly)
{
	if (timeOnly)
		return 210;
	return withTime ? 270 : 230;
}


TDWindow::TDWindow(BRect frame, const char* title, TTextControl* control,
	bool withTime, bool timeOnly, const char* altText)
	:
	BWindow(BRect(frame.left, frame.top,
			frame.left + window_width(withTime, timeOnly), frame.top + 70),
		"TD_DATUM", B_MODAL_WINDOW, B_NOT_RESIZABLE),
	fControl(control),
	fPicker(NULL),
	fDone(0),
	fWithTime(withTime),
	fTimeOnly(timeOnly)
{
	SetTitle(title != NULL ? title : "");

	if (control != NULL) {
		if (timeOnly)
			fText = "99/99/9999 ";
		fText << control->Text();
	} else {
		// The current time in the picker's own order.
		long now = (long)time(NULL);
		Datum date(now, false);
		fText = date.Styled(30);
	}
	printf("\nTDWindow::TDWindow\n");
	printf("exbDatum: %s -a\n", fText.String());
	if (altText != NULL) {
		fText = altText;
		printf("altDatum: %s -s\n", fText.String());
	}
	printf("exbDatum: %s -s init\n", fText.String());

	fPicker = new TDView(fText.String(), Title(), TDView::kYearMonthDay,
		withTime, timeOnly);
	AddChild(fPicker);
}


TDWindow::~TDWindow()
{
	printf("TDWindow delete\n");
	_Deliver();
	if (fControl != NULL)
		fControl->PickerClosed(this);
	if (fPicker != NULL) {
		RemoveChild(fPicker);
		delete fPicker;
		fPicker = NULL;
	}
	printf("TDWindow done\n");
}


void
TDWindow::_Deliver()
{
	if (fPicker == NULL || fPicker->Field(kTDYear) == NULL)
		return;
	long year = fPicker->Field(kTDYear)->Value();
	long month = fPicker->Field(kTDMonth)->Value();
	long day = fPicker->Field(kTDDay)->Value();
	long hour = fPicker->Field(kTDHour)->Value();
	long minute = fPicker->Field(kTDMinute)->Value();
	long days = TagePerMonat(month - 1, year);
	if (day > days)
		day = days;

	char text[64];
	switch (fPicker->Format()) {
		case TDView::kMonthDayYear:
			snprintf(text, sizeof(text), "%02ld/%02ld/%04ld %02ld:%02ld",
				month, day, year, hour, minute);
			break;
		case TDView::kDayMonthYear:
			snprintf(text, sizeof(text), "%02ld/%02ld/%04ld %02ld:%02ld",
				day, month, year, hour, minute);
			break;
		default:
			snprintf(text, sizeof(text), "%04ld/%02ld/%02ld %02ld:%02ld",
				year, month, day, hour, minute);
			break;
	}
	long picked = fPicker->PickedTime();
	printf("bT %s {%ld}\n", text, days);
	Datum result(picked, false);
	printf("bD %s\n", result.Styled(30));

	if (fDone != 1 || fControl == NULL)
		return;
	if (fTimeOnly)
		snprintf(text, sizeof(text), "%02ld:%02ld", hour, minute);
	BWindow* window = fControl->Window();
	if (window == NULL || !window->Lock())
		return;
	fControl->SetText(text);
	fControl->Update();
	window->Unlock();

	BMessage message(fTimeOnly ? kMsgNewTime : kMsgNewDateTime);
	message.AddString("_newDate", text);
	message.AddInt32("_newTime", (int32)picked);
	if (fTimeOnly)
		message.AddString("RTim", text);
	window->PostMessage(&message);
}


void
TDWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgTDQuitMod:
		{
			int32 done;
			if (message->FindInt32("_QuitMod", &done) == B_OK)
				fDone = done;
			Quit();
			break;
		}

		case kMsgTick:
		case kMsgMouseMoved:
			break;

		default:
			BWindow::MessageReceived(message);
			break;
	}
}
