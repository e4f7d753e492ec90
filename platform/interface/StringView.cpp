// BStringView: draws its text in the high colour on its view colour.
#include <StringView.h>

#include <math.h>


BStringView::BStringView(BRect frame, const char* name, const char* text,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	fText(text != NULL ? text : ""),
	fAlign(B_ALIGN_LEFT)
{
}


BStringView::~BStringView()
{
}


void
BStringView::AttachedToWindow()
{
	// Take the parent's colours unless some were set.
	if (HasDefaultColors()) {
		rgb_color color = Parent() != NULL ? Parent()->ViewColor()
			: ui_color(B_PANEL_BACKGROUND_COLOR);
		SetViewColor(color);
		SetLowColor(color);
		SetHighColor(0, 0, 0);
	}
	BView::AttachedToWindow();
}


void
BStringView::Draw(BRect)
{
	if (fText.IsEmpty())
		return;
	BRect bounds = Bounds();
	font_height height;
	GetFontHeight(&height);
	float width = StringWidth(fText.String());
	float x = bounds.left;
	switch (fAlign) {
		case B_ALIGN_RIGHT:
			x = bounds.right - width;
			break;
		case B_ALIGN_CENTER:
			x = bounds.left + (bounds.Width() - width) / 2;
			break;
		default:
			break;
	}
	// The line sits centred in the frame, the baseline below the ascent.
	float y = bounds.top + ceilf((bounds.Height() + 1 - (height.ascent
		+ height.descent)) / 2 + height.ascent);
	DrawString(fText.String(), BPoint(floorf(x + 0.5f), y));
}


void
BStringView::MessageReceived(BMessage* message)
{
	BView::MessageReceived(message);
}


void
BStringView::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL)
		*width = ceilf(StringWidth(fText.String()));
	if (height != NULL)
		*height = ceilf(fontHeight.ascent + fontHeight.descent
			+ fontHeight.leading);
}


void
BStringView::SetText(const char* text)
{
	if (text == NULL)
		text = "";
	if (fText == text)
		return;
	fText = text;
	Invalidate();
}


void
BStringView::SetAlignment(alignment flag)
{
	if (flag == fAlign)
		return;
	fAlign = flag;
	Invalidate();
}
