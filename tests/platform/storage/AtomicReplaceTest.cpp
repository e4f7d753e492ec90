// Replacing a file in one step keeps its attributes and mode, and leaves
// the old file alone when it fails.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <string>
#include <vector>

#include <AtomicReplace.h>
#include <AttributeSidecar.h>
#include <Node.h>
#include <TypeConstants.h>

#include "StorageTestUtils.h"

using BPrivate::replace_file_atomically;


static std::vector<std::string>
folder_names(const char* path)
{
	std::vector<std::string> names;
	DIR* dir = opendir(path);
	while (struct dirent* entry = readdir(dir)) {
		if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
			names.push_back(entry->d_name);
	}
	closedir(dir);
	return names;
}


class AtomicReplaceTest : public ::testing::TestWithParam<bool> {
protected:
	void SetUp() override
	{
		BPrivate::force_attribute_sidecar(GetParam());
	}

	void TearDown() override
	{
		BPrivate::force_attribute_sidecar(false);
	}

	TempFolder fFolder;
};


TEST_P(AtomicReplaceTest, KeepsAttributesAndMode)
{
	std::string path = fFolder / "TagsWithEmployee";
	ASSERT_TRUE(write_file(path, "old content"));
	ASSERT_EQ(0, chmod(path.c_str(), 0640));
	{
		BNode node(path.c_str());
		ASSERT_EQ(11, node.WriteAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0,
			"text/plain", 11));
		int32 value = 42;
		ASSERT_EQ(4, node.WriteAttr("count", B_INT32_TYPE, 0, &value, 4));
	}
	struct stat before;
	ASSERT_EQ(0, stat(path.c_str(), &before));

	ASSERT_EQ(B_OK, replace_file_atomically(path.c_str(), "new", 3));
	EXPECT_EQ("new", read_file(path));

	// It is a new file, with the old one's mode and attributes.
	struct stat after;
	ASSERT_EQ(0, stat(path.c_str(), &after));
	EXPECT_NE(before.st_ino, after.st_ino);
	EXPECT_EQ(0640u, after.st_mode & 07777);
	BNode node(path.c_str());
	char type[32] = {};
	EXPECT_EQ(11, node.ReadAttr("BEOS:TYPE", B_MIME_STRING_TYPE, 0, type,
		sizeof(type)));
	EXPECT_STREQ("text/plain", type);
	int32 value = 0;
	EXPECT_EQ(4, node.ReadAttr("count", B_INT32_TYPE, 0, &value, 4));
	EXPECT_EQ(42, value);

	// No temporary file stays behind.
	size_t expected = GetParam() ? 2 : 1;
	EXPECT_EQ(expected, folder_names(fFolder.Path()).size());
}


INSTANTIATE_TEST_SUITE_P(Store, AtomicReplaceTest, ::testing::Bool(),
	[](const ::testing::TestParamInfo<bool>& info) {
		return std::string(info.param ? "Sidecar" : "ExtendedAttributes");
	});


TEST(AtomicReplaceFileTest, NewFilesEmptyDataAndLinks)
{
	TempFolder folder;
	std::string path = folder / "fresh";
	ASSERT_EQ(B_OK, replace_file_atomically(path.c_str(), "abc", 3));
	EXPECT_EQ("abc", read_file(path));
	struct stat st;
	ASSERT_EQ(0, stat(path.c_str(), &st));
	// A new file gets the usual mode, not the temporary file's 0600.
	mode_t mask = umask(022);
	umask(mask);
	EXPECT_EQ(0666u & ~mask, st.st_mode & 0777);

	ASSERT_EQ(B_OK, replace_file_atomically(path.c_str(), NULL, 0));
	EXPECT_EQ("", read_file(path));

	// A link keeps pointing at the file, which gets the content.
	std::string link = folder / "link";
	ASSERT_EQ(0, symlink("fresh", link.c_str()));
	ASSERT_EQ(B_OK, replace_file_atomically(link.c_str(), "via", 3));
	struct stat linkStat;
	ASSERT_EQ(0, lstat(link.c_str(), &linkStat));
	EXPECT_TRUE(S_ISLNK(linkStat.st_mode));
	EXPECT_EQ("via", read_file(path));

	EXPECT_EQ(B_IS_A_DIRECTORY, replace_file_atomically(folder.Path(), "x",
		1));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, replace_file_atomically(
		(folder / "no/file").c_str(), "x", 1));
	EXPECT_EQ(B_BAD_VALUE, replace_file_atomically(path.c_str(), NULL, 4));

	// A leaf of the longest length still finds room for its temporary.
	std::string longPath = folder / std::string(255, 'n').c_str();
	ASSERT_EQ(B_OK, replace_file_atomically(longPath.c_str(), "l", 1));
	EXPECT_EQ("l", read_file(longPath));
}


TEST(AtomicReplaceFileTest, FailureLeavesTheOldFile)
{
	TempFolder folder;
	std::string path = folder / "booking";
	ASSERT_TRUE(write_file(path, "precious"));

	// A file size limit makes the write fail half way, whoever we are.
	struct rlimit old;
	ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
	struct sigaction ignore = {}, oldAction;
	ignore.sa_handler = SIG_IGN;
	sigaction(SIGXFSZ, &ignore, &oldAction);
	struct rlimit small = old;
	small.rlim_cur = 4;
	ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));

	status_t status = replace_file_atomically(path.c_str(), "0123456789", 10);

	setrlimit(RLIMIT_FSIZE, &old);
	sigaction(SIGXFSZ, &oldAction, NULL);

	EXPECT_NE(B_OK, status);
	EXPECT_EQ("precious", read_file(path));
	EXPECT_EQ(std::vector<std::string>{ "booking" },
		folder_names(folder.Path()));
}
