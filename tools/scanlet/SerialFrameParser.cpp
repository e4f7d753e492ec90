// Parser of the serial reader modules' frames.
#include "SerialFrameParser.h"

#include <ctype.h>


static int
hex_value(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	return -1;
}


SerialFrameParser::SerialFrameParser()
	:
	fLength(0),
	fInFrame(false),
	fBadChecksums(0),
	fBrokenFrames(0)
{
}


void
SerialFrameParser::Reset()
{
	fLength = 0;
	fInFrame = false;
}


void
SerialFrameParser::Feed(const void* data, size_t size,
	std::vector<BString>& tags)
{
	const uint8* bytes = (const uint8*)data;
	for (size_t i = 0; i < size; i++) {
		uint8 byte = bytes[i];
		// A start byte always begins a new frame, so a frame cut short by
		// noise never swallows the next good one.
		if (byte == kSTX) {
			if (fInFrame)
				fBrokenFrames++;
			fInFrame = true;
			fLength = 0;
			continue;
		}
		if (!fInFrame)
			continue;

		if (fLength == kDataLength + kChecksumLength) {
			if (byte == kETX)
				_FrameDone(tags);
			else
				fBrokenFrames++;
			Reset();
			continue;
		}
		if (hex_value((char)byte) < 0) {
			fBrokenFrames++;
			Reset();
			continue;
		}
		fBody[fLength++] = (char)byte;
	}
}


void
SerialFrameParser::_FrameDone(std::vector<BString>& tags)
{
	uint8 sum = 0;
	for (int32 i = 0; i < kDataLength; i += 2)
		sum ^= (uint8)(hex_value(fBody[i]) << 4 | hex_value(fBody[i + 1]));
	uint8 expected = (uint8)(hex_value(fBody[kDataLength]) << 4
		| hex_value(fBody[kDataLength + 1]));
	if (sum != expected) {
		fBadChecksums++;
		return;
	}

	char tag[kDataLength + 1];
	for (int32 i = 0; i < kDataLength; i++)
		tag[i] = (char)toupper((unsigned char)fBody[i]);
	tag[kDataLength] = '\0';
	tags.push_back(BString(tag));
}
