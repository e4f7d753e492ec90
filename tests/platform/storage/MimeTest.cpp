// MIME types: validity, the per-user database, node types and sniffing.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <MimeType.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Path.h>
#include <TypeConstants.h>

#include "StorageTestUtils.h"


static const char* kVCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Erika Muster\r\n"
	"N:Muster;Erika;;;\r\nEND:VCARD\r\n";


// Points XDG_DATA_HOME at a temporary folder for the test.
class MimeDatabaseTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		const char* old = getenv("XDG_DATA_HOME");
		fHadData = old != NULL;
		if (fHadData)
			fOldData = old;
		fData = fFolder / "data";
		setenv("XDG_DATA_HOME", fData.c_str(), 1);
	}

	void TearDown() override
	{
		if (fHadData)
			setenv("XDG_DATA_HOME", fOldData.c_str(), 1);
		else
			unsetenv("XDG_DATA_HOME");
	}

	TempFolder fFolder;
	std::string fData;
	bool fHadData = false;
	std::string fOldData;
};


TEST(MimeTypeTest, ValidityAndSupertypes)
{
	EXPECT_TRUE(BMimeType::IsValid("text/plain"));
	EXPECT_TRUE(BMimeType::IsValid("application/x-vnd.KQ-Scanlet"));
	EXPECT_TRUE(BMimeType::IsValid("text"));
	for (const char* bad : { "", "/plain", "text/", "a/b/c", "text/pl ain",
			"text/plain;charset", "te(x)t/plain", "text/\x7f" })
		EXPECT_FALSE(BMimeType::IsValid(bad)) << bad;
	EXPECT_FALSE(BMimeType::IsValid(NULL));
	EXPECT_FALSE(BMimeType::IsValid(std::string(B_MIME_TYPE_LENGTH, 'a')
		.c_str()));

	BMimeType type("Text/Plain");
	ASSERT_EQ(B_OK, type.InitCheck());
	EXPECT_STREQ("Text/Plain", type.Type());
	EXPECT_TRUE(type == "text/plain");
	EXPECT_FALSE(type.IsSupertypeOnly());
	BMimeType super;
	ASSERT_EQ(B_OK, type.GetSupertype(&super));
	EXPECT_STREQ("Text", super.Type());
	EXPECT_TRUE(super.IsSupertypeOnly());
	EXPECT_TRUE(super.Contains(&type));
	EXPECT_FALSE(type.Contains(&super));
	EXPECT_EQ(B_BAD_VALUE, super.GetSupertype(&type));

	BMimeType bad("no good");
	EXPECT_EQ(B_BAD_VALUE, bad.InitCheck());
	EXPECT_FALSE(bad.IsValid());
	EXPECT_EQ(NULL, bad.Type());
}


TEST_F(MimeDatabaseTest, InstallPreferredAppAndHintRoundTrip)
{
	BMimeType type("application/x-vnd.KQ-Scanlet");
	EXPECT_FALSE(type.IsInstalled());
	char signature[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, type.GetPreferredApp(signature));
	entry_ref ref;
	EXPECT_EQ(B_ENTRY_NOT_FOUND, type.GetAppHint(&ref));

	ASSERT_EQ(B_OK, type.Install());
	EXPECT_TRUE(type.IsInstalled());
	EXPECT_EQ(B_FILE_EXISTS, type.Install());
	// The database lies under XDG_DATA_HOME, in lower case.
	EXPECT_EQ(0, access((fData
		+ "/zelmora/mime/application/x-vnd.kq-scanlet").c_str(), F_OK));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, type.GetPreferredApp(signature));

	ASSERT_EQ(B_OK, type.SetPreferredApp("application/x-vnd.KQ-Scanlet"));
	std::string program = fFolder / "Scanlet";
	ASSERT_TRUE(write_file(program, "#!"));
	entry_ref programRef;
	ASSERT_EQ(B_OK, get_ref_for_path(program.c_str(), &programRef));
	ASSERT_EQ(B_OK, type.SetAppHint(&programRef));

	// A second object on the same type reads what the first wrote.
	BMimeType again("application/x-vnd.kq-scanlet");
	ASSERT_EQ(B_OK, again.GetPreferredApp(signature));
	EXPECT_STREQ("application/x-vnd.KQ-Scanlet", signature);
	ASSERT_EQ(B_OK, again.GetAppHint(&ref));
	EXPECT_EQ(program, BPath(&ref).Path());
	EXPECT_EQ(B_BAD_VALUE, again.SetPreferredApp("not valid"));

	ASSERT_EQ(B_OK, again.SetPreferredApp(NULL));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, again.GetPreferredApp(signature));

	ASSERT_EQ(B_OK, type.Delete());
	EXPECT_FALSE(type.IsInstalled());
	EXPECT_EQ(B_ENTRY_NOT_FOUND, type.Delete());
}


TEST_F(MimeDatabaseTest, SettersInstallAndNamesStayInside)
{
	BMimeType type("application/Zelmora");
	ASSERT_EQ(B_OK, type.SetShortDescription("Zeiterfassung"));
	EXPECT_TRUE(type.IsInstalled());
	char text[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(B_OK, type.GetShortDescription(text));
	EXPECT_STREQ("Zeiterfassung", text);

	BMimeType super("application");
	EXPECT_TRUE(super.IsInstalled());
	EXPECT_EQ(B_DIRECTORY_NOT_EMPTY, super.Delete());

	// Types whose names would leave the database folder are refused.
	BMimeType up("../escape");
	ASSERT_EQ(B_OK, up.InitCheck());
	EXPECT_EQ(B_BAD_VALUE, up.Install());
	BMimeType dotSub("text/..");
	EXPECT_EQ(B_BAD_VALUE, dotSub.Install());
	EXPECT_NE(0, access((fData + "/zelmora/escape").c_str(), F_OK));

	BMimeType unset;
	EXPECT_EQ(B_NO_INIT, unset.Install());
	EXPECT_FALSE(unset.IsInstalled());
}


TEST_F(MimeDatabaseTest, NodeInfoTypeAttributeAndSniffing)
{
	// A vCard is a Person file, by name and by content alone.
	std::string card = fFolder / "Erika.vcf";
	ASSERT_TRUE(write_file(card, kVCard));
	BNode cardNode(card.c_str());
	BNodeInfo info(&cardNode);
	ASSERT_EQ(B_OK, info.InitCheck());
	char type[B_MIME_TYPE_LENGTH];
	ASSERT_EQ(B_OK, info.GetType(type));
	EXPECT_STREQ("application/x-person", type);

	std::string bare = fFolder / "Erika Muster";
	ASSERT_TRUE(write_file(bare, kVCard));
	BNode bareNode(bare.c_str());
	BNodeInfo bareInfo(&bareNode);
	ASSERT_EQ(B_OK, bareInfo.GetType(type));
	EXPECT_STREQ("application/x-person", type);

	// The type attribute wins over sniffing, and is stored as BeOS does.
	std::string text = fFolder / "TagsWithEmployee";
	ASSERT_TRUE(write_file(text, "1234\tErika\n"));
	BNode textNode(text.c_str());
	BNodeInfo textInfo(&textNode);
	ASSERT_EQ(B_OK, textInfo.SetType("text/plain"));
	attr_info attr;
	ASSERT_EQ(B_OK, textNode.GetAttrInfo("BEOS:TYPE", &attr));
	EXPECT_EQ((uint32)B_MIME_STRING_TYPE, attr.type);
	EXPECT_EQ(11, attr.size);
	ASSERT_EQ(B_OK, textInfo.SetType("image/png"));
	ASSERT_EQ(B_OK, textInfo.GetType(type));
	EXPECT_STREQ("image/png", type);
	EXPECT_EQ(B_BAD_VALUE, textInfo.SetType("bad type"));
	ASSERT_EQ(B_OK, textInfo.SetType(NULL));
	ASSERT_EQ(B_OK, textInfo.GetType(type));
	EXPECT_STREQ("text/plain", type);

	// An attribute of another type is not taken for a MIME type.
	int32 number = 5;
	textNode.WriteAttr("BEOS:TYPE", B_INT32_TYPE, 0, &number, 4);
	EXPECT_EQ(B_BAD_TYPE, textInfo.GetType(type));

	BDirectory dir(fFolder.Path());
	BNodeInfo dirInfo(&dir);
	ASSERT_EQ(B_OK, dirInfo.GetType(type));
	EXPECT_STREQ("application/x-vnd.Be-directory", type);

	BNode unset;
	BNodeInfo none(&unset);
	EXPECT_EQ(B_BAD_VALUE, none.InitCheck());
	EXPECT_EQ(B_NO_INIT, none.GetType(type));
}


TEST_F(MimeDatabaseTest, NodeInfoPreferredAppAndHint)
{
	std::string path = fFolder / "file";
	ASSERT_TRUE(write_file(path, "x"));
	BNode node(path.c_str());
	BNodeInfo info(&node);
	char signature[B_MIME_TYPE_LENGTH];
	EXPECT_EQ(B_ENTRY_NOT_FOUND, info.GetPreferredApp(signature));
	ASSERT_EQ(B_OK, info.SetPreferredApp("application/Zelmora"));
	ASSERT_EQ(B_OK, info.GetPreferredApp(signature));
	EXPECT_STREQ("application/Zelmora", signature);

	entry_ref ref;
	ASSERT_EQ(B_OK, get_ref_for_path("/usr/bin/env", &ref));
	ASSERT_EQ(B_OK, info.SetAppHint(&ref));
	entry_ref hint;
	ASSERT_EQ(B_OK, info.GetAppHint(&hint));
	EXPECT_TRUE(hint == ref);
}


TEST(MimeSniffTest, GuessFromDataAndNames)
{
	BMimeType type;
	const char png[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR";
	ASSERT_EQ(B_OK, BMimeType::GuessMimeType(png, sizeof(png) - 1, &type));
	EXPECT_STREQ("image/png", type.Type());
	ASSERT_EQ(B_OK, BMimeType::GuessMimeType(kVCard, strlen(kVCard), &type));
	EXPECT_STREQ("application/x-person", type.Type());
	ASSERT_EQ(B_OK, BMimeType::GuessMimeType("/nowhere/logo.jpg", &type));
	EXPECT_STREQ("image/jpeg", type.Type());
	EXPECT_EQ(B_BAD_VALUE, BMimeType::GuessMimeType((const char*)NULL,
		&type));
}
