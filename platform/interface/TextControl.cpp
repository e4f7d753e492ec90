// BTextControl: the label is drawn by the control, the field is a one-line
// BTextView child (a QLineEdit inside) in a sunken frame right of the
// divider.
#include <TextControl.h>

#include <math.h>
#include <string.h>

#include <Message.h>
#include <Window.h>

namespace BPrivate {

// The field of a text control. Enter and Tab belong to the control; every
// other key edits the text.
class TextInput : public BTextView {
public:
	TextInput(BTextControl* control, BRect frame)
		:
		BTextView(frame, "_input_", frame.OffsetToCopy(0, 0),
			B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP_BOTTOM, B_WILL_DRAW),
		fControl(control)
	{
		_SetSingleLine();
		SetWordWrap(false);
	}

	void KeyDown(const char* bytes, int32 numBytes) override
	{
		if (numBytes > 0 && bytes[0] == B_ENTER) {
			// Enter invokes every time; leaving the field afterwards
			// invokes only when the text changed again.
			if (fControl->IsEnabled()) {
				fControl->Invoke();
				fPrevious = Text();
				SelectAll();
			}
			return;
		}
		if (numBytes > 0 && bytes[0] == B_TAB) {
			_Navigate(Window() != NULL
				&& Window()->CurrentMessage() != NULL
				&& (Window()->CurrentMessage()->GetInt32("modifiers", 0)
					& B_SHIFT_KEY) != 0);
			return;
		}
		BTextView::KeyDown(bytes, numBytes);
	}

	void MakeFocus(bool focus) override
	{
		if (focus == IsFocus())
			return;
		BTextView::MakeFocus(focus);
		if (focus) {
			fPrevious = Text();
		} else if (fPrevious != Text()) {
			fPrevious = Text();
			if (fControl->IsEnabled())
				fControl->Invoke();
		}
		fControl->Invalidate();
	}

	void SetBaseline(const char* text) { fPrevious = text; }

protected:
	void _TextModifiedByUser() override
	{
		fControl->_UserModified();
	}

private:
	// The focus moves to the next (or previous) navigable view of the
	// window, in the order of the view tree.
	void _Navigate(bool backward)
	{
		BWindow* window = Window();
		if (window == NULL)
			return;
		BList views;
		BList stack;
		for (int32 i = window->CountChildren() - 1; i >= 0; i--)
			stack.AddItem(window->ChildAt(i));
		while (!stack.IsEmpty()) {
			BView* view = (BView*)stack.RemoveItem(stack.CountItems() - 1);
			if (view->IsHidden())
				continue;
			BControl* control = dynamic_cast<BControl*>(view);
			if ((view->Flags() & B_NAVIGABLE) != 0
				&& (control == NULL || control->IsEnabled()))
				views.AddItem(view);
			for (int32 i = view->CountChildren() - 1; i >= 0; i--)
				stack.AddItem(view->ChildAt(i));
		}
		int32 count = views.CountItems();
		int32 index = views.IndexOf(fControl);
		if (count == 0 || (count == 1 && index == 0))
			return;
		int32 next = index < 0 ? 0
			: (index + (backward ? count - 1 : 1)) % count;
		((BView*)views.ItemAt(next))->MakeFocus(true);
	}

	BTextControl*	fControl;
	BString			fPrevious;
};

}	// namespace BPrivate

using BPrivate::TextInput;


BTextControl::BTextControl(BRect frame, const char* name, const char* label,
	const char* initialText, BMessage* message, uint32 resizingMode,
	uint32 flags)
	:
	BControl(frame, name, label, message, resizingMode,
		flags | B_FRAME_EVENTS),
	fText(NULL),
	fModificationMessage(NULL),
	fLabelAlignment(B_ALIGN_LEFT),
	fDivider(0)
{
	if (label != NULL && label[0] != '\0')
		fDivider = floorf(Bounds().Width() / 2);
	// As in the BeOS look, the control takes the height its font needs
	// whatever the frame asked for, keeping its top: a taller frame would
	// otherwise run its field into the views laid out below it.
	float height;
	GetPreferredSize(NULL, &height);
	ResizeTo(Bounds().Width(), height);
	fText = new TextInput(this, _TextFrame());
	fText->SetText(initialText);
	fText->SetBaseline(fText->Text());
	AddChild(fText);
}


BTextControl::~BTextControl()
{
	delete fModificationMessage;
}


BRect
BTextControl::_TextFrame() const
{
	BRect bounds = Bounds();
	return BRect(fDivider + 3, 3, std::max(fDivider + 4, bounds.right - 3),
		std::max(4.0f, bounds.bottom - 3));
}


void
BTextControl::_LayoutTextView()
{
	BRect frame = _TextFrame();
	fText->MoveTo(frame.LeftTop());
	fText->ResizeTo(frame.Width(), frame.Height());
	fText->SetTextRect(frame.OffsetToCopy(0, 0));
}


void
BTextControl::AttachedToWindow()
{
	BControl::AttachedToWindow();
	_LayoutTextView();
}


void
BTextControl::FrameResized(float width, float height)
{
	_LayoutTextView();
	BControl::FrameResized(width, height);
}


void
BTextControl::Draw(BRect)
{
	BRect bounds = Bounds();
	rgb_color base = ViewColor();
	font_height height;
	GetFontHeight(&height);

	const char* label = Label();
	if (label != NULL && label[0] != '\0') {
		float width = StringWidth(label);
		float x = 0;
		if (fLabelAlignment == B_ALIGN_RIGHT)
			x = fDivider - width - 3;
		else if (fLabelAlignment == B_ALIGN_CENTER)
			x = floorf((fDivider - width) / 2);
		float y = floorf((bounds.top + bounds.bottom + 1 + height.ascent
			- height.descent) / 2);
		SetHighColor(_LabelColor());
		SetLowColor(base);
		SetDrawingMode(B_OP_OVER);
		DrawString(label, BPoint(x, y));
		SetDrawingMode(B_OP_COPY);
	}

	// The sunken frame around the field; blue inside while it is focus.
	BRect frame = fText->Frame().InsetByCopy(-2, -2);
	bool focus = fText->IsFocus() && Window() != NULL;
	rgb_color shadow = tint_color(base, B_DARKEN_1_TINT);
	rgb_color light = tint_color(base, B_LIGHTEN_MAX_TINT);
	rgb_color dark = IsEnabled() ? tint_color(base, B_DARKEN_4_TINT)
		: tint_color(base, B_DARKEN_2_TINT);
	rgb_color navigation = ui_color(B_KEYBOARD_NAVIGATION_COLOR);
	rgb_color field = fText->ViewColor();
	BeginLineArray(8);
	AddLine(frame.LeftBottom(), frame.LeftTop(), shadow);
	AddLine(frame.LeftTop(), frame.RightTop(), shadow);
	AddLine(frame.RightTop(), frame.RightBottom(), light);
	AddLine(frame.RightBottom(), frame.LeftBottom(), light);
	frame.InsetBy(1, 1);
	AddLine(frame.LeftBottom(), frame.LeftTop(), focus ? navigation : dark);
	AddLine(frame.LeftTop(), frame.RightTop(), focus ? navigation : dark);
	AddLine(frame.RightTop(), frame.RightBottom(), focus ? navigation : field);
	AddLine(frame.RightBottom(), frame.LeftBottom(),
		focus ? navigation : field);
	EndLineArray();
}


void
BTextControl::MouseDown(BPoint where)
{
	if (IsEnabled() && !fText->IsFocus())
		fText->MakeFocus(true);
	BControl::MouseDown(where);
}


void
BTextControl::MakeFocus(bool focus)
{
	fText->MakeFocus(focus);
}


void
BTextControl::MessageReceived(BMessage* message)
{
	BControl::MessageReceived(message);
}


void
BTextControl::SetFont(const BFont* font, uint32 mask)
{
	BControl::SetFont(font, mask);
	if (fText != NULL)
		fText->SetFont(font, mask);
	Invalidate();
}


void
BTextControl::SetText(const char* text)
{
	fText->SetText(text);
	fText->SetBaseline(fText->Text());
}


const char*
BTextControl::Text() const
{
	return fText->Text();
}


void
BTextControl::SetLabel(const char* label)
{
	BControl::SetLabel(label);
	Invalidate();
}


void
BTextControl::SetEnabled(bool enabled)
{
	if (enabled == IsEnabled())
		return;
	if (!enabled && fText->IsFocus())
		fText->MakeFocus(false);
	BControl::SetEnabled(enabled);
	fText->MakeEditable(enabled);
	fText->MakeSelectable(enabled);
	rgb_color color = enabled ? make_color(0, 0, 0)
		: tint_color(ViewColor(), B_DISABLED_LABEL_TINT);
	fText->SetFontAndColor(NULL, 0, &color);
	Invalidate();
}


void
BTextControl::SetModificationMessage(BMessage* message)
{
	if (message == fModificationMessage)
		return;
	delete fModificationMessage;
	fModificationMessage = message;
}


void
BTextControl::_UserModified()
{
	if (fModificationMessage != NULL)
		Invoke(fModificationMessage);
}


void
BTextControl::SetAlignment(alignment label, alignment text)
{
	fLabelAlignment = label;
	fText->SetAlignment(text);
	Invalidate();
}


void
BTextControl::GetAlignment(alignment* label, alignment* text) const
{
	if (label != NULL)
		*label = fLabelAlignment;
	if (text != NULL)
		*text = fText->Alignment();
}


void
BTextControl::SetDivider(float position)
{
	fDivider = floorf(position + 0.5f);
	_LayoutTextView();
	Invalidate();
}


BTextView*
BTextControl::TextView() const
{
	return fText;
}


void
BTextControl::GetPreferredSize(float* width, float* height)
{
	font_height fontHeight;
	GetFontHeight(&fontHeight);
	if (width != NULL) {
		const char* label = Label();
		float labelWidth = label != NULL ? StringWidth(label) : 0;
		*width = std::max(Bounds().Width(), labelWidth + 60);
	}
	if (height != NULL) {
		*height = ceilf(fontHeight.ascent + fontHeight.descent
			+ fontHeight.leading) + 7;
	}
}


void
BTextControl::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}
