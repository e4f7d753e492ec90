// Lines of tags from standard input and keyboard-wedge readers.
#include "TagLineSplitter.h"

#include <string.h>


bool
is_acceptable_tag(const char* tag)
{
	if (tag == NULL)
		return false;
	size_t length = strlen(tag);
	if (length == 0 || length > (size_t)TagLineSplitter::kMaxTagLength)
		return false;
	if (strcmp(tag, ".") == 0 || strcmp(tag, "..") == 0)
		return false;
	for (size_t i = 0; i < length; i++) {
		unsigned char c = (unsigned char)tag[i];
		if (c < 0x20 || c == 0x7f || c == '/')
			return false;
	}
	return true;
}


TagLineSplitter::TagLineSplitter(int32 maxLength)
	:
	fMaxLength(maxLength),
	fOverlong(false),
	fZeroByte(false),
	fRefused(0)
{
}


void
TagLineSplitter::Feed(const char* data, size_t size,
	std::vector<BString>& tags)
{
	size_t start = 0;
	for (size_t i = 0; i <= size; i++) {
		bool lineEnd = i < size && data[i] == '\n';
		if (!lineEnd && i < size)
			continue;
		// The piece up to here belongs to the current line; a line that
		// is already too long only waits for its end.
		size_t length = i - start;
		// A zero byte is no character of a tag, and the text would end
		// there: the whole line goes, however the input was cut.
		if (memchr(data + start, '\0', length) != NULL)
			fZeroByte = true;
		if (!fOverlong) {
			if (fLine.Length() + (int32)length > fMaxLength + 2) {
				fOverlong = true;
				fLine = "";
			} else
				fLine.Append(data + start, (int32)length);
		}
		if (lineEnd)
			_LineDone(tags);
		start = i + 1;
	}
}


void
TagLineSplitter::Finish(std::vector<BString>& tags)
{
	if (fOverlong || fZeroByte || fLine.Length() > 0)
		_LineDone(tags);
}


void
TagLineSplitter::_LineDone(std::vector<BString>& tags)
{
	bool refused = fOverlong || fZeroByte;
	BString line = fLine;
	fLine = "";
	fOverlong = false;
	fZeroByte = false;
	if (refused) {
		fRefused++;
		return;
	}

	// Blanks and the CR of CR LF go.
	int32 first = 0;
	int32 end = line.Length();
	const char* text = line.String();
	while (first < end && (text[first] == ' ' || text[first] == '\t'))
		first++;
	while (end > first && (text[end - 1] == ' ' || text[end - 1] == '\t'
			|| text[end - 1] == '\r'))
		end--;
	if (end == first)
		return;

	BString tag(text + first, end - first);
	if (tag.Length() > fMaxLength || !is_acceptable_tag(tag.String())) {
		fRefused++;
		return;
	}
	tags.push_back(tag);
}
