// Minutes and clock times as text and back: working-time amounts as h:mm,
// a clock time of today as a time value, whole minutes between two times.
#ifndef _TIME_TEXT_H
#define _TIME_TEXT_H

#include <stddef.h>

// Room that IntMinuten2Asc needs at `dst`, terminator included.
#define ZL_MINUTES_TEXT_SIZE 16

char*	IntMinuten2Asc(long minutes, char* dst);
long	BreakToInt(int hour, int minute);
void	DiffToPDauer(long start, long end, int& minutes);

// Kinds of an hh:mm entry checked by CheckTimeEntry.
enum {
	kTimeEntryWeekHours = 1,	// hours of a week, 1..167 (else 46)
	kTimeEntryDayHours = 2,		// hours of a day, 1..23 (else 12)
	kTimeEntryBreakClock = 3	// clock time of a break, 1..23 (else 12)
};

// Room that CheckTimeEntry needs for the rewritten entry.
#define ZL_TIME_ENTRY_TEXT_SIZE 32

// Reads hours and minutes from an hh:mm entry, corrects what lies outside
// the ranges of its kind and writes the corrected entry to `rewritten`
// ("%d:%02d" for week hours, "%02d:%02d" else). False when the entry was
// not valid: minutes outside 1..59, or day or clock hours outside 1..23.
// Out-of-range week hours are corrected but keep the entry valid.
bool	CheckTimeEntry(const char* text, long kind, int& hours, int& minutes,
			char* rewritten, size_t size);

#endif	// _TIME_TEXT_H
