// ModlView: the records window's page for the working-time models. A tree
// shows the current week model, its seven weekdays with their day models
// and the breaks of each day; three pop-ups choose, and create, week, day
// and break models; two buttons add a break to, or remove one from, the
// day model being edited. The models live in the register STimeModels;
// the page creates, assigns and links them and rebuilds its tree after
// every change. A hidden button, shown and hidden with an option key, asks
// the records window to write the week model into the booking file.
#ifndef _MODL_VIEW_H
#define _MODL_VIEW_H

#include <Box.h>
#include <String.h>

#include <vector>

class BButton;
class BListItem;
class BMenu;
class BMenuField;
class BOutlineListView;
class BPopUpMenu;
class BRadioButton;
class BScrollView;
class BTextControl;
class STimeModels;
class cBreakTime;
class cDayModel;
class cWeekModel;

class ModlView : public BBox {
public:
							ModlView(BRect frame, const char* name,
								char* path, BRadioButton* tab);
	virtual					~ModlView();

	virtual	void			FillModelListe();
	// After the month evaluation has set the register's week model.
	virtual	void			CheckWeekPtr();
	virtual	void			InViewSelect(BMessage* message);
	virtual	void			BreakProfil(BMessage* message);
	virtual	void			DayProfil(BMessage* message);
	virtual	void			WeekProfil(BMessage* message);
	virtual	void			AddOptionalByWinKey(BMessage* message);

	virtual	void			AttachedToWindow();
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Draw(BRect updateRect);

			void			SetTabButton(BRadioButton* tab)
								{ fTabButton = tab; }

			cWeekModel*		CurrentWeek() const { return fCurWeek; }
			cDayModel*		CurrentDay() const { return fCurDay; }
			cBreakTime*		CurrentBreak() const { return fCurBreak; }
			int				DayIndex() const { return fDayIndex; }
			BOutlineListView* Tree() const { return fTree; }

private:
			void			_BuildPopUps();
			BPopUpMenu*		_MakePopUp(int emptyLabel, uint32 emptyCode,
								uint32 newCode, uint32 selectCode,
								BList* models, int kind);
			void			_Mark(BMenu* menu, const char* name);
			const char*		_MarkedName(BMenu* menu) const;
			void			_HideNameAndTagButton();
			void			_ClearTree();
			bool			_NameAccepted(int kind, const char* name);

			BRadioButton*	fTabButton;
			STimeModels*	fModels;
			cBreakTime*		fCurBreak;
			cDayModel*		fCurDay;
			cWeekModel*		fCurWeek;
			int				fDayIndex;
			int				fBreakIndex;
			BString			fPath;		// as handed in; only logged

			BOutlineListView* fTree;
			BScrollView*	fTreeScroll;
			BPopUpMenu*		fWeekMenu;
			BPopUpMenu*		fDayMenu;
			BPopUpMenu*		fBreakMenu;
			BMenuField*		fWeekField;
			BMenuField*		fDayField;
			BMenuField*		fBreakField;
			BButton*		fTagFileButton;
			BButton*		fAddButton;
			BButton*		fRemoveButton;
			BTextControl*	fName;
			BTextControl*	fFrom;
			BTextControl*	fTo;

			// The tree's rows and their messages; the list owns neither.
			std::vector<BListItem*>	fRows;
			std::vector<BMessage*>	fRowMessages;
			// The row handled last since the tree was built: a row reports
			// itself on every drawing, and only a new choice counts.
			BString			fLastRow;
};

#endif	// _MODL_VIEW_H
