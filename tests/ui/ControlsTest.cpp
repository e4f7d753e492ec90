// Page tabs and link labels: what they draw and what they report.
#include "UiTest.h"

#include <TLinkView.h>
#include <eRadioButton.h>

namespace {

bool
is_dark(rgb_color color)
{
	return color.red < 100 && color.green < 100 && color.blue < 100;
}


// The topmost row of the tab that holds a dark (label) pixel.
int32
label_top(BView* view)
{
	BRect bounds = view->Bounds();
	for (int32 y = 0; y <= bounds.bottom; y++) {
		for (int32 x = 6; x < bounds.right - 4; x++) {
			if (is_dark(view->PixelAt(BPoint(x, y))))
				return y;
		}
	}
	return -1;
}

}	// namespace


class TabTest : public UiTest {
protected:
	void SetUp() override
	{
		UiTest::SetUp();
		first = new eRadioButton(BRect(8, 10, 88, 31), "bookings",
			"Bookings", new BMessage('pg01'));
		second = new eRadioButton(BRect(108, 10, 208, 31), "models",
			"Models", new BMessage('pg02'));
		host->AddChild(first);
		host->AddChild(second);
		second->SetValue(B_CONTROL_ON);
		Show();
	}

	eRadioButton* first;
	eRadioButton* second;
};


TEST_F(TabTest, ChosenTabStandsHigherAndUnfilled)
{
	ASSERT_TRUE(window->Lock());
	rgb_color page = host->ViewColor();
	rgb_color light = tint_color(page, B_LIGHTEN_2_TINT);
	// Inside the tab, right of the label.
	rgb_color chosen = second->PixelAt(BPoint(90, 8));
	rgb_color other = first->PixelAt(BPoint(70, 8));
	EXPECT_EQ(chosen.red, page.red);
	EXPECT_EQ(other.red, light.red);
	EXPECT_EQ(other.green, light.green);
	// Above the unchosen tab's top edge the page shows.
	EXPECT_EQ(first->PixelAt(BPoint(70, 2)).red, page.red);
	// The outline in the darkened colour on the top edge.
	rgb_color edge = tint_color(page, B_DARKEN_2_TINT);
	EXPECT_EQ(second->PixelAt(BPoint(50, 1)).red, edge.red);
	EXPECT_EQ(first->PixelAt(BPoint(50, 4)).red, edge.red);
	EXPECT_EQ(first->PixelAt(BPoint(50, 3)).red, page.red);

	int32 chosenTop = label_top(second);
	int32 otherTop = label_top(first);
	window->Unlock();
	ASSERT_GE(chosenTop, 0);
	ASSERT_GE(otherTop, 0);
	// Labels of the same cap height: "Models" vs "Bookings" both start
	// with a capital.
	EXPECT_EQ(otherTop - chosenTop, 3);
}


TEST_F(TabTest, SetValueDrawsAtOnceAndTurnsTheOtherTabOff)
{
	ASSERT_TRUE(window->Lock());
	rgb_color page = host->ViewColor();
	first->SetValue(B_CONTROL_ON);
	// No update pass has run yet: both tabs show their new state.
	EXPECT_EQ(first->PixelAt(BPoint(70, 8)).red, page.red);
	EXPECT_EQ(second->Value(), B_CONTROL_OFF);
	EXPECT_EQ(second->PixelAt(BPoint(90, 8)).red,
		tint_color(page, B_LIGHTEN_2_TINT).red);
	window->Unlock();

	// A click chooses a tab as for any radio button.
	WindowAutomation::Click(second, BPoint(30, 10));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(second->Value(), B_CONTROL_ON);
	EXPECT_EQ(first->Value(), B_CONTROL_OFF);

	BString path(ZELMORA_BINARY_DIR);
	path << "/tests/ui_tabs.png";
	EXPECT_EQ(WindowAutomation::SavePNG(window, path.String()), B_OK);
}


TEST_F(TabTest, BottomRectLiesUnderTheTab)
{
	BRect rect(-1, -1, -1, -1);
	second->GetBottomRect(&rect);
	EXPECT_EQ(rect, BRect(100, 0, 200, 2));
	second->GetBottomRect(NULL);
}


TEST_F(UiTest, LinkViewReportsClicksToItsParent)
{
	TLinkView* link = new TLinkView(BRect(10, 10, 200, 30), "Mo",
		"Frueh", 3);
	host->AddChild(link);
	Show();
	EXPECT_STREQ(link->Name(), "Mo");
	WindowAutomation::Click(link, BPoint(50, 10));
	ASSERT_TRUE(Sync());
	const BMessage* message = host->Last('Dtel');
	ASSERT_NE(message, nullptr);
	EXPECT_STREQ(message->GetString("_dModel", ""), "Frueh");
	EXPECT_STREQ(message->GetString("_dFNr", ""), "Mo");
	EXPECT_EQ(message->GetInt32("_dIdx", -1), 3);

	ASSERT_TRUE(window->Lock());
	EXPECT_EQ(link->ViewColor().red, 240);
	EXPECT_EQ(link->ViewColor().blue, 235);
	window->Unlock();
}
