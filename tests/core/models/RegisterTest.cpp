// The model register: defaults, the reader, the writer and the lookups.
#include <STimeModels.h>

#include <string.h>

#include <gtest/gtest.h>

#include "ModelTestSupport.h"


// A register read from the given file text (or from no file).
static STimeModels*
register_from(const ProfileFolder& folder, const char* text,
	std::string* log = NULL)
{
	if (text != NULL)
		folder.Write(text);
	STimeModels* models = NULL;
	std::string output = captured_output([&] {
		models = new STimeModels();
	});
	if (log != NULL)
		*log = output;
	return models;
}


static const char* const kDefaultFile =
	"; -\tZelmora\tZLM-01 - \n"
	"; -\t-\t-\t-\t-\t-\t-\t-\n"
	"; -\tBreakTimes first | Pausenzeiten \n"
	"; -\tStart-End Name\n"
	"; -\t-\t-\t-\t-\t-\t-\t-\n"
	"BT 00:00-00:00 No-Breaks\n"
	"BT 09:00-09:15 Morgen\n"
	"BT 12:00-12:30 Mittag\n"
	"BT 23:30-23:45 Ghost\n"
	"BT 23:30-23:45 Unionbreak\n"
	"; -\t-\t-\t-\t-\t-\t-\t-\n"
	"; -\tDayModels | TagModelle\n"
	"; -\tDuration Name ,*BreakTimesNames..\n"
	"; -\t-\t-\t-\t-\t-\t-\t-\n"
	"DM 03:00 X-Shortly3,*NULL\n"
	"DM 07:30 G-WerkTags,*NULL\n"
	"DM 07:30 A-WerkTags,*Morgen,*Mittag,*NULL\n"
	"; -\t-\t-\t-\t-\t-\t-\t-\n"
	"; -\tWeekModels | WochenModelle\n"
	"; -\tHoursPerWeek Name ,*DayModelNames(SO-SA)\n"
	"; -\t-\t-\t-\t-\t-\t-\t-\n"
	"WM 035:00 G-Standart,*G-WerkTags,*G-WerkTags,*G-WerkTags,*G-WerkTags,"
		"*G-WerkTags,*X-Shortly3,*G-WerkTags,*NULL\n"
	"WM 040:00 A-Standart,*A-WerkTags,*A-WerkTags,*A-WerkTags,*A-WerkTags,"
		"*A-WerkTags,*A-WerkTags,*A-WerkTags,*NULL\n"
	"; -\t-\t-\t-\t-\t-\t-\t-\n"
	"; - EOF\n";


TEST(Register, DefaultsWithoutAFile)
{
	ProfileFolder folder;
	std::string log;
	STimeModels* models = register_from(folder, NULL, &log);
	EXPECT_EQ("STimeModels::OpenDataFile\n else GetDefaultBreaks()\n"
		"DefaultBreaks..\n--  5 BT | 3 DM | 2 WM\n\n STimeModels-BUILD \n",
		log);

	EXPECT_EQ("No-Breaks,Morgen,Mittag,Ghost,Unionbreak",
		names_of<cBreakTime>(models->fBreakTimes));
	EXPECT_EQ("X-Shortly3,G-WerkTags,A-WerkTags",
		names_of<cDayModel>(models->fDayModels));
	EXPECT_EQ("G-Standart,A-Standart",
		names_of<cWeekModel>(models->fWeekModels));
	EXPECT_EQ(nullptr, models->fWeekModel);

	cWeekModel* always = models->GetWmIfExist("A-Standart");
	ASSERT_NE(nullptr, always);
	EXPECT_EQ(models->GetDmIfExist("A-WerkTags"), always->fDays[6]);
	EXPECT_EQ(models->GetDmIfExist("A-WerkTags"), always->fDays[0]);
	cWeekModel* standard = models->GetWmIfExist("G-Standart");
	ASSERT_NE(nullptr, standard);
	EXPECT_EQ(35, standard->fHoursPerWeek);
	EXPECT_EQ(models->GetDmIfExist("X-Shortly3"), standard->fDays[5]);
	EXPECT_EQ(models->GetDmIfExist("G-WerkTags"), standard->fDays[4]);
	cDayModel* work = models->GetDmIfExist("A-WerkTags");
	ASSERT_EQ(2, work->fBreaks->CountItems());
	EXPECT_EQ(models->GetBtIfExist("Morgen"), work->BreakAt(0));
	EXPECT_EQ(models->GetBtIfExist("Mittag"), work->BreakAt(1));

	EXPECT_EQ(nullptr, models->GetBtIfExist("mittag"));
	EXPECT_EQ(nullptr, models->GetWmIfExist(NULL));

	// The defaults are not written before the register is dismissed.
	EXPECT_EQ("", folder.Read());
	delete models;
}


TEST(Register, WritesTheFileByteForByte)
{
	ProfileFolder folder;
	STimeModels* models = register_from(folder, NULL);
	std::string log = captured_output([&] { models->SaveDataFile(); });
	EXPECT_EQ("STimeModels::SaveDataFile\nSAVE DONE\n", log);
	EXPECT_EQ(kDefaultFile, folder.Read());
	delete models;
}


TEST(Register, ReadsWhatItWrites)
{
	ProfileFolder folder;
	folder.Write(std::string(kDefaultFile)
		+ "BT 10:15-10:20 Kurze Pause\n"
		"DM 08:00 Mit Blank,*Kurze Pause,*Ghost,*NULL\n"
		"WM 038:30 Drei Worte Name,*NULL,*Mit Blank,*NULL,*NULL,*NULL,"
			"*NULL,*A-WerkTags,*NULL\n");
	STimeModels* first = register_from(folder, NULL);
	std::string log = captured_output([&] { first->SaveDataFile(); });
	std::string written = folder.Read();
	delete first;

	STimeModels* second = register_from(folder, NULL);
	BString again;
	second->ComposeProfiles(again);
	EXPECT_EQ(written, again.String());

	cBreakTime* pause = second->GetBtIfExist("Kurze Pause");
	ASSERT_NE(nullptr, pause);
	EXPECT_EQ(10, pause->fStartHour);
	EXPECT_EQ(15, pause->fStartMinute);
	EXPECT_EQ(10, pause->fEndHour);
	EXPECT_EQ(20, pause->fEndMinute);
	cDayModel* day = second->GetDmIfExist("Mit Blank");
	ASSERT_NE(nullptr, day);
	EXPECT_EQ(480, day->fDuration);
	ASSERT_EQ(2, day->fBreaks->CountItems());
	EXPECT_EQ(pause, day->BreakAt(0));
	EXPECT_EQ(second->GetBtIfExist("Ghost"), day->BreakAt(1));
	// Blanks in a week model's name are lost on reading.
	EXPECT_EQ(nullptr, second->GetWmIfExist("Drei Worte Name"));
	cWeekModel* week = second->GetWmIfExist("DreiWorteName");
	ASSERT_NE(nullptr, week);
	EXPECT_EQ(38, week->fHoursPerWeek);
	EXPECT_EQ(30, week->fMinutes);
	EXPECT_EQ(day, week->fDays[1]);
	EXPECT_EQ(second->GetDmIfExist("A-WerkTags"), week->fDays[6]);
	EXPECT_EQ(nullptr, week->fDays[0]);
	// Sorted by weekly hours: 35, 38, 40.
	EXPECT_EQ("G-Standart,DreiWorteName,A-Standart",
		names_of<cWeekModel>(second->fWeekModels));
	delete second;
}


TEST(Register, ReaderTraceAndDayModelLines)
{
	ProfileFolder folder;
	std::string log;
	STimeModels* models = register_from(folder,
		"BT 09:00-09:15 Morgen\n"
		"BT 12:00-12:30 Mittag\n"
		"DM 07:30 A-WerkTags,*Morgen,*Mittag,*NULL\n"
		"DM 06:00 Frueh,*Spaeter,*Morgen,*NULL\n"
		"BT 14:00-14:10 Spaeter\n", &log);
	std::string expected = std::string("STimeModels::OpenDataFile\nFound: ")
		+ folder.Path() + "\n"
		"(in) BT 09:00-09:15 Morgen\n\n"
		"(in) BT 12:00-12:30 Mittag\n\n"
		"(in) DM 07:30 A-WerkTags,*Morgen,*Mittag,*NULL\n\n"
		"0 - Morgen (6|6 )\n1 - Mittag (6|6 )\n"
		"(in) DM 06:00 Frueh,*Spaeter,*Morgen,*NULL\n\n"
		"0 - Spaeter (7|7 )\n..not found (BT:Spaeter)\n1 - Morgen (6|6 )\n"
		"(in) BT 14:00-14:10 Spaeter\n\n"
		"--  3 BT | 2 DM | 0 WM\n\n STimeModels-BUILD \n";
	EXPECT_EQ(expected, log);

	cDayModel* work = models->GetDmIfExist("A-WerkTags");
	ASSERT_NE(nullptr, work);
	EXPECT_EQ(450, work->fDuration);
	EXPECT_EQ(2, work->fBreaks->CountItems());
	// The break that stands later in the file is left out.
	cDayModel* early = models->GetDmIfExist("Frueh");
	ASSERT_EQ(1, early->fBreaks->CountItems());
	EXPECT_EQ(models->GetBtIfExist("Morgen"), early->BreakAt(0));
	delete models;
}


TEST(Register, BreakListsOfDayModelLines)
{
	ProfileFolder folder;
	std::string text;
	std::string list;
	for (int i = 0; i < 11; i++) {
		char line[64];
		snprintf(line, sizeof(line), "BT %02d:00-%02d:05 Pause%02d\n", i + 1,
			i + 1, i);
		text += line;
		snprintf(line, sizeof(line), ",*Pause%02d", i);
		list += line;
	}
	text += "BT 13:00-13:05 AB\n";
	text += "DM 08:00 Elf" + list + ",*NULL\n";
	text += "DM 08:00 Kurz,*Pause00,*AB,*Pause01,*NULL\n";
	text += "DM 08:00 Leer,*,*Pause00,*NULL\n";
	text += "DM 08:00 NullName,*NULL,*Pause00,*NULL\n";
	STimeModels* models = register_from(folder, text.c_str());

	// Nine of eleven breaks are taken.
	cDayModel* eleven = models->GetDmIfExist("Elf");
	ASSERT_NE(nullptr, eleven);
	ASSERT_EQ(9, eleven->fBreaks->CountItems());
	EXPECT_STREQ("Pause08", eleven->BreakAt(8)->fName.String());

	// A name of two characters or fewer ends the list.
	cDayModel* brief = models->GetDmIfExist("Kurz");
	ASSERT_EQ(1, brief->fBreaks->CountItems());
	EXPECT_EQ(0, models->GetDmIfExist("Leer")->fBreaks->CountItems());
	// A "NULL" in the middle is looked up like any name.
	EXPECT_EQ(1, models->GetDmIfExist("NullName")->fBreaks->CountItems());
	delete models;
}


TEST(Register, BreakLinesAndWeekLines)
{
	ProfileFolder folder;
	STimeModels* models = register_from(folder,
		"BT 7:5-8:0 Kaffee am Morgen\n"
		"BT 12:00-12:30\n"
		"DM 7:30 Tag,*NULL\n"
		"DM 3:00 NULL,*NULL\n"
		"WM 40:00 Kurz,*Tag,*Tag,*NULL\n"
		"WM 200:75 Viel,*Unbekannt,*Tag,*Tag,*Tag,*Tag,*Tag,*Tag,*Tag,*Tag\n"
		"WM 010:00 NullTag,*NULL,*NULL,*NULL,*NULL,*NULL,*NULL,*NULL,*NULL\n");

	cBreakTime* coffee = models->GetBtIfExist("Kaffee am Morgen");
	ASSERT_NE(nullptr, coffee);
	EXPECT_EQ(7, coffee->fStartHour);
	EXPECT_EQ(5, coffee->fStartMinute);
	EXPECT_EQ(8, coffee->fEndHour);
	EXPECT_EQ(0, coffee->fEndMinute);
	EXPECT_EQ(55, coffee->fDuration);
	// Without a blank behind the times the name is empty.
	EXPECT_NE(nullptr, models->GetBtIfExist(""));

	cDayModel* day = models->GetDmIfExist("Tag");
	ASSERT_NE(nullptr, day);
	EXPECT_EQ(450, day->fDuration);

	// Fewer than seven names: the rest stays free.
	cWeekModel* brief = models->GetWmIfExist("Kurz");
	ASSERT_NE(nullptr, brief);
	EXPECT_EQ(day, brief->fDays[0]);
	EXPECT_EQ(day, brief->fDays[1]);
	for (int i = 2; i < 7; i++)
		EXPECT_EQ(nullptr, brief->fDays[i]);

	// Clamped like any week model; unknown names give a free day;
	// anything after the seventh name is ignored.
	cWeekModel* many = models->GetWmIfExist("Viel");
	ASSERT_NE(nullptr, many);
	EXPECT_EQ(56, many->fHoursPerWeek);
	EXPECT_EQ(0, many->fMinutes);
	EXPECT_EQ(nullptr, many->fDays[0]);
	EXPECT_EQ(day, many->fDays[6]);

	// "NULL" is a free day even where a day model carries that name.
	cWeekModel* nullDays = models->GetWmIfExist("NullTag");
	ASSERT_NE(nullptr, models->GetDmIfExist("NULL"));
	for (int i = 0; i < 7; i++)
		EXPECT_EQ(nullptr, nullDays->fDays[i]);
	delete models;
}


TEST(Register, SkippedLinesAndEmptyFiles)
{
	ProfileFolder folder;
	std::string log;
	STimeModels* models = register_from(folder, "", &log);
	EXPECT_EQ(0, models->fBreakTimes->CountItems());
	EXPECT_EQ(0, models->fDayModels->CountItems());
	EXPECT_EQ(0, models->fWeekModels->CountItems());
	EXPECT_EQ(std::string::npos, log.find("DefaultBreaks"));
	delete models;

	models = register_from(folder,
		"; BT 09:00-09:15 Kommentar\n"
		"# BT 09:00-09:15 Kommentar\n"
		"BT \n"
		"XX 09:00-09:15 Fremd\n"
		"bt 09:00-09:15 klein\n"
		"\r\n\n\n", &log);
	EXPECT_EQ(0, models->fBreakTimes->CountItems());
	EXPECT_EQ(0, models->fDayModels->CountItems());
	EXPECT_NE(std::string::npos, log.find("(in) XX 09:00-09:15 Fremd\n\n"));
	EXPECT_EQ(std::string::npos, log.find("(in) BT \n"));
	delete models;

	// Windows line ends are taken off before the line is read.
	models = register_from(folder, "BT 09:00-09:15 Morgen\r\n");
	EXPECT_NE(nullptr, models->GetBtIfExist("Morgen"));
	delete models;
}


TEST(Register, EqualNamesFindTheLaterModel)
{
	ProfileFolder folder;
	STimeModels* models = register_from(folder,
		"BT 09:00-09:15 Pause\n"
		"BT 10:00-10:15 Pause\n"
		"DM 07:30 Tag,*Pause,*NULL\n"
		"DM 06:00 Tag,*NULL\n");
	cBreakTime* found = models->GetBtIfExist("Pause");
	ASSERT_NE(nullptr, found);
	EXPECT_EQ(10, found->fStartHour);
	EXPECT_EQ(models->BreakTimeAt(1), found);
	// Sorted by hours (6 before 7): the later list entry is the 7:30 one.
	cDayModel* day = models->GetDmIfExist("Tag");
	EXPECT_EQ(7, day->fHours);
	EXPECT_EQ(found, day->BreakAt(0));
	delete models;
}


TEST(Register, ReaderIsBoundedEverywhere)
{
	ProfileFolder folder;
	// A name of 600 characters: the line is read as two pieces; the second
	// is no model line.
	std::string longName(600, 'n');
	std::string text = "BT 09:00-09:15 " + longName + "\n";
	// Numbers far beyond an int.
	text += "BT 99999999999999999999:99999999999999-1:2 Riesig\n";
	text += "WM 99999999999999999999:00 Viele\n";
	// Day and week lines without any ",*".
	text += "DM 07:30 OhneListe\n";
	text += "WM 040:00 Ohne Liste\n";
	text += "DM 07:30\n";
	text += "WM 01:00,*Tag Name\n";
	// The piece boundary falls inside a model line.
	text += std::string(511, 'x') + "DM 02:00 Zerteilt,*NULL\n";
	STimeModels* models = register_from(folder, text.c_str());

	// 511 characters of the first line make the first break's name.
	ASSERT_EQ(2, models->fBreakTimes->CountItems());
	EXPECT_EQ(511 - 15, models->BreakTimeAt(0)->fName.Length());
	cBreakTime* huge = models->GetBtIfExist("Riesig");
	ASSERT_NE(nullptr, huge);
	EXPECT_EQ(999999, huge->fStartHour);
	EXPECT_EQ(999999, huge->fStartMinute);
	EXPECT_EQ(1, huge->fEndHour);
	EXPECT_EQ(2, huge->fEndMinute);
	EXPECT_EQ(56, models->GetWmIfExist("Viele")->fHoursPerWeek);

	cDayModel* plain = models->GetDmIfExist("OhneListe");
	ASSERT_NE(nullptr, plain);
	EXPECT_EQ(0, plain->fBreaks->CountItems());
	cWeekModel* week = models->GetWmIfExist("OhneListe");
	ASSERT_NE(nullptr, week);
	EXPECT_EQ(nullptr, week->fDays[0]);
	EXPECT_NE(nullptr, models->GetDmIfExist(""));
	EXPECT_NE(nullptr, models->GetWmIfExist(""));
	// The second piece starts with "DM ": it is a line of its own.
	EXPECT_NE(nullptr, models->GetDmIfExist("Zerteilt"));
	delete models;

	// Random bytes, NUL bytes included: no crash, no model from nothing.
	std::string noise;
	unsigned state = 12345;
	for (int i = 0; i < 20000; i++) {
		state = state * 1103515245 + 12345;
		noise += (char)(state >> 16);
	}
	noise += std::string("\0BT 01:00-02:00 Versteckt\n", 26);
	folder.Write(noise);
	models = register_from(folder, NULL);
	EXPECT_EQ(nullptr, models->GetBtIfExist("Versteckt"));
	delete models;
}


TEST(Register, SingletonDismissedSavesAndStartsOver)
{
	ProfileFolder folder;
	std::string log = captured_output([] {
		STimeModels* first = STimeModels::getTimeModels();
		EXPECT_EQ(first, STimeModels::getTimeModels());
		first->fWeekModel = first->GetWmIfExist("A-Standart");
		first->fBreakTimes->AddItem(new cBreakTime("Neu", 15, 0, 15, 10));
		first->DeleteMe();
		EXPECT_EQ(nullptr, STimeModels::fModelsZgr);
	});
	EXPECT_NE(std::string::npos, log.find(" STimeModels-BUILD \nNEW "
		"STimeModels*\nOLD STimeModels*\nDESTROY-STimeModels::DeleteMe\n"
		"STimeModels::SaveDataFile\nSAVE DONE\nDESTROY-STimeModels done\n"
		"DESTROY-STimeModels::DeleteMe done\n")) << log;
	EXPECT_NE(std::string::npos, folder.Read().find("BT 15:00-15:10 Neu\n"));

	// The next register reads the file, and has no current week model.
	captured_output([] {
		STimeModels* second = STimeModels::getTimeModels();
		EXPECT_NE(nullptr, second->GetBtIfExist("Neu"));
		EXPECT_EQ(nullptr, second->fWeekModel);
		EXPECT_EQ(6, second->fBreakTimes->CountItems());
		delete second;
	});
	EXPECT_EQ(nullptr, STimeModels::fModelsZgr);
}


TEST(Register, SaveIntoAMissingFolderFailsAndSaysSo)
{
	STimeModels::SetDataFolder("/nonexistent/folder");
	STimeModels* models = NULL;
	captured_output([&] { models = new STimeModels(); });
	std::string log = captured_output([&] { models->SaveDataFile(); });
	EXPECT_EQ("STimeModels::SaveDataFile\nSAVE FAILED: "
		"/nonexistent/folder/_Time_Profiles_\n", log);
	delete models;
	STimeModels::SetDataFolder(NULL);
}
