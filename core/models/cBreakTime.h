// cBreakTime: a named break from a clock time to a clock time, such as
// "Mittag" 12:00-12:30. The register owns every break model; day models
// refer to them by pointer.
#ifndef _C_BREAK_TIME_H
#define _C_BREAK_TIME_H

#include <time.h>

#include <Rect.h>
#include <String.h>

class cBreakTime {
public:
							cBreakTime();
							cBreakTime(const char* name, int startHour,
								int startMinute, int endHour, int endMinute);
							~cBreakTime();

			void			PrintToStream();
			void			IntoFile(const char* path);
			// Appends the line IntoFile writes to the time-profile file.
			void			AppendLine(BString& text) const;

	// The fields stay public: the model editor and the expected-time
	// queries read them directly.
			BString			fName;
			time_t			fStart;		// today at the start time
			time_t			fEnd;		// today at the end time
			int				fStartHour;
			int				fStartMinute;
			int				fEndHour;
			int				fEndMinute;
			int				fDuration;	// minutes; negative when the end
										// lies before the start
			BRect			fRange;		// (start hhmm, 1, end hhmm, 9)
};

#endif	// _C_BREAK_TIME_H
