// BPath: joining, normalising, leaf and parent.
#include <gtest/gtest.h>

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include "StorageTestUtils.h"


class PathTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		char real[PATH_MAX];
		ASSERT_NE(nullptr, realpath(fFolder.Path(), real));
		fRoot = real;
		ASSERT_EQ(0, mkdir((fRoot + "/dir").c_str(), 0700));
		ASSERT_EQ(0, symlink((fRoot + "/dir").c_str(),
			(fRoot + "/link").c_str()));
	}

	TempFolder fFolder;
	std::string fRoot;
};


TEST_F(PathTest, PlainAbsolutePathsStayAsGiven)
{
	// Nothing needs the file system: the path need not exist.
	BPath path("/no/such/folder/file");
	ASSERT_EQ(B_OK, path.InitCheck());
	EXPECT_STREQ("/no/such/folder/file", path.Path());
	EXPECT_STREQ("file", path.Leaf());

	BPath joined("/no/such", "file");
	EXPECT_STREQ("/no/such/file", joined.Path());
	BPath slashEnded("/", "etc");
	EXPECT_STREQ("/etc", slashEnded.Path());
	BPath emptyLeaf("/usr", "");
	EXPECT_STREQ("/usr", emptyLeaf.Path());

	BPath root("/");
	EXPECT_STREQ("/", root.Path());
	EXPECT_STREQ("", root.Leaf());
	BPath parent;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, root.GetParent(&parent));
}


TEST_F(PathTest, NormalisingResolvesDotsSlashesAndLinks)
{
	BPath dots((fRoot + "/./dir/../dir//file").c_str());
	ASSERT_EQ(B_OK, dots.InitCheck());
	EXPECT_EQ(fRoot + "/dir/file", dots.Path());

	BPath trailing((fRoot + "/dir/").c_str());
	EXPECT_EQ(fRoot + "/dir", trailing.Path());
	BPath dotDot((fRoot + "/dir/..").c_str());
	EXPECT_EQ(fRoot, dotDot.Path());

	// Normalising on request resolves links in the folder part.
	BPath viaLink((fRoot + "/link/file").c_str(), NULL, true);
	EXPECT_EQ(fRoot + "/dir/file", viaLink.Path());
	BPath notAsked((fRoot + "/link/file").c_str());
	EXPECT_EQ(fRoot + "/link/file", notAsked.Path());

	// A path that needs normalising needs its folder to exist.
	BPath missing((fRoot + "/nope/../file").c_str());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missing.InitCheck());
	EXPECT_EQ(NULL, missing.Path());
	BPath missingAsked((fRoot + "/nope/file").c_str(), NULL, true);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missingAsked.InitCheck());

	// A relative path is taken from the working directory.
	char cwd[PATH_MAX];
	ASSERT_NE(nullptr, getcwd(cwd, sizeof(cwd)));
	ASSERT_EQ(0, chdir(fRoot.c_str()));
	BPath relative("dir/file");
	EXPECT_EQ(fRoot + "/dir/file", relative.Path());
	ASSERT_EQ(0, chdir(cwd));
}


TEST_F(PathTest, AppendRefusesAnAbsoluteLeaf)
{
	BPath path(fRoot.c_str());
	ASSERT_EQ(B_OK, path.Append("dir"));
	ASSERT_EQ(B_OK, path.Append("sub/leaf"));
	EXPECT_EQ(fRoot + "/dir/sub/leaf", path.Path());
	EXPECT_STREQ("leaf", path.Leaf());

	BPath bad(fRoot.c_str());
	EXPECT_EQ(B_BAD_VALUE, bad.Append("/etc/passwd"));
	EXPECT_EQ(B_BAD_VALUE, bad.InitCheck());
	EXPECT_EQ(B_NO_INIT, bad.Append("more"));
	EXPECT_EQ(B_BAD_VALUE, BPath("/usr", "/bin").InitCheck());

	// Appending ".." steps out, as the file system has it.
	BPath up((fRoot + "/dir").c_str());
	ASSERT_EQ(B_OK, up.Append(".."));
	EXPECT_EQ(fRoot, up.Path());
}


TEST_F(PathTest, ParentsCopiesAndComparison)
{
	BPath path((fRoot + "/dir/file").c_str());
	BPath parent;
	ASSERT_EQ(B_OK, path.GetParent(&parent));
	EXPECT_EQ(fRoot + "/dir", parent.Path());
	BPath top("/tmp");
	ASSERT_EQ(B_OK, top.GetParent(&parent));
	EXPECT_STREQ("/", parent.Path());
	EXPECT_EQ(B_BAD_VALUE, path.GetParent(NULL));

	BPath copy(path);
	EXPECT_TRUE(copy == path);
	EXPECT_NE(copy.Path(), path.Path());
	copy = "/elsewhere";
	EXPECT_TRUE(copy != path);
	EXPECT_TRUE(copy == "/elsewhere");

	BPath unset;
	EXPECT_EQ(B_NO_INIT, unset.InitCheck());
	EXPECT_EQ(NULL, unset.Leaf());
	EXPECT_TRUE(unset == BPath());
	EXPECT_EQ(B_NO_INIT, unset.GetParent(&parent));
	EXPECT_EQ(B_BAD_VALUE, BPath((const char*)NULL).InitCheck());
	EXPECT_EQ(B_BAD_VALUE, BPath("").InitCheck());

	// Setting a path from its own string is safe.
	path.SetTo(path.Path(), "x");
	EXPECT_EQ(fRoot + "/dir/file/x", path.Path());
}


TEST_F(PathTest, FromRefsEntriesAndDirectories)
{
	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path((fRoot + "/dir/new").c_str(), &ref));
	BPath fromRef(&ref);
	EXPECT_EQ(fRoot + "/dir/new", fromRef.Path());

	BEntry entry((fRoot + "/dir").c_str());
	BPath fromEntry(&entry);
	EXPECT_EQ(fRoot + "/dir", fromEntry.Path());

	BDirectory dir((fRoot + "/dir").c_str());
	BPath fromDir(&dir, "leaf");
	EXPECT_EQ(fRoot + "/dir/leaf", fromDir.Path());

	entry_ref rootRef;
	ASSERT_EQ(B_OK, get_ref_for_path("/", &rootRef));
	EXPECT_STREQ("/", BPath(&rootRef).Path());
}
