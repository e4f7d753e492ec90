// Typed attributes of nodes, in extended attributes and in the sidecar
// store.
#include <gtest/gtest.h>

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <set>
#include <string>

#include <AttributeSidecar.h>
#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <Node.h>
#include <Rect.h>
#include <String.h>
#include <TypeConstants.h>

#include "StorageTestUtils.h"


// Runs each test once on extended attributes and once through the
// sidecar store.
class NodeAttributeTest : public ::testing::TestWithParam<bool> {
protected:
	void SetUp() override
	{
		BPrivate::force_attribute_sidecar(GetParam());
		fPath = fFolder / "node";
		ASSERT_TRUE(write_file(fPath, "data"));
		ASSERT_EQ(B_OK, fNode.SetTo(fPath.c_str()));
	}

	void TearDown() override
	{
		BPrivate::force_attribute_sidecar(false);
	}

	TempFolder fFolder;
	std::string fPath;
	BNode fNode;
};


TEST_P(NodeAttributeTest, TypedValuesRoundTrip)
{
	int32 number = -123456;
	EXPECT_EQ(4, fNode.WriteAttr("time_format", B_INT32_TYPE, 0, &number, 4));
	BRect rect(100, 100, 415, 329);
	EXPECT_EQ(16, fNode.WriteAttr("prefs_window_rect", B_RECT_TYPE, 0, &rect,
		sizeof(rect)));
	bool flag = true;
	EXPECT_EQ(1, fNode.WriteAttr("mws_use", B_BOOL_TYPE, 0, &flag, 1));
	EXPECT_EQ(0, fNode.WriteAttr("empty", B_STRING_TYPE, 0, "", 0));

	int32 readNumber = 0;
	EXPECT_EQ(4, fNode.ReadAttr("time_format", B_INT32_TYPE, 0, &readNumber,
		4));
	EXPECT_EQ(number, readNumber);
	BRect readRect;
	EXPECT_EQ(16, fNode.ReadAttr("prefs_window_rect", B_RECT_TYPE, 0,
		&readRect, sizeof(readRect)));
	EXPECT_EQ(rect, readRect);

	attr_info info;
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("mws_use", &info));
	EXPECT_EQ((uint32)B_BOOL_TYPE, info.type);
	EXPECT_EQ(1, info.size);
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("empty", &info));
	EXPECT_EQ(0, info.size);

	// Another node on the same file sees the same attributes.
	BNode other(fPath.c_str());
	readNumber = 0;
	EXPECT_EQ(4, other.ReadAttr("time_format", B_INT32_TYPE, 0, &readNumber,
		4));
	EXPECT_EQ(number, readNumber);
}


TEST_P(NodeAttributeTest, MissingShortAndOffsetReads)
{
	char buffer[64];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.ReadAttr("missing", B_STRING_TYPE, 0,
		buffer, sizeof(buffer)));
	attr_info info;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.GetAttrInfo("missing", &info));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.RemoveAttr("missing"));

	// A text written without its terminator reads as the bytes there are.
	ASSERT_EQ(6, fNode.WriteAttr("logo", B_STRING_TYPE, 0, "/a/b/c", 6));
	memset(buffer, 'x', sizeof(buffer));
	EXPECT_EQ(6, fNode.ReadAttr("logo", B_STRING_TYPE, 0, buffer,
		sizeof(buffer)));
	EXPECT_EQ(0, memcmp(buffer, "/a/b/c", 6));
	EXPECT_EQ('x', buffer[6]);

	EXPECT_EQ(3, fNode.ReadAttr("logo", B_STRING_TYPE, 3, buffer,
		sizeof(buffer)));
	EXPECT_EQ(0, memcmp(buffer, "b/c", 3));
	EXPECT_EQ(2, fNode.ReadAttr("logo", B_STRING_TYPE, 0, buffer, 2));
	EXPECT_EQ(0, fNode.ReadAttr("logo", B_STRING_TYPE, 6, buffer, 4));
	EXPECT_EQ(0, fNode.ReadAttr("logo", B_STRING_TYPE, 100, buffer, 4));
	EXPECT_EQ(B_BAD_VALUE, fNode.ReadAttr("logo", B_STRING_TYPE, -1, buffer,
		4));

	// A node that is not open fails differently from a missing attribute.
	BNode unset;
	EXPECT_EQ(B_FILE_ERROR, unset.ReadAttr("logo", B_STRING_TYPE, 0, buffer,
		4));
	EXPECT_EQ(B_FILE_ERROR, unset.WriteAttr("logo", B_STRING_TYPE, 0, "x", 1));
	BNode missing((fFolder / "nope/file").c_str());
	EXPECT_NE(B_OK, missing.InitCheck());
	EXPECT_EQ(B_FILE_ERROR, missing.ReadAttr("logo", B_STRING_TYPE, 0, buffer,
		4));
}


TEST_P(NodeAttributeTest, WritesReplaceOrPatch)
{
	ASSERT_EQ(5, fNode.WriteAttr("text", B_STRING_TYPE, 0, "hello", 5));
	// At offset 0 the attribute is replaced whole, type and all.
	ASSERT_EQ(2, fNode.WriteAttr("text", B_RAW_TYPE, 0, "hi", 2));
	attr_info info;
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("text", &info));
	EXPECT_EQ((uint32)B_RAW_TYPE, info.type);
	EXPECT_EQ(2, info.size);

	// Behind the start it is patched; a gap reads as zeros.
	ASSERT_EQ(2, fNode.WriteAttr("text", B_STRING_TYPE, 4, "yo", 2));
	char buffer[8];
	ASSERT_EQ(6, fNode.ReadAttr("text", B_STRING_TYPE, 0, buffer,
		sizeof(buffer)));
	EXPECT_EQ(0, memcmp(buffer, "hi\0\0yo", 6));
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("text", &info));
	EXPECT_EQ((uint32)B_STRING_TYPE, info.type);

	ASSERT_EQ(1, fNode.WriteAttr("text", B_STRING_TYPE, 1, "I", 1));
	ASSERT_EQ(6, fNode.ReadAttr("text", B_STRING_TYPE, 0, buffer,
		sizeof(buffer)));
	EXPECT_EQ(0, memcmp(buffer, "hI\0\0yo", 6));

	EXPECT_EQ(B_BAD_VALUE, fNode.WriteAttr(NULL, B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_BAD_VALUE, fNode.WriteAttr("", B_RAW_TYPE, 0, "x", 1));
	// The longest name that still fits "user." + name in 255 bytes.
	std::string longest(250, 'n');
	EXPECT_EQ(1, fNode.WriteAttr(longest.c_str(), B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_NAME_TOO_LONG, fNode.WriteAttr((longest + "n").c_str(),
		B_RAW_TYPE, 0, "x", 1));
	EXPECT_EQ(B_BAD_VALUE, fNode.WriteAttr("text", B_RAW_TYPE, -1, "x", 1));

	ASSERT_EQ(B_OK, fNode.RemoveAttr("text"));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.GetAttrInfo("text", &info));
}


TEST_P(NodeAttributeTest, ListRenameAndStrings)
{
	char name[B_ATTR_NAME_LENGTH];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.GetNextAttrName(name));

	int32 value = 1;
	fNode.WriteAttr("Payday", B_INT32_TYPE, 0, &value, 4);
	fNode.WriteAttr("OpenInSecs", B_INT32_TYPE, 0, &value, 4);
	BString text("127.0.0.1:80");
	ASSERT_EQ(B_OK, fNode.WriteAttrString("mws_ip", &text));

	fNode.RewindAttrs();
	std::set<std::string> names;
	while (fNode.GetNextAttrName(name) == B_OK)
		names.insert(name);
	EXPECT_EQ((std::set<std::string>{ "Payday", "OpenInSecs", "mws_ip" }),
		names);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, fNode.GetNextAttrName(name));

	// Rewinding lists afresh, including what was added since.
	ASSERT_EQ(B_OK, fNode.RenameAttr("Payday", "payday2"));
	ASSERT_EQ(B_OK, fNode.RewindAttrs());
	names.clear();
	while (fNode.GetNextAttrName(name) == B_OK)
		names.insert(name);
	EXPECT_EQ((std::set<std::string>{ "payday2", "OpenInSecs", "mws_ip" }),
		names);

	BString readText;
	ASSERT_EQ(B_OK, fNode.ReadAttrString("mws_ip", &readText));
	EXPECT_STREQ("127.0.0.1:80", readText.String());
	attr_info info;
	ASSERT_EQ(B_OK, fNode.GetAttrInfo("mws_ip", &info));
	EXPECT_EQ((uint32)B_STRING_TYPE, info.type);
	EXPECT_EQ(13, info.size);
}


TEST_P(NodeAttributeTest, DirectoriesHaveAttributes)
{
	BDirectory dir(fFolder.Path());
	ASSERT_EQ(B_OK, dir.InitCheck());
	int32 value = 77;
	ASSERT_EQ(4, dir.WriteAttr("count", B_INT32_TYPE, 0, &value, 4));
	value = 0;
	ASSERT_EQ(4, dir.ReadAttr("count", B_INT32_TYPE, 0, &value, 4));
	EXPECT_EQ(77, value);
	dir.RemoveAttr("count");
}


INSTANTIATE_TEST_SUITE_P(Store, NodeAttributeTest, ::testing::Bool(),
	[](const ::testing::TestParamInfo<bool>& info) {
		return std::string(info.param ? "Sidecar" : "ExtendedAttributes");
	});


TEST(NodeAttributeLayoutTest, ExtendedAttributeIsTypeThenData)
{
	TempFolder folder;
	std::string path = folder / "layout";
	ASSERT_TRUE(write_file(path, ""));
	BNode node(path.c_str());

	int32 value = 0x01020304;
	ASSERT_EQ(4, node.WriteAttr("time_format", B_INT32_TYPE, 0, &value, 4));

	char raw[16];
	ssize_t size = getxattr(path.c_str(), "user.time_format", raw,
		sizeof(raw));
	ASSERT_EQ(8, size);
	uint32 type;
	memcpy(&type, raw, 4);
	EXPECT_EQ((uint32)B_INT32_TYPE, type);
	EXPECT_EQ(0, memcmp(raw + 4, &value, 4));

	// What another program writes in that layout reads back typed.
	char foreign[9];
	uint32 stringType = B_STRING_TYPE;
	memcpy(foreign, &stringType, 4);
	memcpy(foreign + 4, "abcd", 5);
	ASSERT_EQ(0, setxattr(path.c_str(), "user.foreign", foreign, 9, 0));
	attr_info info;
	ASSERT_EQ(B_OK, node.GetAttrInfo("foreign", &info));
	EXPECT_EQ((uint32)B_STRING_TYPE, info.type);
	EXPECT_EQ(5, info.size);

	// Attributes outside the user namespace are not listed.
	char name[B_ATTR_NAME_LENGTH];
	std::set<std::string> names;
	while (node.GetNextAttrName(name) == B_OK)
		names.insert(name);
	EXPECT_EQ((std::set<std::string>{ "time_format", "foreign" }), names);
}


TEST(NodeAttributeLayoutTest, OpeningAFifoDoesNotBlock)
{
	TempFolder folder;
	std::string fifo = folder / "fifo";
	ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
	// Without a writer, a blocking open would hang here for good.
	BNode node(fifo.c_str());
	ASSERT_EQ(B_OK, node.InitCheck());
	struct stat st;
	ASSERT_EQ(B_OK, node.GetStat(&st));
	EXPECT_TRUE(S_ISFIFO(st.st_mode));
}


TEST(NodeAttributeSidecarTest, HiddenAndFollowsItsFile)
{
	TempFolder folder;
	BPrivate::force_attribute_sidecar(true);
	std::string path = folder / "settings";
	ASSERT_TRUE(write_file(path, "x"));
	{
		BNode node(path.c_str());
		int32 value = 5;
		ASSERT_EQ(4, node.WriteAttr("Payday", B_INT32_TYPE, 0, &value, 4));
	}

	// Nothing went into extended attributes; the sidecar is not an entry.
	char raw[16];
	EXPECT_EQ(-1, getxattr(path.c_str(), "user.Payday", raw, sizeof(raw)));
	EXPECT_EQ(0, access((folder / ".settings.zlattr").c_str(), F_OK));
	BDirectory dir(folder.Path());
	EXPECT_EQ(1, dir.CountEntries());
	BEntry entry;
	ASSERT_EQ(B_OK, dir.GetNextEntry(&entry));
	EXPECT_STREQ("settings", entry.Name());

	// Rename takes the attributes along; remove deletes them.
	ASSERT_EQ(B_OK, entry.Rename("renamed"));
	BNode renamed((folder / "renamed").c_str());
	int32 value = 0;
	EXPECT_EQ(4, renamed.ReadAttr("Payday", B_INT32_TYPE, 0, &value, 4));
	EXPECT_EQ(5, value);
	ASSERT_EQ(B_OK, entry.Remove());
	EXPECT_NE(0, access((folder / ".renamed.zlattr").c_str(), F_OK));
	BPrivate::force_attribute_sidecar(false);
}


TEST(NodeAttributeSidecarTest, DamagedSidecarIsAnErrorNotACrash)
{
	TempFolder folder;
	BPrivate::force_attribute_sidecar(true);
	std::string path = folder / "file";
	ASSERT_TRUE(write_file(path, "x"));
	BNode node(path.c_str());
	int32 value = 5;
	ASSERT_EQ(4, node.WriteAttr("a", B_INT32_TYPE, 0, &value, 4));

	// Cut the sidecar short in the middle of the value, then claim a
	// huge length.
	std::string sidecar = folder / ".file.zlattr";
	std::string good = read_file(sidecar);
	ASSERT_TRUE(write_file(sidecar, good.substr(0, good.size() - 2)));
	EXPECT_EQ(B_BAD_DATA, node.ReadAttr("a", B_INT32_TYPE, 0, &value, 4));
	std::string huge = good;
	memset(&huge[good.size() - 8], 0xff, 4);
	ASSERT_TRUE(write_file(sidecar, huge));
	EXPECT_EQ(B_BAD_DATA, node.ReadAttr("a", B_INT32_TYPE, 0, &value, 4));
	// A write does not silently drop the damaged store's other attributes.
	EXPECT_EQ(B_BAD_DATA, node.WriteAttr("b", B_INT32_TYPE, 0, &value, 4));
	BPrivate::force_attribute_sidecar(false);
}
