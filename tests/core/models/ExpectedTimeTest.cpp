// The expected-time queries of the register on the default models.
#include <STimeModels.h>

#include <gtest/gtest.h>

#include "ModelTestSupport.h"


class ExpectedTime : public testing::Test {
protected:
	void SetUp() override
	{
		// No file in the folder: the register holds the defaults.
		captured_output([&] { fModels = new STimeModels(); });
	}

	void TearDown() override
	{
		captured_output([&] { delete fModels; });
	}

	void UseWeek(const char* name)
	{
		fModels->fWeekModel = fModels->GetWmIfExist(name);
		ASSERT_NE(nullptr, fModels->fWeekModel);
	}

	long Day(long when)
	{
		long minutes = -1;
		fModels->ErwartetTagesStd(&when, minutes, NULL);
		return minutes;
	}

	long Month(long when, int payDay, std::string* log = NULL)
	{
		long minutes = -1;
		std::string output = captured_output([&] {
			fModels->ErwartetMonatsStd(&when, payDay, minutes, NULL);
		});
		if (log != NULL)
			*log = output;
		return minutes;
	}

	long Breaks(long in, long out, BString* text = NULL,
		std::string* log = NULL)
	{
		long minutes = 0;
		std::string output = captured_output([&] {
			fModels->ShowInherendBTs(&in, &out, minutes, text);
		});
		if (log != NULL)
			*log = output;
		return minutes;
	}

	ProfileFolder fFolder;
	STimeModels* fModels;
};


TEST_F(ExpectedTime, DaysByWeekday)
{
	UseWeek("A-Standart");
	// 4 January 2004 is a Sunday.
	for (int day = 4; day <= 10; day++)
		EXPECT_EQ(450, Day(local_time(2004, 1, day, 10))) << day;

	UseWeek("G-Standart");
	EXPECT_EQ(180, Day(local_time(2004, 1, 9, 10)));	// Friday
	EXPECT_EQ(450, Day(local_time(2004, 1, 7, 10)));	// Wednesday
	EXPECT_EQ(450, Day(local_time(2004, 1, 4, 10)));	// Sunday

	// A free day expects nothing.
	fModels->fWeekModel->SetDay(3, NULL);
	EXPECT_EQ(0, Day(local_time(2004, 1, 7, 10)));
}


TEST_F(ExpectedTime, NoCurrentWeekModel)
{
	long when = local_time(2004, 1, 7, 10);
	long minutes = 99;
	std::string log = captured_output([&] {
		fModels->ErwartetTagesStd(&when, minutes, NULL);
	});
	EXPECT_EQ(0, minutes);
	EXPECT_EQ(" ETS aWeekPtr NULL\n", log);

	minutes = 99;
	log = captured_output([&] { fModels->ErwartetWochenStd(minutes, NULL); });
	EXPECT_EQ(0, minutes);
	EXPECT_EQ(" ErwartetWochenStd aWeekPtr NULL\n", log);

	minutes = 99;
	log = captured_output([&] {
		fModels->ErwartetMonatsStd(&when, 1, minutes, NULL);
	});
	EXPECT_EQ(0, minutes);
	EXPECT_EQ(" EMS aWeekPtr NULL\n", log);

	// The deduction is left as the caller set it.
	minutes = 99;
	log = captured_output([&] {
		fModels->ShowInherendBTs(&when, &when, minutes, NULL);
	});
	EXPECT_EQ(99, minutes);
	EXPECT_EQ("ShowInherend aWeekPtr NULL\n", log);
}


TEST_F(ExpectedTime, Week)
{
	UseWeek("A-Standart");
	long minutes = 0;
	std::string log = captured_output([&] {
		fModels->ErwartetWochenStd(minutes, NULL);
	});
	EXPECT_EQ(2400, minutes);
	EXPECT_EQ(" WochenStd 2400\n", log);
}


TEST_F(ExpectedTime, AccountingMonths)
{
	UseWeek("A-Standart");
	std::string log;
	EXPECT_EQ(29 * 450, Month(local_time(2004, 2, 17, 8, 15), 1, &log));
	EXPECT_EQ(" -break", log);

	// Pay day 15: 15 January to 14 February.
	EXPECT_EQ(31 * 450, Month(local_time(2004, 1, 20, 9), 15, &log));
	EXPECT_EQ("", log);
	// From 15 February 2004 (a leap year) to 14 March.
	EXPECT_EQ(29 * 450, Month(local_time(2004, 2, 3, 9), 15));

	// G-Standart, April 2004: five Fridays of 180, 25 days of 450.
	UseWeek("G-Standart");
	EXPECT_EQ(5 * 180 + 25 * 450, Month(local_time(2004, 4, 30, 23, 59), 1));
}


// Every day of an accounting month counts once, and by its own weekday,
// also across the clock changes of March and October.
TEST_F(ExpectedTime, AccountingMonthsAcrossClockChanges)
{
	ScopedTimeZone zone(kBerlinRule);
	UseWeek("G-Standart");

	struct { int year, month, hour, payDay, days, fridays; } cases[] = {
		{ 2004, 3, 0, 1, 31, 4 },		// forward on Sunday 28 March
		{ 2004, 3, 23, 1, 31, 4 },
		{ 2004, 10, 0, 1, 31, 5 },		// back on Sunday 31 October
		{ 2004, 10, 23, 1, 31, 5 },
		{ 2004, 10, 12, 15, 31, 5 },	// 15 October to 14 November
		{ 2004, 3, 2, 28, 31, 4 },		// 28 March to 27 April, from 02:00
	};
	for (const auto& c : cases) {
		SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << " "
			<< c.hour << "h pay day " << c.payDay);
		long when = local_time(c.year, c.month, 10, c.hour, 30);
		EXPECT_EQ(c.fridays * 180 + (c.days - c.fridays) * 450,
			Month(when, c.payDay));
	}

	// The day after the change is judged by its own weekday: Monday 29
	// March at midnight is a G-WerkTags day, Friday 2 April a short one.
	EXPECT_EQ(450, Day(local_time(2004, 3, 29, 0, 0)));
	EXPECT_EQ(180, Day(local_time(2004, 4, 2, 0, 30)));
}


TEST_F(ExpectedTime, BreaksInsideThePresence)
{
	UseWeek("A-Standart");
	struct { int inHour, inMinute, outHour, outMinute; long deducted; }
	cases[] = {
		{ 8, 0, 16, 30, 45 },
		{ 9, 0, 12, 30, 45 },	// bounds included
		{ 9, 5, 16, 30, 30 },	// "Morgen" only overlaps
		{ 12, 15, 16, 0, 0 },
		{ 9, 0, 9, 15, 15 },
		{ 9, 0, 9, 14, 0 },
	};
	for (const auto& c : cases) {
		long in = local_time(2004, 1, 7, c.inHour, c.inMinute);
		long out = local_time(2004, 1, 7, c.outHour, c.outMinute);
		EXPECT_EQ(c.deducted, Breaks(in, out)) << c.inHour << ":"
			<< c.inMinute << "-" << c.outHour << ":" << c.outMinute;
	}

	BString text;
	long in = local_time(2004, 1, 7, 8, 0);
	long out = local_time(2004, 1, 7, 16, 30);
	EXPECT_EQ(45, Breaks(in, out, &text));
	EXPECT_STREQ(" >[Morgen] [Mittag] - 45 min.  ", text.String());

	// Nothing deducted: the caller's value stays, the text is unchanged.
	text = "";
	long minutes = 7;
	long lateIn = local_time(2004, 1, 7, 13, 0);
	captured_output([&] {
		fModels->ShowInherendBTs(&lateIn, &out, minutes, &text);
	});
	EXPECT_EQ(7, minutes);
	EXPECT_STREQ("", text.String());
}


TEST_F(ExpectedTime, FreeDaysAndMidnight)
{
	UseWeek("G-Standart");
	fModels->fWeekModel->SetDay(0, NULL);
	BString text;
	long in = local_time(2004, 1, 4, 8, 0);		// Sunday, now free
	long out = local_time(2004, 1, 4, 16, 0);
	EXPECT_EQ(0, Breaks(in, out, &text));
	EXPECT_STREQ(" >[Su - virtual free] ", text.String());

	UseWeek("A-Standart");
	text = "";
	std::string log;
	in = local_time(2004, 1, 7, 22, 0);
	out = local_time(2004, 1, 8, 6, 0);
	EXPECT_EQ(0, Breaks(in, out, &text, &log));
	EXPECT_EQ(" from 6 to 7 = 1 Days |\n"
		" >>> !Impl. Range not the same day !! \n", log);
	EXPECT_STREQ(" ** oops, split this Entry ! ** \n", text.String());
}


TEST_F(ExpectedTime, BackwardBreaksAreNeverDeducted)
{
	// A break that ends before it starts lies inside a band that covers
	// the whole day, but its length is negative: it must not add to the
	// presence.
	captured_output([&] {
		cBreakTime* backwards = new cBreakTime("Rueckwaerts", 10, 0, 9, 0);
		fModels->fBreakTimes->AddItem(backwards);
		cDayModel* day = fModels->GetDmIfExist("A-WerkTags");
		day->AddBreakTime(backwards);
	});
	UseWeek("A-Standart");
	long in = local_time(2004, 1, 7, 0, 0);
	long out = local_time(2004, 1, 7, 23, 59);
	EXPECT_EQ(45, Breaks(in, out));
}
