// STimeModels: the process-wide register of all working-time models. It
// owns every break, day and week model, finds them by name, holds the week
// model the expected-time queries work with, and keeps the models in the
// time-profile file "_Time_Profiles_" of the folder "Employee" beside the
// executable: read when the register is made (or the built-in defaults when
// there is no file), written whole when it is dismissed with DeleteMe.
//
// No lock of its own beyond the one held while the file is read; it is used
// from the records window's thread.
#ifndef _S_TIME_MODELS_H
#define _S_TIME_MODELS_H

#include <stdio.h>

#include <List.h>
#include <Locker.h>
#include <Path.h>
#include <String.h>

#include "cBreakTime.h"
#include "cDayModel.h"
#include "cWeekModel.h"

class STimeModels {
public:
	static	STimeModels*	getTimeModels();

							STimeModels();
	virtual					~STimeModels();

	// Expected working time, all on fWeekModel.
	virtual	void			ErwartetTagesStd(long* when, long& minutes,
								BString* text);
	virtual	void			ErwartetWochenStd(long& minutes, BString* text);
	virtual	void			ErwartetMonatsStd(long* when, int payDay,
								long& minutes, BString* text);
	virtual	void			ShowInherendBTs(long* in, long* out,
								long& minutes, BString* text);

	virtual	void			SaveDataFile();
	virtual	void			OpenDataFile();
	virtual	void			GetDefaultBreaks();
	virtual	void			DeleteMe();

			cBreakTime*		GetBtIfExist(const char* name);
			cDayModel*		GetDmIfExist(const char* name);
			cWeekModel*		GetWmIfExist(const char* name);

			// Adds the models of a time-profile text, line by line as the
			// file is read; OpenDataFile hands the file here.
			void			ReadProfiles(FILE* file);
			// The whole text SaveDataFile writes.
			void			ComposeProfiles(BString& text) const;

			cBreakTime*		BreakTimeAt(int32 index) const
								{ return (cBreakTime*)fBreakTimes->ItemAt(index); }
			cDayModel*		DayModelAt(int32 index) const
								{ return (cDayModel*)fDayModels->ItemAt(index); }
			cWeekModel*		WeekModelAt(int32 index) const
								{ return (cWeekModel*)fWeekModels->ItemAt(index); }

	// The folder that holds "_Time_Profiles_" for registers made from now
	// on; by default "Employee" beside the executable. Tests hand their own
	// folder, so they run side by side.
	static	void			SetDataFolder(const char* folder);

			BPath			fPath;			// the time-profile file
			BList*			fWeekModels;	// owned cWeekModel*
			BList*			fDayModels;		// owned cDayModel*
			BList*			fBreakTimes;	// owned cBreakTime*
			cWeekModel*		fWeekModel;		// current week model, not owned
			BLocker			fLock;			// held while the file is read

	static	STimeModels*	fModelsZgr;

private:
			struct ReadIndex;

			void			_ReadLine(char* line, ReadIndex& index);
			void			_ReadBreakTime(const char* line,
								ReadIndex& index);
			void			_ReadDayModel(const char* line,
								ReadIndex& index);
			void			_ReadWeekModel(const char* line,
								ReadIndex& index);
			void			_SortLists();
};

#endif	// _S_TIME_MODELS_H
