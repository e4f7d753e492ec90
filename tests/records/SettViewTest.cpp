// The settings page and its relay panel: what each control stores and
// saves, the status messages' colours, the dead box, and the lock.
#include "PagesTest.h"

#include <Bitmap.h>
#include <Button.h>
#include <CheckBox.h>
#include <RadioButton.h>
#include <TextControl.h>

#include <algorithm>

namespace {

class SettViewTest : public PagesTest {
protected:
	void Seed(Prefs* prefs) override
	{
		PagesTest::Seed(prefs);
		prefs->mws_use = true;
	}

	void OpenPage() { Open(false, true); }

	// Types into a field of the page and presses Enter there.
	void Enter(BTextControl* field, const char* text)
	{
		Locked([&] {
			field->SetText(text);
			field->MakeFocus(true);
		});
		ASSERT_EQ(WindowAutomation::Key(window, "\n"), B_OK);
		Sync();
	}

	template<class T>
	T* Find(const char* name)
	{
		return dynamic_cast<T*>(window->FindView(name));
	}

	BTextControl* Field(const char* name) { return Find<BTextControl>(name); }

	std::string Text(const char* name)
	{
		BAutolock lock(window);
		return Field(name)->Text();
	}

	bool Enabled(const char* name)
	{
		BAutolock lock(window);
		return Find<BControl>(name)->IsEnabled();
	}

	rgb_color RelayColor(int relay)
	{
		BAutolock lock(window);
		return settings->RelayButton(relay)->ViewColor();
	}

	// Pixels of that colour within a rectangle of the picture.
	static int32 CountPixels(BBitmap* picture, BRect area, rgb_color color)
	{
		int32 count = 0;
		const uint8* bits = (const uint8*)picture->Bits();
		int32 row = picture->BytesPerRow();
		BRect bounds = picture->Bounds();
		for (int32 y = std::max(0, (int32)area.top);
				y <= std::min((int32)bounds.bottom, (int32)area.bottom); y++) {
			for (int32 x = std::max(0, (int32)area.left);
					x <= std::min((int32)bounds.right, (int32)area.right);
					x++) {
				const uint8* pixel = bits + y * row + x * 4;
				if (pixel[2] == color.red && pixel[1] == color.green
					&& pixel[0] == color.blue)
					count++;
			}
		}
		return count;
	}

	static bool Same(rgb_color a, rgb_color b)
	{
		return a.red == b.red && a.green == b.green && a.blue == b.blue;
	}

	void Status(uint32 what, int32 relay, int32 opened, const char* image)
	{
		BMessage message(what);
		if (relay >= 0)
			message.AddInt32("relais", relay);
		if (opened >= 0)
			message.AddInt32("r_open", opened);
		if (image != NULL)
			message.AddString("_rImage", image);
		Send(&message);
	}

	// What the page printed while code ran.
	std::string Output(const std::function<void()>& code)
	{
		fflush(stdout);
		FILE* capture = tmpfile();
		int saved = dup(STDOUT_FILENO);
		dup2(fileno(capture), STDOUT_FILENO);
		code();
		fflush(stdout);
		dup2(saved, STDOUT_FILENO);
		close(saved);
		std::string text;
		rewind(capture);
		char buffer[4096];
		size_t length;
		while ((length = fread(buffer, 1, sizeof(buffer), capture)) > 0)
			text.append(buffer, length);
		fclose(capture);
		return text;
	}
};

const rgb_color kGreen = { 105, 220, 105, 255 };
const rgb_color kRed = { 220, 105, 105, 255 };

}	// namespace


TEST_F(SettViewTest, ControlsShowTheSettings)
{
	Prefs* prefs = Prefs::getSTPrefs();
	prefs->TagsUseDoor = 7;
	prefs->OpenInSecs = 4;
	prefs->Payday = 20;
	prefs->gTimeAcc = true;
	prefs->mws_use = false;
	prefs->Save();
	OpenPage();
	BAutolock lock(window);
	EXPECT_EQ(settings->RelayButton(1)->Value(), B_CONTROL_ON);
	EXPECT_EQ(settings->RelayButton(2)->Value(), B_CONTROL_OFF);
	EXPECT_STREQ(Field("mwca")->Text(), "4 Sec");
	EXPECT_STREQ(settings->PaydayText(), "20");
	EXPECT_TRUE(settings->TimeAccount());
	EXPECT_STREQ(Field("MWS_ip")->Text(), "127.0.0.1:9");
	// Without relay use only "open all relay" and the address are off.
	EXPECT_FALSE(Find<BControl>("mw_o")->IsEnabled());
	EXPECT_FALSE(Field("MWS_ip")->IsEnabled());
	EXPECT_TRUE(settings->RelayButton(3)->IsEnabled());
	BBox* box = Find<BBox>("mws");
	ASSERT_NE(box, nullptr);
	EXPECT_STREQ(box->Label(), "MicroWebServer");
	EXPECT_EQ(Find<BButton>("otfl")->Message()->what, kMsgOpenBookingFile);
	EXPECT_EQ(Find<BButton>("epfl")->Message()->what, kMsgOpenTagRegister);
}


TEST_F(SettViewTest, ChosenRelayButtonFollowsTheSetting)
{
	Prefs::getSTPrefs()->TagsUseDoor = 3;
	OpenPage();
	BAutolock lock(window);
	EXPECT_EQ(settings->RelayButton(3)->Value(), B_CONTROL_ON);
	EXPECT_EQ(settings->RelayButton(1)->Value(), B_CONTROL_OFF);
	EXPECT_TRUE(Find<BControl>("mw_o")->IsEnabled());
}


TEST_F(SettViewTest, PaydayTakesOnlyDaysOneToTwentyEight)
{
	OpenPage();
	for (const char* text : { "0", "29", "abc", "-3" }) {
		SCOPED_TRACE(text);
		int32 reloads = sApp->reloads;
		Enter(Field("ptpd"), text);
		EXPECT_EQ(Prefs::getSTPrefs()->Payday, 28);
		EXPECT_EQ(SavedInt("Payday"), 28);
		EXPECT_EQ(Text("ptpd"), "28");
		EXPECT_EQ(sApp->reloads, reloads + 1);
	}
	Enter(Field("ptpd"), "15");
	EXPECT_EQ(Prefs::getSTPrefs()->Payday, 15);
	EXPECT_EQ(SavedInt("Payday"), 15);
	EXPECT_EQ(Text("ptpd"), "15");
	Locked([&] { EXPECT_FALSE(Field("ptpd")->TextView()->IsFocus()); });
}


TEST_F(SettViewTest, CloseAfterKeepsOneToElevenSeconds)
{
	OpenPage();
	struct { const char* text; int32 seconds; const char* shown; } cases[] = {
		{ "0", 2, "2 Sec" }, { "12", 2, "2 Sec" }, { "5", 5, "5 Sec" },
		{ "x", 2, "2 Sec" }, { "11 Sec", 11, "11 Sec" }
	};
	for (const auto& test : cases) {
		SCOPED_TRACE(test.text);
		std::string trace = Output([&] { Enter(Field("mwca"), test.text); });
		EXPECT_EQ(Text("mwca"), test.shown);
		EXPECT_EQ(Prefs::getSTPrefs()->OpenInSecs, test.seconds);
		EXPECT_EQ(SavedInt("OpenInSecs"), test.seconds);
		EXPECT_NE(trace.find("open time= " + std::to_string(test.seconds)
			+ "\n"), std::string::npos);
	}
}


TEST_F(SettViewTest, UseCheckBoxSwitchesTheRelayControls)
{
	OpenPage();
	const char* controls[] = { "mw_o", "MWS_ip", "rA", "rB", "rC", "rD" };
	BCheckBox* use;
	{
		BAutolock lock(window);
		use = dynamic_cast<BCheckBox*>(Find<BView>("mws")->FindView("mw_u"));
	}
	ASSERT_NE(use, nullptr);
	Locked([&] { use->SetValue(B_CONTROL_OFF); use->Invoke(); });
	Sync();
	EXPECT_FALSE(Prefs::getSTPrefs()->mws_use);
	for (const char* name : controls)
		EXPECT_FALSE(Enabled(name)) << name;
	EXPECT_GE(sApp->reloads, 1);

	Locked([&] { use->SetValue(B_CONTROL_ON); use->Invoke(); });
	Sync();
	EXPECT_TRUE(Prefs::getSTPrefs()->mws_use);
	for (const char* name : controls)
		EXPECT_TRUE(Enabled(name)) << name;

	// The address is stored as typed, within its buffer.
	std::string longAddress(80, 'a');
	Enter(Field("MWS_ip"), longAddress.c_str());
	EXPECT_EQ(std::string(Prefs::getSTPrefs()->mws_ip), longAddress.substr(0,
		63));
	EXPECT_EQ(Text("MWS_ip"), longAddress.substr(0, 63));
	Enter(Field("MWS_ip"), "127.0.0.1:8");
	EXPECT_STREQ(Prefs::getSTPrefs()->mws_ip, "127.0.0.1:8");
}


TEST_F(SettViewTest, TimeAccountIsStored)
{
	OpenPage();
	Locked([&] {
		// The time account's check box lies on the page, not in the box.
		for (int32 i = 0; i < settings->CountChildren(); i++) {
			BCheckBox* box = dynamic_cast<BCheckBox*>(settings->ChildAt(i));
			if (box != NULL) {
				box->SetValue(B_CONTROL_ON);
				box->Invoke();
			}
		}
	});
	Sync();
	EXPECT_TRUE(Prefs::getSTPrefs()->gTimeAcc);
	Locked([&] { EXPECT_TRUE(settings->TimeAccount()); });
	EXPECT_EQ(sApp->reloads, 1);
}


TEST_F(SettViewTest, StatusMessagesColourTheRelayButtons)
{
	OpenPage();
	rgb_color off = RelayColor(3);
	std::string trace = Output([&] {
		Status(kMsgPageRelaySwitched, 3, 3, "-xxox---");
	});
	EXPECT_NE(trace.find(" OPEN 3|-xxox---\n"), std::string::npos);
	EXPECT_TRUE(Same(RelayColor(3), kGreen));
	EXPECT_TRUE(Same(RelayColor(2), off));
	EXPECT_FALSE(Enabled("mw_o"));
	// The picture shows it too: green inside button 3, none in button 2.
	{
		BBitmap* picture = Picture("settings-relay3.png");
		ASSERT_NE(picture, nullptr);
		BRect three, two;
		Locked([&] {
			three = settings->RelayButton(3)->ConvertToScreen(
				settings->RelayButton(3)->Bounds());
			two = settings->RelayButton(2)->ConvertToScreen(
				settings->RelayButton(2)->Bounds());
			three.OffsetBy(-window->Frame().left, -window->Frame().top);
			two.OffsetBy(-window->Frame().left, -window->Frame().top);
		});
		EXPECT_GT(CountPixels(picture, three, kGreen), 100);
		EXPECT_EQ(CountPixels(picture, two, kGreen), 0);
		delete picture;
	}

	// A switch without "r_open" changes no colour; all off enables "open
	// all relay" again.
	Status(kMsgPageRelaySwitched, 1, -1, "-xxxx---");
	EXPECT_TRUE(Same(RelayColor(3), kGreen));
	EXPECT_TRUE(Enabled("mw_o"));

	// The close paints the button in the page's surroundings again.
	Status(kMsgPageRelayTimeUp, 3, -1, "-xxxx---");
	EXPECT_TRUE(Same(RelayColor(3), off));

	// Without "_rImage" the trace shows the relays undetermined.
	trace = Output([&] { Status(kMsgPageRelayTimeUp, 2, -1, NULL); });
	EXPECT_NE(trace.find("CLOSE 2|-uuuu---\n"), std::string::npos) << trace;

	// With relay use off an open relay shows red.
	Prefs::getSTPrefs()->mws_use = false;
	Status(kMsgPageRelaySwitched, 4, 4, "-xxxo---");
	EXPECT_TRUE(Same(RelayColor(4), kRed));
	// A relay undetermined keeps "open all relay" off.
	Status(kMsgPageRelaySwitched, 1, -1, "-uxxx---");
	EXPECT_FALSE(Enabled("mw_o"));
}


TEST_F(SettViewTest, DeadBoxAlertsOnceAndSwitchesTheControlsOff)
{
	OpenPage();
	// The main window has turned relay use off before the page hears of
	// it; the page still showed it on, so it tells the user.
	Prefs::getSTPrefs()->mws_use = false;
	Send(kMsgPageRelayDead);
	std::vector<std::string> alerts = Alerts();
	ASSERT_EQ(alerts.size(), 1u);
	EXPECT_EQ(alerts[0], "Zelmora..\n MWS_NON_REPLY ");
	EXPECT_FALSE(Enabled("mw_o"));
	EXPECT_FALSE(Enabled("MWS_ip"));
	Locked([&] {
		BCheckBox* use = dynamic_cast<BCheckBox*>(
			Find<BView>("mws")->FindView("mw_u"));
		EXPECT_EQ(use->Value(), B_CONTROL_OFF);
	});
	Send(kMsgPageRelayDead);
	EXPECT_EQ(Alerts().size(), 1u);
	EXPECT_FALSE(Prefs::getSTPrefs()->mws_use);
}


TEST_F(SettViewTest, HiddenPageGetsNoSettings)
{
	Open(true, true);
	ASSERT_TRUE(settings->IsHidden());
	Locked([&] {
		for (int32 i = 0; i < settings->CountChildren(); i++) {
			BCheckBox* box = dynamic_cast<BCheckBox*>(settings->ChildAt(i));
			if (box != NULL) {
				box->SetValue(B_CONTROL_ON);
				box->Invoke();
			}
		}
	});
	Sync();
	EXPECT_FALSE(Prefs::getSTPrefs()->gTimeAcc);
	EXPECT_EQ(sApp->reloads, 0);
}


TEST_F(SettViewTest, HandlerHoldsTheWindowLockWhileItSaves)
{
	// A store that notes, at every attribute written, whether this thread
	// holds the records window's lock.
	class LockProbe : public Prefs {
	public:
		ssize_t WriteAttribute(const char* key, type_code type,
			const void* data, size_t length) override
		{
			if (fWindow != NULL) {
				fWrites++;
				if (fWindow->LockingThread() == find_thread(NULL))
					fLocked++;
			}
			return Prefs::WriteAttribute(key, type, data, length);
		}

		BWindow* fWindow = NULL;
		int32 fWrites = 0;
		int32 fLocked = 0;
	};
	LockProbe* probe = new LockProbe();
	Prefs::aPrefsZgr = probe;
	OpenPage();
	probe->fWindow = window;
	ASSERT_FALSE(window->IsLocked());

	// Called as the main window does, without the window's lock.
	Locked([&] { Field("mwca")->SetText("3"); });
	BMessage message(kMsgCloseAfter);
	settings->MwsOpenDoor(&message);
	EXPECT_GT(probe->fWrites, 0);
	EXPECT_EQ(probe->fLocked, probe->fWrites);
	EXPECT_FALSE(window->IsLocked());
	EXPECT_EQ(Prefs::getSTPrefs()->OpenInSecs, 3);
}
