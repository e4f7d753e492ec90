// Auswertung: the month evaluation of a booking list into protocol text.
#include "Auswertung.h"

#include <stdio.h>
#include <time.h>

#include <Labels.h>
#include <STimeModels.h>
#include <TimeText.h>

#include "BuchungsListe.h"
#include "fBuchung.h"


namespace {

// Labels of the protocol.
enum {
	kLabelBreak = 75,				// "<br>"
	kLabelIncomplete = 81,			// "record not complede\n"
	kLabelExpected = 82,
	kLabelReal = 83,
	kLabelAccount = 84,
	kLabelAccountingMonth = 86,
	kLabelMonths = 100				// + 1 = "Jan" ... + 12 = "Dec"
};


class Protocol {
public:
								Protocol(STimeModels* models, int32 payDay,
									bool showAccount);

			void				Evaluate(const BuchungsListe& list);
			BString&			Text() { return fText; }

private:
			void				_Marker(const fBuchung* row);
			void				_Punch(const fBuchung* row);
			void				_OpenMonth(time_t in);
			void				_Summary(long expected, bool atEnd);
			long				_ExpectedForOpenMonth();
			void				_AppendMinutes(long minutes);
			void				_AppendLabel(const char* format, int label);

			STimeModels*		fModels;
			int32				fPayDay;
			bool				fShowAccount;
			BString				fText;

			// The accounting month opened last: it ends at fBoundary, and
			// begins on pay day of the calendar month before fMonth (in
			// fYear; both as given to mktime, not normalised).
			bool				fOpened;
			time_t				fBoundary;
			int					fYear;
			int					fMonth;

			// Sums in minutes; 64-bit, so that no input overflows them.
			int64				fReal;
			int64				fAccount;
			int32				fEvaluated;
};


Protocol::Protocol(STimeModels* models, int32 payDay, bool showAccount)
	:
	fModels(models),
	fPayDay(payDay),
	fShowAccount(showAccount),
	fText("\n"),
	fOpened(false),
	fBoundary(0),
	fYear(0),
	fMonth(0),
	fReal(0),
	fAccount(0),
	fEvaluated(0)
{
}


void
Protocol::Evaluate(const BuchungsListe& list)
{
	for (int32 i = 0; i < list.CountItems(); i++) {
		const fBuchung* row = list.ItemAt(i);
		if (row == NULL)
			continue;
		if (row->IsMarker())
			_Marker(row);
		else
			_Punch(row);
	}

	long expected = _ExpectedForOpenMonth();
	printf("fuer Monat erwartet MoArZt: %ld min.\n\n\n", expected);
	_Summary(expected, true);
}


void
Protocol::_Marker(const fBuchung* row)
{
	fText << ": '" << row->fText << "'";
	cWeekModel* model = fModels != NULL
		? fModels->GetWmIfExist(row->fText) : NULL;
	if (fModels != NULL)
		fModels->fWeekModel = model;
	if (model == NULL)
		fText << " #WM BAD \n";
	fText << "\n";
}


void
Protocol::_Punch(const fBuchung* row)
{
	char line[kBuAscTimeSize];

	if (row->fKind1 == kBuchungIn) {
		// The first IN of all opens an accounting month, whatever the pay
		// day: the first boundary lies before every booking.
		if (!fOpened || row->fTime1 >= fBoundary)
			_OpenMonth(row->fTime1);

		if (row->fKind2 == kBuchungOut) {
			long in = row->fTime1;
			long out = row->fTime2;
			int duration = 0;
			DiffToPDauer(in, out, duration);
			BuAscTime(row, line);
			fText << line << ": ";
			_AppendMinutes(duration);

			long deduction = 0;
			if (fModels != NULL && fModels->fWeekModel != NULL) {
				fModels->ShowInherendBTs(&in, &out, deduction, NULL);
				fText << " -";
				_AppendMinutes(deduction);
				fText << " = ";
				_AppendMinutes(duration - deduction);
				long day = 0;
				fModels->ErwartetTagesStd(&in, day, NULL);
				fText << " [";
				_AppendMinutes(day);
				fText << "]";
			}
			fText << "\n";
			fReal += duration - deduction;
			fEvaluated++;
			return;
		}
	}

	// A missing OUT or a missing IN: listed, counted, nothing added.
	BuAscTime(row, line);
	fText << line;
	_AppendLabel("%s", kLabelIncomplete);
	fEvaluated++;
}


void
Protocol::_OpenMonth(time_t in)
{
	struct tm date;
	if (localtime_r(&in, &date) == NULL)
		return;

	// The next boundary: pay day of this month, or of the next once the
	// pay day is reached.
	int year = date.tm_year;
	int month = date.tm_mon;
	if (date.tm_mday >= fPayDay)
		month++;
	struct tm boundary = {};
	boundary.tm_year = year;
	boundary.tm_mon = month;
	boundary.tm_mday = fPayDay;
	boundary.tm_isdst = -1;
	time_t next = mktime(&boundary);

	if (fEvaluated > 0)
		_Summary(_ExpectedForOpenMonth(), false);

	// Named after the calendar month holding most of the accounting month.
	int named = boundary.tm_mon;
	if (fPayDay <= 14)
		named = named == 0 ? 11 : named - 1;
	char heading[128];
	snprintf(heading, sizeof(heading),
		fPayDay <= 14 ? "%s %s. [%d]<\n" : "%s %s. [%d]>\n",
		getLabel(kLabelAccountingMonth), getLabel(kLabelMonths + named + 1),
		(int)fPayDay);
	fText << heading;

	fReal = 0;
	fOpened = true;
	fBoundary = next;
	fYear = year;
	fMonth = month;
}


long
Protocol::_ExpectedForOpenMonth()
{
	if (fModels == NULL)
		return 0;

	// A time in the calendar month whose pay day begins the open accounting
	// month; without one, the start of the epoch.
	long when = 0;
	if (fOpened) {
		struct tm first = {};
		first.tm_year = fYear;
		first.tm_mon = fMonth - 1;
		first.tm_mday = 1;
		first.tm_isdst = -1;
		mktime(&first);
		// Its pay day, as long as that lies inside the same calendar month.
		struct tm payDay = first;
		payDay.tm_mday = fPayDay > 1 ? fPayDay : 1;
		payDay.tm_isdst = -1;
		time_t candidate = mktime(&payDay);
		if (payDay.tm_mon == first.tm_mon && payDay.tm_year == first.tm_year)
			when = candidate;
		else {
			first.tm_isdst = -1;
			when = mktime(&first);
		}
	}

	long expected = 0;
	fModels->ErwartetMonatsStd(&when, fPayDay, expected, NULL);
	return expected;
}


void
Protocol::_Summary(long expected, bool atEnd)
{
	_AppendLabel("%s ", kLabelExpected);
	fText << " ";
	_AppendMinutes(expected);
	_AppendLabel("%s ", kLabelReal);
	fText << " ";
	_AppendMinutes(fReal);

	if (!atEnd) {
		if (fShowAccount) {
			fText << getLabel(kLabelBreak);
			_AppendLabel("%s ", kLabelAccount);
			fReal -= expected;
			fAccount += fReal;
			_AppendMinutes(fAccount);
		}
		fText << "\n";
	} else if (fShowAccount) {
		_AppendLabel("\n%s ", kLabelAccount);
		fReal -= expected;
		fAccount += fReal;
		_AppendMinutes(fAccount);
		fText << "\n";
	}
}


void
Protocol::_AppendMinutes(long minutes)
{
	char text[ZL_MINUTES_TEXT_SIZE];
	fText << IntMinuten2Asc(minutes, text);
}


void
Protocol::_AppendLabel(const char* format, int label)
{
	BString piece;
	piece.SetToFormat(format, getLabel(label));
	fText << piece;
}

}	// namespace


BString
Auswertung_B(const BuchungsListe& list, STimeModels* models, int32 payDay,
	bool showAccount)
{
	printf("fSettView->ptpd->Text: %d\n", (int)payDay);
	Protocol protocol(models, payDay, showAccount);
	protocol.Evaluate(list);
	return protocol.Text();
}
