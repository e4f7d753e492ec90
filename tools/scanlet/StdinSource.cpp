// Reading tags from standard input.
#include "StdinSource.h"


StdinSource::StdinSource(const BMessenger& target, int fd)
	:
	TagSource("stdin", target),
	fInput(fd),
	fReported(0)
{
}


status_t
StdinSource::_Open(BString&)
{
	fFD = fInput;
	fOwnsFD = false;
	return B_OK;
}


void
StdinSource::_Consume(const uint8* data, size_t size)
{
	std::vector<BString> tags;
	fLines.Feed((const char*)data, size, tags);
	_Pass(tags);
}


void
StdinSource::_Finish()
{
	std::vector<BString> tags;
	fLines.Finish(tags);
	_Pass(tags);
}


void
StdinSource::_Pass(std::vector<BString>& tags)
{
	for (const BString& tag : tags)
		_Deliver(tag.String());
	if (fLines.Refused() > fReported) {
		_Note("%d line(s) refused: longer than %d characters or not a tag",
			(int)(fLines.Refused() - fReported),
			(int)TagLineSplitter::kMaxTagLength);
		fReported = fLines.Refused();
	}
}
