// Minutes and clock times as text and back.
#include "TimeText.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>


// "%2d:%02d" of hours and the unsigned rest; a negative amount under one
// hour keeps its sign (-0:30). The text never exceeds the 16 bytes the
// callers provide, whatever the amount.
char*
IntMinuten2Asc(long minutes, char* dst)
{
	long hours = minutes / 60;
	long rest = labs(minutes % 60);
	char text[48];
	if (minutes < 0 && hours == 0)
		snprintf(text, sizeof(text), "-0:%02ld", rest);
	else
		snprintf(text, sizeof(text), "%2ld:%02ld", hours, rest);

	size_t length = strnlen(text, ZL_MINUTES_TEXT_SIZE - 1);
	memcpy(dst, text, length);
	dst[length] = '\0';
	return dst;
}


// Today's local date at hour:minute:00. Daylight saving is left to the
// conversion, so a clock time after a change of the clock today is not
// shifted by the flag of the moment it was asked.
long
BreakToInt(int hour, int minute)
{
	time_t now = time(NULL);
	struct tm broken;
	localtime_r(&now, &broken);
	broken.tm_hour = hour;
	broken.tm_min = minute;
	broken.tm_sec = 0;
	broken.tm_isdst = -1;
	return (long)mktime(&broken);
}


void
DiffToPDauer(long start, long end, int& minutes)
{
	long difference = (end - start) / 60;
	if (difference > INT_MAX)
		difference = INT_MAX;
	else if (difference < INT_MIN)
		difference = INT_MIN;
	minutes = (int)difference;
}


// The decimal number at the start of a text; no digits give 0. Numbers
// too large for any range stop growing, so they stay out of range.
static int
leading_number(const char* text)
{
	int number = 0;
	for (; *text >= '0' && *text <= '9'; text++) {
		if (number < 1000000)
			number = number * 10 + (*text - '0');
	}
	return number;
}


bool
CheckTimeEntry(const char* text, long kind, int& hours, int& minutes,
	char* rewritten, size_t size)
{
	if (text == NULL)
		text = "";
	printf(" FT:%.6s ", text);
	hours = leading_number(text);
	printf(" H:%d :", hours);

	// Without a colon the minutes are read from the whole text.
	const char* rest = strchr(text, ':');
	rest = rest != NULL ? rest + 1 : text;
	minutes = leading_number(rest);
	printf(" M:%d :", minutes);

	bool valid = strcmp(rest, ":") != 0;
	if (minutes < 1 || minutes > 59) {
		minutes = 0;
		valid = false;
	}
	if ((kind == kTimeEntryDayHours || kind == kTimeEntryBreakClock)
		&& (hours < 1 || hours > 23)) {
		hours = 12;
		valid = false;
	}
	if (kind == kTimeEntryWeekHours && (hours < 1 || hours > 167))
		hours = 46;

	if (rewritten != NULL && size > 0) {
		snprintf(rewritten, size, kind == kTimeEntryWeekHours
			? "%d:%02d" : "%02d:%02d", hours, minutes);
	}
	return valid;
}
