// BBox in the BeOS look: an etched line (fancy) or a single raised edge
// (plain); the label in the bold font breaks the top line.
#include <Box.h>

#include <math.h>


BBox::BBox(BRect frame, const char* name, uint32 resizingMode, uint32 flags,
	border_style border)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS),
	fHasLabel(false),
	fLabelView(NULL),
	fStyle(border)
{
	SetFont(be_bold_font);
}


BBox::~BBox()
{
}


void
BBox::AttachedToWindow()
{
	if (HasDefaultColors()) {
		rgb_color color = Parent() != NULL ? Parent()->ViewColor()
			: ui_color(B_PANEL_BACKGROUND_COLOR);
		SetViewColor(color);
		SetLowColor(color);
	}
	BView::AttachedToWindow();
}


float
BBox::_TopBorderOffset() const
{
	if (fLabelView != NULL)
		return floorf(fLabelView->Bounds().Height() / 2);
	if (!fHasLabel)
		return 0;
	font_height height;
	GetFontHeight(&height);
	return floorf((height.ascent + height.descent) / 2);
}


void
BBox::Draw(BRect)
{
	BRect bounds = Bounds();
	BRect frame = bounds;
	frame.top += _TopBorderOffset();
	rgb_color background = ViewColor();
	rgb_color shadow = tint_color(background, B_DARKEN_2_TINT);
	rgb_color light = make_color(255, 255, 255);

	SetDrawingMode(B_OP_COPY);
	switch (fStyle) {
		case B_FANCY_BORDER:
			// Etched: a dark line with a light one beside it.
			SetHighColor(shadow);
			StrokeRect(BRect(frame.left, frame.top, frame.right - 1,
				frame.bottom - 1));
			SetHighColor(light);
			StrokeLine(BPoint(frame.left + 1, frame.top + 1),
				BPoint(frame.right - 2, frame.top + 1));
			StrokeLine(BPoint(frame.left + 1, frame.top + 1),
				BPoint(frame.left + 1, frame.bottom - 2));
			StrokeLine(BPoint(frame.left, frame.bottom),
				BPoint(frame.right, frame.bottom));
			StrokeLine(BPoint(frame.right, frame.top),
				BPoint(frame.right, frame.bottom));
			break;
		case B_PLAIN_BORDER:
			SetHighColor(light);
			StrokeLine(frame.LeftBottom(), frame.LeftTop());
			StrokeLine(frame.LeftTop(), frame.RightTop());
			SetHighColor(shadow);
			StrokeLine(BPoint(frame.left + 1, frame.bottom),
				frame.RightBottom());
			StrokeLine(BPoint(frame.right, frame.top + 1),
				frame.RightBottom());
			break;
		default:
			break;
	}

	if (fHasLabel && fLabelView == NULL) {
		font_height height;
		GetFontHeight(&height);
		float width = StringWidth(fLabel.String());
		// The label clears its part of the top line.
		SetHighColor(background);
		FillRect(BRect(6, bounds.top, 6 + width + 4, bounds.top
			+ ceilf(height.ascent + height.descent)));
		SetHighColor(0, 0, 0);
		SetLowColor(background);
		SetDrawingMode(B_OP_OVER);
		DrawString(fLabel.String(), BPoint(8, bounds.top
			+ ceilf(height.ascent)));
		SetDrawingMode(B_OP_COPY);
	}
}


void
BBox::FrameResized(float, float)
{
	// The border follows the edges: redraw all of it.
	Invalidate();
}


void
BBox::SetBorder(border_style border)
{
	if (border == fStyle)
		return;
	fStyle = border;
	Invalidate();
}


void
BBox::SetLabel(const char* label)
{
	if (fLabelView != NULL) {
		fLabelView->RemoveSelf();
		delete fLabelView;
		fLabelView = NULL;
	}
	fHasLabel = label != NULL;
	fLabel = label != NULL ? label : "";
	Invalidate();
}


status_t
BBox::SetLabel(BView* viewLabel)
{
	SetLabel((const char*)NULL);
	if (viewLabel == NULL)
		return B_OK;
	fLabelView = viewLabel;
	fLabelView->MoveTo(6, 0);
	AddChild(fLabelView, ChildAt(0));
	Invalidate();
	return B_OK;
}


const char*
BBox::Label() const
{
	return fHasLabel ? fLabel.String() : NULL;
}
