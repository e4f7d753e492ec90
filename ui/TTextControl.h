// TTextControl: a text control that remembers the text it was given (or
// last accepted), and that, as a picker field, opens the date and time
// picker in a window of its own when clicked and takes the picked text
// back.
#ifndef _T_TEXT_CONTROL_H
#define _T_TEXT_CONTROL_H

#include <Messenger.h>
#include <String.h>
#include <TextControl.h>

class TDWindow;

class TTextControl : public BTextControl {
public:
							TTextControl(BRect frame, const char* label,
								int32 maxLength, const char* initialText,
								uint32 modificationCode, uint32 messageCode,
								bool picker = false, bool timeOnly = false);
	virtual					~TTextControl();

	virtual	void			AttachedToWindow();
	virtual	void			MouseDown(BPoint where);

	// True when the text differs from the saved text.
			bool			Changed() const;
	// Back to the saved text.
			void			Revert();
	// The current text becomes the saved text.
			void			Update();

			const char*		SavedText() const { return fSaved.String(); }
			TDWindow*		PickerWindow() const;

	// Called by the picker window as it goes away.
			void			PickerClosed(TDWindow* window);

private:
			BString			fLabel;
			BString			fSaved;
			int32			fMaxLength;
			bool			fPicker;
			bool			fTimeOnly;
			TDWindow*		fPickerWindow;
			BMessenger		fPickerMessenger;
};

#endif	// _T_TEXT_CONTROL_H
