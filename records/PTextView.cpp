// PTextView: the protocol page.
#include "PTextView.h"

#include <Font.h>
#include <Message.h>
#include <ScrollView.h>
#include <TextView.h>

#include <stdio.h>

#include <STimeModels.h>
#include <eRadioButton.h>


PTextView::PTextView(BRect frame, const char* name, BRadioButton* tab)
	:
	BBox(frame, name, B_FOLLOW_ALL, B_WILL_DRAW | B_FRAME_EVENTS),
	fModels(STimeModels::getTimeModels()),
	fTabButton(tab),
	fTextView(NULL),
	fScrollView(NULL)
{
	SetViewColor(216, 216, 216);
	SetFontSize(11);

	BRect bounds = Bounds();
	BRect textFrame(bounds.left + 10, bounds.top + 25, bounds.right - 23,
		bounds.bottom - 10);
	BRect textRect = textFrame.OffsetToCopy(0, 0);
	textRect.top += 3;
	textRect.bottom -= 3;

	// The fixed font, as large as fits a line of the protocol's pitch.
	BFont font(be_fixed_font);
	float size = 14;
	font.SetSize(size);
	font_height height;
	font.GetHeight(&height);
	while (height.ascent > 11 && size > 1.5) {
		size -= 1.5;
		font.SetSize(size);
		font.GetHeight(&height);
	}

	fTextView = new BTextView(textFrame, "text_view", textRect,
		B_FOLLOW_ALL, B_WILL_DRAW | B_NAVIGABLE);
	fTextView->SetFontAndColor(&font);
	fTextView->SetViewColor(250, 249, 245);
	fScrollView = new BScrollView("scroll_view", fTextView, B_FOLLOW_ALL, 0,
		false, true);
	AddChild(fScrollView);
}


PTextView::~PTextView()
{
}


void
PTextView::Draw(BRect updateRect)
{
	BBox::Draw(updateRect);
	// The page's frame stays open under its tab.
	eRadioButton::OpenPageFrame(this, fTabButton);
}


void
PTextView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case 'TICK':
		case '_DPD':
		case '_MCH':
		case '_PBL':
		case '_UKU':
			break;
		case '_MWC':
			fTextView->MessageReceived(message);
			break;
		case B_GET_PROPERTY:
		case B_SET_PROPERTY:
		case B_EXECUTE_PROPERTY:
		case B_COUNT_PROPERTIES:
		case B_GET_SUPPORTED_SUITES:
			BBox::MessageReceived(message);
			break;
		default:
			printf("PTextView ?? \n");
			message->PrintToStream();
			break;
	}
}
