// Frame of the presence tests: one application per test program that
// routes like the terminal's, and per test a fresh installation (employee
// folder, settings with relay use off, runtime folder) and main window.
#ifndef PRESENCE_TEST_H
#define PRESENCE_TEST_H

#include <AppPrivate.h>
#include <Autolock.h>
#include <Message.h>
#include <Messenger.h>
#include <Process.h>
#include <StringView.h>
#include <WindowAutomation.h>

#include <Prefs.h>
#include <STimeModels.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <type_traits>

#include <gtest/gtest.h>

#include "Globals.h"
#include "TerminView.h"
#include "ZLMApplication.h"
#include "ZLMWindow.h"

using BPrivate::WindowAutomation;


class TestApplication : public ZLMApplication {
public:
	TestApplication()
		: ZLMApplication("application/x-vnd.zelmora-presence-test") {}
	void Adopt(ZLMWindow* window) { SetMainWindow(window); }
};


template<class Base>
class PresenceFixture : public Base {
protected:
	static void SetUpTestSuite()
	{
		if (be_app == NULL) {
			sApp = new TestApplication();
			BPrivate::start_gui_looper(be_app);
		}
	}

	// The settings the installation starts with.
	virtual void Seed(Prefs* prefs)
	{
		prefs->mws_use = false;
		prefs->SetMwsIp("127.0.0.1:9");
	}

	void SetUp() override
	{
		Base::SetUp();
		// Without the relay fixture the relay is never reached: its use is
		// off, and no wget is on the path.
		if (std::is_same_v<Base, ::testing::Test>)
			setenv("PATH", "/nonexistent", 1);
		char pattern[] = "/tmp/zlm-presence-XXXXXX";
		fRoot = mkdtemp(pattern);
		fFolder = fRoot + "/Employee";
		setenv("HOME", fRoot.c_str(), 1);
		setenv("XDG_CONFIG_HOME", (fRoot + "/config").c_str(), 1);
		setenv("XDG_DATA_HOME", (fRoot + "/data").c_str(), 1);
		mkdir((fRoot + "/run").c_str(), 0700);
		setenv("XDG_RUNTIME_DIR", (fRoot + "/run").c_str(), 1);
		TerminView::emplPath = fFolder;
		TerminView::emplSet = true;
		// The records window keeps its time profiles there too.
		STimeModels::SetDataFolder(fFolder.c_str());
		InHouseMenge = 0;

		Prefs* prefs = Prefs::getSTPrefs();
		Seed(prefs);
		prefs->Save();
		prefs->DeleteMe();
		window = NULL;
	}

	void TearDown() override
	{
		CloseWindow();
		const char* argv[] = { "/bin/rm", "-rf", fRoot.c_str(), NULL };
		BPrivate::start_program(argv, true, NULL);
		Base::TearDown();
	}

	void WriteRegister(const std::string& text)
	{
		mkdir(fFolder.c_str(), 0755);
		std::ofstream(fFolder + "/TagsWithEmployee") << text;
	}

	void Open()
	{
		window = new ZLMWindow(BRect(30, 50, 430, 575));
		sApp->Adopt(window);
		window->Show();
		Sync();
	}

	void CloseWindow()
	{
		if (window != NULL && window->Lock())
			window->Quit();
		window = NULL;
		sApp->Adopt(NULL);
		Sync();
	}

	// Works off the application's and the windows' queues.
	static void Sync()
	{
		for (int i = 0; i < 4; i++)
			ASSERT_TRUE(WindowAutomation::Sync());
	}

	static void Post(BMessage* message)
	{
		ASSERT_EQ(BMessenger(be_app).SendMessage(message), B_OK);
		Sync();
	}

	static void Post(uint32 what)
	{
		BMessage message(what);
		Post(&message);
	}

	static void Read(const char* tag)
	{
		BMessage read('RFID');
		read.AddString("_tagstr", tag);
		Post(&read);
	}

	std::string FileText(const std::string& leaf) const
	{
		std::ifstream file(fFolder + "/" + leaf, std::ios::binary);
		std::stringstream text;
		text << file.rdbuf();
		return text.str();
	}

	bool Exists(const std::string& path) const
	{
		struct stat info;
		return stat(path.c_str(), &info) == 0;
	}

	// The kinds of the punch records of a booking file.
	std::string Punches(const std::string& tag) const
	{
		std::string data = FileText(tag), kinds;
		for (size_t i = 0; i + 8 <= data.size(); i += 8)
			kinds += data[i];
		return kinds;
	}

	TerminView* Row(const char* tag) const
	{
		for (int32 i = 0; i < window->CountRows(); i++) {
			if (strcmp(window->RowAt(i)->TagId(), tag) == 0)
				return window->RowAt(i);
		}
		return NULL;
	}

	std::string Counter() const
	{
		BStringView* here = dynamic_cast<BStringView*>(
			window->FindView("here"));
		return here != NULL ? here->Text() : "";
	}

	std::string InfoLine() const
	{
		BStringView* line = dynamic_cast<BStringView*>(
			window->FindView("lastrfid"));
		return line != NULL ? line->Text() : "";
	}

	static inline TestApplication* sApp = NULL;
	std::string fRoot;
	std::string fFolder;
	ZLMWindow* window;
};

typedef PresenceFixture< ::testing::Test> PresenceTest;

#endif	// PRESENCE_TEST_H
