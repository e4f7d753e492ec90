// The readers of typed tags on hostile bytes: key events of a keyboard-wedge
// reader and lines of tags, each fed whole and in pieces. Both ways must
// give the same result, and every tag passed on must be a plain file name.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "ScanletOptions.h"
#include "TagLineSplitter.h"
#include "WedgeKeyDecoder.h"
#include "FuzzSupport.h"


static void
split(const char* data, size_t size, size_t piece, std::vector<BString>& tags,
	int32& refused)
{
	TagLineSplitter splitter;
	for (size_t offset = 0; offset < size; offset += piece)
		splitter.Feed(data + offset, size - offset < piece ? size - offset
			: piece, tags);
	splitter.Finish(tags);
	refused = splitter.Refused();
	for (const BString& tag : tags)
		check(is_acceptable_tag(tag.String()));
}


static void
same_tags(const std::vector<BString>& a, const std::vector<BString>& b)
{
	check(a.size() == b.size());
	for (size_t i = 0; i < a.size(); i++)
		check(strcmp(a[i].String(), b[i].String()) == 0);
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	// The first byte chooses the size of the pieces.
	size_t piece = data[0] % 32 + 1;
	data++;
	size--;

	// Lines of tags, as standard input gives them.
	std::vector<BString> whole, pieces;
	int32 refusedWhole, refusedPieces;
	split((const char*)data, size, size + 1, whole, refusedWhole);
	split((const char*)data, size, piece, pieces, refusedPieces);
	same_tags(whole, pieces);
	check(refusedWhole == refusedPieces);

	// The same bytes as key events; what they type splits into tags too.
	WedgeKeyDecoder once, parts;
	BString typed, typedInParts;
	once.Feed(data, size, typed);
	for (size_t offset = 0; offset < size; offset += piece)
		parts.Feed(data + offset, size - offset < piece ? size - offset
			: piece, typedInParts);
	check(typed == typedInParts);
	std::vector<BString> typedTags;
	int32 refusedTyped;
	split(typed.String(), typed.Length(), 7, typedTags, refusedTyped);

	// The start of the bytes as a number of seconds.
	std::string text((const char*)data, size < 32 ? size : 32);
	bigtime_t seconds = -1;
	if (parse_seconds(text.c_str(), &seconds))
		check(seconds >= 0 && seconds <= 3600000000LL);
	return 0;
}
