// The records window as far as the presence terminal needs it: a floating
// window "Time-INFO" that is a singleton, traces what it is handed and
// tells the application when it goes away.
#ifndef PROT_WIN_H
#define PROT_WIN_H

#include <Window.h>

class ProtWin : public BWindow {
public:
	// The open records window, made with frame when there is none.
	static	ProtWin*		getProtWin(BRect frame);
	// The open records window or NULL; never a window that went away.
	static	ProtWin*		Current();
	// Hands a message to the open records window; false when none is open.
	static	bool			HandOn(BMessage* message);

	// Code of the last message handed to a records window, 0 for none.
	static	uint32			LastHanded() { return sLastHanded; }

	virtual					~ProtWin();
	virtual	void			MessageReceived(BMessage* message);

private:
							ProtWin(BRect frame);

	static	ProtWin*		sProtWin;
	static	uint32			sLastHanded;
};

#endif	// PROT_WIN_H
