// Booking edits on the page: the context menu of a row, the picker opened
// by Modify and driven by keys, and what happens to an edit that is open
// when another employee's list arrives.
#include "BuchViewTest.h"

#include <stdio.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include <MenuItem.h>
#include <PopUpMenu.h>

#include <TDStringView.h>
#include <TDView.h>

namespace {

const char* const kTab = "\t";
const char* const kEnter = "\n";
const char* const kEscape = "\x1b";

BPoint
middle(BMenuItem* item)
{
	BRect frame = item->Frame();
	return BPoint((frame.left + frame.right) / 2,
		(frame.top + frame.bottom) / 2);
}

}	// namespace


class EditTest : public BuchViewTest {
protected:
	void Key(const char* bytes)
	{
		ASSERT_EQ(WindowAutomation::Key(window, bytes), B_OK);
		ASSERT_TRUE(Sync());
	}

	// Steps the focused field of the picker to value with "+" and "-".
	void StepTo(int32 number, int32 value)
	{
		TDStringView* field = page->Picker()->Field(number);
		ASSERT_TRUE(field->IsFocused());
		while (field->Value() != value)
			Key(field->Value() < value ? "+" : "-");
	}

	// Picks hour and minute of the shown day with keys and accepts.
	void Pick(int32 hour, int32 minute)
	{
		ASSERT_NE(page->Picker(), nullptr);
		StepTo(4, hour);
		Key(kTab);
		StepTo(5, minute);
		Key(kEnter);
		EXPECT_EQ(page->Picker(), nullptr);
	}

	time_t At(int hour, int minute, int day = 10)
	{
		return local_time(2007, 12, day, hour, minute);
	}

	void ExpectRow(int32 index, int32 kind1, time_t time1, int32 kind2,
		time_t time2, const char* note = NULL)
	{
		fBuchung* row = list->ItemAt(index);
		ASSERT_NE(row, nullptr);
		EXPECT_EQ(row->fKind1, kind1);
		EXPECT_EQ(row->fTime1, time1);
		EXPECT_EQ(row->fKind2, kind2);
		EXPECT_EQ(row->fTime2, time2);
		if (note != NULL) {
			EXPECT_STREQ(row->fText, note);
		}
	}

	BPopUpMenu* OpenMenu(int32 index, float x)
	{
		EXPECT_EQ(WindowAutomation::MouseDown(Row(index), BPoint(x, 6),
			B_SECONDARY_MOUSE_BUTTON), B_OK);
		EXPECT_TRUE(Sync());
		return Row(index)->MenuPointer();
	}
};


TEST_F(EditTest, ModifyCompletesLonePunchesWhateverTheColumn)
{
	for (int32 column : { kBuchungColumnIn, kBuchungColumnOut }) {
		list->MakeEmpty();
		list->AddItem(new fBuchung(kBuchungIn, At(8, 0)));
		list->AddItem(new fBuchung(kBuchungOut, At(17, 0)));
		ShowList();

		// A missing OUT gets its OUT.
		Edit(0, kBuchungModify, column);
		EXPECT_EQ(page->ModifiedEntry(), 0);
		EXPECT_EQ(page->Picker()->InitialTime(), At(8, 0));
		Pick(16, 30);
		ExpectRow(0, kBuchungIn, At(8, 0), kBuchungOut, At(16, 30));
		EXPECT_EQ(list->ItemAt(0)->fEditState, kBuchungEditApplied);

		// A missing IN gets its IN.
		Edit(1, kBuchungModify, column);
		EXPECT_EQ(page->Picker()->InitialTime(), At(17, 0));
		Pick(8, 0);
		ExpectRow(1, kBuchungIn, At(8, 0), kBuchungOut, At(17, 0));
		EXPECT_EQ(page->ModifiedEntry(), -1);
	}
}


TEST_F(EditTest, ModifyOnAPairChangesTheClickedColumn)
{
	list->AddItem(pair_row(At(8, 0), At(16, 0)));
	ShowList();
	Edit(0, kBuchungModify, kBuchungColumnIn);
	Pick(7, 30);
	ExpectRow(0, kBuchungIn, At(7, 30), kBuchungOut, At(16, 0));

	Edit(0, kBuchungModify, kBuchungColumnOut);
	EXPECT_EQ(page->Picker()->InitialTime(), At(16, 0));
	Pick(17, 15);
	ExpectRow(0, kBuchungIn, At(7, 30), kBuchungOut, At(17, 15));

	// A second Modify while the picker is open opens no second picker
	// and leaves the other row alone.
	list->AddItem(pair_row(At(8, 0, 11), At(9, 0, 11)));
	ShowList();
	Edit(0, kBuchungModify);
	TDView* picker = page->Picker();
	Edit(1, kBuchungModify);
	EXPECT_EQ(page->Picker(), picker);
	EXPECT_EQ(page->ModifiedEntry(), 0);
	EXPECT_EQ(list->ItemAt(1)->fEditState, kBuchungEditRead);

	// Escape closes it without a change.
	Key(kEscape);
	EXPECT_EQ(page->Picker(), nullptr);
	ExpectRow(0, kBuchungIn, At(7, 30), kBuchungOut, At(17, 15));
}


TEST_F(EditTest, SplitThenModifyBothHalves)
{
	list->AddItem(pair_row(At(8, 0), At(17, 0)));
	ShowList();
	Edit(0, kBuchungSplit);
	ASSERT_EQ(list->CountItems(), 2);
	ExpectRow(0, kBuchungIn, At(8, 0), kBuchungOut, At(17, 0), "--");
	ExpectRow(1, kBuchungIn, At(17, 0), kBuchungOut, At(17, 0), "cp");
	ASSERT_EQ(page->Container()->CountChildren(), 2);

	// Equal times: the OUT changes, whichever column.
	Edit(1, kBuchungModify, kBuchungColumnIn);
	Pick(18, 0);
	ExpectRow(1, kBuchungIn, At(17, 0), kBuchungOut, At(18, 0));
	Edit(0, kBuchungModify, kBuchungColumnOut);
	Pick(12, 0);
	Edit(1, kBuchungModify, kBuchungColumnIn);
	Pick(12, 30);
	ExpectRow(0, kBuchungIn, At(8, 0), kBuchungOut, At(12, 0));
	ExpectRow(1, kBuchungIn, At(12, 30), kBuchungOut, At(18, 0));
}


TEST_F(EditTest, JoinDeleteAndMovesKeepTheListOrder)
{
	list->AddItem(pair_row(At(8, 0), At(12, 0)));
	list->AddItem(pair_row(At(12, 30), At(17, 0)));
	list->AddItem(new fBuchung(kBuchungIn, At(8, 0, 11)));
	list->AddItem(marker_row("B-Teilzeit"));
	ShowList();

	Edit(0, kBuchungJoin);
	ASSERT_EQ(list->CountItems(), 3);
	ExpectRow(0, kBuchungIn, At(8, 0), kBuchungOut, At(17, 0), "km");
	// Onto a missing OUT: nothing.
	Edit(0, kBuchungJoin);
	ASSERT_EQ(list->CountItems(), 3);
	ExpectRow(0, kBuchungIn, At(8, 0), kBuchungOut, At(17, 0), "km");

	// The marker moves up past the punch and back; at the ends nothing.
	Edit(2, kBuchungMoveUp);
	EXPECT_TRUE(list->ItemAt(1)->IsMarker());
	Edit(1, kBuchungMoveDown);
	EXPECT_TRUE(list->ItemAt(2)->IsMarker());
	Edit(2, kBuchungMoveDown);
	EXPECT_TRUE(list->ItemAt(2)->IsMarker());
	EXPECT_EQ(list->ItemAt(2)->fEditState, kBuchungEditMoved);
	Edit(0, kBuchungMoveUp);
	ExpectRow(0, kBuchungIn, At(8, 0), kBuchungOut, At(17, 0));

	// A modified row keeps its place: no sorting by time.
	Edit(0, kBuchungModify, kBuchungColumnIn);
	StepTo(4, 23);
	Key(kEnter);
	ExpectRow(0, kBuchungIn, At(23, 0), kBuchungOut, At(17, 0));
	ExpectRow(1, kBuchungIn, At(8, 0, 11), kBuchungIn, At(8, 0, 11));

	// Unknown edits and rows that do not exist change nothing.
	Edit(0, 9);
	Edit(7, kBuchungDelete);
	ASSERT_EQ(list->CountItems(), 3);

	for (int i = 0; i < 3; i++)
		Edit(0, kBuchungDelete);
	EXPECT_EQ(list->CountItems(), 0);
	EXPECT_EQ(page->Container()->CountChildren(), 0);
}


TEST_F(EditTest, EditsSavedGiveTheExpectedBytes)
{
	// I 08:00, O 17:00, a lone OUT 17:00 the next day; split the pair,
	// give the lone OUT its IN, save.
	std::string path = testing::TempDir() + "buchview-save";
	{
		std::string data;
		auto punch = [&data](char kind, time_t when) {
			int32 head[2] = { kind, (int32)when };
			data.append((const char*)head, sizeof(head));
		};
		punch('I', At(8, 0));
		punch('O', At(17, 0));
		punch('O', At(17, 0, 11));
		std::ofstream(path, std::ios::binary) << data;
	}
	ASSERT_EQ(list->Read(path.c_str()), B_OK);
	ShowList();
	ASSERT_EQ(page->Container()->CountChildren(), 2);

	Edit(0, kBuchungSplit);
	Edit(0, kBuchungModify, kBuchungColumnOut);
	Pick(12, 0);
	// The copy's times are equal: its OUT changes first, then its IN.
	Edit(1, kBuchungModify, kBuchungColumnIn);
	Pick(17, 30);
	Edit(1, kBuchungModify, kBuchungColumnIn);
	Pick(12, 45);
	Edit(2, kBuchungModify, kBuchungColumnIn);
	Pick(9, 15);
	ASSERT_EQ(list->Write(path.c_str()), B_OK);

	std::ifstream in(path, std::ios::binary);
	std::string bytes((std::istreambuf_iterator<char>(in)),
		std::istreambuf_iterator<char>());
	const time_t expected[][2] = {
		{ 'I', At(8, 0) }, { 'O', At(12, 0) },
		{ 'I', At(12, 45) }, { 'O', At(17, 30) },
		{ 'I', local_time(2007, 12, 11, 9, 15) },
		{ 'O', At(17, 0, 11) } };
	ASSERT_EQ(bytes.size(), sizeof(expected) / sizeof(expected[0]) * 8);
	for (size_t i = 0; i < bytes.size() / 8; i++) {
		int32 head[2];
		memcpy(head, bytes.data() + 8 * i, 8);
		EXPECT_EQ(head[0], expected[i][0]) << "record " << i;
		EXPECT_EQ(head[1], (int32)expected[i][1]) << "record " << i;
	}
	unlink(path.c_str());
}


TEST_F(EditTest, ContextMenuNamesTheColumnOfEveryClick)
{
	list->AddItem(pair_row(At(8, 0), At(16, 0)));
	list->AddItem(marker_row("A-Standart"));
	ShowList();

	BPopUpMenu* menu = OpenMenu(0, 50);
	ASSERT_NE(menu->Window(), nullptr);
	ASSERT_EQ(menu->CountItems(), 5);
	const char* labels[] = { "Modify", "Split", "Join", NULL, "Delete" };
	const int32 edits[] = { kBuchungModify, kBuchungSplit, kBuchungJoin, 0,
		kBuchungDelete };
	for (int32 i = 0; i < 5; i++) {
		BMenuItem* item = menu->ItemAt(i);
		if (labels[i] == NULL) {
			EXPECT_EQ(item->Message(), nullptr);
			continue;
		}
		EXPECT_STREQ(item->Label(), labels[i]);
		EXPECT_EQ(item->Message()->what, kMsgBuchEdit);
		EXPECT_EQ(item->Message()->GetInt32("dothis", 0), edits[i]);
		EXPECT_EQ(item->Message()->GetInt32("EntNr", -1), 0);
		EXPECT_EQ(item->Message()->GetInt32("InOut", 0), kBuchungColumnIn);
	}
	ASSERT_EQ(WindowAutomation::Key(menu->Window(), kEscape), B_OK);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(menu->Window(), nullptr);

	// The second opening of the same row, in the OUT column.
	menu = OpenMenu(0, 200);
	ASSERT_NE(menu->Window(), nullptr);
	EXPECT_EQ(menu->ItemAt(0)->Message()->GetInt32("InOut", 0),
		kBuchungColumnOut);
	WindowAutomation::Click(menu, middle(menu->ItemAt(0)));
	ASSERT_TRUE(Sync());
	ASSERT_NE(page->Picker(), nullptr);
	EXPECT_EQ(page->Picker()->InitialTime(), At(16, 0));

	// No menu while the picker is open.
	EXPECT_EQ(OpenMenu(1, 50)->Window(), nullptr);
	Key(kEscape);

	// A marker row moves or goes.
	menu = OpenMenu(1, 50);
	ASSERT_EQ(menu->CountItems(), 4);
	EXPECT_STREQ(menu->ItemAt(0)->Label(), "Move Up");
	EXPECT_STREQ(menu->ItemAt(1)->Label(), "Move Down");
	EXPECT_STREQ(menu->ItemAt(3)->Label(), "Delete");
	WindowAutomation::Click(menu, middle(menu->ItemAt(0)));
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(list->ItemAt(0)->IsMarker());
}


TEST_F(EditTest, AnotherEmployeesListEndsAnOpenEdit)
{
	list->AddItem(pair_row(At(8, 0), At(16, 0)));
	ShowList();
	other = new BuchungsListe();
	other->AddItem(pair_row(At(8, 0), At(16, 0)));

	// A picker is open on the first employee's row.
	Edit(0, kBuchungModify, kBuchungColumnIn);
	ASSERT_TRUE(page->EditData());
	page->CancelEdit();
	page->SetFilePath("/x/Employee/4711");
	ShowList(other);
	EXPECT_FALSE(page->EditData());
	EXPECT_EQ(page->ModifiedEntry(), -1);
	EXPECT_EQ(list->ItemAt(0)->fEditState, kBuchungEditApplied);

	// A late time result, even one that names the new row's time, edits
	// nothing.
	BMessage late(kMsgBuchTime);
	late.AddInt32("_QuitMod", 1);
	late.AddInt32("_initT", (int32)At(8, 0));
	late.AddInt32("_backT", (int32)At(6, 0));
	window->PostMessage(&late, page);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(other->ItemAt(0)->fTime1, At(8, 0));

	// A menu choice made on the old rows, arriving after the new ones.
	ShowList(list);
	BPopUpMenu* menu = OpenMenu(0, 50);
	BMessage stale(*menu->ItemAt(4)->Message());
	ASSERT_EQ(WindowAutomation::Key(menu->Window(), kEscape), B_OK);
	ShowList(other);
	window->PostMessage(&stale, page);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(other->CountItems(), 1);

	// The new list is edited as usual.
	Edit(0, kBuchungModify, kBuchungColumnOut);
	Pick(17, 0);
	EXPECT_EQ(other->ItemAt(0)->fTime2, At(17, 0));

	// The row under modification deleted by a script: its picker goes.
	Edit(0, kBuchungModify);
	Edit(0, kBuchungDelete);
	EXPECT_FALSE(page->EditData());
}
