// EntryView: one row of the booking page. It draws its booking — weekday,
// date and IN, OUT, duration and note, or what is missing, or the week
// model a marker names — and opens the row's context menu on any button.
#ifndef ENTRY_VIEW_H
#define ENTRY_VIEW_H

#include <View.h>

class BPopUpMenu;
class fBuchung;


// Rows are split into the IN column left of this x and the OUT column.
static const float kEntryOutColumn = 120;


class EntryView : public BView {
public:
								// The row's entry number is its index in
								// the booking list.
								EntryView(BRect containerFrame,
									const char* name, int32 entryNumber,
									fBuchung* row, uint32 resizingMode,
									uint32 flags);
	virtual						~EntryView();

	virtual	void				Draw(BRect updateRect);
	virtual	void				MouseDown(BPoint where);
	virtual	void				MouseMoved(BPoint where, uint32 transit,
									const BMessage* dragMessage);
	virtual	void				AttachedToWindow();
	virtual	void				MessageReceived(BMessage* message);

			int32				EntryNumber() const { return fEntNr; }
			fBuchung*			Buchung() const { return fRow; }
			BPopUpMenu*			MenuPointer() const { return fMenu; }

			// The texts the row draws: the IN column, the OUT column, the
			// duration and the note ("" where the row draws nothing).
			// Each buffer needs room for 64 characters.
	static	void				RowTexts(const fBuchung* row, char* inText,
									char* outText, char* duration,
									char* note);

	// Rows in existence.
	static	int32				bCounter;
	// Font size of every row, fitted to the row height by the first row.
	static	float				xfontsize;
	static	bool				fh_checked;

private:
			void				_FitFont();

			int32				fEntNr;
			fBuchung*			fRow;
			BPopUpMenu*			fMenu;
};


// Opens the context menu of a row at the pointer: Modify, Split and Join
// for punches, Move Up and Move Down for markers, and Delete. Its items
// send 'PB01' with the entry number and the column clicked this time.
void MouseMenu(EntryView* row, int32 entNr, int32 inOut);


#endif	// ENTRY_VIEW_H
