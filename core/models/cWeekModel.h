// cWeekModel: named weekly hours and, for each weekday Sunday to Saturday,
// the day model that applies (none: a free day). The day models are not
// owned.
#ifndef _C_WEEK_MODEL_H
#define _C_WEEK_MODEL_H

#include <String.h>

class cDayModel;

class cWeekModel {
public:
							cWeekModel();
							cWeekModel(const char* name, int hours,
								int minutes);
							~cWeekModel();

			// day -1 sets all seven days; 0 (Sunday) to 6 that day.
			void			SetDay(int day, cDayModel* dm);

			void			PrintToStream();
			void			IntoFile(const char* path);
			// Appends the line IntoFile writes to the time-profile file.
			void			AppendLine(BString& text) const;

			BString			fName;
			int				fHoursPerWeek;	// 0..168
			int				fMinutes;		// 0..59
			cDayModel*		fDays[7];		// 0 = Sunday
};

#endif	// _C_WEEK_MODEL_H
