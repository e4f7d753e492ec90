// STimeModels: the model register, its time-profile file and the expected
// working time.
#include "STimeModels.h"

#include <string.h>
#include <time.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include <Application.h>
#include <Labels.h>
#include <Roster.h>

#include "ProfileFile.h"


STimeModels* STimeModels::fModelsZgr = NULL;

static BString sDataFolder;

static const char* const kProfileFileName = "_Time_Profiles_";
static const char* const kBuildId = "ZLM-01";
// The separator line of the file: "; -" and seven times a tab and "-".
static const char* const kSeparator = "; -\t-\t-\t-\t-\t-\t-\t-\n";

// Numbers of the file are clock and hour counts; anything longer than six
// digits is read as 999999, so no arithmetic on them can overflow.
static const int kNumberLimit = 999999;
// Break names taken from one day-model line.
static const int kMaxBreaksPerLine = 9;


// The folder "Employee" beside the running executable, as the
// application's info names it. Without an application object (a tool or a
// test that made none) it is "Employee" in the working folder.
static BString
employee_folder()
{
	app_info info;
	BPath executable;
	BPath folder;
	if (be_app != NULL && be_app->GetAppInfo(&info) == B_OK
		&& executable.SetTo(&info.ref) == B_OK
		&& executable.GetParent(&folder) == B_OK) {
		folder.Append("Employee");
		return BString(folder.Path());
	}
	return BString("Employee");
}


// Decimal digits up to the first non-digit; none give 0.
static int
read_number(const char* text)
{
	int value = 0;
	if (text == NULL)
		return 0;
	for (; *text >= '0' && *text <= '9'; text++) {
		value = value * 10 + (*text - '0');
		if (value > kNumberLimit)
			value = kNumberLimit;
	}
	return value;
}


// The number after the first `mark` at or after `from`; 0 without one.
static int
read_number_after(const char* from, char mark)
{
	const char* found = from != NULL ? strchr(from, mark) : NULL;
	return found != NULL ? read_number(found + 1) : 0;
}


// The name of a "DM " or "WM " line: from behind the first blank that
// follows the kind up to the first ",*". `list` is set to that ",*" (NULL
// when the line has none, and then the name runs to the end of the line).
static void
split_model_line(const char* line, BString& name, const char*& list)
{
	list = strstr(line + 3, ",*");
	const char* blank = strchr(line + 3, ' ');
	if (blank == NULL || (list != NULL && blank > list)) {
		name = "";
		return;
	}
	const char* start = blank + 1;
	name.SetTo(start, list != NULL ? (int32)(list - start)
		: (int32)strlen(start));
}


template<typename Model, typename Key>
static void
stable_sort_list(BList* list, Key key)
{
	std::vector<Model*> items;
	for (int32 i = 0; i < list->CountItems(); i++)
		items.push_back((Model*)list->ItemAt(i));
	std::stable_sort(items.begin(), items.end(),
		[&](const Model* a, const Model* b) { return key(a) < key(b); });
	for (int32 i = 0; i < (int32)items.size(); i++)
		list->ReplaceItem(i, items[i]);
}


template<typename Model>
static Model*
find_last_named(BList* list, const char* name)
{
	if (name == NULL)
		return NULL;
	for (int32 i = list->CountItems() - 1; i >= 0; i--) {
		Model* model = (Model*)list->ItemAt(i);
		if (model->fName == name)
			return model;
	}
	return NULL;
}


template<typename Model>
static void
delete_models(BList* list)
{
	for (int32 i = list->CountItems() - 1; i >= 0; i--)
		delete (Model*)list->ItemAt(i);
	list->MakeEmpty();
}


//	#pragma mark - register


STimeModels*
STimeModels::getTimeModels()
{
	if (fModelsZgr == NULL) {
		fModelsZgr = new STimeModels();
		printf("NEW STimeModels*\n");
	} else
		printf("OLD STimeModels*\n");
	return fModelsZgr;
}


STimeModels::STimeModels()
	:
	fWeekModels(new BList(20)),
	fDayModels(new BList(20)),
	fBreakTimes(new BList(20)),
	fWeekModel(NULL),
	fLock("time models")
{
	BString folder = sDataFolder;
	if (folder.IsEmpty())
		folder = employee_folder();
	fPath.SetTo(folder.String(), kProfileFileName);

	OpenDataFile();
	printf(" STimeModels-BUILD \n");
}


STimeModels::~STimeModels()
{
	delete_models<cWeekModel>(fWeekModels);
	delete_models<cDayModel>(fDayModels);
	delete_models<cBreakTime>(fBreakTimes);
	fPath.Unset();
	fWeekModel = NULL;
	delete fWeekModels;
	delete fDayModels;
	delete fBreakTimes;
	printf("DESTROY-STimeModels done\n");
	if (fModelsZgr == this)
		fModelsZgr = NULL;
}


void
STimeModels::DeleteMe()
{
	printf("DESTROY-STimeModels::DeleteMe\n");
	SaveDataFile();
	delete this;
	printf("DESTROY-STimeModels::DeleteMe done\n");
}


void
STimeModels::SetDataFolder(const char* folder)
{
	sDataFolder = folder != NULL ? folder : "";
}


cBreakTime*
STimeModels::GetBtIfExist(const char* name)
{
	return find_last_named<cBreakTime>(fBreakTimes, name);
}


cDayModel*
STimeModels::GetDmIfExist(const char* name)
{
	return find_last_named<cDayModel>(fDayModels, name);
}


cWeekModel*
STimeModels::GetWmIfExist(const char* name)
{
	return find_last_named<cWeekModel>(fWeekModels, name);
}


//	#pragma mark - time-profile file


void
STimeModels::OpenDataFile()
{
	printf("STimeModels::OpenDataFile\n");
	fLock.Lock();

	FILE* file = fopen(fPath.Path(), "re");
	if (file == NULL) {
		printf(" else GetDefaultBreaks()\n");
		GetDefaultBreaks();
	} else {
		printf("Found: %s\n", fPath.Path());
		ReadProfiles(file);
		fclose(file);
	}

	fLock.Unlock();

	_SortLists();
	printf("--  %ld BT | %ld DM | %ld WM\n\n", (long)fBreakTimes->CountItems(),
		(long)fDayModels->CountItems(), (long)fWeekModels->CountItems());
}


// Break and day models by name while a file is read: the same answers as
// GetBtIfExist and GetDmIfExist (with equal names the model nearest the end
// of its list), without walking the lists for every reference.
struct STimeModels::ReadIndex {
	std::unordered_map<std::string, cBreakTime*> breaks;
	std::unordered_map<std::string, cDayModel*> days;

	cBreakTime* Break(const BString& name) const
	{
		auto found = breaks.find(name.String());
		return found != breaks.end() ? found->second : NULL;
	}

	cDayModel* Day(const BString& name) const
	{
		auto found = days.find(name.String());
		return found != days.end() ? found->second : NULL;
	}
};


// Lines are read in pieces of at most 511 characters; a longer line is read
// as several pieces, each taken as a line of its own.
void
STimeModels::ReadProfiles(FILE* file)
{
	ReadIndex index;
	for (int32 i = 0; i < fBreakTimes->CountItems(); i++)
		index.breaks[BreakTimeAt(i)->fName.String()] = BreakTimeAt(i);
	for (int32 i = 0; i < fDayModels->CountItems(); i++)
		index.days[DayModelAt(i)->fName.String()] = DayModelAt(i);

	char line[512];
	while (fgets(line, sizeof(line), file) != NULL)
		_ReadLine(line, index);
}


void
STimeModels::_ReadLine(char* line, ReadIndex& index)
{
	if (strlen(line) <= 4 || line[0] == ';' || line[0] == '#')
		return;

	printf("(in) %s\n", line);
	char* to = line;
	for (const char* from = line; *from != '\0'; from++) {
		if (*from != '\r' && *from != '\n')
			*to++ = *from;
	}
	*to = '\0';

	if (strncmp(line, "BT ", 3) == 0)
		_ReadBreakTime(line, index);
	else if (strncmp(line, "DM ", 3) == 0)
		_ReadDayModel(line, index);
	else if (strncmp(line, "WM ", 3) == 0)
		_ReadWeekModel(line, index);
}


// BT hh:mm-hh:mm name
void
STimeModels::_ReadBreakTime(const char* line, ReadIndex& index)
{
	int startHour = read_number(line + 3);
	int startMinute = read_number_after(line, ':');
	const char* dash = strchr(line, '-');
	int endHour = dash != NULL ? read_number(dash + 1) : 0;
	int endMinute = dash != NULL ? read_number_after(dash, ':') : 0;
	const char* blank = strchr(line + 3, ' ');
	const char* name = blank != NULL ? blank + 1 : "";

	cBreakTime* bt = new cBreakTime(name, startHour, startMinute, endHour,
		endMinute);
	fBreakTimes->AddItem(bt);
	index.breaks[bt->fName.String()] = bt;
}


// DM hh:mm name,*break1,*break2,...,*NULL
void
STimeModels::_ReadDayModel(const char* line, ReadIndex& index)
{
	int hours = read_number(line + 3);
	int minutes = read_number_after(line, ':');
	BString name;
	const char* list;
	split_model_line(line, name, list);

	cDayModel* day = new cDayModel(name.String(), hours, minutes);
	fDayModels->AddItem(day);
	index.days[day->fName.String()] = day;

	// Each name stands between two ",*"; the text after the last one (the
	// closing "NULL") is never a name.
	for (int count = 0; list != NULL && count < kMaxBreaksPerLine; count++) {
		const char* start = list + 2;
		const char* next = strstr(start, ",*");
		if (next == NULL)
			break;
		BString breakName(start, (int32)(next - start));
		printf("%d - %s (%ld|%ld )\n", count, breakName.String(),
			(long)breakName.Length(), (long)breakName.Length());
		if (breakName.Length() <= 2)
			break;

		cBreakTime* bt = index.Break(breakName);
		if (bt != NULL)
			day->AddBreakTime(bt);
		else
			printf("..not found (BT:%s)\n", breakName.String());
		list = next;
	}
}


// WM hhh:mm name,*day0,*day1,...,*day6,*NULL
void
STimeModels::_ReadWeekModel(const char* line, ReadIndex& index)
{
	int hours = read_number(line + 3);
	int minutes = read_number_after(line, ':');
	BString name;
	const char* list;
	split_model_line(line, name, list);
	name.RemoveAll(" ");

	cWeekModel* week = new cWeekModel(name.String(), hours, minutes);
	fWeekModels->AddItem(week);

	// Days without a name stay free; "NULL" is a free day.
	for (int day = 0; day < 7 && list != NULL; day++) {
		const char* start = list + 2;
		const char* next = strstr(start, ",*");
		BString dayName(start, next != NULL ? (int32)(next - start)
			: (int32)strlen(start));
		if (dayName != "NULL")
			week->SetDay(day, index.Day(dayName));
		list = next;
	}
}


void
STimeModels::_SortLists()
{
	stable_sort_list<cBreakTime>(fBreakTimes,
		[](const cBreakTime* bt) { return bt->fStartHour; });
	stable_sort_list<cDayModel>(fDayModels,
		[](const cDayModel* dm) { return dm->fHours; });
	stable_sort_list<cWeekModel>(fWeekModels,
		[](const cWeekModel* wm) { return wm->fHoursPerWeek; });
}


void
STimeModels::ComposeProfiles(BString& text) const
{
	BString title;
	title.SetToFormat("; -\t%s\t%s - \n", "Zelmora", kBuildId);
	text << title;

	text << kSeparator << "; -\tBreakTimes first | Pausenzeiten \n"
		"; -\tStart-End Name\n" << kSeparator;
	for (int32 i = 0; i < fBreakTimes->CountItems(); i++)
		BreakTimeAt(i)->AppendLine(text);

	text << kSeparator << "; -\tDayModels | TagModelle\n"
		"; -\tDuration Name ,*BreakTimesNames..\n" << kSeparator;
	for (int32 i = 0; i < fDayModels->CountItems(); i++)
		DayModelAt(i)->AppendLine(text);

	text << kSeparator << "; -\tWeekModels | WochenModelle\n"
		"; -\tHoursPerWeek Name ,*DayModelNames(SO-SA)\n" << kSeparator;
	for (int32 i = 0; i < fWeekModels->CountItems(); i++)
		WeekModelAt(i)->AppendLine(text);

	text << kSeparator << "; - EOF\n";
}


// The whole file is written in one step: a crash halfway leaves the old
// file or the new one, never a mix of both.
void
STimeModels::SaveDataFile()
{
	printf("STimeModels::SaveDataFile\n");
	BString text;
	ComposeProfiles(text);
	if (BPrivate::replace_profile_file(fPath.Path(), text) == B_OK)
		printf("SAVE DONE\n");
	else
		printf("SAVE FAILED: %s\n", fPath.Path());
}


void
STimeModels::GetDefaultBreaks()
{
	printf("DefaultBreaks..\n");

	cBreakTime* morning = new cBreakTime("Morgen", 9, 0, 9, 15);
	cBreakTime* noon = new cBreakTime("Mittag", 12, 0, 12, 30);
	fBreakTimes->AddItem(morning);
	fBreakTimes->AddItem(noon);
	fBreakTimes->AddItem(new cBreakTime("Ghost", 23, 30, 23, 45));
	fBreakTimes->AddItem(new cBreakTime("Unionbreak", 23, 30, 23, 45));
	fBreakTimes->AddItem(new cBreakTime("No-Breaks", 0, 0, 0, 0));

	cDayModel* plain = new cDayModel("G-WerkTags", 7, 30);
	cDayModel* withBreaks = new cDayModel("A-WerkTags", 7, 30);
	withBreaks->AddBreakTime(morning);
	withBreaks->AddBreakTime(noon);
	cDayModel* shortly = new cDayModel("X-Shortly3", 3, 0);
	fDayModels->AddItem(plain);
	fDayModels->AddItem(withBreaks);
	fDayModels->AddItem(shortly);

	cWeekModel* standard = new cWeekModel("G-Standart", 35, 0);
	standard->SetDay(-1, plain);
	standard->SetDay(5, shortly);
	cWeekModel* always = new cWeekModel("A-Standart", 40, 0);
	always->SetDay(-1, withBreaks);
	fWeekModels->AddItem(standard);
	fWeekModels->AddItem(always);
}


//	#pragma mark - expected working time


// The day model of the weekday of a moment; none for a free day or without
// a current week model.
static cDayModel*
day_model_of(cWeekModel* week, time_t moment, struct tm* broken)
{
	if (localtime_r(&moment, broken) == NULL || broken->tm_wday < 0
		|| broken->tm_wday > 6)
		return NULL;
	return week->fDays[broken->tm_wday];
}


void
STimeModels::ErwartetTagesStd(long* when, long& minutes, BString* /*text*/)
{
	if (fWeekModel == NULL) {
		printf(" ETS aWeekPtr NULL\n");
		minutes = 0;
		return;
	}
	if (when == NULL) {
		minutes = 0;
		return;
	}

	// A day model's hours are the net working time of the day; breaks are
	// deducted from the presence, not from the expectation.
	struct tm broken;
	cDayModel* day = day_model_of(fWeekModel, (time_t)*when, &broken);
	minutes = day != NULL ? day->fHours * 60 + day->fMinutes : 0;
}


void
STimeModels::ErwartetWochenStd(long& minutes, BString* /*text*/)
{
	if (fWeekModel == NULL) {
		printf(" ErwartetWochenStd aWeekPtr NULL\n");
		minutes = 0;
		return;
	}
	minutes = fWeekModel->fHoursPerWeek * 60 + fWeekModel->fMinutes;
	printf(" WochenStd %ld\n", minutes);
}


// The accounting month runs from day payDay of the month of *when up to the
// day before day payDay of the following month. Every normalisation leaves
// daylight saving to the conversion: a flag carried over from the day
// before a clock change would shift the days after it by an hour, and a
// day could be counted twice.
void
STimeModels::ErwartetMonatsStd(long* when, int payDay, long& minutes,
	BString* /*text*/)
{
	if (fWeekModel == NULL) {
		printf(" EMS aWeekPtr NULL\n");
		minutes = 0;
		return;
	}
	if (when == NULL) {
		minutes = 0;
		return;
	}

	time_t start = (time_t)*when;
	struct tm broken;
	if (localtime_r(&start, &broken) == NULL) {
		minutes = 0;
		return;
	}
	broken.tm_mday = payDay;
	broken.tm_isdst = -1;
	mktime(&broken);
	int startMonth = broken.tm_mon;

	long total = 0;
	for (int i = 0; i < 32; i++) {
		broken.tm_isdst = -1;
		long moment = (long)mktime(&broken);
		if (broken.tm_mon != startMonth && broken.tm_mday >= payDay) {
			printf(" -break");
			break;
		}

		long day = 0;
		ErwartetTagesStd(&moment, day, NULL);
		total += day;

		broken.tm_mday++;
		if (broken.tm_mday == payDay)
			break;
	}
	minutes = total;
}


// Break minutes to deduct from the presence from *in to *out: every break
// of the day model of *in's weekday that lies wholly inside the interval's
// clock times, both bounds included.
void
STimeModels::ShowInherendBTs(long* in, long* out, long& minutes,
	BString* text)
{
	if (fWeekModel == NULL) {
		printf("ShowInherend aWeekPtr NULL\n");
		return;
	}
	if (in == NULL || out == NULL)
		return;

	time_t inTime = (time_t)*in;
	time_t outTime = (time_t)*out;
	struct tm inTm;
	struct tm outTm;
	if (localtime_r(&inTime, &inTm) == NULL
		|| localtime_r(&outTime, &outTm) == NULL)
		return;
	int from = inTm.tm_hour * 100 + inTm.tm_min;
	int to = outTm.tm_hour * 100 + outTm.tm_min;
	BRect band(from, 0, to, 10);

	BString description(" >");

	if (inTm.tm_yday != outTm.tm_yday) {
		if (text != NULL)
			*text << " ** oops, split this Entry ! ** \n";
		printf(" from %ld to %ld = %ld Days |\n", (long)inTm.tm_yday,
			(long)outTm.tm_yday, (long)(outTm.tm_yday - inTm.tm_yday));
		printf(" >>> !Impl. Range not the same day !! \n");
	}

	long sum = 0;
	cDayModel* day = inTm.tm_wday >= 0 && inTm.tm_wday < 7
		? fWeekModel->fDays[inTm.tm_wday] : NULL;
	if (day != NULL) {
		for (int32 i = 0; i < day->fBreaks->CountItems(); i++) {
			cBreakTime* bt = day->BreakAt(i);
			// A break that ends before it starts has a negative length; it
			// would add to the presence instead of deducting from it.
			if (bt->fDuration <= 0 || !band.Contains(bt->fRange))
				continue;
			sum += bt->fDuration;
			description << "[" << bt->fName << "] ";
		}
	} else if (text != NULL) {
		BString free;
		free.SetToFormat(" >[%s - virtual free] ", getLabel(51 + inTm.tm_wday));
		*text << free;
	}

	if (sum != 0) {
		if (text != NULL) {
			BString amount;
			amount.SetToFormat("- %ld min. ", sum);
			*text << description << amount << " ";
		}
		minutes = sum;
	}
}
