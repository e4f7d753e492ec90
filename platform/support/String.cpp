// BString over std::string; every position argument is clamped, so a bad
// index never reads or writes outside the text.
#include <String.h>

#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <algorithm>

namespace {

inline size_t
Clamp(int32 value, size_t length)
{
	if (value < 0)
		return 0;
	return std::min((size_t)value, length);
}

inline const char*
Safe(const char* text)
{
	return text != NULL ? text : "";
}

}	// namespace


BString::BString() : fLocked(false) {}
BString::BString(const char* text) : fData(Safe(text)), fLocked(false) {}

BString::BString(const char* text, int32 maxLength)
	:
	fLocked(false)
{
	SetTo(text, maxLength);
}

BString::BString(const BString& other) : fData(other.fData), fLocked(false) {}

BString::BString(BString&& other) noexcept
	:
	fData(std::move(other.fData)),
	fLocked(false)
{
}

BString::~BString() {}


int32
BString::CountChars() const
{
	int32 count = 0;
	for (unsigned char c : fData) {
		if ((c & 0xc0) != 0x80)
			count++;
	}
	return count;
}


BString& BString::operator=(const BString& other) { fData = other.fData; return *this; }
BString& BString::operator=(BString&& other) noexcept { fData = std::move(other.fData); return *this; }
BString& BString::operator=(const char* text) { fData = Safe(text); return *this; }
BString& BString::operator=(char c) { fData.assign(1, c); return *this; }
BString& BString::SetTo(const char* text) { return *this = text; }


BString&
BString::SetTo(const char* text, int32 maxLength)
{
	text = Safe(text);
	size_t length = maxLength < 0 ? strlen(text) : strnlen(text, maxLength);
	fData.assign(text, length);
	return *this;
}


BString&
BString::SetTo(char c, int32 count)
{
	fData.assign(count > 0 ? count : 0, c);
	return *this;
}


BString&
BString::SetToFormat(const char* format, ...)
{
	va_list args;
	va_start(args, format);
	va_list copy;
	va_copy(copy, args);
	int length = vsnprintf(NULL, 0, format, copy);
	va_end(copy);
	if (length < 0) {
		fData.clear();
	} else {
		fData.resize(length + 1);
		vsnprintf(&fData[0], length + 1, format, args);
		fData.resize(length);
	}
	va_end(args);
	return *this;
}


BString& BString::operator+=(const BString& other) { fData += other.fData; return *this; }
BString& BString::operator+=(const char* text) { fData += Safe(text); return *this; }
BString& BString::operator+=(char c) { fData += c; return *this; }
BString& BString::Append(const BString& other) { return *this += other; }
BString& BString::Append(const char* text) { return *this += text; }


BString&
BString::Append(const char* text, int32 length)
{
	text = Safe(text);
	fData.append(text, length < 0 ? 0 : strnlen(text, length));
	return *this;
}


BString&
BString::Append(char c, int32 count)
{
	if (count > 0)
		fData.append(count, c);
	return *this;
}


BString& BString::Prepend(const char* text) { fData.insert(0, Safe(text)); return *this; }
BString& BString::Prepend(const BString& other) { fData.insert(0, other.fData); return *this; }


BString&
BString::Insert(const char* text, int32 position)
{
	fData.insert(Clamp(position, fData.size()), Safe(text));
	return *this;
}


BString&
BString::Insert(char c, int32 count, int32 position)
{
	if (count > 0)
		fData.insert(Clamp(position, fData.size()), count, c);
	return *this;
}


BString&
BString::Truncate(int32 newLength, bool)
{
	if (newLength >= 0 && (size_t)newLength < fData.size())
		fData.resize(newLength);
	return *this;
}


BString&
BString::Remove(int32 from, int32 length)
{
	if (from >= 0 && length > 0 && (size_t)from < fData.size())
		fData.erase(from, length);
	return *this;
}


BString&
BString::RemoveFirst(const char* text)
{
	return ReplaceFirst(text, "");
}


BString&
BString::RemoveLast(const char* text)
{
	return ReplaceLast(text, "");
}


BString&
BString::RemoveAll(const char* text)
{
	return ReplaceAll(text, "");
}


BString&
BString::RemoveSet(const char* setOfChars)
{
	const char* set = Safe(setOfChars);
	fData.erase(std::remove_if(fData.begin(), fData.end(),
		[set](char c) { return c != '\0' && strchr(set, c) != NULL; }),
		fData.end());
	return *this;
}


BString&
BString::ReplaceFirst(const char* old, const char* with)
{
	old = Safe(old);
	if (*old == '\0')
		return *this;
	size_t pos = fData.find(old);
	if (pos != std::string::npos)
		fData.replace(pos, strlen(old), Safe(with));
	return *this;
}


BString&
BString::ReplaceLast(const char* old, const char* with)
{
	old = Safe(old);
	if (*old == '\0')
		return *this;
	size_t pos = fData.rfind(old);
	if (pos != std::string::npos)
		fData.replace(pos, strlen(old), Safe(with));
	return *this;
}


BString&
BString::ReplaceAll(const char* old, const char* with, int32 fromOffset)
{
	old = Safe(old);
	with = Safe(with);
	size_t oldLength = strlen(old);
	size_t withLength = strlen(with);
	if (oldLength == 0)
		return *this;
	size_t pos = Clamp(fromOffset, fData.size());
	while ((pos = fData.find(old, pos)) != std::string::npos) {
		fData.replace(pos, oldLength, with);
		pos += withLength;
	}
	return *this;
}


BString&
BString::ReplaceAll(char old, char with, int32 fromOffset)
{
	for (size_t i = Clamp(fromOffset, fData.size()); i < fData.size(); i++) {
		if (fData[i] == old)
			fData[i] = with;
	}
	return *this;
}


BString&
BString::ReplaceSet(const char* setOfChars, char with)
{
	const char* set = Safe(setOfChars);
	for (char& c : fData) {
		if (c != '\0' && strchr(set, c) != NULL)
			c = with;
	}
	return *this;
}


BString&
BString::MoveInto(BString& into, int32 from, int32 length)
{
	CopyInto(into, from, length);
	Remove(from, length);
	return into;
}


void
BString::MoveInto(char* into, int32 from, int32 length)
{
	CopyInto(into, from, length);
	Remove(from, length);
}


BString&
BString::CopyInto(BString& into, int32 from, int32 length) const
{
	size_t start = Clamp(from, fData.size());
	size_t count = length < 0 ? 0 : std::min((size_t)length, fData.size() - start);
	into.fData = fData.substr(start, count);
	return into;
}


void
BString::CopyInto(char* into, int32 from, int32 length) const
{
	if (into == NULL)
		return;
	size_t start = Clamp(from, fData.size());
	size_t count = length < 0 ? 0 : std::min((size_t)length, fData.size() - start);
	memcpy(into, fData.data() + start, count);
}


BString&
BString::ToLower()
{
	for (char& c : fData)
		c = tolower((unsigned char)c);
	return *this;
}


BString&
BString::ToUpper()
{
	for (char& c : fData)
		c = toupper((unsigned char)c);
	return *this;
}


BString&
BString::Capitalize()
{
	ToLower();
	if (!fData.empty())
		fData[0] = toupper((unsigned char)fData[0]);
	return *this;
}


BString&
BString::Trim()
{
	size_t start = 0;
	while (start < fData.size() && isspace((unsigned char)fData[start]))
		start++;
	size_t end = fData.size();
	while (end > start && isspace((unsigned char)fData[end - 1]))
		end--;
	fData = fData.substr(start, end - start);
	return *this;
}


int32
BString::FindFirst(const char* text, int32 fromOffset) const
{
	if (text == NULL || fromOffset < 0)
		return B_ERROR;
	size_t pos = fData.find(text, fromOffset);
	return pos == std::string::npos ? B_ERROR : (int32)pos;
}


int32
BString::FindFirst(char c, int32 fromOffset) const
{
	if (fromOffset < 0)
		return B_ERROR;
	size_t pos = fData.find(c, fromOffset);
	return pos == std::string::npos ? B_ERROR : (int32)pos;
}


int32
BString::FindLast(const char* text) const
{
	if (text == NULL)
		return B_ERROR;
	size_t pos = fData.rfind(text);
	return pos == std::string::npos ? B_ERROR : (int32)pos;
}


int32
BString::FindLast(const char* text, int32 beforeOffset) const
{
	if (text == NULL || beforeOffset < 0)
		return B_ERROR;
	size_t length = strlen(text);
	if ((size_t)beforeOffset < length)
		return B_ERROR;
	size_t pos = fData.rfind(text, beforeOffset - length);
	return pos == std::string::npos ? B_ERROR : (int32)pos;
}


int32
BString::FindLast(char c) const
{
	size_t pos = fData.rfind(c);
	return pos == std::string::npos ? B_ERROR : (int32)pos;
}


int32
BString::FindLast(char c, int32 beforeOffset) const
{
	if (beforeOffset <= 0)
		return B_ERROR;
	size_t pos = fData.rfind(c, beforeOffset - 1);
	return pos == std::string::npos ? B_ERROR : (int32)pos;
}


int32
BString::IFindFirst(const char* text, int32 fromOffset) const
{
	if (text == NULL || fromOffset < 0)
		return B_ERROR;
	BString lower(*this);
	BString needle(text);
	lower.ToLower();
	needle.ToLower();
	return lower.FindFirst(needle.String(), fromOffset);
}


bool
BString::StartsWith(const char* text) const
{
	text = Safe(text);
	return fData.compare(0, strlen(text), text) == 0;
}


bool
BString::EndsWith(const char* text) const
{
	text = Safe(text);
	size_t length = strlen(text);
	return length <= fData.size()
		&& fData.compare(fData.size() - length, length, text) == 0;
}


int BString::Compare(const BString& other) const { return strcmp(String(), other.String()); }
int BString::Compare(const char* text) const { return strcmp(String(), Safe(text)); }
int BString::Compare(const char* text, int32 length) const
	{ return length <= 0 ? 0 : strncmp(String(), Safe(text), length); }
int BString::ICompare(const BString& other) const { return strcasecmp(String(), other.String()); }
int BString::ICompare(const char* text) const { return strcasecmp(String(), Safe(text)); }
int BString::ICompare(const char* text, int32 length) const
	{ return length <= 0 ? 0 : strncasecmp(String(), Safe(text), length); }

bool BString::operator==(const BString& other) const { return fData == other.fData; }
bool BString::operator==(const char* text) const { return Compare(text) == 0; }
bool BString::operator!=(const BString& other) const { return fData != other.fData; }
bool BString::operator!=(const char* text) const { return Compare(text) != 0; }
bool BString::operator<(const BString& other) const { return Compare(other) < 0; }
bool BString::operator<(const char* text) const { return Compare(text) < 0; }
bool BString::operator>(const BString& other) const { return Compare(other) > 0; }


char
BString::operator[](int32 index) const
{
	return ByteAt(index);
}


char
BString::ByteAt(int32 index) const
{
	if (index < 0 || (size_t)index >= fData.size())
		return '\0';
	return fData[index];
}


char&
BString::operator[](int32 index)
{
	return fData[index];
}


char*
BString::LockBuffer(int32 maxLength)
{
	if (maxLength > 0 && (size_t)maxLength > fData.size())
		fData.resize(maxLength, '\0');
	fLocked = true;
	return &fData[0];
}


BString&
BString::UnlockBuffer(int32 length)
{
	if (length < 0)
		length = strnlen(fData.c_str(), fData.size());
	fData.resize(std::min((size_t)length, fData.size()));
	fLocked = false;
	return *this;
}


BString& BString::operator<<(const char* text) { return *this += text; }
BString& BString::operator<<(const BString& other) { return *this += other; }
BString& BString::operator<<(char c) { return *this += c; }
BString& BString::operator<<(int value) { fData += std::to_string(value); return *this; }
BString& BString::operator<<(unsigned int value) { fData += std::to_string(value); return *this; }
BString& BString::operator<<(long value) { fData += std::to_string(value); return *this; }
BString& BString::operator<<(unsigned long value) { fData += std::to_string(value); return *this; }
BString& BString::operator<<(long long value) { fData += std::to_string(value); return *this; }
BString& BString::operator<<(unsigned long long value) { fData += std::to_string(value); return *this; }


BString&
BString::operator<<(float value)
{
	return *this << (double)value;
}


BString&
BString::operator<<(double value)
{
	char buffer[64];
	snprintf(buffer, sizeof(buffer), "%.2f", value);
	return *this += buffer;
}


bool operator==(const char* text, const BString& string) { return string == text; }
bool operator!=(const char* text, const BString& string) { return string != text; }
int Compare(const BString& a, const BString& b) { return a.Compare(b); }
int ICompare(const BString& a, const BString& b) { return a.ICompare(b); }
