// Frame of the records window's tests: one application per test program
// that counts the notices it gets, and per test a fresh installation
// (employee folder, settings, runtime folder) with no records window.
#ifndef RECORDS_TEST_H
#define RECORDS_TEST_H

#include <AppPrivate.h>
#include <Application.h>
#include <Autolock.h>
#include <Message.h>
#include <Messenger.h>
#include <Process.h>
#include <WindowAutomation.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Prefs.h>
#include <STimeModels.h>

#include "ProtWin.h"

using BPrivate::WindowAutomation;


class RecordsApplication : public BApplication {
public:
	RecordsApplication()
		: BApplication("application/x-vnd.zelmora-records-test") {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'pCls') {
			closedNotices++;
			return;
		}
		BApplication::MessageReceived(message);
	}

	std::atomic<int> closedNotices { 0 };
};


class RecordsTest : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		if (be_app == NULL) {
			sApp = new RecordsApplication();
			BPrivate::start_gui_looper(be_app);
		}
	}

	void SetUp() override
	{
		char pattern[] = "/tmp/zlm-records-XXXXXX";
		fRoot = mkdtemp(pattern);
		fFolder = fRoot + "/Employee";
		mkdir(fFolder.c_str(), 0755);
		setenv("HOME", fRoot.c_str(), 1);
		setenv("XDG_CONFIG_HOME", (fRoot + "/config").c_str(), 1);
		setenv("XDG_DATA_HOME", (fRoot + "/data").c_str(), 1);
		mkdir((fRoot + "/run").c_str(), 0700);
		setenv("XDG_RUNTIME_DIR", (fRoot + "/run").c_str(), 1);
		// Only the test's own programs are found.
		mkdir((fRoot + "/bin").c_str(), 0755);
		setenv("PATH", (fRoot + "/bin").c_str(), 1);
		STimeModels::SetDataFolder(fFolder.c_str());

		prefs = Prefs::getSTPrefs();
		prefs->mws_use = false;
		prefs->Payday = 1;
		prefs->gTimeAcc = true;
		prefs->Save();
		sApp->closedNotices = 0;
	}

	void TearDown() override
	{
		Close();
		prefs->DeleteMe();
		prefs = NULL;
		const char* argv[] = { "/bin/rm", "-rf", fRoot.c_str(), NULL };
		BPrivate::start_program(argv, true, NULL);
	}

	// The tests run on the GUI thread; Sync works off the queues.
	static void OnGui(std::function<void()> function)
	{
		ASSERT_TRUE(BPrivate::is_gui_thread());
		function();
	}

	static void Sync()
	{
		for (int i = 0; i < 4; i++)
			ASSERT_TRUE(WindowAutomation::Sync());
	}

	ProtWin* Open(BRect frame = BRect(100, 100, 550, 625))
	{
		ProtWin* window = NULL;
		OnGui([&] { window = ProtWin::getProtWin(frame); });
		Sync();
		return window;
	}

	void Close()
	{
		OnGui([] {
			ProtWin* window = ProtWin::Current();
			if (window != NULL && window->Lock())
				window->Quit();
		});
		Sync();
	}

	// Sends message to the records window and waits until it is handled.
	void Send(BMessage* message)
	{
		ASSERT_NE(ProtWin::Current(), nullptr);
		ASSERT_EQ(BMessenger(ProtWin::Current()).SendMessage(message), B_OK);
		Sync();
	}

	void Send(uint32 what)
	{
		BMessage message(what);
		Send(&message);
	}

	void Request(const std::string& tag, const char* person = NULL)
	{
		BMessage request('pUpd');
		request.AddString("_tpath", (fFolder + "/" + tag).c_str());
		request.AddString("_TagId", tag.c_str());
		if (person != NULL)
			request.AddString("_RealN", person);
		Send(&request);
	}

	// Local (here UTC) time of a date and clock time.
	static time_t At(int year, int month, int day, int hour, int minute)
	{
		struct tm when = {};
		when.tm_year = year - 1900;
		when.tm_mon = month - 1;
		when.tm_mday = day;
		when.tm_hour = hour;
		when.tm_min = minute;
		when.tm_isdst = -1;
		return mktime(&when);
	}

	// Appends punch records ('I' or 'O' and the time) to a file.
	static void Punch(const std::string& path, char kind, time_t when)
	{
		uint8 record[8] = { (uint8)kind, 0, 0, 0 };
		uint32 value = (uint32)when;
		for (int i = 0; i < 4; i++)
			record[4 + i] = (uint8)(value >> (8 * i));
		std::ofstream(path, std::ios::binary | std::ios::app)
			.write((const char*)record, 8);
	}

	static std::string FileText(const std::string& path)
	{
		std::ifstream file(path, std::ios::binary);
		std::stringstream text;
		text << file.rdbuf();
		return text.str();
	}

	static bool Exists(const std::string& path)
	{
		struct stat info;
		return stat(path.c_str(), &info) == 0;
	}

	static inline RecordsApplication* sApp = NULL;
	std::string fRoot;
	std::string fFolder;
	Prefs* prefs = NULL;
};

#endif	// RECORDS_TEST_H
