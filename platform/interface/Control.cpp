// BControl: label, value, enabled state and invocation.
#include <Control.h>

#include <math.h>

#include <Message.h>
#include <OS.h>
#include <Window.h>


BControl::BControl(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags),
	BInvoker(message, NULL, NULL),
	fLabel(label != NULL ? label : ""),
	fValue(B_CONTROL_OFF),
	fEnabled(true),
	fFocusChanging(false),
	fTracking(false),
	fOutlined(false),
	fHasLabel(label != NULL)
{
}


BControl::~BControl()
{
}


void
BControl::AttachedToWindow()
{
	// Controls take their parent's colours unless they were given some.
	if (HasDefaultColors()) {
		rgb_color color = Parent() != NULL ? Parent()->ViewColor()
			: ui_color(B_PANEL_BACKGROUND_COLOR);
		SetViewColor(color);
		SetLowColor(color);
	}
	// The window is the default target.
	if (!Messenger().IsValid())
		SetTarget(Window());
	BView::AttachedToWindow();
}


void
BControl::DetachedFromWindow()
{
	BView::DetachedFromWindow();
}


void
BControl::WindowActivated(bool active)
{
	if (IsFocus())
		Invalidate();
	BView::WindowActivated(active);
}


void
BControl::MessageReceived(BMessage* message)
{
	BView::MessageReceived(message);
}


void
BControl::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	fFocusChanging = true;
	BView::MakeFocus(focus);
	Invalidate();
	fFocusChanging = false;
}


void
BControl::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes > 0 && (bytes[0] == B_ENTER || bytes[0] == B_SPACE)) {
		if (!fEnabled)
			return;
		SetValue(Value() != B_CONTROL_OFF ? B_CONTROL_OFF : B_CONTROL_ON);
		Invoke();
		return;
	}
	BView::KeyDown(bytes, numBytes);
}


void
BControl::MouseDown(BPoint where)
{
	BView::MouseDown(where);
}


void
BControl::MouseUp(BPoint where)
{
	BView::MouseUp(where);
}


void
BControl::MouseMoved(BPoint where, uint32 transit, const BMessage* drag)
{
	BView::MouseMoved(where, transit, drag);
}


void
BControl::SetLabel(const char* label)
{
	if (label == NULL)
		label = "";
	if (fLabel == label && fHasLabel)
		return;
	fLabel = label;
	fHasLabel = true;
	Invalidate();
}


const char*
BControl::Label() const
{
	return fHasLabel ? fLabel.String() : NULL;
}


void
BControl::SetValue(int32 value)
{
	if (value == fValue)
		return;
	fValue = value;
	Invalidate();
}


void
BControl::SetValueNoUpdate(int32 value)
{
	fValue = value;
}


void
BControl::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	// A disabled control cannot keep the keyboard.
	if (!enabled && IsFocus())
		MakeFocus(false);
	Invalidate();
}


void
BControl::GetPreferredSize(float* width, float* height)
{
	BView::GetPreferredSize(width, height);
}


void
BControl::ResizeToPreferred()
{
	BView::ResizeToPreferred();
}


status_t
BControl::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	return BInvoker::Invoke(&copy);
}


rgb_color
BControl::_BackgroundColor() const
{
	return ViewColor();
}


void
BControl::_StartPress()
{
	if (!IsEnabled())
		return;
	fOutlined = true;
	fTracking = true;
	SetMouseEventMask(B_POINTER_EVENTS, B_LOCK_WINDOW_FOCUS);
	Invalidate();
}


bool
BControl::_PressMoved(BPoint where, uint32 transit)
{
	if (!fTracking)
		return false;
	bool inside = Bounds().Contains(where) && transit != B_EXITED_VIEW
		&& transit != B_OUTSIDE_VIEW;
	if (inside != fOutlined) {
		fOutlined = inside;
		Invalidate();
	}
	return true;
}


bool
BControl::_EndPress(BPoint where)
{
	if (!fTracking)
		return false;
	fTracking = false;
	fOutlined = false;
	Invalidate();
	return Bounds().Contains(where);
}


BRect
BControl::_MarkFrame() const
{
	float middle = floorf(Bounds().top + (Bounds().Height() + 1) / 2);
	float top = floorf(middle - 6);
	return BRect(1, top, 12, top + 11);
}


rgb_color
BControl::_LabelColor() const
{
	rgb_color black = { 0, 0, 0, 255 };
	if (fEnabled)
		return black;
	return tint_color(ViewColor(), B_DISABLED_LABEL_TINT);
}
