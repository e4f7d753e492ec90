// TTextControl: a text control with a saved text and an optional picker.
#include "TTextControl.h"

#include <Font.h>
#include <Message.h>
#include <TextView.h>
#include <Window.h>

#include "TDWindow.h"


TTextControl::TTextControl(BRect frame, const char* label, int32 maxLength,
	const char* initialText, uint32 modificationCode, uint32 messageCode,
	bool picker, bool timeOnly)
	:
	BTextControl(frame, "", label, initialText, new BMessage(messageCode),
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW | B_NAVIGABLE),
	fLabel(label != NULL ? label : ""),
	fSaved(initialText != NULL ? initialText : ""),
	fMaxLength(maxLength),
	fPicker(picker),
	fTimeOnly(timeOnly),
	fPickerWindow(NULL)
{
	SetModificationMessage(new BMessage(modificationCode));
	if (fPicker) {
		BFont font(be_bold_font);
		font.SetFace(B_BOLD_FACE | B_OUTLINED_FACE);
		font.SetSize(11);
		SetFont(&font);
		SetHighColor(60, 60, 220);
	}
}


TTextControl::~TTextControl()
{
	// An open picker must not deliver to a control that is gone.
	TDWindow* window = PickerWindow();
	if (window != NULL && window->Lock()) {
		window->ForgetControl();
		window->Quit();
	}
}


void
TTextControl::AttachedToWindow()
{
	BTextControl::AttachedToWindow();
	SetDivider(StringWidth(fLabel.String()) + 4);
	if (TextView() != NULL) {
		if (fMaxLength > 1)
			TextView()->SetMaxBytes(fMaxLength - 1);
		TextView()->SetViewColor(240, 240, 235);
	}
}


bool
TTextControl::Changed() const
{
	return fSaved != Text();
}


void
TTextControl::Revert()
{
	if (Changed())
		SetText(fSaved.String());
}


void
TTextControl::Update()
{
	fSaved = Text();
}


// The window pointer is used only while the window still exists; the
// messenger tells, as it names the window by token.
TDWindow*
TTextControl::PickerWindow() const
{
	return fPickerWindow != NULL && fPickerMessenger.IsValid()
		? fPickerWindow : NULL;
}


void
TTextControl::PickerClosed(TDWindow* window)
{
	if (window != fPickerWindow)
		return;
	fPickerWindow = NULL;
	fPickerMessenger = BMessenger();
}


void
TTextControl::MouseDown(BPoint where)
{
	MakeFocus(true);
	BPoint mouse;
	uint32 buttons = 0;
	GetMouse(&mouse, &buttons, false);
	if (!fPicker || (buttons & B_PRIMARY_MOUSE_BUTTON) == 0) {
		BTextControl::MouseDown(where);
		return;
	}

	if (PickerWindow() != NULL) {
		fPickerMessenger.SendMessage(B_QUIT_REQUESTED);
		PickerClosed(fPickerWindow);
		return;
	}

	BPoint corner = ConvertToScreen(where);
	if (fTimeOnly)
		corner -= BPoint(120, 60);
	fPickerWindow = new TDWindow(BRect(corner, corner), Label(), this, true,
		fTimeOnly);
	fPickerMessenger = BMessenger(NULL, fPickerWindow);
	fPickerWindow->Show();
}
