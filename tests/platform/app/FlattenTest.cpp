#include <Message.h>

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <Entry.h>
#include <Looper.h>
#include <Messenger.h>

#include <gtest/gtest.h>

namespace {

std::vector<char>
Flat(const BMessage& message)
{
	std::vector<char> buffer(message.FlattenedSize());
	EXPECT_EQ(message.Flatten(buffer.data(), buffer.size()), B_OK);
	return buffer;
}


BMessage
Sample()
{
	BMessage inner('innr');
	inner.AddString("deep", "value");
	BMessage message('smpl');
	message.AddString("string", "Grüße");
	message.AddString("string", "");
	message.AddInt8("int8", -8);
	message.AddInt16("int16", -1600);
	message.AddInt32("int32", -320000);
	message.AddInt64("int64", -6400000000LL);
	message.AddUInt32("uint32", 4000000000U);
	message.AddBool("bool", true);
	message.AddBool("bool", false);
	message.AddFloat("float", 3.25f);
	message.AddDouble("double", -1e300);
	message.AddRect("rect", BRect(0, 0, 400, 525));
	message.AddPoint("point", BPoint(-5.5f, 7));
	message.AddPointer("pointer", &message);
	message.AddColor("color", make_color(1, 2, 3, 4));
	message.AddMessage("message", &inner);
	message.AddData("raw", B_RAW_TYPE, "\0\1\2", 3, false);
	message.AddData("raw", B_RAW_TYPE, "longer raw", 10, false);
	return message;
}

}	// namespace


TEST(Flatten, RoundTripKeepsEveryTypeAndOrder)
{
	BMessage original = Sample();
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path("/tmp/some file;name", &ref), B_OK);
	ASSERT_EQ(original.AddRef("ref", &ref), B_OK);
	BLooper* looper = new BLooper("target");
	BMessenger messenger(looper);
	ASSERT_TRUE(messenger.IsValid());
	original.AddMessenger("messenger", messenger);

	std::vector<char> flat = Flat(original);
	EXPECT_EQ((ssize_t)flat.size(), original.FlattenedSize());
	BMessage copy;
	ASSERT_EQ(copy.Unflatten(flat.data(), flat.size()), B_OK);
	EXPECT_EQ(copy.what, (uint32)'smpl');
	EXPECT_EQ(copy.CountNames(B_ANY_TYPE), original.CountNames(B_ANY_TYPE));
	for (int32 i = 0; i < original.CountNames(B_ANY_TYPE); i++) {
		char* a;
		char* b;
		type_code typeA, typeB;
		original.GetInfo(B_ANY_TYPE, i, &a, &typeA);
		copy.GetInfo(B_ANY_TYPE, i, &b, &typeB);
		EXPECT_STREQ(a, b) << "fields keep their order";
		EXPECT_EQ(typeA, typeB);
	}

	EXPECT_STREQ(copy.GetString("string", 0, NULL), "Grüße");
	EXPECT_STREQ(copy.GetString("string", 1, NULL), "");
	EXPECT_EQ(copy.GetInt8("int8", 0), -8);
	EXPECT_EQ(copy.GetInt16("int16", 0), -1600);
	EXPECT_EQ(copy.GetInt32("int32", 0), -320000);
	EXPECT_EQ(copy.GetInt64("int64", 0), -6400000000LL);
	EXPECT_EQ(copy.GetUInt32("uint32", 0), 4000000000U);
	bool flag = false;
	EXPECT_EQ(copy.FindBool("bool", 1, &flag), B_OK);
	EXPECT_FALSE(flag);
	EXPECT_TRUE(copy.GetBool("bool"));
	EXPECT_EQ(copy.GetFloat("float", 0), 3.25f);
	EXPECT_EQ(copy.GetDouble("double", 0), -1e300);
	EXPECT_EQ(copy.GetRect("rect", BRect()), BRect(0, 0, 400, 525));
	EXPECT_EQ(copy.GetPoint("point", BPoint()), BPoint(-5.5f, 7));
	void* pointer = NULL;
	EXPECT_EQ(copy.FindPointer("pointer", &pointer), B_OK);
	EXPECT_EQ(pointer, (void*)&original);
	rgb_color color;
	EXPECT_EQ(copy.FindColor("color", &color), B_OK);
	EXPECT_EQ(color, make_color(1, 2, 3, 4));
	BMessage inner;
	EXPECT_EQ(copy.FindMessage("message", &inner), B_OK);
	EXPECT_STREQ(inner.GetString("deep"), "value");
	const void* data;
	ssize_t size;
	EXPECT_EQ(copy.FindData("raw", B_RAW_TYPE, 1, &data, &size), B_OK);
	EXPECT_EQ(std::string((const char*)data, size), "longer raw");
	EXPECT_EQ(copy.FindData("raw", B_RAW_TYPE, 0, &data, &size), B_OK);
	EXPECT_EQ(size, 3);
	EXPECT_EQ(memcmp(data, "\0\1\2", 3), 0);

	entry_ref foundRef;
	ASSERT_EQ(copy.FindRef("ref", &foundRef), B_OK);
	EXPECT_STREQ(foundRef.name, "some file;name");
	EXPECT_EQ(foundRef, ref);
	BMessenger foundMessenger;
	ASSERT_EQ(copy.FindMessenger("messenger", &foundMessenger), B_OK);
	EXPECT_EQ(foundMessenger, messenger);
	EXPECT_TRUE(foundMessenger.IsValid());

	// Flattening the copy again gives the same bytes.
	EXPECT_EQ(Flat(copy), flat);

	// The variant that reads the size from the buffer.
	BMessage trusting;
	EXPECT_EQ(trusting.Unflatten(flat.data()), B_OK);
	EXPECT_EQ(trusting.CountNames(B_ANY_TYPE), copy.CountNames(B_ANY_TYPE));

	looper->Lock();
	looper->Quit();
	EXPECT_FALSE(foundMessenger.IsValid());
}


TEST(Flatten, RefusesTruncatedAndOverlongInputWithoutTouchingTheMessage)
{
	std::vector<char> flat = Flat(Sample());
	BMessage message('keep');
	message.AddInt32("kept", 1);
	for (size_t length = 0; length < flat.size(); length++) {
		// A copy of exactly this length, so that the sanitizers see any
		// read beyond it.
		std::vector<char> part(flat.begin(), flat.begin() + length);
		EXPECT_NE(message.Unflatten(part.data(), part.size()), B_OK)
			<< "length " << length;
	}
	EXPECT_EQ(message.what, (uint32)'keep');
	EXPECT_EQ(message.GetInt32("kept", 0), 1);

	// Trailing bytes beyond the size written in the header are ignored,
	// but the header may not claim more than there is.
	std::vector<char> longer(flat);
	longer.resize(flat.size() + 16, 'x');
	EXPECT_EQ(message.Unflatten(longer.data(), longer.size()), B_OK);
	EXPECT_EQ(message.Unflatten(flat.data(), 3), B_BAD_DATA);
	EXPECT_EQ(message.Unflatten(NULL, 10), B_BAD_VALUE);

	std::vector<char> garbage(64, 'g');
	EXPECT_EQ(message.Unflatten(garbage.data(), garbage.size()),
		B_NOT_A_MESSAGE);
}


TEST(Flatten, SurvivesEveryFlippedByte)
{
	std::vector<char> flat = Flat(Sample());
	for (size_t i = 0; i < flat.size(); i++) {
		for (unsigned char value : { 0x00, 0x7f, 0x80, 0xff }) {
			std::vector<char> bad(flat);
			bad[i] = (char)value;
			BMessage message;
			if (message.Unflatten(bad.data(), bad.size()) != B_OK)
				continue;
			// Whatever was accepted must be usable throughout.
			std::vector<char> again(message.FlattenedSize());
			EXPECT_EQ(message.Flatten(again.data(), again.size()), B_OK);
			BMessage nested;
			message.FindMessage("message", &nested);
			const char* text;
			message.FindString("string", &text);
		}
	}
}


namespace {

// A flat message of one field whose header claims what the caller says.
std::vector<char>
HandMade(uint32 fieldCount, uint32 type, uint8 flags, uint16 nameLength,
	uint32 count, uint32 itemSize, const std::string& tail)
{
	std::vector<char> flat = Flat(BMessage('hand'));
	auto put32 = [&](uint32 value) {
		for (int i = 0; i < 4; i++)
			flat.push_back((char)(value >> (8 * i)));
	};
	memcpy(&flat[16], &fieldCount, 4);
	put32(type);
	flat.push_back((char)flags);
	flat.push_back(0);
	flat.push_back((char)nameLength);
	flat.push_back((char)(nameLength >> 8));
	put32(count);
	if (flags & 1)
		put32(itemSize);
	flat.insert(flat.end(), tail.begin(), tail.end());
	uint32 size = flat.size();
	memcpy(&flat[4], &size, 4);
	return flat;
}

}	// namespace


TEST(Flatten, RefusesLyingCountsSizesAndTypes)
{
	BMessage message;
	std::vector<char> flat;

	// A sane hand-made message is accepted, so the others fail for their
	// one lie.
	flat = HandMade(1, B_INT32_TYPE, 1, 1, 1, 4, std::string("n\x2a\0\0\0", 5));
	ASSERT_EQ(message.Unflatten(flat.data(), flat.size()), B_OK);
	EXPECT_EQ(message.GetInt32("n", 0), 42);

	// A billion items, or a huge item size, must not be believed (nor
	// allocated).
	flat = HandMade(1, B_INT32_TYPE, 1, 1, 1000000000, 4, "n1234");
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	flat = HandMade(1, B_RAW_TYPE, 1, 1, 2, 0x80000000, "nxxxx");
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	flat = HandMade(1, B_RAW_TYPE, 0, 1, 0x40000000, 0, "n");
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	flat = HandMade(1, B_RAW_TYPE, 0, 1, 1, 0, std::string("n\xff\xff\xff\x7f", 5));
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	flat = HandMade(100000, B_INT32_TYPE, 1, 1, 1, 4, "n1234");
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	// A name longer than the bytes, or with a terminator inside.
	flat = HandMade(1, B_INT32_TYPE, 1, 60000, 1, 4, "n1234");
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	flat = HandMade(1, B_INT32_TYPE, 1, 2, 1, 4, std::string("n\0" "1234", 6));
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	// A known type with the wrong size; a string without its terminator.
	flat = HandMade(1, B_INT32_TYPE, 1, 1, 1, 2, "n12");
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	flat = HandMade(1, B_STRING_TYPE, 0, 1, 1, 0, std::string("n\3\0\0\0abc", 8));
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	// A nested message that is not one.
	flat = HandMade(1, B_MESSAGE_TYPE, 0, 1, 1, 0, std::string("n\4\0\0\0abcd", 9));
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	// Too many values for their bytes to be worth the memory they would
	// take; as many in several fields, too.
	flat = HandMade(1, B_RAW_TYPE, 1, 1, 300000, 1,
		"n" + std::string(300000, 'v'));
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
	flat = HandMade(1, B_RAW_TYPE, 1, 1, 200000, 1,
		"n" + std::string(200000, 'v'));
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_OK);
	// The same name twice.
	BMessage twice;
	twice.AddInt32("a", 1);
	twice.AddInt32("b", 2);
	flat = Flat(twice);
	for (size_t i = 0; i + 1 < flat.size(); i++) {
		if (flat[i] == 'b' && flat[i + 1] == 2)
			flat[i] = 'a';
	}
	EXPECT_EQ(message.Unflatten(flat.data(), flat.size()), B_BAD_DATA);
}


TEST(Flatten, LimitsNestingDepth)
{
	BMessage message('lvl0');
	for (int i = 0; i < 40; i++) {
		BMessage outer('nest');
		outer.AddMessage("inner", &message);
		message = outer;
	}
	std::vector<char> flat = Flat(message);
	BMessage back;
	EXPECT_EQ(back.Unflatten(flat.data(), flat.size()), B_BAD_DATA);

	BMessage shallow('lvl0');
	for (int i = 0; i < 10; i++) {
		BMessage outer('nest');
		outer.AddMessage("inner", &shallow);
		shallow = outer;
	}
	flat = Flat(shallow);
	EXPECT_EQ(back.Unflatten(flat.data(), flat.size()), B_OK);
}
