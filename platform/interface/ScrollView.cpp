// BScrollView: the target sits inside the border; the bars lie along the
// right and bottom edges and overlap the target's last pixel, as on BeOS.
#include <ScrollView.h>

#include <Window.h>


float
BScrollView::_BorderSize(border_style border)
{
	switch (border) {
		case B_FANCY_BORDER:
			return 2;
		case B_PLAIN_BORDER:
			return 1;
		default:
			return 0;
	}
}


BRect
BScrollView::_Frame(BView* target, bool horizontal, bool vertical,
	border_style border)
{
	BRect frame = target != NULL ? target->Frame() : BRect(0, 0, 15, 15);
	if (vertical)
		frame.right += B_V_SCROLL_BAR_WIDTH;
	if (horizontal)
		frame.bottom += B_H_SCROLL_BAR_HEIGHT;
	float size = _BorderSize(border);
	frame.InsetBy(-size, -size);
	return frame;
}


BScrollView::BScrollView(const char* name, BView* target,
	uint32 resizingMode, uint32 flags, bool horizontal, bool vertical,
	border_style border)
	:
	BView(_Frame(target, horizontal, vertical, border), name, resizingMode,
		flags | B_WILL_DRAW | B_FRAME_EVENTS),
	fTarget(target),
	fHorizontal(NULL),
	fVertical(NULL),
	fBorder(border),
	fHighlighted(false)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	float size = _BorderSize(border);
	if (target != NULL) {
		target->MoveTo(size, size);
		AddChild(target);
	}

	BRect bounds = Bounds();
	if (vertical) {
		BRect rect = bounds.InsetByCopy(size, size);
		rect.left = rect.right - B_V_SCROLL_BAR_WIDTH;
		if (horizontal)
			rect.bottom -= B_H_SCROLL_BAR_HEIGHT;
		fVertical = new BScrollBar(rect, "_VSB_", target, 0, 1000,
			B_VERTICAL);
		AddChild(fVertical);
	}
	if (horizontal) {
		BRect rect = bounds.InsetByCopy(size, size);
		rect.top = rect.bottom - B_H_SCROLL_BAR_HEIGHT;
		if (vertical)
			rect.right -= B_V_SCROLL_BAR_WIDTH;
		fHorizontal = new BScrollBar(rect, "_HSB_", target, 0, 1000,
			B_HORIZONTAL);
		AddChild(fHorizontal);
	}
}


BScrollView::~BScrollView()
{
}


void
BScrollView::AttachedToWindow()
{
	if (Parent() != NULL) {
		SetViewColor(Parent()->ViewColor());
		SetLowColor(Parent()->ViewColor());
	}
	BView::AttachedToWindow();
}


BScrollBar*
BScrollView::ScrollBar(orientation direction) const
{
	return direction == B_HORIZONTAL ? fHorizontal : fVertical;
}


void
BScrollView::SetBorder(border_style border)
{
	fBorder = border;
	Invalidate();
}


status_t
BScrollView::SetBorderHighlighted(bool highlighted)
{
	if (fBorder != B_FANCY_BORDER)
		return B_ERROR;
	fHighlighted = highlighted;
	Invalidate();
	return B_OK;
}


void
BScrollView::GetPreferredSize(float* width, float* height)
{
	BRect frame = _Frame(fTarget, fHorizontal != NULL, fVertical != NULL,
		fBorder);
	if (width != NULL)
		*width = frame.Width();
	if (height != NULL)
		*height = frame.Height();
}


void
BScrollView::Draw(BRect)
{
	BRect bounds = Bounds();
	rgb_color base = ViewColor();
	switch (fBorder) {
		case B_FANCY_BORDER:
		{
			// Sunk two pixels deep; the inner ring turns blue while the
			// target has the keyboard.
			rgb_color shadow = tint_color(base, B_DARKEN_1_TINT);
			rgb_color light = tint_color(base, B_LIGHTEN_MAX_TINT);
			rgb_color inner = fHighlighted
				? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
				: tint_color(base, B_DARKEN_3_TINT);
			BeginLineArray(8);
			AddLine(bounds.LeftBottom(), bounds.LeftTop(), shadow);
			AddLine(bounds.LeftTop(), bounds.RightTop(), shadow);
			AddLine(bounds.RightTop(), bounds.RightBottom(), light);
			AddLine(bounds.RightBottom(), bounds.LeftBottom(), light);
			BRect ring = bounds.InsetByCopy(1, 1);
			AddLine(ring.LeftBottom(), ring.LeftTop(), inner);
			AddLine(ring.LeftTop(), ring.RightTop(), inner);
			AddLine(ring.RightTop(), ring.RightBottom(),
				fHighlighted ? inner : base);
			AddLine(ring.RightBottom(), ring.LeftBottom(),
				fHighlighted ? inner : base);
			EndLineArray();
			break;
		}
		case B_PLAIN_BORDER:
			SetHighColor(tint_color(base, B_DARKEN_2_TINT));
			StrokeRect(bounds);
			break;
		default:
			break;
	}
}
