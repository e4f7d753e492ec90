// The models page: the tree, the pop-ups, creating and linking models, the
// refused names, the hidden button and the register written at the end.
#include "PagesTest.h"

#include <Button.h>
#include <ListItem.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <OutlineListView.h>
#include <PopUpMenu.h>
#include <TextControl.h>

#include <cBreakTime.h>
#include <cDayModel.h>
#include <cWeekModel.h>

namespace {

class ModlViewTest : public PagesTest {
protected:
	void SetUp() override
	{
		PagesTest::SetUp();
		Open(true, false);
		register_ = STimeModels::getTimeModels();
	}

	template<class T>
	T* Find(const char* name)
	{
		return dynamic_cast<T*>(window->FindView(name));
	}

	bool Shown(const char* name)
	{
		BView* view = window->FindView(name);
		return view != NULL && !view->IsHidden();
	}

	// The rows the tree shows.
	std::vector<std::string> Rows()
	{
		std::vector<std::string> rows;
		BAutolock lock(window);
		BOutlineListView* tree = models->Tree();
		for (int32 i = 0; i < tree->CountItems(); i++)
			rows.push_back(((BStringItem*)tree->ItemAt(i))->Text());
		return rows;
	}

	int32 RowIndex(const std::string& text)
	{
		std::vector<std::string> rows = Rows();
		for (size_t i = 0; i < rows.size(); i++) {
			if (rows[i] == text)
				return (int32)i;
		}
		return -1;
	}

	void ChooseRow(const std::string& text)
	{
		int32 index = RowIndex(text);
		ASSERT_GE(index, 0) << text;
		Locked([&] { models->Tree()->Select(index); });
		Sync();
	}

	// Picks an item of a pop-up as the menu does: marked, then invoked.
	void Choose(const char* field, const char* label)
	{
		Locked([&] {
			BMenu* menu = Find<BMenuField>(field)->Menu();
			BMenuItem* item = menu->FindItem(label);
			ASSERT_NE(item, nullptr) << label;
			item->SetMarked(true);
			item->Invoke();
		});
		Sync();
	}

	std::string Marked(const char* field)
	{
		BAutolock lock(window);
		BMenuItem* item = Find<BMenuField>(field)->Menu()->FindMarked();
		return item != NULL ? item->Label() : "";
	}

	int32 MenuCount(const char* field)
	{
		BAutolock lock(window);
		return Find<BMenuField>(field)->Menu()->CountItems();
	}

	void Type(const char* field, const char* text)
	{
		Locked([&] { Find<BTextControl>(field)->SetText(text); });
	}

	// Enter in the name field.
	void EnterName(const char* name)
	{
		Type("bkn", name);
		Locked([&] { Find<BTextControl>("bkn")->MakeFocus(true); });
		ASSERT_EQ(WindowAutomation::Key(window, "\n"), B_OK);
		Sync();
	}

	std::string Text(const char* field)
	{
		BAutolock lock(window);
		return Find<BTextControl>(field)->Text();
	}

	std::string Label(const char* field)
	{
		BAutolock lock(window);
		return Find<BTextControl>(field)->Label();
	}

	STimeModels* register_;
};

}	// namespace


TEST_F(ModlViewTest, WithoutWeekModelTheTreeHasTwoRows)
{
	EXPECT_EQ(Rows(), (std::vector<std::string>{ "Week: no WeekProfil",
		"___" }));
	EXPECT_TRUE(Shown("olsv"));
	EXPECT_TRUE(Shown("mWGrp"));
	for (const char* name : { "mDGrp", "mBGrp", "btadd", "btremove", "bkn",
			"tAin", "tBin", "sSTM" })
		EXPECT_FALSE(Shown(name)) << name;
	// The pop-ups: the empty choice, "New Profile", a separator, then the
	// register's models in its order.
	BAutolock lock(window);
	BMenu* days = Find<BMenuField>("mDGrp")->Menu();
	ASSERT_EQ(days->CountItems(), 6);
	EXPECT_STREQ(days->ItemAt(0)->Label(), "no DayModel");
	EXPECT_STREQ(days->ItemAt(1)->Label(), "New Profile");
	EXPECT_STREQ(days->ItemAt(3)->Label(), "X-Shortly3");
	EXPECT_STREQ(days->ItemAt(5)->Label(), "A-WerkTags");
	EXPECT_STREQ(days->Name(), "no DayModel");
	EXPECT_EQ(Find<BMenuField>("mBGrp")->Menu()->CountItems(), 8);
}


TEST_F(ModlViewTest, WeekChoiceFillsTheDaysAndDayRowsShowTheirModel)
{
	Choose("mWGrp", "A-Standart");
	EXPECT_EQ(register_->fWeekModel, register_->GetWmIfExist("A-Standart"));
	std::vector<std::string> expected = { "Week: A-Standart", "___" };
	for (const char* day : { "Su", "Mo", "Tu", "We", "Th", "Fr", "Sa" })
		expected.push_back(std::string(day) + " : A-WerkTags");
	EXPECT_EQ(Rows(), expected);
	// Each day holds its breaks, folded away until that day is chosen.
	Locked([&] {
		EXPECT_EQ(models->Tree()->FullListCountItems(), 9 + 7 * 2);
	});

	ChooseRow("Mo : A-WerkTags");
	EXPECT_EQ(models->DayIndex(), 1);
	EXPECT_TRUE(Shown("mDGrp"));
	EXPECT_EQ(Marked("mDGrp"), "A-WerkTags");
	EXPECT_EQ(Label("tBin"), "working hours:");
	EXPECT_EQ(Text("tBin"), "07:30");
	EXPECT_TRUE(Shown("tBin"));
	EXPECT_TRUE(Shown("btadd"));
	EXPECT_FALSE(Shown("mWGrp"));
	Locked([&] { EXPECT_FALSE(Find<BTextControl>("tBin")->IsEnabled()); });
	delete Picture("models-monday.png");

	// "no DayModel" makes Monday, and only Monday, free.
	Choose("mDGrp", "no DayModel");
	cWeekModel* week = register_->GetWmIfExist("A-Standart");
	EXPECT_EQ(week->fDays[1], nullptr);
	EXPECT_NE(week->fDays[2], nullptr);
	EXPECT_GE(RowIndex("Mo : no DayModel"), 0);
	EXPECT_GE(RowIndex("Tu : A-WerkTags"), 0);

	// The week row shows the weekly hours.
	ChooseRow("Week: A-Standart");
	EXPECT_EQ(Label("tBin"), "weekly hours:");
	EXPECT_EQ(Text("tBin"), "40:00");
	EXPECT_TRUE(Shown("mWGrp"));
	EXPECT_FALSE(Shown("mDGrp"));
}


TEST_F(ModlViewTest, BreakRowsAddAndRemoveBreaksOfTheChosenDay)
{
	Choose("mWGrp", "A-Standart");
	ChooseRow("Tu : A-WerkTags");
	// The day's latch unfolds its break rows.
	int32 tuesday = RowIndex("Tu : A-WerkTags");
	Locked([&] {
		BOutlineListView* tree = models->Tree();
		tree->Expand(tree->ItemAt(tuesday));
	});
	Sync();
	std::vector<std::string> rows = Rows();
	ASSERT_GE((int32)rows.size(), tuesday + 3);
	EXPECT_EQ(rows[tuesday + 1], "Morgen");
	EXPECT_EQ(rows[tuesday + 2], "Mittag");

	ChooseRow("Mittag");
	EXPECT_TRUE(Shown("mBGrp"));
	EXPECT_TRUE(Shown("btremove"));
	EXPECT_EQ(Marked("mBGrp"), "Mittag");
	EXPECT_EQ(Label("tAin"), "break from:");
	EXPECT_EQ(Text("tAin"), "12:00");
	EXPECT_EQ(Text("tBin"), "12:30");
	Locked([&] { EXPECT_FALSE(Find<BMenuField>("mDGrp")->IsEnabled()); });

	// "remove BreakModel" takes it from the day model, which every day of
	// the week shares; the break stays in the register.
	Send(kMsgBreakRemove);
	cDayModel* day = register_->GetDmIfExist("A-WerkTags");
	ASSERT_EQ(day->fBreaks->CountItems(), 1);
	EXPECT_EQ(day->BreakAt(0), register_->GetBtIfExist("Morgen"));
	EXPECT_NE(register_->GetBtIfExist("Mittag"), nullptr);

	// "add Breakmodel" shows the break field; a choice there adds it back.
	ChooseRow("Tu : A-WerkTags");
	Send(kMsgDayAddBreak);
	EXPECT_TRUE(Shown("mBGrp"));
	Choose("mBGrp", "Ghost");
	ASSERT_EQ(day->fBreaks->CountItems(), 2);
	EXPECT_EQ(day->BreakAt(1), register_->GetBtIfExist("Ghost"));
}


TEST_F(ModlViewTest, NewBreakReachesTheRegisterAndThePopUpOnly)
{
	Choose("mWGrp", "A-Standart");
	int32 items = MenuCount("mBGrp");
	Choose("mBGrp", "New Profile");
	EXPECT_TRUE(Shown("bkn"));
	EXPECT_TRUE(Shown("tAin"));
	EXPECT_TRUE(Shown("tBin"));
	EXPECT_EQ(Label("tAin"), "break from:");
	EXPECT_EQ(Label("tBin"), "break to:");
	Type("tAin", "10:00");
	Type("tBin", "10:10");
	Type("bkn", "Kaffee");
	delete Picture("models-newbreak.png");
	EnterName("Kaffee");

	cBreakTime* bt = register_->GetBtIfExist("Kaffee");
	ASSERT_NE(bt, nullptr);
	EXPECT_EQ(bt->fDuration, 10);
	EXPECT_EQ(bt->fStartHour, 10);
	EXPECT_EQ(bt->fEndMinute, 10);
	EXPECT_EQ(register_->fBreakTimes->LastItem(), bt);
	EXPECT_EQ(MenuCount("mBGrp"), items + 1);
	EXPECT_EQ(Marked("mBGrp"), "Kaffee");
	for (int32 i = 0; i < register_->fDayModels->CountItems(); i++)
		EXPECT_FALSE(register_->DayModelAt(i)->fBreaks->HasItem(bt));
	// Minute 0 is no valid entry: its field asks for the correction.
	Locked([&] {
		EXPECT_TRUE(Find<BTextControl>("tAin")->TextView()->IsFocus());
	});
}


TEST_F(ModlViewTest, NewWeekAndDayModels)
{
	Choose("mWGrp", "New Profile");
	EXPECT_EQ(Text("bkn"), "-");
	EXPECT_EQ(Label("tBin"), "weekly hours:");
	Type("tBin", "20:30");
	EnterName("Teilzeit");
	cWeekModel* week = register_->GetWmIfExist("Teilzeit");
	ASSERT_NE(week, nullptr);
	EXPECT_EQ(week->fHoursPerWeek, 20);
	EXPECT_EQ(week->fMinutes, 30);
	EXPECT_EQ(register_->fWeekModel, week);
	EXPECT_EQ(models->CurrentWeek(), week);
	EXPECT_EQ(Marked("mWGrp"), "Teilzeit");
	EXPECT_EQ(Rows()[0], "Week: Teilzeit");
	EXPECT_EQ(Rows()[3], "Mo : no DayModel");

	// A new day model is only offered; choosing it before any row goes to
	// all seven days.
	Send(kMsgDayNew);
	EXPECT_EQ(Label("tBin"), "working hours:");
	Type("tBin", "04:15");
	EnterName("Halbtags");
	cDayModel* day = register_->GetDmIfExist("Halbtags");
	ASSERT_NE(day, nullptr);
	EXPECT_EQ(day->fDuration, 255);
	EXPECT_EQ(week->fDays[1], nullptr);
	Choose("mDGrp", "Halbtags");
	for (int d = 0; d < 7; d++)
		EXPECT_EQ(week->fDays[d], day) << d;
	EXPECT_EQ(Rows()[8], "Sa : Halbtags");
}


TEST_F(ModlViewTest, NamesThatCouldNotBeFoundAgainAreRefused)
{
	struct Case { uint32 create; const char* name; const char* why; };
	const Case cases[] = {
		{ kMsgWeekNew, "Mo Fr", "blanks" },
		{ kMsgWeekNew, "Mo;Fr", "blanks or ';'" },
		{ kMsgWeekNew, "Sechzehn-Zeichen", "3 to 15" },
		{ kMsgWeekNew, "-", "3 to 15" },
		{ kMsgWeekNew, "A-Standart", "already" },
		{ kMsgWeekNew, "NULL", "NULL" },
		{ kMsgWeekNew, "A,*B", ",*" },
		{ kMsgDayNew, "Früh,*Spät", ",*" },
		{ kMsgDayNew, "A-WerkTags", "already" },
		{ kMsgDayNew, "no DayModel", "choice" },
		{ kMsgDayNew, "Zwei\nZeilen", "line end" },
		{ kMsgDayNew, "Ein-Name-mit-zweiunddreissig-ZZ", NULL },
		{ kMsgDayNew, "Ein-Name-mit-zweiunddreissig-ZZZ", "3 to 31" },
		{ kMsgBreakNew, "Zz", "3 to 31" },
		{ kMsgBreakNew, "Tee,*", ",*" },
		{ kMsgBreakNew, "Mittag", "already" },
		{ kMsgBreakNew, "Tee", NULL }
	};
	for (const Case& test : cases) {
		SCOPED_TRACE(test.name);
		int32 weeks = register_->fWeekModels->CountItems();
		int32 days = register_->fDayModels->CountItems();
		int32 breaks = register_->fBreakTimes->CountItems();
		int32 items = MenuCount("mWGrp") + MenuCount("mDGrp")
			+ MenuCount("mBGrp");
		Send(test.create);
		Type("tAin", "10:05");
		Type("tBin", "10:20");
		EnterName(test.name);
		int32 created = register_->fWeekModels->CountItems() - weeks
			+ register_->fDayModels->CountItems() - days
			+ register_->fBreakTimes->CountItems() - breaks;
		int32 added = MenuCount("mWGrp") + MenuCount("mDGrp")
			+ MenuCount("mBGrp") - items;
		std::vector<std::string> alerts = Alerts();
		if (test.why == NULL) {
			EXPECT_EQ(created, 1);
			EXPECT_EQ(added, 1);
			EXPECT_TRUE(alerts.empty());
			continue;
		}
		EXPECT_EQ(created, 0);
		EXPECT_EQ(added, 0);
		ASSERT_EQ(alerts.size(), 1u);
		EXPECT_NE(alerts[0].find(test.why), std::string::npos) << alerts[0];
		// The name stays to be corrected.
		EXPECT_TRUE(Shown("bkn"));
		CloseAlerts();
	}
}


TEST_F(ModlViewTest, ADayModelTakesNineBreaks)
{
	Choose("mWGrp", "A-Standart");
	ChooseRow("Mo : A-WerkTags");
	cDayModel* day = register_->GetDmIfExist("A-WerkTags");
	Locked([&] {
		for (int i = 0; i < 7; i++) {
			BString name;
			name << "Pause-" << i;
			cBreakTime* bt = new cBreakTime(name.String(), 13 + i, 0, 13 + i,
				5);
			register_->fBreakTimes->AddItem(bt);
			day->AddBreakTime(bt);
			Find<BMenuField>("mBGrp")->Menu()->AddItem(new BMenuItem(
				name.String(), new BMessage(kMsgBreakSelect)));
		}
	});
	ASSERT_EQ(day->fBreaks->CountItems(), 9);
	// One already in the day changes nothing and is no error.
	Choose("mBGrp", "Morgen");
	EXPECT_EQ(day->fBreaks->CountItems(), 9);
	EXPECT_TRUE(Alerts().empty());
	Choose("mBGrp", "Ghost");
	EXPECT_EQ(day->fBreaks->CountItems(), 9);
	EXPECT_FALSE(day->fBreaks->HasItem(register_->GetBtIfExist("Ghost")));
	ASSERT_EQ(Alerts().size(), 1u);
	EXPECT_NE(Alerts()[0].find("A-WerkTags"), std::string::npos);
}


TEST_F(ModlViewTest, RedrawnRowDoesNotUndoTheNextCommand)
{
	Choose("mWGrp", "A-Standart");
	ChooseRow("Mo : A-WerkTags");
	Send(kMsgDayAddBreak);
	Choose("mBGrp", "New Profile");
	ASSERT_TRUE(Shown("bkn"));
	// The selected row is drawn again (a menu closed over it, say): it
	// reports itself once more, which must not hide the new name's fields.
	Locked([&] { models->Tree()->Invalidate(); });
	Sync();
	EXPECT_TRUE(Shown("bkn"));
	EXPECT_TRUE(Shown("mBGrp"));
	// Choosing another row still counts.
	ChooseRow("Tu : A-WerkTags");
	EXPECT_FALSE(Shown("bkn"));
	EXPECT_EQ(models->DayIndex(), 2);
}


TEST_F(ModlViewTest, OptionKeyTogglesTheTagFileButton)
{
	EXPECT_FALSE(Shown("sSTM"));
	Choose("mWGrp", "New Profile");
	ASSERT_TRUE(Shown("bkn"));
	ASSERT_EQ(WindowAutomation::UnmappedKey(window, B_LEFT_SUPER_KEY_CODE),
		B_OK);
	Sync();
	EXPECT_TRUE(Shown("sSTM"));
	EXPECT_FALSE(Shown("bkn"));
	Locked([&] { EXPECT_FALSE(Find<BTextControl>("tBin")->IsEnabled()); });

	// The button asks the window to write the marker.
	Locked([&] { Find<BButton>("sSTM")->Invoke(); });
	Sync();
	EXPECT_EQ(window->Count(kMsgModelIntoTagFile), 1);

	ASSERT_EQ(WindowAutomation::UnmappedKey(window, B_RIGHT_SUPER_KEY_CODE),
		B_OK);
	Sync();
	EXPECT_FALSE(Shown("sSTM"));
}


TEST_F(ModlViewTest, CheckWeekPtrFollowsTheRegister)
{
	Locked([&] {
		register_->fWeekModel = register_->GetWmIfExist("G-Standart");
		models->CheckWeekPtr();
	});
	Sync();
	EXPECT_EQ(Marked("mWGrp"), "G-Standart");
	EXPECT_EQ(models->CurrentWeek(), register_->fWeekModel);
	EXPECT_EQ(Rows()[7], "Fr : X-Shortly3");

	Locked([&] {
		register_->fWeekModel = NULL;
		models->CheckWeekPtr();
	});
	Sync();
	EXPECT_EQ(Marked("mWGrp"), "no WeekProfil");
	EXPECT_EQ(models->CurrentWeek(), nullptr);
	EXPECT_EQ(Rows().size(), 2u);
}


TEST_F(ModlViewTest, ValueFieldsAreOnlyNormalised)
{
	Choose("mBGrp", "New Profile");
	Type("tAin", "9:5");
	Locked([&] { Find<BTextControl>("tAin")->Invoke(); });
	Sync();
	EXPECT_EQ(Text("tAin"), "9:05");
	EXPECT_EQ(register_->fBreakTimes->CountItems(), 5);
}


TEST_F(ModlViewTest, NewModelsReachTheFileWhenTheRegisterGoes)
{
	Choose("mWGrp", "A-Standart");
	Choose("mBGrp", "New Profile");
	Type("tAin", "10:00");
	Type("tBin", "10:10");
	EnterName("Kaffee");
	ChooseRow("We : A-WerkTags");
	Send(kMsgDayAddBreak);
	Choose("mBGrp", "Kaffee");

	CloseWindow();
	STimeModels::getTimeModels()->DeleteMe();
	std::string text = FileText(fEmployee + "/_Time_Profiles_");
	EXPECT_NE(text.find("BT 10:00-10:10 Kaffee\n"), std::string::npos);
	EXPECT_NE(text.find("DM 07:30 A-WerkTags,*Morgen,*Kaffee,*Mittag,*NULL\n"),
		std::string::npos) << text;

	// Read back: the same models with the same links.
	STimeModels* again = STimeModels::getTimeModels();
	cBreakTime* bt = again->GetBtIfExist("Kaffee");
	ASSERT_NE(bt, nullptr);
	EXPECT_EQ(bt->fDuration, 10);
	cDayModel* day = again->GetDmIfExist("A-WerkTags");
	ASSERT_NE(day, nullptr);
	ASSERT_EQ(day->fBreaks->CountItems(), 3);
	EXPECT_EQ(day->BreakAt(1), bt);
	EXPECT_EQ(again->GetWmIfExist("A-Standart")->fDays[3], day);
}
