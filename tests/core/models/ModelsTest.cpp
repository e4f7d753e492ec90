// Break, day and week models on their own.
#include <cBreakTime.h>
#include <cDayModel.h>
#include <cWeekModel.h>

#include <gtest/gtest.h>

#include "ModelTestSupport.h"


TEST(BreakTime, ValuesFromClockNumbers)
{
	cBreakTime ghost("Ghost", 23, 30, 23, 45);
	EXPECT_STREQ("Ghost", ghost.fName.String());
	EXPECT_EQ(15, ghost.fDuration);
	EXPECT_EQ(BRect(2330, 1, 2345, 9), ghost.fRange);
	EXPECT_EQ(15 * 60, (long)(ghost.fEnd - ghost.fStart));

	cBreakTime none("No-Breaks", 0, 0, 0, 0);
	EXPECT_EQ(0, none.fDuration);

	cBreakTime backwards("Back", 13, 0, 12, 0);
	EXPECT_EQ(-60, backwards.fDuration);

	cBreakTime plain;
	EXPECT_STREQ("BreakTime-Name", plain.fName.String());
	EXPECT_EQ(30, plain.fDuration);
	EXPECT_EQ(BRect(1200, 1, 1230, 9), plain.fRange);
}


TEST(BreakTime, LengthIsTheSameOnADayOfClockChange)
{
	// From 01:00 to 04:00 is three hours of break by the clock, also on
	// the day the clock goes forward or back in between.
	ScopedTimeZone zone(kBerlinRule);
	cBreakTime night("Nacht", 1, 0, 4, 0);
	EXPECT_EQ(180, night.fDuration);
}


TEST(BreakTime, LineAndTrace)
{
	ProfileFolder folder;
	cBreakTime noon("Mittag", 12, 0, 12, 30);
	cBreakTime early("Früh Stück", 7, 5, 8, 0);
	noon.IntoFile(folder.Path());
	early.IntoFile(folder.Path());
	EXPECT_EQ("BT 12:00-12:30 Mittag\nBT 07:05-08:00 Früh Stück\n",
		folder.Read());

	std::string log = captured_output([&] { noon.PrintToStream(); });
	EXPECT_EQ("BT 12:00-12:30 |Mittag (30)\n", log);

	// A file that cannot be opened is left alone.
	noon.IntoFile("/nonexistent/folder/file");
}


TEST(DayModel, BreaksStaySortedByStartHour)
{
	cBreakTime noon("Mittag", 12, 0, 12, 30);
	cBreakTime nine("Neun", 9, 0, 9, 15);
	cBreakTime eight("Acht", 8, 0, 8, 10);
	cBreakTime lateEight("Acht-Dreissig", 8, 30, 8, 40);
	cDayModel day("Tag", 7, 30);
	EXPECT_EQ(450, day.fDuration);

	day.AddBreakTime(&noon);
	day.AddBreakTime(&nine);
	day.AddBreakTime(&eight);
	ASSERT_EQ(3, day.fBreaks->CountItems());
	EXPECT_EQ(&eight, day.BreakAt(0));
	EXPECT_EQ(&nine, day.BreakAt(1));
	EXPECT_EQ(&noon, day.BreakAt(2));

	// The same start hour keeps the order of adding; minutes are not
	// compared.
	cBreakTime earlyEight("Acht-Null-Fuenf", 8, 5, 8, 6);
	day.AddBreakTime(&lateEight);
	day.AddBreakTime(&earlyEight);
	EXPECT_EQ(&eight, day.BreakAt(0));
	EXPECT_EQ(&lateEight, day.BreakAt(1));
	EXPECT_EQ(&earlyEight, day.BreakAt(2));
	EXPECT_EQ(&nine, day.BreakAt(3));

	std::string log = captured_output([&] {
		day.AddBreakTime(&nine);
		day.AddBreakTime(NULL);
	});
	EXPECT_EQ("BT schon in list...\nBT ist NULL-Ptr...\n", log);
	EXPECT_EQ(5, day.fBreaks->CountItems());
}


TEST(DayModel, RemovingBreaks)
{
	cBreakTime noon("Mittag", 12, 0, 12, 30);
	cBreakTime other("Other", 9, 0, 9, 15);
	cDayModel day("Tag", 7, 30);
	day.AddBreakTime(&noon);

	std::string log = captured_output([&] {
		day.RemoveBreakTime(NULL);
		day.RemoveBreakTime(&other);
		day.RemoveBreakTime(&noon);
	});
	EXPECT_EQ("BT ist NULL-Ptr...\nBT remove nicht gefunden... (Other)\n"
		"BT remove gefunden...\n", log);
	EXPECT_EQ(0, day.fBreaks->CountItems());
}


TEST(DayModel, LineAndTrace)
{
	ProfileFolder folder;
	cDayModel shortly("X-Shortly3", 3, 0);
	shortly.IntoFile(folder.Path());

	cBreakTime morning("Morgen", 9, 0, 9, 15);
	cBreakTime noon("Mittag", 12, 0, 12, 30);
	cDayModel work("A-WerkTags", 7, 30);
	work.AddBreakTime(&noon);
	work.AddBreakTime(&morning);
	work.IntoFile(folder.Path());
	EXPECT_EQ("DM 03:00 X-Shortly3,*NULL\n"
		"DM 07:30 A-WerkTags,*Morgen,*Mittag,*NULL\n", folder.Read());

	std::string log = captured_output([&] { work.PrintToStream(); });
	EXPECT_EQ("DM 07:30 |A-WerkTags [450]\nBT 09:00-09:15 |Morgen (15)\n"
		"BT 12:00-12:30 |Mittag (30)\n", log);

	cDayModel plain;
	EXPECT_STREQ("DayModel-Name", plain.fName.String());
	EXPECT_EQ(0, plain.fDuration);
}


TEST(WeekModel, HoursAndMinutesAreClamped)
{
	struct { int hours, minutes, wantHours, wantMinutes; } cases[] = {
		{ 200, 0, 56, 0 }, { 40, 75, 40, 0 }, { -1, 0, 56, 0 },
		{ 168, 59, 168, 59 }, { 0, 60, 0, 0 }, { 169, 30, 56, 30 },
	};
	for (const auto& c : cases) {
		cWeekModel week("X", c.hours, c.minutes);
		EXPECT_EQ(c.wantHours, week.fHoursPerWeek) << c.hours;
		EXPECT_EQ(c.wantMinutes, week.fMinutes) << c.minutes;
		for (int day = 0; day < 7; day++)
			EXPECT_EQ(nullptr, week.fDays[day]);
	}

	cWeekModel plain;
	EXPECT_STREQ("WeekModel-Name", plain.fName.String());
	EXPECT_EQ(40, plain.fHoursPerWeek);
}


TEST(WeekModel, DaysLineAndTrace)
{
	ProfileFolder folder;
	cDayModel work("A-WerkTags", 7, 30);
	cDayModel shortly("X-Shortly3", 3, 0);
	cWeekModel week("A-Standart", 40, 0);
	cWeekModel free("Frei", 0, 0);

	week.SetDay(-1, &work);
	week.SetDay(5, &shortly);
	week.SetDay(0, NULL);
	// Days outside the week change nothing.
	week.SetDay(7, &shortly);
	week.SetDay(-2, &shortly);
	EXPECT_EQ(nullptr, week.fDays[0]);
	EXPECT_EQ(&work, week.fDays[6]);
	EXPECT_EQ(&shortly, week.fDays[5]);

	week.IntoFile(folder.Path());
	free.IntoFile(folder.Path());
	EXPECT_EQ("WM 040:00 A-Standart,*NULL,*A-WerkTags,*A-WerkTags,"
		"*A-WerkTags,*A-WerkTags,*X-Shortly3,*A-WerkTags,*NULL\n"
		"WM 000:00 Frei,*NULL,*NULL,*NULL,*NULL,*NULL,*NULL,*NULL,*NULL\n",
		folder.Read());

	std::string log = captured_output([&] { week.PrintToStream(); });
	EXPECT_EQ("WM 40:00 |A-Standart \nSu - NULL\n"
		"DM 07:30 |A-WerkTags [450]\nDM 07:30 |A-WerkTags [450]\n"
		"DM 07:30 |A-WerkTags [450]\nDM 07:30 |A-WerkTags [450]\n"
		"DM 03:00 |X-Shortly3 [180]\nDM 07:30 |A-WerkTags [450]\n", log);
}
