// The checks a new model's name must pass before the model editor creates
// it. A name that fails could not be found again after the next start: the
// time-profile file and the booking files' week-model markers keep names
// in fixed places and between fixed separators.
#ifndef _MODEL_NAMES_H
#define _MODEL_NAMES_H

#include <String.h>

class STimeModels;
class cDayModel;

enum model_kind {
	kWeekModelKind,
	kDayModelKind,
	kBreakModelKind
};

// Bounds of a model's name, in bytes.
enum {
	kModelNameMin = 3,
	kModelNameMax = 31,
	kWeekNameMax = 15,
	// A day model's file line carries at most this many breaks.
	kDayBreaksMax = 9
};

// True when a model of that kind may be created under the name; else
// reason says why, in words for the user. register may be NULL (no check
// for an existing name then).
bool	CheckNewModelName(model_kind kind, const char* name,
			STimeModels* models, BString& reason);

// True when the break may be added to the day (it is there already, or the
// day has room); else reason says why.
bool	CheckBreakRoom(const cDayModel* day, const void* breakModel,
			BString& reason);

#endif	// _MODEL_NAMES_H
