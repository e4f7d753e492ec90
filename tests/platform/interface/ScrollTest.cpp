// Scroll bars and scroll views: range, proportion and value, the target
// scrolling both ways, and the parts of the bar under the mouse.
#include <Bitmap.h>
#include <ScrollBar.h>
#include <ScrollView.h>

#include "InterfaceTest.h"

class ScrollTest : public InterfaceTest {};


TEST_F(ScrollTest, ValueMovesTheTargetWithinTheRange)
{
	BWindow* window = MakeWindow(BRect(100, 100, 300, 300));
	BView* rows = new BView(BRect(0, 0, 180, 99), "TTagsView", B_FOLLOW_NONE,
		B_WILL_DRAW);
	window->AddChild(rows);
	BScrollBar* bar = new BScrollBar(BRect(182, 0, 196, 99), "scroll_Bar",
		rows, 0, 0, B_VERTICAL);
	window->AddChild(bar);
	window->Show();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(rows->ScrollBar(B_VERTICAL), bar);
	EXPECT_EQ(rows->ScrollBar(B_HORIZONTAL), nullptr);

	// An empty range keeps the value at its minimum.
	bar->SetValue(40);
	EXPECT_EQ(bar->Value(), 0);
	EXPECT_EQ(rows->Bounds().top, 0);

	// 20 rows of 21 pixels in a 100-pixel view.
	float content = 21 * 20 - 2;
	float visible = rows->Bounds().Height();
	bar->SetProportion(visible / content);
	bar->SetRange(0, content - visible);
	bar->SetSteps(visible / 8, visible / 2);
	float min, max, small, large;
	bar->GetRange(&min, &max);
	bar->GetSteps(&small, &large);
	EXPECT_EQ(min, 0);
	EXPECT_EQ(max, content - visible);
	EXPECT_FLOAT_EQ(small, visible / 8);

	bar->SetValue(84);
	EXPECT_EQ(bar->Value(), 84);
	EXPECT_EQ(rows->Bounds().top, 84);
	bar->SetValue(10000);
	EXPECT_EQ(bar->Value(), max);
	EXPECT_EQ(rows->Bounds().top, max);
	bar->SetValue(-3);
	EXPECT_EQ(bar->Value(), 0);

	// A narrower range pulls value and target back into it.
	bar->SetValue(300);
	bar->SetRange(0, 100);
	EXPECT_EQ(bar->Value(), 100);
	EXPECT_EQ(rows->Bounds().top, 100);

	// The target scrolled by code: the bar follows but stays in range,
	// the target does not.
	rows->ScrollTo(0, 60);
	EXPECT_EQ(bar->Value(), 60);
	rows->ScrollTo(0, 180);
	EXPECT_EQ(bar->Value(), 100);
	EXPECT_EQ(rows->Bounds().top, 180);

	// Proportions beyond 0..1 are clamped.
	bar->SetProportion(1.5);
	EXPECT_EQ(bar->Proportion(), 1);
	bar->SetProportion(-1);
	EXPECT_EQ(bar->Proportion(), 0);

	// A reversed range collapses to its minimum.
	bar->SetRange(50, 10);
	bar->GetRange(&min, &max);
	EXPECT_EQ(min, 50);
	EXPECT_EQ(max, 50);
	EXPECT_EQ(bar->Value(), 50);

	// The target goes away: the bar forgets it.
	rows->RemoveSelf();
	delete rows;
	EXPECT_EQ(bar->Target(), nullptr);
	bar->SetRange(0, 200);
	bar->SetValue(20);
	EXPECT_EQ(bar->Value(), 20);
}


TEST_F(ScrollTest, ArrowsTrackAndThumbUnderTheMouse)
{
	BWindow* window = MakeWindow(BRect(100, 100, 300, 300));
	BView* target = new BView(BRect(0, 0, 150, 149), "t", B_FOLLOW_NONE, 0);
	window->AddChild(target);
	BScrollBar* bar = new BScrollBar(BRect(160, 0, 174, 149), "bar", target,
		0, 300, B_VERTICAL);
	bar->SetSteps(10, 100);
	bar->SetProportion(0.3f);
	window->AddChild(bar);
	window->Show();
	ASSERT_TRUE(Sync());

	// The down arrow at the bottom, the up arrow at the top.
	WindowAutomation::Click(bar, BPoint(7, 145));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(bar->Value(), 10);
	WindowAutomation::Click(bar, BPoint(7, 3));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(bar->Value(), 0);
	// The track below the thumb pages down.
	WindowAutomation::Click(bar, BPoint(7, 120));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(bar->Value(), 100);
	EXPECT_EQ(target->Bounds().top, 100);

	// Dragging the thumb to the bottom of the track reaches the maximum.
	WindowAutomation::MouseDown(bar, BPoint(7, 60));
	WindowAutomation::MouseMoved(bar, BPoint(7, 400), B_PRIMARY_MOUSE_BUTTON);
	WindowAutomation::MouseUp(bar, BPoint(7, 400));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(bar->Value(), 300);

	// The picture: the arrows and the thumb are lighter than the track.
	BBitmap* picture = WindowAutomation::Snapshot(window);
	ASSERT_NE(picture, nullptr);
	rgb_color track = picture->ColorAt(167, 40);
	rgb_color thumb = picture->ColorAt(163, 130);
	EXPECT_LT(track.red, thumb.red);
	delete picture;
}


TEST_F(ScrollTest, ScrollViewWrapsItsTarget)
{
	BWindow* window = MakeWindow();
	BView* target = new BView(BRect(10, 20, 109, 69), "ol_list",
		B_FOLLOW_ALL, B_WILL_DRAW);
	BScrollView* fancy = new BScrollView("olsv", target, B_FOLLOW_LEFT
		| B_FOLLOW_TOP, 0, false, true);
	window->AddChild(fancy);
	// Two pixels of border and the bar on the right.
	EXPECT_EQ(fancy->Frame(), BRect(8, 18, 111 + B_V_SCROLL_BAR_WIDTH, 71));
	EXPECT_EQ(target->Frame().LeftTop(), BPoint(2, 2));
	EXPECT_EQ(target->Parent(), fancy);
	EXPECT_EQ(fancy->Target(), target);
	ASSERT_NE(fancy->ScrollBar(B_VERTICAL), nullptr);
	EXPECT_EQ(fancy->ScrollBar(B_HORIZONTAL), nullptr);
	EXPECT_EQ(fancy->ScrollBar(B_VERTICAL)->Target(), target);
	EXPECT_EQ(target->ScrollBar(B_VERTICAL), fancy->ScrollBar(B_VERTICAL));

	BView* other = new BView(BRect(0, 0, 49, 49), "o", B_FOLLOW_NONE, 0);
	BScrollView* plain = new BScrollView("p", other, B_FOLLOW_NONE, 0, true,
		true, B_PLAIN_BORDER);
	EXPECT_EQ(plain->Frame(), BRect(-1, -1, 50 + B_V_SCROLL_BAR_WIDTH,
		50 + B_H_SCROLL_BAR_HEIGHT));
	EXPECT_EQ(plain->ScrollBar(B_HORIZONTAL)->Orientation(), B_HORIZONTAL);
	delete plain;
}
