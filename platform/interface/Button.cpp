// BButton in the BeOS look: a bevelled face with a dark outline, the
// label centred; pressed buttons are drawn dark with a light label.
#include <Button.h>

#include <math.h>

#include <algorithm>

#include <Window.h>


BButton::BButton(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags),
	fDrawAsDefault(false)
{
}


BButton::~BButton()
{
}


void
BButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	if (fDrawAsDefault && Window() != NULL)
		Window()->SetDefaultButton(this);
}


void
BButton::DetachedFromWindow()
{
	if (Window() != NULL && Window()->DefaultButton() == this)
		Window()->SetDefaultButton(NULL);
	BControl::DetachedFromWindow();
}


void
BButton::Draw(BRect)
{
	BRect bounds = Bounds();
	rgb_color background = ViewColor();
	bool pressed = Value() != B_CONTROL_OFF;
	bool enabled = IsEnabled();

	SetDrawingMode(B_OP_COPY);
	SetHighColor(background);
	FillRect(bounds);

	// The default button's ring, in the 3 pixels it grew by.
	if (fDrawAsDefault) {
		SetHighColor(tint_color(background, enabled ? B_DARKEN_4_TINT
			: B_DARKEN_2_TINT));
		StrokeRoundRect(bounds, 3, 3);
		SetHighColor(tint_color(background, B_DARKEN_1_TINT));
		StrokeRect(bounds.InsetByCopy(1, 1));
		bounds.InsetBy(3, 3);
	}

	rgb_color outline = tint_color(background, enabled ? B_DARKEN_MAX_TINT
		: B_DARKEN_2_TINT);
	rgb_color face = pressed ? tint_color(background, B_DARKEN_3_TINT)
		: tint_color(background, B_LIGHTEN_1_TINT);
	rgb_color light = pressed ? tint_color(background, B_DARKEN_4_TINT)
		: make_color(255, 255, 255);
	rgb_color shadow = pressed ? tint_color(background, B_DARKEN_2_TINT)
		: tint_color(background, enabled ? B_DARKEN_2_TINT : B_DARKEN_1_TINT);

	// Face, then the outline with its corners cut.
	SetHighColor(face);
	FillRect(bounds.InsetByCopy(1, 1));
	SetHighColor(outline);
	StrokeLine(BPoint(bounds.left + 1, bounds.top),
		BPoint(bounds.right - 1, bounds.top));
	StrokeLine(BPoint(bounds.left + 1, bounds.bottom),
		BPoint(bounds.right - 1, bounds.bottom));
	StrokeLine(BPoint(bounds.left, bounds.top + 1),
		BPoint(bounds.left, bounds.bottom - 1));
	StrokeLine(BPoint(bounds.right, bounds.top + 1),
		BPoint(bounds.right, bounds.bottom - 1));

	// Bevel: light above and left, shadow below and right.
	BRect bevel = bounds.InsetByCopy(1, 1);
	SetHighColor(light);
	StrokeLine(bevel.LeftTop(), BPoint(bevel.right - 1, bevel.top));
	StrokeLine(bevel.LeftTop(), BPoint(bevel.left, bevel.bottom - 1));
	SetHighColor(shadow);
	StrokeLine(BPoint(bevel.left + 1, bevel.bottom), bevel.RightBottom());
	StrokeLine(BPoint(bevel.right, bevel.top + 1), bevel.RightBottom());

	const char* label = Label();
	if (label == NULL)
		label = "";
	font_height height;
	GetFontHeight(&height);
	float width = StringWidth(label);
	float x = floorf(bounds.left + (bounds.Width() - width) / 2 + 0.5f);
	float y = floorf(bounds.top + (bounds.Height() + 1 + height.ascent
		- height.descent) / 2 + 0.5f);

	rgb_color text = pressed ? make_color(255, 255, 255) : _LabelColor();
	SetHighColor(text);
	SetLowColor(face);
	SetDrawingMode(B_OP_OVER);
	DrawString(label, BPoint(x, y));

	// The keyboard focus underlines the label.
	if (IsFocus() && Window() != NULL && Window()->IsActive()) {
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeLine(BPoint(x, y + 2), BPoint(x + width, y + 2));
	}
	SetDrawingMode(B_OP_COPY);
}


void
BButton::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	SetValue(B_CONTROL_ON);
	SetTracking(true);
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
}


void
BButton::MouseMoved(BPoint where, uint32 transit, const BMessage* drag)
{
	if (IsTracking()) {
		// The button is down only while the pointer is over it.
		SetValue(Bounds().Contains(where) && transit != B_EXITED_VIEW
			&& transit != B_OUTSIDE_VIEW ? B_CONTROL_ON : B_CONTROL_OFF);
		return;
	}
	BControl::MouseMoved(where, transit, drag);
}


void
BButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	if (Bounds().Contains(where)) {
		SetValue(B_CONTROL_ON);
		Invoke();
	}
	SetValue(B_CONTROL_OFF);
}


void
BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE)) {
		if (!IsEnabled())
			return;
		SetValue(B_CONTROL_ON);
		Invoke();
		SetValue(B_CONTROL_OFF);
		return;
	}
	BControl::KeyDown(bytes, numBytes);
}


void
BButton::MakeDefault(bool flag)
{
	BWindow* window = Window();
	if (flag == fDrawAsDefault) {
		if (flag && window != NULL && window->DefaultButton() != this)
			window->SetDefaultButton(this);
		return;
	}
	fDrawAsDefault = flag;
	if (flag) {
		ResizeBy(6, 6);
		MoveBy(-3, -3);
	} else {
		ResizeBy(-6, -6);
		MoveBy(3, 3);
	}
	if (window != NULL) {
		if (flag && window->DefaultButton() != this)
			window->SetDefaultButton(this);
		else if (!flag && window->DefaultButton() == this)
			window->SetDefaultButton(NULL);
	}
	Invalidate();
}


void
BButton::SetLabel(const char* label)
{
	BControl::SetLabel(label);
}


void
BButton::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float labelWidth = StringWidth(Label() != NULL ? Label() : "");
	float w = std::max(labelWidth + 20, 75.0f);
	float h = ceilf(fontHeight.ascent + fontHeight.descent) + 12;
	if (fDrawAsDefault) {
		w += 6;
		h += 6;
	}
	if (width != NULL)
		*width = w;
	if (height != NULL)
		*height = h;
}


status_t
BButton::Invoke(BMessage* message)
{
	return BControl::Invoke(message);
}
