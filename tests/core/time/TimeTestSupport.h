// Helpers shared by the calendar tests: a time zone for the duration of a
// test, and local times built from their parts.
#ifndef _TIME_TEST_SUPPORT_H
#define _TIME_TEST_SUPPORT_H

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <string>

#include <gtest/gtest.h>

// Central European time with its clock changes, as a POSIX rule (needs no
// time-zone database): forward on the last Sunday of March at 02:00, back
// on the last Sunday of October at 03:00.
static const char* const kBerlinRule = "CET-1CEST,M3.5.0,M10.5.0/3";

class ScopedTimeZone {
public:
	explicit ScopedTimeZone(const char* zone)
	{
		const char* old = getenv("TZ");
		fHad = old != NULL;
		if (fHad)
			fOld = old;
		setenv("TZ", zone, 1);
		tzset();
	}

	~ScopedTimeZone()
	{
		if (fHad)
			setenv("TZ", fOld.c_str(), 1);
		else
			unsetenv("TZ");
		tzset();
	}

private:
	bool fHad;
	std::string fOld;
};

// Local time of a calendar date and clock time.
static inline long
local_time(int year, int month, int day, int hour = 0, int minute = 0,
	int second = 0)
{
	struct tm broken;
	memset(&broken, 0, sizeof(broken));
	broken.tm_year = year - 1900;
	broken.tm_mon = month - 1;
	broken.tm_mday = day;
	broken.tm_hour = hour;
	broken.tm_min = minute;
	broken.tm_sec = second;
	broken.tm_isdst = -1;
	return (long)mktime(&broken);
}

// What a block of code printed on standard output.
template<typename Function>
static std::string
captured_output(Function function)
{
	fflush(stdout);
	testing::internal::CaptureStdout();
	function();
	fflush(stdout);
	return testing::internal::GetCapturedStdout();
}

#endif	// _TIME_TEST_SUPPORT_H
