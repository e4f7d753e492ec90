// TDStringView: one spin field of the date and time picker (year, month,
// day, hour or minute), or one of the pieces that only draw: the end pieces
// of a group and the separators between its fields.
//
// A spin field changes its value by keys, by clicks on its arrow bands and
// by the wheel; the value wraps inside its range. Focus moves and results
// are handed to the picker view (the parent) by calling its
// MessageReceived directly. A result can make the parent delete the picker
// and this field with it, so handing it on is always the last step.
#ifndef _TD_STRING_VIEW_H
#define _TD_STRING_VIEW_H

#include <StringView.h>

class BBitmap;

// Field numbers: spin fields lie below 40, the drawing pieces above.
enum {
	kTDYear = 1,
	kTDMonth = 2,
	kTDDay = 3,
	kTDHour = 4,
	kTDMinute = 5,
	kTDLeftEnd = 51,
	kTDRightEnd = 52,
	kTDSeparator = 99
};

// 'TDSV' "_lfdnr": give this field the focus. 'Qmod' "_QuitMod": done (1)
// or cancelled (0).
static const uint32 kMsgTDSetFocus = 'TDSV';
static const uint32 kMsgTDQuitMod = 'Qmod';

class TDStringView : public BStringView {
public:
							TDStringView(BRect frame, const char* name,
								const char* text, int32 number);
	virtual					~TDStringView();

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			KeyUp(const char* bytes, int32 numBytes);

			void			SetRange(int32 minimum, int32 maximum);
			void			SetOnFocus(int32 number);
			void			FormatValue(int32 value);

			int32			Number() const { return fNumber; }
			int32			Value() const { return fValue; }
			int32			Minimum() const { return fMinimum; }
			int32			Maximum() const { return fMaximum; }
			bool			IsFocused() const { return fFocused; }

private:
			void			_Step(int32 delta);
			void			_Wrap();
			void			_HandToPicker(BMessage* message);

			BBitmap*		fUpArrow;
			BBitmap*		fDownArrow;
			int32			fNumber;
			int32			fValue;
			int32			fMinimum;
			int32			fMaximum;
			bool			fFocused;
};

#endif	// _TD_STRING_VIEW_H
