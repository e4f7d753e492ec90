// BuchungsEditor: the edits of the booking page on a booking list — delete,
// modify, split, join, move up, move down — and applying the time a picker
// returns to the row under modification.
//
// The page reads the fields of its edit request or time result, traces the
// message and hands the values over; it rebuilds its rows whenever an edit
// returns B_OK, and opens a picker when a Modify asks for one.
#ifndef BUCHUNGS_EDITOR_H
#define BUCHUNGS_EDITOR_H

#include <time.h>

#include <SupportDefs.h>


class BuchungsListe;
class fBuchung;


// The "dothis" codes of an edit request.
enum {
	kBuchungDelete = 1,
	kBuchungModify = 2,
	kBuchungSplit = 3,
	kBuchungJoin = 4,
	kBuchungMoveUp = 5,
	kBuchungMoveDown = 6
};

// The "InOut" column of an edit request.
enum {
	kBuchungColumnIn = 1,
	kBuchungColumnOut = 2
};


class BuchungsEditor {
public:
								BuchungsEditor(BuchungsListe* list = NULL);

			void				SetList(BuchungsListe* list);
			BuchungsListe*		List() const { return fList; }

			// Applies an edit to the row at entry. For a Modify that opens,
			// *openPicker is set and *pickerTime is the time the picker
			// starts from (the OUT for the OUT column, else the IN).
			// B_NO_INIT: no list; B_BAD_VALUE: unknown edit; B_BAD_INDEX:
			// no such row; B_BUSY: a modification is open already;
			// B_NOT_ALLOWED: the edit does not apply to that row.
			status_t			DoWithList(int32 entry, int32 doThis,
									int32 inOut, bool* openPicker = NULL,
									time_t* pickerTime = NULL);

			// Applies the picker's result and closes the modification.
			// initTime and backTime are NULL when the result lacks them; a
			// result without the opening time counts as cancelled.
			status_t			ApplyTimeResult(bool cancelled,
									const time_t* initTime,
									const time_t* backTime);

			bool				ModificationOpen() const
									{ return fModificationOpen; }
			// The row under modification while it is still in the list.
			fBuchung*			ModifiedRow() const;

private:
			BuchungsListe*		fList;
			bool				fModificationOpen;
			// NULL once the row left the list.
			fBuchung*			fModified;
			uint32				fModifiedGeneration;
};


#endif	// BUCHUNGS_EDITOR_H
