// The Deskbar item of scanlet.
#include "ScanletView.h"

#include "DeskbarItem.h"


ScanletView::ScanletView()
	:
	BView(BRect(0, 0, 15, 15), kDeskbarItemName, B_FOLLOW_NONE, B_WILL_DRAW)
{
}


// A card with its coil: a rounded rectangle and two rings.
void
ScanletView::Draw(BRect)
{
	rgb_color card = { 250, 220, 90, 255 };
	rgb_color ink = { 60, 60, 60, 255 };
	BRect frame = Bounds().InsetByCopy(1, 3);
	SetHighColor(card);
	FillRoundRect(frame, 2, 2);
	SetHighColor(ink);
	StrokeRoundRect(frame, 2, 2);
	BPoint center((frame.left + frame.right) / 2,
		(frame.top + frame.bottom) / 2);
	StrokeEllipse(center, 4, 3);
	StrokeEllipse(center, 2, 1);
}
