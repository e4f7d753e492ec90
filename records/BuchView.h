// BuchView: the booking page of the records window. A box with the leaf
// name of the booking file, the save button (hidden until a Windows key),
// the row container and its scroll bar. It applies the edits its rows ask
// for ('PB01') and the times its picker returns ('Qmod') to the list it
// shows, through BuchungsEditor.
#ifndef BUCH_VIEW_H
#define BUCH_VIEW_H

#include <Box.h>
#include <String.h>

#include <BuchungsEditor.h>

class BButton;
class BRadioButton;
class BScrollBar;
class BuchungsListe;
class TBuView;
class TDView;


// The edit request of a row's context menu.
static const uint32 kMsgBuchEdit = 'PB01';
// The picker's result.
static const uint32 kMsgBuchTime = 'Qmod';
// The save button's message to the records window.
static const uint32 kMsgBuchSave = 'smol';
// Field of an edit request that names the build of rows its menu belongs
// to; the page refuses a request from rows that were replaced meanwhile.
static const char* const kBuchRowsField = "_rows";


class BuchView : public BBox {
public:
								BuchView(BRect frame, const char* name,
									BRadioButton* pageButton);
	virtual						~BuchView();

	virtual	void				FixupScrollbar();
	virtual	void				Wheel2Scrollbars(BMessage* message);
	virtual	void				CheckWinKey(BMessage* message);
	virtual	void				DoWithList(BMessage* message);
	virtual	void				ReadEntryFile();

	virtual	void				MessageReceived(BMessage* message);
	virtual	void				Draw(BRect updateRect);

			// The list shown (the records window's); closes an open
			// modification and rebuilds the rows.
			void				SetBuchungsListe(BuchungsListe* list);
			BuchungsListe*		List() const { return fList; }
			// The heading shows the path's leaf; a new path scrolls to the
			// first row.
			void				SetFilePath(const char* path);
			const char*			FilePath() const { return fPath.String(); }

			// A picker is open.
			bool				EditData() const { return fPicker != NULL; }
			// Closes an open picker and forgets the row under modification,
			// so that nothing that arrives later edits the list.
			void				CancelEdit();
			void				HideSaveButton();

			TBuView*			Container() const { return fContainer; }
			BScrollBar*			ScrollBar() const { return fScrollBar; }
			BButton*			SaveButton() const { return fSaveButton; }
			TDView*				Picker() const { return fPicker; }
			// Entry number of the row under modification, -1 for none.
			int32				ModifiedEntry() const { return fModEntry; }

private:
			// The container's rows stand for the list as it is now.
			bool				_RowsCurrent(const BMessage* message) const;
			void				_Rebuild();
			void				_ClosePicker();

			BRadioButton*		fPageButton;
			BString				fPath;
			BButton*			fSaveButton;
			BuchungsListe*		fList;
			BuchungsEditor		fEditor;
			TDView*				fPicker;
			TBuView*			fContainer;
			BScrollBar*			fScrollBar;
			int32				fModEntry;
};


#endif	// BUCH_VIEW_H
