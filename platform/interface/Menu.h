// BMenu: a list of BMenuItems. A menu is a view; while it is open it lives
// in a kit window of its own (no border, above the others) and draws its
// items there. A click or Enter on an item chooses it: in radio mode it is
// marked, then its message is sent.
#ifndef _MENU_H
#define _MENU_H

#include <List.h>
#include <Messenger.h>
#include <View.h>

class BMenuField;
class BMenuItem;

namespace BPrivate {
class MenuWindow;
}

enum menu_layout {
	B_ITEMS_IN_ROW = 0,
	B_ITEMS_IN_COLUMN,
	B_ITEMS_IN_MATRIX
};

class BMenu : public BView {
public:
							BMenu(const char* name,
								menu_layout layout = B_ITEMS_IN_COLUMN);
	// Deletes its items.
	virtual					~BMenu();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			SetFont(const BFont* font,
								uint32 mask = B_FONT_ALL);
	virtual	void			GetPreferredSize(float* width, float* height);

			bool			AddItem(BMenuItem* item);
			bool			AddItem(BMenuItem* item, int32 index);
			bool			AddItem(BMenu* submenu);
			bool			AddSeparatorItem();
			bool			RemoveItem(BMenuItem* item);
			BMenuItem*		RemoveItem(int32 index);
			bool			RemoveItems(int32 index, int32 count,
								bool deleteItems = false);

			BMenuItem*		ItemAt(int32 index) const;
			int32			IndexOf(const BMenuItem* item) const;
			int32			CountItems() const;
			BMenuItem*		FindItem(const char* label) const;
			BMenuItem*		FindItem(uint32 command) const;
			BMenuItem*		FindMarked() const;
			int32			FindMarkedIndex() const;

	virtual	status_t		SetTargetForItems(BHandler* target);
	virtual	status_t		SetTargetForItems(BMessenger messenger);
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const { return fEnabled; }
	virtual	void			SetRadioMode(bool on);
			bool			IsRadioMode() const { return fRadioMode; }
	virtual	void			SetLabelFromMarked(bool on);
			bool			IsLabelFromMarked() const
								{ return fLabelFromMarked; }

			BMenu*			Supermenu() const;
			BMenuItem*		Superitem() const { return fSuperitem; }
			menu_layout		Layout() const { return fLayout; }

	// The label a menu field shows for this menu: the marked item's in
	// label-from-marked mode, else the menu's name.
			const char*		_FieldLabel() const;
			bool			_IsOpen() const { return fMenuWindow != NULL; }
	// Chooses one of its items as a click on it would: an open menu
	// closes, then the item is marked (radio mode) and invoked.
			void			_Choose(BMenuItem* item);

protected:
	// Opens the menu's window with its top left at a screen point.
			void			_Open(BPoint screenWhere);
	// Closes the window (or only leaves it, when it quits by itself);
	// chosen is NULL when the menu was left without a choice.
			void			_Close(BMenuItem* chosen,
								bool quitWindow = true);
	// Called after the window closed: marks (radio mode) and invokes.
	virtual	void			_Done(BMenuItem* chosen);

private:
	friend class BMenuField;
	friend class BMenuItem;
	friend class BPopUpMenu;
	friend class BPrivate::MenuWindow;

			void			_ItemMarked(BMenuItem* item);
			void			_Layout();
			int32			_ItemAt(BPoint where) const;
			void			_Highlight(int32 index);
			void			_Step(int32 direction);
			BWindow*		_OwnerWindow() const;

			BList			fItems;
			BMenuItem*		fSuperitem;
			BMenuField*		fField;
			BPrivate::MenuWindow* fMenuWindow;
			menu_layout		fLayout;
			int32			fHighlighted;
			bool			fEnabled;
			bool			fRadioMode;
			bool			fLabelFromMarked;
			bool			fPressedInside;
			bool			fDragged;
};

#endif	// _MENU_H
