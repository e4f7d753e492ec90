// cDayModel
#include "cDayModel.h"

#include <stdio.h>

#include "ProfileFile.h"
#include "cBreakTime.h"


cDayModel::cDayModel()
	:
	cDayModel("DayModel-Name", 0, 0)
{
}


cDayModel::cDayModel(const char* name, int hours, int minutes)
	:
	fName(name),
	fBreaks(new BList(20)),
	fDuration(hours * 60 + minutes),
	fHours(hours),
	fMinutes(minutes)
{
}


cDayModel::~cDayModel()
{
	fBreaks->MakeEmpty();
	delete fBreaks;
}


// Appends a break and keeps the list sorted by start hour with a stable
// exchange sort: breaks of the same start hour stay in the order they were
// added.
void
cDayModel::AddBreakTime(cBreakTime* bt)
{
	if (bt != NULL && fBreaks->HasItem(bt)) {
		printf("BT schon in list...\n");
		return;
	}
	if (bt == NULL)
		printf("BT ist NULL-Ptr...\n");
	else
		fBreaks->AddItem(bt);

	bool swapped = true;
	while (swapped) {
		swapped = false;
		for (int32 i = 0; i + 1 < fBreaks->CountItems(); i++) {
			if (BreakAt(i + 1)->fStartHour < BreakAt(i)->fStartHour) {
				fBreaks->SwapItems(i, i + 1);
				swapped = true;
				break;
			}
		}
	}
}


void
cDayModel::RemoveBreakTime(cBreakTime* bt)
{
	if (bt == NULL) {
		printf("BT ist NULL-Ptr...\n");
		return;
	}
	if (fBreaks->RemoveItem(bt))
		printf("BT remove gefunden...\n");
	else
		printf("BT remove nicht gefunden... (%s)\n", bt->fName.String());
}


void
cDayModel::PrintToStream()
{
	printf("DM %02d:%02d |%s [%ld]\n", fHours, fMinutes, fName.String(),
		(long)fDuration);
	for (int32 i = 0; i < fBreaks->CountItems(); i++)
		BreakAt(i)->PrintToStream();
}


void
cDayModel::AppendLine(BString& text) const
{
	BString duration;
	duration.SetToFormat("DM %02d:%02d", fHours, fMinutes);
	text << duration << " " << fName;
	for (int32 i = 0; i < fBreaks->CountItems(); i++)
		text << ",*" << BreakAt(i)->fName;
	text << ",*NULL\n";
}


void
cDayModel::IntoFile(const char* path)
{
	BString line;
	AppendLine(line);
	BPrivate::append_profile_text(path, line);
}
