// Minutes as text, clock times of today and minute differences.
#include <TimeText.h>

#include <limits.h>
#include <string.h>

#include <gtest/gtest.h>

#include "TimeTestSupport.h"


TEST(TimeText, MinutesAsText)
{
	struct { long minutes; const char* text; } cases[] = {
		{ 0, " 0:00" }, { 59, " 0:59" }, { 61, " 1:01" }, { 450, " 7:30" },
		{ 2400, "40:00" }, { 6000, "100:00" }, { -90, "-1:30" },
		{ -61, "-1:01" }, { -30, "-0:30" }, { -1, "-0:01" },
		{ INT32_MIN, "-35791394:08" }, { INT32_MAX, "35791394:07" },
	};
	for (const auto& c : cases) {
		char text[ZL_MINUTES_TEXT_SIZE];
		EXPECT_STREQ(c.text, IntMinuten2Asc(c.minutes, text)) << c.minutes;
	}
}


TEST(TimeText, MinutesTextStaysInItsBuffer)
{
	// The most negative value of a long needs more than the 16 bytes the
	// callers provide; the text is cut, the bytes behind are untouched.
	char text[ZL_MINUTES_TEXT_SIZE + 4];
	memset(text, 'x', sizeof(text));
	IntMinuten2Asc(LONG_MIN, text);
	EXPECT_EQ(ZL_MINUTES_TEXT_SIZE - 1, (int)strlen(text));
	for (size_t i = ZL_MINUTES_TEXT_SIZE; i < sizeof(text); i++)
		EXPECT_EQ('x', text[i]);
}


TEST(TimeText, MinutesBetweenTimes)
{
	long noon = local_time(2004, 5, 7, 12, 0);
	long half = local_time(2004, 5, 7, 12, 30);
	int minutes = -1;
	DiffToPDauer(noon, half, minutes);
	EXPECT_EQ(30, minutes);
	DiffToPDauer(half, noon, minutes);
	EXPECT_EQ(-30, minutes);
	DiffToPDauer(noon, noon + 86400 + 60, minutes);
	EXPECT_EQ(1441, minutes);
	// Seconds are cut toward zero.
	DiffToPDauer(noon, noon + 119, minutes);
	EXPECT_EQ(1, minutes);
	DiffToPDauer(noon, noon - 119, minutes);
	EXPECT_EQ(-1, minutes);
}


TEST(TimeText, ClockTimeOfToday)
{
	for (const char* zone : { "UTC", kBerlinRule }) {
		ScopedTimeZone scoped(zone);
		time_t now = time(NULL);
		struct tm today;
		localtime_r(&now, &today);

		time_t moment = (time_t)BreakToInt(12, 30);
		struct tm broken;
		localtime_r(&moment, &broken);
		EXPECT_EQ(12, broken.tm_hour) << zone;
		EXPECT_EQ(30, broken.tm_min);
		EXPECT_EQ(0, broken.tm_sec);
		EXPECT_EQ(today.tm_yday, broken.tm_yday);

		// Out-of-range numbers roll over: hour 25 is one o'clock tomorrow.
		moment = (time_t)BreakToInt(25, 0);
		localtime_r(&moment, &broken);
		EXPECT_EQ(1, broken.tm_hour);
	}
}


TEST(TimeText, TimeEntriesCheckedByKind)
{
	struct {
		const char* text;
		long kind;
		int hours, minutes;
		const char* rewritten;
		bool valid;
	} cases[] = {
		{ "9:15", kTimeEntryBreakClock, 9, 15, "09:15", true },
		// Minute 0 lies outside 1..59.
		{ "12:00", kTimeEntryBreakClock, 12, 0, "12:00", false },
		{ "0:30", kTimeEntryDayHours, 12, 30, "12:30", false },
		{ "24:10", kTimeEntryDayHours, 12, 10, "12:10", false },
		// Week hours out of range are corrected, the entry stays valid.
		{ "200:30", kTimeEntryWeekHours, 46, 30, "46:30", true },
		{ "0:30", kTimeEntryWeekHours, 46, 30, "46:30", true },
		{ "38:30", kTimeEntryWeekHours, 38, 30, "38:30", true },
		// Without a colon the minutes come from the whole text.
		{ "8", kTimeEntryBreakClock, 8, 8, "08:08", true },
		{ "", kTimeEntryDayHours, 12, 0, "12:00", false },
		{ "7::", kTimeEntryDayHours, 7, 0, "07:00", false },
		{ "ab:cd", kTimeEntryBreakClock, 12, 0, "12:00", false },
		{ "7:60", kTimeEntryBreakClock, 7, 0, "07:00", false },
		// Digits beyond any range do not overflow.
		{ "99999999999:15", kTimeEntryDayHours, 12, 15, "12:15", false },
		{ "99999999999:15", kTimeEntryWeekHours, 46, 15, "46:15", true },
	};
	for (const auto& c : cases) {
		SCOPED_TRACE(testing::Message() << c.text << " kind " << c.kind);
		int hours = -1, minutes = -1;
		char rewritten[ZL_TIME_ENTRY_TEXT_SIZE];
		EXPECT_EQ(CheckTimeEntry(c.text, c.kind, hours, minutes, rewritten,
			sizeof(rewritten)), c.valid);
		EXPECT_EQ(hours, c.hours);
		EXPECT_EQ(minutes, c.minutes);
		EXPECT_STREQ(rewritten, c.rewritten);
	}
}


TEST(TimeText, TimeEntryTrace)
{
	int hours, minutes;
	char rewritten[ZL_TIME_ENTRY_TEXT_SIZE];
	testing::internal::CaptureStdout();
	CheckTimeEntry("10:45:00 extra", kTimeEntryDayHours, hours, minutes,
		rewritten, sizeof(rewritten));
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		" FT:10:45: " " H:10 :" " M:45 :");
	// A small buffer takes what fits.
	char small[4];
	CheckTimeEntry("10:45", kTimeEntryDayHours, hours, minutes, small,
		sizeof(small));
	EXPECT_STREQ(small, "10:");
}
