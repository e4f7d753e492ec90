// Key events of a keyboard-wedge reader (Linux input events) turned back
// into the characters it types, on the US layout these readers emulate.
// Enter ends a tag, so the output is a text of lines for TagLineSplitter.
#ifndef WEDGE_KEY_DECODER_H
#define WEDGE_KEY_DECODER_H

#include <linux/input.h>

#include <String.h>
#include <SupportDefs.h>

class WedgeKeyDecoder {
public:
							WedgeKeyDecoder();

	// Takes raw bytes read from an event device, in pieces of any size,
	// and appends the characters typed to text ('\n' for Enter).
			void			Feed(const void* data, size_t size,
								BString& text);
	// One event.
			void			Event(const struct input_event& event,
								BString& text);

	// The character of a key (0 for keys that type nothing).
	static	char			CharacterFor(uint16 code, bool shift);

private:
			uint8			fPending[sizeof(struct input_event)];
			size_t			fPendingSize;
			bool			fLeftShift;
			bool			fRightShift;
};

#endif	// WEDGE_KEY_DECODER_H
