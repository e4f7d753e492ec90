// Frames of the links between programs: a length word, then the frame's
// kind, a reply id, the target looper's token and a flattened message.
// The reader takes the bytes of a stream as they come and gives back whole
// frames; anything that does not parse breaks the stream for good.
#ifndef _LINK_FRAME_H
#define _LINK_FRAME_H

#include <memory>
#include <string>
#include <vector>

#include <SupportDefs.h>

class BMessage;

namespace BPrivate {

enum {
	// A message that wants no answer.
	kFrameMessage = 1,
	// A message whose sender waits for the reply with the frame's id.
	kFrameRequest = 2,
	// The answer to the request with the frame's id.
	kFrameReply = 3,
	// An answer to the request with the frame's id whose sender waits for
	// an answer in turn; the looper token word holds the id that answer
	// is to carry.
	kFrameReplyRequest = 4
};

// Bytes after the length word: kind, reply id, looper token.
const size_t kFrameHeaderSize = 12;
// The largest frame accepted, length word not counted.
const uint32 kMaxFrameSize = 16 * 1024 * 1024;
// The looper token that names the application of the receiving program.
const int32 kApplicationLooperToken = 0;

struct LinkFrame {
	uint32						kind = 0;
	uint32						replyId = 0;
	int32						looperToken = -1;
	std::unique_ptr<BMessage>	message;
	// The message holds pointer fields (also in nested messages), which
	// mean nothing in another process.
	bool						hasPointers = false;
};

// Appends the frame for message to out.
status_t append_frame(std::string& out, uint32 kind, uint32 replyId,
	int32 looperToken, const BMessage& message);

// True if the message or one nested in it has a B_POINTER_TYPE field.
bool has_pointer_fields(const BMessage& message, int32 depth = 0);

class LinkFrameReader {
public:
								LinkFrameReader();

	// Takes the next bytes of the stream and appends the frames completed
	// by them. B_BAD_DATA once the stream holds something that is not a
	// frame (a length over the cap or below the header, an unknown kind, a
	// message that does not unflatten); the reader then takes nothing more.
			status_t			Feed(const void* data, size_t size,
									std::vector<LinkFrame>& frames);
			bool				IsBroken() const { return fBroken; }
	// Bytes of an incomplete frame held back.
			size_t				Pending() const { return fBuffer.size(); }

private:
			status_t			_Parse(std::vector<LinkFrame>& frames);

			std::string			fBuffer;
			bool				fBroken;
};

}	// namespace BPrivate

#endif	// _LINK_FRAME_H
