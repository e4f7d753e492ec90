// Datum and the free calendar helpers.
#include "Datum.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <FindDirectory.h>
#include <Node.h>
#include <Path.h>
#include <String.h>
#include <TypeConstants.h>


int Datum::fDFormat = 0;
int Datum::datumC = 0;

static char sNow[20];
static char sSecs[32];
static char sStyled[64];


// Reads a decimal number from at most `width` characters of `text`,
// stopping at the first non-digit (so also at the terminator); no digits
// give 0.
static int
read_digits(const char* text, size_t width)
{
	int value = 0;
	for (size_t i = 0; i < width && text[i] >= '0' && text[i] <= '9'; i++)
		value = value * 10 + (text[i] - '0');
	return value;
}


// A fixed-width slice of a text of known length; parts beyond the end of
// the text read as 0.
static int
read_slice(const BString& text, int32 from, int32 width)
{
	if (from >= text.Length())
		return 0;
	return read_digits(text.String() + from,
		(size_t)min_c(width, text.Length() - from));
}


// Orders outside 0..2 (a foreign value in the date-format file) read and
// write dates as year-month-day.
static int
effective_order(int order)
{
	return order >= 0 && order <= 2 ? order : 0;
}


Datum::Datum(const char* text, bool verbose)
{
	BString source(text != NULL ? text : "");
	if (source.Length() < 8)
		source = getNow(true, effective_order(fDFormat));

	if (verbose)
		printf("[%s] wird zu:", source.String());

	// Separators go; a hyphen is not one. Without a 'T' the time part
	// starts at position 8 (or at the end of a shorter text).
	BString normal(source);
	normal.RemoveSet(" .,;:Z/");
	if (normal.FindFirst('T') < 0 && normal.FindFirst('t') < 0)
		normal.Insert("T", min_c((int32)8, normal.Length()));
	if (verbose) {
		printf(" %s ", normal.String());
		printf("\n");
		printf("\n posX:%s  df:%ld", normal.String(), (long)fDFormat);
	}

	switch (effective_order(fDFormat)) {
		case 1:
			printf(" MDY \n");
			fMonth = read_slice(normal, 0, 2);
			fDay = read_slice(normal, 2, 2);
			fYear = read_slice(normal, 4, 4);
			break;
		case 2:
			fDay = read_slice(normal, 0, 2);
			fMonth = read_slice(normal, 2, 2);
			fYear = read_slice(normal, 4, 4);
			break;
		default:
			fYear = read_slice(normal, 0, 4);
			fMonth = read_slice(normal, 4, 2);
			fDay = read_slice(normal, 6, 2);
			break;
	}
	if (verbose) {
		printf(" Jahr:%ld Monat:%02ld Tag: %02ld \n", (long)fYear,
			(long)fMonth, (long)fDay);
	}

	fSec = TimeInSek(normal.String());

	// Out-of-range parts roll over as mktime defines; daylight saving is
	// left to the conversion.
	struct tm broken;
	memset(&broken, 0, sizeof(broken));
	broken.tm_sec = fSec % 60;
	broken.tm_min = (fSec % 3600) / 60;
	broken.tm_hour = fSec / 3600;
	broken.tm_mday = fDay;
	broken.tm_mon = fMonth - 1;
	broken.tm_year = fYear - 1900;
	broken.tm_isdst = -1;
	fTime = mktime(&broken);

	datumC++;
	memset(&fTm, 0, sizeof(fTm));
	localtime_r(&fTime, &fTm);
	fYDay = fTm.tm_yday + 1;
	fWDay = fTm.tm_wday;
	fHour = fTm.tm_hour;
	fMinute = fTm.tm_min;
	fxDay = fYear * 1000 + fYDay;

	if (verbose) {
		printf(" ln:%ld DC: %4ld|%02ld|%02ld   y:%03d w:%d fSec:%05ld "
			"fxDay:%7ld\n", (long)datumC, (long)fYear, (long)fMonth,
			(long)fDay, fYDay, fWDay, (long)fSec, (long)fxDay);
	}
}


Datum::Datum(long& time, bool verbose)
{
	if (datumC == 0) {
		fDFormat = GetGlobalDateFormat();
		printf("STATIC SET !\n");
	}

	datumC++;
	fTime = (time_t)time;
	memset(&fTm, 0, sizeof(fTm));
	localtime_r(&fTime, &fTm);

	fYDay = fTm.tm_yday + 1;
	fWDay = fTm.tm_wday;
	fxDay = (fTm.tm_year + 1900) * 1000 + fYDay;
	fSec = fTm.tm_sec + 60 * fTm.tm_min + 3600 * fTm.tm_hour;
	fYear = fTm.tm_year + 1900;
	fMonth = fTm.tm_mon + 1;
	fDay = fTm.tm_mday;
	fMinute = fTm.tm_min;
	fHour = fTm.tm_hour;

	if (verbose) {
		printf("ln:%ld DC: %4ld|%02ld|%02ld   y:%03d w:%d fSec:%05ld "
			"fxDay:%7ld\n", (long)datumC, (long)fYear, (long)fMonth,
			(long)fDay, fYDay, fWDay, (long)fSec, (long)fxDay);
	}
}


Datum::~Datum()
{
	datumC--;
}


const char*
Datum::Styled(int style) const
{
	int order = fDFormat;
	const char* format;

	switch (style) {
		case 0:
			format = "%Y%m%dT%H%M%S";
			break;
		case 2:
			format = "%Y.%m.%d %H:%M";
			break;
		case 3:
			format = "%Y.%m.%d %H:%M %b %a";
			break;
		case 4:
			format = "%d.%b.%y %H:%M %a";
			break;
		case 5:
			format = order == 2 ? "Next: %a.  %d.%b.%Y  %H:%M"
				: order == 1 ? "Next: %a.  %b/%d/%Y  %H:%M"
				: "Next: %a.  %Y.%b.%d  %H:%M";
			break;
		case 6:
			format = ": %a.  %d.%b.%Y  %H:%M";
			break;
		case 7:
			format = "%B %Y";
			break;
		case 10:
			format = "%a";
			break;
		case 11:
			format = "%Y %b. %d -%a.";
			break;
		case 12:
			format = "%H:%M ";
			break;
		case 13:
			format = "[%Y:%m:%d]";
			break;
		case 14:
			format = "%d %a.";
			break;
		case 15:
			format = "%b. %Y";
			break;
		case 20:
		{
			// A prefix of our own, then the rest from strftime; a result
			// that does not fit gives the empty text.
			int length = snprintf(sStyled, sizeof(sStyled), "YM1 %ld",
				(long)fMonth);
			if (length < 0 || length >= (int)sizeof(sStyled)
				|| strftime(sStyled + length, sizeof(sStyled) - length,
					" D1 %d %H:00 #0", &fTm) == 0) {
				sStyled[0] = '\0';
			}
			return sStyled;
		}
		case 30:
			format = "%Y/%m/%d %H:%M";
			break;
		default:
			format = order == 2 ? "%d.%m.%Y %H:%M"
				: order == 1 ? "%m/%d/%Y %H:%M"
				: "%Y.%m.%d %H:%M";
			break;
	}

	if (strftime(sStyled, sizeof(sStyled), format, &fTm) == 0)
		sStyled[0] = '\0';
	if (style == 10 && strlen(sStyled) > 2)
		sStyled[2] = '\0';
	return sStyled;
}


int
Datum::IstWTag()
{
	char digit[8];
	if (strftime(digit, sizeof(digit), "%w", &fTm) == 0)
		digit[0] = '\0';
	printf("IstWTag: %s\n", digit);
	return atoi(digit);
}


int
Datum::IstYTag()
{
	fYDay = fTm.tm_yday + 1;
	return fYDay;
}


void
Datum::PrintToStream()
{
	char text[64];
	if (strftime(text, sizeof(text), "%Y/%m/%d %H:%M:%S", &fTm) == 0)
		text[0] = '\0';
	printf(" >>> [%s]", text);
	printf("  y:%03d w:%d fSec:%05ld fxDay:%7ld\n", fYDay, fWDay,
		(long)fSec, (long)fxDay);
}


char*
getNow(bool withSeconds, long order)
{
	const char* format;
	switch (order) {
		case 0:
			format = withSeconds ? "%Y/%m/%d %H:%M:%S" : "%Y/%m/%d %H:%M";
			break;
		case 1:
			format = withSeconds ? "%m/%d/%Y %H:%M:%S" : "%m/%d/%Y %H:%M";
			break;
		case 2:
			format = withSeconds ? "%d/%m/%Y %H:%M:%S" : "%d/%m/%Y %H:%M";
			break;
		default:
			return sNow;
	}

	time_t now = time(NULL);
	struct tm broken;
	if (localtime_r(&now, &broken) == NULL
		|| strftime(sNow, sizeof(sNow), format, &broken) == 0) {
		sNow[0] = '\0';
	}
	return sNow;
}


// The attribute "time_format" (a 32-bit integer) of "kqd_DateFormat" in
// the user settings folder.
static status_t
read_date_order(int32* order)
{
	BPath path;
	status_t status = find_directory(B_USER_SETTINGS_DIRECTORY, &path);
	if (status != B_OK)
		return status;
	path.Append("kqd_DateFormat");

	BNode node(path.Path());
	if ((status = node.InitCheck()) != B_OK)
		return status;
	attr_info info;
	if (node.GetAttrInfo("time_format", &info) != B_OK
		|| info.type != B_INT32_TYPE || info.size < (off_t)sizeof(int32))
		return B_BAD_DATA;
	if (node.ReadAttr("time_format", B_INT32_TYPE, 0, order, sizeof(int32))
			!= (ssize_t)sizeof(int32))
		return B_IO_ERROR;
	return B_OK;
}


int
GetGlobalDateFormat()
{
	int32 order = 0;
	if (read_date_order(&order) != B_OK)
		return 0;
	return order;
}


bool
isSchaltjahr(int year)
{
	return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}


int
TagePerMonat(int month, int year)
{
	while (month > 11) {
		month -= 12;
		year++;
	}
	while (month < 0) {
		month += 12;
		year--;
	}

	switch (month) {
		case 1:
			return isSchaltjahr(year) ? 29 : 28;
		case 3:
		case 5:
		case 8:
		case 10:
			return 30;
		default:
			return 31;
	}
}


int
FutureDays(Datum* from, Datum* to)
{
	if (from == NULL || to == NULL)
		return 0;
	int days = to->fYDay - from->fYDay;
	if (to->fYear == from->fYear + 1)
		days += 365;
	return days;
}


int
YearYday(const char* text)
{
	if (text == NULL || strlen(text) < 8) {
		printf(" !!<8!!\n");
		return 2004000;
	}
	return read_digits(text, 4) * 1000;
}


int
TimeInSek(const char* text)
{
	const char* mark = text != NULL ? strchr(text, 'T') : NULL;
	if (mark == NULL) {
		printf(" !!no T !!\n");
		return 0;
	}

	// Each part stops at the terminator, so a time cut short reads as 0
	// for what is missing.
	const char* part = mark + 1;
	int hours = read_digits(part, 2);
	for (int i = 0; i < 2 && *part != '\0'; i++)
		part++;
	int minutes = read_digits(part, 2);
	for (int i = 0; i < 2 && *part != '\0'; i++)
		part++;
	int seconds = read_digits(part, 2);
	return hours * 3600 + minutes * 60 + seconds;
}


const char*
SecsToStr(unsigned long secs)
{
	snprintf(sSecs, sizeof(sSecs), "%02lu:%02lu:%02lu ", secs / 3600,
		(secs % 3600) / 60, secs % 60);
	return sSecs;
}


void
InfoDiffTimes(long until, int mode, const char* label)
{
	double s = difftime((time_t)until, time(NULL));
	long days = (long)(s / 86400);
	long hours = (long)((s - days * 86400.0) / 3600);
	long minutes = (long)((s - days * 86400.0 - hours * 3600.0) / 60);
	long whole = (long)s;
	long seconds = whole - days * 86400 - hours * 3600 - minutes * 60;

	if (mode == 0 || mode == 2)
		printf("\n");
	printf("* %8s | D:%3ld H:%2ld M:%2ld S:%2lu (%lu)",
		label != NULL ? label : "", days, hours, minutes,
		(unsigned long)seconds, (unsigned long)whole);
	if (mode == 1 || mode == 2)
		printf("\n");
}
