// The fixed table of interface words, addressed by index 0..122.
//
// Weekday captions are label 51 + weekday (0 = Sunday), month captions label
// 100 + month (1 = January). The Zeta build passes each entry through the
// locale's string lookup; the BeOS build returns the entry itself.
#ifndef _LABELS_H
#define _LABELS_H

#define ZL_LABEL_COUNT 123

const char*	getLabel(int index);

#endif	// _LABELS_H
