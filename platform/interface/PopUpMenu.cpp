// BPopUpMenu: Go opens the kit window of the menu; the synchronous form
// runs a nested loop until the menu closes.
#include <PopUpMenu.h>

#include <AppPrivate.h>
#include <MenuItem.h>


// What a synchronous Go waits for; it lives on Go's stack, so it stays
// valid when the menu is deleted while open.
struct BPopUpMenu::GoState {
	bool		closed = false;
	BMenuItem*	chosen = NULL;
};


BPopUpMenu::BPopUpMenu(const char* name, bool radioMode, bool labelFromMarked,
	menu_layout layout)
	:
	BMenu(name, layout),
	fDelivers(true),
	fAsync(false),
	fAutoDestruct(false),
	fGoState(NULL)
{
	SetRadioMode(radioMode);
	if (labelFromMarked)
		SetLabelFromMarked(true);
}


BPopUpMenu::~BPopUpMenu()
{
	// A synchronous Go waiting for this menu ends with no choice.
	if (fGoState != NULL) {
		fGoState->closed = true;
		fGoState->chosen = NULL;
	}
}


static bool
menu_closed(void* cookie)
{
	return *(bool*)cookie;
}


BMenuItem*
BPopUpMenu::Go(BPoint where, bool deliversMessage, bool openAnyway,
	bool async)
{
	return Go(where, deliversMessage, openAnyway, BRect(), async);
}


BMenuItem*
BPopUpMenu::Go(BPoint where, bool deliversMessage, bool, BRect, bool async)
{
	if (_IsOpen() || fGoState != NULL)
		return NULL;
	fDelivers = deliversMessage;
	fAsync = async;
	if (async) {
		_Open(where);
		return NULL;
	}
	GoState state;
	fGoState = &state;
	_Open(where);
	BPrivate::run_nested_loop(menu_closed, &state.closed);
	// The menu may have been deleted meanwhile: only the state is safe.
	return state.chosen;
}


void
BPopUpMenu::_Done(BMenuItem* chosen)
{
	if (chosen != NULL && IsRadioMode())
		chosen->SetMarked(true);
	if (chosen != NULL && fDelivers)
		chosen->Invoke();
	if (fGoState != NULL) {
		fGoState->chosen = chosen;
		fGoState->closed = true;
		fGoState = NULL;
	}
	if (fAsync && fAutoDestruct && fField == NULL)
		delete this;
}
