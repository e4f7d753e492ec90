// Minutes and clock times as text and back: working-time amounts as h:mm,
// a clock time of today as a time value, whole minutes between two times.
#ifndef _TIME_TEXT_H
#define _TIME_TEXT_H

// Room that IntMinuten2Asc needs at `dst`, terminator included.
#define ZL_MINUTES_TEXT_SIZE 16

char*	IntMinuten2Asc(long minutes, char* dst);
long	BreakToInt(int hour, int minute);
void	DiffToPDauer(long start, long end, int& minutes);

#endif	// _TIME_TEXT_H
