// BRadioButton: one of a group of exclusive choices; turning one on turns
// off its sibling radio buttons.
#ifndef _RADIO_BUTTON_H
#define _RADIO_BUTTON_H

#include <Control.h>

class BRadioButton : public BControl {
public:
							BRadioButton(BRect frame, const char* name,
								const char* label, BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT
									| B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual					~BRadioButton();

	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			SetValue(int32 value);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	status_t		Invoke(BMessage* message = NULL);
};

#endif	// _RADIO_BUTTON_H
