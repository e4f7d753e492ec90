// Datum: a date/time value in local time, built from a date text or from a
// calendar time value, with numbered output styles. Beside it stand the free
// calendar helpers (current time as text, leap years, month lengths, day
// distances and a few conversions and log helpers).
//
// Texts returned by Styled, getNow and SecsToStr live in shared buffers that
// the next call of the same function overwrites; callers copy what they keep.
// None of this is reentrant: callers on other threads serialise with the
// date picker.
#ifndef _DATUM_H
#define _DATUM_H

#include <time.h>

#include <SupportDefs.h>

class Datum {
public:
							Datum(const char* text, bool verbose);
							Datum(long& time, bool verbose);
							~Datum();

			const char*		Styled(int style) const;
			int				IstWTag();
			int				IstYTag();
			void			PrintToStream();

	// The fields stay public: the date picker reads them directly.
			time_t			fTime;
			int				fYDay;		// 1..366
			int				fWDay;		// 0 = Sunday .. 6 = Saturday
			uint32			fSec;		// seconds since midnight
			int				fxDay;		// fYear * 1000 + fYDay
			int				fYear;
			int				fMonth;		// 1..12
			int				fDay;
			int				fHour;
			int				fMinute;
			struct tm		fTm;

	// Date order: 0 = year-month-day, 1 = month-day-year, 2 = day-month-year.
	static	int				fDFormat;
	// Number of values alive; the date order is reloaded when the first value
	// built from a time value comes into being after all others are gone.
	static	int				datumC;
};

char*		getNow(bool withSeconds, long order);
int			GetGlobalDateFormat();
bool		isSchaltjahr(int year);
int			TagePerMonat(int month, int year);
int			FutureDays(Datum* from, Datum* to);
int			YearYday(const char* text);
int			TimeInSek(const char* text);
const char*	SecsToStr(unsigned long secs);
void		InfoDiffTimes(long until, int mode, const char* label);

#endif	// _DATUM_H
