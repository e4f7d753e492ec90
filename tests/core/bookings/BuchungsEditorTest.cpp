// The booking page's edits on a list: modify, cancel, split, join, delete,
// moves, and requests that name no row or a row of the wrong kind.
#include <BuchungsEditor.h>
#include <BuchungsListe.h>

#include "BookingTestSupport.h"

using namespace booking_test;


namespace {

class BuchungsEditorTest : public ::testing::Test {
protected:
	void Load(const std::string& file)
	{
		fList.Decode(file.data(), file.size());
		fEditor.SetList(&fList);
	}

	// Modify from a column, then the picker answers with picked.
	void Modify(int32 entry, int32 column, time_t picked)
	{
		bool open = false;
		time_t start = 0;
		ASSERT_EQ(fEditor.DoWithList(entry, kBuchungModify, column, &open,
			&start), B_OK);
		ASSERT_TRUE(open);
		EXPECT_EQ(fList.ItemAt(entry)->fEditState, kBuchungEditOpen);
		ASSERT_EQ(fEditor.ApplyTimeResult(false, &start, &picked), B_OK);
		EXPECT_EQ(fList.ItemAt(entry)->fEditState, kBuchungEditApplied);
	}

	void ExpectRow(int32 entry, int32 kind1, time_t time1, int32 kind2,
		time_t time2)
	{
		const fBuchung* row = fList.ItemAt(entry);
		ASSERT_NE(row, nullptr);
		EXPECT_EQ(row->fKind1, kind1);
		EXPECT_EQ(row->fTime1, time1);
		EXPECT_EQ(row->fKind2, kind2);
		EXPECT_EQ(row->fTime2, time2);
	}

	BuchungsListe	fList;
	BuchungsEditor	fEditor;
};

const int32 I = kBuchungIn;
const int32 O = kBuchungOut;
const time_t k0800 = 8 * 3600;
const time_t k1200 = 12 * 3600;
const time_t k1230 = k1200 + 1800;
const time_t k1630 = 16 * 3600 + 1800;
const time_t k1700 = 17 * 3600;

}	// namespace


TEST_F(BuchungsEditorTest, ModifyFillsOrChangesTheRightSlot)
{
	// Missing OUT: the picked time closes it, whatever the column.
	for (int32 column : { kBuchungColumnIn, kBuchungColumnOut }) {
		Load(Punch('I', k0800));
		Modify(0, column, k1630);
		ExpectRow(0, I, k0800, O, k1630);
	}

	// Missing IN: the picked time becomes its IN.
	for (int32 column : { kBuchungColumnIn, kBuchungColumnOut }) {
		Load(Punch('O', k1700));
		Modify(0, column, k0800);
		ExpectRow(0, I, k0800, O, k1700);
	}

	// A pair: the column decides.
	Load(Punch('I', k0800) + Punch('O', k1700));
	Modify(0, kBuchungColumnIn, k0800 + 600);
	ExpectRow(0, I, k0800 + 600, O, k1700);
	Modify(0, kBuchungColumnOut, k1630);
	ExpectRow(0, I, k0800 + 600, O, k1630);

	// Equal times (as a split leaves them): always the OUT.
	Load(Punch('I', k1700) + Punch('O', k1700));
	Modify(0, kBuchungColumnIn, k1630 + 3600);
	ExpectRow(0, I, k1700, O, k1630 + 3600);
}


TEST_F(BuchungsEditorTest, CancelChangesOnlyTheEditState)
{
	for (const std::string& file : { Punch('O', k1700), Punch('I', k0800),
			Punch('I', k0800) + Punch('O', k1700) }) {
		Load(file);
		bool open;
		time_t start;
		ASSERT_EQ(fEditor.DoWithList(0, kBuchungModify, kBuchungColumnOut,
			&open, &start), B_OK);
		const fBuchung before = *fList.ItemAt(0);
		// A cancel carries the opening time as "_backT" and no "_initT".
		ASSERT_EQ(fEditor.ApplyTimeResult(true, NULL, &start), B_OK);
		const fBuchung* row = fList.ItemAt(0);
		EXPECT_EQ(row->fEditState, kBuchungEditApplied);
		ExpectRow(0, before.fKind1, before.fTime1, before.fKind2,
			before.fTime2);
		EXPECT_FALSE(fEditor.ModificationOpen());
	}
}


TEST_F(BuchungsEditorTest, OneModificationAtATime)
{
	Load(Punch('I', k0800) + Punch('O', k1200) + Punch('I', k1230));
	bool open;
	time_t start;
	ASSERT_EQ(fEditor.DoWithList(1, kBuchungModify, kBuchungColumnIn, &open,
		&start), B_OK);
	EXPECT_EQ(start, k1230);

	// A second Modify is refused and leaves the first one aimed right.
	EXPECT_EQ(fEditor.DoWithList(0, kBuchungModify, kBuchungColumnIn, &open,
		&start), B_BUSY);
	EXPECT_FALSE(open);
	EXPECT_EQ(fList.ItemAt(0)->fEditState, kBuchungEditRead);
	EXPECT_EQ(fEditor.ModifiedRow(), fList.ItemAt(1));

	// Moving the row keeps the modification on it.
	ASSERT_EQ(fEditor.DoWithList(1, kBuchungMoveUp, 2), B_OK);
	time_t init = k1230;
	time_t picked = k1700;
	ASSERT_EQ(fEditor.ApplyTimeResult(false, &init, &picked), B_OK);
	ExpectRow(0, I, k1230, O, k1700);
	ExpectRow(1, I, k0800, O, k1200);

	// A result whose row was deleted, or whose list was reloaded, does
	// nothing.
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungModify, 1, &open, &start), B_OK);
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungDelete, 1), B_OK);
	EXPECT_EQ(fEditor.ApplyTimeResult(false, &init, &picked), B_BAD_INDEX);
	ExpectRow(0, I, k0800, O, k1200);
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungModify, 1, &open, &start), B_OK);
	Load(Punch('I', k0800));
	init = k0800;
	EXPECT_EQ(fEditor.ApplyTimeResult(false, &init, &picked), B_BAD_INDEX);
	ExpectRow(0, I, k0800, I, k0800);
	// No modification open: a result does nothing.
	EXPECT_EQ(fEditor.ApplyTimeResult(false, &init, &picked), B_BAD_INDEX);
}


TEST_F(BuchungsEditorTest, SplitAndJoin)
{
	Load(Punch('I', k0800) + Punch('O', k1700));
	testing::internal::CaptureStdout();
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungSplit, 1), B_OK);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"DoWithList  0 SPLITT\n");
	ExpectRow(0, I, k0800, O, k1700);
	ExpectRow(1, I, k1700, O, k1700);
	EXPECT_STREQ(fList.ItemAt(1)->fText, "cp");
	EXPECT_EQ(fList.ItemAt(0)->fEditState, kBuchungEditSplit);
	EXPECT_EQ(fList.ItemAt(1)->fEditState, kBuchungEditSplit);

	// 08:00–12:00 joined with 12:30–17:00 gives 08:00–17:00 "km".
	Load(Punch('I', k0800) + Punch('O', k1200) + Punch('I', k1230)
		+ Punch('O', k1700));
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungJoin, 1), B_OK);
	ASSERT_EQ(fList.CountItems(), 1);
	ExpectRow(0, I, k0800, O, k1700);
	EXPECT_STREQ(fList.ItemAt(0)->fText, "km");
	EXPECT_EQ(fList.ItemAt(0)->fEditState, kBuchungEditJoined);

	// Left alone: a following missing OUT, a following marker, the end.
	Load(Punch('I', k0800) + Punch('O', k1200) + Punch('I', k1230)
		+ Marker("A-Standart", 24) + Punch('O', k1700));
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungJoin, 1), B_OK);
	ASSERT_EQ(fEditor.DoWithList(1, kBuchungJoin, 1), B_OK);
	testing::internal::CaptureStdout();
	ASSERT_EQ(fEditor.DoWithList(3, kBuchungJoin, 1), B_OK);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "is on end..\n");
	ASSERT_EQ(fList.CountItems(), 4);

	// A missing IN or a marker takes no following row: its OUT would not
	// be written.
	Load(Punch('O', k1200) + Punch('I', k1230) + Punch('O', k1700)
		+ Marker("A-Standart", 24) + Punch('O', k1700));
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungJoin, 1), B_OK);
	ASSERT_EQ(fEditor.DoWithList(2, kBuchungJoin, 1), B_OK);
	std::string written;
	ASSERT_EQ(fList.Encode(written), B_OK);
	EXPECT_EQ(written, Punch('O', k1200) + Punch('I', k1230)
		+ Punch('O', k1700) + Marker("A-Standart", 24) + Punch('O', k1700));

	// A marker is not split: a copy would name a model "cp".
	Load(Marker("A-Standart", 24));
	EXPECT_EQ(fEditor.DoWithList(0, kBuchungSplit, 1), B_NOT_ALLOWED);
	EXPECT_EQ(fList.CountItems(), 1);
	bool open;
	EXPECT_EQ(fEditor.DoWithList(0, kBuchungModify, 1, &open), B_NOT_ALLOWED);
	EXPECT_FALSE(open);
}


TEST_F(BuchungsEditorTest, DeleteMoveAndBadRequests)
{
	Load(Punch('I', k0800));
	testing::internal::CaptureStdout();
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungDelete, 1), B_OK);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"DoWithList  0 DELETE\n");
	EXPECT_EQ(fList.CountItems(), 0);

	Load(Marker("A", 8) + Punch('I', k0800) + Marker("B", 8));
	testing::internal::CaptureStdout();
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungMoveUp, 1), B_OK);
	ASSERT_EQ(fEditor.DoWithList(2, kBuchungMoveDown, 1), B_OK);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"is on begin..\nis on end..\n");
	EXPECT_STREQ(fList.ItemAt(0)->fText, "A");
	EXPECT_EQ(fList.ItemAt(0)->fEditState, kBuchungEditMoved);
	ASSERT_EQ(fEditor.DoWithList(0, kBuchungMoveDown, 1), B_OK);
	ASSERT_EQ(fEditor.DoWithList(2, kBuchungMoveUp, 1), B_OK);
	EXPECT_STREQ(fList.ItemAt(0)->fText, "--");
	EXPECT_STREQ(fList.ItemAt(1)->fText, "B");
	EXPECT_STREQ(fList.ItemAt(2)->fText, "A");

	testing::internal::CaptureStdout();
	EXPECT_EQ(fEditor.DoWithList(0, 7, 1), B_BAD_VALUE);
	EXPECT_EQ(fEditor.DoWithList(0, 0, 1), B_BAD_VALUE);
	EXPECT_EQ(fEditor.DoWithList(3, kBuchungDelete, 1), B_BAD_INDEX);
	EXPECT_EQ(fEditor.DoWithList(-1, kBuchungJoin, 1), B_BAD_INDEX);
	BuchungsEditor none;
	EXPECT_EQ(none.DoWithList(0, kBuchungDelete, 1), B_NO_INIT);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"..bad modi\n..bad modi\n..No List\n");
	EXPECT_EQ(fList.CountItems(), 3);
}
