// The command line and the settings file.
#include "ScanletOptions.h"
#include "ScanletSettings.h"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

namespace {

status_t
Parse(std::vector<const char*> arguments, ScanletOptions& options,
	BString* error = NULL)
{
	arguments.insert(arguments.begin(), "scanlet");
	BString message;
	status_t status = parse_scanlet_options((int)arguments.size(),
		arguments.data(), options, message);
	if (error != NULL)
		*error = message;
	return status;
}


class SettingsFile : public ::testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/scanlet-settings-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fFolder = folder;
		fPath = fFolder + "/Scanlet_settings";
	}
	void TearDown() override
	{
		unlink(fPath.c_str());
		rmdir(fFolder.c_str());
	}
	status_t Load(const char* text, ScanletOptions& options, BString& warnings)
	{
		FILE* file = fopen(fPath.c_str(), "w");
		fputs(text, file);
		fclose(file);
		return load_scanlet_settings(fPath.c_str(), options, warnings);
	}

	std::string fFolder;
	std::string fPath;
};

}	// namespace


TEST(ScanletOptions, SourcesAndValues)
{
	ScanletOptions options;
	ASSERT_EQ(Parse({}, options), B_OK);
	EXPECT_EQ(options.source, SCANLET_FROM_SETTINGS);
	EXPECT_EQ(options.debounce, 1500000);
	EXPECT_EQ(options.linger, 60000000);
	EXPECT_STREQ(options.target.String(), "application/Zelmora");

	ASSERT_EQ(Parse({ "--tag", "A1", "--debounce", "0.25", "--tag", "B2" },
		options), B_OK);
	EXPECT_EQ(options.source, SCANLET_TAGS);
	ASSERT_EQ(options.tags.size(), 2u);
	EXPECT_STREQ(options.tags[1].String(), "B2");
	EXPECT_EQ(options.debounce, 250000);
	EXPECT_TRUE(options.debounceGiven);

	ASSERT_EQ(Parse({ "--serial", "/dev/ttyS0", "--linger", "2",
		"--target", "application/x-test" }, options), B_OK);
	EXPECT_EQ(options.source, SCANLET_SERIAL);
	EXPECT_STREQ(options.device.String(), "/dev/ttyS0");
	EXPECT_EQ(options.linger, 2000000);
	EXPECT_STREQ(options.target.String(), "application/x-test");

	ASSERT_EQ(Parse({ "--evdev", "/dev/input/event3" }, options), B_OK);
	EXPECT_EQ(options.source, SCANLET_EVDEV);
	ASSERT_EQ(Parse({ "--stdin", "--debounce", "0" }, options), B_OK);
	EXPECT_EQ(options.source, SCANLET_STDIN);
	EXPECT_EQ(options.debounce, 0);
	// Only a debounce: the source still comes from the settings.
	ASSERT_EQ(Parse({ "--debounce", "3" }, options), B_OK);
	EXPECT_EQ(options.source, SCANLET_FROM_SETTINGS);
}


TEST(ScanletOptions, MistakesAreRefused)
{
	ScanletOptions options;
	BString error;
	EXPECT_EQ(Parse({ "--serial" }, options, &error), B_BAD_VALUE);
	EXPECT_STREQ(error.String(), "--serial needs a value");
	EXPECT_EQ(Parse({ "--stdin", "--tag", "A" }, options), B_BAD_VALUE);
	EXPECT_EQ(Parse({ "--tag", "A", "--stdin" }, options), B_BAD_VALUE);
	EXPECT_EQ(Parse({ "--serial", "a", "--serial", "b" }, options),
		B_BAD_VALUE);
	EXPECT_EQ(Parse({ "--serial", "a", "--evdev", "b" }, options),
		B_BAD_VALUE);
	EXPECT_EQ(Parse({ "--tag", "../x" }, options), B_BAD_VALUE);
	EXPECT_EQ(Parse({ "--tag", "" }, options), B_BAD_VALUE);
	EXPECT_EQ(Parse({ "--frobnicate" }, options, &error), B_BAD_VALUE);
	EXPECT_STREQ(error.String(), "unknown argument \"--frobnicate\"");

	for (const char* bad : { "", "x", "1.5s", "-1", "nan", "inf", "7200" }) {
		EXPECT_EQ(Parse({ "--debounce", bad }, options), B_BAD_VALUE) << bad;
		EXPECT_EQ(Parse({ "--linger", bad }, options), B_BAD_VALUE) << bad;
	}

	ASSERT_EQ(Parse({ "--help" }, options), B_OK);
	EXPECT_TRUE(options.help);
}


TEST_F(SettingsFile, SourceDeviceAndDebounce)
{
	ScanletOptions options;
	BString warnings;
	ASSERT_EQ(Load("# the door\n\n  source = serial   # module\n"
		"device=/dev/ttyUSB0\r\ndebounce = 2.5\n", options, warnings), B_OK);
	EXPECT_STREQ(warnings.String(), "");
	EXPECT_EQ(options.source, SCANLET_SERIAL);
	EXPECT_STREQ(options.device.String(), "/dev/ttyUSB0");
	EXPECT_EQ(options.debounce, 2500000);

	// A debounce from the command line wins over the file's.
	ASSERT_EQ(Parse({ "--debounce", "0.5" }, options), B_OK);
	ASSERT_EQ(Load("source = stdin\ndebounce = 4\n", options, warnings), B_OK);
	EXPECT_EQ(options.source, SCANLET_STDIN);
	EXPECT_EQ(options.debounce, 500000);

	ASSERT_EQ(Load("source = none\n", options, warnings), B_OK);
	EXPECT_EQ(options.source, SCANLET_NO_SOURCE);
}


TEST_F(SettingsFile, UnusableFilesLeaveNoSource)
{
	ScanletOptions options;
	BString warnings;
	EXPECT_EQ(load_scanlet_settings((fFolder + "/missing").c_str(), options,
		warnings), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(options.source, SCANLET_NO_SOURCE);

	EXPECT_EQ(Load("source = telepathy\ndevice = /dev/x\n", options,
		warnings), B_BAD_VALUE);
	EXPECT_EQ(options.source, SCANLET_NO_SOURCE);
	EXPECT_STREQ(warnings.String(), "line 1: unknown source \"telepathy\"\n");

	warnings = "";
	EXPECT_EQ(Load("source = evdev\n", options, warnings), B_BAD_VALUE);
	EXPECT_EQ(options.source, SCANLET_NO_SOURCE);
	EXPECT_STREQ(warnings.String(), "the source needs a device\n");

	// Lines that cannot be used are named; the rest still counts.
	warnings = "";
	std::string text = "colour = blue\njust words\ndebounce = soon\n"
		+ std::string(2000, 'x') + "\nsource = stdin\n";
	EXPECT_EQ(Load(text.c_str(), options, warnings), B_OK);
	EXPECT_EQ(options.source, SCANLET_STDIN);
	EXPECT_STREQ(warnings.String(), "line 1: unknown key \"colour\"\n"
		"line 2: no \"key = value\"\n"
		"line 3: debounce takes seconds, not \"soon\"\n"
		"line 4: too long\n");
}
