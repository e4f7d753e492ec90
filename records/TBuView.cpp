// TBuView: the row container of the booking page.
#include "TBuView.h"

#include <stdio.h>

#include <Message.h>
#include <PopUpMenu.h>

#include <BuchungsListe.h>

#include "EntryView.h"

static const uint32 kMsgData = 'DATA';

// Rows shown beyond each edge of the view.
static const int32 kShownMargin = 8;


TBuView::TBuView(BRect frame, const char* name)
	:
	BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS),
	fList(NULL),
	fShown(false),
	fBuilds(0),
	fBuiltGeneration(0),
	fMenu(new BPopUpMenu("pbcontext", false, false)),
	fFirstShown(0),
	fLastShown(-1)
{
}


TBuView::~TBuView()
{
	ClearAllChilds();
	delete fMenu;
}


void
TBuView::SetList(BuchungsListe* list)
{
	fList = list;
	fShown = false;
}


void
TBuView::ShowEntrys()
{
	if (fList == NULL) {
		printf("no list..\n");
		return;
	}
	if (fShown)
		return;

	ClearAllChilds();
	BRect bounds = Bounds();
	int32 count = fList->CountItems();
	_WantedRange(&fFirstShown, &fLastShown);
	if (fLastShown >= count)
		fLastShown = count - 1;
	for (int32 i = 0; i < count; i++) {
		// A row out of view is hidden before it is added, so that it
		// costs nothing to draw until it scrolls into view.
		EntryView* row = new EntryView(bounds, "egal", i, fList->ItemAt(i),
			B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_WILL_DRAW);
		if (i < fFirstShown || i > fLastShown)
			row->Hide();
		AddChild(row);
	}
	fShown = true;
	fBuilds++;
	fBuiltGeneration = fList->Generation();
}


void
TBuView::ClearAllChilds()
{
	// From the end: each removal then finds its row at once.
	for (int32 i = CountChildren() - 1; i >= 0; i--) {
		BView* child = ChildAt(i);
		RemoveChild(child);
		delete child;
	}
	fFirstShown = 0;
	fLastShown = -1;
}


void
TBuView::_WantedRange(int32* first, int32* last) const
{
	BRect bounds = Bounds();
	*first = (int32)(bounds.top / kEntryPitch) - kShownMargin;
	if (*first < 0)
		*first = 0;
	*last = (int32)(bounds.bottom / kEntryPitch) + kShownMargin;
}


void
TBuView::_UpdateShownRows()
{
	int32 count = CountChildren();
	if (count == 0)
		return;
	int32 first, last;
	_WantedRange(&first, &last);
	if (last >= count)
		last = count - 1;
	if (first == fFirstShown && last == fLastShown)
		return;

	// Hide what leaves the range, then show what enters it.
	for (int32 i = fFirstShown; i <= fLastShown; i++) {
		if (i < first || i > last)
			ChildAt(i)->Hide();
	}
	for (int32 i = first; i <= last; i++) {
		if (i < fFirstShown || i > fLastShown)
			ChildAt(i)->Show();
	}
	fFirstShown = first;
	fLastShown = last;
}


void
TBuView::ScrollTo(BPoint where)
{
	BView::ScrollTo(where);
	_UpdateShownRows();
}


void
TBuView::FrameResized(float width, float height)
{
	BView::FrameResized(width, height);
	_UpdateShownRows();
}


void
TBuView::Draw(BRect)
{
	SetHighColor(ViewColor());
	FillRect(Bounds());
	SetHighColor(tint_color(ViewColor(), B_DARKEN_4_TINT));
	ShowEntrys();
}


void
TBuView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgData:
		case B_MOUSE_WHEEL_CHANGED:
			break;
		default:
			printf("TBuView::MessageReceived\n");
			message->PrintToStream();
			BView::MessageReceived(message);
			break;
	}
}


void
TBuView::MouseDown(BPoint where)
{
	where.PrintToStream();
}
