// fBuchung: one row of a booking list.
#include "fBuchung.h"

#include <stdio.h>
#include <string.h>

#include <Labels.h>


fBuchung::fBuchung()
	:
	fKind1(kBuchungIn),
	fTime1(0),
	fKind2(kBuchungIn),
	fTime2(0),
	fEditState(kBuchungEditRead)
{
	SetText("--");
}


fBuchung::fBuchung(int32 kind, time_t when, const char* text)
	:
	fKind1(kind),
	fTime1(when),
	fKind2(kind),
	fTime2(when),
	fEditState(kBuchungEditRead)
{
	SetText(text);
}


void
fBuchung::SetText(const char* text)
{
	if (text == NULL)
		text = "";
	strncpy(fText, text, kBuchungTextSize - 1);
	fText[kBuchungTextSize - 1] = '\0';
}


// #pragma mark -


static void
append_bounded(char* out, size_t& length, const char* text)
{
	size_t add = strlen(text);
	if (add > kBuAscTimeSize - 1 - length)
		add = kBuAscTimeSize - 1 - length;
	memcpy(out + length, text, add);
	length += add;
	out[length] = '\0';
}


void
BuAscTime(const fBuchung* row, char* out)
{
	if (out == NULL)
		return;
	out[0] = '\0';
	if (row == NULL)
		return;

	struct tm in;
	struct tm outTime;
	time_t inTime = row->fTime1;
	time_t outTimeValue = row->fTime2;
	if (localtime_r(&inTime, &in) == NULL
		|| localtime_r(&outTimeValue, &outTime) == NULL)
		return;

	size_t length = 0;
	int weekday = in.tm_wday >= 0 && in.tm_wday <= 6 ? in.tm_wday : 0;
	append_bounded(out, length, getLabel(51 + weekday));

	// The IN: date, two blanks, hour and minute, a blank and a dash.
	char format[64];
	snprintf(format, sizeof(format), "%s %%H:%%M -", getLabel(74));
	char piece[23];
	if (strftime(piece, sizeof(piece), format, &in) == 0)
		piece[0] = '\0';
	append_bounded(out, length, piece);

	// The OUT, with its date when it lies on another day.
	bool sameDay = in.tm_year == outTime.tm_year
		&& in.tm_yday == outTime.tm_yday;
	if (strftime(piece, 16, sameDay ? " %H:%M " : " %m/%d %H:%M ",
			&outTime) == 0)
		piece[0] = '\0';
	append_bounded(out, length, piece);
}
