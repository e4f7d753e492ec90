// BuchView: the booking page of the records window.
#include "BuchView.h"

#include <stdio.h>
#include <string.h>

#include <Button.h>
#include <Message.h>
#include <RadioButton.h>
#include <ScrollBar.h>
#include <Window.h>

#include <BuchungsListe.h>
#include <Labels.h>
#include <TDView.h>
#include <eRadioButton.h>
#include <fBuchung.h>

#include "EntryView.h"
#include "TBuView.h"

static const uint32 kMsgTick = 'TICK';
static const uint32 kMsgModifiersChanged = '_MCH';

static const rgb_color kPageColor = { 216, 216, 216, 255 };
static const rgb_color kContainerColor = { 250, 250, 245, 255 };
static const rgb_color kScrollBarColor = { 250, 100, 100, 255 };

// Pixels the rows move per unit of wheel.
static const float kWheelStep = 80;


BuchView::BuchView(BRect frame, const char* name, BRadioButton* pageButton)
	:
	BBox(frame, name, B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW | B_FRAME_EVENTS | B_NAVIGABLE_JUMP, B_PLAIN_BORDER),
	fPageButton(pageButton),
	fPath("Empty"),
	fSaveButton(NULL),
	fList(NULL),
	fPicker(NULL),
	fContainer(NULL),
	fScrollBar(NULL),
	fModEntry(-1)
{
	SetViewColor(kPageColor);
	SetLowColor(kPageColor);
	SetFontSize(11);

	BRect bounds = Bounds();
	float l = bounds.left, t = bounds.top, r = bounds.right;

	fSaveButton = new BButton(BRect(r - 120, t + 15, r - 7, t + 35), "smodf",
		getLabel(50), new BMessage(kMsgBuchSave),
		B_FOLLOW_RIGHT | B_FOLLOW_TOP);
	AddChild(fSaveButton);

	fContainer = new TBuView(BRect(l + 10, t + 49, r - 26, t + 332),
		"fBuchungen");
	fContainer->SetFontSize(9);
	fContainer->SetViewColor(kContainerColor);
	AddChild(fContainer);

	fScrollBar = new BScrollBar(BRect(r - 22, t + 49, r - 8, t + 332),
		"scroll_BarB", fContainer, 0, 0, B_VERTICAL);
	fScrollBar->SetResizingMode(B_FOLLOW_RIGHT | B_FOLLOW_TOP_BOTTOM);
	fScrollBar->SetViewColor(kScrollBarColor);
	fScrollBar->SetProportion(1);
	fScrollBar->SetSteps(15, 30);
	AddChild(fScrollBar);

	FixupScrollbar();
	fSaveButton->Hide();
}


BuchView::~BuchView()
{
	// The picker refers to rows of the list; it goes first.
	_ClosePicker();
}


void
BuchView::SetBuchungsListe(BuchungsListe* list)
{
	CancelEdit();
	fList = list;
	fEditor.SetList(list);
	fContainer->SetList(list);
	_Rebuild();
}


void
BuchView::SetFilePath(const char* path)
{
	if (path == NULL || path[0] == '\0')
		path = "Empty";
	if (fPath != path) {
		fPath = path;
		// Another employee's list starts at its first row.
		fScrollBar->SetValue(0);
	}
	Invalidate();
}


void
BuchView::CancelEdit()
{
	_ClosePicker();
	// Closing without a time only resets the row's highlight, and only
	// while that row is still in the list.
	if (fEditor.ModificationOpen())
		fEditor.ApplyTimeResult(true, NULL, NULL);
	fModEntry = -1;
}


void
BuchView::HideSaveButton()
{
	if (!fSaveButton->IsHidden(fSaveButton))
		fSaveButton->Hide();
}


void
BuchView::_ClosePicker()
{
	if (fPicker == NULL)
		return;
	TDView* picker = fPicker;
	fPicker = NULL;
	picker->RemoveSelf();
	delete picker;
}


void
BuchView::_Rebuild()
{
	fContainer->ClearShown();
	fContainer->ShowEntrys();
	fContainer->Invalidate();
	FixupScrollbar();
	Invalidate();
}


bool
BuchView::_RowsCurrent(const BMessage* message) const
{
	// A request without the build it came from (a script) is taken as it
	// is; one from a menu of rows that were replaced meanwhile is not.
	int32 build;
	if (message->FindInt32(kBuchRowsField, &build) != B_OK)
		return true;
	return fContainer->Shown() && (uint32)build == fContainer->Builds()
		&& fList != NULL
		&& fContainer->BuiltGeneration() == fList->Generation();
}


void
BuchView::Draw(BRect updateRect)
{
	BBox::Draw(updateRect);
	// The page's frame stays open under its tab.
	eRadioButton::OpenPageFrame(this, fPageButton);
	const char* leaf = strrchr(fPath.String(), '/');
	leaf = leaf != NULL ? leaf + 1 : fPath.String();
	SetHighColor(10, 10, 10);
	DrawString(leaf, BPoint(12, 26));
	FixupScrollbar();
}


void
BuchView::FixupScrollbar()
{
	int32 rows = fList != NULL && fContainer->Shown()
		? fContainer->CountChildren() : 0;
	float visible = fContainer->Bounds().Height();
	float content = kEntryPitch * rows - 2;
	float range = content - visible;
	if (range < 0)
		range = 0;
	fScrollBar->SetRange(0, range);

	// Without rows, or rows that all fit, the thumb fills the bar.
	float proportion = content > 0 && visible < content
		? visible / content : 1;
	if (proportion < 0)
		proportion = 0;
	fScrollBar->SetProportion(proportion);

	float smallStep = visible / 8, largeStep = visible / 2;
	if (smallStep < 1)
		smallStep = 1;
	if (largeStep < 1)
		largeStep = 1;
	fScrollBar->SetSteps(smallStep, largeStep);
}


void
BuchView::Wheel2Scrollbars(BMessage* message)
{
	float delta = 0;
	if (message->FindFloat("be:wheel_delta_y", &delta) != B_OK || delta == 0)
		return;
	float min, max;
	fScrollBar->GetRange(&min, &max);
	float value = fScrollBar->Value();
	if ((value <= min && delta <= 0) || (value >= max && delta >= 0))
		return;
	fScrollBar->SetValue(value + kWheelStep * delta);
	fScrollBar->Invalidate();
}


void
BuchView::CheckWinKey(BMessage* message)
{
	int32 modifiers = 0, key = 0;
	message->FindInt32("modifiers", &modifiers);
	message->FindInt32("key", &key);
	printf("BuchView KState: %ld KKey %ld \n", (long)modifiers, (long)key);
	if (key != B_LEFT_SUPER_KEY_CODE && key != B_RIGHT_SUPER_KEY_CODE)
		return;
	if (fSaveButton->IsHidden(fSaveButton))
		fSaveButton->Show();
	else
		fSaveButton->Hide();
}


void
BuchView::DoWithList(BMessage* message)
{
	printf("BuchView::DoWithList\n");
	message->PrintToStream();

	int32 entry = 0, doThis = 0, inOut = kBuchungColumnOut;
	message->FindInt32("EntNr", &entry);
	message->FindInt32("dothis", &doThis);
	message->FindInt32("InOut", &inOut);

	if (fList == NULL) {
		printf("..No List\n");
		return;
	}

	if (message->what == kMsgBuchTime) {
		int32 quit = 0, initT = 0, backT = 0;
		message->FindInt32("_QuitMod", &quit);
		bool haveInit = message->FindInt32("_initT", &initT) == B_OK;
		bool haveBack = message->FindInt32("_backT", &backT) == B_OK;
		time_t initTime = initT, backTime = backT;
		fEditor.ApplyTimeResult(quit != 1, haveInit ? &initTime : NULL,
			haveBack ? &backTime : NULL);
		fModEntry = -1;
		_Rebuild();
		return;
	}

	if (!_RowsCurrent(message)) {
		printf("..rows changed, request dropped\n");
		return;
	}

	bool openPicker = false;
	time_t pickerTime = 0;
	status_t status = fEditor.DoWithList(entry, doThis, inOut, &openPicker,
		&pickerTime);
	if (status != B_OK)
		return;
	if (doThis == kBuchungModify || doThis == kBuchungSplit)
		fModEntry = entry;
	if (openPicker && fPicker == NULL) {
		fPicker = new TDView((long)pickerTime, "stm.", TDView::kYearMonthDay,
			true, false);
		AddChild(fPicker);
	}
	if (fPicker != NULL && fEditor.ModifiedRow() == NULL) {
		// The row under modification went (deleted, or joined into the
		// row before it): its picker has nothing to give a time to.
		CancelEdit();
	}
	_Rebuild();
}


void
BuchView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgBuchEdit:
			DoWithList(message);
			break;

		case kMsgBuchTime:
			_ClosePicker();
			DoWithList(message);
			break;

		case B_UNMAPPED_KEY_DOWN:
			CheckWinKey(message);
			break;

		case B_MOUSE_WHEEL_CHANGED:
			Wheel2Scrollbars(message);
			break;

		case kMsgTick:
		case B_KEY_DOWN:
		case B_KEY_UP:
		case kMsgModifiersChanged:
		case B_UNMAPPED_KEY_UP:
			break;

		default:
			printf("BuchView ?? \n");
			message->PrintToStream();
			BBox::MessageReceived(message);
			break;
	}
}


void
BuchView::ReadEntryFile()
{
	printf("BuchView::ReadEntryFile   return\n");
}
