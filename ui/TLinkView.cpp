// TLinkView: caption and value in a rounded frame; clicks go to the parent.
#include "TLinkView.h"

#include <stdio.h>

#include <Message.h>
#include <Window.h>

#include <Labels.h>

static const uint32 kMsgLinkClicked = 'Dtel';


TLinkView::TLinkView(BRect frame, const char* caption, const char* value,
	int32 index, uint32 resizingMode, uint32 flags)
	:
	BStringView(frame, caption, value, resizingMode, flags),
	fIndex(index),
	fValue(value != NULL ? value : ""),
	fCaption(caption != NULL ? caption : "")
{
	SetAlignment(B_ALIGN_RIGHT);
	BFont font(be_plain_font);
	font.SetSize(10);
	SetFont(&font);
}


TLinkView::~TLinkView()
{
}


void
TLinkView::AttachedToWindow()
{
	BStringView::AttachedToWindow();
	SetViewColor(240, 240, 235);
	SetLowColor(240, 240, 235);
}


void
TLinkView::Draw(BRect updateRect)
{
	// A value that names no day model stands out in red.
	if (fValue == getLabel(44))
		SetHighColor(210, 110, 110);
	else
		SetHighColor(110, 110, 210);
	BStringView::Draw(updateRect);

	SetHighColor(10, 10, 10);
	DrawString(fCaption.String(), BPoint(4, 10));
	StrokeRoundRect(Bounds(), 3, 3);
}


void
TLinkView::MouseDown(BPoint)
{
	printf(" TLinkView MouseDown pressed\n");
	BMessage message(kMsgLinkClicked);
	message.AddString("_dModel", fValue.String());
	message.AddString("_dFNr", fCaption.String());
	message.AddInt32("_dIdx", fIndex);
	if (Parent() != NULL)
		Parent()->MessageReceived(&message);
	else if (Window() != NULL)
		Window()->MessageReceived(&message);
}
