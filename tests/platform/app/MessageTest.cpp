#include <Message.h>

#include <stdio.h>
#include <unistd.h>

#include <string>

#include <Entry.h>
#include <Messenger.h>

#include <gtest/gtest.h>

#include "CaptureOutput.h"


TEST(BMessage, TypedFieldsAndBeOSErrorCodes)
{
	BMessage message('test');
	EXPECT_TRUE(message.IsEmpty());
	EXPECT_EQ(message.AddInt32("count", 1), B_OK);
	EXPECT_EQ(message.AddInt32("count", 2), B_OK);
	EXPECT_EQ(message.AddString("count", "x"), B_BAD_TYPE);
	EXPECT_EQ(message.AddString("name", "Anna"), B_OK);

	int32 value = 0;
	EXPECT_EQ(message.FindInt32("count", 1, &value), B_OK);
	EXPECT_EQ(value, 2);
	EXPECT_EQ(message.FindInt32("count", 2, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("count", -1, &value), B_BAD_INDEX);
	EXPECT_EQ(message.FindInt32("missing", &value), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.FindInt64("count", (int64*)NULL), B_BAD_VALUE);
	int16 small;
	EXPECT_EQ(message.FindInt16("count", &small), B_BAD_TYPE);
	EXPECT_EQ(message.ReplaceInt32("missing", 5), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.ReplaceInt32("count", 3, 5), B_BAD_INDEX);
	EXPECT_EQ(message.ReplaceInt32("count", 1, 7), B_OK);
	EXPECT_EQ(message.GetInt32("count", 1, 0), 7);
	EXPECT_EQ(message.GetInt32("missing", 99), 99);
	EXPECT_STREQ(message.GetString("name"), "Anna");
	EXPECT_STREQ(message.GetString("count", "fallback"), "fallback");

	type_code type;
	int32 count;
	bool fixed;
	EXPECT_EQ(message.GetInfo("count", &type, &count), B_OK);
	EXPECT_EQ(type, (type_code)B_INT32_TYPE);
	EXPECT_EQ(count, 2);
	EXPECT_EQ(message.GetInfo("name", &type, &fixed), B_OK);
	EXPECT_FALSE(fixed);
	EXPECT_EQ(message.GetInfo("nothing", &type, &count), B_NAME_NOT_FOUND);

	char* name;
	EXPECT_EQ(message.GetInfo(B_STRING_TYPE, 0, &name, &type, &count), B_OK);
	EXPECT_STREQ(name, "name");
	EXPECT_EQ(message.GetInfo(B_STRING_TYPE, 1, &name, &type), B_BAD_INDEX);
	EXPECT_EQ(message.GetInfo(B_RECT_TYPE, 0, &name, &type), B_BAD_TYPE);
	EXPECT_EQ(message.GetInfo(B_ANY_TYPE, 1, &name, &type), B_OK);
	EXPECT_STREQ(name, "name");
	EXPECT_EQ(message.CountNames(B_ANY_TYPE), 2);
	EXPECT_EQ(message.CountNames(B_INT32_TYPE), 1);

	EXPECT_EQ(message.Rename("name", "count"), B_NAME_IN_USE);
	EXPECT_EQ(message.Rename("gone", "other"), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.Rename("name", "first"), B_OK);
	EXPECT_TRUE(message.HasString("first"));

	EXPECT_EQ(message.RemoveData("count", 5), B_BAD_INDEX);
	EXPECT_EQ(message.RemoveData("count", 0), B_OK);
	EXPECT_EQ(message.GetInt32("count", 0), 7);
	EXPECT_EQ(message.RemoveData("count", 0), B_OK);
	EXPECT_FALSE(message.HasInt32("count")) << "the last value takes the name";
	EXPECT_EQ(message.RemoveName("count"), B_NAME_NOT_FOUND);
	EXPECT_EQ(message.MakeEmpty(), B_OK);
	EXPECT_TRUE(message.IsEmpty());
	EXPECT_EQ(message.what, (uint32)'test');
}


TEST(BMessage, RefusesBadArgumentsAndMismatchedSizes)
{
	BMessage message;
	EXPECT_EQ(message.AddInt32(NULL, 1), B_BAD_VALUE);
	EXPECT_EQ(message.AddString("s", (const char*)NULL), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("raw", B_RAW_TYPE, "ab", 0), B_BAD_VALUE);
	EXPECT_EQ(message.AddData("int", B_INT32_TYPE, "ab", 2), B_BAD_VALUE)
		<< "a known type must have its size";
	EXPECT_EQ(message.AddData("fixed", 'FIXD', "abcd", 4, true), B_OK);
	EXPECT_EQ(message.AddData("fixed", 'FIXD', "abc", 3, true), B_BAD_VALUE);
	EXPECT_EQ(message.ReplaceData("fixed", 'FIXD', 0, "ab", 2), B_BAD_VALUE);
	std::string longName(300, 'n');
	EXPECT_EQ(message.AddBool(longName.c_str(), true), B_BAD_VALUE);
}


TEST(BMessage, SetReplacesFirstOrAdds)
{
	BMessage message;
	EXPECT_EQ(message.SetInt32("v", 1), B_OK);
	EXPECT_EQ(message.SetInt32("v", 2), B_OK);
	int32 count;
	message.GetInfo("v", NULL, &count);
	EXPECT_EQ(count, 1);
	EXPECT_EQ(message.GetInt32("v", 0), 2);
	EXPECT_EQ(message.SetString("v", "text"), B_BAD_TYPE);
	EXPECT_EQ(message.SetString("s", "long text"), B_OK);
	EXPECT_EQ(message.SetString("s", "x"), B_OK);
	EXPECT_STREQ(message.GetString("s"), "x");
}


TEST(BMessage, CopiesAreDeepAndNestedMessagesAreValues)
{
	BMessage inner('innr');
	inner.AddString("text", "inside");
	BMessage outer('outr');
	outer.AddMessage("inner", &inner);
	inner.ReplaceString("text", "changed");

	BMessage copy(outer);
	outer.MakeEmpty();
	BMessage found;
	ASSERT_EQ(copy.FindMessage("inner", &found), B_OK);
	EXPECT_EQ(found.what, (uint32)'innr');
	EXPECT_STREQ(found.GetString("text"), "inside");

	BMessage assigned;
	assigned = copy;
	EXPECT_TRUE(assigned.HasMessage("inner"));
	EXPECT_EQ(assigned.what, (uint32)'outr');
}


TEST(BMessage, SpecifierStack)
{
	BMessage message(B_GET_PROPERTY);
	int32 index;
	EXPECT_EQ(message.GetCurrentSpecifier(&index), B_BAD_SCRIPT_SYNTAX);
	EXPECT_FALSE(message.HasSpecifiers());
	message.AddSpecifier("Text");
	message.AddSpecifier("View", "lastrfid");
	message.AddSpecifier("Window", 0);

	BMessage specifier;
	int32 what;
	const char* property;
	ASSERT_EQ(message.GetCurrentSpecifier(&index, &specifier, &what, &property),
		B_OK);
	EXPECT_EQ(index, 2);
	EXPECT_EQ(what, B_INDEX_SPECIFIER);
	EXPECT_STREQ(property, "Window");
	EXPECT_EQ(specifier.GetInt32("index", -1), 0);

	EXPECT_EQ(message.PopSpecifier(), B_OK);
	message.GetCurrentSpecifier(&index, &specifier, &what, &property);
	EXPECT_EQ(what, B_NAME_SPECIFIER);
	EXPECT_STREQ(specifier.GetString("name"), "lastrfid");
	EXPECT_EQ(message.PopSpecifier(), B_OK);
	EXPECT_EQ(message.PopSpecifier(), B_OK);
	EXPECT_EQ(message.PopSpecifier(), B_BAD_VALUE);
	EXPECT_TRUE(message.HasSpecifiers());

	// The position survives flattening (hey sends such messages).
	message.SetCurrentSpecifier(1);
	BString flat;
	ASSERT_EQ(message.Flatten(&flat), B_OK);
	BMessage back;
	ASSERT_EQ(back.Unflatten(flat.String(), flat.Length()), B_OK);
	back.GetCurrentSpecifier(&index, &specifier, &what, &property);
	EXPECT_EQ(index, 1);
	EXPECT_STREQ(property, "View");
}


TEST(BMessage, PrintToStreamShape)
{
	BMessage inner('innr');
	inner.AddBool("flag", true);
	BMessage message('abcd');
	message.AddString("name", "hello");
	message.AddInt32("number", 42);
	message.AddInt32("list", -1);
	message.AddInt32("list", 7);
	message.AddInt8("byte", 'A');
	message.AddInt16("short", -2);
	message.AddInt64("big", 5000000000LL);
	message.AddFloat("float", 1.5f);
	message.AddDouble("double", 0.25);
	message.AddRect("frame", BRect(1, 2, 30, 40));
	message.AddPoint("where", BPoint(3, 4));
	message.AddMessage("inner", &inner);
	message.AddData("raw", B_RAW_TYPE, "xyz", 3);

	std::string output = CaptureOutput([&] { message.PrintToStream(); });
	EXPECT_EQ(output,
		"BMessage('abcd') {\n"
		"        name = string(\"hello\", 6 bytes)\n"
		"        number = int32(0x2a or 42)\n"
		"        list[0] = int32(0xffffffff or -1)\n"
		"        list[1] = int32(0x7 or 7)\n"
		"        byte = int8(0x41 or 65 or 'A')\n"
		"        short = int16(0xfffffffe or -2)\n"
		"        big = int64(0x12a05f200 or 5000000000)\n"
		"        float = float(1.5000)\n"
		"        double = double(0.25000000)\n"
		"        frame = BRect(l:1.0, t:2.0, r:30.0, b:40.0)\n"
		"        where = BPoint(x:3, y:4)\n"
		"        inner = BMessage('innr') {\n"
		"                flag = bool(true)\n"
		"        }\n"
		"        raw = (type = 'RAWT')(size = 3)\n"
		"}\n");

	BMessage unprintable(0x01020304);
	EXPECT_EQ(CaptureOutput([&] { unprintable.PrintToStream(); }),
		"BMessage(0x1020304) {\n}\n");
}
