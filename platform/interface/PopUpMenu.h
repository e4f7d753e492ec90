// BPopUpMenu: a menu that opens at a point of the screen, by itself (Go)
// or from a BMenuField. By default it is in radio mode and its field
// shows the marked item's label.
#ifndef _POP_UP_MENU_H
#define _POP_UP_MENU_H

#include <Menu.h>

class BPopUpMenu : public BMenu {
public:
							BPopUpMenu(const char* name,
								bool radioMode = true,
								bool labelFromMarked = true,
								menu_layout layout = B_ITEMS_IN_COLUMN);
	virtual					~BPopUpMenu();

	// Opens the menu with its top left at a screen point. Synchronous:
	// returns the chosen item (or NULL) once the menu closed, and sends
	// its message when deliversMessage is set. Asynchronous: returns NULL
	// at once; the chosen item's message is sent later if deliversMessage
	// is set.
			BMenuItem*		Go(BPoint where, bool deliversMessage = false,
								bool openAnyway = false, bool async = false);
			BMenuItem*		Go(BPoint where, bool deliversMessage,
								bool openAnyway, BRect clickToOpen,
								bool async = false);

			void			SetAsyncAutoDestruct(bool state)
								{ fAutoDestruct = state; }
			bool			AsyncAutoDestruct() const
								{ return fAutoDestruct; }

protected:
	virtual	void			_Done(BMenuItem* chosen);

private:
			bool			fDelivers;
			bool			fAsync;
			bool			fAutoDestruct;
			struct GoState;
			GoState*		fGoState;
};

#endif	// _POP_UP_MENU_H
