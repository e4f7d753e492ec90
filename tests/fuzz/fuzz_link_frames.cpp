// Feeds arbitrary bytes to the frame reader of the links between programs,
// in two pieces split where the first byte says. Whatever it gives back must
// be a whole frame again, and feeding the same bytes at once must give the
// same frames.
#include <stdint.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include <Message.h>

#include "LinkFrame.h"

using BPrivate::LinkFrame;
using BPrivate::LinkFrameReader;


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	if (size < 1)
		return 0;
	size_t split = data[0] % size;
	data++;
	size--;
	if (split > size)
		split = size;

	LinkFrameReader pieces;
	std::vector<LinkFrame> first;
	status_t status = pieces.Feed(data, split, first);
	if (status == B_OK)
		status = pieces.Feed(data + split, size - split, first);

	LinkFrameReader whole;
	std::vector<LinkFrame> second;
	status_t wholeStatus = whole.Feed(data, size, second);
	if ((status == B_OK) != (wholeStatus == B_OK))
		abort();
	if (status == B_OK && first.size() != second.size())
		abort();

	for (const LinkFrame& frame : first) {
		std::string again;
		if (BPrivate::append_frame(again, frame.kind, frame.replyId,
				frame.looperToken, *frame.message) != B_OK)
			abort();
		LinkFrameReader check;
		std::vector<LinkFrame> frames;
		if (check.Feed(again.data(), again.size(), frames) != B_OK
			|| frames.size() != 1 || check.Pending() != 0)
			abort();
	}
	return 0;
}
