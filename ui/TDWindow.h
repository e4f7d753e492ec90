// TDWindow: the date and time picker in a small modal window of its own.
// Its result is computed when the window goes away: when the picker was
// accepted and a text control is attached, the control gets the picked
// text and its window 'TDnt' (date and time) or 'ERul' (time only).
#ifndef _TD_WINDOW_H
#define _TD_WINDOW_H

#include <String.h>
#include <Window.h>

class TDView;
class TTextControl;

class TDWindow : public BWindow {
public:
							TDWindow(BRect frame, const char* title,
								TTextControl* control, bool withTime,
								bool timeOnly, const char* altText = NULL);
	virtual					~TDWindow();

	virtual	void			MessageReceived(BMessage* message);

			TDView*			Picker() const { return fPicker; }
			int32			Done() const { return fDone; }

	// The control goes away before the window: deliver nothing to it.
			void			ForgetControl() { fControl = NULL; }

private:
			void			_Deliver();

			TTextControl*	fControl;
			TDView*			fPicker;
			BString			fText;
			int32			fDone;
			bool			fWithTime;
			bool			fTimeOnly;
};

#endif	// _TD_WINDOW_H
