// The label table. Built twice: plainly, and with ZELMORA_ZETA, where every
// entry is looked up in the translation catalogue by its exact text.
#include "Labels.h"

#include <stddef.h>

#ifdef ZELMORA_ZETA
#	include <Locale.h>
#endif


// Reserved slots hold their own index in decimal.
static const char* const eLabel[] = {
	"Zelmora", "TagNum", "Open", "Save", "Last: ",					// 0
	"In: ", "More", "Quit", "Edit", "Cut",							// 5
	"Copy", "Paste", "About", "Delete", "Modify",					// 10
	"Split", "Join", "Move Up", "Move Down", "19",					// 15
	"20", "Time-INFO", "Protokoll", "Model", "Diverses",			// 20
	"25", "Name:", "unknown", "28", "29",							// 25
	"30", "open RFId-File", "open TimeDef-File",					// 30
		"open TagsWithEmployee-File", "open Settings-File",
	"35", "36", "37", "Select Tag :", "Info",						// 35
	"40", "Week:", "no WeekProfil", "Day:", "no DayModel",			// 40
	"Break:", "no BreakModel", "47", "New Profile", "Use ",		// 45
	"save into Tag-File", "Su", "Mo", "Tu", "We",					// 50
	"Th", "Fr", "Sa", "58", "59",									// 55
	"add Breakmodel", "remove BreakModel", "62", "63", "64",		// 60
	"break from:", "break to:", "working hours:", "weekly hours:",	// 65
		"69",
	"70", "save list", "72", "73", " %y/%m/%d ",					// 70
	"<br>", "76", "77", "78", "79",									// 75
	"80", "record not complede\n", "expected presence",				// 80
		"  real presence", "time account",
	"payday is: ", "accounting month ", "87", "88", "89",			// 85
	"90", "Use MWS", "Tags use Relay:", "MWS-IP",					// 90
		"Relay close after: ",
	"95", "96", "97", " MWS_NON_REPLY ", "open all relay",			// 95
	"100", "Jan", "Feb", "Mar", "Apr",								// 100
	"May", "June", "July", "Aug", "Sept",							// 105
	"Oct", "Nov", "Dec", "e113", "e114",							// 110
	"current", "e116", "e117", "e118", "e119",						// 115
	"Thanks to", "e121", ""											// 120
};
static_assert(sizeof(eLabel) / sizeof(eLabel[0]) == ZL_LABEL_COUNT,
	"one text per label");


// An index outside the table gives the empty text rather than a read
// beyond it.
const char*
getLabel(int index)
{
	if (index < 0 || index >= ZL_LABEL_COUNT)
		return "";
#ifdef ZELMORA_ZETA
	return be_locale->GetString(eLabel[index]);
#else
	return eLabel[index];
#endif
}
