// TDView: the date and time picker view.
#include "TDView.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

#include <Button.h>
#include <Message.h>
#include <Window.h>

#include <Datum.h>

#include "TDStringView.h"

static const uint32 kMsgTick = 'TICK';
static const uint32 kMsgMouseChanged = '_MCH';

// Geometry of the pieces: every piece is as high as the picker; the time
// group starts 140 pixels right of the date group, so that a picker
// without date shows it where the date group would stand. The month field
// is the widest: its four-letter names ("Sept", "June") stand 2 pixels
// right of its centre and must stay inside the focus frame; the date group
// still ends left of the buttons.
static const float kHeight = 42;
static const float kEndWidth = 3;
static const float kSeparatorWidth = 5;
static const float kYearWidth = 30;
static const float kMonthWidth = 32;
static const float kDayWidth = 18;
static const float kTwoDigitWidth = 20;
static const float kGroupLeft = 2;
static const float kTimeShift = 140;
static const float kButtonLeft = 100;


// `count` characters of `text` from `from` on; what the text lacks stays
// empty.
static BString
cut(const char* text, int32 from, int32 count)
{
	BString part;
	int32 length = (int32)strlen(text);
	if (from < length)
		part.SetTo(text + from, count);
	return part;
}


// A local time as "%Y/%m/%d %H:%M", the date in the given order.
static BString
date_text(long seconds, int32 format)
{
	time_t time = (time_t)seconds;
	struct tm local;
	localtime_r(&time, &local);
	const char* pattern = "%Y/%m/%d %H:%M";
	if (format == TDView::kMonthDayYear)
		pattern = "%m/%d/%Y %H:%M";
	else if (format == TDView::kDayMonthYear)
		pattern = "%d/%m/%Y %H:%M";
	char text[64];
	strftime(text, sizeof(text), pattern, &local);
	return BString(text);
}


TDView::TDView(long initialTime, const char* title, int32 format,
	bool withTime, bool timeOnly)
	:
	BView(BRect(0, 0, 10, kHeight), "TD_View", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW),
	fFormat(format),
	fInitTime(initialTime),
	fDateText(date_text(initialTime, format)),
	fTitle(title != NULL ? title : ""),
	fYear(NULL),
	fMonth(NULL),
	fDay(NULL),
	fHour(NULL),
	fMinute(NULL),
	fWithTime(withTime),
	fTimeOnly(timeOnly)
{
}


TDView::TDView(const char* dateText, const char* title, int32 format,
	bool withTime, bool timeOnly)
	:
	BView(BRect(0, 0, 10, kHeight), "TD_View", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW),
	fFormat(format),
	fInitTime(0),
	fDateText(dateText != NULL ? dateText : ""),
	fTitle(title != NULL ? title : ""),
	fYear(NULL),
	fMonth(NULL),
	fDay(NULL),
	fHour(NULL),
	fMinute(NULL),
	fWithTime(withTime),
	fTimeOnly(timeOnly)
{
}


TDView::~TDView()
{
}


TDStringView*
TDView::Field(int32 number) const
{
	switch (number) {
		case kTDYear:
			return fYear;
		case kTDMonth:
			return fMonth;
		case kTDDay:
			return fDay;
		case kTDHour:
			return fHour;
		case kTDMinute:
			return fMinute;
	}
	return NULL;
}


void
TDView::AttachedToWindow()
{
	SetEventMask(B_KEYBOARD_EVENTS);
	ResizeTo(Window()->Bounds().Width() - 75, kHeight);
	MoveTo(2, 2);
	SetViewColor(232, 232, 232);
	SetLowColor(232, 232, 232);
	if (fYear == NULL)
		_Build();
	BView::AttachedToWindow();
}


void
TDView::_Build()
{
	const char* text = fDateText.String();
	BString year, month, day;
	switch (fFormat) {
		case kMonthDayYear:
			month = cut(text, 0, 2);
			day = cut(text, 3, 2);
			year = cut(text, 6, 4);
			break;
		case kDayMonthYear:
			day = cut(text, 0, 2);
			month = cut(text, 3, 2);
			year = cut(text, 6, 4);
			break;
		default:
			year = cut(text, 0, 4);
			month = cut(text, 5, 2);
			day = cut(text, 8, 2);
			break;
	}
	BString hour = cut(text, 11, 2);
	BString minute = cut(text, 14, 2);

	// The buttons post their result to this view.
	BMessage* done = new BMessage(kMsgTDQuitMod);
	done->AddInt32("_QuitMod", 1);
	BMessage* cancel = new BMessage(kMsgTDQuitMod);
	cancel->AddInt32("_QuitMod", 0);
	float buttonLeft = fTimeOnly ? kGroupLeft + 56 : kButtonLeft;
	BButton* ok = new BButton(BRect(buttonLeft, 3, buttonLeft + 40, 18),
		"done", "ok", done);
	BButton* esc = new BButton(BRect(buttonLeft, 22, buttonLeft + 40, 37),
		"cancel", "esc", cancel);
	BButton* buttons[2] = { ok, esc };
	for (BButton* button : buttons) {
		button->SetFontSize(10);
		AddChild(button);
		button->ResizeTo(40, 15);
		button->SetTarget(this);
	}

	fYear = new TDStringView(BRect(), "year", year.String(), kTDYear);
	fYear->SetRange(1970, 2037);
	fMonth = new TDStringView(BRect(), "mon", month.String(), kTDMonth);
	fMonth->SetRange(1, 12);
	fDay = new TDStringView(BRect(), "day", day.String(), kTDDay);
	fDay->SetRange(1, 31);
	fHour = new TDStringView(BRect(), "hour", hour.String(), kTDHour);
	fHour->SetRange(0, 23);
	fMinute = new TDStringView(BRect(), "min", minute.String(), kTDMinute);
	fMinute->SetRange(0, 59);

	TDStringView* first = fYear;
	TDStringView* second = fMonth;
	TDStringView* third = fDay;
	float firstWidth = kYearWidth, secondWidth = kMonthWidth,
		thirdWidth = kDayWidth;
	if (fFormat == kMonthDayYear) {
		first = fMonth;
		second = fDay;
		third = fYear;
		firstWidth = kMonthWidth;
		secondWidth = kDayWidth;
		thirdWidth = kYearWidth;
	} else if (fFormat == kDayMonthYear) {
		first = fDay;
		second = fMonth;
		third = fYear;
		firstWidth = kDayWidth;
		secondWidth = kMonthWidth;
		thirdWidth = kYearWidth;
	}

	// Places the pieces of a group left to right from x on.
	struct Piece {
		TDStringView* view;
		float width;
	};
	auto place = [this](Piece* pieces, int32 count, float x,
		bool hidden) {
		for (int32 i = 0; i < count; i++) {
			TDStringView* view = pieces[i].view;
			view->MoveTo(x, 0);
			view->ResizeTo(pieces[i].width - 1, kHeight);
			x += pieces[i].width;
			AddChild(view);
			if (hidden)
				view->Hide();
		}
	};

	Piece dateGroup[] = {
		{ new TDStringView(BRect(), "randr", " ", kTDLeftEnd), kEndWidth },
		{ first, firstWidth },
		{ new TDStringView(BRect(), "tprA", "/", kTDSeparator),
			kSeparatorWidth },
		{ second, secondWidth },
		{ new TDStringView(BRect(), "tprB", "/", kTDSeparator),
			kSeparatorWidth },
		{ third, thirdWidth },
		{ new TDStringView(BRect(), "randr", "", kTDRightEnd), kEndWidth }
	};
	Piece timeGroup[] = {
		{ new TDStringView(BRect(), "randr", " ", kTDLeftEnd), kEndWidth },
		{ fHour, kTwoDigitWidth },
		{ new TDStringView(BRect(), "tprC", ":", kTDSeparator),
			kSeparatorWidth },
		{ fMinute, kTwoDigitWidth },
		{ new TDStringView(BRect(), "randr", "", kTDRightEnd), kEndWidth }
	};
	place(dateGroup, 7, kGroupLeft, fTimeOnly);
	place(timeGroup, 5, kGroupLeft + kTimeShift - (fTimeOnly ? kTimeShift : 0),
		!fWithTime && !fTimeOnly);

	fHour->SetOnFocus(kTDHour);
}


long
TDView::PickedTime() const
{
	int32 year = fYear->Value();
	int32 month = fMonth->Value();
	int32 day = fDay->Value();
	// A day beyond the chosen month's end stands for its last day.
	int32 length = TagePerMonat(month - 1, year);
	if (day > length)
		day = length;

	struct tm local;
	memset(&local, 0, sizeof(local));
	local.tm_year = year - 1900;
	local.tm_mon = month - 1;
	local.tm_mday = day;
	local.tm_hour = fHour->Value();
	local.tm_min = fMinute->Value();
	local.tm_sec = 0;
	local.tm_isdst = -1;
	return (long)mktime(&local);
}


void
TDView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgTDSetFocus:
		{
			int32 number;
			if (message->FindInt32("_lfdnr", &number) != B_OK
				|| fYear == NULL)
				break;
			fDay->SetRange(1, TagePerMonat(fMonth->Value() - 1,
				fYear->Value()));
			for (int32 i = kTDYear; i <= kTDMinute; i++)
				Field(i)->SetOnFocus(number);
			break;
		}

		case kMsgTDQuitMod:
		{
			int32 quitMod = 0;
			if (message->FindInt32("_QuitMod", &quitMod) == B_OK
				&& quitMod == 1 && fYear != NULL) {
				message->AddInt32("_backT", (int32)PickedTime());
				message->AddInt32("_initT", (int32)fInitTime);
			} else
				message->AddInt32("_backT", (int32)fInitTime);

			// The receiver may delete this view; nothing of it is used
			// after the hand-over.
			if (Parent() != NULL)
				Parent()->MessageReceived(message);
			else if (Window() != NULL)
				Window()->MessageReceived(message);
			return;
		}

		case kMsgTick:
		case kMsgMouseChanged:
			break;

		case B_KEY_UP:
			printf("TDView MR  KEYUP\n");
			break;

		default:
			printf("TDView MR \n");
			message->PrintToStream();
			BView::MessageReceived(message);
			break;
	}
}


void
TDView::Draw(BRect)
{
}
