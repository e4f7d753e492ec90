// eRadioButton: a radio button drawn as a page tab. The chosen tab shows
// the colour of the page below it and its label stands higher; the others
// are lighter and lower. A page under the tab row clears its frame line
// below the chosen tab with the rectangle GetBottomRect gives.
#ifndef _E_RADIO_BUTTON_H
#define _E_RADIO_BUTTON_H

#include <RadioButton.h>

class eRadioButton : public BRadioButton {
public:
							eRadioButton(BRect frame, const char* name,
								const char* label, BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT
									| B_FOLLOW_TOP);
	virtual					~eRadioButton();

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	// Draws the new state at once.
	virtual	void			SetValue(int32 value);

	// The strip of the page below this tab, in the page's coordinates.
	virtual	void			GetBottomRect(BRect* rect);

	// Clears the frame line of page below tab, when tab is a page tab:
	// what every page's Draw does after its box has drawn.
	static	void			OpenPageFrame(BView* page, BRadioButton* tab);
};

#endif	// _E_RADIO_BUTTON_H
