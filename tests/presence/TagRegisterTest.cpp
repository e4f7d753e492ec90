// The register's reader: splitting lines, the two length limits, the
// first binding of a tag, and the checks on tags and names.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "TagRegister.h"


TEST(TagRegisterLines, SplitsAtTabThenBlankThenLineEnd)
{
	std::string key, value;
	ASSERT_TRUE(TagRegister::SplitLine("AB12CD34\t\tMaria Muster\t\n", key,
		value));
	EXPECT_EQ(key, "AB12CD34");
	EXPECT_EQ(value, "Maria Muster");

	ASSERT_TRUE(TagRegister::SplitLine("AB12CD34 Maria\n", key, value));
	EXPECT_EQ(key, "AB12CD34");
	EXPECT_EQ(value, "Maria");

	// Neither TAB nor blank: the whole line without its end is the tag.
	ASSERT_TRUE(TagRegister::SplitLine("AB12CD34\r\n", key, value));
	EXPECT_EQ(key, "AB12CD34");
	EXPECT_EQ(value, "");

	EXPECT_FALSE(TagRegister::SplitLine("#AB12CD34\t\tX\t\n", key, value));
}


TEST(TagRegisterLines, LookupAndStartUpSkipShortLinesDifferently)
{
	// A seven-character line is found by the lookup, not announced; the
	// first line of a tag binds it; comments count for neither.
	std::string text = "ab\t\tx\t\n"
		"#CDEF0000\t\tComment\t\n"
		"TAG00001\t\tFirst\t\n"
		"TAG00001\t\tSecond\t\n"
		"TAG00002\t\t-\t\n"
		"x\n";
	RegisterData data;
	TagRegister::Parse(text.data(), text.size(), data);
	EXPECT_EQ(data.persons.at("ab"), "x");
	EXPECT_EQ(data.persons.at("TAG00001"), "First");
	EXPECT_EQ(data.persons.at("TAG00002"), "-");
	EXPECT_EQ(data.persons.count("#CDEF0000"), 0u);
	EXPECT_EQ(data.persons.count("x"), 0u);
	ASSERT_EQ(data.startupTags.size(), 3u);
	EXPECT_EQ(data.startupTags[0], "TAG00001");
	EXPECT_EQ(data.startupTags[2], "TAG00002");
}


TEST(TagRegisterLines, LongLinesAreReadInPiecesAndNamesLoseControls)
{
	std::string text = "LONGTAG1\t\t" + std::string(300, 'n') + "\t\n";
	RegisterData data;
	TagRegister::Parse(text.data(), text.size(), data);
	// The first piece holds 255 bytes: tag, two TABs and 245 letters.
	EXPECT_EQ(data.persons.at("LONGTAG1"), std::string(245, 'n'));

	std::string bell = "TAG00003\t\tA\aB\t\n";
	TagRegister::Parse(bell.data(), bell.size(), data);
	EXPECT_EQ(data.persons.at("TAG00003"), "A B");
	EXPECT_EQ(TagRegister::CleanName("Max\tMu\rster\n"), "Max Mu ster ");
}


TEST(TagRegisterTags, OnlyTagsThatNameAFileOfTheFolderAreUsable)
{
	EXPECT_TRUE(TagRegister::IsUsableTag("123456789012345"));
	EXPECT_FALSE(TagRegister::IsUsableTag("1234567890123456"));
	const char* bad[] = { "", ".", "..", "../x", "a/b", "a\tb", "a\nb",
		"_Time_Profiles_", "TagsWithEmployee" };
	for (const char* tag : bad)
		EXPECT_FALSE(TagRegister::IsUsableTag(tag)) << tag;
	EXPECT_FALSE(TagRegister::IsUsableTag(NULL));
}


TEST(TagRegisterFile, ParsedOnceUntilTheFileChanges)
{
	char pattern[] = "/tmp/zlm-register-XXXXXX";
	std::string folder = mkdtemp(pattern);
	std::string path = folder + "/TagsWithEmployee";
	std::ofstream(path) << "TAG00001\t\tFirst\t\n";

	const RegisterData* first = TagRegister::Load(path.c_str());
	ASSERT_NE(first, nullptr);
	EXPECT_EQ(first->persons.at("TAG00001"), "First");
	EXPECT_EQ(TagRegister::Load(path.c_str()), first);

	// A new file under the same name (a saved register) is read again.
	std::string other = folder + "/new";
	std::ofstream(other) << "TAG00001\t\tSecond\t\n";
	ASSERT_EQ(rename(other.c_str(), path.c_str()), 0);
	const RegisterData* second = TagRegister::Load(path.c_str());
	ASSERT_NE(second, nullptr);
	EXPECT_EQ(second->persons.at("TAG00001"), "Second");

	// Written over in place: a new length, or the same length and another
	// time of change.
	std::ofstream(path) << "TAG00001\t\tThird one\t\n";
	EXPECT_EQ(TagRegister::Load(path.c_str())->persons.at("TAG00001"),
		"Third one");
	std::ofstream(path) << "TAG00001\t\tFourth on\t\n";
	struct timespec times[2] = { { 1000, 0 }, { 1000, 0 } };
	ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
	EXPECT_EQ(TagRegister::Load(path.c_str())->persons.at("TAG00001"),
		"Fourth on");
	std::ofstream(path) << "TAG00001\t\tFifth one\t\n";
	times[1].tv_sec = 2000;
	ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
	EXPECT_EQ(TagRegister::Load(path.c_str())->persons.at("TAG00001"),
		"Fifth one");

	unlink(path.c_str());
	EXPECT_EQ(TagRegister::Load(path.c_str()), nullptr);
	rmdir(folder.c_str());
}
