// Frames of the links between programs.
#include "LinkFrame.h"

#include <string.h>

#include <Message.h>

namespace BPrivate {

namespace {

void
AppendWord(std::string& out, uint32 value)
{
	out.append((const char*)&value, sizeof(value));
}


uint32
ReadWord(const char* data)
{
	uint32 value;
	memcpy(&value, data, sizeof(value));
	return value;
}

}	// namespace


status_t
append_frame(std::string& out, uint32 kind, uint32 replyId, int32 looperToken,
	const BMessage& message)
{
	ssize_t size = message.FlattenedSize();
	if (size <= 0 || (uint64)size + kFrameHeaderSize > kMaxFrameSize)
		return B_BUFFER_OVERFLOW;
	size_t start = out.size();
	AppendWord(out, (uint32)(size + kFrameHeaderSize));
	AppendWord(out, kind);
	AppendWord(out, replyId);
	AppendWord(out, (uint32)looperToken);
	out.resize(out.size() + size);
	status_t status = message.Flatten(&out[out.size() - size], size);
	if (status != B_OK)
		out.resize(start);
	return status;
}


bool
has_pointer_fields(const BMessage& message, int32 depth)
{
	if (depth > 32)
		return true;
	char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type, &count)
			== B_OK; i++) {
		if (type == B_POINTER_TYPE)
			return true;
		if (type != B_MESSAGE_TYPE)
			continue;
		for (int32 j = 0; j < count; j++) {
			BMessage nested;
			if (message.FindMessage(name, j, &nested) == B_OK
				&& has_pointer_fields(nested, depth + 1))
				return true;
		}
	}
	return false;
}


LinkFrameReader::LinkFrameReader()
	:
	fBroken(false)
{
}


status_t
LinkFrameReader::Feed(const void* data, size_t size,
	std::vector<LinkFrame>& frames)
{
	if (fBroken)
		return B_BAD_DATA;
	fBuffer.append((const char*)data, size);
	status_t status = _Parse(frames);
	if (status != B_OK) {
		fBroken = true;
		fBuffer.clear();
		fBuffer.shrink_to_fit();
	}
	return status;
}


status_t
LinkFrameReader::_Parse(std::vector<LinkFrame>& frames)
{
	size_t position = 0;
	while (fBuffer.size() - position >= 4) {
		const char* start = fBuffer.data() + position;
		uint32 length = ReadWord(start);
		// The length is checked before any byte of the frame is waited for,
		// so a bad length breaks the stream at once.
		if (length > kMaxFrameSize || length < kFrameHeaderSize + 4)
			return B_BAD_DATA;
		if (fBuffer.size() - position >= 8) {
			uint32 kind = ReadWord(start + 4);
			if (kind < kFrameMessage || kind > kFrameReplyRequest)
				return B_BAD_DATA;
		}
		if (fBuffer.size() - position - 4 < length)
			break;

		LinkFrame frame;
		frame.kind = ReadWord(start + 4);
		frame.replyId = ReadWord(start + 8);
		frame.looperToken = (int32)ReadWord(start + 12);
		frame.message.reset(new BMessage);
		if (frame.message->Unflatten(start + 4 + kFrameHeaderSize,
				length - kFrameHeaderSize) != B_OK)
			return B_BAD_DATA;
		// The message must fill its frame exactly.
		if ((size_t)frame.message->FlattenedSize()
				!= length - kFrameHeaderSize)
			return B_BAD_DATA;
		frame.hasPointers = has_pointer_fields(*frame.message);
		frames.push_back(std::move(frame));
		position += 4 + length;
	}
	fBuffer.erase(0, position);
	return B_OK;
}

}	// namespace BPrivate
