// Serial frame parser: any bytes, in any pieces, give the same tags as in
// one piece, and every tag is ten upper-case hex characters.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "SerialFrameParser.h"


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	// The first byte chooses the size of the pieces.
	size_t piece = data[0] % 16 + 1;
	data++;
	size--;

	SerialFrameParser whole;
	std::vector<BString> expected;
	whole.Feed(data, size, expected);

	SerialFrameParser pieces;
	std::vector<BString> tags;
	for (size_t offset = 0; offset < size; offset += piece)
		pieces.Feed(data + offset, size - offset < piece ? size - offset : piece,
			tags);

	if (tags.size() != expected.size())
		abort();
	for (size_t i = 0; i < tags.size(); i++) {
		if (strcmp(tags[i].String(), expected[i].String()) != 0)
			abort();
		if (tags[i].Length() != SerialFrameParser::kDataLength)
			abort();
		for (int32 c = 0; c < tags[i].Length(); c++) {
			char ch = tags[i].String()[c];
			if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F')))
				abort();
		}
	}
	if (pieces.BadChecksums() != whole.BadChecksums()
		|| pieces.BrokenFrames() != whole.BrokenFrames())
		abort();
	return 0;
}
