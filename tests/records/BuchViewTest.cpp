// The booking page: row texts, the rows it builds and keeps, the scroll
// bar fit and the wheel, the save button on the Windows keys, and the
// highlight of a row under modification.
#include "BuchViewTest.h"

#include <stdio.h>

#include <Button.h>
#include <MenuItem.h>
#include <PopUpMenu.h>
#include <ScrollBar.h>

#include <TDView.h>

namespace {

struct Texts {
	char in[64], out[64], duration[64], note[64];
};


Texts
texts_of(const fBuchung& row)
{
	Texts texts;
	EntryView::RowTexts(&row, texts.in, texts.out, texts.duration,
		texts.note);
	return texts;
}

}	// namespace


TEST(RowTexts, PairsMissingPunchesAndMarkers)
{
	setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
	tzset();

	// Monday 2007-12-10, 08:05 to 16:40 the same day.
	fBuchung* pair = pair_row(local_time(2007, 12, 10, 8, 5),
		local_time(2007, 12, 10, 16, 40));
	Texts texts = texts_of(*pair);
	EXPECT_STREQ(texts.in, " 07/12/10  08:05");
	EXPECT_STREQ(texts.out, "16:40");
	EXPECT_STREQ(texts.duration, "  08:35 ");
	EXPECT_STREQ(texts.note, "--");

	// Across midnight the OUT carries its date.
	pair->fTime2 = local_time(2007, 12, 11, 6, 0);
	texts = texts_of(*pair);
	EXPECT_STREQ(texts.out, "12/11 06:00");
	EXPECT_STREQ(texts.duration, "  21:55 ");

	// More than a day: the days before the bar.
	pair->fTime2 = local_time(2007, 12, 12, 10, 15);
	texts = texts_of(*pair);
	EXPECT_STREQ(texts.duration, "2|02:10 ");

	// An OUT before its IN (an edit can make one) shows a minus.
	pair->fTime2 = local_time(2007, 12, 10, 7, 35);
	EXPECT_STREQ(texts_of(*pair).duration, "  -00:30 ");
	delete pair;

	fBuchung missingIn(kBuchungOut, local_time(2007, 12, 10, 17, 0));
	texts = texts_of(missingIn);
	EXPECT_STREQ(texts.in, "missing IN ");
	EXPECT_STREQ(texts.out, "17:00");
	EXPECT_STREQ(texts.duration, "  00:00 ");
	EXPECT_STREQ(texts.note, "");

	fBuchung missingOut(kBuchungIn, local_time(2007, 12, 10, 8, 0), "cp");
	texts = texts_of(missingOut);
	EXPECT_STREQ(texts.in, " 07/12/10  08:00");
	EXPECT_STREQ(texts.out, "missing OUT ");
	EXPECT_STREQ(texts.duration, "");
	EXPECT_STREQ(texts.note, "cp");

	fBuchung* marker = marker_row("A-Standart");
	texts = texts_of(*marker);
	EXPECT_STREQ(texts.in, "Use A-Standart");
	EXPECT_STREQ(texts.out, "");
	delete marker;
}


TEST_F(BuchViewTest, RowsStackAtTheirPitchAndARedrawKeepsThem)
{
	EXPECT_STREQ(page->FilePath(), "Empty");
	EXPECT_EQ(page->Container()->CountChildren(), 0);

	for (int i = 0; i < 3; i++) {
		list->AddItem(pair_row(local_time(2020, 3, 2 + i, 8, 0),
			local_time(2020, 3, 2 + i, 16, 0)));
	}
	ShowList();
	TBuView* rows = page->Container();
	ASSERT_EQ(rows->CountChildren(), 3);
	float width = rows->Bounds().Width();
	for (int32 i = 0; i < 3; i++) {
		EntryView* row = Row(i);
		ASSERT_NE(row, nullptr);
		EXPECT_EQ(row->EntryNumber(), i);
		EXPECT_EQ(row->Buchung(), list->ItemAt(i));
		EXPECT_EQ(row->Frame(), BRect(1, 15 * i, width - 1, 15 * i + 13));
	}
	EXPECT_EQ(EntryView::bCounter, 3);

	// Drawing again, without an edit, builds no row.
	uint32 builds = rows->Builds();
	EntryView* first = Row(0);
	rows->Invalidate();
	page->Invalidate();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(rows->Builds(), builds);
	EXPECT_EQ(Row(0), first);

	// Another list replaces the rows; no list at all leaves none.
	other = new BuchungsListe();
	other->AddItem(marker_row("B"));
	ShowList(other);
	ASSERT_EQ(rows->CountChildren(), 1);
	EXPECT_EQ(EntryView::bCounter, 1);
	page->SetBuchungsListe(NULL);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(page->ScrollBar()->Proportion(), 1);
}


TEST_F(BuchViewTest, ScrollBarFitsTheRowsAndTheWheelMovesIt)
{
	BScrollBar* bar = page->ScrollBar();
	float min, max;

	// No list, and an empty one: nothing to scroll, no division by zero.
	page->FixupScrollbar();
	bar->GetRange(&min, &max);
	EXPECT_EQ(max, 0);
	EXPECT_EQ(bar->Proportion(), 1);
	ShowList();
	bar->GetRange(&min, &max);
	EXPECT_EQ(min, 0);
	EXPECT_EQ(max, 0);
	EXPECT_EQ(bar->Proportion(), 1);

	// 20 rows: 298 pixels of content in a container of 283.
	ASSERT_EQ(page->Container()->Bounds().Height(), 283);
	for (int i = 0; i < 20; i++)
		list->AddItem(new fBuchung(kBuchungIn, local_time(2020, 1, 1 + i, 8, 0)));
	ShowList();
	bar->GetRange(&min, &max);
	EXPECT_EQ(max, 15);
	EXPECT_FLOAT_EQ(bar->Proportion(), 283.0f / 298.0f);
	float small, large;
	bar->GetSteps(&small, &large);
	EXPECT_FLOAT_EQ(small, 283.0f / 8);
	EXPECT_FLOAT_EQ(large, 283.0f / 2);

	// At the top the wheel does not go up; down it stops at the end.
	BMessage wheel(B_MOUSE_WHEEL_CHANGED);
	wheel.AddFloat("be:wheel_delta_y", -1);
	page->Wheel2Scrollbars(&wheel);
	EXPECT_EQ(bar->Value(), 0);
	wheel.ReplaceFloat("be:wheel_delta_y", 1);
	page->Wheel2Scrollbars(&wheel);
	EXPECT_EQ(bar->Value(), 15);

	// 100 rows: 80 pixels a unit, through the window's wheel event.
	for (int i = 0; i < 80; i++)
		list->AddItem(new fBuchung(kBuchungOut, local_time(2021, 1, 1, 8, i)));
	ShowList();
	bar->SetValue(0);
	ASSERT_EQ(WindowAutomation::Wheel(window, 2, BPoint(200, 200)), B_OK);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(bar->Value(), 160);
	EXPECT_EQ(page->Container()->Bounds().top, 160);
}


TEST_F(BuchViewTest, WindowsKeysShowAndHideTheSaveButton)
{
	BButton* save = page->SaveButton();
	ASSERT_NE(save, nullptr);
	EXPECT_STREQ(save->Name(), "smodf");
	EXPECT_STREQ(save->Label(), "save into Tag-File");
	EXPECT_TRUE(save->IsHidden());

	ASSERT_EQ(WindowAutomation::UnmappedKey(window, B_LEFT_SUPER_KEY_CODE),
		B_OK);
	ASSERT_TRUE(Sync());
	EXPECT_FALSE(save->IsHidden());
	ASSERT_EQ(WindowAutomation::UnmappedKey(window, B_RIGHT_SUPER_KEY_CODE),
		B_OK);
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(save->IsHidden());

	// Another key without a character changes nothing.
	BMessage other(B_UNMAPPED_KEY_DOWN);
	other.AddInt32("key", 50);
	page->CheckWinKey(&other);
	EXPECT_TRUE(save->IsHidden());

	// The records window hides it after a save; a hidden page does not
	// upset the button's own state.
	BMessage super(B_UNMAPPED_KEY_DOWN);
	super.AddInt32("key", B_LEFT_SUPER_KEY_CODE);
	page->Hide();
	page->CheckWinKey(&super);
	page->Show();
	EXPECT_FALSE(save->IsHidden());
	page->HideSaveButton();
	page->HideSaveButton();
	EXPECT_TRUE(save->IsHidden());
}


TEST_F(BuchViewTest, RowUnderModificationIsHighlighted)
{
	list->AddItem(pair_row(local_time(2020, 3, 2, 8, 0),
		local_time(2020, 3, 2, 16, 0)));
	list->AddItem(pair_row(local_time(2020, 3, 3, 8, 0),
		local_time(2020, 3, 3, 16, 0)));
	ShowList();
	BPoint blank(200, 6);
	rgb_color plain = Row(0)->PixelAt(blank);
	EXPECT_EQ(plain.red, 240);
	EXPECT_EQ(plain.green, 240);

	Edit(0, kBuchungModify);
	ASSERT_NE(page->Picker(), nullptr);
	EXPECT_EQ(list->ItemAt(0)->fEditState, kBuchungEditOpen);
	rgb_color lit = Row(0)->PixelAt(blank);
	EXPECT_GT(lit.red, plain.red);
	EXPECT_LT(lit.green, plain.green - 10);
	// The other row stays plain.
	EXPECT_EQ(Row(1)->PixelAt(blank).green, plain.green);

	Answer(false);
	EXPECT_EQ(page->Picker(), nullptr);
	EXPECT_EQ(Row(0)->PixelAt(blank).green, plain.green);
}


TEST_F(BuchViewTest, OnlyTheRowsInViewAreShownAndScrollingFollows)
{
	for (int i = 0; i < 400; i++)
		list->AddItem(new fBuchung(kBuchungIn, local_time(2020, 1, 1, 0, i)));
	ShowList();
	TBuView* rows = page->Container();
	ASSERT_EQ(rows->CountChildren(), 400);
	// 283 pixels show rows 0 to 18; a few more stay ready below.
	EXPECT_EQ(rows->FirstShown(), 0);
	EXPECT_GE(rows->LastShown(), 18);
	EXPECT_LT(rows->LastShown(), 40);
	EXPECT_FALSE(Row(18)->IsHidden());
	EXPECT_TRUE(Row(60)->IsHidden());

	// The scroll bar to row 200: it is shown and drawn, the top is not.
	page->ScrollBar()->SetValue(200 * 15);
	ASSERT_TRUE(Sync());
	EXPECT_LE(rows->FirstShown(), 200);
	EXPECT_GE(rows->LastShown(), 218);
	EXPECT_TRUE(Row(0)->IsHidden());
	EXPECT_FALSE(Row(210)->IsHidden());
	EXPECT_EQ(Row(210)->PixelAt(BPoint(200, 6)).red, 240);

	// A click there opens the menu of that row.
	ASSERT_EQ(WindowAutomation::MouseDown(Row(205), BPoint(50, 6),
		B_SECONDARY_MOUSE_BUTTON), B_OK);
	ASSERT_TRUE(Sync());
	BPopUpMenu* menu = Row(205)->MenuPointer();
	ASSERT_NE(menu->Window(), nullptr);
	EXPECT_EQ(menu->ItemAt(0)->Message()->GetInt32("EntNr", -1), 205);
	ASSERT_EQ(WindowAutomation::Key(menu->Window(), "\x1b"), B_OK);
	ASSERT_TRUE(Sync());

	// An edit keeps the place in the list; the end of the list scrolls
	// no further than its last row.
	BMessage request(kMsgBuchEdit);
	request.AddInt32("EntNr", 205);
	request.AddInt32("dothis", kBuchungDelete);
	window->PostMessage(&request, page);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(page->ScrollBar()->Value(), 200 * 15);
	page->ScrollBar()->SetValue(1e6);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(page->ScrollBar()->Value(), 399 * 15 - 2 - 283);
	EXPECT_EQ(rows->LastShown(), 398);
	EXPECT_FALSE(Row(398)->IsHidden());
}
