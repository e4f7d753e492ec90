// BString: a growable, always zero-terminated byte string.
#ifndef _B_STRING_H
#define _B_STRING_H

#include <string>

#include <SupportDefs.h>

class BString {
public:
							BString();
							BString(const char* text);
							BString(const char* text, int32 maxLength);
							BString(const BString& other);
							BString(BString&& other) noexcept;
							~BString();

			const char*		String() const { return fData.c_str(); }
			int32			Length() const { return (int32)fData.size(); }
			int32			CountChars() const;
			bool			IsEmpty() const { return fData.empty(); }

			BString&		operator=(const BString& other);
			BString&		operator=(BString&& other) noexcept;
			BString&		operator=(const char* text);
			BString&		operator=(char c);
			BString&		SetTo(const char* text);
			BString&		SetTo(const char* text, int32 maxLength);
			BString&		SetTo(char c, int32 count);
			BString&		SetToFormat(const char* format, ...)
								__attribute__((format(printf, 2, 3)));

			BString&		operator+=(const BString& other);
			BString&		operator+=(const char* text);
			BString&		operator+=(char c);
			BString&		Append(const BString& other);
			BString&		Append(const char* text);
			BString&		Append(const char* text, int32 length);
			BString&		Append(char c, int32 count);
			BString&		Prepend(const char* text);
			BString&		Prepend(const BString& other);
			BString&		Insert(const char* text, int32 position);
			BString&		Insert(char c, int32 count, int32 position);

			BString&		Truncate(int32 newLength, bool lazy = true);
			BString&		Remove(int32 from, int32 length);
			BString&		RemoveFirst(const char* text);
			BString&		RemoveLast(const char* text);
			BString&		RemoveAll(const char* text);
			BString&		RemoveSet(const char* setOfChars);
			BString&		ReplaceFirst(const char* old, const char* with);
			BString&		ReplaceLast(const char* old, const char* with);
			BString&		ReplaceAll(const char* old, const char* with,
								int32 fromOffset = 0);
			BString&		ReplaceAll(char old, char with,
								int32 fromOffset = 0);
			BString&		ReplaceSet(const char* setOfChars, char with);
			BString&		MoveInto(BString& into, int32 from, int32 length);
			void			MoveInto(char* into, int32 from, int32 length);
			BString&		CopyInto(BString& into, int32 from,
								int32 length) const;
			void			CopyInto(char* into, int32 from,
								int32 length) const;

			BString&		ToLower();
			BString&		ToUpper();
			BString&		Capitalize();
			BString&		Trim();

			int32			FindFirst(const char* text, int32 fromOffset = 0) const;
			int32			FindFirst(char c, int32 fromOffset = 0) const;
			int32			FindLast(const char* text) const;
			int32			FindLast(const char* text, int32 beforeOffset) const;
			int32			FindLast(char c) const;
			int32			FindLast(char c, int32 beforeOffset) const;
			int32			IFindFirst(const char* text, int32 fromOffset = 0) const;
			bool			StartsWith(const char* text) const;
			bool			EndsWith(const char* text) const;

			int				Compare(const BString& other) const;
			int				Compare(const char* text) const;
			int				Compare(const char* text, int32 length) const;
			int				ICompare(const BString& other) const;
			int				ICompare(const char* text) const;
			int				ICompare(const char* text, int32 length) const;

			bool			operator==(const BString& other) const;
			bool			operator==(const char* text) const;
			bool			operator!=(const BString& other) const;
			bool			operator!=(const char* text) const;
			bool			operator<(const BString& other) const;
			bool			operator<(const char* text) const;
			bool			operator>(const BString& other) const;

			char			operator[](int32 index) const;
			char			ByteAt(int32 index) const;
			char&			operator[](int32 index);

			// Raw access: the buffer is resized to maxLength bytes and may be
			// written; UnlockBuffer recomputes the length (or takes the given
			// one).
			char*			LockBuffer(int32 maxLength);
			BString&		UnlockBuffer(int32 length = -1);

			BString&		operator<<(const char* text);
			BString&		operator<<(const BString& other);
			BString&		operator<<(char c);
			BString&		operator<<(int value);
			BString&		operator<<(unsigned int value);
			BString&		operator<<(long value);
			BString&		operator<<(unsigned long value);
			BString&		operator<<(long long value);
			BString&		operator<<(unsigned long long value);
			BString&		operator<<(float value);
			BString&		operator<<(double value);

private:
			std::string		fData;
			bool			fLocked;
};

bool operator==(const char* text, const BString& string);
bool operator!=(const char* text, const BString& string);
int Compare(const BString& a, const BString& b);
int ICompare(const BString& a, const BString& b);

#endif	// _B_STRING_H
