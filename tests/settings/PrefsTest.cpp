// The settings store on a settings folder of its own (XDG_CONFIG_HOME in a
// temporary folder); attributes are read back with getxattr.
#include <Prefs.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <TypeConstants.h>

#include <gtest/gtest.h>

#include "CaptureOutput.h"

namespace {

struct Attribute {
	uint32		type = 0;
	std::string	data;
	bool		exists = false;
};


// A store whose writes of one key fail, to see where Save stops.
class FailingPrefs : public Prefs {
public:
	FailingPrefs() : Prefs() {}

	ssize_t WriteAttribute(const char* key, type_code type, const void* data,
		size_t length) override
	{
		fWritten.push_back(key);
		if (fFailKey == key)
			return B_DEVICE_FULL;
		return Prefs::WriteAttribute(key, type, data, length);
	}

	std::string					fFailKey;
	std::vector<std::string>	fWritten;
};


class PrefsTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/prefs-test-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fRoot = folder;
		fConfig = fRoot + "/config";
		fFolder = fConfig + "/_LP_x-vnd.KQ";
		fFile = fFolder + "/ZLM_settings";
		setenv("XDG_CONFIG_HOME", fConfig.c_str(), 1);
		fUmask = umask(022);
	}

	void TearDown() override
	{
		if (Prefs::aPrefsZgr != NULL)
			CaptureOutput([] { Prefs::aPrefsZgr->DeleteMe(); });
		umask(fUmask);
		unsetenv("XDG_CONFIG_HOME");
		std::filesystem::remove_all(fRoot);
	}

	Attribute Read(const char* key) const
	{
		Attribute attribute;
		char buffer[1024];
		ssize_t length = getxattr(fFile.c_str(),
			(std::string("user.") + key).c_str(), buffer, sizeof(buffer));
		if (length < 4)
			return attribute;
		attribute.exists = true;
		memcpy(&attribute.type, buffer, 4);
		attribute.data.assign(buffer + 4, length - 4);
		return attribute;
	}

	void Write(const char* key, uint32 type, const std::string& data) const
	{
		std::string value((const char*)&type, 4);
		value += data;
		ASSERT_EQ(setxattr(fFile.c_str(), (std::string("user.") + key).c_str(),
			value.data(), value.size(), 0), 0);
	}

	static std::string Int(int32 value)
	{
		return std::string((const char*)&value, 4);
	}

	static std::string Rect(float l, float t, float r, float b)
	{
		float values[4] = { l, t, r, b };
		return std::string((const char*)values, 16);
	}

	std::string	fRoot;
	std::string	fConfig;
	std::string	fFolder;
	std::string	fFile;
	mode_t		fUmask = 022;
};

}	// namespace


// No settings folder: the first read fails on the unopened file, the folder
// and file are made, and the values held before loading are written, every
// key with its own type, and read back.
TEST_F(PrefsTest, FirstStartWithoutFolderStoresTheValuesBeforeLoading)
{
	Prefs* prefs = NULL;
	std::string output = CaptureOutput([&] { prefs = Prefs::getSTPrefs(); });
	ASSERT_NE(prefs, nullptr);
	EXPECT_EQ(output, "Unknown error reading prefs_window_rect:\n"
		"Bad file descriptor\n"
		">> musste machen: " + fFolder + "\n"
		"[Path:" + fFile + "]\n"
		"[File not found]\n"
		"[File created]\n"
		"Prefs -Save ok\n");

	struct stat st;
	ASSERT_EQ(stat(fFolder.c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 07777, 0755u);
	EXPECT_TRUE(prefs->Error());

	struct Expected { const char* key; uint32 type; std::string data; };
	const Expected expected[] = {
		{ "prefs_window_rect", B_RECT_TYPE, Rect(30, 50, 430, 575) },
		{ "window_by_begin", B_BOOL_TYPE, std::string(1, '\1') },
		{ "time_format", B_INT32_TYPE, Int(1) },
		{ "on_workspace", B_INT32_TYPE, Int(-1) },
		{ "logo_loma", B_STRING_TYPE,
			std::string("/boot/home/logoimage", 21) },
		{ "mws_use", B_BOOL_TYPE, std::string(1, '\1') },
		{ "mws_ip", B_STRING_TYPE, std::string(kDefaultMwsIp, strlen(kDefaultMwsIp) + 1) },
		{ "TagsUseDoor", B_INT32_TYPE, Int(1) },
		{ "OpenInSecs", B_INT32_TYPE, Int(1) },
		{ "gTimeAcc", B_BOOL_TYPE, std::string(1, '\0') },
		{ "Payday", B_INT32_TYPE, Int(28) },
	};
	for (const Expected& entry : expected) {
		Attribute attribute = Read(entry.key);
		EXPECT_TRUE(attribute.exists) << entry.key;
		EXPECT_EQ(attribute.type, entry.type) << entry.key;
		EXPECT_EQ(attribute.data, entry.data) << entry.key;
	}

	EXPECT_EQ(prefs->prefs_window_rect, BRect(30, 50, 430, 575));
	EXPECT_TRUE(prefs->window_by_begin);
	EXPECT_EQ(prefs->time_format, 1);
	EXPECT_EQ(prefs->on_workspace, -1);
	EXPECT_STREQ(prefs->logo_loma, "/boot/home/logoimage");
	EXPECT_TRUE(prefs->mws_use);
	EXPECT_STREQ(prefs->mws_ip, kDefaultMwsIp);
	EXPECT_EQ(prefs->Payday, 28);
}


// Folder but no file: the open makes the file, every key is missing and
// gets the default of its own (written without a text's terminator), and no
// recovery runs. Such a text reads back the same.
TEST_F(PrefsTest, FolderWithoutFileTakesEveryDefault)
{
	ASSERT_EQ(mkdir(fConfig.c_str(), 0700), 0);
	ASSERT_EQ(mkdir(fFolder.c_str(), 0755), 0);
	Prefs* prefs = NULL;
	EXPECT_EQ(CaptureOutput([&] { prefs = Prefs::getSTPrefs(); }), "");
	EXPECT_FALSE(prefs->Error());

	EXPECT_EQ(prefs->prefs_window_rect, BRect(100, 100, 415, 329));
	EXPECT_FALSE(prefs->window_by_begin);
	EXPECT_EQ(prefs->time_format, 0);
	EXPECT_EQ(prefs->on_workspace, -1);
	EXPECT_STREQ(prefs->logo_loma, "/boot/home/logoimage");
	EXPECT_TRUE(prefs->mws_use);
	EXPECT_STREQ(prefs->mws_ip, kDefaultMwsIp);
	EXPECT_EQ(prefs->TagsUseDoor, 1);
	EXPECT_EQ(prefs->OpenInSecs, 1);
	EXPECT_FALSE(prefs->gTimeAcc);
	EXPECT_EQ(prefs->Payday, 28);

	EXPECT_EQ(Read("prefs_window_rect").data, Rect(100, 100, 415, 329));
	EXPECT_EQ(Read("time_format").data, Int(0));
	Attribute address = Read("mws_ip");
	EXPECT_EQ(address.type, (uint32)B_STRING_TYPE);
	EXPECT_EQ(address.data, kDefaultMwsIp);
	EXPECT_EQ(Read("logo_loma").data, "/boot/home/logoimage");
	struct stat st;
	ASSERT_EQ(stat(fFile.c_str(), &st), 0);
	EXPECT_EQ(st.st_size, 0);

	strcpy(prefs->mws_ip, "changed");
	EXPECT_TRUE(prefs->LoadPrefs());
	EXPECT_STREQ(prefs->mws_ip, kDefaultMwsIp);
}


// A saved file lacking only "Payday": loading adds 28 and keeps the rest;
// an existing file gets "Hello !" in its data when checked.
TEST_F(PrefsTest, MissingKeyTakesItsDefaultOthersKeepTheirValues)
{
	ASSERT_EQ(mkdir(fConfig.c_str(), 0700), 0);
	ASSERT_EQ(mkdir(fFolder.c_str(), 0755), 0);
	Prefs* prefs = NULL;
	CaptureOutput([&] { prefs = Prefs::getSTPrefs(); });
	prefs->prefs_window_rect.Set(1, 2, 300, 400);
	prefs->time_format = 7;
	prefs->gTimeAcc = true;
	prefs->mws_use = false;
	prefs->TagsUseDoor = 3;
	prefs->OpenInSecs = 9;
	prefs->Payday = 15;
	prefs->SetMwsIp("127.0.0.1:8080");
	prefs->SetLogoLoma("/home/user/logo.png");
	EXPECT_EQ(CaptureOutput([&] { EXPECT_TRUE(prefs->Save()); }),
		"Prefs -Save ok\n");
	EXPECT_EQ(Read("mws_ip").data, std::string("127.0.0.1:8080", 15));
	EXPECT_EQ(Read("mws_use").data, std::string(1, '\0'));
	EXPECT_EQ(CaptureOutput([&] { prefs->DeleteMe(); }),
		"DESTROY SINGLETON-Prefs\n");
	EXPECT_EQ(Prefs::aPrefsZgr, nullptr);

	ASSERT_EQ(removexattr(fFile.c_str(), "user.Payday"), 0);
	EXPECT_EQ(CaptureOutput([&] { prefs = Prefs::getSTPrefs(); }), "");
	EXPECT_EQ(prefs->Payday, 28);
	EXPECT_EQ(Read("Payday").data, Int(28));
	EXPECT_EQ(prefs->prefs_window_rect, BRect(1, 2, 300, 400));
	EXPECT_EQ(prefs->time_format, 7);
	EXPECT_TRUE(prefs->gTimeAcc);
	EXPECT_FALSE(prefs->mws_use);
	EXPECT_EQ(prefs->TagsUseDoor, 3);
	EXPECT_EQ(prefs->OpenInSecs, 9);
	EXPECT_STREQ(prefs->mws_ip, "127.0.0.1:8080");
	EXPECT_STREQ(prefs->logo_loma, "/home/user/logo.png");

	Prefs* again = NULL;
	EXPECT_EQ(CaptureOutput([&] { again = Prefs::getSTPrefs(); }),
		"GOT SINGLETON-Prefs\n");
	EXPECT_EQ(again, prefs);

	EXPECT_EQ(CaptureOutput([&] { prefs->InitCheck(); }),
		">> schon da: " + fFolder + "\n[Path:" + fFile + "]\n[File found]\n");
	std::ifstream data(fFile);
	std::string content((std::istreambuf_iterator<char>(data)),
		std::istreambuf_iterator<char>());
	EXPECT_EQ(content, "Hello !\n");
}


// Texts in the file or from the user never run past their buffers; a text
// ends at its first zero byte; a boolean byte other than 0 reads as true.
TEST_F(PrefsTest, TextsAreCutToTheirBuffers)
{
	ASSERT_EQ(mkdir(fConfig.c_str(), 0700), 0);
	ASSERT_EQ(mkdir(fFolder.c_str(), 0755), 0);
	{ std::ofstream create(fFile); }
	Write("logo_loma", B_STRING_TYPE, std::string(300, 'L'));
	Write("mws_ip", B_STRING_TYPE, std::string(100, '1'));
	Write("window_by_begin", B_BOOL_TYPE, std::string(1, '\x07'));

	Prefs* prefs = NULL;
	CaptureOutput([&] { prefs = Prefs::getSTPrefs(); });
	EXPECT_EQ(std::string(prefs->logo_loma), std::string(255, 'L'));
	EXPECT_EQ(std::string(prefs->mws_ip), std::string(63, '1'));
	EXPECT_TRUE(prefs->window_by_begin);

	prefs->SetMwsIp(std::string(200, 'a').c_str());
	EXPECT_EQ(std::string(prefs->mws_ip), std::string(63, 'a'));
	prefs->SetLogoLoma(std::string(1000, 'b').c_str());
	EXPECT_EQ(std::string(prefs->logo_loma), std::string(255, 'b'));

	Write("mws_ip", B_STRING_TYPE, std::string("abc\0def", 7));
	EXPECT_TRUE(prefs->LoadPrefs());
	EXPECT_STREQ(prefs->mws_ip, "abc");
}


// A write that fails stops Save at that key: the keys after it keep what
// the file held, and the closing line is not printed. SaveWin stops the
// same way; a default that cannot be written fails the load.
TEST_F(PrefsTest, FailingWriteStopsAtItsKey)
{
	ASSERT_EQ(mkdir(fConfig.c_str(), 0700), 0);
	ASSERT_EQ(mkdir(fFolder.c_str(), 0755), 0);
	std::string output;
	FailingPrefs* prefs = NULL;
	CaptureOutput([&] { prefs = new FailingPrefs(); });
	ASSERT_FALSE(prefs->Error());

	prefs->fFailKey = "logo_loma";
	prefs->Payday = 5;
	prefs->gTimeAcc = true;
	prefs->time_format = 4;
	prefs->fWritten.clear();
	EXPECT_EQ(CaptureOutput([&] { EXPECT_FALSE(prefs->Save()); }),
		"Unknown error writing logo_loma '/boot/home/logoimage' \n"
		"No space left on device\n");
	EXPECT_EQ(prefs->fWritten, (std::vector<std::string>{ "prefs_window_rect",
		"window_by_begin", "on_workspace", "time_format", "logo_loma" }));
	EXPECT_TRUE(prefs->Error());
	EXPECT_EQ(Read("time_format").data, Int(4));
	EXPECT_EQ(Read("Payday").data, Int(28));
	EXPECT_EQ(Read("gTimeAcc").data, std::string(1, '\0'));

	prefs->fFailKey = "on_workspace";
	prefs->fWritten.clear();
	EXPECT_EQ(CaptureOutput([&] { EXPECT_FALSE(prefs->SaveWin()); }),
		"Unknown error writing on_workspace:\nNo space left on device\n");
	EXPECT_EQ(prefs->fWritten, (std::vector<std::string>{ "prefs_window_rect",
		"on_workspace" }));

	prefs->fFailKey = "Payday";
	ASSERT_EQ(removexattr(fFile.c_str(), "user.Payday"), 0);
	EXPECT_EQ(CaptureOutput([&] { EXPECT_FALSE(prefs->LoadPrefs()); }),
		"WriteAttr on Payday died\n");
	EXPECT_FALSE(Read("Payday").exists);

	prefs->fFailKey.clear();
	EXPECT_TRUE(prefs->SaveWin());
	delete prefs;
}
