// Tags typed as lines, as keyboard-wedge readers and scripts give them:
// one tag per line, ended by LF or CR LF. Blanks around a tag are dropped,
// empty lines are skipped, and a line longer than the limit is refused
// whole (it is noise or a stuck key, not a tag).
#ifndef TAG_LINE_SPLITTER_H
#define TAG_LINE_SPLITTER_H

#include <vector>

#include <String.h>
#include <SupportDefs.h>

class TagLineSplitter {
public:
	static	constexpr int32	kMaxTagLength = 64;

							TagLineSplitter(int32 maxLength = kMaxTagLength);

	// Appends every finished line's tag to tags. A line that is too long
	// or holds characters a tag may not have counts in Refused().
			void			Feed(const char* data, size_t size,
								std::vector<BString>& tags);
	// The end of the input: a last line without its line end still counts.
			void			Finish(std::vector<BString>& tags);

			int32			Refused() const { return fRefused; }

private:
			void			_LineDone(std::vector<BString>& tags);

			int32			fMaxLength;
			BString			fLine;
			bool			fOverlong;
			bool			fZeroByte;
			int32			fRefused;
};

// Whether text can be passed on as a tag: not empty, at most
// TagLineSplitter::kMaxTagLength bytes, no control characters and no '/',
// and not "." or "..". The application names a file after every tag, so a
// tag must always be a plain file name.
bool is_acceptable_tag(const char* tag);

#endif	// TAG_LINE_SPLITTER_H
