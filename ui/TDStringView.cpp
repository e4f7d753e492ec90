// TDStringView: a spin field of the date and time picker.
#include "TDStringView.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <Bitmap.h>
#include <Message.h>
#include <Window.h>

#include <Labels.h>

static const uint32 kMsgTick = 'TICK';
static const uint32 kMsgMouseChanged = '_MCH';

// The arrow images: '#' dark outline, 'w' white, '.' grey ground.
static const int32 kArrowWidth = 12;
static const int32 kArrowHeight = 8;
static const char* const kUpArrow[kArrowHeight] = {
	"............",
	".....##.....",
	"....#ww#....",
	"...#wwww#...",
	"..#wwwwww#..",
	".#wwwwwwww#.",
	".##########.",
	"............"
};


static BBitmap*
make_arrow(bool up)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, kArrowWidth - 1,
		kArrowHeight - 1), B_CMAP8);
	uint8 dark = index_for_color(make_color(40, 40, 40));
	uint8 white = index_for_color(make_color(255, 255, 255));
	uint8 grey = index_for_color(make_color(184, 184, 184));
	uint8* bits = (uint8*)bitmap->Bits();
	for (int32 y = 0; y < kArrowHeight; y++) {
		const char* row = kUpArrow[up ? y : kArrowHeight - 1 - y];
		uint8* line = bits + y * bitmap->BytesPerRow();
		for (int32 x = 0; x < kArrowWidth; x++)
			line[x] = row[x] == '#' ? dark : (row[x] == 'w' ? white : grey);
	}
	return bitmap;
}


TDStringView::TDStringView(BRect frame, const char* name, const char* text,
	int32 number)
	:
	BStringView(frame, name, text, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW),
	fUpArrow(make_arrow(true)),
	fDownArrow(make_arrow(false)),
	fNumber(number),
	fValue(text != NULL ? atol(text) : 0),
	fMinimum(0),
	fMaximum(fValue),
	fFocused(false)
{
	SetAlignment(B_ALIGN_CENTER);
	SetFontSize(11);
}


TDStringView::~TDStringView()
{
	delete fUpArrow;
	delete fDownArrow;
}


void
TDStringView::SetRange(int32 minimum, int32 maximum)
{
	if (minimum > maximum) {
		int32 swap = minimum;
		minimum = maximum;
		maximum = swap;
	}
	fMinimum = minimum;
	fMaximum = maximum;
}


void
TDStringView::SetOnFocus(int32 number)
{
	if (fNumber >= 44) {
		fFocused = false;
		return;
	}
	fFocused = number == fNumber;
	MakeFocus(fFocused);
	Invalidate();
}


void
TDStringView::FormatValue(int32 value)
{
	char text[32];
	switch (fNumber) {
		case kTDYear:
			snprintf(text, sizeof(text), "%4ld", (long)value);
			break;
		case kTDMonth:
			snprintf(text, sizeof(text), "%s", getLabel(100 + value));
			break;
		default:
			snprintf(text, sizeof(text), "%02ld", (long)value);
			break;
	}
	SetText(text);
	Invalidate();
}


// A value below the range becomes its maximum, one above it its minimum.
void
TDStringView::_Wrap()
{
	if (fValue < fMinimum)
		fValue = fMaximum;
	else if (fValue > fMaximum)
		fValue = fMinimum;
}


void
TDStringView::_Step(int32 delta)
{
	fValue += delta;
	_Wrap();
	FormatValue(fValue);
}


// The picker view is the parent; a field standing alone gives its
// messages to its window. Must be the caller's last use of this field.
void
TDStringView::_HandToPicker(BMessage* message)
{
	if (Parent() != NULL)
		Parent()->MessageReceived(message);
	else if (Window() != NULL)
		Window()->MessageReceived(message);
}


void
TDStringView::KeyUp(const char* bytes, int32 numBytes)
{
	if (bytes == NULL || numBytes < 1)
		return;

	switch (bytes[0]) {
		case B_TAB:
		case B_RIGHT_ARROW:
		case B_LEFT_ARROW:
		{
			int32 next = fNumber;
			if (bytes[0] == B_LEFT_ARROW)
				next = next <= kTDYear ? kTDMinute : next - 1;
			else
				next = next >= kTDMinute ? kTDYear : next + 1;
			BMessage focus(kMsgTDSetFocus);
			focus.AddInt32("_lfdnr", next);
			_HandToPicker(&focus);
			return;
		}

		case B_ENTER:
		case B_ESCAPE:
		{
			BMessage result(kMsgTDQuitMod);
			result.AddInt32("_QuitMod", bytes[0] == B_ENTER ? 1 : 0);
			// The parent may delete the picker, and this field, in here.
			_HandToPicker(&result);
			return;
		}

		case B_UP_ARROW:
		case '+':
			fValue++;
			break;

		case B_DOWN_ARROW:
		case '-':
			fValue--;
			break;

		default:
		{
			int32 key = 0;
			BMessage* current = Window() != NULL
				? Window()->CurrentMessage() : NULL;
			if (current != NULL)
				current->FindInt32("key", &key);
			printf("%ld | %s | %ld \n", (long)key, bytes, (long)numBytes);
			break;
		}
	}
	_Wrap();
	FormatValue(fValue);
}


void
TDStringView::MouseDown(BPoint where)
{
	if (fNumber >= 40)
		return;

	if (!fFocused) {
		fFocused = true;
		BMessage focus(kMsgTDSetFocus);
		focus.AddInt32("_lfdnr", fNumber);
		_HandToPicker(&focus);
		return;
	}

	// The arrow bands: the up arrow at the top, the down arrow at the
	// bottom; a click between them changes nothing.
	if (where.y <= 12)
		_Step(1);
	else if (where.y >= 30)
		_Step(-1);
}


void
TDStringView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_MOUSE_WHEEL_CHANGED:
		{
			float delta = 0;
			if (message->FindFloat("be:wheel_delta_y", &delta) != B_OK)
				break;
			if (delta < -0.1f)
				fValue++;
			else if (delta > 0.1f)
				fValue--;
			_Wrap();
			FormatValue(fValue);
			Invalidate();
			break;
		}

		case kMsgTick:
		case kMsgMouseChanged:
		case B_UNMAPPED_KEY_DOWN:
		case B_UNMAPPED_KEY_UP:
			break;

		default:
			printf("TStringView MR  \n");
			message->PrintToStream();
			BStringView::MessageReceived(message);
			break;
	}
}


void
TDStringView::Draw(BRect)
{
	BRect bounds = Bounds();
	SetDrawingMode(B_OP_COPY);

	// The strip's frame; the end pieces close it on their outer side, the
	// inner pieces only show its top and bottom lines.
	BRect frame(bounds.left - 4, bounds.top + 9, bounds.right + 4,
		bounds.bottom - 9);
	if (fNumber == kTDLeftEnd)
		frame.left = bounds.left;
	else if (fNumber == kTDRightEnd)
		frame.right = bounds.right;
	SetHighColor(12, 12, 12);
	StrokeRoundRect(frame, 3, 3);

	float centre = floorf(bounds.Width() / 2);
	if (fFocused) {
		BRect band(bounds.left + 1, bounds.top + 12, bounds.right - 1,
			bounds.bottom - 12);
		SetHighColor(tint_color(ui_color(B_MENU_BACKGROUND_COLOR),
			B_LIGHTEN_2_TINT));
		FillRect(band);
		SetHighColor(12, 12, 12);
		StrokeRoundRect(band.InsetByCopy(-1, -1), 2, 2);
		DrawBitmap(fUpArrow, BPoint(centre - 6, 3));
		DrawBitmap(fDownArrow, BPoint(centre - 6, bounds.bottom - 9));
	}

	const char* text = Text();
	float offset = 0;
	if (fNumber == kTDMonth) {
		text = getLabel(100 + fValue);
		offset = 2;
	}
	if (text == NULL || text[0] == '\0')
		return;
	SetHighColor(12, 12, 12);
	SetLowColor(fFocused ? tint_color(ui_color(B_MENU_BACKGROUND_COLOR),
		B_LIGHTEN_2_TINT) : ViewColor());
	SetDrawingMode(B_OP_OVER);
	float x = floorf((bounds.Width() + 1 - StringWidth(text)) / 2) + offset;
	float y = floorf((bounds.Height() + 1) / 2) + 4;
	DrawString(text, BPoint(x, y));
	SetDrawingMode(B_OP_COPY);
}
