// CheckInTime: checks the hh:mm entry of a text field by its kind (1 week
// hours, 2 a day's hours, 3 a break's clock time; see CheckTimeEntry),
// rewrites the field with the corrected entry and gives it the focus when
// the entry was not valid, so the user sees where to correct.
#ifndef _CHECK_IN_TIME_H
#define _CHECK_IN_TIME_H

#include <TimeText.h>

class BTextControl;

// True when the entry was valid; hours and minutes are set in every case.
bool		CheckInTime(BTextControl* field, long kind, int& hours,
				int& minutes);

#endif	// _CHECK_IN_TIME_H
