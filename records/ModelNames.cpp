// Name checks for new break, day and week models.
#include "ModelNames.h"

#include <stdio.h>
#include <string.h>

#include <Labels.h>
#include <List.h>

#include <STimeModels.h>
#include <cDayModel.h>


static const char*
kind_word(model_kind kind)
{
	switch (kind) {
		case kWeekModelKind:
			return "week model";
		case kDayModelKind:
			return "day model";
		default:
			return "break model";
	}
}


// The choices of the model pop-ups: a model under such a name would be
// taken for the choice ("no DayModel" is looked up as a name).
static bool
is_choice_label(const char* name)
{
	static const int kChoices[] = { 42, 44, 46, 48 };
	for (int label : kChoices) {
		if (strcmp(name, getLabel(label)) == 0)
			return true;
	}
	return false;
}


static bool
name_exists(model_kind kind, const char* name, STimeModels* models)
{
	if (models == NULL)
		return false;
	switch (kind) {
		case kWeekModelKind:
			return models->GetWmIfExist(name) != NULL;
		case kDayModelKind:
			return models->GetDmIfExist(name) != NULL;
		default:
			return models->GetBtIfExist(name) != NULL;
	}
}


bool
CheckNewModelName(model_kind kind, const char* name, STimeModels* models,
	BString& reason)
{
	if (name == NULL)
		name = "";
	size_t length = strlen(name);
	size_t longest = kind == kWeekModelKind ? kWeekNameMax : kModelNameMax;
	const char* word = kind_word(kind);
	char text[256];

	if (strpbrk(name, "\r\n") != NULL) {
		snprintf(text, sizeof(text), "A %s's name cannot hold a line end.",
			word);
	} else if (length < kModelNameMin || length > longest) {
		snprintf(text, sizeof(text),
			"A %s's name needs %d to %d characters; \"%s\" has %d.", word,
			(int)kModelNameMin, (int)longest, name, (int)length);
	} else if (strstr(name, ",*") != NULL) {
		snprintf(text, sizeof(text),
			"A %s's name cannot hold \",*\": it separates the names in the "
			"time-profile file.", word);
	} else if (kind == kWeekModelKind && strpbrk(name, " \t;") != NULL) {
		snprintf(text, sizeof(text),
			"A week model's name cannot hold blanks or ';': the marker in a "
			"booking file would lose them.");
	} else if (strcmp(name, "NULL") == 0) {
		snprintf(text, sizeof(text),
			"\"NULL\" ends a list in the time-profile file; it cannot name "
			"a %s.", word);
	} else if (is_choice_label(name)) {
		snprintf(text, sizeof(text),
			"\"%s\" is a choice of the pop-up menu; it cannot name a %s.",
			name, word);
	} else if (name_exists(kind, name, models)) {
		snprintf(text, sizeof(text), "There is a %s named \"%s\" already.",
			word, name);
	} else
		return true;

	reason = text;
	return false;
}


bool
CheckBreakRoom(const cDayModel* day, const void* breakModel, BString& reason)
{
	if (day == NULL || breakModel == NULL
		|| day->fBreaks->HasItem((void*)breakModel)
		|| day->fBreaks->CountItems() < kDayBreaksMax)
		return true;
	char text[256];
	snprintf(text, sizeof(text),
		"The day model \"%s\" has %d breaks; its line in the time-profile "
		"file carries no more.", day->fName.String(), (int)kDayBreaksMax);
	reason = text;
	return false;
}
