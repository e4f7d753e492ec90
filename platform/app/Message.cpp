// BMessage: fields in insertion order, each a list of byte items; the flat
// form is this kit's own, read back with every length checked.
#include <Message.h>

#include <ctype.h>
#include <inttypes.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <unordered_set>
#include <vector>

#include <Entry.h>
#include <Handler.h>
#include <Messenger.h>

#include "AppPrivate.h"
#include "LooperPrivate.h"

namespace BPrivate {

struct MessageField {
	std::string						name;
	type_code						type;
	bool							fixedSize;
	std::vector<std::vector<uint8>>	items;
};

struct MessageFields {
	std::vector<MessageField>		fields;

	MessageField* Find(const char* name)
	{
		for (MessageField& field : fields) {
			if (field.name == name)
				return &field;
		}
		return NULL;
	}
};

}	// namespace BPrivate

using BPrivate::MessageField;
using BPrivate::MessageFields;

namespace {

const uint32 kFlatMagic = 'ZMg1';
const size_t kMaxFlatSize = 64 * 1024 * 1024;
const int32 kMaxDepth = 32;
// Each value costs a few dozen bytes beyond its data; bounding their number
// keeps a small hostile message from costing gigabytes.
const size_t kMaxFlatValues = 256 * 1024;
const char* kSpecifiersField = "specifiers";

enum {
	kFlagDropped		= 0x01,
	kFlagReply			= 0x02,
	kFlagPreferred		= 0x04,
	kFlagReplyPreferred	= 0x08,
	kFlagDelivered		= 0x10,
	kFlagReplied		= 0x20
};

enum { kFieldFixedSize = 0x01 };

// magic, size, what, flags, field count, current specifier, drop point and
// offset, reply team/looper/handler, target handler
const size_t kHeaderSize = 6 * 4 + 4 * 4 + 3 * 4 + 4;
// type, flags, reserved, name length, count
const size_t kFieldHeaderSize = 4 + 1 + 1 + 2 + 4;

// Messengers travel as team, looper token, handler token, flags.
const size_t kFlatMessengerSize = 16;


// The size a value of a type must have, 0 for types of any size.
size_t
FixedTypeSize(type_code type)
{
	switch (type) {
		case B_INT8_TYPE:
		case B_UINT8_TYPE:
		case B_BOOL_TYPE:
		case B_CHAR_TYPE:
			return 1;
		case B_INT16_TYPE:
		case B_UINT16_TYPE:
			return 2;
		case B_INT32_TYPE:
		case B_UINT32_TYPE:
		case B_FLOAT_TYPE:
		case B_RGB_32_BIT_TYPE:
		case B_RGB_COLOR_TYPE:
			return 4;
		case B_INT64_TYPE:
		case B_UINT64_TYPE:
		case B_DOUBLE_TYPE:
		case B_OFF_T_TYPE:
		case B_SIZE_T_TYPE:
		case B_SSIZE_T_TYPE:
		case B_TIME_TYPE:
		case B_POINT_TYPE:
			return 8;
		case B_POINTER_TYPE:
			return sizeof(void*);
		case B_RECT_TYPE:
			return 16;
		case B_MESSENGER_TYPE:
			return kFlatMessengerSize;
		default:
			return 0;
	}
}


class Writer {
public:
	Writer(char* buffer) : fBuffer((uint8*)buffer), fPosition(0) {}

	void Put32(uint32 value)
	{
		for (int i = 0; i < 4; i++)
			fBuffer[fPosition++] = (uint8)(value >> (8 * i));
	}
	void Put16(uint16 value)
	{
		fBuffer[fPosition++] = (uint8)value;
		fBuffer[fPosition++] = (uint8)(value >> 8);
	}
	void Put8(uint8 value) { fBuffer[fPosition++] = value; }
	void PutFloat(float value)
	{
		uint32 bits;
		memcpy(&bits, &value, 4);
		Put32(bits);
	}
	void PutBytes(const void* data, size_t size)
	{
		if (size > 0)
			memcpy(fBuffer + fPosition, data, size);
		fPosition += size;
	}
	size_t Position() const { return fPosition; }

private:
	uint8*	fBuffer;
	size_t	fPosition;
};


// Reads from a buffer of known size; every read past the end fails and
// leaves the reader failed.
class Reader {
public:
	Reader(const char* buffer, size_t size)
		: fBuffer((const uint8*)buffer), fSize(size), fPosition(0), fOk(true) {}

	bool Get32(uint32* value)
	{
		if (!Has(4))
			return false;
		*value = 0;
		for (int i = 0; i < 4; i++)
			*value |= (uint32)fBuffer[fPosition++] << (8 * i);
		return true;
	}
	bool Get16(uint16* value)
	{
		if (!Has(2))
			return false;
		*value = (uint16)(fBuffer[fPosition] | (fBuffer[fPosition + 1] << 8));
		fPosition += 2;
		return true;
	}
	bool Get8(uint8* value)
	{
		if (!Has(1))
			return false;
		*value = fBuffer[fPosition++];
		return true;
	}
	bool GetFloat(float* value)
	{
		uint32 bits;
		if (!Get32(&bits))
			return false;
		memcpy(value, &bits, 4);
		return true;
	}
	const uint8* GetBytes(size_t size)
	{
		if (!Has(size))
			return NULL;
		const uint8* data = fBuffer + fPosition;
		fPosition += size;
		return data;
	}
	size_t Remaining() const { return fSize - fPosition; }
	size_t Position() const { return fPosition; }

private:
	bool Has(size_t size)
	{
		if (!fOk || size > fSize - fPosition)
			return fOk = false;
		return true;
	}

	const uint8*	fBuffer;
	size_t			fSize;
	size_t			fPosition;
	bool			fOk;
};


void
FlattenMessenger(const BMessenger& messenger, uint8* data)
{
	int32 values[4] = { messenger.Team(), messenger._LooperToken(),
		messenger._HandlerToken(), messenger._IsPreferred() ? 1 : 0 };
	memcpy(data, values, sizeof(values));
}


BMessenger
UnflattenMessenger(const uint8* data)
{
	int32 values[4];
	memcpy(values, data, sizeof(values));
	BMessenger messenger;
	messenger._SetTo(values[0], values[1], values[2], values[3] != 0);
	return messenger;
}


bool
IsPrintable(uint32 what)
{
	return isprint((int)(what >> 24)) != 0;
}

}	// namespace


// #pragma mark - life


BMessage::BMessage()
	:
	what(0),
	fFields(new MessageFields)
{
	_Clear();
}


BMessage::BMessage(uint32 command)
	:
	what(command),
	fFields(new MessageFields)
{
	_Clear();
}


BMessage::BMessage(const BMessage& other)
	:
	what(other.what),
	fFields(new MessageFields(*other.fFields))
{
	_Clear();
	_CopyDelivery(other);
}


BMessage::~BMessage()
{
	// A message deleted unanswered while its sender waits answers with
	// B_NO_REPLY, so the sender does not wait forever.
	if (fReplySlot != NULL && fOwnsReplySlot && fReplySlot->IsWaiting())
		fReplySlot->Deliver(new BMessage(B_NO_REPLY));
	if (fReplySlot != NULL)
		fReplySlot->Release();
	delete fFields;
}


BMessage&
BMessage::operator=(const BMessage& other)
{
	if (this == &other)
		return *this;
	if (fReplySlot != NULL)
		fReplySlot->Release();
	what = other.what;
	*fFields = *other.fFields;
	_Clear();
	_CopyDelivery(other);
	return *this;
}


void
BMessage::_Clear()
{
	fTargetToken = -1;
	fPreferredTarget = true;
	fReplyLooper = -1;
	fReplyHandler = -1;
	fReplyTeam = -1;
	fReplyPreferred = true;
	fReplySlot = NULL;
	fOwnsReplySlot = false;
	fDelivered = false;
	fIsReply = false;
	fWasDropped = false;
	fDropPoint = BPoint(0, 0);
	fDropOffset = BPoint(0, 0);
	fReplied = false;
	fCurrentSpecifier = -1;
}


void
BMessage::_CopyDelivery(const BMessage& other)
{
	// A copy can still answer the sender, but only the delivered original
	// answers B_NO_REPLY for it.
	fTargetToken = other.fTargetToken;
	fPreferredTarget = other.fPreferredTarget;
	fReplyLooper = other.fReplyLooper;
	fReplyHandler = other.fReplyHandler;
	fReplyTeam = other.fReplyTeam;
	fReplyPreferred = other.fReplyPreferred;
	fReplySlot = other.fReplySlot;
	if (fReplySlot != NULL)
		fReplySlot->Acquire();
	fDelivered = other.fDelivered;
	fIsReply = other.fIsReply;
	fWasDropped = other.fWasDropped;
	fDropPoint = other.fDropPoint;
	fDropOffset = other.fDropOffset;
	fReplied = other.fReplied;
	fCurrentSpecifier = other.fCurrentSpecifier;
}


// #pragma mark - information


status_t
BMessage::GetInfo(type_code typeRequested, int32 index, char** nameFound,
	type_code* typeFound, int32* countFound) const
{
	if (index < 0)
		return B_BAD_INDEX;
	int32 seen = 0;
	for (MessageField& field : fFields->fields) {
		if (typeRequested != B_ANY_TYPE && field.type != typeRequested)
			continue;
		if (seen++ < index)
			continue;
		if (nameFound != NULL)
			*nameFound = const_cast<char*>(field.name.c_str());
		if (typeFound != NULL)
			*typeFound = field.type;
		if (countFound != NULL)
			*countFound = (int32)field.items.size();
		return B_OK;
	}
	// BeOS tells "no field of this type" from "not that many".
	return seen == 0 ? B_BAD_TYPE : B_BAD_INDEX;
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound,
	int32* countFound) const
{
	return GetInfo(name, typeFound, countFound, NULL);
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound,
	bool* fixedSize) const
{
	return GetInfo(name, typeFound, NULL, fixedSize);
}


status_t
BMessage::GetInfo(const char* name, type_code* typeFound, int32* countFound,
	bool* fixedSize) const
{
	if (name == NULL)
		return B_BAD_VALUE;
	MessageField* field = fFields->Find(name);
	if (field == NULL) {
		if (typeFound != NULL)
			*typeFound = 0;
		if (countFound != NULL)
			*countFound = 0;
		return B_NAME_NOT_FOUND;
	}
	if (typeFound != NULL)
		*typeFound = field->type;
	if (countFound != NULL)
		*countFound = (int32)field->items.size();
	if (fixedSize != NULL)
		*fixedSize = field->fixedSize;
	return B_OK;
}


int32
BMessage::CountNames(type_code type) const
{
	int32 count = 0;
	for (const MessageField& field : fFields->fields) {
		if (type == B_ANY_TYPE || field.type == type)
			count++;
	}
	return count;
}


bool BMessage::IsEmpty() const { return fFields->fields.empty(); }


bool
BMessage::IsSystem() const
{
	return (what >> 24) == '_' && isupper((what >> 16) & 0xff)
		&& isupper((what >> 8) & 0xff) && isupper(what & 0xff);
}


bool BMessage::IsReply() const { return fIsReply; }


status_t
BMessage::Rename(const char* oldEntry, const char* newEntry)
{
	if (oldEntry == NULL || newEntry == NULL
		|| strlen(newEntry) > B_FIELD_NAME_LENGTH)
		return B_BAD_VALUE;
	MessageField* field = fFields->Find(oldEntry);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (strcmp(oldEntry, newEntry) == 0)
		return B_OK;
	if (fFields->Find(newEntry) != NULL)
		return B_NAME_IN_USE;
	field->name = newEntry;
	return B_OK;
}


// #pragma mark - printing


void
BMessage::PrintToStream() const
{
	_PrintToStream("");
	printf("}\n");
}


void
BMessage::_PrintToStream(const char* indent) const
{
	printf("BMessage(");
	if (IsPrintable(what)) {
		printf("'%c%c%c%c'", (char)(what >> 24), (char)(what >> 16),
			(char)(what >> 8), (char)what);
	} else
		printf("0x%" PRIx32, what);
	printf(") {\n");

	for (const MessageField& field : fFields->fields) {
		int32 count = (int32)field.items.size();
		for (int32 i = 0; i < count; i++) {
			const std::vector<uint8>& item = field.items[i];
			const uint8* data = item.data();
			size_t size = item.size();
			if (count == 1)
				printf("%s        %s = ", indent, field.name.c_str());
			else
				printf("%s        %s[%" PRId32 "] = ", indent,
					field.name.c_str(), i);

			// Values are read only when the size fits the type.
			size_t fixed = FixedTypeSize(field.type);
			if (fixed != 0 && size != fixed) {
				printf("(type = '%c%c%c%c')(size = %ld)\n",
					(char)(field.type >> 24), (char)(field.type >> 16),
					(char)(field.type >> 8), (char)field.type, (long)size);
				continue;
			}

			switch (field.type) {
				case B_RECT_TYPE:
				{
					BRect rect;
					memcpy(&rect, data, sizeof(rect));
					rect.PrintToStream();
					break;
				}
				case B_POINT_TYPE:
				{
					BPoint point;
					memcpy(&point, data, sizeof(point));
					point.PrintToStream();
					break;
				}
				case B_STRING_TYPE:
					printf("string(\"%.*s\", %ld bytes)\n", (int)size,
						(const char*)data, (long)size);
					break;
				case B_INT8_TYPE:
				{
					int8 value = (int8)data[0];
					printf("int8(0x%hx or %d or '%c')\n",
						(unsigned short)value, value, value);
					break;
				}
				case B_UINT8_TYPE:
					printf("uint8(0x%hx or %u or '%c')\n",
						(unsigned short)data[0], data[0], data[0]);
					break;
				case B_INT16_TYPE:
				{
					int16 value;
					memcpy(&value, data, 2);
					printf("int16(0x%x or %d)\n", (unsigned)(int)value, value);
					break;
				}
				case B_UINT16_TYPE:
				{
					uint16 value;
					memcpy(&value, data, 2);
					printf("uint16(0x%x or %u)\n", value, value);
					break;
				}
				case B_INT32_TYPE:
				{
					int32 value;
					memcpy(&value, data, 4);
					printf("int32(0x%" PRIx32 " or %" PRId32 ")\n",
						(uint32)value, value);
					break;
				}
				case B_UINT32_TYPE:
				{
					uint32 value;
					memcpy(&value, data, 4);
					printf("uint32(0x%" PRIx32 " or %" PRIu32 ")\n", value,
						value);
					break;
				}
				case B_INT64_TYPE:
				{
					int64 value;
					memcpy(&value, data, 8);
					printf("int64(0x%" PRIx64 " or %" PRId64 ")\n",
						(uint64)value, value);
					break;
				}
				case B_UINT64_TYPE:
				{
					uint64 value;
					memcpy(&value, data, 8);
					printf("uint64(0x%" PRIx64 " or %" PRIu64 ")\n", value,
						value);
					break;
				}
				case B_BOOL_TYPE:
					printf("bool(%s)\n", data[0] != 0 ? "true" : "false");
					break;
				case B_FLOAT_TYPE:
				{
					float value;
					memcpy(&value, data, 4);
					printf("float(%.4f)\n", value);
					break;
				}
				case B_DOUBLE_TYPE:
				{
					double value;
					memcpy(&value, data, 8);
					printf("double(%.8f)\n", value);
					break;
				}
				case B_REF_TYPE:
				{
					std::string path((const char*)data, strnlen(
						(const char*)data, size));
					entry_ref ref;
					get_ref_for_path(path.c_str(), &ref);
					printf("entry_ref(device=%d, directory=%lld, name=\"%s\", "
						"path=\"%s\")\n", (int)ref.device,
						(long long)ref.directory,
						ref.name != NULL ? ref.name : "", path.c_str());
					break;
				}
				case B_MESSAGE_TYPE:
				{
					std::string nested(indent);
					nested += "        ";
					BMessage message;
					status_t result = message.Unflatten((const char*)data,
						(ssize_t)size);
					if (result != B_OK) {
						printf("failed unflatten: %s\n", strerror(result));
						break;
					}
					message._PrintToStream(nested.c_str());
					printf("%s        }\n", indent);
					break;
				}
				default:
					printf("(type = '%c%c%c%c')(size = %ld)\n",
						(char)(field.type >> 24), (char)(field.type >> 16),
						(char)(field.type >> 8), (char)field.type,
						(long)size);
					break;
			}
		}
	}
}


// #pragma mark - delivery and replies


bool BMessage::WasDelivered() const { return fDelivered; }


bool
BMessage::IsSourceWaiting() const
{
	return fReplySlot != NULL && fReplySlot->IsWaiting();
}


bool
BMessage::IsSourceRemote() const
{
	return fReplyTeam >= 0 && fReplyTeam != (int32)getpid();
}


BMessenger
BMessage::ReturnAddress() const
{
	BMessenger messenger;
	if (fReplyLooper >= 0)
		messenger._SetTo(fReplyTeam, fReplyLooper, fReplyHandler,
			fReplyPreferred);
	return messenger;
}


const BMessage* BMessage::Previous() const { return NULL; }
bool BMessage::WasDropped() const { return fWasDropped; }


BPoint
BMessage::DropPoint(BPoint* offset) const
{
	if (offset != NULL)
		*offset = fDropOffset;
	return fDropPoint;
}


status_t
BMessage::SendReply(uint32 command, BHandler* replyTo)
{
	BMessage reply(command);
	return SendReply(&reply, replyTo);
}


status_t
BMessage::SendReply(BMessage* reply, BHandler* replyTo, bigtime_t)
{
	BMessenger messenger(replyTo);
	return _SendReply(reply, messenger, NULL, B_INFINITE_TIMEOUT);
}


status_t
BMessage::SendReply(BMessage* reply, BMessenger replyTo, bigtime_t)
{
	return _SendReply(reply, replyTo, NULL, B_INFINITE_TIMEOUT);
}


status_t
BMessage::SendReply(uint32 command, BMessage* replyToReply)
{
	BMessage reply(command);
	return SendReply(&reply, replyToReply);
}


status_t
BMessage::SendReply(BMessage* reply, BMessage* replyToReply, bigtime_t,
	bigtime_t replyTimeout)
{
	return _SendReply(reply, BMessenger(), replyToReply, replyTimeout);
}


status_t
BMessage::_SendReply(BMessage* reply, const BMessenger& replyTo,
	BMessage* replyToReply, bigtime_t replyTimeout)
{
	if (reply == NULL)
		return B_BAD_VALUE;

	if (fReplySlot != NULL) {
		BMessage* copy = new BMessage(*reply);
		BPrivate::MessageAccess::ResetDelivery(copy);
		copy->fIsReply = true;
		if (replyTo.IsValid()) {
			BPrivate::MessageAccess::SetReplyTo(copy, replyTo.Team(),
				replyTo._LooperToken(), replyTo._HandlerToken(),
				replyTo._IsPreferred());
		}
		BPrivate::ReplySlot* answer = NULL;
		if (replyToReply != NULL) {
			answer = new BPrivate::ReplySlot;
			BPrivate::MessageAccess::SetReplySlot(copy, answer);
		}
		status_t status = fReplySlot->Deliver(copy);
		if (status == B_OK)
			fReplied = true;
		if (answer == NULL)
			return status;
		if (status != B_OK) {
			answer->Release();
			return status;
		}

		// Wait for the answer to the reply.
		std::unique_lock<std::mutex> lock(answer->lock);
		bool done = true;
		if (replyTimeout == B_INFINITE_TIMEOUT)
			answer->changed.wait(lock, [&] { return answer->done; });
		else {
			done = answer->changed.wait_for(lock,
				std::chrono::microseconds(replyTimeout < 0 ? 0 : replyTimeout),
				[&] { return answer->done; });
		}
		if (!done) {
			answer->abandoned = true;
			lock.unlock();
			answer->Release();
			return B_TIMED_OUT;
		}
		*replyToReply = *answer->reply;
		lock.unlock();
		answer->Release();
		return B_OK;
	}

	if (fReplyLooper < 0)
		return B_BAD_REPLY;
	if (fReplied)
		return B_DUPLICATE_REPLY;

	BMessenger target = ReturnAddress();
	BMessage copy(*reply);
	BPrivate::MessageAccess::ResetDelivery(&copy);
	copy.fIsReply = true;
	status_t status;
	if (replyToReply != NULL)
		status = target.SendMessage(&copy, replyToReply, B_INFINITE_TIMEOUT,
			replyTimeout);
	else
		status = target.SendMessage(&copy, replyTo);
	if (status == B_OK)
		fReplied = true;
	return status;
}


// #pragma mark - flattening


ssize_t
BMessage::FlattenedSize() const
{
	size_t size = kHeaderSize;
	for (const MessageField& field : fFields->fields) {
		size += kFieldHeaderSize + field.name.size();
		if (field.fixedSize) {
			size += 4;
			if (!field.items.empty())
				size += field.items.size() * field.items[0].size();
		} else {
			for (const std::vector<uint8>& item : field.items)
				size += 4 + item.size();
		}
	}
	return (ssize_t)size;
}


status_t
BMessage::Flatten(char* buffer, ssize_t size) const
{
	if (buffer == NULL)
		return B_BAD_VALUE;
	ssize_t needed = FlattenedSize();
	if (size < needed)
		return B_NO_MEMORY;
	if ((size_t)needed > UINT32_MAX)
		return B_NO_MEMORY;

	uint32 flags = 0;
	if (fWasDropped)
		flags |= kFlagDropped;
	if (fIsReply)
		flags |= kFlagReply;
	if (fPreferredTarget)
		flags |= kFlagPreferred;
	if (fReplyPreferred)
		flags |= kFlagReplyPreferred;
	if (fDelivered)
		flags |= kFlagDelivered;
	if (fReplied)
		flags |= kFlagReplied;

	Writer writer(buffer);
	writer.Put32(kFlatMagic);
	writer.Put32((uint32)needed);
	writer.Put32(what);
	writer.Put32(flags);
	writer.Put32((uint32)fFields->fields.size());
	writer.Put32((uint32)fCurrentSpecifier);
	writer.PutFloat(fDropPoint.x);
	writer.PutFloat(fDropPoint.y);
	writer.PutFloat(fDropOffset.x);
	writer.PutFloat(fDropOffset.y);
	writer.Put32((uint32)fReplyTeam);
	writer.Put32((uint32)fReplyLooper);
	writer.Put32((uint32)fReplyHandler);
	writer.Put32((uint32)fTargetToken);

	for (const MessageField& field : fFields->fields) {
		writer.Put32(field.type);
		writer.Put8(field.fixedSize ? kFieldFixedSize : 0);
		writer.Put8(0);
		writer.Put16((uint16)field.name.size());
		writer.Put32((uint32)field.items.size());
		if (field.fixedSize) {
			writer.Put32(field.items.empty() ? 0
				: (uint32)field.items[0].size());
		}
		writer.PutBytes(field.name.data(), field.name.size());
		for (const std::vector<uint8>& item : field.items) {
			if (!field.fixedSize)
				writer.Put32((uint32)item.size());
			writer.PutBytes(item.data(), item.size());
		}
	}
	return B_OK;
}


status_t
BMessage::Flatten(BString* flat) const
{
	if (flat == NULL)
		return B_BAD_VALUE;
	ssize_t size = FlattenedSize();
	char* buffer = flat->LockBuffer((int32)size);
	status_t status = Flatten(buffer, size);
	flat->UnlockBuffer(status == B_OK ? (int32)size : 0);
	return status;
}


status_t
BMessage::Unflatten(const char* flatString)
{
	if (flatString == NULL)
		return B_BAD_VALUE;
	// Magic and size come first; the size is believed.
	Reader reader(flatString, 8);
	uint32 magic, size;
	if (!reader.Get32(&magic) || !reader.Get32(&size))
		return B_BAD_DATA;
	if (magic != kFlatMagic)
		return B_NOT_A_MESSAGE;
	return Unflatten(flatString, (ssize_t)size);
}


status_t
BMessage::Unflatten(const char* flatBuffer, ssize_t size)
{
	if (flatBuffer == NULL || size < 0)
		return B_BAD_VALUE;
	return _Unflatten(flatBuffer, (size_t)size, 0);
}


status_t
BMessage::_Unflatten(const char* buffer, size_t size, int32 depth)
{
	if (depth > kMaxDepth)
		return B_BAD_DATA;

	Reader reader(buffer, size);
	uint32 magic, flatSize, command, flags, fieldCount, specifier;
	float dropX, dropY, offsetX, offsetY;
	uint32 replyTeam, replyLooper, replyHandler, target;
	if (!reader.Get32(&magic))
		return B_BAD_DATA;
	if (magic != kFlatMagic)
		return B_NOT_A_MESSAGE;
	if (!reader.Get32(&flatSize) || !reader.Get32(&command)
		|| !reader.Get32(&flags) || !reader.Get32(&fieldCount)
		|| !reader.Get32(&specifier) || !reader.GetFloat(&dropX)
		|| !reader.GetFloat(&dropY) || !reader.GetFloat(&offsetX)
		|| !reader.GetFloat(&offsetY) || !reader.Get32(&replyTeam)
		|| !reader.Get32(&replyLooper) || !reader.Get32(&replyHandler)
		|| !reader.Get32(&target))
		return B_BAD_DATA;
	if (flatSize > size || flatSize > kMaxFlatSize || flatSize < kHeaderSize)
		return B_BAD_DATA;
	// From here on nothing beyond the message's own size is read.
	reader = Reader(buffer, flatSize);
	reader.GetBytes(kHeaderSize);
	if (fieldCount > reader.Remaining() / (kFieldHeaderSize + 1))
		return B_BAD_DATA;

	MessageFields* fields = new MessageFields;
	fields->fields.reserve(std::min<size_t>(fieldCount, 64));
	std::unordered_set<std::string> names;
	size_t values = 0;
	status_t status = B_OK;
	for (uint32 i = 0; i < fieldCount && status == B_OK; i++) {
		uint32 type, count, itemSize = 0;
		uint8 fieldFlags, reserved;
		uint16 nameLength;
		if (!reader.Get32(&type) || !reader.Get8(&fieldFlags)
			|| !reader.Get8(&reserved) || !reader.Get16(&nameLength)
			|| !reader.Get32(&count)) {
			status = B_BAD_DATA;
			break;
		}
		bool fixedSize = (fieldFlags & kFieldFixedSize) != 0;
		if (fixedSize && !reader.Get32(&itemSize)) {
			status = B_BAD_DATA;
			break;
		}
		const uint8* name = reader.GetBytes(nameLength);
		if (name == NULL || nameLength > B_FIELD_NAME_LENGTH || count == 0
			|| memchr(name, '\0', nameLength) != NULL) {
			status = B_BAD_DATA;
			break;
		}
		MessageField field;
		field.name.assign((const char*)name, nameLength);
		field.type = type;
		field.fixedSize = fixedSize;
		values += count;
		if (!names.insert(field.name).second || values > kMaxFlatValues) {
			status = B_BAD_DATA;
			break;
		}

		// The count must fit in the bytes left before anything is reserved.
		size_t typeSize = FixedTypeSize(type);
		if (fixedSize) {
			if (itemSize == 0 || (typeSize != 0 && itemSize != typeSize)
				|| (uint64)count * itemSize > reader.Remaining()) {
				status = B_BAD_DATA;
				break;
			}
		} else if (count > reader.Remaining() / 4) {
			status = B_BAD_DATA;
			break;
		}
		field.items.reserve(count);
		for (uint32 j = 0; j < count; j++) {
			uint32 length = itemSize;
			if (!fixedSize && !reader.Get32(&length)) {
				status = B_BAD_DATA;
				break;
			}
			const uint8* data = reader.GetBytes(length);
			if (data == NULL || (typeSize != 0 && length != typeSize)) {
				status = B_BAD_DATA;
				break;
			}
			// Strings and refs end in their terminator; nested messages
			// must be messages themselves.
			if ((type == B_STRING_TYPE || type == B_REF_TYPE
					|| type == B_MIME_STRING_TYPE)
				&& (length == 0 || data[length - 1] != '\0')) {
				status = B_BAD_DATA;
				break;
			}
			if (type == B_MESSAGE_TYPE) {
				BMessage nested;
				if (nested._Unflatten((const char*)data, length, depth + 1)
						!= B_OK) {
					status = B_BAD_DATA;
					break;
				}
			}
			field.items.emplace_back(data, data + length);
		}
		if (status == B_OK)
			fields->fields.push_back(std::move(field));
	}
	if (status == B_OK && reader.Remaining() != 0)
		status = B_BAD_DATA;
	if (status == B_OK) {
		int32 count = 0;
		MessageField* specifiers = fields->Find(kSpecifiersField);
		if (specifiers != NULL)
			count = (int32)specifiers->items.size();
		if ((int32)specifier < -1 || (int32)specifier >= count)
			status = B_BAD_DATA;
	}
	if (status != B_OK) {
		delete fields;
		return status;
	}

	if (fReplySlot != NULL)
		fReplySlot->Release();
	delete fFields;
	fFields = fields;
	_Clear();
	what = command;
	fCurrentSpecifier = (int32)specifier;
	fWasDropped = (flags & kFlagDropped) != 0;
	fIsReply = (flags & kFlagReply) != 0;
	fPreferredTarget = (flags & kFlagPreferred) != 0;
	fReplyPreferred = (flags & kFlagReplyPreferred) != 0;
	fDelivered = (flags & kFlagDelivered) != 0;
	fReplied = (flags & kFlagReplied) != 0;
	fDropPoint = BPoint(dropX, dropY);
	fDropOffset = BPoint(offsetX, offsetY);
	fReplyTeam = (int32)replyTeam;
	fReplyLooper = (int32)replyLooper;
	fReplyHandler = (int32)replyHandler;
	fTargetToken = (int32)target;
	return B_OK;
}


// #pragma mark - specifiers


status_t
BMessage::AddSpecifier(const char* property)
{
	if (property == NULL)
		return B_BAD_VALUE;
	BMessage specifier(B_DIRECT_SPECIFIER);
	specifier.AddString("property", property);
	return AddSpecifier(&specifier);
}


status_t
BMessage::AddSpecifier(const char* property, int32 index)
{
	if (property == NULL)
		return B_BAD_VALUE;
	BMessage specifier(B_INDEX_SPECIFIER);
	specifier.AddString("property", property);
	specifier.AddInt32("index", index);
	return AddSpecifier(&specifier);
}


status_t
BMessage::AddSpecifier(const char* property, int32 index, int32 range)
{
	if (property == NULL || range < 0)
		return B_BAD_VALUE;
	BMessage specifier(B_RANGE_SPECIFIER);
	specifier.AddString("property", property);
	specifier.AddInt32("index", index);
	specifier.AddInt32("range", range);
	return AddSpecifier(&specifier);
}


status_t
BMessage::AddSpecifier(const char* property, const char* name)
{
	if (property == NULL || name == NULL)
		return B_BAD_VALUE;
	BMessage specifier(B_NAME_SPECIFIER);
	specifier.AddString("property", property);
	specifier.AddString("name", name);
	return AddSpecifier(&specifier);
}


status_t
BMessage::AddSpecifier(const BMessage* specifier)
{
	status_t status = AddMessage(kSpecifiersField, specifier);
	if (status != B_OK)
		return status;
	fCurrentSpecifier++;
	return B_OK;
}


status_t
BMessage::SetCurrentSpecifier(int32 index)
{
	int32 count = 0;
	GetInfo(kSpecifiersField, NULL, &count);
	if (index < 0 || index >= count)
		return B_BAD_INDEX;
	fCurrentSpecifier = index;
	return B_OK;
}


status_t
BMessage::GetCurrentSpecifier(int32* index, BMessage* specifier, int32* what,
	const char** property) const
{
	if (index != NULL)
		*index = fCurrentSpecifier;
	if (fCurrentSpecifier < 0)
		return B_BAD_SCRIPT_SYNTAX;
	if (specifier != NULL) {
		if (FindMessage(kSpecifiersField, fCurrentSpecifier, specifier) != B_OK)
			return B_BAD_SCRIPT_SYNTAX;
		if (what != NULL)
			*what = (int32)specifier->what;
		if (property != NULL
			&& specifier->FindString("property", property) != B_OK)
			return B_BAD_SCRIPT_SYNTAX;
	}
	return B_OK;
}


bool
BMessage::HasSpecifiers() const
{
	return fFields->Find(kSpecifiersField) != NULL;
}


status_t
BMessage::PopSpecifier()
{
	if (fCurrentSpecifier < 0)
		return B_BAD_VALUE;
	fCurrentSpecifier--;
	return B_OK;
}


// #pragma mark - generic field access


status_t
BMessage::AddData(const char* name, type_code type, const void* data,
	ssize_t numBytes, bool isFixedSize, int32)
{
	if (name == NULL || data == NULL || numBytes <= 0
		|| strlen(name) > B_FIELD_NAME_LENGTH)
		return B_BAD_VALUE;
	size_t typeSize = FixedTypeSize(type);
	if (typeSize != 0 && (size_t)numBytes != typeSize)
		return B_BAD_VALUE;

	MessageField* field = fFields->Find(name);
	if (field == NULL) {
		MessageField newField;
		newField.name = name;
		newField.type = type;
		newField.fixedSize = isFixedSize;
		fFields->fields.push_back(std::move(newField));
		field = &fFields->fields.back();
	} else if (field->type != type)
		return B_BAD_TYPE;
	else if (field->fixedSize && !field->items.empty()
		&& field->items[0].size() != (size_t)numBytes)
		return B_BAD_VALUE;

	const uint8* bytes = (const uint8*)data;
	field->items.emplace_back(bytes, bytes + numBytes);
	return B_OK;
}


status_t
BMessage::RemoveData(const char* name, int32 index)
{
	if (name == NULL)
		return B_BAD_VALUE;
	if (index < 0)
		return B_BAD_INDEX;
	for (auto it = fFields->fields.begin(); it != fFields->fields.end(); ++it) {
		if (it->name != name)
			continue;
		if ((size_t)index >= it->items.size())
			return B_BAD_INDEX;
		it->items.erase(it->items.begin() + index);
		if (it->items.empty())
			fFields->fields.erase(it);
		return B_OK;
	}
	return B_NAME_NOT_FOUND;
}


status_t
BMessage::RemoveName(const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	for (auto it = fFields->fields.begin(); it != fFields->fields.end(); ++it) {
		if (it->name == name) {
			fFields->fields.erase(it);
			return B_OK;
		}
	}
	return B_NAME_NOT_FOUND;
}


status_t
BMessage::MakeEmpty()
{
	fFields->fields.clear();
	fCurrentSpecifier = -1;
	return B_OK;
}


status_t
BMessage::FindData(const char* name, type_code type, const void** data,
	ssize_t* numBytes) const
{
	return FindData(name, type, 0, data, numBytes);
}


status_t
BMessage::FindData(const char* name, type_code type, int32 index,
	const void** data, ssize_t* numBytes) const
{
	if (data != NULL)
		*data = NULL;
	if (name == NULL)
		return B_BAD_VALUE;
	MessageField* field = fFields->Find(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (type != B_ANY_TYPE && field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || (size_t)index >= field->items.size())
		return B_BAD_INDEX;
	if (data != NULL)
		*data = field->items[index].data();
	if (numBytes != NULL)
		*numBytes = (ssize_t)field->items[index].size();
	return B_OK;
}


status_t
BMessage::ReplaceData(const char* name, type_code type, const void* data,
	ssize_t numBytes)
{
	return ReplaceData(name, type, 0, data, numBytes);
}


status_t
BMessage::ReplaceData(const char* name, type_code type, int32 index,
	const void* data, ssize_t numBytes)
{
	if (name == NULL || data == NULL || numBytes <= 0)
		return B_BAD_VALUE;
	MessageField* field = fFields->Find(name);
	if (field == NULL)
		return B_NAME_NOT_FOUND;
	if (field->type != type)
		return B_BAD_TYPE;
	if (index < 0 || (size_t)index >= field->items.size())
		return B_BAD_INDEX;
	if (field->fixedSize && field->items[index].size() != (size_t)numBytes)
		return B_BAD_VALUE;
	const uint8* bytes = (const uint8*)data;
	field->items[index].assign(bytes, bytes + numBytes);
	return B_OK;
}


bool
BMessage::HasData(const char* name, type_code type, int32 index) const
{
	return FindData(name, type, index, NULL, NULL) == B_OK;
}


status_t
BMessage::SetData(const char* name, type_code type, const void* data,
	ssize_t numBytes, bool isFixedSize, int32 count)
{
	if (HasData(name, type, 0)) {
		status_t status = ReplaceData(name, type, 0, data, numBytes);
		if (status != B_BAD_VALUE)
			return status;
		// A fixed field of another size: start it anew.
		RemoveName(name);
	}
	return AddData(name, type, data, numBytes, isFixedSize, count);
}


status_t
BMessage::_AddValue(const char* name, type_code type, const void* data,
	ssize_t size)
{
	return AddData(name, type, data, size, true);
}


status_t
BMessage::_FindValue(const char* name, type_code type, int32 index,
	void* data, ssize_t size) const
{
	const void* found;
	ssize_t foundSize;
	status_t status = FindData(name, type, index, &found, &foundSize);
	if (status != B_OK)
		return status;
	if (foundSize != size)
		return B_BAD_DATA;
	memcpy(data, found, size);
	return B_OK;
}


status_t
BMessage::_ReplaceValue(const char* name, type_code type, int32 index,
	const void* data, ssize_t size)
{
	return ReplaceData(name, type, index, data, size);
}


status_t
BMessage::_SetValue(const char* name, type_code type, const void* data,
	ssize_t size)
{
	return SetData(name, type, data, size, true);
}


// #pragma mark - typed access


#define DEFINE_TYPED(TYPENAME, TYPE, TYPECODE)								\
status_t BMessage::Add##TYPENAME(const char* name, TYPE value)				\
	{ return _AddValue(name, TYPECODE, &value, sizeof(TYPE)); }				\
status_t BMessage::Find##TYPENAME(const char* name, TYPE* value) const		\
	{ return Find##TYPENAME(name, 0, value); }								\
status_t BMessage::Find##TYPENAME(const char* name, int32 index,			\
	TYPE* value) const														\
{																			\
	if (value == NULL)														\
		return B_BAD_VALUE;													\
	return _FindValue(name, TYPECODE, index, value, sizeof(TYPE));			\
}																			\
status_t BMessage::Replace##TYPENAME(const char* name, TYPE value)			\
	{ return _ReplaceValue(name, TYPECODE, 0, &value, sizeof(TYPE)); }		\
status_t BMessage::Replace##TYPENAME(const char* name, int32 index,			\
	TYPE value)																\
	{ return _ReplaceValue(name, TYPECODE, index, &value, sizeof(TYPE)); }	\
bool BMessage::Has##TYPENAME(const char* name, int32 index) const			\
	{ return HasData(name, TYPECODE, index); }

DEFINE_TYPED(Int8, int8, B_INT8_TYPE)
DEFINE_TYPED(UInt8, uint8, B_UINT8_TYPE)
DEFINE_TYPED(Int16, int16, B_INT16_TYPE)
DEFINE_TYPED(UInt16, uint16, B_UINT16_TYPE)
DEFINE_TYPED(Int32, int32, B_INT32_TYPE)
DEFINE_TYPED(UInt32, uint32, B_UINT32_TYPE)
DEFINE_TYPED(Int64, int64, B_INT64_TYPE)
DEFINE_TYPED(UInt64, uint64, B_UINT64_TYPE)
DEFINE_TYPED(Float, float, B_FLOAT_TYPE)
DEFINE_TYPED(Double, double, B_DOUBLE_TYPE)
DEFINE_TYPED(Rect, BRect, B_RECT_TYPE)
DEFINE_TYPED(Point, BPoint, B_POINT_TYPE)
DEFINE_TYPED(Color, rgb_color, B_RGB_32_BIT_TYPE)

#undef DEFINE_TYPED


// Booleans are stored as one byte, whatever sizeof(bool) is.
status_t
BMessage::AddBool(const char* name, bool value)
{
	uint8 byte = value ? 1 : 0;
	return _AddValue(name, B_BOOL_TYPE, &byte, 1);
}


status_t BMessage::FindBool(const char* name, bool* value) const
	{ return FindBool(name, 0, value); }


status_t
BMessage::FindBool(const char* name, int32 index, bool* value) const
{
	if (value == NULL)
		return B_BAD_VALUE;
	uint8 byte;
	status_t status = _FindValue(name, B_BOOL_TYPE, index, &byte, 1);
	if (status == B_OK)
		*value = byte != 0;
	return status;
}


status_t BMessage::ReplaceBool(const char* name, bool value)
	{ return ReplaceBool(name, 0, value); }


status_t
BMessage::ReplaceBool(const char* name, int32 index, bool value)
{
	uint8 byte = value ? 1 : 0;
	return _ReplaceValue(name, B_BOOL_TYPE, index, &byte, 1);
}


bool BMessage::HasBool(const char* name, int32 index) const
	{ return HasData(name, B_BOOL_TYPE, index); }


status_t
BMessage::AddPointer(const char* name, const void* pointer)
{
	return _AddValue(name, B_POINTER_TYPE, &pointer, sizeof(pointer));
}


status_t BMessage::FindPointer(const char* name, void** pointer) const
	{ return FindPointer(name, 0, pointer); }


status_t
BMessage::FindPointer(const char* name, int32 index, void** pointer) const
{
	if (pointer == NULL)
		return B_BAD_VALUE;
	status_t status = _FindValue(name, B_POINTER_TYPE, index, pointer,
		sizeof(*pointer));
	if (status != B_OK)
		*pointer = NULL;
	return status;
}


status_t BMessage::ReplacePointer(const char* name, const void* pointer)
	{ return ReplacePointer(name, 0, pointer); }


status_t
BMessage::ReplacePointer(const char* name, int32 index, const void* pointer)
{
	return _ReplaceValue(name, B_POINTER_TYPE, index, &pointer,
		sizeof(pointer));
}


bool BMessage::HasPointer(const char* name, int32 index) const
	{ return HasData(name, B_POINTER_TYPE, index); }


status_t
BMessage::AddString(const char* name, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return AddData(name, B_STRING_TYPE, string, strlen(string) + 1, false);
}


status_t
BMessage::AddString(const char* name, const BString& string)
{
	return AddData(name, B_STRING_TYPE, string.String(), string.Length() + 1,
		false);
}


status_t BMessage::FindString(const char* name, const char** string) const
	{ return FindString(name, 0, string); }


status_t
BMessage::FindString(const char* name, int32 index, const char** string) const
{
	if (string == NULL)
		return B_BAD_VALUE;
	const void* data;
	status_t status = FindData(name, B_STRING_TYPE, index, &data, NULL);
	*string = status == B_OK ? (const char*)data : NULL;
	return status;
}


status_t BMessage::FindString(const char* name, BString* string) const
	{ return FindString(name, 0, string); }


status_t
BMessage::FindString(const char* name, int32 index, BString* string) const
{
	if (string == NULL)
		return B_BAD_VALUE;
	const char* text;
	status_t status = FindString(name, index, &text);
	if (status == B_OK)
		string->SetTo(text);
	return status;
}


status_t BMessage::ReplaceString(const char* name, const char* string)
	{ return ReplaceString(name, 0, string); }


status_t
BMessage::ReplaceString(const char* name, int32 index, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return ReplaceData(name, B_STRING_TYPE, index, string, strlen(string) + 1);
}


status_t BMessage::ReplaceString(const char* name, const BString& string)
	{ return ReplaceString(name, 0, string.String()); }
status_t BMessage::ReplaceString(const char* name, int32 index,
	const BString& string)
	{ return ReplaceString(name, index, string.String()); }
bool BMessage::HasString(const char* name, int32 index) const
	{ return HasData(name, B_STRING_TYPE, index); }


status_t
BMessage::AddMessenger(const char* name, BMessenger messenger)
{
	uint8 data[kFlatMessengerSize];
	FlattenMessenger(messenger, data);
	return _AddValue(name, B_MESSENGER_TYPE, data, sizeof(data));
}


status_t BMessage::FindMessenger(const char* name, BMessenger* messenger) const
	{ return FindMessenger(name, 0, messenger); }


status_t
BMessage::FindMessenger(const char* name, int32 index,
	BMessenger* messenger) const
{
	if (messenger == NULL)
		return B_BAD_VALUE;
	uint8 data[kFlatMessengerSize];
	status_t status = _FindValue(name, B_MESSENGER_TYPE, index, data,
		sizeof(data));
	if (status == B_OK)
		*messenger = UnflattenMessenger(data);
	return status;
}


status_t BMessage::ReplaceMessenger(const char* name, BMessenger messenger)
	{ return ReplaceMessenger(name, 0, messenger); }


status_t
BMessage::ReplaceMessenger(const char* name, int32 index,
	BMessenger messenger)
{
	uint8 data[kFlatMessengerSize];
	FlattenMessenger(messenger, data);
	return _ReplaceValue(name, B_MESSENGER_TYPE, index, data, sizeof(data));
}


bool BMessage::HasMessenger(const char* name, int32 index) const
	{ return HasData(name, B_MESSENGER_TYPE, index); }


namespace {

// A ref travels as the full path of its entry.
status_t
RefToPath(const entry_ref* ref, std::string* path)
{
	if (ref == NULL || ref->name == NULL || ref->_DirectoryPath() == NULL)
		return B_BAD_VALUE;
	*path = ref->_DirectoryPath();
	if (path->empty() || (*path)[path->size() - 1] != '/')
		*path += '/';
	*path += ref->name;
	return B_OK;
}

}	// namespace


status_t
BMessage::AddRef(const char* name, const entry_ref* ref)
{
	std::string path;
	status_t status = RefToPath(ref, &path);
	if (status != B_OK)
		return status;
	return AddData(name, B_REF_TYPE, path.c_str(), path.size() + 1, false);
}


status_t BMessage::FindRef(const char* name, entry_ref* ref) const
	{ return FindRef(name, 0, ref); }


status_t
BMessage::FindRef(const char* name, int32 index, entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	const void* data;
	status_t status = FindData(name, B_REF_TYPE, index, &data, NULL);
	if (status != B_OK)
		return status;
	return get_ref_for_path((const char*)data, ref);
}


status_t BMessage::ReplaceRef(const char* name, const entry_ref* ref)
	{ return ReplaceRef(name, 0, ref); }


status_t
BMessage::ReplaceRef(const char* name, int32 index, const entry_ref* ref)
{
	std::string path;
	status_t status = RefToPath(ref, &path);
	if (status != B_OK)
		return status;
	return ReplaceData(name, B_REF_TYPE, index, path.c_str(), path.size() + 1);
}


bool BMessage::HasRef(const char* name, int32 index) const
	{ return HasData(name, B_REF_TYPE, index); }


status_t
BMessage::AddMessage(const char* name, const BMessage* message)
{
	if (message == NULL)
		return B_BAD_VALUE;
	ssize_t size = message->FlattenedSize();
	std::vector<char> buffer(size);
	status_t status = message->Flatten(buffer.data(), size);
	if (status != B_OK)
		return status;
	return AddData(name, B_MESSAGE_TYPE, buffer.data(), size, false);
}


status_t BMessage::FindMessage(const char* name, BMessage* message) const
	{ return FindMessage(name, 0, message); }


status_t
BMessage::FindMessage(const char* name, int32 index, BMessage* message) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	const void* data;
	ssize_t size;
	status_t status = FindData(name, B_MESSAGE_TYPE, index, &data, &size);
	if (status != B_OK)
		return status;
	return message->Unflatten((const char*)data, size);
}


status_t BMessage::ReplaceMessage(const char* name, const BMessage* message)
	{ return ReplaceMessage(name, 0, message); }


status_t
BMessage::ReplaceMessage(const char* name, int32 index,
	const BMessage* message)
{
	if (message == NULL)
		return B_BAD_VALUE;
	ssize_t size = message->FlattenedSize();
	std::vector<char> buffer(size);
	status_t status = message->Flatten(buffer.data(), size);
	if (status != B_OK)
		return status;
	return ReplaceData(name, B_MESSAGE_TYPE, index, buffer.data(), size);
}


bool BMessage::HasMessage(const char* name, int32 index) const
	{ return HasData(name, B_MESSAGE_TYPE, index); }


// #pragma mark - values with defaults


const char*
BMessage::GetString(const char* name, const char* defaultValue) const
{
	return GetString(name, 0, defaultValue);
}


const char*
BMessage::GetString(const char* name, int32 index,
	const char* defaultValue) const
{
	const char* value;
	return FindString(name, index, &value) == B_OK ? value : defaultValue;
}


#define DEFINE_GET(TYPENAME, TYPE)											\
TYPE BMessage::Get##TYPENAME(const char* name, TYPE defaultValue) const		\
{																			\
	TYPE value;																\
	return Find##TYPENAME(name, &value) == B_OK ? value : defaultValue;		\
}

DEFINE_GET(Int8, int8)
DEFINE_GET(Int16, int16)
DEFINE_GET(Int32, int32)
DEFINE_GET(Int64, int64)
DEFINE_GET(UInt32, uint32)
DEFINE_GET(Bool, bool)
DEFINE_GET(Float, float)
DEFINE_GET(Double, double)

#undef DEFINE_GET


int32
BMessage::GetInt32(const char* name, int32 index, int32 defaultValue) const
{
	int32 value;
	return FindInt32(name, index, &value) == B_OK ? value : defaultValue;
}


BRect
BMessage::GetRect(const char* name, const BRect& defaultValue) const
{
	BRect value;
	return FindRect(name, &value) == B_OK ? value : defaultValue;
}


BPoint
BMessage::GetPoint(const char* name, const BPoint& defaultValue) const
{
	BPoint value;
	return FindPoint(name, &value) == B_OK ? value : defaultValue;
}


status_t
BMessage::SetString(const char* name, const char* string)
{
	if (string == NULL)
		return B_BAD_VALUE;
	return SetData(name, B_STRING_TYPE, string, strlen(string) + 1, false);
}


status_t BMessage::SetString(const char* name, const BString& string)
	{ return SetString(name, string.String()); }
status_t BMessage::SetInt32(const char* name, int32 value)
	{ return _SetValue(name, B_INT32_TYPE, &value, sizeof(value)); }
status_t BMessage::SetInt64(const char* name, int64 value)
	{ return _SetValue(name, B_INT64_TYPE, &value, sizeof(value)); }
status_t BMessage::SetFloat(const char* name, float value)
	{ return _SetValue(name, B_FLOAT_TYPE, &value, sizeof(value)); }
status_t BMessage::SetDouble(const char* name, double value)
	{ return _SetValue(name, B_DOUBLE_TYPE, &value, sizeof(value)); }
status_t BMessage::SetRect(const char* name, const BRect& value)
	{ return _SetValue(name, B_RECT_TYPE, &value, sizeof(value)); }
status_t BMessage::SetPoint(const char* name, const BPoint& value)
	{ return _SetValue(name, B_POINT_TYPE, &value, sizeof(value)); }


status_t
BMessage::SetBool(const char* name, bool value)
{
	uint8 byte = value ? 1 : 0;
	return _SetValue(name, B_BOOL_TYPE, &byte, 1);
}


// #pragma mark - private access for the kit


namespace BPrivate {

void
MessageAccess::ResetDelivery(BMessage* message)
{
	if (message->fReplySlot != NULL)
		message->fReplySlot->Release();
	message->fReplySlot = NULL;
	message->fOwnsReplySlot = false;
	message->fTargetToken = -1;
	message->fPreferredTarget = true;
	message->fReplyLooper = -1;
	message->fReplyHandler = -1;
	message->fReplyTeam = -1;
	message->fReplyPreferred = true;
	message->fDelivered = false;
	message->fIsReply = false;
	message->fReplied = false;
}


void
MessageAccess::SetTarget(BMessage* message, int32 handlerToken, bool preferred)
{
	message->fTargetToken = handlerToken;
	message->fPreferredTarget = preferred;
}


int32 MessageAccess::TargetToken(const BMessage* message)
	{ return message->fTargetToken; }
bool MessageAccess::IsPreferredTarget(const BMessage* message)
	{ return message->fPreferredTarget; }


void
MessageAccess::SetReplyTo(BMessage* message, team_id team, int32 looperToken,
	int32 handlerToken, bool preferred)
{
	message->fReplyTeam = team;
	message->fReplyLooper = looperToken;
	message->fReplyHandler = handlerToken;
	message->fReplyPreferred = preferred;
}


void
MessageAccess::SetReplySlot(BMessage* message, ReplySlot* slot)
{
	if (message->fReplySlot != NULL)
		message->fReplySlot->Release();
	message->fReplySlot = slot;
	message->fOwnsReplySlot = slot != NULL;
	if (slot != NULL)
		slot->Acquire();
}


ReplySlot* MessageAccess::ReplySlotOf(const BMessage* message)
	{ return message->fReplySlot; }
void MessageAccess::SetDelivered(BMessage* message)
	{ message->fDelivered = true; }
void MessageAccess::SetIsReply(BMessage* message)
	{ message->fIsReply = true; }


void
MessageAccess::SetDropped(BMessage* message, BPoint where, BPoint offset)
{
	message->fWasDropped = true;
	message->fDropPoint = where;
	message->fDropOffset = offset;
}


void
MessageAccess::MoveReplyDuty(BMessage* to, BMessage* from)
{
	if (to->fReplySlot == from->fReplySlot) {
		to->fOwnsReplySlot = from->fOwnsReplySlot;
		from->fOwnsReplySlot = false;
	}
}


void
MessageAccess::ClearDeliveryState(BMessage* message)
{
	message->fDelivered = false;
	message->fReplied = false;
}


void
MessageAccess::SetSourceTeam(BMessage* message, team_id team)
{
	if (message->fReplyTeam < 0)
		message->fReplyTeam = team;
}


void
set_message_dropped(BMessage* message, BPoint where, BPoint offset)
{
	if (message != NULL)
		MessageAccess::SetDropped(message, where, offset);
}


void
ReplySlot::Release()
{
	if (--refs == 0) {
		delete reply;
		delete this;
	}
}


status_t
ReplySlot::Deliver(BMessage* message)
{
	std::lock_guard<std::mutex> guard(lock);
	if (done) {
		delete message;
		return B_DUPLICATE_REPLY;
	}
	if (abandoned) {
		delete message;
		return B_BAD_PORT_ID;
	}
	if (forward != NULL) {
		done = true;
		forward(this, message);
		return B_OK;
	}
	reply = message;
	done = true;
	changed.notify_all();
	return B_OK;
}


bool
ReplySlot::IsWaiting()
{
	std::lock_guard<std::mutex> guard(lock);
	return !done && !abandoned;
}

}	// namespace BPrivate
