// The frames of 125 kHz serial reader modules: STX, ten hex characters of
// tag data, two hex characters of checksum (the XOR of the five data
// bytes), ETX. The parser takes bytes as they come off the line, in pieces
// of any size, and finds its way back into step after noise.
#ifndef SERIAL_FRAME_PARSER_H
#define SERIAL_FRAME_PARSER_H

#include <vector>

#include <String.h>
#include <SupportDefs.h>

class SerialFrameParser {
public:
	static	constexpr uint8	kSTX = 0x02;
	static	constexpr uint8	kETX = 0x03;
	static	constexpr int32	kDataLength = 10;
	static	constexpr int32	kChecksumLength = 2;

							SerialFrameParser();

	// Appends the tag of every complete frame with a good checksum to tags,
	// as its ten hex characters in upper case.
			void			Feed(const void* data, size_t size,
								std::vector<BString>& tags);
			void			Reset();

	// What was thrown away so far.
			int32			BadChecksums() const { return fBadChecksums; }
			int32			BrokenFrames() const { return fBrokenFrames; }

private:
			void			_FrameDone(std::vector<BString>& tags);

			char			fBody[kDataLength + kChecksumLength];
			int32			fLength;
			bool			fInFrame;
			int32			fBadChecksums;
			int32			fBrokenFrames;
};

#endif	// SERIAL_FRAME_PARSER_H
