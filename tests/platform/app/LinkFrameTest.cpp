// The frame reader of the links between programs.
#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <Message.h>

#include "LinkFrame.h"

using namespace BPrivate;


TEST(LinkFrameTest, FramesSurviveAnySplitOfTheStream)
{
	BMessage first('abcd');
	first.AddString("text", "hello");
	BMessage second('efgh');
	second.AddInt32("n", 7);
	std::string stream;
	ASSERT_EQ(append_frame(stream, kFrameRequest, 9, 42, first), B_OK);
	ASSERT_EQ(append_frame(stream, kFrameReply, 9, -1, second), B_OK);

	// Byte by byte, the frames come out whole and in order.
	LinkFrameReader reader;
	std::vector<LinkFrame> frames;
	for (char byte : stream)
		ASSERT_EQ(reader.Feed(&byte, 1, frames), B_OK);
	ASSERT_EQ(frames.size(), 2u);
	EXPECT_EQ(frames[0].kind, (uint32)kFrameRequest);
	EXPECT_EQ(frames[0].replyId, 9u);
	EXPECT_EQ(frames[0].looperToken, 42);
	EXPECT_STREQ(frames[0].message->GetString("text", ""), "hello");
	EXPECT_EQ(frames[1].kind, (uint32)kFrameReply);
	EXPECT_EQ(frames[1].message->GetInt32("n", 0), 7);
	EXPECT_EQ(reader.Pending(), 0u);
}


TEST(LinkFrameTest, BadStreamsBreakAtOnce)
{
	BMessage message('abcd');
	std::string good;
	ASSERT_EQ(append_frame(good, kFrameMessage, 0, 1, message), B_OK);

	// A length over the cap is refused from its four bytes alone, without
	// waiting for (or buffering) the rest.
	std::vector<LinkFrame> frames;
	LinkFrameReader huge;
	uint32 length = kMaxFrameSize + 1;
	EXPECT_EQ(huge.Feed(&length, 4, frames), B_BAD_DATA);
	EXPECT_TRUE(huge.IsBroken());
	EXPECT_EQ(huge.Feed(good.data(), good.size(), frames), B_BAD_DATA);

	LinkFrameReader tiny;
	length = 3;
	EXPECT_EQ(tiny.Feed(&length, 4, frames), B_BAD_DATA);

	std::string badKind = good;
	badKind[4] = 9;
	LinkFrameReader kind;
	EXPECT_EQ(kind.Feed(badKind.data(), 8, frames), B_BAD_DATA);

	// A message that does not unflatten, or that does not fill its frame.
	std::string badMessage = good;
	badMessage[16] ^= 0x55;
	LinkFrameReader garbled;
	EXPECT_EQ(garbled.Feed(badMessage.data(), badMessage.size(), frames),
		B_BAD_DATA);
	std::string longer = good;
	uint32 longerLength;
	memcpy(&longerLength, longer.data(), 4);
	longerLength += 4;
	memcpy(&longer[0], &longerLength, 4);
	longer.append(4, '\0');
	LinkFrameReader padded;
	EXPECT_EQ(padded.Feed(longer.data(), longer.size(), frames), B_BAD_DATA);
	EXPECT_TRUE(frames.empty());

	// Too big to send at all.
	BMessage big('big ');
	std::string data(kMaxFrameSize, 'x');
	big.AddData("data", B_RAW_TYPE, data.data(), data.size());
	std::string out;
	EXPECT_NE(append_frame(out, kFrameMessage, 0, 1, big), B_OK);
	EXPECT_TRUE(out.empty());
}


TEST(LinkFrameTest, PointerFieldsAreFoundAtAnyDepth)
{
	BMessage plain('abcd');
	plain.AddInt32("n", 1);
	EXPECT_FALSE(has_pointer_fields(plain));

	BMessage inner('innr');
	inner.AddPointer("p", &plain);
	BMessage middle('midl');
	middle.AddMessage("inner", &inner);
	BMessage outer('outr');
	outer.AddInt32("n", 1);
	outer.AddMessage("a", &plain);
	outer.AddMessage("a", &middle);
	EXPECT_TRUE(has_pointer_fields(outer));

	std::string stream;
	ASSERT_EQ(append_frame(stream, kFrameMessage, 0, 1, outer), B_OK);
	LinkFrameReader reader;
	std::vector<LinkFrame> frames;
	ASSERT_EQ(reader.Feed(stream.data(), stream.size(), frames), B_OK);
	ASSERT_EQ(frames.size(), 1u);
	EXPECT_TRUE(frames[0].hasPointers);
}
