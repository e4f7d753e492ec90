// cBreakTime
#include "cBreakTime.h"

#include <stdio.h>

#include <TimeText.h>

#include "ProfileFile.h"


cBreakTime::cBreakTime()
	:
	cBreakTime("BreakTime-Name", 12, 0, 12, 30)
{
}


cBreakTime::cBreakTime(const char* name, int startHour, int startMinute,
	int endHour, int endMinute)
	:
	fName(name),
	fStart((time_t)BreakToInt(startHour, startMinute)),
	fEnd((time_t)BreakToInt(endHour, endMinute)),
	fStartHour(startHour),
	fStartMinute(startMinute),
	fEndHour(endHour),
	fEndMinute(endMinute),
	fRange(startHour * 100 + startMinute, 1, endHour * 100 + endMinute, 9)
{
	// The length comes from the clock numbers, not from the two moments of
	// today: on the day of a clock change those lie an hour further apart
	// or closer together than the break is long.
	fDuration = (endHour * 60 + endMinute) - (startHour * 60 + startMinute);
}


cBreakTime::~cBreakTime()
{
}


void
cBreakTime::PrintToStream()
{
	char start[16];
	char end[16];
	struct tm broken;
	if (localtime_r(&fStart, &broken) == NULL
		|| strftime(start, sizeof(start), "%H:%M", &broken) == 0)
		start[0] = '\0';
	if (localtime_r(&fEnd, &broken) == NULL
		|| strftime(end, sizeof(end), "%H:%M", &broken) == 0)
		end[0] = '\0';
	printf("BT %s", start);
	printf("-%s |%s (%d)\n", end, fName.String(), fDuration);
}


void
cBreakTime::AppendLine(BString& text) const
{
	BString range;
	range.SetToFormat("%02d:%02d-%02d:%02d", fStartHour, fStartMinute,
		fEndHour, fEndMinute);
	text << "BT " << range << " " << fName << "\n";
}


void
cBreakTime::IntoFile(const char* path)
{
	BString line;
	AppendLine(line);
	BPrivate::append_profile_text(path, line);
}
