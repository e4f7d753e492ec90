// Frames of serial reader modules: checksum, noise, pieces.
#include "SerialFrameParser.h"

#include <stdio.h>

#include <string>

#include <gtest/gtest.h>

namespace {

// A frame as a module sends it, with the checksum it computes.
std::string
Frame(const char* data, int checksumDelta = 0)
{
	unsigned sum = 0;
	for (int i = 0; i < 10; i += 2) {
		unsigned byte;
		sscanf(data + i, "%2x", &byte);
		sum ^= byte;
	}
	char checksum[3];
	snprintf(checksum, sizeof(checksum), "%02X", (sum + checksumDelta) & 0xff);
	return std::string("\x02") + data + checksum + "\x03";
}


std::vector<std::string>
Parse(SerialFrameParser& parser, const std::string& bytes)
{
	std::vector<BString> tags;
	parser.Feed(bytes.data(), bytes.size(), tags);
	std::vector<std::string> result;
	for (const BString& tag : tags)
		result.push_back(tag.String());
	return result;
}

}	// namespace


TEST(SerialFrameParser, GoodFramesGiveTheirTagsInUpperCase)
{
	SerialFrameParser parser;
	// 0x1A ^ 0x00 ^ 0x4F ^ 0x2B ^ 0x9C, written out by hand once.
	EXPECT_EQ(Frame("1A004F2B9C"), std::string("\x02" "1A004F2B9C" "E2\x03"));

	std::vector<std::string> tags = Parse(parser,
		Frame("1A004F2B9C") + Frame("0102030405") + Frame("abcdef0123"));
	EXPECT_EQ(tags, (std::vector<std::string>{ "1A004F2B9C", "0102030405",
		"ABCDEF0123" }));
	EXPECT_EQ(parser.BadChecksums(), 0);
}


TEST(SerialFrameParser, BadChecksumIsDroppedAndTheNextFrameRead)
{
	SerialFrameParser parser;
	std::vector<std::string> tags = Parse(parser,
		Frame("1A004F2B9C", 1) + Frame("0102030405"));
	EXPECT_EQ(tags, (std::vector<std::string>{ "0102030405" }));
	EXPECT_EQ(parser.BadChecksums(), 1);
}


TEST(SerialFrameParser, FindsItsWayBackAfterNoise)
{
	SerialFrameParser parser;
	std::string good = Frame("0102030405");
	std::string noise;
	// Stray bytes, an end byte alone, a frame cut short by a new start, a
	// frame with a non-hex character, one whose end byte is missing, and
	// one that is too long.
	noise += "zz\x03\xff\x00";
	noise.push_back('\0');
	noise += "\x02" "12345";
	noise += "\x02" "12G4567890AA\x03";
	noise += "\x02" "1234567890AAX";
	noise += "\x02" "1A004F2B9CE2" "0\x03";
	std::vector<std::string> tags = Parse(parser, noise + good + noise + good);
	EXPECT_EQ(tags, (std::vector<std::string>{ "0102030405", "0102030405" }));
	EXPECT_GE(parser.BrokenFrames(), 8);

	// A start byte inside a frame begins the frame anew.
	tags = Parse(parser, "\x02" "0102" + good);
	EXPECT_EQ(tags, (std::vector<std::string>{ "0102030405" }));
}


TEST(SerialFrameParser, FramesSplitAcrossReadsAtEveryPoint)
{
	std::string bytes = Frame("1A004F2B9C") + Frame("0102030405");
	for (size_t cut = 0; cut <= bytes.size(); cut++) {
		SerialFrameParser parser;
		std::vector<std::string> tags = Parse(parser, bytes.substr(0, cut));
		std::vector<std::string> rest = Parse(parser, bytes.substr(cut));
		tags.insert(tags.end(), rest.begin(), rest.end());
		EXPECT_EQ(tags, (std::vector<std::string>{ "1A004F2B9C",
			"0102030405" })) << "cut at " << cut;
	}

	// Byte by byte, as a slow line gives them.
	SerialFrameParser parser;
	std::vector<std::string> tags;
	for (char c : bytes) {
		std::vector<std::string> got = Parse(parser, std::string(1, c));
		tags.insert(tags.end(), got.begin(), got.end());
	}
	EXPECT_EQ(tags.size(), 2u);
}
