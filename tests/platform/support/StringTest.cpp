#include <String.h>

#include <gtest/gtest.h>

TEST(BString, EditingKeepsTextTerminatedAndBounded)
{
	BString s("Hello World");
	s.Remove(5, 100);
	EXPECT_STREQ(s.String(), "Hello");
	s.Remove(-1, 3).Remove(99, 1);
	EXPECT_STREQ(s.String(), "Hello");
	s.Insert("!!", 999);
	EXPECT_STREQ(s.String(), "Hello!!");
	s.Truncate(3);
	EXPECT_EQ(s.Length(), 3);
	EXPECT_EQ(s.ByteAt(10), '\0');

	BString copy;
	s.CopyInto(copy, 1, 50);
	EXPECT_STREQ(copy.String(), "el");
}

TEST(BString, SearchAndReplace)
{
	BString s("a;b;c;");
	EXPECT_EQ(s.FindFirst(";"), 1);
	EXPECT_EQ(s.FindLast(";"), 5);
	EXPECT_EQ(s.FindFirst("x"), B_ERROR);
	s.ReplaceAll(";", "--");
	EXPECT_STREQ(s.String(), "a--b--c--");
	s.ReplaceAll("", "x");	// an empty pattern changes nothing
	EXPECT_STREQ(s.String(), "a--b--c--");
	EXPECT_EQ(BString("ABC").IFindFirst("bc"), 1);
	EXPECT_EQ(BString("abc").ICompare("ABC"), 0);
}

TEST(BString, FormattingAndStreaming)
{
	BString s;
	s << "in: " << 12L << ' ' << -3;
	EXPECT_STREQ(s.String(), "in: 12 -3");
	s.SetToFormat("%05d|%s", 42, "x");
	EXPECT_STREQ(s.String(), "00042|x");
	EXPECT_STREQ(BString(NULL).String(), "");
	EXPECT_STREQ(BString("abcdef", 3).String(), "abc");
}

TEST(BString, LockBufferTakesTheWrittenLength)
{
	BString s;
	char* buffer = s.LockBuffer(16);
	strcpy(buffer, "tag");
	s.UnlockBuffer();
	EXPECT_EQ(s.Length(), 3);
	EXPECT_TRUE(s == "tag");
}
