// CheckInTime: the entry check applied to a text field.
#include "CheckInTime.h"

#include <TextControl.h>


bool
CheckInTime(BTextControl* field, long kind, int& hours, int& minutes)
{
	char rewritten[ZL_TIME_ENTRY_TEXT_SIZE];
	bool valid = CheckTimeEntry(field != NULL ? field->Text() : "", kind,
		hours, minutes, rewritten, sizeof(rewritten));
	if (field == NULL)
		return valid;
	field->SetText(rewritten);
	if (!valid)
		field->MakeFocus(true);
	return valid;
}
