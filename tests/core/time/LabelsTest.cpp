// The label table of the plain build.
#include <Labels.h>

#include <stdio.h>
#include <string.h>

#include <set>
#include <string>

#include <gtest/gtest.h>


TEST(Labels, RowsThatCallersDependOn)
{
	EXPECT_STREQ("Zelmora", getLabel(0));
	EXPECT_STREQ("Last: ", getLabel(4));
	EXPECT_STREQ("Su", getLabel(51));
	EXPECT_STREQ("Sa", getLabel(57));
	EXPECT_STREQ("Sept", getLabel(109));
	EXPECT_STREQ("June", getLabel(106));
	EXPECT_STREQ("  real presence", getLabel(83));
	EXPECT_STREQ("record not complede\n", getLabel(81));
	EXPECT_STREQ(" %y/%m/%d ", getLabel(74));
	EXPECT_STREQ(" MWS_NON_REPLY ", getLabel(98));
	EXPECT_STREQ("Relay close after: ", getLabel(94));
	EXPECT_STREQ("open TagsWithEmployee-File", getLabel(33));
	EXPECT_STREQ("open Settings-File", getLabel(34));
	EXPECT_STREQ("Select Tag :", getLabel(38));
	EXPECT_STREQ("add Breakmodel", getLabel(60));
	EXPECT_STREQ("weekly hours:", getLabel(68));
	EXPECT_STREQ("save list", getLabel(71));
	EXPECT_STREQ("<br>", getLabel(75));
	EXPECT_STREQ("accounting month ", getLabel(86));
	EXPECT_STREQ("Use MWS", getLabel(91));
	EXPECT_STREQ("open all relay", getLabel(99));
	EXPECT_STREQ("current", getLabel(115));
	EXPECT_STREQ("Thanks to", getLabel(120));
	EXPECT_STREQ("e121", getLabel(121));
	EXPECT_STREQ("", getLabel(122));
}


TEST(Labels, WeekdayAndMonthCaptions)
{
	const char* days[] = { "Su", "Mo", "Tu", "We", "Th", "Fr", "Sa" };
	for (int day = 0; day < 7; day++)
		EXPECT_STREQ(days[day], getLabel(51 + day));
	const char* months[] = { "Jan", "Feb", "Mar", "Apr", "May", "June",
		"July", "Aug", "Sept", "Oct", "Nov", "Dec" };
	for (int month = 1; month <= 12; month++)
		EXPECT_STREQ(months[month - 1], getLabel(100 + month));
}


TEST(Labels, ReservedSlotsHoldTheirIndex)
{
	int reserved[] = { 19, 20, 25, 28, 29, 30, 35, 36, 37, 40, 47, 58, 59, 62,
		63, 64, 69, 70, 72, 73, 76, 77, 78, 79, 80, 87, 88, 89, 90, 95, 96,
		97, 100 };
	for (int index : reserved)
		EXPECT_EQ(std::to_string(index), getLabel(index));
	for (int index : { 113, 114, 116, 117, 118, 119, 121 })
		EXPECT_EQ("e" + std::to_string(index), getLabel(index));
}


TEST(Labels, EveryIndexHasItsOwnTextAndNothingBeyond)
{
	std::set<std::string> texts;
	for (int index = 0; index < ZL_LABEL_COUNT; index++) {
		ASSERT_NE(nullptr, getLabel(index));
		texts.insert(getLabel(index));
	}
	EXPECT_EQ((size_t)ZL_LABEL_COUNT, texts.size());

	EXPECT_STREQ("", getLabel(-1));
	EXPECT_STREQ("", getLabel(ZL_LABEL_COUNT));
}
