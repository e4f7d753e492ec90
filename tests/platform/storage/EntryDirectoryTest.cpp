// BEntry and BDirectory: existence, names, parents, moves, listing.
#include <gtest/gtest.h>

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>
#include <string>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include "StorageTestUtils.h"


class EntryDirectoryTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		char real[PATH_MAX];
		ASSERT_NE(nullptr, realpath(fFolder.Path(), real));
		fRoot = real;
		ASSERT_EQ(B_OK, fDir.SetTo(fRoot.c_str()));
	}

	TempFolder fFolder;
	std::string fRoot;
	BDirectory fDir;
};


TEST_F(EntryDirectoryTest, EntriesMayBeAbstract)
{
	BEntry entry((fRoot + "/later").c_str());
	ASSERT_EQ(B_OK, entry.InitCheck());
	EXPECT_FALSE(entry.Exists());
	EXPECT_STREQ("later", entry.Name());
	EXPECT_FALSE(entry.IsFile());

	ASSERT_TRUE(write_file(fRoot + "/later", "x"));
	EXPECT_TRUE(entry.Exists());
	EXPECT_TRUE(entry.IsFile());
	EXPECT_FALSE(entry.IsDirectory());

	char name[B_FILE_NAME_LENGTH];
	ASSERT_EQ(B_OK, entry.GetName(name));
	EXPECT_STREQ("later", name);
	BPath path;
	ASSERT_EQ(B_OK, entry.GetPath(&path));
	EXPECT_EQ(fRoot + "/later", path.Path());

	BEntry parent;
	ASSERT_EQ(B_OK, entry.GetParent(&parent));
	EXPECT_TRUE(parent.IsDirectory());
	BEntry root("/");
	EXPECT_EQ(B_ENTRY_NOT_FOUND, root.GetParent(&parent));

	// Its folder must exist.
	BEntry nowhere((fRoot + "/no/such").c_str());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, nowhere.InitCheck());
	BEntry unset;
	EXPECT_EQ(B_NO_INIT, unset.InitCheck());
	EXPECT_EQ(B_NO_INIT, unset.GetPath(&path));
	EXPECT_FALSE(unset.Exists());
}


TEST_F(EntryDirectoryTest, RefsRoundTripAndTraverse)
{
	ASSERT_TRUE(write_file(fRoot + "/target", "x"));
	ASSERT_EQ(0, symlink("target", (fRoot + "/link").c_str()));

	BEntry link((fRoot + "/link").c_str());
	EXPECT_TRUE(link.IsSymLink());
	BEntry followed((fRoot + "/link").c_str(), true);
	EXPECT_STREQ("target", followed.Name());

	entry_ref ref;
	ASSERT_EQ(B_OK, followed.GetRef(&ref));
	BEntry again(&ref);
	EXPECT_TRUE(again == followed);
	EXPECT_TRUE(again != link);
	BEntry copy(link);
	EXPECT_TRUE(copy == link);
}


TEST_F(EntryDirectoryTest, RenameMoveAndRemove)
{
	ASSERT_TRUE(write_file(fRoot + "/a", "A"));
	ASSERT_TRUE(write_file(fRoot + "/b", "B"));
	ASSERT_EQ(0, mkdir((fRoot + "/sub").c_str(), 0700));

	BEntry entry((fRoot + "/a").c_str());
	// No clobbering unless asked.
	EXPECT_EQ(B_FILE_EXISTS, entry.Rename("b"));
	EXPECT_EQ("B", read_file(fRoot + "/b"));
	ASSERT_EQ(B_OK, entry.Rename("c"));
	EXPECT_STREQ("c", entry.Name());
	EXPECT_EQ("A", read_file(fRoot + "/c"));

	BDirectory sub((fRoot + "/sub").c_str());
	ASSERT_EQ(B_OK, entry.MoveTo(&sub));
	EXPECT_EQ("A", read_file(fRoot + "/sub/c"));
	ASSERT_EQ(B_OK, entry.MoveTo(&fDir, "b", true));
	EXPECT_EQ("A", read_file(fRoot + "/b"));

	ASSERT_EQ(B_OK, entry.Remove());
	EXPECT_FALSE(entry.Exists());
	BEntry subEntry((fRoot + "/sub").c_str());
	ASSERT_EQ(B_OK, subEntry.Remove());
	EXPECT_FALSE(subEntry.Exists());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, entry.Remove());
}


TEST_F(EntryDirectoryTest, CreateFindAndContain)
{
	BFile file;
	ASSERT_EQ(B_OK, fDir.CreateFile("one", &file));
	EXPECT_EQ(3, file.Write("abc", 3));
	EXPECT_EQ(B_FILE_EXISTS, fDir.CreateFile("one", NULL, true));
	// Without failIfExists the file is made afresh.
	ASSERT_EQ(B_OK, fDir.CreateFile("one", NULL));
	EXPECT_EQ("", read_file(fRoot + "/one"));

	BDirectory sub;
	ASSERT_EQ(B_OK, fDir.CreateDirectory("sub", &sub));
	EXPECT_EQ(B_FILE_EXISTS, fDir.CreateDirectory("sub", NULL));
	ASSERT_EQ(B_OK, sub.CreateFile("deep", NULL));

	BEntry found;
	ASSERT_EQ(B_OK, fDir.FindEntry("sub/deep", &found));
	EXPECT_TRUE(found.IsFile());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fDir.FindEntry("nothing", &found));
	EXPECT_EQ(B_NO_INIT, found.InitCheck());

	EXPECT_TRUE(fDir.Contains("one"));
	EXPECT_TRUE(fDir.Contains("sub/deep"));
	EXPECT_TRUE(fDir.Contains("sub", B_DIRECTORY_NODE));
	EXPECT_FALSE(fDir.Contains("sub", B_FILE_NODE));
	EXPECT_FALSE(fDir.Contains("nothing"));
	EXPECT_TRUE(fDir.Contains((fRoot + "/sub/deep").c_str()));
	EXPECT_FALSE(fDir.Contains("/etc/passwd"));
	EXPECT_FALSE(fDir.Contains(fRoot.c_str()));
	// A sibling whose name starts alike is not inside.
	BDirectory oneDir;
	ASSERT_EQ(B_OK, fDir.CreateDirectory("on", &oneDir));
	EXPECT_FALSE(oneDir.Contains((fRoot + "/one").c_str()));

	BDirectory notDir((fRoot + "/one").c_str());
	EXPECT_EQ(B_NOT_A_DIRECTORY, notDir.InitCheck());
}


TEST_F(EntryDirectoryTest, ListingRewindAndCount)
{
	for (const char* name : { "x", "y", "z" })
		ASSERT_TRUE(write_file(fRoot + "/" + name, name));
	ASSERT_EQ(0, mkdir((fRoot + "/d").c_str(), 0700));

	std::set<std::string> names;
	BEntry entry;
	while (fDir.GetNextEntry(&entry) == B_OK)
		names.insert(entry.Name());
	EXPECT_EQ((std::set<std::string>{ "x", "y", "z", "d" }), names);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fDir.GetNextEntry(&entry));

	EXPECT_EQ(4, fDir.CountEntries());
	// Counting leaves the listing at its start.
	entry_ref ref;
	int count = 0;
	while (fDir.GetNextRef(&ref) == B_OK)
		count++;
	EXPECT_EQ(4, count);
	ASSERT_EQ(B_OK, fDir.Rewind());
	EXPECT_EQ(B_OK, fDir.GetNextEntry(&entry));

	BDirectory unset;
	EXPECT_EQ(B_FILE_ERROR, unset.GetNextEntry(&entry));
}


TEST_F(EntryDirectoryTest, CreateDirectoryMakesTheWholeWay)
{
	std::string deep = fRoot + "/a/b/c";
	ASSERT_EQ(B_OK, create_directory(deep.c_str(), 0755));
	struct stat st;
	ASSERT_EQ(0, stat(deep.c_str(), &st));
	EXPECT_TRUE(S_ISDIR(st.st_mode));
	// Existing folders are fine, a file in the way is not.
	EXPECT_EQ(B_OK, create_directory(deep.c_str(), 0755));
	ASSERT_TRUE(write_file(fRoot + "/file", ""));
	EXPECT_EQ(B_NOT_A_DIRECTORY,
		create_directory((fRoot + "/file/sub").c_str(), 0755));
	EXPECT_EQ(B_BAD_VALUE, create_directory("", 0755));
}
