// The records window: one window at most, its pages, the protocol of the
// employee shown, and the booking file never touched without a real path.
#include "RecordsTest.h"

#include <RadioButton.h>
#include <StringView.h>
#include <TextView.h>

#include <BuchungsListe.h>
#include <cWeekModel.h>

#include <Alert.h>
#include <TextControl.h>

#include "BuchView.h"
#include "PTextView.h"


class ProtWinTest : public RecordsTest {
protected:
	std::string Info(ProtWin* window)
	{
		BStringView* line = dynamic_cast<BStringView*>(
			window->FindView("infview"));
		return line != NULL ? line->Text() : "?";
	}

	std::string Protocol(ProtWin* window)
	{
		BTextView* text = dynamic_cast<BTextView*>(
			window->FindView("text_view"));
		return text != NULL ? text->Text() : "?";
	}

	bool Shown(ProtWin* window, const char* page)
	{
		BView* view = window->FindView(page);
		return view != NULL && !view->IsHidden();
	}

	// A pair on Monday 2007-12-10 from 08:05 to 16:40.
	void WriteMonday(const std::string& tag)
	{
		std::string path = fFolder + "/" + tag;
		Punch(path, 'I', At(2007, 12, 10, 8, 5));
		Punch(path, 'O', At(2007, 12, 10, 16, 40));
	}
};


TEST_F(ProtWinTest, OneWindowThatOpensOnTheModelsPage)
{
	ProtWin* window = Open(BRect(100, 100, 550, 625));
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(Open(BRect(300, 300, 400, 400)), window);
	EXPECT_EQ(window->Frame(), BRect(100, 100, 550, 625));
	EXPECT_STREQ(window->Title(), "Time-INFO");
	EXPECT_TRUE(window->IsFloating());

	EXPECT_TRUE(Shown(window, "ModlView"));
	EXPECT_FALSE(Shown(window, "ProtView"));
	EXPECT_FALSE(Shown(window, "SettView"));
	EXPECT_FALSE(Shown(window, "BuchView"));
	BRadioButton* books = dynamic_cast<BRadioButton*>(
		window->FindView("oBuch"));
	ASSERT_NE(books, nullptr);
	EXPECT_EQ(books->Frame().top, 2);
	EXPECT_EQ(Info(window), "Protokoll");
	EXPECT_STREQ(window->BookingPath(), "empty");
	EXPECT_STREQ(window->PersonName(), "unknown");
	EXPECT_EQ(window->ProfilePath(), fFolder + "/_Time_Profiles_");
	EXPECT_EQ(window->RegisterPath(), fFolder + "/TagsWithEmployee");
	// The page area: the bounds less 8 and 4, below the tab row.
	EXPECT_EQ(window->PageArea(), BRect(8, 22, 442, 521));
}


TEST_F(ProtWinTest, ARequestShowsTheEmployeesProtocol)
{
	WriteMonday("AB12CD34");
	ProtWin* window = Open();
	Request("AB12CD34", "Maria Muster");

	EXPECT_EQ(Info(window), "Maria Muster");
	EXPECT_STREQ(window->TagText(), "AB12CD34");
	EXPECT_EQ(std::string(window->BookingPath()), fFolder + "/AB12CD34");
	EXPECT_TRUE(Shown(window, "ProtView"));
	EXPECT_FALSE(Shown(window, "ModlView"));
	BRadioButton* protocol = dynamic_cast<BRadioButton*>(
		window->FindView("oProt"));
	ASSERT_NE(protocol, nullptr);
	EXPECT_EQ(protocol->Value(), B_CONTROL_ON);
	ASSERT_EQ(window->List()->CountItems(), 1);
	EXPECT_TRUE(window->List()->ItemAt(0)->IsPair());
	EXPECT_EQ(Protocol(window),
		"\naccounting month  Dec. [1]<\n"
		"Mo 07/12/10  08:05 - 16:40 :  8:35\n"
		"expected presence   0:00  real presence   8:35\n"
		"time account  8:35\n");
}


TEST_F(ProtWinTest, ClickingAnotherEmployeeSwitchesEverything)
{
	WriteMonday("AB12CD34");
	Punch(fFolder + "/EF56GH78", 'O', At(2007, 12, 11, 17, 0));
	ProtWin* window = Open();
	Request("AB12CD34", "Maria Muster");
	EXPECT_NE(Protocol(window).find("08:05 - 16:40"), std::string::npos);

	// A placeholder name gives way to the tag.
	Request("EF56GH78", "-");
	EXPECT_EQ(Info(window), "EF56GH78");
	EXPECT_EQ(std::string(window->BookingPath()), fFolder + "/EF56GH78");
	EXPECT_EQ(Protocol(window).find("08:05"), std::string::npos);
	EXPECT_NE(Protocol(window).find("record not complede"),
		std::string::npos);
	ASSERT_EQ(window->List()->CountItems(), 1);
	EXPECT_TRUE(window->List()->ItemAt(0)->IsMissingIn());

	// Without a tag the name stays; without a path the window has none.
	BMessage bare('pUpd');
	Send(&bare);
	EXPECT_EQ(Info(window), "EF56GH78");
	EXPECT_STREQ(window->BookingPage()->FilePath(), "Empty");
	EXPECT_FALSE(window->HasBookingPath());
	EXPECT_STREQ(window->BookingPath(), "empty");
	EXPECT_EQ(window->List()->CountItems(), 0);
}


TEST_F(ProtWinTest, TheProtocolTabReadsTheFileAgain)
{
	WriteMonday("AB12CD34");
	ProtWin* window = Open();
	Request("AB12CD34", "Maria Muster");
	Send('pMdl');
	EXPECT_TRUE(Shown(window, "ModlView"));

	// A punch appended meanwhile shows up.
	Punch(fFolder + "/AB12CD34", 'I', At(2007, 12, 11, 7, 30));
	Send('pPrt');
	EXPECT_TRUE(Shown(window, "ProtView"));
	EXPECT_FALSE(Shown(window, "ModlView"));
	EXPECT_EQ(window->List()->CountItems(), 2);
	EXPECT_NE(Protocol(window).find("Tu 07/12/11  07:30"), std::string::npos);
	EXPECT_EQ(Info(window), "Maria Muster");

	Send('pSet');
	EXPECT_TRUE(Shown(window, "SettView"));
	Send('pBuc');
	EXPECT_TRUE(Shown(window, "BuchView"));
	EXPECT_FALSE(Shown(window, "SettView"));
	EXPECT_FALSE(Shown(window, "ProtView"));
}


TEST_F(ProtWinTest, WithoutAnEmployeeNothingIsReadOrWritten)
{
	// A file named "empty" in the working folder is no employee's.
	char previous[1024];
	ASSERT_NE(getcwd(previous, sizeof(previous)), nullptr);
	ASSERT_EQ(chdir(fRoot.c_str()), 0);
	Punch(fRoot + "/empty", 'I', At(2007, 12, 10, 8, 0));
	std::string before = FileText(fRoot + "/empty");

	ProtWin* window = Open();
	Send('pPrt');
	EXPECT_EQ(Info(window), "unknown");
	EXPECT_STREQ(window->BookingPage()->FilePath(), "Empty");
	EXPECT_EQ(window->List()->CountItems(), 0);
	EXPECT_EQ(Protocol(window).find("07/12/10"), std::string::npos);

	status_t written = B_OK;
	OnGui([&] { written = window->WriteBuchungsListe(); });
	EXPECT_NE(written, B_OK);
	Send('smol');
	// The week model goes nowhere either.
	cWeekModel* model = new cWeekModel("Kurz", 20, 0);
	OnGui([&] {
		window->Models()->fWeekModels->AddItem(model);
		window->Models()->fWeekModel = model;
		written = window->ModelIntoTagFile();
	});
	EXPECT_NE(written, B_OK);
	Send('sOTF');
	EXPECT_FALSE(Exists(fRoot + "/bin/xdg-open.log"));

	EXPECT_EQ(FileText(fRoot + "/empty"), before);
	EXPECT_FALSE(Exists(fFolder + "/empty"));
	ASSERT_EQ(chdir(previous), 0);
}


TEST_F(ProtWinTest, AWeekModelGoesIntoTheFileShown)
{
	WriteMonday("AB12CD34");
	ProtWin* window = Open();
	Request("AB12CD34", "Maria Muster");
	cWeekModel* model = new cWeekModel("Vollzeit", 40, 0);
	OnGui([&] {
		window->Models()->fWeekModels->AddItem(model);
		window->Models()->fWeekModel = model;
	});
	Send('pM2T');
	std::string data = FileText(fFolder + "/AB12CD34");
	ASSERT_EQ(data.size(), 32u);
	EXPECT_EQ(data.substr(16), std::string("WM  \x08\0\0\0Vollzeit", 16));

	// The marker is in the list once the file is read again.
	Send('pPrt');
	EXPECT_EQ(window->List()->CountItems(), 2);
	EXPECT_NE(Protocol(window).find(": 'Vollzeit'\n"), std::string::npos);
	EXPECT_EQ(window->Models()->fWeekModel, model);
}


TEST_F(ProtWinTest, SavingWritesTheListBack)
{
	std::string path = fFolder + "/AB12CD34";
	WriteMonday("AB12CD34");
	Punch(path, 'I', At(2007, 12, 11, 7, 30));
	std::string before = FileText(path);
	ProtWin* window = Open();
	Request("AB12CD34");
	OnGui([&] { delete window->List()->RemoveItem(1); });
	Send('smol');
	EXPECT_EQ(FileText(path), before.substr(0, 16));
}


TEST_F(ProtWinTest, ThePayDayComesFromTheFieldOnlyWhenItIsADay)
{
	struct {
		const char* text;
		int32 expected;
	} cases[] = {
		{ "15", 15 }, { "1", 1 }, { "28", 28 }, { " 7", 7 },
		{ "0", 12 }, { "29", 12 }, { "31", 12 }, { "abc", 12 }, { "", 12 },
		{ "-3", 12 }, { "99999999999", 12 }, { NULL, 12 }
	};
	for (const auto& test : cases) {
		EXPECT_EQ(ProtWin::PayDay(test.text, 12), test.expected)
			<< (test.text != NULL ? test.text : "NULL");
	}
}


TEST_F(ProtWinTest, TheStoredPayDayAndAccountDecide)
{
	prefs->Payday = 15;
	prefs->gTimeAcc = false;
	WriteMonday("AB12CD34");
	ProtWin* window = Open();
	Request("AB12CD34", "Maria Muster");
	std::string text = Protocol(window);
	EXPECT_NE(text.find("accounting month  Dec. [15]>\n"), std::string::npos)
		<< text;
	EXPECT_EQ(text.find("time account"), std::string::npos);
}


TEST_F(ProtWinTest, ClosingSavesTheRegisterAndReopeningReadsItAgain)
{
	ProtWin* window = Open();
	cWeekModel* model = new cWeekModel("Teilzeit", 20, 0);
	OnGui([&] { window->Models()->fWeekModels->AddItem(model); });
	Send('pPrt');
	Close();
	EXPECT_EQ(ProtWin::Current(), nullptr);
	EXPECT_TRUE(Exists(fFolder + "/_Time_Profiles_"));
	EXPECT_NE(FileText(fFolder + "/_Time_Profiles_").find("Teilzeit"),
		std::string::npos);
	EXPECT_GE(sApp->closedNotices.load(), 1);
	// Nothing reaches a window that went away.
	BMessage late('pUpd');
	EXPECT_FALSE(ProtWin::HandOn(&late));

	window = Open();
	EXPECT_TRUE(Shown(window, "ModlView"));
	EXPECT_STREQ(window->BookingPath(), "empty");
	EXPECT_NE(window->Models()->GetWmIfExist("Teilzeit"), nullptr);
	EXPECT_EQ(window->Models()->fWeekModel, nullptr);
}


TEST_F(ProtWinTest, HandedMessagesReachOnlyTheOpenWindow)
{
	WriteMonday("AB12CD34");
	BMessage request('pUpd');
	request.AddString("_tpath", (fFolder + "/AB12CD34").c_str());
	EXPECT_FALSE(ProtWin::HandOn(&request));
	ProtWin* window = Open();
	bool handed = false;
	OnGui([&] { handed = ProtWin::HandOn(&request); });
	EXPECT_TRUE(handed);
	EXPECT_EQ(ProtWin::LastHanded(), (uint32)'pUpd');
	EXPECT_EQ(window->List()->CountItems(), 1);
}


TEST_F(ProtWinTest, FilesOpenWithTheFileManagerAsOneArgument)
{
	// A stand-in file manager notes each argument on a line of its own.
	std::string log = fRoot + "/bin/xdg-open.log";
	std::ofstream(fRoot + "/bin/xdg-open")
		<< "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '"
		<< log << "'; done\n";
	chmod((fRoot + "/bin/xdg-open").c_str(), 0755);

	std::string tag = "it's a $(tag)";
	Punch(fFolder + "/" + tag, 'I', At(2007, 12, 10, 8, 0));
	Open();
	Request(tag);
	// One at a time: the programs run on their own.
	std::string expected;
	const std::pair<uint32, std::string> requests[] = {
		{ 'sOTF', fFolder + "/" + tag }, { 'sOTP', fFolder + "/_Time_Profiles_" },
		{ 'zLMo', fFolder + "/TagsWithEmployee" }
	};
	for (const auto& request : requests) {
		Send(request.first);
		expected += request.second + "\n";
		for (int i = 0; i < 50 && FileText(log) != expected; i++)
			usleep(100000);
		EXPECT_EQ(FileText(log), expected);
	}
}


TEST_F(ProtWinTest, AFailedSaveIsToldAndTheListStays)
{
	WriteMonday("AB12CD34");
	ProtWin* window = Open();
	Request("AB12CD34", "Maria Muster");
	// The folder is gone and a plain file has its name: no write can work.
	ASSERT_EQ(rename(fFolder.c_str(), (fRoot + "/moved").c_str()), 0);
	std::ofstream(fFolder) << "not a folder";
	Send('smol');

	BAlert* alert = NULL;
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		BAlert* candidate = dynamic_cast<BAlert*>(be_app->WindowAt(i));
		if (candidate != NULL)
			alert = candidate;
	}
	ASSERT_NE(alert, nullptr);
	std::string text = alert->TextView()->Text();
	EXPECT_NE(text.find(fFolder + "/AB12CD34"), std::string::npos) << text;
	EXPECT_EQ(window->List()->CountItems(), 1);
	EXPECT_EQ(FileText(fRoot + "/moved/AB12CD34").size(), 16u);
	if (alert->Lock())
		alert->Quit();
	Sync();
}


TEST_F(ProtWinTest, AnotherEmployeeClosesAnOpenPicker)
{
	WriteMonday("AB12CD34");
	Punch(fFolder + "/EF56GH78", 'I', At(2007, 12, 12, 8, 0));
	ProtWin* window = Open();
	Request("AB12CD34", "Maria Muster");
	Send('pBuc');
	BMessage modify('PB01');
	modify.AddInt32("EntNr", 0);
	modify.AddInt32("dothis", 2);
	modify.AddInt32("InOut", 2);
	// The row's menu aims at the page.
	BuchView* page = window->BookingPage();
	ASSERT_EQ(BMessenger(page).SendMessage(&modify), B_OK);
	Sync();
	ASSERT_TRUE(page->EditData());
	EXPECT_EQ(page->ModifiedEntry(), 0);

	Request("EF56GH78", "Erik Beispiel");
	EXPECT_FALSE(page->EditData());
	EXPECT_EQ(page->ModifiedEntry(), -1);
	EXPECT_STREQ(page->FilePath(), (fFolder + "/EF56GH78").c_str());
	// A late time result changes nothing in the new list.
	BMessage late('Qmod');
	late.AddInt32("_initT", (int32)At(2007, 12, 12, 8, 0));
	late.AddInt32("_backT", (int32)At(2007, 12, 12, 9, 0));
	Send(&late);
	ASSERT_EQ(window->List()->CountItems(), 1);
	EXPECT_EQ(window->List()->ItemAt(0)->fTime1, At(2007, 12, 12, 8, 0));
	EXPECT_TRUE(window->List()->ItemAt(0)->IsMissingOut());
}


TEST_F(ProtWinTest, ThePaydayFieldCountsOnlyWithADay)
{
	prefs->Payday = 15;
	WriteMonday("AB12CD34");
	ProtWin* window = Open();
	BTextControl* field = dynamic_cast<BTextControl*>(
		window->FindView("ptpd"));
	ASSERT_NE(field, nullptr);
	// Typed but not yet entered: the evaluation takes it all the same.
	field->SetText("3");
	Request("AB12CD34", "Maria Muster");
	EXPECT_NE(Protocol(window).find("[3]<"), std::string::npos);
	field->SetText("31");
	Send('pPrt');
	EXPECT_NE(Protocol(window).find("[15]>"), std::string::npos);
	field->SetText("x");
	Send('pPrt');
	EXPECT_NE(Protocol(window).find("[15]>"), std::string::npos);
}
