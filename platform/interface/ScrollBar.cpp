// BScrollBar: the BeOS bar with an arrow at each end and a proportional
// thumb between them, drawn through the view's drawing calls.
#include <ScrollBar.h>

#include <math.h>

#include <algorithm>

#include <Message.h>
#include <Window.h>

// The thumb never gets shorter than this, so it can still be grabbed.
static const float kMinThumbLength = 14;


BScrollBar::BScrollBar(BRect frame, const char* name, BView* target,
	float min, float max, orientation direction)
	:
	BView(frame, name, direction == B_VERTICAL
		? B_FOLLOW_TOP_BOTTOM | B_FOLLOW_RIGHT
		: B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM,
		B_WILL_DRAW | B_FRAME_EVENTS),
	fMin(min),
	fMax(std::max(min, max)),
	fValue(min),
	fProportion(0),
	fSmallStep(1),
	fLargeStep(10),
	fOrientation(direction),
	fTarget(NULL),
	fPressed(kNoPart),
	fDragOffset(0)
{
	SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	SetTarget(target);
}


BScrollBar::~BScrollBar()
{
	SetTarget((BView*)NULL);
}


void
BScrollBar::AttachedToWindow()
{
	if (fTarget == NULL && fTargetName.Length() > 0)
		SetTarget(fTargetName.String());
	BView::AttachedToWindow();
}


//	#pragma mark - value and range


void
BScrollBar::SetValue(float value)
{
	value = roundf(std::max(fMin, std::min(value, fMax)));
	if (value == fValue)
		return;
	fValue = value;
	ValueChanged(value);
	Invalidate();
}


void
BScrollBar::ValueChanged(float newValue)
{
	if (fTarget == NULL)
		return;
	BPoint where = fTarget->Bounds().LeftTop();
	if (fOrientation == B_VERTICAL)
		where.y = newValue;
	else
		where.x = newValue;
	fTarget->ScrollTo(where);
}


// The target scrolled by itself (or through SetValue): the bar shows the
// position inside its range, without scrolling the target again.
void
BScrollBar::_TargetScrolled(float position)
{
	float value = roundf(std::max(fMin, std::min(position, fMax)));
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}


void
BScrollBar::SetProportion(float proportion)
{
	proportion = std::max(0.0f, std::min(proportion, 1.0f));
	if (proportion == fProportion)
		return;
	fProportion = proportion;
	Invalidate();
}


void
BScrollBar::SetRange(float min, float max)
{
	if (max < min)
		max = min;
	if (min == fMin && max == fMax)
		return;
	fMin = min;
	fMax = max;
	float clamped = std::max(fMin, std::min(fValue, fMax));
	if (clamped != fValue)
		SetValue(clamped);
	Invalidate();
}


void
BScrollBar::GetRange(float* min, float* max) const
{
	if (min != NULL)
		*min = fMin;
	if (max != NULL)
		*max = fMax;
}


void
BScrollBar::SetSteps(float smallStep, float largeStep)
{
	fSmallStep = smallStep;
	fLargeStep = largeStep;
}


void
BScrollBar::GetSteps(float* smallStep, float* largeStep) const
{
	if (smallStep != NULL)
		*smallStep = fSmallStep;
	if (largeStep != NULL)
		*largeStep = fLargeStep;
}


//	#pragma mark - target


void
BScrollBar::SetTarget(BView* target)
{
	if (target == fTarget)
		return;
	if (fTarget != NULL) {
		if (fOrientation == B_VERTICAL && fTarget->fVerScroller == this)
			fTarget->fVerScroller = NULL;
		if (fOrientation == B_HORIZONTAL && fTarget->fHorScroller == this)
			fTarget->fHorScroller = NULL;
	}
	fTarget = target;
	if (target == NULL)
		return;
	fTargetName = target->Name() != NULL ? target->Name() : "";
	// One bar per direction: a bar that aimed at the view before lets go.
	BScrollBar*& slot = fOrientation == B_VERTICAL ? target->fVerScroller
		: target->fHorScroller;
	if (slot != NULL && slot != this)
		slot->fTarget = NULL;
	slot = this;
}


void
BScrollBar::SetTarget(const char* targetName)
{
	fTargetName = targetName != NULL ? targetName : "";
	if (Window() == NULL || targetName == NULL)
		return;
	BView* target = Window()->FindView(targetName);
	if (target != NULL)
		SetTarget(target);
}


void
BScrollBar::_TargetGone(BView* target)
{
	if (fTarget == target)
		fTarget = NULL;
}


void
BScrollBar::GetPreferredSize(float* width, float* height)
{
	if (fOrientation == B_VERTICAL) {
		if (width != NULL)
			*width = B_V_SCROLL_BAR_WIDTH;
		if (height != NULL)
			*height = Bounds().Height();
	} else {
		if (width != NULL)
			*width = Bounds().Width();
		if (height != NULL)
			*height = B_H_SCROLL_BAR_HEIGHT;
	}
}


//	#pragma mark - geometry of the parts


// Positions along the bar: y for a vertical bar, x for a horizontal one.
float
BScrollBar::_Along(BPoint point) const
{
	return fOrientation == B_VERTICAL ? point.y : point.x;
}


BRect
BScrollBar::_ArrowRect(bool forward) const
{
	BRect bounds = Bounds();
	if (fOrientation == B_VERTICAL) {
		float size = bounds.Width();
		if (forward)
			return BRect(bounds.left, bounds.bottom - size, bounds.right,
				bounds.bottom);
		return BRect(bounds.left, bounds.top, bounds.right,
			bounds.top + size);
	}
	float size = bounds.Height();
	if (forward)
		return BRect(bounds.right - size, bounds.top, bounds.right,
			bounds.bottom);
	return BRect(bounds.left, bounds.top, bounds.left + size, bounds.bottom);
}


float
BScrollBar::_TrackStart() const
{
	return _Along(_ArrowRect(false).RightBottom()) + 1;
}


float
BScrollBar::_TrackLength() const
{
	float end = _Along(_ArrowRect(true).LeftTop()) - 1;
	return std::max(0.0f, end - _TrackStart() + 1);
}


float
BScrollBar::_ThumbLength() const
{
	float track = _TrackLength();
	if (fMax <= fMin)
		return track;
	float proportion = fProportion > 0 ? fProportion : 0.1f;
	return std::min(track, std::max(kMinThumbLength,
		floorf(track * proportion)));
}


BRect
BScrollBar::_ThumbRect() const
{
	BRect bounds = Bounds();
	float track = _TrackLength();
	float length = _ThumbLength();
	float offset = 0;
	if (fMax > fMin)
		offset = floorf((fValue - fMin) / (fMax - fMin) * (track - length));
	float start = _TrackStart() + offset;
	if (fOrientation == B_VERTICAL)
		return BRect(bounds.left, start, bounds.right, start + length - 1);
	return BRect(start, bounds.top, start + length - 1, bounds.bottom);
}


BScrollBar::part
BScrollBar::_PartAt(BPoint where) const
{
	if (_ArrowRect(false).Contains(where))
		return kArrowBack;
	if (_ArrowRect(true).Contains(where))
		return kArrowForward;
	if (fMax <= fMin)
		return kNoPart;
	BRect thumb = _ThumbRect();
	if (thumb.Contains(where))
		return kThumb;
	return _Along(where) < _Along(thumb.LeftTop()) ? kTrackBack
		: kTrackForward;
}


//	#pragma mark - drawing


void
BScrollBar::_DrawArrow(BRect frame, bool forward, bool pressed, bool enabled)
{
	rgb_color base = ViewColor();
	rgb_color light = tint_color(base, B_LIGHTEN_MAX_TINT);
	rgb_color dark = tint_color(base, B_DARKEN_2_TINT);
	SetHighColor(pressed ? tint_color(base, B_DARKEN_1_TINT) : base);
	FillRect(frame);
	BeginLineArray(4);
	AddLine(frame.LeftBottom(), frame.LeftTop(), pressed ? dark : light);
	AddLine(frame.LeftTop(), frame.RightTop(), pressed ? dark : light);
	AddLine(frame.RightTop(), frame.RightBottom(), pressed ? light : dark);
	AddLine(frame.RightBottom(), frame.LeftBottom(), pressed ? light : dark);
	EndLineArray();

	BRect inner = frame.InsetByCopy(4, 4);
	BPoint middle((inner.left + inner.right) / 2,
		(inner.top + inner.bottom) / 2);
	SetHighColor(enabled ? tint_color(base, B_DARKEN_MAX_TINT)
		: tint_color(base, B_DISABLED_LABEL_TINT));
	if (fOrientation == B_VERTICAL) {
		if (forward)
			FillTriangle(BPoint(inner.left, middle.y - 2),
				BPoint(inner.right, middle.y - 2),
				BPoint(middle.x, middle.y + 2));
		else
			FillTriangle(BPoint(inner.left, middle.y + 2),
				BPoint(inner.right, middle.y + 2),
				BPoint(middle.x, middle.y - 2));
	} else {
		if (forward)
			FillTriangle(BPoint(middle.x - 2, inner.top),
				BPoint(middle.x - 2, inner.bottom),
				BPoint(middle.x + 2, middle.y));
		else
			FillTriangle(BPoint(middle.x + 2, inner.top),
				BPoint(middle.x + 2, inner.bottom),
				BPoint(middle.x - 2, middle.y));
	}
}


void
BScrollBar::Draw(BRect)
{
	BRect bounds = Bounds();
	rgb_color base = ViewColor();
	bool enabled = fMax > fMin;

	// The track, sunk a little below the arrows and the thumb.
	SetHighColor(tint_color(base, B_DARKEN_1_TINT));
	FillRect(bounds);

	_DrawArrow(_ArrowRect(false), false, fPressed == kArrowBack, enabled);
	_DrawArrow(_ArrowRect(true), true, fPressed == kArrowForward, enabled);

	if (enabled) {
		BRect thumb = _ThumbRect();
		SetHighColor(base);
		FillRect(thumb);
		BeginLineArray(4);
		AddLine(thumb.LeftBottom(), thumb.LeftTop(),
			tint_color(base, B_LIGHTEN_MAX_TINT));
		AddLine(thumb.LeftTop(), thumb.RightTop(),
			tint_color(base, B_LIGHTEN_MAX_TINT));
		AddLine(thumb.RightTop(), thumb.RightBottom(),
			tint_color(base, B_DARKEN_2_TINT));
		AddLine(thumb.RightBottom(), thumb.LeftBottom(),
			tint_color(base, B_DARKEN_2_TINT));
		EndLineArray();
		// Three grip lines across the middle of the thumb.
		SetHighColor(tint_color(base, B_DARKEN_2_TINT));
		BPoint middle((thumb.left + thumb.right) / 2,
			(thumb.top + thumb.bottom) / 2);
		for (int32 i = -2; i <= 2; i += 2) {
			if (fOrientation == B_VERTICAL)
				StrokeLine(BPoint(thumb.left + 3, middle.y + i),
					BPoint(thumb.right - 3, middle.y + i));
			else
				StrokeLine(BPoint(middle.x + i, thumb.top + 3),
					BPoint(middle.x + i, thumb.bottom - 3));
		}
	}

	SetHighColor(tint_color(base, B_DARKEN_3_TINT));
	StrokeRect(bounds);
}


//	#pragma mark - input


void
BScrollBar::MouseDown(BPoint where)
{
	fPressed = _PartAt(where);
	switch (fPressed) {
		case kArrowBack:
			SetValue(fValue - fSmallStep);
			break;
		case kArrowForward:
			SetValue(fValue + fSmallStep);
			break;
		case kTrackBack:
			SetValue(fValue - fLargeStep);
			break;
		case kTrackForward:
			SetValue(fValue + fLargeStep);
			break;
		case kThumb:
			fDragOffset = _Along(where) - _Along(_ThumbRect().LeftTop());
			break;
		case kNoPart:
			return;
	}
	SetMouseEventMask(B_POINTER_EVENTS);
	Invalidate();
}


void
BScrollBar::MouseMoved(BPoint where, uint32 transit,
	const BMessage* dragMessage)
{
	if (fPressed == kThumb) {
		uint32 buttons = 0;
		BPoint ignored;
		GetMouse(&ignored, &buttons, false);
		float room = _TrackLength() - _ThumbLength();
		if (room > 0) {
			float start = _Along(where) - fDragOffset - _TrackStart();
			SetValue(fMin + start / room * (fMax - fMin));
		}
		if (buttons == 0)
			MouseUp(where);
		return;
	}
	BView::MouseMoved(where, transit, dragMessage);
}


void
BScrollBar::MouseUp(BPoint where)
{
	if (fPressed != kNoPart) {
		fPressed = kNoPart;
		Invalidate();
	}
	BView::MouseUp(where);
}


void
BScrollBar::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_MOUSE_WHEEL_CHANGED:
		{
			float delta;
			if (message->FindFloat(fOrientation == B_VERTICAL
					? "be:wheel_delta_y" : "be:wheel_delta_x", &delta)
					== B_OK && delta != 0) {
				SetValue(fValue + delta * fSmallStep * 3);
			}
			break;
		}
		default:
			BView::MessageReceived(message);
			break;
	}
}


void
BScrollBar::FrameResized(float width, float height)
{
	Invalidate();
	BView::FrameResized(width, height);
}
