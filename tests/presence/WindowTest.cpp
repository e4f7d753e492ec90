// The main window as the user meets it: the tag editor and the register
// it saves, drops on rows and on the window, the About window, the reader's
// Deskbar item, the size limits and the picture.
#include "PresenceTest.h"

#include <Bitmap.h>
#include <Deskbar.h>
#include <Node.h>
#include <NodeInfo.h>
#include <ScrollBar.h>
#include <TextControl.h>
#include <View.h>

#include <AboutWindow.h>

#include "ProtWin.h"


TEST_F(PresenceTest, EditorBindsAPersonAndSaveWritesTheSortedRegister)
{
	WriteRegister("ZZ000001\t\tzora\t\n"
		"YY000002\t\t-\t\n"
		"XX000003\t\tAnton\t\n"
		"WW000004\t\tBerta\t\n");
	Open();
	BView* editor = window->FindView("Syn");
	ASSERT_NE(editor, nullptr);
	EXPECT_TRUE(editor->IsHidden());
	// The Super key shows the editor and hides it again.
	ASSERT_EQ(WindowAutomation::UnmappedKey(window, B_LEFT_SUPER_KEY_CODE),
		B_OK);
	Sync();
	EXPECT_FALSE(editor->IsHidden());
	EXPECT_TRUE(window->FindView("futB")->IsHidden());

	// A click on a row loads it; confirming the text binds the person.
	TerminView* row = Row("YY000002");
	ASSERT_NE(row, nullptr);
	// Start-up left the last row at the top.
	window->Lock();
	window->FindView("TTagsView")->ScrollTo(0, 0);
	window->Unlock();
	ASSERT_EQ(WindowAutomation::Click(row, BPoint(30, 10)), B_OK);
	Sync();
	BTextControl* control = dynamic_cast<BTextControl*>(editor);
	EXPECT_STREQ(control->Label(), "YY000002");
	EXPECT_STREQ(control->Text(), "-");
	control->SetText("Carl\tC");
	BMessage confirm('zLMn');
	confirm.AddString("_xTag", "YY000002");
	Post(&confirm);
	EXPECT_STREQ(row->RealName(), "Carl C");

	Post('zLMS');
	EXPECT_EQ(FileText("TagsWithEmployee"),
		"XX000003\t\tAnton\t\n"
		"WW000004\t\tBerta\t\n"
		"YY000002\t\tCarl C\t\n"
		"ZZ000001\t\tzora\t\n");
	char type[B_MIME_TYPE_LENGTH] = "";
	BNode node((fFolder + "/TagsWithEmployee").c_str());
	BNodeInfo(&node).GetType(type);
	EXPECT_STREQ(type, "text/plain");

	ASSERT_EQ(WindowAutomation::UnmappedKey(window, B_RIGHT_SUPER_KEY_CODE),
		B_OK);
	Sync();
	EXPECT_TRUE(editor->IsHidden());
}


TEST_F(PresenceTest, AClickAsksForTheRowsProtocol)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	Open();
	Post('pOpn');
	TerminView* row = Row("AB12CD34");
	ASSERT_EQ(WindowAutomation::Click(row, BPoint(30, 10)), B_OK);
	Sync();
	EXPECT_EQ(ProtWin::LastHanded(), (uint32)'pUpd');
	// The window goes first when the main window closes.
	CloseWindow();
	EXPECT_EQ(ProtWin::Current(), nullptr);
}


TEST_F(PresenceTest, DroppedPersonFilesBindAndOtherFilesDoNot)
{
	WriteRegister("AB12CD34\t\t-\t\n");
	std::ofstream(fRoot + "/Erika Muster.vcf")
		<< "BEGIN:VCARD\nVERSION:3.0\nFN:Erika Muster\nEND:VCARD\n";
	std::ofstream(fRoot + "/notes.txt") << "plain text\n";
	Open();
	TerminView* row = Row("AB12CD34");
	std::string text = fRoot + "/notes.txt";
	const char* plain[] = { text.c_str() };
	ASSERT_EQ(WindowAutomation::Drop(row, BPoint(30, 10), plain, 1), B_OK);
	Sync();
	EXPECT_STREQ(row->RealName(), "-");

	std::string card = fRoot + "/Erika Muster.vcf";
	const char* person[] = { card.c_str() };
	ASSERT_EQ(WindowAutomation::Drop(row, BPoint(30, 10), person, 1), B_OK);
	Sync();
	EXPECT_STREQ(row->RealName(), "Erika Muster");
	EXPECT_TRUE(row->PersonSet());
}


TEST_F(PresenceTest, ADroppedLogoIsKeptInTheSettingsAtOnce)
{
	Open();
	std::string logo = fRoot + "/logo.png";
	// A 40 x 30 PNG in one colour.
	static const char kPng[] =
	"\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52"
	"\x00\x00\x00\x28\x00\x00\x00\x1e\x08\x02\x00\x00\x00\xd1\xbf\xcb"
	"\x8a\x00\x00\x00\x2b\x49\x44\x41\x54\x78\xda\xed\xcd\x31\x0d\x00"
	"\x00\x08\x03\xb0\x49\x42\x12\x52\x91\x86\x0c\x38\x9a\xf4\x6f\xaa"
	"\xe7\x44\xc4\x62\xb1\x58\x2c\x16\x8b\xc5\x62\xb1\x58\xfc\x37\x5e"
	"\x7a\x70\x27\x5b\x32\x38\x76\x7e\x00\x00\x00\x00\x49\x45\x4e\x44"
	"\xae\x42\x60\x82";
	std::ofstream(logo, std::ios::binary).write(kPng, sizeof(kPng) - 1);
	const char* paths[] = { logo.c_str() };
	ASSERT_EQ(WindowAutomation::Drop(window->FindView("bview"),
		BPoint(200, 500), paths, 1), B_OK);
	Sync();
	ASSERT_NE(window->FindView("logo"), nullptr);
	// The settings file has it before the window goes.
	Prefs* prefs = Prefs::getSTPrefs();
	prefs->LoadPrefs();
	EXPECT_STREQ(prefs->logo_loma, logo.c_str());
}


TEST_F(PresenceTest, TheAboutWindowClosesTheRecordsWindow)
{
	Open();
	Post('pOpn');
	ASSERT_NE(ProtWin::Current(), nullptr);
	// The button's message goes to the window itself.
	BMessenger main(window);
	ASSERT_EQ(main.SendMessage('sInf'), B_OK);
	Sync();
	EXPECT_EQ(ProtWin::Current(), nullptr);
	ASSERT_NE(AInfoWindow, nullptr);
	EXPECT_STREQ(AInfoWindow->Title(), "ZLM-Info");
	EXPECT_EQ(AInfoWindow->Frame().Width(), 380);
	BWindow* first = AInfoWindow;
	// A second one replaces the first.
	ASSERT_EQ(main.SendMessage('sInf'), B_OK);
	Sync();
	EXPECT_NE(AInfoWindow, nullptr);
	int32 infos = 0;
	for (int32 i = 0; i < be_app->CountWindows(); i++)
		infos += strcmp(be_app->WindowAt(i)->Title(), "ZLM-Info") == 0;
	EXPECT_EQ(infos, 1);
	(void)first;
	ASSERT_EQ(WindowAutomation::SavePNG(AInfoWindow,
		ZELMORA_BINARY_DIR "/tests/presence-about.png"), B_OK);
	CloseInfoWindow();
	Sync();
}


TEST_F(PresenceTest, TheRowAreaIsRedWithoutTheReader)
{
	Open();
	EXPECT_FALSE(DeviceIsRunning);
	rgb_color red = window->FindView("TTagsView")->ViewColor();
	EXPECT_EQ(red.red, 250);
	EXPECT_EQ(red.green, 24);
	CloseWindow();

	BDeskbar deskbar;
	BView item(BRect(0, 0, 15, 15), "ScanletView", B_FOLLOW_NONE, 0);
	ASSERT_EQ(deskbar.AddItem(&item), B_OK);
	Open();
	EXPECT_TRUE(DeviceIsRunning);
	EXPECT_EQ(window->FindView("TTagsView")->ViewColor().green, 250);
	deskbar.RemoveItem("ScanletView");
}


TEST_F(PresenceTest, SizeLimitsScrollingAndThePicture)
{
	std::string text;
	for (int i = 0; i < 30; i++) {
		char line[64];
		snprintf(line, sizeof(line), "TAG%05d\t\tPerson %02d\t\n", i, i);
		text += line;
	}
	WriteRegister(text);
	Open();
	EXPECT_EQ(window->CountRows(), 30);
	float minWidth, maxWidth, minHeight, maxHeight;
	window->GetSizeLimits(&minWidth, &maxWidth, &minHeight, &maxHeight);
	EXPECT_EQ(minWidth, 400);
	EXPECT_EQ(maxWidth, 420);
	EXPECT_EQ(minHeight, 315);
	EXPECT_EQ(maxHeight, 525);

	BScrollBar* bar = dynamic_cast<BScrollBar*>(
		window->FindView("scroll_Bar"));
	ASSERT_NE(bar, nullptr);
	float min, max;
	bar->GetRange(&min, &max);
	EXPECT_EQ(max, 21 * 30 - 2 - window->FindView("TTagsView")->Bounds()
		.Height());
	// The intake scrolled to the last new row; the wheel goes back up.
	bar->SetValue(0);
	ASSERT_EQ(WindowAutomation::Wheel(window, -1, BPoint(200, 200)), B_OK);
	Sync();
	EXPECT_EQ(bar->Value(), 0);
	ASSERT_EQ(WindowAutomation::Wheel(window, 1, BPoint(200, 200)), B_OK);
	Sync();
	EXPECT_EQ(bar->Value(), 80);

	Read("TAG00003");
	ASSERT_EQ(WindowAutomation::SavePNG(window,
		ZELMORA_BINARY_DIR "/tests/presence-main.png"), B_OK);
}
