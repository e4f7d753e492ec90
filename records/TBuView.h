// TBuView: the row container of the booking page. It builds one EntryView
// per booking row, stacked at a pitch of 15 pixels, and builds them again
// only after the list changed (the shown flag is clear), never merely
// because it is drawn. Only the rows in view and a few around them are
// shown; scrolling shows the rows that come into view and hides the ones
// that leave it, so a list of years costs no more to draw than a page.
#ifndef T_BU_VIEW_H
#define T_BU_VIEW_H

#include <View.h>

class BPopUpMenu;
class BuchungsListe;


static const float kEntryPitch = 15;


class TBuView : public BView {
public:
								TBuView(BRect frame, const char* name);
	virtual						~TBuView();

	virtual	void				Draw(BRect updateRect);
	virtual	void				MessageReceived(BMessage* message);
	virtual	void				MouseDown(BPoint where);
	virtual	void				FrameResized(float width, float height);
	virtual	void				ScrollTo(BPoint where);
			using BView::ScrollTo;

			void				SetList(BuchungsListe* list);
			BuchungsListe*		List() const { return fList; }

			// Builds the rows from the list unless they are shown already.
			void				ShowEntrys();
			// Removes and deletes every row.
			void				ClearAllChilds();

			bool				Shown() const { return fShown; }
			void				ClearShown() { fShown = false; }
			// How often the rows were built, and the list generation they
			// were built from: an edit request names the build its menu
			// belongs to.
			uint32				Builds() const { return fBuilds; }
			uint32				BuiltGeneration() const
									{ return fBuiltGeneration; }

			BPopUpMenu*			MenuPointer() const { return fMenu; }

			// The rows shown now, first and last index; last < first when
			// none is.
			int32				FirstShown() const { return fFirstShown; }
			int32				LastShown() const { return fLastShown; }

private:
			// The rows that should be shown for the current scroll
			// position.
			void				_WantedRange(int32* first, int32* last) const;
			void				_UpdateShownRows();

			BuchungsListe*		fList;
			bool				fShown;
			uint32				fBuilds;
			uint32				fBuiltGeneration;
			BPopUpMenu*			fMenu;
			int32				fFirstShown;
			int32				fLastShown;
};


#endif	// T_BU_VIEW_H
