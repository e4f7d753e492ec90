// Tag intake through the application's routing: start-up rows from the
// register, the toggle sequence and its bookings, unknown and unsafe tags,
// the info line and the counter.
#include "PresenceTest.h"

#include <BuchungsDatei.h>
#include <Control.h>
#include <ScrollBar.h>

#include "ProtWin.h"


static const char* kRegister =
	"AB12CD34\t\tMaria Muster\t\n"
	"EF56GH78\t\t-\t\n"
	"#XX99YY00\t\tNobody\t\n"
	"ab\t\tx\t\n"
	"SW11TCH0\t\t!Off\t\n";


TEST_F(PresenceTest, StartUpBuildsRowsFromTheRegister)
{
	WriteRegister(kRegister);
	Open();
	// Comment and short lines make no row.
	ASSERT_EQ(window->CountRows(), 3);
	TerminView* maria = Row("AB12CD34");
	ASSERT_NE(maria, nullptr);
	EXPECT_STREQ(maria->RealName(), "Maria Muster");
	EXPECT_TRUE(maria->PersonSet());
	EXPECT_EQ(maria->TagState(), TAG_INI);
	EXPECT_FALSE(maria->InHouse());
	EXPECT_EQ(InHouseMenge, 0);
	EXPECT_EQ(Row("XX99YY00"), nullptr);
	// Nothing is booked at start-up.
	EXPECT_FALSE(Exists(fFolder + "/AB12CD34"));
	// The start-up messages pass the info line like any read.
	EXPECT_EQ(InfoLine(), "Last: SW11TCH0");
}


TEST_F(PresenceTest, ReadsToggleAndBookInOrder)
{
	WriteRegister(kRegister);
	Open();
	Read("AB12CD34");
	EXPECT_EQ(Punches("AB12CD34"), "I");
	EXPECT_EQ(Counter(), "in: 1");
	EXPECT_TRUE(Row("AB12CD34")->InHouse());
	EXPECT_NE(Row("AB12CD34")->LastIn(), 0);
	// The info line shows the person after the tag's own update.
	EXPECT_EQ(InfoLine(), "Last: Maria Muster");

	Read("AB12CD34");
	EXPECT_EQ(Punches("AB12CD34"), "IO");
	EXPECT_EQ(Counter(), "in: 0");
	EXPECT_EQ(Row("AB12CD34")->LastIn(), 0);
	EXPECT_NE(Row("AB12CD34")->LastOut(), 0);

	// Two reads sent at once are handled in order.
	BMessage read('RFID');
	read.AddString("_tagstr", "AB12CD34");
	BMessenger app(be_app);
	ASSERT_EQ(app.SendMessage(&read), B_OK);
	ASSERT_EQ(app.SendMessage(&read), B_OK);
	Sync();
	EXPECT_EQ(Punches("AB12CD34"), "IOIO");

	// The records carry the kind and the time of the punch.
	std::string data = FileText("AB12CD34");
	ASSERT_EQ(data.size(), 32u);
	uint32 when = (uint8)data[4] | (uint8)data[5] << 8
		| (uint8)data[6] << 16 | (uint32)(uint8)data[7] << 24;
	EXPECT_LE(labs((long)time(NULL) - (long)when), 5);
	EXPECT_EQ(data.substr(1, 3), std::string(3, '\0'));
}


TEST_F(PresenceTest, RowsWithoutAPersonOrSwitchedOffNeverToggle)
{
	WriteRegister(kRegister);
	Open();
	Read("EF56GH78");
	Read("SW11TCH0");
	EXPECT_FALSE(Exists(fFolder + "/EF56GH78"));
	EXPECT_FALSE(Exists(fFolder + "/SW11TCH0"));
	EXPECT_EQ(Counter(), "in: 0");
	EXPECT_EQ(InfoLine(), "Last: !Off");
}


TEST_F(PresenceTest, UnknownTagsGetOneRowAndNoBooking)
{
	Open();
	ASSERT_EQ(window->CountRows(), 0);
	Read("NEW00001");
	ASSERT_EQ(window->CountRows(), 1);
	EXPECT_STREQ(window->RowAt(0)->RealName(), "-");
	EXPECT_EQ(window->RowAt(0)->TagState(), TAG_EER);
	Read("NEW00001");
	EXPECT_EQ(window->CountRows(), 1);
	EXPECT_FALSE(Exists(fFolder + "/NEW00001"));
	EXPECT_EQ(InfoLine(), "Last: NEW00001");
	// Letter case makes another tag.
	Read("new00001");
	EXPECT_EQ(window->CountRows(), 2);

	// A read without a tag touches no row.
	BMessage bad('RFID');
	bad.AddString("_fMes", " (reader)");
	Post(&bad);
	EXPECT_EQ(window->CountRows(), 2);
	EXPECT_EQ(InfoLine(), " --  (reader)");
}


TEST_F(PresenceTest, TagsThatCouldNameOtherFilesBookAsNone)
{
	// Registered under an unsafe text, the row books under "none".
	WriteRegister("../escape\t\tEve\t\n"
		"_Time_Profiles_\t\tMallory\t\n");
	Open();
	ASSERT_EQ(window->CountRows(), 2);
	EXPECT_STREQ(window->RowAt(0)->TagId(), "none");
	EXPECT_STREQ(window->RowAt(1)->TagId(), "none");

	// Later reads of the original text find the row again.
	Read("../escape");
	Read("_Time_Profiles_");
	Read("a\tb");
	Read("a\tb");
	Read("1234567890123456");
	Read("1234567890123456");
	EXPECT_EQ(window->CountRows(), 4);
	EXPECT_FALSE(Exists(fRoot + "/escape"));
	EXPECT_FALSE(Exists(fFolder + "/_Time_Profiles_"));
}


TEST_F(PresenceTest, ATagListedTwiceMakesOneRowAndNoPunch)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n"
		"AB12CD34\t\tMaria Muster\t\n");
	Open();
	EXPECT_EQ(window->CountRows(), 1);
	EXPECT_FALSE(Exists(fFolder + "/AB12CD34"));
	EXPECT_EQ(InHouseMenge, 0);
	Read("AB12CD34");
	EXPECT_EQ(Punches("AB12CD34"), "I");
}


TEST_F(PresenceTest, ReadsReachTheirRowsAfterTheListIsSorted)
{
	// 30 rows, the persons in reverse order of the tags.
	std::string text;
	for (int i = 0; i < 30; i++) {
		char line[64];
		snprintf(line, sizeof(line), "TAG%05d\t\tPerson %02d\t\n", i, 29 - i);
		text += line;
	}
	WriteRegister(text);
	Open();
	// Saving sorts the rows by person.
	Post('zLMS');
	ASSERT_STREQ(window->RowAt(0)->TagId(), "TAG00029");
	ASSERT_STREQ(window->RowAt(24)->TagId(), "TAG00005");

	BView* list = window->FindView("TTagsView");
	BScrollBar* bar = dynamic_cast<BScrollBar*>(
		window->FindView("scroll_Bar"));
	ASSERT_NE(bar, nullptr);
	float min, max;
	bar->GetRange(&min, &max);
	ASSERT_GT(max, 4 * 21);
	Read("TAG00025");
	EXPECT_EQ(Punches("TAG00025"), "I");
	EXPECT_TRUE(Row("TAG00025")->InHouse());
	EXPECT_FALSE(Row("TAG00004")->InHouse());
	EXPECT_EQ(list->Bounds().top, 4 * 21);
	Read("TAG00005");
	EXPECT_EQ(Punches("TAG00005"), "I");
	EXPECT_EQ(Punches("TAG00025"), "I");
	EXPECT_EQ(list->Bounds().top, std::min(24 * 21.0f, max));
	EXPECT_EQ(Counter(), "in: 2");
	// A new tag after the sort still gets one row, at the end.
	Read("NEW00001");
	Read("NEW00001");
	EXPECT_EQ(window->CountRows(), 31);
	EXPECT_STREQ(window->RowAt(30)->TagId(), "NEW00001");
}


TEST_F(PresenceTest, APunchThatCannotBeWrittenIsReported)
{
	WriteRegister(kRegister);
	// A folder where the booking file should be.
	mkdir((fFolder + "/AB12CD34").c_str(), 0755);
	Open();
	Read("AB12CD34");
	EXPECT_EQ(Counter(), "in: 1");
	EXPECT_NE(InfoLine().find("not saved"), std::string::npos);
}


TEST_F(PresenceTest, RoutingOfTheRecordsWindowMessages)
{
	Open();
	// 'zLMm' reaches the window only from its own button.
	Post('zLMm');
	EXPECT_EQ(ProtWin::Current(), nullptr);

	Post('pOpn');
	ProtWin* records = ProtWin::Current();
	ASSERT_NE(records, nullptr);
	EXPECT_STREQ(records->Title(), "Time-INFO");
	EXPECT_FALSE(dynamic_cast<BControl*>(window->FindView("open"))
		->IsEnabled());
	Post('pOpn');
	EXPECT_EQ(ProtWin::Current(), records);

	BMessage update('pUpd');
	update.AddString("_tpath", (fFolder + "/X").c_str());
	Post(&update);
	EXPECT_EQ(ProtWin::LastHanded(), (uint32)'pUpd');
	BMessage switched('mw_s');
	switched.AddInt32("relais", 1);
	switched.AddString("_rImage", "-xxxx---");
	Post(&switched);
	EXPECT_EQ(ProtWin::LastHanded(), (uint32)'mw_s');

	// Closing it sends 'pCls'; the next 'pOpn' opens a new one.
	ASSERT_TRUE(records->Lock());
	records->Quit();
	Sync();
	EXPECT_EQ(ProtWin::Current(), nullptr);
	EXPECT_TRUE(dynamic_cast<BControl*>(window->FindView("open"))
		->IsEnabled());
	// A 'pUpd' after it went is dropped.
	Post(&update);
	Post('pOpn');
	EXPECT_NE(ProtWin::Current(), nullptr);
}
