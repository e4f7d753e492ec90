// The month evaluation: headings, pair lines, deductions, month summaries
// and the time account, over the register's default models.
#include <Auswertung.h>
#include <BuchungsListe.h>
#include <STimeModels.h>

#include "BookingTestSupport.h"

using namespace booking_test;


namespace {

class AuswertungTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		// No profile file there: the built-in default models.
		STimeModels::SetDataFolder("/nonexistent/zl_bookings");
		testing::internal::CaptureStdout();
		fModels = STimeModels::getTimeModels();
		testing::internal::GetCapturedStdout();
		fModels->fWeekModel = NULL;
	}

	void Load(const std::string& file)
	{
		fList.Decode(file.data(), file.size());
	}

	std::string Evaluate(int32 payDay, bool showAccount)
	{
		testing::internal::CaptureStdout();
		BString text = Auswertung_B(fList, fModels, payDay, showAccount);
		fTrace = testing::internal::GetCapturedStdout();
		return text.String();
	}

	static std::string Pair(time_t in, time_t out)
	{
		return Punch('I', (uint32)in) + Punch('O', (uint32)out);
	}

	STimeModels*	fModels;
	BuchungsListe	fList;
	std::string		fTrace;
};

const char* kNoAccount = "expected presence   0:00  real presence   0:00";

}	// namespace


TEST(BuAscTime, ShowsTheOutsDateOnAnotherDay)
{
	char text[kBuAscTimeSize];
	fBuchung row(kBuchungIn, At(2007, 12, 10, 8, 5));
	row.fKind2 = kBuchungOut;
	row.fTime2 = At(2007, 12, 10, 16, 40);
	BuAscTime(&row, text);
	EXPECT_STREQ(text, "Mo 07/12/10  08:05 - 16:40 ");

	row.fTime2 = At(2007, 12, 11, 6, 0);
	BuAscTime(&row, text);
	EXPECT_STREQ(text, "Mo 07/12/10  08:05 - 12/11 06:00 ");

	// The same day of the year a year later is another day.
	row.fTime2 = At(2008, 12, 9, 6, 0);
	BuAscTime(&row, text);
	EXPECT_STREQ(text, "Mo 07/12/10  08:05 - 12/09 06:00 ");
}


TEST_F(AuswertungTest, EmptyListGivesOnlyTheFinalSummary)
{
	EXPECT_EQ(Evaluate(1, false), std::string("\n") + kNoAccount);
	EXPECT_EQ(Evaluate(1, true),
		std::string("\n") + kNoAccount + "\ntime account  0:00\n");
	EXPECT_NE(fTrace.find("fSettView->ptpd->Text: 1\n"), std::string::npos);
	EXPECT_NE(fTrace.find("fuer Monat erwartet MoArZt: 0 min.\n\n\n"),
		std::string::npos);
}


TEST_F(AuswertungTest, PairsWithoutWeekModel)
{
	// P = 1: the accounting month is March, named after the month before
	// the boundary of 1 April; the line ends after the duration.
	Load(Pair(At(2007, 3, 5, 8, 0), At(2007, 3, 5, 16, 30)));
	EXPECT_EQ(Evaluate(1, false),
		"\naccounting month  Mar. [1]<\n"
		"Mo 07/03/05  08:00 - 16:30 :  8:30\n"
		"expected presence   0:00  real presence   8:30");

	// A January IN under P <= 14 is named December.
	Load(Pair(At(2007, 1, 3, 8, 0), At(2007, 1, 3, 9, 0)));
	EXPECT_EQ(Evaluate(5, false).substr(0, 29),
		"\naccounting month  Dec. [5]<\n");
}


TEST_F(AuswertungTest, WeekModelDeductsBreaksAndKeepsTheAccount)
{
	Load(Marker("A-Standart", 24)
		+ Pair(At(2007, 3, 5, 8, 0), At(2007, 3, 5, 16, 30))
		+ Pair(At(2007, 4, 2, 8, 0), At(2007, 4, 2, 12, 0)));
	EXPECT_EQ(Evaluate(1, true),
		"\n: 'A-Standart'\n"
		"accounting month  Mar. [1]<\n"
		"Mo 07/03/05  08:00 - 16:30 :  8:30 - 0:45 =  7:45 [ 7:30]\n"
		"expected presence  232:30  real presence   7:45"
			"<br>time account -224:45\n"
		"accounting month  Apr. [1]<\n"
		"Mo 07/04/02  08:00 - 12:00 :  4:00 - 0:15 =  3:45 [ 7:30]\n"
		"expected presence  225:00  real presence   3:45"
		"\ntime account -446:00\n");
	EXPECT_NE(fTrace.find("fuer Monat erwartet MoArZt: 13500 min."),
		std::string::npos);

	// S cleared: no account, but real presence still starts anew.
	fModels->fWeekModel = NULL;
	EXPECT_EQ(Evaluate(1, false),
		"\n: 'A-Standart'\n"
		"accounting month  Mar. [1]<\n"
		"Mo 07/03/05  08:00 - 16:30 :  8:30 - 0:45 =  7:45 [ 7:30]\n"
		"expected presence  232:30  real presence   7:45\n"
		"accounting month  Apr. [1]<\n"
		"Mo 07/04/02  08:00 - 12:00 :  4:00 - 0:15 =  3:45 [ 7:30]\n"
		"expected presence  225:00  real presence   3:45");
}


TEST_F(AuswertungTest, PayDayBoundaries)
{
	// P = 15: the 14th closes the month that ends before the 15th; the 15th
	// at 00:00 opens the next one.
	Load(Pair(At(2007, 3, 14, 8, 0), At(2007, 3, 14, 9, 0))
		+ Pair(At(2007, 3, 15, 0, 0), At(2007, 3, 15, 1, 0)));
	std::string text = Evaluate(15, false);
	EXPECT_EQ(text.substr(0, 30), "\naccounting month  Mar. [15]>\n");
	EXPECT_NE(text.find("\naccounting month  Apr. [15]>\n"
		"Th 07/03/15  00:00 - 01:00 "), std::string::npos);

	// P = 31 in April: the boundary is 1 May, so 30 April 23:00 still
	// belongs to the month and 1 May 00:00 opens the next.
	Load(Pair(At(2007, 4, 10, 8, 0), At(2007, 4, 10, 9, 0))
		+ Pair(At(2007, 4, 30, 23, 0), At(2007, 4, 30, 23, 30))
		+ Pair(At(2007, 5, 1, 0, 0), At(2007, 5, 1, 1, 0)));
	text = Evaluate(31, false);
	std::string p31 = text;

	// However large the pay day, the first IN opens an accounting month.
	Load(Pair(At(2007, 3, 5, 8, 0), At(2007, 3, 5, 9, 0)));
	EXPECT_EQ(Evaluate(40000, false).substr(0, 19), "\naccounting month  ");

	text = p31;
	EXPECT_EQ(text,
		"\naccounting month  May. [31]>\n"
		"Tu 07/04/10  08:00 - 09:00 :  1:00\n"
		"Mo 07/04/30  23:00 - 23:30 :  0:30\n"
		"expected presence   0:00  real presence   1:30\n"
		"accounting month  May. [31]>\n"
		"Tu 07/05/01  00:00 - 01:00 :  1:00\n"
		"expected presence   0:00  real presence   1:00");
}


TEST_F(AuswertungTest, IncompleteRowsAndMarkers)
{
	// IN, marker, OUT: two incomplete rows; only the IN opens a month.
	Load(Punch('I', (uint32)At(2007, 3, 5, 8, 0)) + Marker("A-Standart", 24)
		+ Punch('O', (uint32)At(2007, 3, 5, 16, 30)));
	EXPECT_EQ(Evaluate(1, false),
		"\naccounting month  Mar. [1]<\n"
		"Mo 07/03/05  08:00 - 08:00 record not complede\n"
		": 'A-Standart'\n"
		"Mo 07/03/05  16:30 - 16:30 record not complede\n"
		"expected presence  232:30  real presence   0:00");
	EXPECT_EQ(fModels->fWeekModel, fModels->GetWmIfExist("A-Standart"));

	// An unknown model ends the week model in force.
	Load(Marker("A-Standart", 24) + Marker("Nix", 8)
		+ Pair(At(2007, 3, 5, 8, 0), At(2007, 3, 5, 9, 0)));
	EXPECT_EQ(Evaluate(1, false),
		"\n: 'A-Standart'\n: 'Nix' #WM BAD \n\n"
		"accounting month  Mar. [1]<\n"
		"Mo 07/03/05  08:00 - 09:00 :  1:00\n"
		"expected presence   0:00  real presence   1:00");
	EXPECT_EQ(fModels->fWeekModel, nullptr);

	// A missing IN before any IN is counted, so the first heading closes
	// a month first (with no model: all zero).
	Load(Punch('O', (uint32)At(2007, 3, 1, 9, 0))
		+ Pair(At(2007, 3, 5, 8, 0), At(2007, 3, 5, 9, 0)));
	EXPECT_EQ(Evaluate(1, false),
		"\nTh 07/03/01  09:00 - 09:00 record not complede\n"
		"expected presence   0:00  real presence   0:00\n"
		"accounting month  Mar. [1]<\n"
		"Mo 07/03/05  08:00 - 09:00 :  1:00\n"
		"expected presence   0:00  real presence   1:00");
}
