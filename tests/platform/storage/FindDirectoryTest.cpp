// find_directory after the XDG rules, and the private runtime folder.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>

#include <FindDirectory.h>
#include <Path.h>

#include "StorageTestUtils.h"


// Sets environment variables for one test and restores them afterwards.
class Environment {
public:
	~Environment()
	{
		for (auto& [name, value] : fSaved) {
			if (value.first)
				setenv(name.c_str(), value.second.c_str(), 1);
			else
				unsetenv(name.c_str());
		}
	}

	void Set(const char* name, const char* value)
	{
		if (fSaved.find(name) == fSaved.end()) {
			const char* old = getenv(name);
			fSaved[name] = { old != NULL, old != NULL ? old : "" };
		}
		if (value != NULL)
			setenv(name, value, 1);
		else
			unsetenv(name);
	}

private:
	std::map<std::string, std::pair<bool, std::string>> fSaved;
};


TEST(FindDirectoryTest, XdgFoldersAndTheirFallbacks)
{
	TempFolder folder;
	Environment environment;
	std::string home = folder / "home";
	std::string config = folder / "config";
	environment.Set("HOME", home.c_str());
	environment.Set("XDG_CONFIG_HOME", config.c_str());
	environment.Set("XDG_DATA_HOME", NULL);

	BPath path;
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path));
	EXPECT_EQ(config, path.Path());
	// Without the create flag nothing is made.
	EXPECT_NE(0, access(config.c_str(), F_OK));
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path, true));
	struct stat st;
	ASSERT_EQ(0, stat(config.c_str(), &st));
	EXPECT_TRUE(S_ISDIR(st.st_mode));

	ASSERT_EQ(B_OK, find_directory(B_USER_DIRECTORY, &path));
	EXPECT_EQ(home, path.Path());
	ASSERT_EQ(B_OK, find_directory(B_USER_DATA_DIRECTORY, &path));
	EXPECT_EQ(home + "/.local/share", path.Path());
	ASSERT_EQ(B_OK, find_directory(B_SYSTEM_TEMP_DIRECTORY, &path));
	EXPECT_STREQ("/tmp", path.Path());

	// Unset or relative values fall back to the home folder.
	environment.Set("XDG_CONFIG_HOME", NULL);
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path));
	EXPECT_EQ(home + "/.config", path.Path());
	environment.Set("XDG_CONFIG_HOME", "relative/config");
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, &path));
	EXPECT_EQ(home + "/.config", path.Path());

	// The C form reports a buffer too small, and knows no made-up folder.
	char buffer[8];
	EXPECT_EQ(B_NAME_TOO_LONG, find_directory(B_USER_SETTINGS_DIRECTORY, 0,
		false, buffer, sizeof(buffer)));
	char big[B_PATH_NAME_LENGTH];
	ASSERT_EQ(B_OK, find_directory(B_USER_SETTINGS_DIRECTORY, 0, false, big,
		sizeof(big)));
	EXPECT_EQ(home + "/.config", big);
	EXPECT_EQ(B_BAD_VALUE, find_directory((directory_which)12345, &path));
	EXPECT_EQ(B_NO_INIT, path.InitCheck());
}


TEST(FindDirectoryTest, RuntimeFolderIsPrivate)
{
	TempFolder folder;
	Environment environment;
	std::string runtime = folder / "run";
	ASSERT_EQ(0, mkdir(runtime.c_str(), 0700));
	environment.Set("XDG_RUNTIME_DIR", runtime.c_str());

	BPath path;
	ASSERT_EQ(B_OK, BPrivate::get_runtime_directory(&path));
	EXPECT_EQ(runtime, path.Path());

	// A folder others may enter is not used; the private one under /tmp is.
	ASSERT_EQ(0, chmod(runtime.c_str(), 0755));
	ASSERT_EQ(B_OK, BPrivate::get_runtime_directory(&path));
	std::string fallback = "/tmp/zelmora-" + std::to_string(getuid());
	EXPECT_EQ(fallback, path.Path());
	struct stat st;
	ASSERT_EQ(0, lstat(fallback.c_str(), &st));
	EXPECT_TRUE(S_ISDIR(st.st_mode));
	EXPECT_EQ(0u, st.st_mode & 077);
	EXPECT_EQ(getuid(), st.st_uid);

	environment.Set("XDG_RUNTIME_DIR", NULL);
	ASSERT_EQ(B_OK, BPrivate::get_runtime_directory(&path));
	EXPECT_EQ(fallback, path.Path());
}


TEST(FindDirectoryTest, PrivateFolderCheck)
{
	TempFolder folder;
	std::string good = folder / "good";
	ASSERT_EQ(0, mkdir(good.c_str(), 0700));
	EXPECT_EQ(B_OK, BPrivate::check_private_folder(good.c_str()));

	// A link to a good folder, a folder others can use, a file: refused.
	std::string link = folder / "link";
	ASSERT_EQ(0, symlink(good.c_str(), link.c_str()));
	EXPECT_EQ(B_PERMISSION_DENIED, BPrivate::check_private_folder(
		link.c_str()));
	std::string open = folder / "open";
	ASSERT_EQ(0, mkdir(open.c_str(), 0700));
	ASSERT_EQ(0, chmod(open.c_str(), 0710));
	EXPECT_EQ(B_PERMISSION_DENIED, BPrivate::check_private_folder(
		open.c_str()));
	std::string file = folder / "file";
	ASSERT_TRUE(write_file(file, ""));
	ASSERT_EQ(0, chmod(file.c_str(), 0600));
	EXPECT_EQ(B_PERMISSION_DENIED, BPrivate::check_private_folder(
		file.c_str()));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, BPrivate::check_private_folder(
		(folder / "none").c_str()));
}
