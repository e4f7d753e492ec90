// Switching the relay box's four relays with wget, one worker thread per
// switch, and the picture of the relays that the program keeps.
#ifndef MWS_CONTROL_H
#define MWS_CONTROL_H

#include <SupportDefs.h>

// The relay status image: "-" at index 0 once initialised, then relay 1 to
// 4 as "o" (open), "x" (closed) or "u" (a switch failed, state unknown),
// then "---".
extern char MWS_RSTATUS[16];
// Whether wget was looked for (once per run), whether it was found, and
// where.
extern bool wgetChecked;
extern bool wgetFound;
extern char wgetPath[1024];

// Asks for relay 1 to 4 to be opened (for delay seconds) or closed; returns
// at once. A request that would not change the image is refused.
void Own_Thread(int relay, bool open, const char* ip, long delay);

// The worker thread's function; data is the request message, which the
// worker deletes. Returns 0 for no message, else 1.
status_t DoWithMWS(void* data);

// True for a host name or dotted IPv4 address with an optional ":port",
// the only relay addresses handed to wget.
bool IsValidRelayAddress(const char* address);

#endif	// MWS_CONTROL_H
