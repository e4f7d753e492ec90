// Frame of the page tests: the models and settings pages in a window that
// hands messages on as the records window does, an application that
// counts the settings reloads and passes the relay reports on like the
// main window, and per test a settings folder and a time-profile folder of
// its own.
#ifndef PAGES_TEST_H
#define PAGES_TEST_H

#include <Alert.h>
#include <AppPrivate.h>
#include <Application.h>
#include <Autolock.h>
#include <Bitmap.h>
#include <Message.h>
#include <Messenger.h>
#include <Process.h>
#include <TextView.h>
#include <Window.h>
#include <WindowAutomation.h>

#include <MWSControl.h>
#include <Prefs.h>
#include <STimeModels.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "ModlView.h"
#include "PageCodes.h"
#include "SettView.h"

using BPrivate::WindowAutomation;


// Hands the page codes on as the records window does: model codes to the
// models page, settings codes to the settings page only while it shows,
// keys to every page shown; keeps what is left.
class PagesWindow : public BWindow {
public:
	PagesWindow()
		: BWindow(BRect(100, 100, 549, 679), "Time-INFO",
			B_TITLED_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL, 0) {}

	void MessageReceived(BMessage* message) override
	{
		if (is_models_page_code(message->what) && models != NULL) {
			models->MessageReceived(message);
			return;
		}
		if (is_settings_page_code(message->what)) {
			if (settings != NULL && !settings->IsHidden())
				settings->MessageReceived(message);
			return;
		}
		if (message->what == B_UNMAPPED_KEY_DOWN) {
			if (models != NULL && !models->IsHidden())
				models->MessageReceived(message);
			return;
		}
		kept.push_back(*message);
		BWindow::MessageReceived(message);
	}

	int32 Count(uint32 what) const
	{
		int32 count = 0;
		for (const BMessage& message : kept)
			count += message.what == what ? 1 : 0;
		return count;
	}

	ModlView* models = NULL;
	SettView* settings = NULL;
	std::vector<BMessage> kept;
};


// Counts 'rPrf' and, like the main window, hands the relay reports to the
// records window and asks for the close when a relay's time is up.
class PagesApp : public BApplication {
public:
	PagesApp() : BApplication("application/x-vnd.zelmora-pages-test") {}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kMsgPagePrefsChanged:
				reloads++;
				break;
			case kMsgPageRelayTimeUp:
			{
				int32 relay = message->GetInt32("relais", 0);
				Own_Thread(relay, false, Prefs::getSTPrefs()->mws_ip, 2);
			}
				[[fallthrough]];
			case kMsgPageRelaySwitched:
			case kMsgPageRelayDead:
			{
				reports.push_back(*message);
				PagesWindow* target = window;
				if (target != NULL && target->Lock()) {
					target->MessageReceived(message);
					target->Unlock();
				}
				break;
			}
			default:
				BApplication::MessageReceived(message);
		}
	}

	std::atomic<int32> reloads { 0 };
	std::vector<BMessage> reports;
	PagesWindow* window = NULL;
};


template<class Base>
class PagesFixture : public Base {
protected:
	static void SetUpTestSuite()
	{
		// One application for the program, whichever fixture comes first.
		if (be_app == NULL) {
			new PagesApp();
			BPrivate::start_gui_looper(be_app);
		}
		sApp = dynamic_cast<PagesApp*>(be_app);
	}

	// The settings the test starts with; relay use off, the box on a
	// loopback port that answers nothing.
	virtual void Seed(Prefs* prefs)
	{
		prefs->mws_use = false;
		prefs->SetMwsIp("127.0.0.1:9");
	}

	void SetUp() override
	{
		Base::SetUp();
		// Without the relay fixture no wget can be reached at all.
		if (std::is_same_v<Base, ::testing::Test>) {
			const char* path = getenv("PATH");
			fSavedPath = path != NULL ? path : "";
			setenv("PATH", "/nonexistent", 1);
			wgetChecked = true;
			wgetFound = false;
		}
		char pattern[] = "/tmp/zlm-pages-XXXXXX";
		fRoot = mkdtemp(pattern);
		fEmployee = fRoot + "/Employee";
		mkdir(fEmployee.c_str(), 0755);
		setenv("XDG_CONFIG_HOME", (fRoot + "/config").c_str(), 1);
		STimeModels::SetDataFolder(fEmployee.c_str());

		Prefs* prefs = Prefs::getSTPrefs();
		Seed(prefs);
		prefs->Save();
		prefs->DeleteMe();
		sApp->reloads = 0;
		sApp->reports.clear();
	}

	void TearDown() override
	{
		CloseWindow();
		if (STimeModels::fModelsZgr != NULL)
			delete STimeModels::fModelsZgr;
		if (Prefs::aPrefsZgr != NULL)
			Prefs::aPrefsZgr->DeleteMe();
		std::filesystem::remove_all(fRoot);
		if (std::is_same_v<Base, ::testing::Test>) {
			setenv("PATH", fSavedPath.c_str(), 1);
			wgetChecked = false;
		}
		Base::TearDown();
	}

	// The window with the models page, the settings page, or both (the
	// settings page hidden then).
	void Open(bool withModels, bool withSettings)
	{
		window = new PagesWindow();
		BRect page = window->Bounds().InsetByCopy(8, 4);
		page.top += 18;
		if (withModels) {
			models = new ModlView(page, "ModlView", NULL, NULL);
			window->AddChild(models);
			window->models = models;
		}
		if (withSettings) {
			settings = new SettView(page, "SettView", NULL);
			window->AddChild(settings);
			window->settings = settings;
			if (withModels)
				settings->Hide();
		}
		sApp->window = window;
		window->Show();
		Sync();
	}

	void CloseWindow()
	{
		CloseAlerts();
		sApp->window = NULL;
		if (window != NULL && window->Lock())
			window->Quit();
		window = NULL;
		models = NULL;
		settings = NULL;
		Sync();
	}

	static void Sync()
	{
		for (int i = 0; i < 3; i++)
			ASSERT_TRUE(WindowAutomation::Sync());
	}

	// Sends a message to the window as a control would, and works it off.
	void Send(uint32 what)
	{
		BMessage message(what);
		Send(&message);
	}

	void Send(BMessage* message)
	{
		ASSERT_EQ(BMessenger(window).SendMessage(message), B_OK);
		Sync();
	}

	// Runs code with the window locked.
	void Locked(const std::function<void()>& code)
	{
		BAutolock lock(window);
		code();
	}

	// The alerts open now, by their texts.
	static std::vector<std::string> Alerts()
	{
		std::vector<std::string> texts;
		for (int32 i = 0; i < be_app->CountWindows(); i++) {
			BAlert* alert = dynamic_cast<BAlert*>(be_app->WindowAt(i));
			if (alert != NULL)
				texts.push_back(alert->TextView()->Text());
		}
		return texts;
	}

	static void CloseAlerts()
	{
		for (int32 i = be_app->CountWindows() - 1; i >= 0; i--) {
			BAlert* alert = dynamic_cast<BAlert*>(be_app->WindowAt(i));
			if (alert != NULL && alert->Lock())
				alert->Quit();
		}
		WindowAutomation::Sync();
	}

	// An attribute of the settings file as a 32-bit number, -1 if missing.
	int32 SavedInt(const char* key) const
	{
		// The attribute's type code comes first, then its data.
		char buffer[8];
		std::string file = fRoot + "/config/_LP_x-vnd.KQ/ZLM_settings";
		if (getxattr(file.c_str(), (std::string("user.") + key).c_str(),
				buffer, sizeof(buffer)) != sizeof(buffer))
			return -1;
		int32 value;
		memcpy(&value, buffer + 4, sizeof(value));
		return value;
	}

	// The window's picture; also kept in $ZELMORA_PAGES_PICTURES when set,
	// for a look at it.
	BBitmap* Picture(const char* leaf)
	{
		Sync();
		const char* keep = getenv("ZELMORA_PAGES_PICTURES");
		if (keep != NULL) {
			std::string path = std::string(keep) + "/" + leaf;
			EXPECT_EQ(WindowAutomation::SavePNG(window, path.c_str()), B_OK);
		}
		return WindowAutomation::Snapshot(window);
	}

	std::string FileText(const std::string& path) const
	{
		std::ifstream file(path, std::ios::binary);
		std::stringstream text;
		text << file.rdbuf();
		return text.str();
	}

	static inline PagesApp* sApp = NULL;
	std::string fRoot;
	std::string fEmployee;
	std::string fSavedPath;
	PagesWindow* window = NULL;
	ModlView* models = NULL;
	SettView* settings = NULL;
};

typedef PagesFixture< ::testing::Test> PagesTest;

#endif	// PAGES_TEST_H
