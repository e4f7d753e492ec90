// BMenuItem: one choice of a menu, with a label, a message sent to its
// target when chosen, a check mark and an enabled state. BSeparatorItem
// is a line between groups of items.
#ifndef _MENU_ITEM_H
#define _MENU_ITEM_H

#include <Invoker.h>
#include <Rect.h>

class BMenu;
class BMessage;

class BMenuItem : public BInvoker {
public:
							BMenuItem(const char* label, BMessage* message,
								char shortcut = 0, uint32 modifiers = 0);
							BMenuItem(BMenu* submenu,
								BMessage* message = NULL);
	virtual					~BMenuItem();

	virtual	void			SetLabel(const char* label);
			const char*		Label() const { return fLabel; }
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const;
	// In a menu in radio mode, marking an item unmarks the others.
	virtual	void			SetMarked(bool marked);
			bool			IsMarked() const { return fMarked; }
	virtual	void			SetShortcut(char shortcut, uint32 modifiers);
			char			Shortcut(uint32* modifiers = NULL) const;

			BMenu*			Submenu() const { return fSubmenu; }
			BMenu*			Menu() const { return fSuper; }
			BRect			Frame() const { return fFrame; }
			bool			IsSelected() const { return fSelected; }

	// Sends a copy of the message with "when", "source" and "index" to
	// the target; without a target, to the window of the menu field that
	// holds the menu.
	virtual	status_t		Invoke(BMessage* message = NULL);

protected:
	virtual	void			GetContentSize(float* width, float* height);
	virtual	void			DrawContent();
	virtual	void			Draw();
	virtual	void			Highlight(bool highlighted);

private:
	friend class BMenu;

			void			_Draw(bool highlighted);

			char*			fLabel;
			BMenu*			fSubmenu;
			BMenu*			fSuper;
			BRect			fFrame;
			char			fShortcut;
			uint32			fModifiers;
			bool			fMarked;
			bool			fEnabled;
			bool			fSelected;
};


class BSeparatorItem : public BMenuItem {
public:
							BSeparatorItem();
	virtual					~BSeparatorItem();

	virtual	void			SetEnabled(bool enabled);

protected:
	virtual	void			GetContentSize(float* width, float* height);
	virtual	void			Draw();
};

#endif	// _MENU_ITEM_H
