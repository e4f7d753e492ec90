// BCheckBox in the BeOS look: a sunken white box with a cross when on,
// the label to its right.
#include <CheckBox.h>

#include <math.h>

#include <algorithm>

#include <Window.h>


BCheckBox::BCheckBox(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode, flags)
{
}


BCheckBox::~BCheckBox()
{
}


void
BCheckBox::Draw(BRect)
{
	rgb_color background = ViewColor();
	bool enabled = IsEnabled();
	SetDrawingMode(B_OP_COPY);

	BRect box = _MarkFrame();
	rgb_color dark = tint_color(background, enabled ? B_DARKEN_3_TINT
		: B_DARKEN_2_TINT);
	rgb_color darkest = tint_color(background, enabled ? B_DARKEN_MAX_TINT
		: B_DARKEN_3_TINT);
	rgb_color white = make_color(255, 255, 255);

	// Sunken frame: dark above and left, white below and right.
	SetHighColor(dark);
	StrokeLine(box.LeftBottom(), box.LeftTop());
	StrokeLine(box.LeftTop(), box.RightTop());
	SetHighColor(white);
	StrokeLine(BPoint(box.left + 1, box.bottom), box.RightBottom());
	StrokeLine(BPoint(box.right, box.top + 1), box.RightBottom());
	BRect inner = box.InsetByCopy(1, 1);
	SetHighColor(darkest);
	StrokeLine(inner.LeftBottom(), inner.LeftTop());
	StrokeLine(inner.LeftTop(), inner.RightTop());
	SetHighColor(tint_color(background, B_LIGHTEN_1_TINT));
	StrokeLine(BPoint(inner.left + 1, inner.bottom), inner.RightBottom());
	StrokeLine(BPoint(inner.right, inner.top + 1), inner.RightBottom());

	BRect face = inner.InsetByCopy(1, 1);
	SetHighColor(_IsOutlined() ? tint_color(background, B_DARKEN_1_TINT)
		: (enabled ? white : tint_color(background, B_LIGHTEN_1_TINT)));
	FillRect(face);

	if (Value() != B_CONTROL_OFF) {
		// A cross two pixels wide, corner to corner.
		BRect m = face.InsetByCopy(1, 1);
		SetHighColor(enabled ? ui_color(B_KEYBOARD_NAVIGATION_COLOR)
			: tint_color(background, B_DARKEN_2_TINT));
		StrokeLine(m.LeftTop(), m.RightBottom());
		StrokeLine(BPoint(m.left + 1, m.top), BPoint(m.right, m.bottom - 1));
		StrokeLine(BPoint(m.left, m.top + 1), BPoint(m.right - 1, m.bottom));
		StrokeLine(m.LeftBottom(), m.RightTop());
		StrokeLine(BPoint(m.left + 1, m.bottom), BPoint(m.right, m.top + 1));
		StrokeLine(BPoint(m.left, m.bottom - 1), BPoint(m.right - 1, m.top));
	}

	const char* label = Label();
	if (label != NULL) {
		font_height height;
		GetFontHeight(&height);
		float x = box.right + 6;
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


void
BCheckBox::MouseDown(BPoint)
{
	_StartPress();
}


void
BCheckBox::MouseMoved(BPoint where, uint32 transit, const BMessage* drag)
{
	if (!_PressMoved(where, transit))
		BControl::MouseMoved(where, transit, drag);
}


void
BCheckBox::MouseUp(BPoint where)
{
	if (_EndPress(where)) {
		SetValue(Value() != B_CONTROL_OFF ? B_CONTROL_OFF : B_CONTROL_ON);
		Invoke();
	}
}


void
BCheckBox::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float labelWidth = Label() != NULL ? StringWidth(Label()) : 0;
	if (width != NULL)
		*width = ceilf(12 + 6 + labelWidth + 2);
	if (height != NULL)
		*height = std::max(ceilf(fontHeight.ascent + fontHeight.descent), 12.0f)
			+ 2;
}
