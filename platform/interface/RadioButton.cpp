// BRadioButton in the BeOS look: a sunken white circle with a dark dot
// when chosen, the label to its right.
#include <RadioButton.h>

#include <math.h>

#include <algorithm>

#include <Window.h>


BRadioButton::BRadioButton(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags)
{
}


BRadioButton::~BRadioButton()
{
}


void
BRadioButton::Draw(BRect)
{
	rgb_color background = ViewColor();
	bool enabled = IsEnabled();
	SetDrawingMode(B_OP_COPY);

	BRect circle = _MarkFrame();
	rgb_color dark = tint_color(background, enabled ? B_DARKEN_3_TINT
		: B_DARKEN_2_TINT);
	rgb_color white = make_color(255, 255, 255);
	SetHighColor(_IsOutlined() ? tint_color(background, B_DARKEN_1_TINT)
		: (enabled ? white : tint_color(background, B_LIGHTEN_1_TINT)));
	FillEllipse(circle);
	// Sunken rim: a dark ring, darkest inside on the upper left.
	SetHighColor(dark);
	StrokeEllipse(circle);
	SetHighColor(tint_color(background, enabled ? B_DARKEN_MAX_TINT
		: B_DARKEN_3_TINT));
	StrokeArc(circle.InsetByCopy(1, 1), 45, 180);

	if (Value() != B_CONTROL_OFF) {
		BRect dot = circle.InsetByCopy(3, 3);
		SetHighColor(enabled ? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
			: tint_color(background, B_DARKEN_2_TINT));
		FillEllipse(dot);
	}

	const char* label = Label();
	if (label != NULL) {
		font_height height;
		GetFontHeight(&height);
		float x = circle.right + 6;
		float y = floorf(Bounds().top + (Bounds().Height() + 1
			+ height.ascent - height.descent) / 2 + 0.5f);
		SetHighColor(_LabelColor());
		SetLowColor(background);
		SetDrawingMode(B_OP_OVER);
		DrawString(label, BPoint(x, y));
		if (IsFocus() && Window() != NULL && Window()->IsActive()) {
			SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
			StrokeLine(BPoint(x, y + 2), BPoint(x + StringWidth(label),
				y + 2));
		}
		SetDrawingMode(B_OP_COPY);
	}
}


// Turning a radio button on turns its sibling radio buttons off.
void
BRadioButton::SetValue(int32 value)
{
	if (value != B_CONTROL_OFF)
		value = B_CONTROL_ON;
	if (value == Value())
		return;
	BControl::SetValue(value);
	if (value == B_CONTROL_OFF || (Parent() == NULL && Window() == NULL))
		return;
	BView* parent = Parent();
	int32 count = parent != NULL ? parent->CountChildren()
		: Window()->CountChildren();
	for (int32 i = 0; i < count; i++) {
		BView* sibling = parent != NULL ? parent->ChildAt(i)
			: Window()->ChildAt(i);
		BRadioButton* radio = dynamic_cast<BRadioButton*>(sibling);
		if (radio != NULL && radio != this && radio->Value() != B_CONTROL_OFF)
			radio->SetValue(B_CONTROL_OFF);
	}
}


void
BRadioButton::MouseDown(BPoint)
{
	_StartPress();
}


void
BRadioButton::MouseMoved(BPoint where, uint32 transit, const BMessage* drag)
{
	if (!_PressMoved(where, transit))
		BControl::MouseMoved(where, transit, drag);
}


void
BRadioButton::MouseUp(BPoint where)
{
	if (_EndPress(where)) {
		SetValue(B_CONTROL_ON);
		Invoke();
	}
}


void
BRadioButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE)) {
		if (!IsEnabled())
			return;
		SetValue(B_CONTROL_ON);
		Invoke();
		return;
	}
	BControl::KeyDown(bytes, numBytes);
}


void
BRadioButton::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float labelWidth = Label() != NULL ? StringWidth(Label()) : 0;
	if (width != NULL)
		*width = ceilf(12 + 6 + labelWidth + 2);
	if (height != NULL)
		*height = std::max(ceilf(fontHeight.ascent + fontHeight.descent),
			12.0f) + 2;
}


status_t
BRadioButton::Invoke(BMessage* message)
{
	return BControl::Invoke(message);
}
