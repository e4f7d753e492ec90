// Reading and writing booking files: pairing, markers, damage, round trips.
#include <BuchungsListe.h>
#include <BuchungsScanner.h>

#include <random>

#include "BookingTestSupport.h"

using namespace booking_test;


namespace {

struct RowShape {
	int32	kind1;
	time_t	time1;
	int32	kind2;
	time_t	time2;
	const char* text;
};


void
ExpectRows(const BuchungsListe& list, std::initializer_list<RowShape> rows)
{
	ASSERT_EQ(list.CountItems(), (int32)rows.size());
	int32 i = 0;
	for (const RowShape& shape : rows) {
		const fBuchung* row = list.ItemAt(i++);
		SCOPED_TRACE(testing::Message() << "row " << i - 1);
		EXPECT_EQ(row->fKind1, shape.kind1);
		EXPECT_EQ(row->fTime1, shape.time1);
		EXPECT_EQ(row->fKind2, shape.kind2);
		EXPECT_EQ(row->fTime2, shape.time2);
		EXPECT_STREQ(row->fText, shape.text);
		EXPECT_EQ(row->fEditState, kBuchungEditRead);
	}
}


std::string
Encoded(const BuchungsListe& list)
{
	std::string data;
	EXPECT_EQ(list.Encode(data), B_OK);
	return data;
}

const int32 I = kBuchungIn;
const int32 O = kBuchungOut;
const int32 W = kBuchungMarker;

}	// namespace


TEST(BuchungsListe, PairsEachInWithTheOutThatFollows)
{
	BuchungsListe list;

	// I, O, I: a pair and a missing OUT, written back unchanged.
	std::string file = Punch('I', 100) + Punch('O', 200) + Punch('I', 300);
	list.Decode(file.data(), file.size());
	ExpectRows(list, { { I, 100, O, 200, "--" }, { I, 300, I, 300, "--" } });
	EXPECT_EQ(Encoded(list), file);

	// O first: a missing IN that stays one OUT record.
	file = Punch('O', 50) + Punch('I', 60) + Punch('O', 70);
	list.Decode(file.data(), file.size());
	ExpectRows(list, { { O, 50, O, 50, "--" }, { I, 60, O, 70, "--" } });
	EXPECT_EQ(Encoded(list), file);

	// I, I, O: the first IN stays open.
	file = Punch('I', 10) + Punch('I', 20) + Punch('O', 30);
	list.Decode(file.data(), file.size());
	ExpectRows(list, { { I, 10, I, 10, "--" }, { I, 20, O, 30, "--" } });
	EXPECT_EQ(Encoded(list), file);

	// A marker between an IN and its OUT breaks the pair.
	file = Punch('I', 10) + Marker("A-Standart", 24) + Punch('O', 30);
	list.Decode(file.data(), file.size());
	ExpectRows(list, { { I, 10, I, 10, "--" }, { W, 24, W, 24, "A-Standart" },
		{ O, 30, O, 30, "--" } });
	EXPECT_EQ(Encoded(list), file);

	// Unknown kinds are skipped head by head; only the first byte counts.
	std::string odd = Punch('I', 5);
	odd[1] = 'x';
	file = Punch('X', 1) + odd + std::string("O\1\2\3\x09\0\0\0", 8);
	list.Decode(file.data(), file.size());
	ExpectRows(list, { { I, 5, O, 9, "--" } });
}


TEST(BuchungsListe, MarkersKeepTheirLengthAndLoseBlanks)
{
	BuchungsListe list;

	// 8- and 24-byte markers come back byte for byte.
	std::string file = Marker("G-Std", 8) + Marker("A-Standart", 24)
		+ Marker("ExactlyFifteen!", 24) + Marker("Eight888", 8);
	list.Decode(file.data(), file.size());
	ExpectRows(list, { { W, 8, W, 8, "G-Std" },
		{ W, 24, W, 24, "A-Standart" }, { W, 24, W, 24, "ExactlyFifteen!" },
		{ W, 8, W, 8, "Eight888" } });
	EXPECT_EQ(Encoded(list), file);

	// Blanks and ';' go on reading; the shortened name is padded to n.
	file = Marker("Teil zeit;x", 24);
	list.Decode(file.data(), file.size());
	ExpectRows(list, { { W, 24, W, 24, "Teilzeitx" } });
	EXPECT_EQ(Encoded(list), Marker("Teilzeitx", 24));

	// A long marker keeps 31 bytes of its name and all of its length; a
	// long n is written with exactly n bytes, so what follows stays aligned.
	std::string name(40, 'n');
	file = Marker(name.c_str(), 56) + Punch('I', 7);
	list.Decode(file.data(), file.size());
	ASSERT_EQ(list.CountItems(), 2);
	EXPECT_STREQ(list.ItemAt(0)->fText, std::string(31, 'n').c_str());
	EXPECT_EQ(list.ItemAt(0)->fTime1, 56);
	std::string written = Encoded(list);
	EXPECT_EQ(written, Marker(std::string(31, 'n').c_str(), 56) + Punch('I', 7));
}


TEST(BuchungsListe, TimesAreUnsignedThirtyTwoBit)
{
	BuchungsListe list;

	// After January 2038 the field's top bit is set; it reads as unsigned.
	uint32 late = 0x9000ABCDu;
	std::string file = Punch('I', late) + Punch('O', 0xFFFFFFFFu);
	list.Decode(file.data(), file.size());
	ExpectRows(list, { { I, (time_t)late, O, (time_t)0xFFFFFFFFu, "--" } });
	EXPECT_EQ(Encoded(list), file);

	// A time the field cannot hold is refused, not cut.
	list.ItemAt(0)->fTime2 = (time_t)0x100000000LL;
	std::string data;
	EXPECT_EQ(list.Encode(data), B_BAD_VALUE);
	list.ItemAt(0)->fTime2 = -1;
	EXPECT_EQ(list.Encode(data), B_BAD_VALUE);
}


TEST(BuchungsListe, StopsAtDamageAndKeepsWhatItCouldNotRead)
{
	BuchungsListe list;
	std::string good = Punch('I', 1) + Punch('O', 2);

	// A short head and a marker running past the end are torn records.
	for (const std::string& torn : { std::string("I\0\0", 3),
			Marker("A-Standart", 24).substr(0, 20) }) {
		std::string file = good + torn;
		list.Decode(file.data(), file.size());
		EXPECT_EQ(list.CountItems(), 1);
		EXPECT_EQ(list.KeptSize(), torn.size());
		buchung_scan_stop stop;
		EXPECT_EQ(BuchungsScanner::WholeEnd(file.data(), file.size(), &stop),
			good.size());
		EXPECT_EQ(stop, B_SCAN_TORN);
	}

	// A marker longer than 1 KiB stops the reading even inside the file.
	std::string damaged = Marker("x", 2000) + Punch('I', 3);
	std::string file = good + damaged;
	list.Decode(file.data(), file.size());
	EXPECT_EQ(list.CountItems(), 1);
	EXPECT_EQ(list.KeptSize(), damaged.size());
	buchung_scan_stop stop;
	BuchungsScanner::WholeEnd(file.data(), file.size(), &stop);
	EXPECT_EQ(stop, B_SCAN_DAMAGED);
	// An empty input and a NULL one give an empty list.
	list.Decode("", 0);
	EXPECT_EQ(list.CountItems(), 0);
	list.Decode(NULL, 5);
	EXPECT_EQ(list.CountItems(), 0);
	EXPECT_EQ(Encoded(list), "");
}


TEST(BuchungsListe, RandomBytesReadAndRewriteStably)
{
	std::mt19937 random(4711);
	for (int round = 0; round < 2000; round++) {
		std::string data(random() % 300, '\0');
		for (char& c : data) {
			// Mostly kinds and small numbers, so records are found.
			static const char kPool[] = { 'I', 'O', 'W', 'M', ' ', 0, 8, 24 };
			c = random() % 3 == 0 ? (char)random() : kPool[random() % 8];
		}
		BuchungsListe list;
		list.Decode(data.data(), data.size());
		std::string written = Encoded(list);
		BuchungsListe again;
		again.Decode(written.data(), written.size());
		ASSERT_EQ(again.KeptSize(), 0u);
		ASSERT_EQ(Encoded(again), written);
		ASSERT_EQ(again.CountItems(), list.CountItems());
	}
}


// #pragma mark - files


class BuchungsListeFile : public ScratchTest {
};


TEST_F(BuchungsListeFile, ReadsAndWritesFiles)
{
	std::string path = Path("0815");
	BuchungsListe list;

	// No file: an empty list; writing it creates an empty file.
	testing::internal::CaptureStdout();
	EXPECT_EQ(list.Read(path.c_str()), B_ENTRY_NOT_FOUND);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"Liste hat 0 Buchungen\n\n no file..\n");
	testing::internal::CaptureStdout();
	EXPECT_EQ(list.Write(path.c_str()), B_OK);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "-- '" + path + "'\n");
	EXPECT_EQ(ReadFile(path), "");

	// An unedited list goes back byte for byte, torn tail included.
	std::string file = Punch('O', 5) + Marker("A-Standart", 24)
		+ Punch('I', 10) + Punch('O', 20) + Punch('I', 30) + "WM";
	WriteFile(path, file);
	testing::internal::CaptureStdout();
	EXPECT_EQ(list.Read(path.c_str()), B_OK);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"Liste hat 0 Buchungen\n\n");
	EXPECT_EQ(list.CountItems(), 4);
	EXPECT_EQ(list.Write(path.c_str()), B_OK);
	EXPECT_EQ(ReadFile(path), file);

	// A file that cannot be written: the list and the file stay.
	std::string missing = Path("no/such/folder");
	testing::internal::CaptureStdout();
	EXPECT_NE(list.Write(missing.c_str()), B_OK);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"-- '" + missing + "'\n..can't write '" + missing + "'\n");
	EXPECT_EQ(list.CountItems(), 4);
}


TEST_F(BuchungsListeFile, RewriteKeepsDamageAndGainedPunches)
{
	std::string path = Path("tag");
	std::string damaged = Marker("x", 5000).substr(0, 40);
	WriteFile(path, Punch('I', 10) + Punch('O', 20) + damaged);

	BuchungsListe list;
	ASSERT_EQ(list.Read(path.c_str()), B_OK);
	ASSERT_EQ(list.CountItems(), 1);

	// A punch lands after the read; the edit drops the pair.
	ASSERT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'I', 99), B_OK);
	delete list.RemoveItem(0);
	ASSERT_EQ(list.Write(path.c_str()), B_OK);
	EXPECT_EQ(ReadFile(path), damaged + Punch('I', 99));

	// Saving again without reading keeps them once.
	ASSERT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'O', 100), B_OK);
	ASSERT_EQ(list.Write(path.c_str()), B_OK);
	EXPECT_EQ(ReadFile(path), damaged + Punch('I', 99) + Punch('O', 100));
}


TEST_F(BuchungsListeFile, RewriteAfterTheTornTailWasCut)
{
	std::string path = Path("tag");
	std::string good = Punch('I', 10) + Punch('O', 20);
	WriteFile(path, good + std::string("I\0\0", 3));

	BuchungsListe list;
	ASSERT_EQ(list.Read(path.c_str()), B_OK);
	// The punch whose head begins like the torn bytes cuts them first.
	ASSERT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'I', 30), B_OK);
	EXPECT_EQ(ReadFile(path), good + Punch('I', 30));

	ASSERT_EQ(list.Write(path.c_str()), B_OK);
	EXPECT_EQ(ReadFile(path), good + Punch('I', 30));
	BuchungsListe again;
	ASSERT_EQ(again.Read(path.c_str()), B_OK);
	EXPECT_EQ(again.CountItems(), 2);
}


TEST_F(BuchungsListeFile, RefusesToOverwriteAnotherFile)
{
	std::string path = Path("tag");
	WriteFile(path, Punch('I', 10));
	BuchungsListe list;
	ASSERT_EQ(list.Read(path.c_str()), B_OK);

	// Someone put another file in its place.
	std::string other = Path("other");
	WriteFile(other, Punch('O', 77));
	ASSERT_EQ(rename(other.c_str(), path.c_str()), 0);
	EXPECT_EQ(list.Write(path.c_str()), B_BUSY);
	EXPECT_EQ(ReadFile(path), Punch('O', 77));

	// A replacing empty file holds nothing to lose.
	WriteFile(other, "");
	ASSERT_EQ(rename(other.c_str(), path.c_str()), 0);
	EXPECT_EQ(list.Write(path.c_str()), B_OK);
	EXPECT_EQ(ReadFile(path), Punch('I', 10));

	// A file that did not exist when read takes the punches it got.
	std::string fresh = Path("fresh");
	BuchungsListe empty;
	EXPECT_NE(empty.Read(fresh.c_str()), B_OK);
	ASSERT_EQ(BuchungsDatei::AppendPunch(fresh.c_str(), 'I', 5), B_OK);
	EXPECT_EQ(empty.Write(fresh.c_str()), B_OK);
	EXPECT_EQ(ReadFile(fresh), Punch('I', 5));
}
