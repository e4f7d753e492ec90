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
