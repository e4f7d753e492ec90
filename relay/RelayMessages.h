// Message codes of the relay control: the request a worker thread carries,
// and the reports the workers send to the application.
#ifndef RELAY_MESSAGES_H
#define RELAY_MESSAGES_H

#include <SupportDefs.h>

// "ip" string, "rel" int32, "st" bool, "delay" int32.
static const uint32 kMsgRelayRequest = 'dwms';
// After every switch: "relais" int32, "_rImage" string, "r_open" int32 for
// an opening.
static const uint32 kMsgRelaySwitched = 'mw_s';
// "delay" seconds after an opening: "relais" int32, "_rImage" string.
static const uint32 kMsgRelayTimeUp = 'mw_c';
// The box did not answer (or could not be asked).
static const uint32 kMsgRelayNoAnswer = 'mw_k';

#endif	// RELAY_MESSAGES_H
