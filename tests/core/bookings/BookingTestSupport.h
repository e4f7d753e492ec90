// Helpers of the booking tests: a scratch folder, record builders and
// whole-file access.
#ifndef BOOKING_TEST_SUPPORT_H
#define BOOKING_TEST_SUPPORT_H

#include <string>

#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <BuchungsDatei.h>


namespace booking_test {

// The records of a file, written out.
inline std::string
Punch(char kind, uint32 when)
{
	std::string data;
	BuchungsDatei::AddPunchRecord(data, kind, when);
	return data;
}


inline std::string
Marker(const char* text, uint32 length)
{
	std::string data;
	BuchungsDatei::AddMarkerRecord(data, text, length);
	return data;
}


// A local time (the tests run with TZ=UTC).
inline time_t
At(int year, int month, int day, int hour = 0, int minute = 0)
{
	struct tm tm = {};
	tm.tm_year = year - 1900;
	tm.tm_mon = month - 1;
	tm.tm_mday = day;
	tm.tm_hour = hour;
	tm.tm_min = minute;
	tm.tm_isdst = -1;
	return mktime(&tm);
}


std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);


// A fresh folder per test, removed afterwards.
class ScratchTest : public ::testing::Test {
protected:
	void SetUp() override;
	void TearDown() override;

	std::string Path(const char* leaf) const { return fFolder + "/" + leaf; }

	// Tests of many thousand synced writes run in memory where they can:
	// the locking is the same, the waits for the disk are gone.
	bool fInMemory = false;
	std::string fFolder;
};

}	// namespace booking_test

#endif	// BOOKING_TEST_SUPPORT_H
