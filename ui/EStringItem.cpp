// EStringItem: model names in the fixed font, missing models in red.
#include "EStringItem.h"

#include <string.h>

#include <Font.h>
#include <Looper.h>
#include <Message.h>

#include <Labels.h>


EStringItem::EStringItem(const char* text, BMessage* message,
	uint32 outlineLevel, bool expanded)
	:
	BStringItem(text, outlineLevel, expanded),
	BView(BRect(0, 0, 400, 30), text, B_FOLLOW_NONE, B_WILL_DRAW),
	fSelected(false),
	fMessage(message)
{
}


EStringItem::~EStringItem()
{
}


void
EStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	if (owner == NULL)
		return;

	// The selection is reported by a posted message, so the receiver may
	// change the list without disturbing the drawing in progress.
	if (IsSelected() || complete) {
		fSelected = IsSelected();
		if (fSelected && fMessage != NULL && owner->Looper() != NULL)
			owner->Looper()->PostMessage(fMessage, owner);
	}

	const char* text = Text() != NULL ? Text() : "";
	if (strstr(text, getLabel(42)) != NULL
		|| strstr(text, getLabel(44)) != NULL)
		owner->SetHighColor(200, 10, 10);
	else
		owner->SetHighColor(10, 10, 10);

	BFont font(be_fixed_font);
	font.SetSize(11);
	owner->SetFont(&font);
	BStringItem::DrawItem(owner, frame, complete);
	owner->SetHighColor(10, 10, 10);
}
