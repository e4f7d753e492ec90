// TDView: the date and time picker. Five spin fields (year, month, day,
// hour, minute) in two framed groups, and the buttons "ok" and "esc".
//
// The result goes to the parent view as 'Qmod' with "_QuitMod" (1 done,
// 0 cancelled), "_backT" (the picked local time when done, else the
// opening time) and, when done, "_initT" (the opening time), by a direct
// call of the parent's MessageReceived. The parent normally deletes the
// picker during that call.
#ifndef _TD_VIEW_H
#define _TD_VIEW_H

#include <String.h>
#include <View.h>

class BButton;
class TDStringView;

class TDView : public BView {
public:
	// Date orders of the fields.
	enum {
		kYearMonthDay = 0,
		kMonthDayYear = 1,
		kDayMonthYear = 2
	};

							TDView(long initialTime, const char* title,
								int32 format, bool withTime, bool timeOnly);
							TDView(const char* dateText, const char* title,
								int32 format, bool withTime, bool timeOnly);
	virtual					~TDView();

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);

	// The picked moment as local time, the day fitted to the month's
	// length; daylight saving is decided by the conversion.
			long			PickedTime() const;

			int32			Format() const { return fFormat; }
			long			InitialTime() const { return fInitTime; }
			const char*		DateText() const { return fDateText.String(); }
			const char*		Title() const { return fTitle.String(); }
			TDStringView*	Field(int32 number) const;

private:
			void			_Build();

			int32			fFormat;
			long			fInitTime;
			BString			fDateText;
			BString			fTitle;
			TDStringView*	fYear;
			TDStringView*	fMonth;
			TDStringView*	fDay;
			TDStringView*	fHour;
			TDStringView*	fMinute;
			bool			fWithTime;
			bool			fTimeOnly;
};

#endif	// _TD_VIEW_H
