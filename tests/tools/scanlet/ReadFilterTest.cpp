// Debouncing, lines of tags and keyboard-wedge key codes.
#include "TagDebouncer.h"
#include "TagLineSplitter.h"
#include "WedgeKeyDecoder.h"

#include <string.h>

#include <string>

#include <gtest/gtest.h>

namespace {

const bigtime_t kSecond = 1000000;


std::vector<std::string>
Lines(TagLineSplitter& lines, const std::string& text, bool finish = false)
{
	std::vector<BString> tags;
	lines.Feed(text.data(), text.size(), tags);
	if (finish)
		lines.Finish(tags);
	std::vector<std::string> result;
	for (const BString& tag : tags)
		result.push_back(tag.String());
	return result;
}


struct input_event
Key(uint16 code, int32 value)
{
	struct input_event event;
	memset(&event, 0, sizeof(event));
	event.type = EV_KEY;
	event.code = code;
	event.value = value;
	return event;
}

}	// namespace


TEST(TagDebouncer, SameTagWithinTheWindowIsOneRead)
{
	TagDebouncer debouncer(1500000);
	EXPECT_TRUE(debouncer.Accept("A", 10 * kSecond));
	EXPECT_FALSE(debouncer.Accept("A", 11 * kSecond));
	// Another tag is a read of its own.
	EXPECT_TRUE(debouncer.Accept("B", 11 * kSecond));
	// 1.5 s after the last sighting the same tag counts again.
	EXPECT_TRUE(debouncer.Accept("A", 12 * kSecond + 500000));
}


TEST(TagDebouncer, HeldCardAndTwoCardsInTheFieldCountOnce)
{
	TagDebouncer debouncer(1500000);
	int reads = 0;
	// A module repeats the frame every 100 ms while a card is held; two
	// cards held together alternate.
	for (bigtime_t t = 0; t < 5 * kSecond; t += 100000) {
		reads += debouncer.Accept("A", t);
		reads += debouncer.Accept("B", t + 50000);
	}
	EXPECT_EQ(reads, 2);

	// Many other tags in between do not make A forget its sighting.
	for (int i = 0; i < 200; i++)
		debouncer.Accept(std::to_string(i).c_str(), 5 * kSecond);
	EXPECT_FALSE(debouncer.Accept("A", 5 * kSecond + 100000));
}


TEST(TagDebouncer, ZeroWindowLetsEverySightingThrough)
{
	TagDebouncer debouncer(0);
	EXPECT_TRUE(debouncer.Accept("A", 0));
	EXPECT_TRUE(debouncer.Accept("A", 0));
}


TEST(TagLineSplitter, LinesBlankLinesAndLineEnds)
{
	TagLineSplitter lines;
	EXPECT_EQ(Lines(lines, "0004567\n\n   \r\n  0008 \r\nlast"),
		(std::vector<std::string>{ "0004567", "0008" }));
	// A line broken over two reads, and a last line without its end.
	EXPECT_EQ(Lines(lines, "\nsplit"), (std::vector<std::string>{ "last" }));
	EXPECT_EQ(Lines(lines, "ted\nend", true),
		(std::vector<std::string>{ "splitted", "end" }));
	EXPECT_EQ(lines.Refused(), 0);
}


TEST(TagLineSplitter, OverlongAndUnsafeLinesAreRefused)
{
	TagLineSplitter lines;
	std::string longLine(TagLineSplitter::kMaxTagLength + 1, '7');
	std::string longest(TagLineSplitter::kMaxTagLength, '7');
	EXPECT_EQ(Lines(lines, longLine + "\n" + longest + "\nok\n"),
		(std::vector<std::string>{ longest, "ok" }));
	EXPECT_EQ(lines.Refused(), 1);

	// Far too long, over several reads: refused whole, nothing of it left
	// over for the next line.
	std::string piece(1000, 'x');
	EXPECT_TRUE(Lines(lines, piece).empty());
	EXPECT_TRUE(Lines(lines, piece).empty());
	EXPECT_EQ(Lines(lines, "yy\nnext\n"), (std::vector<std::string>{ "next" }));
	EXPECT_EQ(lines.Refused(), 2);

	// Tags name files of the application: no paths, no control bytes.
	EXPECT_TRUE(Lines(lines, "../../etc/x\n..\nab\x01" "c\n").empty());
	EXPECT_EQ(lines.Refused(), 5);
	EXPECT_TRUE(is_acceptable_tag("0004567-A b"));
	EXPECT_FALSE(is_acceptable_tag(""));
	EXPECT_FALSE(is_acceptable_tag("."));
	EXPECT_FALSE(is_acceptable_tag("a/b"));
}


TEST(TagLineSplitter, ALineWithAZeroByteIsRefusedHoweverItIsCut)
{
	// Once the bytes came at once and the zero hid what followed; in two
	// reads the rest was a line of its own.
	const std::string line("\0;77\n", 5);
	TagLineSplitter whole;
	EXPECT_EQ(Lines(whole, line + "0008\n"),
		(std::vector<std::string>{ "0008" }));
	EXPECT_EQ(whole.Refused(), 1);

	TagLineSplitter pieces;
	EXPECT_TRUE(Lines(pieces, line.substr(0, 2)).empty());
	EXPECT_EQ(Lines(pieces, line.substr(2) + "0008\n"),
		(std::vector<std::string>{ "0008" }));
	EXPECT_EQ(pieces.Refused(), 1);

	// At the end of the input too.
	TagLineSplitter last;
	EXPECT_TRUE(Lines(last, std::string("12\0" "34", 5), true).empty());
	EXPECT_EQ(last.Refused(), 1);
}


TEST(WedgeKeyDecoder, KeysBecomeTheTypedLine)
{
	std::vector<struct input_event> events;
	auto press = [&](uint16 code) {
		events.push_back(Key(code, 1));
		events.push_back(Key(code, 0));
	};
	press(KEY_0);
	press(KEY_1);
	press(KEY_KP9);
	events.push_back(Key(KEY_LEFTSHIFT, 1));
	press(KEY_A);
	events.push_back(Key(KEY_LEFTSHIFT, 0));
	press(KEY_B);
	// Auto-repeat and other event kinds type nothing.
	events.push_back(Key(KEY_C, 2));
	struct input_event sync = Key(0, 0);
	sync.type = EV_SYN;
	events.push_back(sync);
	press(KEY_F1);
	press(KEY_ENTER);

	// Fed in odd pieces, as a read may return them.
	WedgeKeyDecoder decoder;
	BString text;
	const uint8* bytes = (const uint8*)events.data();
	size_t size = events.size() * sizeof(struct input_event);
	for (size_t offset = 0; offset < size; offset += 7)
		decoder.Feed(bytes + offset, size - offset < 7 ? size - offset : 7, text);
	EXPECT_STREQ(text.String(), "019Ab\n");

	EXPECT_EQ(WedgeKeyDecoder::CharacterFor(KEY_M, false), 'm');
	EXPECT_EQ(WedgeKeyDecoder::CharacterFor(KEY_P, true), 'P');
	EXPECT_EQ(WedgeKeyDecoder::CharacterFor(KEY_KPENTER, false), '\n');
}
