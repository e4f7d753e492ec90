// BListItem and BStringItem.
#include <ListItem.h>

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <Font.h>
#include <InterfaceDefs.h>
#include <View.h>


BListItem::BListItem(uint32 outlineLevel, bool expanded)
	:
	fTop(0),
	fWidth(0),
	fHeight(0),
	fLevel(outlineLevel),
	fSelected(false),
	fEnabled(true),
	fExpanded(expanded),
	fHasSubitems(false)
{
}


BListItem::~BListItem()
{
}


void
BListItem::Update(BView* owner, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	fWidth = owner != NULL ? owner->Bounds().Width() : 0;
	fHeight = ceilf(height.ascent + height.descent + height.leading) + 1;
}


BStringItem::BStringItem(const char* text, uint32 outlineLevel,
	bool expanded)
	:
	BListItem(outlineLevel, expanded),
	fText(text != NULL ? strdup(text) : NULL),
	fBaselineOffset(0)
{
}


BStringItem::~BStringItem()
{
	free(fText);
}


void
BStringItem::SetText(const char* text)
{
	free(fText);
	fText = text != NULL ? strdup(text) : NULL;
}


void
BStringItem::Update(BView* owner, const BFont* font)
{
	font_height height;
	font->GetHeight(&height);
	SetWidth(fText != NULL ? font->StringWidth(fText) : 0);
	SetHeight(ceilf(height.ascent + height.descent + height.leading) + 4);
	fBaselineOffset = 2 + ceilf(height.ascent + height.leading / 2);
	(void)owner;
}


void
BStringItem::DrawItem(BView* owner, BRect frame, bool complete)
{
	if (fText == NULL || owner == NULL)
		return;
	rgb_color high = owner->HighColor();
	rgb_color low = owner->LowColor();
	if (IsSelected() || complete) {
		rgb_color fill = IsSelected()
			? tint_color(owner->ViewColor(), B_HIGHLIGHT_BACKGROUND_TINT)
			: owner->ViewColor();
		owner->SetHighColor(fill);
		owner->SetLowColor(fill);
		owner->FillRect(frame);
	}
	owner->SetHighColor(IsEnabled() ? high
		: tint_color(owner->ViewColor(), B_DISABLED_LABEL_TINT));
	owner->SetDrawingMode(B_OP_OVER);
	owner->MovePenTo(frame.left + 4, frame.top + fBaselineOffset);
	owner->DrawString(fText);
	owner->SetDrawingMode(B_OP_COPY);
	owner->SetHighColor(high);
	owner->SetLowColor(low);
}
