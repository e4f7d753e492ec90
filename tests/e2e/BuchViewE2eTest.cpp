// The booking page of the running terminal, driven through hey as an
// administrator would: a row's context menu, the picker by keys, the
// Windows key and the save button; the booking file's bytes afterwards.
#include "E2eFixture.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <string>
#include <vector>

namespace {

const char* const kWindow = "Time-INFO";

time_t
utc(int day, int hour, int minute)
{
	struct tm at = {};
	at.tm_year = 107;
	at.tm_mon = 11;
	at.tm_mday = day;
	at.tm_hour = hour;
	at.tm_min = minute;
	return timegm(&at);
}


std::string
punch(char kind, time_t when)
{
	int32_t head[2] = { kind, (int32_t)when };
	return std::string((const char*)head, sizeof(head));
}


std::string
marker(const char* name)
{
	int32_t head[2] = { 0x20204D57, 8 };
	std::string text(name);
	text.resize(8, ' ');
	return std::string((const char*)head, sizeof(head)) + text;
}

}	// namespace


class BuchViewE2eTest : public E2eFixture {
protected:
	void SetUp() override
	{
		setenv("TZ", "UTC", 1);
		tzset();
		E2eFixture::SetUp();
	}

	int Do(const std::vector<std::string>& arguments)
	{
		int status = -1;
		Hey(arguments, &status);
		Sync();
		return status;
	}

	std::string Ask(const std::vector<std::string>& arguments)
	{
		std::vector<std::string> all = arguments;
		all.insert(all.end(), { "of", "Window", kWindow });
		return Hey(all);
	}

	// Opens the records window on the employee of a row, on the booking
	// page.
	void OpenBookings(int row)
	{
		if (Hey({ "get", "Title", "of", "Window", "1" }) != kWindow) {
			ASSERT_EQ(Do({ "do", "Click", "of", "View", "open", "of", "Window",
				"0" }), 0);
		}
		ClickRow(row);
		ASSERT_EQ(Do({ "do", "Click", "of", "View", "oBuch", "of", "Window",
			kWindow }), 0);
	}

	int CountEntries()
	{
		return atoi(Ask({ "count", "View", "of", "View", "fBuchungen" })
			.c_str());
	}

	// A secondary click on a row, in the IN column or the OUT column, and
	// the item chosen from the menu that opens.
	void Choose(int row, bool outColumn, const std::string& item)
	{
		ASSERT_EQ(Do({ "do", "Click", "of", "View", std::to_string(row), "of",
			"View", "fBuchungen", "of", "Window", kWindow, "with", "buttons=2",
			"and", outColumn ? "where=BPoint(200,6)" : "where=BPoint(50,6)" }),
			0);
		ASSERT_EQ(Do({ "do", "MenuItem", item, "of", "View", "0", "of",
			"Window", "pbcontext" }), 0) << item << " on row " << row;
	}

	void Keys(const std::string& bytes, int times = 1)
	{
		for (int i = 0; i < times; i++) {
			int status = -1;
			Hey({ "do", "Key", "of", "Window", kWindow, "with",
				"bytes=" + bytes }, &status);
			ASSERT_EQ(status, 0);
		}
		Sync();
	}

	void SuperKey()
	{
		ASSERT_EQ(Do({ "do", "Key", "of", "Window", kWindow, "with",
			"key=102" }), 0);
	}

	bool PickerOpen()
	{
		int status = -1;
		Hey({ "get", "Frame", "of", "View", "TD_View", "of", "Window",
			kWindow }, &status);
		return status == 0;
	}
};


TEST_F(BuchViewE2eTest, EditsThroughTheMenuAndThePickerAreSaved)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	std::string path = fFolder + "/AB12CD34";
	std::string original = marker("Std") + punch('I', utc(10, 8, 0))
		+ punch('O', utc(10, 17, 0)) + punch('O', utc(11, 17, 0))
		+ punch('I', utc(12, 8, 0));
	WriteFile(path, original);
	Start();
	OpenBookings(0);
	ASSERT_EQ(CountEntries(), 4);
	EXPECT_EQ(Ask({ "get", "Hidden", "of", "View", "smodf" }), "true");

	// The missing IN gets its IN: from 17:00 down to 08:00, Enter.
	Choose(2, false, "Modify");
	ASSERT_TRUE(PickerOpen());
	Keys("-", 9);
	Keys("\n");
	EXPECT_FALSE(PickerOpen());

	// The missing OUT, from its OUT column: 08:00 up to 16:30.
	Choose(3, true, "Modify");
	Keys("+", 8);
	Keys("\t");
	Keys("+", 30);
	Keys("\n");

	// A cancelled picker changes nothing.
	Choose(1, false, "Modify");
	Keys("+", 2);
	Keys("\x1b");
	EXPECT_FALSE(PickerOpen());

	// The first pair joined with the next day's into one of 33 hours,
	// split again at its OUT; the marker moved below the first half.
	Choose(1, false, "Join");
	ASSERT_EQ(CountEntries(), 3);
	Choose(1, false, "Split");
	ASSERT_EQ(CountEntries(), 4);
	Choose(0, false, "Move Down");

	// The file is untouched until the save button, which a Windows key
	// shows and the save hides.
	EXPECT_EQ(FileBytes(path), original);
	SuperKey();
	ASSERT_EQ(Ask({ "get", "Hidden", "of", "View", "smodf" }), "false");
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "smodf", "of", "Window",
		kWindow }), 0);
	EXPECT_EQ(Ask({ "get", "Hidden", "of", "View", "smodf" }), "true");
	EXPECT_EQ(FileBytes(path), punch('I', utc(10, 8, 0))
		+ punch('O', utc(11, 17, 0)) + marker("Std")
		+ punch('I', utc(11, 17, 0)) + punch('O', utc(11, 17, 0))
		+ punch('I', utc(12, 8, 0)) + punch('O', utc(12, 16, 30)));
	EXPECT_EQ(CountEntries(), 4);
}


TEST_F(BuchViewE2eTest, AnotherEmployeeEndsTheEditAndAFailedSaveSaysSo)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n"
		"EF56GH78\t\tJonas Beispiel\t\n");
	std::string first = fFolder + "/AB12CD34";
	std::string second = fFolder + "/EF56GH78";
	std::string firstBytes = punch('I', utc(10, 8, 0))
		+ punch('O', utc(10, 17, 0));
	std::string secondBytes = punch('I', utc(10, 8, 0))
		+ punch('O', utc(10, 17, 0)) + punch('I', utc(11, 9, 0));
	WriteFile(first, firstBytes);
	WriteFile(second, secondBytes);
	Start();

	// A picker open on the first employee's row goes with the list.
	OpenBookings(0);
	Choose(0, false, "Modify");
	ASSERT_TRUE(PickerOpen());
	OpenBookings(1);
	EXPECT_FALSE(PickerOpen());
	ASSERT_EQ(CountEntries(), 2);

	// A time result that arrives late, naming the row's time, edits
	// nothing; neither does a menu choice.
	Hey({ "Qmod", "of", "Window", kWindow, "with", "_QuitMod=1", "and",
		"_initT=" + std::to_string(utc(10, 8, 0)), "and",
		"_backT=" + std::to_string(utc(10, 6, 0)) });
	Sync();
	SuperKey();
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "smodf", "of", "Window",
		kWindow }), 0);
	EXPECT_EQ(FileBytes(second), secondBytes);
	EXPECT_EQ(FileBytes(first), firstBytes);

	// The file is replaced behind the window's back: the save refuses,
	// says so with the path, and the list and the file stay.
	std::string replaced = punch('O', utc(12, 12, 0));
	WriteFile(second + ".new", replaced);
	ASSERT_EQ(rename((second + ".new").c_str(), second.c_str()), 0);
	Choose(1, false, "Delete");
	ASSERT_EQ(CountEntries(), 1);
	SuperKey();
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "smodf", "of", "Window",
		kWindow }), 0);
	EXPECT_EQ(FileBytes(second), replaced);
	EXPECT_EQ(CountEntries(), 1);
	EXPECT_EQ(Hey({ "get", "Title", "of", "Window", "Autsch" }), "Autsch");
	std::string text = Hey({ "get", "Text", "of", "View", "_tv_", "of",
		"Window", "Autsch" });
	EXPECT_NE(text.find("Zelmora..\n"), std::string::npos) << text;
	EXPECT_NE(text.find(second), std::string::npos) << text;
	EXPECT_EQ(CountInTrace("..file changed since it was read, can't write '"
		+ second + "'"), 1);
	EXPECT_EQ(Do({ "do", "Key", "of", "Window", "Autsch", "with",
		"bytes=\n" }), 0);
}
