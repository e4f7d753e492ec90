// Decoding of a keyboard-wedge reader's key events.
#include "WedgeKeyDecoder.h"

#include <string.h>


WedgeKeyDecoder::WedgeKeyDecoder()
	:
	fPendingSize(0),
	fLeftShift(false),
	fRightShift(false)
{
}


char
WedgeKeyDecoder::CharacterFor(uint16 code, bool shift)
{
	static const char* const kDigits = "1234567890";
	if (code >= KEY_1 && code <= KEY_0)
		return kDigits[code - KEY_1];

	// The letter keys lie in three rows of the key code table.
	static const struct { uint16 first; const char* letters; } kRows[] = {
		{ KEY_Q, "qwertyuiop" }, { KEY_A, "asdfghjkl" }, { KEY_Z, "zxcvbnm" }
	};
	for (const auto& row : kRows) {
		size_t count = strlen(row.letters);
		if (code >= row.first && code < row.first + count) {
			char c = row.letters[code - row.first];
			return shift ? (char)(c - 'a' + 'A') : c;
		}
	}

	switch (code) {
		case KEY_KP0: return '0';
		case KEY_KP1: return '1';
		case KEY_KP2: return '2';
		case KEY_KP3: return '3';
		case KEY_KP4: return '4';
		case KEY_KP5: return '5';
		case KEY_KP6: return '6';
		case KEY_KP7: return '7';
		case KEY_KP8: return '8';
		case KEY_KP9: return '9';
		case KEY_MINUS:
		case KEY_KPMINUS:
			return shift ? '_' : '-';
		case KEY_DOT:
		case KEY_KPDOT:
			return '.';
		case KEY_SPACE: return ' ';
		case KEY_ENTER:
		case KEY_KPENTER:
			return '\n';
	}
	return 0;
}


void
WedgeKeyDecoder::Event(const struct input_event& event, BString& text)
{
	if (event.type != EV_KEY)
		return;
	if (event.code == KEY_LEFTSHIFT) {
		fLeftShift = event.value != 0;
		return;
	}
	if (event.code == KEY_RIGHTSHIFT) {
		fRightShift = event.value != 0;
		return;
	}
	// Only presses type; releases and auto-repeats do not.
	if (event.value != 1)
		return;
	char c = CharacterFor(event.code, fLeftShift || fRightShift);
	if (c != 0)
		text.Append(c, 1);
}


void
WedgeKeyDecoder::Feed(const void* data, size_t size, BString& text)
{
	const uint8* bytes = (const uint8*)data;
	while (size > 0) {
		size_t take = sizeof(struct input_event) - fPendingSize;
		if (take > size)
			take = size;
		memcpy(fPending + fPendingSize, bytes, take);
		fPendingSize += take;
		bytes += take;
		size -= take;
		if (fPendingSize == sizeof(struct input_event)) {
			struct input_event event;
			memcpy(&event, fPending, sizeof(event));
			fPendingSize = 0;
			Event(event, text);
		}
	}
}
