// EntryView: one row of the booking page, and its context menu.
#include "EntryView.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <Font.h>
#include <MenuItem.h>
#include <Message.h>
#include <PopUpMenu.h>
#include <Window.h>

#include <BuchungsEditor.h>
#include <Labels.h>
#include <fBuchung.h>

#include "BuchView.h"
#include "TBuView.h"

static const uint32 kMsgData = 'DATA';

static const float kBaseline = 11;
static const float kInX = 15;
static const float kWeekdayX = 5;
static const float kOutX = 125;
static const float kDurationFromRight = 55;
static const float kNoteFromRight = 100;
static const float kMenuLeftOfPointer = 20;
// The font is not fitted below this size, whatever the metrics say.
static const float kSmallestFont = 4;

static const rgb_color kRowColor = { 240, 240, 235, 255 };
static const rgb_color kPenColor = { 10, 10, 250, 255 };
static const rgb_color kTextColor = { 10, 10, 10, 255 };
static const rgb_color kMissingColor = { 250, 50, 50, 255 };
static const rgb_color kMarkerColor = { 50, 50, 250, 255 };
static const rgb_color kHighlightColor = { 250, 150, 250, 80 };
static const rgb_color kWhite = { 255, 255, 255, 255 };

int32 EntryView::bCounter = 0;
float EntryView::xfontsize = 14.0;
bool EntryView::fh_checked = false;


EntryView::EntryView(BRect containerFrame, const char* name,
	int32 entryNumber, fBuchung* row, uint32 resizingMode, uint32 flags)
	:
	BView(BRect(1, kEntryPitch * entryNumber,
			1 + containerFrame.right - 2 - containerFrame.left,
			kEntryPitch * entryNumber + 13),
		name, resizingMode, flags),
	fEntNr(entryNumber),
	fRow(row),
	fMenu(new BPopUpMenu("pbcontext", false, false))
{
	bCounter++;
	if (!fh_checked)
		_FitFont();
}


EntryView::~EntryView()
{
	// The menu deletes its items, and closes itself if it is open.
	delete fMenu;
	bCounter--;
}


// The fixed-width font shrinks until its ascent fits the row.
void
EntryView::_FitFont()
{
	BFont font(be_fixed_font);
	font_height height;
	for (;;) {
		font.SetSize(xfontsize);
		font.GetHeight(&height);
		if (Bounds().Height() - 3 >= height.ascent
			|| xfontsize - 1.5 < kSmallestFont)
			break;
		xfontsize -= 1.5;
	}
	fh_checked = true;
}


void
EntryView::AttachedToWindow()
{
	SetViewColor(kRowColor);
	SetLowColor(kRowColor);
	SetHighColor(kPenColor);
	BFont font(be_fixed_font);
	font.SetSize(xfontsize);
	SetFont(&font);
	BView::AttachedToWindow();
}


static bool
same_day(time_t a, time_t b)
{
	struct tm first, second;
	localtime_r(&a, &first);
	localtime_r(&b, &second);
	return first.tm_year == second.tm_year
		&& first.tm_yday == second.tm_yday;
}


static void
format_time(time_t when, const char* pattern, char* out, size_t size)
{
	struct tm local;
	localtime_r(&when, &local);
	if (strftime(out, size, pattern, &local) == 0)
		out[0] = '\0';
}


void
EntryView::RowTexts(const fBuchung* row, char* inText, char* outText,
	char* duration, char* note)
{
	const size_t kSize = 64;
	inText[0] = outText[0] = duration[0] = note[0] = '\0';
	if (row == NULL)
		return;

	if (row->IsMarker()) {
		snprintf(inText, kSize, "%s%s", getLabel(49), row->fText);
		return;
	}

	if (row->fKind1 == kBuchungIn)
		format_time(row->fTime1, " %y/%m/%d  %H:%M", inText, kSize);
	else if (row->fKind1 == kBuchungOut)
		strcpy(inText, "missing IN ");

	if (row->fKind1 == kBuchungIn && row->fKind2 != kBuchungOut)
		strcpy(outText, "missing OUT ");
	else {
		format_time(row->fTime2, same_day(row->fTime1, row->fTime2)
			? "%H:%M" : "%m/%d %H:%M", outText, kSize);

		// Whole days before the bar; an OUT before its IN shows a minus.
		long seconds = (long)difftime(row->fTime2, row->fTime1);
		const char* sign = seconds < 0 ? "-" : "";
		seconds = labs(seconds);
		long days = seconds / 86400;
		long hours = seconds % 86400 / 3600;
		long minutes = seconds % 3600 / 60;
		if (days == 0) {
			snprintf(duration, kSize, "  %s%02ld:%02ld ", sign, hours,
				minutes);
		} else {
			snprintf(duration, kSize, "%s%ld|%02ld:%02ld ", sign, days, hours,
				minutes);
		}
	}

	if (row->fKind1 == kBuchungIn)
		snprintf(note, kSize, "%s", row->fText);
}


void
EntryView::Draw(BRect)
{
	BRect bounds = Bounds();
	rgb_color ground = Parent() != NULL ? Parent()->ViewColor() : kWhite;
	SetHighColor(ground);
	FillRect(bounds);
	SetHighColor(ViewColor());
	FillRoundRect(bounds, 4.5, 4.5);

	SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
	if (fRow != NULL && fRow->IsMarker())
		StrokeRoundRect(bounds, 3, 3);
	else {
		StrokeRoundRect(BRect(0, 0, 121, bounds.bottom), 3, 3);
		StrokeRoundRect(BRect(120, 0, 240, bounds.bottom), 3, 3);
		StrokeRoundRect(BRect(239, 0, bounds.right, bounds.bottom), 3, 3);
	}

	SetLowColor(kWhite);
	SetHighColor(kTextColor);

	if (fRow == NULL) {
		DrawString("..null", BPoint(10, kBaseline));
		return;
	}

	char inText[64], outText[64], duration[64], note[64];
	RowTexts(fRow, inText, outText, duration, note);

	if (fRow->IsMarker()) {
		SetHighColor(kMarkerColor);
		DrawString(inText, BPoint(kInX, kBaseline));
	} else {
		if (fRow->fKind1 == kBuchungIn) {
			struct tm local;
			time_t in = fRow->fTime1;
			localtime_r(&in, &local);
			DrawString(getLabel(51 + local.tm_wday),
				BPoint(kWeekdayX, kBaseline));
			DrawString(inText, BPoint(kInX, kBaseline));
		} else if (fRow->fKind1 == kBuchungOut) {
			SetHighColor(kMissingColor);
			DrawString(inText, BPoint(kWeekdayX, kBaseline));
			SetHighColor(kTextColor);
		}

		if (fRow->fKind1 == kBuchungIn && fRow->fKind2 != kBuchungOut) {
			SetHighColor(kMissingColor);
			DrawString(outText, BPoint(kOutX, kBaseline));
			SetHighColor(kTextColor);
		} else {
			DrawString(outText, BPoint(kOutX, kBaseline));
			DrawString(duration,
				BPoint(bounds.right - kDurationFromRight, kBaseline));
		}

		if (note[0] != '\0')
			DrawString(note, BPoint(bounds.right - kNoteFromRight, kBaseline));
	}

	if (fRow->fEditState == kBuchungEditOpen) {
		SetDrawingMode(B_OP_ALPHA);
		SetBlendingMode(B_CONSTANT_ALPHA, B_ALPHA_OVERLAY);
		SetHighColor(kHighlightColor);
		FillRoundRect(bounds, 4.5, 4.5);
		SetDrawingMode(B_OP_COPY);
		printf("highlight me (%d) !\n", (int)fRow->fEditState);
	}
}


void
EntryView::MouseDown(BPoint where)
{
	// No menu while a picker is open on the page.
	BView* container = Parent();
	BuchView* page = container != NULL
		? dynamic_cast<BuchView*>(container->Parent()) : NULL;
	if (page != NULL && page->EditData())
		return;
	MouseMenu(this, fEntNr, where.x >= kEntryOutColumn
		? kBuchungColumnOut : kBuchungColumnIn);
}


void
EntryView::MouseMoved(BPoint, uint32, const BMessage*)
{
}


void
EntryView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgData:
			message->PrintToStream();
			break;
		case B_MOUSE_WHEEL_CHANGED:
			break;
		default:
			BView::MessageReceived(message);
			break;
	}
}


// #pragma mark - context menu


static void
add_item(BPopUpMenu* menu, int32 label, int32 doThis, int32 entNr)
{
	BMessage* message = new BMessage(kMsgBuchEdit);
	message->AddInt32("EntNr", entNr);
	message->AddInt32("dothis", doThis);
	message->AddInt32("InOut", kBuchungColumnOut);
	message->AddInt32(kBuchRowsField, 0);
	menu->AddItem(new BMenuItem(getLabel(label), message));
}


void
MouseMenu(EntryView* row, int32 entNr, int32 inOut)
{
	if (row == NULL) {
		printf("..no View \n");
		return;
	}
	BPopUpMenu* menu = row->MenuPointer();
	if (menu == NULL) {
		printf("..no Menu \n");
		return;
	}

	BPoint where;
	uint32 buttons = 0;
	row->GetMouse(&where, &buttons);

	if (menu->CountItems() < 2) {
		fBuchung* booking = row->Buchung();
		if (booking != NULL && booking->IsMarker()) {
			add_item(menu, 17, kBuchungMoveUp, entNr);
			add_item(menu, 18, kBuchungMoveDown, entNr);
		} else if (booking != NULL) {
			add_item(menu, 14, kBuchungModify, entNr);
			add_item(menu, 15, kBuchungSplit, entNr);
			add_item(menu, 16, kBuchungJoin, entNr);
		}
		menu->AddSeparatorItem();
		add_item(menu, 13, kBuchungDelete, entNr);
		BFont font(be_plain_font);
		font.SetSize(11);
		menu->SetFont(&font);
	}

	// Every opening names the column of this click and the rows it was
	// opened from, not those of the first opening.
	BView* container = row->Parent();
	TBuView* rows = dynamic_cast<TBuView*>(container);
	int32 build = rows != NULL ? (int32)rows->Builds() : 0;
	for (int32 i = 0; i < menu->CountItems(); i++) {
		BMessage* message = menu->ItemAt(i)->Message();
		if (message == NULL)
			continue;
		message->ReplaceInt32("EntNr", entNr);
		message->ReplaceInt32("InOut", inOut);
		message->ReplaceInt32(kBuchRowsField, build);
	}
	if (container != NULL && container->Parent() != NULL)
		menu->SetTargetForItems(container->Parent());

	if (buttons == 0)
		return;
	BPoint screen = row->ConvertToScreen(where);
	screen.x -= kMenuLeftOfPointer;
	menu->Go(screen, true, false, true);
}
