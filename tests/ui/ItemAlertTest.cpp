// Model list items (colour, selection message) and the one-button alert.
#include "UiTest.h"

#include <string.h>

#include <Alert.h>
#include <Button.h>
#include <ListView.h>
#include <TextView.h>

#include <AnyAlert.h>
#include <EStringItem.h>

namespace {

static const uint32 kMsgChosen = 'mChs';

// Counts the pixels of a list row that are plainly red and that are dark.
void
count_text_pixels(BView* view, BRect row, int32* red, int32* dark)
{
	*red = *dark = 0;
	for (int32 y = (int32)row.top; y <= row.bottom; y++) {
		for (int32 x = (int32)row.left; x <= row.right; x++) {
			rgb_color c = view->PixelAt(BPoint(x, y));
			if (c.red > 120 && c.green < 90 && c.blue < 90)
				(*red)++;
			else if (c.red < 70 && c.green < 70 && c.blue < 70)
				(*dark)++;
		}
	}
}

}	// namespace


class ItemTest : public UiTest {
protected:
	void SetUp() override
	{
		UiTest::SetUp();
		list = new BListView(BRect(10, 10, 300, 150), "models");
		host->AddChild(list);
	}

	BListView* list;
};


TEST_F(ItemTest, MissingModelsDrawInRed)
{
	BMessage chosen(kMsgChosen);
	EStringItem* items[3] = {
		new EStringItem("Mo Frueh no DayModel", &chosen),
		new EStringItem("Woche 38h", &chosen),
		new EStringItem("no WeekProfil", &chosen)
	};
	for (EStringItem* item : items)
		list->AddItem(item);
	Show();
	ASSERT_TRUE(window->Lock());
	for (int32 i = 0; i < 3; i++) {
		SCOPED_TRACE(i);
		int32 red, dark;
		count_text_pixels(list, list->ItemFrame(i), &red, &dark);
		if (i == 1) {
			EXPECT_EQ(red, 0);
			EXPECT_GT(dark, 10);
		} else {
			EXPECT_GT(red, 10);
			EXPECT_EQ(dark, 0);
		}
	}
	// The owner's high colour is near-black again after each item.
	rgb_color high = list->HighColor();
	EXPECT_EQ(high.red, 10);
	EXPECT_EQ(high.green, 10);
	// The items draw in the fixed-width font at size 11.
	BFont font;
	list->GetFont(&font);
	EXPECT_TRUE(font.IsFixed());
	EXPECT_EQ(font.Size(), 11);
	window->Unlock();
	list->MakeEmpty();
	for (EStringItem* item : items)
		delete item;
}


TEST_F(ItemTest, SelectedItemReportsOnEveryDrawing)
{
	BMessage chosen(kMsgChosen);
	chosen.AddString("_name", "Frueh");
	EStringItem* first = new EStringItem("Frueh", &chosen);
	EStringItem* second = new EStringItem("Spaet", NULL);
	list->AddItem(first);
	list->AddItem(second);
	Show();
	EXPECT_EQ(host->Count(kMsgChosen), 0);
	EXPECT_STREQ(first->Name(), "Frueh");

	ASSERT_TRUE(window->Lock());
	list->Select(0);
	window->Unlock();
	ASSERT_TRUE(Sync());
	int32 afterSelect = host->Count(kMsgChosen);
	EXPECT_GE(afterSelect, 1);
	EXPECT_TRUE(first->WasSelected());
	EXPECT_STREQ(host->Last(kMsgChosen)->GetString("_name", ""), "Frueh");

	for (int32 i = 0; i < 2; i++) {
		ASSERT_TRUE(window->Lock());
		list->Invalidate();
		window->Unlock();
		ASSERT_TRUE(Sync());
	}
	EXPECT_GE(host->Count(kMsgChosen), afterSelect + 2);

	// An item without a message reports nothing; the first one, no longer
	// selected, stops reporting.
	ASSERT_TRUE(window->Lock());
	list->Select(1);
	window->Unlock();
	ASSERT_TRUE(Sync());
	int32 count = host->Count(kMsgChosen);
	ASSERT_TRUE(window->Lock());
	list->Invalidate();
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(host->Count(kMsgChosen), count);
	EXPECT_TRUE(second->WasSelected());
	list->MakeEmpty();
	delete first;
	delete second;
}


class AlertTest : public UiTest {
protected:
	static BAlert* Open()
	{
		for (int32 i = be_app->CountWindows() - 1; i >= 0; i--) {
			BAlert* alert = dynamic_cast<BAlert*>(be_app->WindowAt(i));
			if (alert != NULL)
				return alert;
		}
		return NULL;
	}

	static void Dismiss(BAlert* alert)
	{
		if (alert->Lock())
			alert->Quit();
	}
};


TEST_F(AlertTest, TextUnderTheHeadWithOneButton)
{
	BAlert* alert = MakeAnyAlert("");
	EXPECT_STREQ(alert->Title(), "Autsch");
	EXPECT_STREQ(alert->TextView()->Text(), "Zelmora..\n");
	ASSERT_NE(alert->ButtonAt(0), nullptr);
	EXPECT_STREQ(alert->ButtonAt(0)->Label(), " I see ");
	EXPECT_EQ(alert->ButtonAt(1), nullptr);
	EXPECT_EQ(alert->Type(), B_INFO_ALERT);
	EXPECT_EQ(alert->DefaultButton(), alert->ButtonAt(0));
	Dismiss(alert);

	alert = MakeAnyAlert("no relay box at 127.0.0.1");
	EXPECT_STREQ(alert->TextView()->Text(),
		"Zelmora..\nno relay box at 127.0.0.1");
	Dismiss(alert);
	alert = MakeAnyAlert(NULL);
	EXPECT_STREQ(alert->TextView()->Text(), "Zelmora..\n");
	Dismiss(alert);
}


TEST_F(AlertTest, LongTextIsCut)
{
	std::string text(5000, 'x');
	BAlert* alert = MakeAnyAlert(text.c_str());
	std::string shown = alert->TextView()->Text();
	EXPECT_EQ(shown.size(), strlen("Zelmora..\n") + ZL_ALERT_TEXT_MAX);
	EXPECT_EQ(shown.substr(0, 10), "Zelmora..\n");
	EXPECT_EQ(shown.back(), 'x');
	Dismiss(alert);

	// The cut never splits a character of several bytes.
	text = std::string(ZL_ALERT_TEXT_MAX - 1, 'a') + "\xc3\xa4" + "bbb";
	alert = MakeAnyAlert(text.c_str());
	shown = alert->TextView()->Text();
	EXPECT_EQ(shown.size(), 10u + ZL_ALERT_TEXT_MAX - 1);
	EXPECT_EQ(shown.back(), 'a');
	Dismiss(alert);

	// A text that just fits stays whole.
	text = std::string(ZL_ALERT_TEXT_MAX, 'y');
	alert = MakeAnyAlert(text.c_str());
	EXPECT_EQ(std::string(alert->TextView()->Text()).size(),
		10u + ZL_ALERT_TEXT_MAX);
	Dismiss(alert);
}


namespace {

// Presses Enter in the alert once it has been open for a few ticks.
class AlertDriver : public BWindow {
public:
	AlertDriver()
		: BWindow(BRect(10, 10, 100, 100), "driver", B_TITLED_WINDOW_LOOK,
			B_NORMAL_WINDOW_FEEL, 0) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'tick') {
			BWindow::MessageReceived(message);
			return;
		}
		BAlert* alert = NULL;
		for (int32 i = be_app->CountWindows() - 1; i >= 0 && alert == NULL;
				i--)
			alert = dynamic_cast<BAlert*>(be_app->WindowAt(i));
		if (++ticks < 5 || alert == NULL) {
			PostMessage('tick');
			return;
		}
		text = alert->TextView()->Text();
		WindowAutomation::Key(alert, "\n");
	}

	int32 ticks = 0;
	std::string text;
};

}	// namespace


TEST_F(AlertTest, RunsModallyUntilThePress)
{
	Show();
	AlertDriver* driver = new AlertDriver();
	driver->Show();
	ASSERT_TRUE(Sync());
	driver->PostMessage('tick');
	AnyAlert("Datei fehlt");
	EXPECT_GE(driver->ticks, 5);
	EXPECT_EQ(driver->text, "Zelmora..\nDatei fehlt");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(Open(), nullptr);
	if (driver->Lock())
		driver->Quit();
}
