// eRadioButton: the page-tab look of a radio button.
#include "eRadioButton.h"

#include <Window.h>


eRadioButton::eRadioButton(BRect frame, const char* name, const char* label,
	BMessage* message, uint32 resizingMode)
	:
	BRadioButton(frame, name, label, message, resizingMode, B_WILL_DRAW)
{
	SetFontSize(11);
}


eRadioButton::~eRadioButton()
{
}


void
eRadioButton::MessageReceived(BMessage* message)
{
	BRadioButton::MessageReceived(message);
}


void
eRadioButton::MouseDown(BPoint where)
{
	BRadioButton::MouseDown(where);
}


void
eRadioButton::SetValue(int32 value)
{
	BRadioButton::SetValue(value);
	if (Window() != NULL)
		Draw(Bounds());
}


void
eRadioButton::Draw(BRect)
{
	BRect bounds = Bounds();
	SetDrawingMode(B_OP_COPY);
	SetHighColor(Parent() != NULL ? Parent()->ViewColor() : ViewColor());
	FillRect(bounds);

	// The tab reaches below the button, so its lower edge stays open.
	BRect tab = bounds;
	tab.top += 2;
	tab.bottom += 4;
	SetLowColor(tint_color(ViewColor(), B_LIGHTEN_2_TINT));

	BPoint labelAt(8, 17);
	if (Value() < B_CONTROL_ON) {
		tab.InsetBy(0, 2);
		FillRect(tab, B_SOLID_LOW);
	} else {
		tab.InsetBy(0, -1);
		labelAt.y = 14;
	}
	SetHighColor(10, 10, 10);
	if (Label() != NULL)
		DrawString(Label(), labelAt);

	SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
	StrokeRoundRect(tab, 3, 3);
	SetDrawingMode(B_OP_OVER);
}


void
eRadioButton::GetBottomRect(BRect* rect)
{
	if (rect == NULL)
		return;
	BRect frame = Frame();
	rect->left = frame.left - 8;
	rect->top = 0;
	rect->right = frame.right - 8;
	rect->bottom = 2;
}


void
eRadioButton::OpenPageFrame(BView* page, BRadioButton* tab)
{
	eRadioButton* pageTab = dynamic_cast<eRadioButton*>(tab);
	if (page == NULL || pageTab == NULL)
		return;
	BRect strip;
	pageTab->GetBottomRect(&strip);
	page->FillRect(strip, B_SOLID_LOW);
}
