// cWeekModel
#include "cWeekModel.h"

#include <stdio.h>

#include <Labels.h>

#include "ProfileFile.h"
#include "cDayModel.h"


cWeekModel::cWeekModel()
	:
	cWeekModel("WeekModel-Name", 40, 0)
{
}


cWeekModel::cWeekModel(const char* name, int hours, int minutes)
	:
	fName(name),
	fHoursPerWeek(hours < 0 || hours > 168 ? 56 : hours),
	fMinutes(minutes > 59 ? 0 : minutes)
{
	for (int day = 0; day < 7; day++)
		fDays[day] = NULL;
}


cWeekModel::~cWeekModel()
{
}


void
cWeekModel::SetDay(int day, cDayModel* dm)
{
	if (day == -1) {
		for (int i = 0; i < 7; i++)
			fDays[i] = dm;
	} else if (day >= 0 && day < 7)
		fDays[day] = dm;
}


void
cWeekModel::PrintToStream()
{
	printf("WM %d:%02d |%s \n", fHoursPerWeek, fMinutes, fName.String());
	for (int day = 0; day < 7; day++) {
		if (fDays[day] != NULL)
			fDays[day]->PrintToStream();
		else
			printf("%s - NULL\n", getLabel(51 + day));
	}
}


void
cWeekModel::AppendLine(BString& text) const
{
	BString hours;
	hours.SetToFormat("WM %03d:%02d ", fHoursPerWeek, fMinutes);
	text << hours << fName;
	for (int day = 0; day < 7; day++)
		text << ",*" << (fDays[day] != NULL ? fDays[day]->fName.String() : "NULL");
	text << ",*NULL\n";
}


void
cWeekModel::IntoFile(const char* path)
{
	BString line;
	AppendLine(line);
	BPrivate::append_profile_text(path, line);
}
