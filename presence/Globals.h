// The program's global variables: window geometry, the reader's presence,
// the in-house count and the names of the presence states.
#ifndef ZLM_GLOBALS_H
#define ZLM_GLOBALS_H

#include <SupportDefs.h>

extern int32 MENG_V;
extern float WIN_X;
extern float WIN_Y;
extern float WIN_W;
extern float WIN_H;

// True once DeviceWatcherStarten found the reader or started it.
extern bool DeviceIsRunning;
// Persons in the house, over all presence rows.
extern int32 InHouseMenge;

enum {
	TAG_INI = 0,
	TAG__IN,
	TAG_OUT,
	TAG_EER
};
extern const char* const TStat[4];

#endif	// ZLM_GLOBALS_H
