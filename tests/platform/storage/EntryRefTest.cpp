// entry_ref: copies, comparison, and refs for paths.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <AtomicReplace.h>
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <MimeType.h>
#include <NodeInfo.h>
#include <Path.h>


TEST(EntryRefTest, CopyAssignCompareAndRename)
{
	entry_ref empty;
	EXPECT_EQ(NULL, empty.name);

	entry_ref ref(3, 42, "file.txt");
	entry_ref copy(ref);
	EXPECT_TRUE(copy == ref);
	EXPECT_NE(ref.name, copy.name);
	EXPECT_STREQ("file.txt", copy.name);

	entry_ref assigned;
	assigned = ref;
	EXPECT_TRUE(assigned == ref);
	assigned = assigned;
	EXPECT_STREQ("file.txt", assigned.name);

	ASSERT_EQ(B_OK, assigned.set_name("other"));
	EXPECT_TRUE(assigned != ref);
	assigned.set_name("file.txt");
	assigned.directory = 43;
	EXPECT_TRUE(assigned != ref);
	EXPECT_TRUE(empty != ref);
}


TEST(EntryRefTest, RefForPath)
{
	char folder[] = "/tmp/zl-ref-XXXXXX";
	ASSERT_NE(nullptr, mkdtemp(folder));
	std::string sub = std::string(folder) + "/sub";
	ASSERT_EQ(0, mkdir(sub.c_str(), 0700));
	struct stat st;
	ASSERT_EQ(0, stat(sub.c_str(), &st));

	// The leaf need not exist; "." and ".." in the way are resolved.
	entry_ref ref;
	std::string path = std::string(folder) + "/./sub/../sub/missing";
	ASSERT_EQ(B_OK, get_ref_for_path(path.c_str(), &ref));
	EXPECT_EQ(st.st_dev, ref.device);
	EXPECT_EQ(st.st_ino, ref.directory);
	EXPECT_STREQ("missing", ref.name);
	EXPECT_STREQ(sub.c_str(), ref._DirectoryPath());

	// A ref made from numbers alone finds its folder again.
	entry_ref fromNumbers(st.st_dev, st.st_ino, "missing");
	EXPECT_STREQ(sub.c_str(), fromNumbers._DirectoryPath());
	EXPECT_TRUE(fromNumbers == ref);

	std::string noFolder = std::string(folder) + "/nope/leaf";
	EXPECT_EQ(B_ENTRY_NOT_FOUND, get_ref_for_path(noFolder.c_str(), &ref));
	EXPECT_EQ(B_BAD_VALUE, get_ref_for_path(NULL, &ref));
	EXPECT_EQ(B_BAD_VALUE, get_ref_for_path("", &ref));

	rmdir(sub.c_str());
	rmdir(folder);
}
