// cDayModel: a named working time for one day with the break models that
// fall into such a day. The list of breaks is owned, the breaks are not.
#ifndef _C_DAY_MODEL_H
#define _C_DAY_MODEL_H

#include <List.h>
#include <String.h>

class cBreakTime;

class cDayModel {
public:
							cDayModel();
							cDayModel(const char* name, int hours,
								int minutes);
							~cDayModel();

			void			AddBreakTime(cBreakTime* bt);
			void			RemoveBreakTime(cBreakTime* bt);

			void			PrintToStream();
			void			IntoFile(const char* path);
			// Appends the line IntoFile writes to the time-profile file.
			void			AppendLine(BString& text) const;

			cBreakTime*		BreakAt(int32 index) const
								{ return (cBreakTime*)fBreaks->ItemAt(index); }

			BString			fName;
			BList*			fBreaks;	// of cBreakTime*, sorted by start hour
			int				fDuration;	// fHours * 60 + fMinutes
			int				fHours;
			int				fMinutes;
};

#endif	// _C_DAY_MODEL_H
