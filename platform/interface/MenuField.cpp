// BMenuField: the label left of the divider, a raised pop-up button with
// the menu's label and a small triangle right of it.
#include <MenuField.h>

#include <math.h>

#include <algorithm>

#include <Menu.h>
#include <MenuItem.h>
#include <Window.h>


BMenuField::BMenuField(BRect frame, const char* name, const char* label,
	BMenu* menu, uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_WILL_DRAW),
	fFixedSize(false)
{
	_Init(label, menu);
}


BMenuField::BMenuField(BRect frame, const char* name, const char* label,
	BMenu* menu, bool fixedSize, uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_WILL_DRAW),
	fFixedSize(fixedSize)
{
	_Init(label, menu);
}


void
BMenuField::_Init(const char* label, BMenu* menu)
{
	fLabel = label != NULL ? label : "";
	fMenu = menu;
	fAlignment = B_ALIGN_LEFT;
	fEnabled = true;
	fDivider = label != NULL && label[0] != '\0'
		? floorf(StringWidth(label) + 6) : 0;
	if (fMenu != NULL)
		fMenu->fField = this;
}


BMenuField::~BMenuField()
{
	if (fMenu != NULL) {
		fMenu->fField = NULL;
		delete fMenu;
	}
}


void
BMenuField::AttachedToWindow()
{
	if (Parent() != NULL && HasDefaultColors()) {
		SetViewColor(Parent()->ViewColor());
		SetLowColor(Parent()->ViewColor());
	}
	BView::AttachedToWindow();
}


BRect
BMenuField::_MenuFrame() const
{
	BRect bounds = Bounds();
	font_height height;
	GetFontHeight(&height);
	float buttonHeight = ceilf(height.ascent + height.descent) + 6;
	float top = std::max(0.0f, floorf((bounds.Height() - buttonHeight) / 2));
	float right = bounds.right - 2;
	if (fFixedSize && fMenu != NULL) {
		// A fixed button fits its widest item.
		float widest = StringWidth(fMenu->Name() != NULL ? fMenu->Name()
			: "");
		for (int32 i = 0; i < fMenu->CountItems(); i++)
			widest = std::max(widest, StringWidth(fMenu->ItemAt(i)->Label()));
		right = std::min(right, fDivider + 1 + widest + 28);
	}
	return BRect(fDivider + 1, top, std::max(fDivider + 20, right),
		std::min(bounds.bottom - 1, top + buttonHeight));
}


void
BMenuField::Draw(BRect)
{
	rgb_color base = ViewColor();
	font_height height;
	GetFontHeight(&height);
	bool enabled = fEnabled && (fMenu == NULL || fMenu->IsEnabled());
	BRect frame = _MenuFrame();
	float baseline = floorf((frame.top + frame.bottom + 1 + height.ascent
		- height.descent) / 2);

	if (fLabel.Length() > 0) {
		float width = StringWidth(fLabel.String());
		float x = 0;
		if (fAlignment == B_ALIGN_RIGHT)
			x = fDivider - width - 3;
		else if (fAlignment == B_ALIGN_CENTER)
			x = floorf((fDivider - width) / 2);
		SetHighColor(enabled ? make_color(0, 0, 0)
			: tint_color(base, B_DISABLED_LABEL_TINT));
		SetDrawingMode(B_OP_OVER);
		DrawString(fLabel.String(), BPoint(x, baseline));
		SetDrawingMode(B_OP_COPY);
	}

	// The button: raised, with a dark shadow on the right and below.
	rgb_color face = ui_color(B_MENU_BACKGROUND_COLOR);
	BRect button = frame;
	button.right -= 1;
	button.bottom -= 1;
	SetHighColor(face);
	FillRect(button);
	BeginLineArray(6);
	AddLine(button.LeftBottom(), button.LeftTop(),
		tint_color(face, B_LIGHTEN_MAX_TINT));
	AddLine(button.LeftTop(), button.RightTop(),
		tint_color(face, B_LIGHTEN_MAX_TINT));
	AddLine(button.RightTop(), button.RightBottom(),
		tint_color(face, B_DARKEN_2_TINT));
	AddLine(button.RightBottom(), button.LeftBottom(),
		tint_color(face, B_DARKEN_2_TINT));
	AddLine(BPoint(frame.right, frame.top + 1), frame.RightBottom(),
		tint_color(base, B_DARKEN_4_TINT));
	AddLine(frame.RightBottom(), BPoint(frame.left + 1, frame.bottom),
		tint_color(base, B_DARKEN_4_TINT));
	EndLineArray();
	if (IsFocus() && Window() != NULL) {
		SetHighColor(ui_color(B_KEYBOARD_NAVIGATION_COLOR));
		StrokeLine(BPoint(button.left + 4, button.bottom - 2),
			BPoint(button.right - 14, button.bottom - 2));
	}

	const char* text = fMenu != NULL ? fMenu->_FieldLabel() : "";
	BString shown(text);
	float room = button.Width() - 22;
	BFont font;
	GetFont(&font);
	font.TruncateString(&shown, B_TRUNCATE_END, std::max(room, 0.0f));
	SetHighColor(enabled ? ui_color(B_MENU_ITEM_TEXT_COLOR)
		: tint_color(face, B_DISABLED_LABEL_TINT));
	SetDrawingMode(B_OP_OVER);
	DrawString(shown.String(), BPoint(button.left + 6, baseline));
	SetDrawingMode(B_OP_COPY);

	// The pop-up triangle.
	float middle = floorf((button.top + button.bottom) / 2);
	float x = button.right - 12;
	SetHighColor(enabled ? tint_color(face, B_DARKEN_MAX_TINT)
		: tint_color(face, B_DISABLED_LABEL_TINT));
	FillTriangle(BPoint(x, middle - 2), BPoint(x + 6, middle - 2),
		BPoint(x + 3, middle + 1));
}


void
BMenuField::_OpenMenu()
{
	if (fMenu == NULL || !fEnabled || !fMenu->IsEnabled() || fMenu->_IsOpen())
		return;
	BRect frame = _MenuFrame();
	fMenu->_Open(ConvertToScreen(BPoint(frame.left, frame.bottom + 1)));
}


void
BMenuField::MouseDown(BPoint where)
{
	if (_MenuFrame().Contains(where) || where.x >= fDivider)
		_OpenMenu();
}


void
BMenuField::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && (bytes[0] == B_SPACE || bytes[0] == B_DOWN_ARROW
			|| bytes[0] == B_ENTER)) {
		_OpenMenu();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BMenuField::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	Invalidate();
}


void
BMenuField::SetLabel(const char* label)
{
	fLabel = label != NULL ? label : "";
	Invalidate();
}


void
BMenuField::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	if (!enabled && IsFocus())
		MakeFocus(false);
	Invalidate();
}


void
BMenuField::SetAlignment(alignment label)
{
	fAlignment = label;
	Invalidate();
}


void
BMenuField::SetDivider(float position)
{
	fDivider = floorf(position + 0.5f);
	Invalidate();
}


void
BMenuField::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	float widest = 0;
	if (fMenu != NULL) {
		widest = StringWidth(fMenu->_FieldLabel());
		for (int32 i = 0; i < fMenu->CountItems(); i++)
			widest = std::max(widest, StringWidth(fMenu->ItemAt(i)->Label()));
	}
	if (width != NULL)
		*width = fDivider + widest + 32;
	if (height != NULL)
		*height = ceilf(fontHeight.ascent + fontHeight.descent) + 9;
}


void
BMenuField::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}
