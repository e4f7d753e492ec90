// The records window of the real terminal, driven through hey: opened from
// a row and from "More", fed by row clicks, its protocol read back as
// text, and the time profiles it keeps saved when it or the program goes.
#include "E2eFixture.h"

#include <stdlib.h>
#include <time.h>

#include <string>
#include <vector>


class RecordsE2eTest : public E2eFixture {
protected:
	void SetUp() override
	{
		// The protocol's times are local: one zone for the test and the
		// program it starts.
		const char* zone = getenv("TZ");
		fZone = zone != NULL ? zone : "";
		fHadZone = zone != NULL;
		setenv("TZ", "UTC", 1);
		tzset();
		E2eFixture::SetUp();
		WriteRegister("AB12CD34\t\tMaria Muster\t\n"
			"EF56GH78\t\tJonas Beispiel\t\n");
		// Maria: a pair on Monday 2007-12-10; Jonas: an OUT alone.
		WriteFile(fFolder + "/AB12CD34", Record('I', 1197273900)
			+ Record('O', 1197304800));
		WriteFile(fFolder + "/EF56GH78", Record('O', 1197392400));
	}

	void TearDown() override
	{
		E2eFixture::TearDown();
		if (fHadZone)
			setenv("TZ", fZone.c_str(), 1);
		else
			unsetenv("TZ");
		tzset();
	}

	static std::string Record(char kind, uint32_t when)
	{
		std::string record(8, '\0');
		record[0] = kind;
		for (int i = 0; i < 4; i++)
			record[4 + i] = (char)(when >> (8 * i));
		return record;
	}

	int CountWindows() { return atoi(Hey({ "count", "Window" }).c_str()); }

	std::string Records(const std::vector<std::string>& what,
		const std::string& view)
	{
		std::vector<std::string> arguments = what;
		for (const char* part : { "of", "View" })
			arguments.push_back(part);
		arguments.push_back(view);
		for (const char* part : { "of", "Window", "Time-INFO" })
			arguments.push_back(part);
		return Hey(arguments);
	}

	std::string Text(const std::string& view)
	{
		return Records({ "get", "Text" }, view);
	}

	bool Shown(const std::string& page)
	{
		return Records({ "get", "Hidden" }, page) == "false";
	}

	// The row of a tag; rows are sorted, so the test looks.
	int RowOf(const std::string& tag)
	{
		for (int i = 0; i < CountRows(); i++) {
			if (RowShows(i).rfind(tag, 0) == 0)
				return i;
		}
		return -1;
	}

	std::string fZone;
	bool fHadZone = false;
};


static const char* const kMariaProtocol =
	"\naccounting month  Dec. [28]>\n"
	"Mo 07/12/10  08:05 - 16:40 :  8:35\n"
	"expected presence   0:00  real presence   8:35";


TEST_F(RecordsE2eTest, RowsOpenAndFeedTheOneRecordsWindow)
{
	Start();
	int maria = RowOf("AB12CD34");
	int jonas = RowOf("EF56GH78");
	ASSERT_GE(maria, 0);
	ASSERT_GE(jonas, 0);

	// A secondary click opens the window with that row's protocol.
	ClickRow(maria, 2);
	ASSERT_EQ(CountWindows(), 2);
	EXPECT_EQ(Hey({ "get", "Title", "of", "Window", "1" }), "Time-INFO");
	EXPECT_EQ(Text("infview"), "Maria Muster");
	EXPECT_EQ(Text("text_view"), kMariaProtocol);
	EXPECT_TRUE(Shown("ProtView"));
	std::string frame = Hey({ "get", "Frame", "of", "Window", "1" });

	// Another row's secondary click asks for the same window again.
	ClickRow(jonas, 2);
	EXPECT_EQ(CountWindows(), 2);
	EXPECT_EQ(Hey({ "get", "Frame", "of", "Window", "1" }), frame);
	EXPECT_EQ(Text("infview"), "Jonas Beispiel");
	EXPECT_NE(Text("text_view").find(
		"Tu 07/12/11  17:00 - 17:00 record not complede\n"),
		std::string::npos);
	EXPECT_EQ(Text("text_view").find("08:05"), std::string::npos);

	// Plain clicks switch it back and forth.
	ClickRow(maria);
	EXPECT_EQ(Text("infview"), "Maria Muster");
	EXPECT_EQ(Text("text_view"), kMariaProtocol);
	EXPECT_NE(Trace().find("_tpath : " + fFolder + "/AB12CD34 \n"),
		std::string::npos);

	// The protocol tab reads the file again: a punch appended meanwhile
	// shows up.
	Records({ "do", "Click" }, "oBuch");
	EXPECT_TRUE(Shown("BuchView"));
	EXPECT_FALSE(Shown("ProtView"));
	WriteFile(fFolder + "/AB12CD34", FileBytes(fFolder + "/AB12CD34")
		+ Record('I', 1197358200));
	Records({ "do", "Click" }, "oProt");
	EXPECT_TRUE(Shown("ProtView"));
	EXPECT_NE(Text("text_view").find("Tu 07/12/11  07:30 - 07:30 "
		"record not complede\n"), std::string::npos);

	ASSERT_TRUE(Snapshot(fRoot + "/records.png", "1"));
	EXPECT_EQ(Quit(), 0);
}


TEST_F(RecordsE2eTest, ReopeningGivesAFreshWindowAndQuittingSavesTheProfiles)
{
	Start();
	Hey({ "do", "Click", "of", "View", "open", "of", "Window", "0" });
	Sync();
	ASSERT_EQ(CountWindows(), 2);
	EXPECT_TRUE(Shown("ModlView"));
	EXPECT_EQ(Text("infview"), "Protokoll");
	ClickRow(RowOf("AB12CD34"));
	EXPECT_EQ(Text("infview"), "Maria Muster");
	EXPECT_EQ(CountInTrace("--  5 BT | 3 DM | 2 WM\n"), 1);

	// Closing saves the register; a week model added to the file before
	// the next opening is read by the new window.
	Hey({ "quit", "Window", "Time-INFO" });
	Sync();
	ASSERT_EQ(CountWindows(), 1);
	std::string profiles = FileBytes(fFolder + "/_Time_Profiles_");
	ASSERT_FALSE(profiles.empty());
	size_t end = profiles.rfind("; - EOF");
	ASSERT_NE(end, std::string::npos);
	profiles.insert(end, "WM 020:00 H-Teilzeit,*NULL,*G-WerkTags,"
		"*G-WerkTags,*NULL,*NULL,*NULL,*NULL,*NULL\n");
	WriteFile(fFolder + "/_Time_Profiles_", profiles);

	Hey({ "do", "Click", "of", "View", "open", "of", "Window", "0" });
	Sync();
	ASSERT_EQ(CountWindows(), 2);
	EXPECT_TRUE(Shown("ModlView"));
	EXPECT_FALSE(Shown("ProtView"));
	EXPECT_EQ(Text("infview"), "Protokoll");
	EXPECT_EQ(CountInTrace("--  5 BT | 3 DM | 3 WM\n"), 1);

	// Quitting with the window open: the profiles are written again.
	ASSERT_EQ(unlink((fFolder + "/_Time_Profiles_").c_str()), 0);
	EXPECT_EQ(Quit(), 0);
	profiles = FileBytes(fFolder + "/_Time_Profiles_");
	EXPECT_NE(profiles.find("H-Teilzeit"), std::string::npos);
	std::string trace = Trace();
	EXPECT_LT(trace.rfind("Buchungen loeschen\n"),
		trace.rfind("DESTROY SINGLETON-Prefs"));
}
