// Message codes and field names of scanlet.
#ifndef SCANLET_MESSAGES_H
#define SCANLET_MESSAGES_H

#include <SupportDefs.h>

// To the application: one tag read.
static const uint32 kMsgTagRead = 'RFID';
// From the application: a request for reads ("_NeedTagQuantitys" int32,
// "_AppTarget" string); the next reads carry "_spTarget" and "_spCounter".
static const uint32 kMsgRequestRead = 'sRFT';

// From a source thread to scanlet's own looper: "tag" string, "when"
// int64 (system_time of the read).
static const uint32 kMsgSourceRead = 'sTRd';
// A source came to its end: "status" int32, "error" string when it failed.
static const uint32 kMsgSourceEnded = 'sEnd';

#endif	// SCANLET_MESSAGES_H
