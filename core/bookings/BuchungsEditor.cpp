// BuchungsEditor: the edits of the booking page on a booking list.
#include "BuchungsEditor.h"

#include <stdio.h>

#include "BuchungsListe.h"
#include "fBuchung.h"


BuchungsEditor::BuchungsEditor(BuchungsListe* list)
	:
	fList(list),
	fModificationOpen(false),
	fModified(NULL),
	fModifiedGeneration(0)
{
}


void
BuchungsEditor::SetList(BuchungsListe* list)
{
	fList = list;
	fModified = NULL;
}


fBuchung*
BuchungsEditor::ModifiedRow() const
{
	if (!fModificationOpen || fModified == NULL || fList == NULL
		|| fList->Generation() != fModifiedGeneration
		|| fList->IndexOf(fModified) < 0)
		return NULL;
	return fModified;
}


status_t
BuchungsEditor::DoWithList(int32 entry, int32 doThis, int32 inOut,
	bool* openPicker, time_t* pickerTime)
{
	if (openPicker != NULL)
		*openPicker = false;

	if (fList == NULL) {
		printf("..No List\n");
		return B_NO_INIT;
	}
	if (doThis < kBuchungDelete || doThis > kBuchungMoveDown) {
		printf("..bad modi\n");
		return B_BAD_VALUE;
	}

	fBuchung* row = fList->ItemAt(entry);
	if (row == NULL)
		return B_BAD_INDEX;
	int32 last = fList->CountItems() - 1;

	switch (doThis) {
		case kBuchungDelete:
			row->fEditState = kBuchungEditDeleted;
			printf("DoWithList  %ld DELETE\n", (long)entry);
			if (row == fModified)
				fModified = NULL;
			delete fList->RemoveItem(entry);
			break;

		case kBuchungModify:
		{
			// One picker at a time: a second Modify would leave the first
			// row highlighted and aim the open picker at another row.
			if (fModificationOpen)
				return B_BUSY;
			if (row->IsMarker())
				return B_NOT_ALLOWED;
			row->fEditState = kBuchungEditOpen;
			fModificationOpen = true;
			fModified = row;
			fModifiedGeneration = fList->Generation();
			if (openPicker != NULL)
				*openPicker = true;
			if (pickerTime != NULL) {
				*pickerTime = inOut == kBuchungColumnOut
					? row->fTime2 : row->fTime1;
			}
			break;
		}

		case kBuchungSplit:
		{
			row->fEditState = kBuchungEditSplit;
			printf("DoWithList  %ld SPLITT\n", (long)entry);
			// A copy of a marker would name a model of its own.
			if (row->IsMarker())
				return B_NOT_ALLOWED;
			fBuchung* copy = new fBuchung(row->fKind1, row->fTime2, "cp");
			copy->fKind2 = kBuchungOut;
			copy->fEditState = kBuchungEditSplit;
			fList->AddItem(copy, entry + 1);
			break;
		}

		case kBuchungJoin:
		{
			row->fEditState = kBuchungEditJoined;
			if (entry == last) {
				printf("is on end..\n");
				break;
			}
			// Only a row that begins with an IN is written with a second
			// punch; joining onto anything else would lose the OUT.
			fBuchung* next = fList->ItemAt(entry + 1);
			if (row->fKind1 != kBuchungIn || next == NULL
				|| next->fKind2 != kBuchungOut)
				break;
			row->fKind2 = kBuchungOut;
			row->fTime2 = next->fTime2;
			row->SetText("km");
			if (next == fModified)
				fModified = NULL;
			delete fList->RemoveItem(entry + 1);
			break;
		}

		case kBuchungMoveUp:
			row->fEditState = kBuchungEditMoved;
			if (entry == 0)
				printf("is on begin..\n");
			else
				fList->SwapItems(entry, entry - 1);
			break;

		case kBuchungMoveDown:
			row->fEditState = kBuchungEditMoved;
			if (entry == last)
				printf("is on end..\n");
			else
				fList->SwapItems(entry, entry + 1);
			break;
	}
	return B_OK;
}


status_t
BuchungsEditor::ApplyTimeResult(bool cancelled, const time_t* initTime,
	const time_t* backTime)
{
	if (fList == NULL) {
		printf("..No List\n");
		return B_NO_INIT;
	}

	fBuchung* row = ModifiedRow();
	fModificationOpen = false;
	fModified = NULL;
	if (row == NULL)
		return B_BAD_INDEX;

	row->fEditState = kBuchungEditApplied;
	if (cancelled || initTime == NULL)
		return B_OK;

	time_t initT = *initTime;
	time_t backT = backTime != NULL ? *backTime : initT;

	if (initT == row->fTime1 && row->fTime1 == row->fTime2) {
		// A lone punch gets its second time.
		row->fTime2 = backT;
		row->fKind2 = kBuchungOut;
	} else if (initT == row->fTime1) {
		row->fTime1 = backT;
		row->fKind1 = kBuchungIn;
	} else if (initT == row->fTime2) {
		row->fTime2 = backT;
		row->fKind2 = kBuchungOut;
	}

	// A missing IN: its OUT moves to the second slot, the picked time
	// becomes the IN.
	if (row->fKind1 == kBuchungOut) {
		row->fTime2 = row->fTime1;
		row->fTime1 = backT;
		row->fKind1 = kBuchungIn;
	}
	return B_OK;
}
