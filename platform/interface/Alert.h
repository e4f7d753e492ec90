// BAlert: a small modal kit window with a message, an icon and up to three
// buttons. Go() shows it and returns the index of the pressed button (the
// rightmost one is the default button and takes Enter); Go(invoker)
// returns at once and sends the invoker's message with "which" later.
// Either way the alert deletes itself.
#ifndef _ALERT_H
#define _ALERT_H

#include <Window.h>

class BButton;
class BInvoker;
class BTextView;

enum alert_type {
	B_EMPTY_ALERT = 0,
	B_INFO_ALERT,
	B_IDEA_ALERT,
	B_WARNING_ALERT,
	B_STOP_ALERT
};

enum button_width {
	B_WIDTH_AS_USUAL,
	B_WIDTH_FROM_WIDEST,
	B_WIDTH_FROM_LABEL
};

enum button_spacing {
	B_EVEN_SPACING = 0,
	B_OFFSET_SPACING
};

class BAlert : public BWindow {
public:
							BAlert(const char* title, const char* text,
								const char* button1,
								const char* button2 = NULL,
								const char* button3 = NULL,
								button_width width = B_WIDTH_AS_USUAL,
								alert_type type = B_INFO_ALERT);
							BAlert(const char* title, const char* text,
								const char* button1, const char* button2,
								const char* button3, button_width width,
								button_spacing spacing,
								alert_type type = B_INFO_ALERT);
	virtual					~BAlert();

	// A key that presses the button at index (B_ESCAPE, a letter).
			void			SetShortcut(int32 index, char key);
			char			Shortcut(int32 index) const;

	// Shows the alert and waits for a button: its index, or -1 when the
	// alert went away without one. Painting and every looper that is not
	// waiting on the alert keep running meanwhile.
			int32			Go();
			status_t		Go(BInvoker* invoker);

			BButton*		ButtonAt(int32 index) const;
			BTextView*		TextView() const { return fTextView; }
			alert_type		Type() const { return fType; }

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			DispatchMessage(BMessage* message,
								BHandler* handler);

private:
			void			_Init(const char* text, const char* button1,
								const char* button2, const char* button3,
								button_width width, button_spacing spacing,
								alert_type type);
			void			_Pressed(int32 index);

			BTextView*		fTextView;
			BButton*		fButtons[3];
			char			fShortcuts[3];
			int32			fButtonCount;
			alert_type		fType;
			BInvoker*		fInvoker;
			int32*			fResult;
			bool*			fDone;
};

#endif	// _ALERT_H
