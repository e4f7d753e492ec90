// Reads through the real program: rows built from the register at start-up,
// the toggle sequence and the bytes it books, across a restart; unknown and
// unsafe tags; a register naming a tag twice; a punch that cannot be
// written.
#include "E2eFixture.h"

#include <stdlib.h>
#include <time.h>

#include <filesystem>
#include <set>

namespace {

const char* kNewRow = "  *Neuen Tag bekanntgeben ...";


// The punch records of a booking file: kind, three zero bytes, the time in
// seconds, little-endian.
struct Punch {
	char		kind;
	bool		padded;
	uint32_t	when;
};


std::vector<Punch>
DecodePunches(const std::string& data)
{
	std::vector<Punch> punches;
	for (size_t i = 0; i + 8 <= data.size(); i += 8) {
		const unsigned char* record = (const unsigned char*)data.data() + i;
		Punch punch = { (char)record[0],
			record[1] == 0 && record[2] == 0 && record[3] == 0,
			record[4] | record[5] << 8 | record[6] << 16
				| (uint32_t)record[7] << 24 };
		punches.push_back(punch);
	}
	return punches;
}


std::set<std::string>
Leaves(const std::string& folder)
{
	std::set<std::string> leaves;
	for (const auto& entry : std::filesystem::directory_iterator(folder))
		leaves.insert(entry.path().filename().string());
	return leaves;
}

}	// namespace


typedef E2eFixture IntakeE2eTest;


TEST_F(IntakeE2eTest, RegisterRowsAndTheToggleSequenceAcrossARestart)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n"
		"EF56GH78\t\t-\t\n"
		"#XX99YY00\t\tNobody\t\n"
		"ab\t\tx\t\n"
		"GH90IJ12 Jonas Beispiel\n"
		"KL34MN56\t\tK\t\n");
	Start();
	// Comments and short lines make no row; a blank splits like a TAB.
	ASSERT_EQ(CountRows(), 4);
	EXPECT_EQ(CountInTrace(kNewRow), 4);
	// All rows of a short list are in sight (a click reaches each).
	EXPECT_EQ(RowShows(0), "AB12CD34 / Maria Muster");
	EXPECT_EQ(RowShows(1), "EF56GH78 / -");
	EXPECT_EQ(RowShows(2), "GH90IJ12 / Jonas Beispiel");
	EXPECT_FALSE(Exists(fFolder + "/AB12CD34"));

	time_t before = time(NULL);
	Read({ "AB12CD34" });
	EXPECT_EQ(Punches("AB12CD34"), "I");
	EXPECT_EQ(Get("Text", "here"), "in: 1");
	// The tag's own line is overtaken by the person's.
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: Maria Muster");

	// No person: shown and scrolled to, never toggled.
	Read({ "EF56GH78" });
	EXPECT_FALSE(Exists(fFolder + "/EF56GH78"));
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: EF56GH78");
	EXPECT_EQ(Get("Text", "here"), "in: 1");

	Read({ "AB12CD34" });
	EXPECT_EQ(Get("Text", "here"), "in: 0");
	Read({ "AB12CD34", "GH90IJ12" });
	EXPECT_EQ(Get("Text", "here"), "in: 2");
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: Jonas Beispiel");
	time_t after = time(NULL);

	std::vector<Punch> punches = DecodePunches(FileBytes(fFolder
		+ "/AB12CD34"));
	ASSERT_EQ(FileBytes(fFolder + "/AB12CD34").size(), 24u);
	std::string kinds;
	for (const Punch& punch : punches) {
		kinds += punch.kind;
		EXPECT_TRUE(punch.padded);
		EXPECT_GE((time_t)punch.when, before);
		EXPECT_LE((time_t)punch.when, after);
	}
	EXPECT_EQ(kinds, "IOI");
	EXPECT_EQ(Punches("GH90IJ12"), "I");

	// A one-letter person toggles, but sends no name after the tag's own
	// line: the info line keeps the tag.
	Read({ "KL34MN56" });
	EXPECT_EQ(Punches("KL34MN56"), "I");
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: KL34MN56");

	EXPECT_EQ(Quit(), 0);
	EXPECT_NE(Trace().find("\n-ZLM end-\n"), std::string::npos);

	// After a restart everybody is out and the next read is an IN, whatever
	// the last punch was; start-up books nothing.
	Start();
	EXPECT_EQ(Punches("AB12CD34"), "IOI");
	Read({ "AB12CD34" });
	EXPECT_EQ(Punches("AB12CD34"), "IOII");
	EXPECT_EQ(Get("Text", "here"), "in: 1");
}


TEST_F(IntakeE2eTest, UnknownAndUnsafeTagsNeverNameAnotherFile)
{
	std::string registerText = "none\t\tNobody Known\t\n"
		"../escape\t\tEve\t\n"
		"_Time_Profiles_\t\tMallory\t\n"
		"TagsWithEmployee\t\tTrudy\t\n"
		"..\t\tDotty\t\n";
	WriteRegister(registerText);
	Start();
	ASSERT_EQ(CountRows(), 5);
	// Their tag is "none", so they bind the person of "none".
	EXPECT_EQ(RowShows(1), "none / Nobody Known");
	EXPECT_EQ(RowShows(3), "none / Nobody Known");

	// Reads of the texts as registered find their rows and book under
	// "none".
	for (const char* tag : { "../escape", "_Time_Profiles_",
			"TagsWithEmployee", ".." })
		Post("RFID", { std::string("_tagstr=string:") + tag });
	EXPECT_EQ(CountRows(), 5);
	EXPECT_EQ(Punches("none"), "IIII");
	EXPECT_EQ(Get("Text", "here"), "in: 4");

	// Texts no reader should send get one row each, however often read.
	for (const char* tag : { "a/b", "a/b", "x\ty", "x\ty", ".", "." })
		Post("RFID", { std::string("_tagstr=string:") + tag });
	EXPECT_EQ(CountRows(), 8);
	EXPECT_EQ(RowShows(5), "none / Nobody Known");
	// The third read of "a/b": its row leaves the state it was made in,
	// then books.
	Post("RFID", { "_tagstr=string:a/b" });
	EXPECT_EQ(Punches("none"), "IIIII");

	// An unknown tag from the reader: a row, no booking.
	Read({ "NEW00001" });
	Read({ "NEW00001" });
	EXPECT_EQ(CountRows(), 9);
	EXPECT_EQ(CountInTrace(kNewRow), 9);
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: NEW00001");

	EXPECT_EQ(Leaves(fFolder), (std::set<std::string>{ "TagsWithEmployee",
		"none" }));
	EXPECT_EQ(Leaves(fInstall), (std::set<std::string>{ "zelmora",
		"Employee" }));
	EXPECT_FALSE(Exists(fRoot + "/escape"));
	EXPECT_EQ(FileBytes(fFolder + "/TagsWithEmployee"), registerText);
}


TEST_F(IntakeE2eTest, TwiceListedTagsAndPunchesThatCannotBeWritten)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n"
		"FA11ED00\t\tFrank Fehl\t\n"
		"AB12CD34\t\tMaria Muster\t\n");
	// A folder stands where the booking file should be.
	ASSERT_EQ(mkdir((fFolder + "/FA11ED00").c_str(), 0755), 0);
	Start();
	EXPECT_EQ(CountRows(), 2);
	// The second start-up message of the tag is no phantom IN.
	EXPECT_FALSE(Exists(fFolder + "/AB12CD34"));
	EXPECT_EQ(Get("Text", "here"), "in: 0");
	Read({ "AB12CD34" });
	EXPECT_EQ(Punches("AB12CD34"), "I");

	Read({ "FA11ED00" });
	EXPECT_NE(Trace().find("IntoData: 'I' not saved in '" + fFolder
		+ "/FA11ED00'"), std::string::npos);
	std::string info = Get("Text", "lastrfid");
	EXPECT_NE(info.find("Frank Fehl"), std::string::npos) << info;
	EXPECT_NE(info.find("not saved"), std::string::npos) << info;
	// The next punch that lands clears the warning.
	Read({ "AB12CD34" });
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: Maria Muster");

	EXPECT_EQ(Quit(), 0);
	Start();
	EXPECT_EQ(Punches("AB12CD34"), "IO");
	EXPECT_EQ(CountRows(), 2);
}
