// Datum from texts and time values, its styles and the calendar helpers.
// The test program runs with TZ=UTC, so there is no clock change unless a
// test sets a zone of its own.
#include <Datum.h>

#include <gtest/gtest.h>

#include <filesystem>

#include <Node.h>
#include <TypeConstants.h>

#include "TimeTestSupport.h"


class DatumTest : public testing::Test {
protected:
	void SetUp() override
	{
		fOldOrder = Datum::fDFormat;
		Datum::fDFormat = 0;
	}

	void TearDown() override
	{
		Datum::fDFormat = fOldOrder;
	}

	int fOldOrder;
};


TEST_F(DatumTest, TextInYearMonthDayOrder)
{
	const char* texts[] = { "2004/01/02 12:34:56", "20040102T123456Z" };
	for (const char* text : texts) {
		SCOPED_TRACE(text);
		Datum value(text, false);
		EXPECT_EQ(2004, value.fYear);
		EXPECT_EQ(1, value.fMonth);
		EXPECT_EQ(2, value.fDay);
		EXPECT_EQ(45296u, value.fSec);
		EXPECT_EQ(2, value.fYDay);
		EXPECT_EQ(2004002, value.fxDay);
		EXPECT_EQ(12, value.fHour);
		EXPECT_EQ(34, value.fMinute);
		EXPECT_EQ(5, value.fWDay);
		EXPECT_EQ(local_time(2004, 1, 2, 12, 34, 56), (long)value.fTime);
		EXPECT_STREQ("20040102T123456", value.Styled(0));
		EXPECT_STREQ("2004/01/02 12:34", value.Styled(30));
		EXPECT_STREQ("2004.01.02 12:34", value.Styled(1));
	}
}


TEST_F(DatumTest, TextInTheOtherOrders)
{
	Datum::fDFormat = 1;
	std::string log = captured_output([] {
		Datum value("01/02/2004 12:34", false);
		EXPECT_EQ(local_time(2004, 1, 2, 12, 34), (long)value.fTime);
		EXPECT_STREQ("01/02/2004 12:34", value.Styled(1));
		EXPECT_STREQ("Next: Fri.  Jan/02/2004  12:34", value.Styled(5));
	});
	EXPECT_EQ(" MDY \n", log);

	Datum::fDFormat = 2;
	log = captured_output([] {
		Datum value("01/02/2004 12:34", false);
		EXPECT_EQ(local_time(2004, 2, 1, 12, 34), (long)value.fTime);
		EXPECT_EQ(1, value.fDay);
		EXPECT_EQ(2, value.fMonth);
		EXPECT_STREQ("01.02.2004 12:34", value.Styled(1));
		EXPECT_STREQ("Next: Sun.  01.Feb.2004  12:34", value.Styled(5));
	});
	EXPECT_EQ("", log);

	// A foreign order from the settings file reads and writes
	// year-month-day.
	Datum::fDFormat = 7;
	Datum foreign("2004/01/02 12:34", false);
	EXPECT_EQ(local_time(2004, 1, 2, 12, 34), (long)foreign.fTime);
	EXPECT_STREQ("2004.01.02 12:34", foreign.Styled(1));
}


TEST_F(DatumTest, OutOfRangeDatesRollOverButKeepTheNumbersRead)
{
	Datum value("20040231T000000", false);
	EXPECT_EQ(31, value.fDay);
	EXPECT_EQ(2, value.fMonth);
	EXPECT_EQ(local_time(2004, 3, 2), (long)value.fTime);
	EXPECT_EQ(62, value.fYDay);
	EXPECT_EQ(2004062, value.fxDay);

	Datum late("20040102T250000", false);
	EXPECT_EQ(local_time(2004, 1, 3, 1), (long)late.fTime);
	EXPECT_EQ(90000u, late.fSec);
}


TEST_F(DatumTest, ShortTextsStandForNow)
{
	const char* texts[] = { "", "2004", NULL };
	for (const char* text : texts) {
		long before = (long)time(NULL);
		Datum value(text, false);
		long after = (long)time(NULL);
		EXPECT_GE((long)value.fTime, before);
		EXPECT_LE((long)value.fTime, after);
	}

	// The same under day-month-year: the current time is written in the
	// order in force and read back in it.
	Datum::fDFormat = 2;
	long before = (long)time(NULL);
	Datum value("", false);
	EXPECT_GE((long)value.fTime, before);
	EXPECT_LE((long)value.fTime, (long)time(NULL));
}


TEST_F(DatumTest, TextsShorterThanTheirSlicesReadAsZero)
{
	// Eight characters, but only six digits once the dots are gone: the
	// day slice lies beyond the text and there is no time part.
	Datum value("12.34.56", false);
	EXPECT_EQ(1234, value.fYear);
	EXPECT_EQ(56, value.fMonth);
	EXPECT_EQ(0, value.fDay);
	EXPECT_EQ(0u, value.fSec);

	// Separators only: every slice is empty.
	Datum empty("........", false);
	EXPECT_EQ(0, empty.fYear);
	EXPECT_EQ(0, empty.fMonth);
	EXPECT_EQ(0, empty.fDay);
}


TEST_F(DatumTest, TimeParts)
{
	EXPECT_EQ(45296, TimeInSek("20040102T123456"));
	// A time part cut short: what is missing reads as 0.
	EXPECT_EQ(12 * 3600 + 3 * 60, TimeInSek("20040102T123"));
	EXPECT_EQ(3600, TimeInSek("T1"));
	EXPECT_EQ(0, TimeInSek("T"));
	// Non-digits end a part.
	EXPECT_EQ(1 * 3600 + 30 * 60, TimeInSek("T1x30"));

	std::string log = captured_output([] {
		EXPECT_EQ(0, TimeInSek("20040102t123456"));
	});
	EXPECT_EQ(" !!no T !!\n", log);

	// A lower-case 't' keeps its place but gives midnight.
	log = captured_output([] {
		Datum value("20040102t123456", false);
		EXPECT_EQ(0u, value.fSec);
		EXPECT_EQ(local_time(2004, 1, 2), (long)value.fTime);
	});
	EXPECT_EQ(" !!no T !!\n", log);
}


TEST_F(DatumTest, VerboseTrace)
{
	std::string log = captured_output([] {
		Datum value("2004/01/02 12:34:56", true);
	});
	EXPECT_EQ("[2004/01/02 12:34:56] wird zu: 20040102T123456 \n"
		"\n posX:20040102T123456  df:0 Jahr:2004 Monat:01 Tag: 02 \n"
		" ln:1 DC: 2004|01|02   y:002 w:5 fSec:45296 fxDay:2004002\n", log);
}


TEST_F(DatumTest, ValueFromTimeReloadsTheOrderOnlyWhenNoneIsAlive)
{
	long moment = local_time(2004, 5, 7, 14, 35, 10);
	std::string log = captured_output([&] {
		Datum first(moment, true);
		EXPECT_EQ(2004, first.fYear);
		EXPECT_EQ(5, first.fMonth);
		EXPECT_EQ(7, first.fDay);
		EXPECT_EQ(14, first.fHour);
		EXPECT_EQ(35, first.fMinute);
		EXPECT_EQ(14u * 3600 + 35 * 60 + 10, first.fSec);
		EXPECT_EQ(128, first.fYDay);
		EXPECT_EQ(2004128, first.fxDay);
		EXPECT_EQ(5, first.fWDay);
		Datum second(moment, false);
		EXPECT_EQ(2, Datum::datumC);
	});
	EXPECT_EQ("STATIC SET !\n"
		"ln:1 DC: 2004|05|07   y:128 w:5 fSec:52510 fxDay:2004128\n", log);
	EXPECT_EQ(0, Datum::datumC);
	// Without a date-format file the order is 0.
	EXPECT_EQ(0, Datum::fDFormat);
}


TEST_F(DatumTest, DateOrderFromTheSettingsFile)
{
	char folder[] = "/tmp/zl_datum_XXXXXX";
	ASSERT_NE(nullptr, mkdtemp(folder));
	setenv("XDG_CONFIG_HOME", folder, 1);
	std::string path = std::string(folder) + "/kqd_DateFormat";
	FILE* file = fopen(path.c_str(), "w");
	ASSERT_NE(nullptr, file);
	fclose(file);

	EXPECT_EQ(0, GetGlobalDateFormat());

	BNode node(path.c_str());
	ASSERT_EQ(B_OK, node.InitCheck());
	int32 order = 2;
	ASSERT_EQ(4, node.WriteAttr("time_format", B_INT32_TYPE, 0, &order, 4));
	EXPECT_EQ(2, GetGlobalDateFormat());
	// The wrong type or a short value counts as missing.
	int16 shortOrder = 1;
	node.WriteAttr("time_format", B_INT16_TYPE, 0, &shortOrder, 2);
	EXPECT_EQ(0, GetGlobalDateFormat());
	node.WriteAttr("time_format", B_INT32_TYPE, 0, &shortOrder, 2);
	EXPECT_EQ(0, GetGlobalDateFormat());
	node.Unset();

	std::filesystem::remove_all(folder);
	unsetenv("XDG_CONFIG_HOME");
}


TEST_F(DatumTest, Styles)
{
	long moment = local_time(2004, 5, 7, 14, 35, 10);
	Datum value(moment, false);
	EXPECT_STREQ("20040507T143510", value.Styled(0));
	EXPECT_STREQ("2004.05.07 14:35", value.Styled(1));
	EXPECT_STREQ("2004.05.07 14:35", value.Styled(99));
	EXPECT_STREQ("2004.05.07 14:35", value.Styled(2));
	EXPECT_STREQ("2004.05.07 14:35 May Fri", value.Styled(3));
	EXPECT_STREQ("07.May.04 14:35 Fri", value.Styled(4));
	EXPECT_STREQ("Next: Fri.  2004.May.07  14:35", value.Styled(5));
	EXPECT_STREQ(": Fri.  07.May.2004  14:35", value.Styled(6));
	EXPECT_STREQ("May 2004", value.Styled(7));
	EXPECT_STREQ("Fr", value.Styled(10));
	EXPECT_STREQ("2004 May. 07 -Fri.", value.Styled(11));
	EXPECT_STREQ("14:35 ", value.Styled(12));
	EXPECT_STREQ("[2004:05:07]", value.Styled(13));
	EXPECT_STREQ("07 Fri.", value.Styled(14));
	EXPECT_STREQ("May. 2004", value.Styled(15));
	EXPECT_STREQ("YM1 5 D1 07 14:00 #0", value.Styled(20));
	EXPECT_STREQ("2004/05/07 14:35", value.Styled(30));

	Datum monday("2004/05/10 08:00", false);
	EXPECT_STREQ("Mo", monday.Styled(10));

	// A year too long for the buffer's 63 characters cannot happen, but a
	// very distant one still fits: nothing is written past the buffer.
	long distant = 253402300799L;	// 9999-12-31 23:59:59
	Datum last(distant, false);
	EXPECT_STREQ("Next: Fri.  9999.Dec.31  23:59", last.Styled(5));
}


TEST_F(DatumTest, WeekdayAndDayOfYear)
{
	long moment = local_time(2004, 12, 31, 23, 0);
	Datum value(moment, false);
	std::string log = captured_output([&] {
		EXPECT_EQ(5, value.IstWTag());
	});
	EXPECT_EQ("IstWTag: 5\n", log);
	value.fYDay = 0;
	EXPECT_EQ(366, value.IstYTag());
	EXPECT_EQ(366, value.fYDay);

	log = captured_output([&] { value.PrintToStream(); });
	EXPECT_EQ(" >>> [2004/12/31 23:00:00]  y:366 w:5 fSec:82800 "
		"fxDay:2004366\n", log);
}


TEST_F(DatumTest, TextAcrossAClockChange)
{
	ScopedTimeZone zone(kBerlinRule);
	// 28 March 2004 is the day the clock goes forward; noon that day and
	// the day before are 23 hours apart.
	Datum before("2004/03/27 12:00:00", false);
	Datum after("2004/03/28 12:00:00", false);
	EXPECT_EQ(12, after.fHour);
	EXPECT_EQ(23 * 3600, (long)(after.fTime - before.fTime));
	EXPECT_EQ(0, after.fWDay);
}


TEST(CalendarHelpers, LeapYearsAndMonthLengths)
{
	EXPECT_FALSE(isSchaltjahr(1900));
	EXPECT_TRUE(isSchaltjahr(2000));
	EXPECT_TRUE(isSchaltjahr(2004));
	EXPECT_FALSE(isSchaltjahr(2100));
	EXPECT_FALSE(isSchaltjahr(2003));

	EXPECT_EQ(29, TagePerMonat(1, 2004));
	EXPECT_EQ(28, TagePerMonat(1, 2003));
	EXPECT_EQ(29, TagePerMonat(13, 2003));
	EXPECT_EQ(31, TagePerMonat(-1, 2004));
	EXPECT_EQ(28, TagePerMonat(-11, 2004));
	EXPECT_EQ(30, TagePerMonat(10, 2004));
	EXPECT_EQ(31, TagePerMonat(11, 2004));
	EXPECT_EQ(31, TagePerMonat(0, 2004));
	int lengths[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
	for (int month = 0; month < 12; month++)
		EXPECT_EQ(lengths[month], TagePerMonat(month, 2001)) << month;
}


TEST(CalendarHelpers, DayDistanceAndYearKey)
{
	long last = local_time(2003, 12, 31, 10);
	long first = local_time(2004, 1, 1, 9);
	Datum from(last, false);
	Datum to(first, false);
	EXPECT_EQ(1, FutureDays(&from, &to));
	long march = local_time(2004, 3, 1, 9);
	Datum spring(march, false);
	EXPECT_EQ(60, FutureDays(&to, &spring));
	EXPECT_EQ(-60, FutureDays(&spring, &to));

	EXPECT_EQ(2004000, YearYday("20040507T000000"));
	std::string log = captured_output([] {
		EXPECT_EQ(2004000, YearYday("2004"));
	});
	EXPECT_EQ(" !!<8!!\n", log);
	EXPECT_EQ(1999000, YearYday("1999/01/01"));
}


TEST(CalendarHelpers, DurationsAndNow)
{
	EXPECT_STREQ("25:01:01 ", SecsToStr(90061));
	EXPECT_STREQ("00:00:00 ", SecsToStr(0));
	EXPECT_STREQ("00:59:59 ", SecsToStr(3599));

	// The shapes of the current time; an unknown order keeps the previous
	// text.
	const char* now = getNow(false, 2);
	ASSERT_EQ(16u, strlen(now));
	EXPECT_EQ('/', now[2]);
	EXPECT_EQ('/', now[5]);
	EXPECT_EQ(' ', now[10]);
	std::string previous = now;
	EXPECT_EQ(previous, getNow(true, 3));
	now = getNow(true, 0);
	ASSERT_EQ(19u, strlen(now));
	EXPECT_EQ('/', now[4]);
	EXPECT_EQ(':', now[16]);
}


TEST(CalendarHelpers, TimeLeftTrace)
{
	long until = (long)time(NULL) + 90061;
	std::string log = captured_output([&] { InfoDiffTimes(until, 1, "w"); });
	// The clock may tick once while the line is made.
	EXPECT_TRUE(log == "*        w | D:  1 H: 1 M: 1 S: 1 (90061)\n"
		|| log == "*        w | D:  1 H: 1 M: 1 S: 0 (90060)\n") << log;

	log = captured_output([&] { InfoDiffTimes(until, 0, "abc"); });
	EXPECT_EQ('\n', log[0]);
	EXPECT_NE('\n', log.back());
	log = captured_output([&] { InfoDiffTimes(until, 2, "abc"); });
	EXPECT_EQ('\n', log[0]);
	EXPECT_EQ('\n', log.back());
	log = captured_output([&] { InfoDiffTimes(until, 5, NULL); });
	EXPECT_EQ('*', log[0]);
}
