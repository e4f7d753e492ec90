// Window and view geometry: inclusive rectangles, size limits, resizing
// modes, hide/show counting.
#include "InterfaceTest.h"

#include <Bitmap.h>
#include <Screen.h>

class GeometryTest : public InterfaceTest {};


TEST_F(GeometryTest, InclusiveWindowAndViewSizes)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>(
		BRect(0, 0, 400, 525));
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 400, 525));
	BView* view = new BView(BRect(10, 10, 109, 29), "v", B_FOLLOW_NONE,
		B_WILL_DRAW);
	view->SetViewColor(255, 0, 0);
	window->AddChild(view);
	window->Show();
	ASSERT_TRUE(Sync());

	// BRect(0, 0, 400, 525) is 401 x 526 pixels on screen.
	BBitmap* picture = WindowAutomation::Snapshot(window);
	ASSERT_NE(picture, nullptr);
	EXPECT_EQ(picture->Bounds(), BRect(0, 0, 400, 525));
	// The view covers 10..109 and 10..29, both ends included.
	EXPECT_TRUE(same_color(picture->ColorAt(10, 10), make_color(255, 0, 0)));
	EXPECT_TRUE(same_color(picture->ColorAt(109, 29), make_color(255, 0, 0)));
	EXPECT_FALSE(same_color(picture->ColorAt(110, 29), make_color(255, 0, 0)));
	EXPECT_FALSE(same_color(picture->ColorAt(109, 30), make_color(255, 0, 0)));
	delete picture;

	EXPECT_EQ(view->Bounds(), BRect(0, 0, 99, 19));
	EXPECT_EQ(view->ConvertToScreen(BPoint(0, 0)), BPoint(10, 10));
	window->MoveTo(50, 60);
	EXPECT_EQ(window->Frame(), BRect(50, 60, 450, 585));
	EXPECT_EQ(view->ConvertToScreen(BPoint(1, 2)), BPoint(61, 72));
	EXPECT_EQ(view->ConvertFromScreen(BPoint(61, 72)), BPoint(1, 2));

	ASSERT_TRUE(Sync());
	ASSERT_FALSE(window->moved.empty());
	EXPECT_EQ(window->moved.back(), BPoint(50, 60));
	EXPECT_GT(BScreen().Frame().Width(), 0);
}


TEST_F(GeometryTest, SizeLimitsBindResizeButNotResizableOnlyTheUser)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>(
		BRect(0, 0, 400, 525));
	window->SetSizeLimits(400, 420, 315, 525);
	window->Show();

	window->ResizeTo(300, 200);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 400, 315));
	window->ResizeTo(1000, 1000);
	EXPECT_EQ(window->Bounds(), BRect(0, 0, 420, 525));
	ASSERT_TRUE(Sync());
	ASSERT_FALSE(window->resized.empty());
	EXPECT_EQ(window->resized.back(), BPoint(420, 525));

	RecordingWindow* fixed = MakeWindow<RecordingWindow>(
		BRect(0, 0, 379, 139), B_NOT_RESIZABLE);
	fixed->Show();
	fixed->ResizeTo(199, 99);
	EXPECT_EQ(fixed->Bounds(), BRect(0, 0, 199, 99));
	BBitmap* picture = WindowAutomation::Snapshot(fixed);
	ASSERT_NE(picture, nullptr);
	EXPECT_EQ(picture->Bounds(), BRect(0, 0, 199, 99));
	delete picture;
}


namespace {

class FrameView : public BView {
public:
	FrameView(BRect frame, uint32 mode)
		: BView(frame, "frame", mode, B_WILL_DRAW | B_FRAME_EVENTS) {}

	void FrameResized(float width, float height) override
	{
		sizes.push_back(BPoint(width, height));
	}

	std::vector<BPoint> sizes;
};

}	// namespace


TEST_F(GeometryTest, ResizingModesFollowTheParent)
{
	BWindow* window = MakeWindow(BRect(0, 0, 199, 99));
	BView* parent = new BView(BRect(0, 0, 199, 99), "parent", B_FOLLOW_ALL,
		0);
	window->AddChild(parent);
	BRect box(20, 20, 39, 39);
	BView* leftTop = new BView(box, "lt", B_FOLLOW_LEFT | B_FOLLOW_TOP, 0);
	BView* right = new BView(box, "r", B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM, 0);
	BView* stretch = new BView(box, "s", B_FOLLOW_LEFT_RIGHT
		| B_FOLLOW_TOP_BOTTOM, 0);
	BView* centre = new BView(box, "c", B_FOLLOW_H_CENTER | B_FOLLOW_V_CENTER,
		0);
	FrameView* all = new FrameView(box, B_FOLLOW_ALL);
	BView* none = new BView(box, "n", B_FOLLOW_NONE, 0);
	for (BView* view : { leftTop, right, stretch, centre, (BView*)all, none })
		parent->AddChild(view);
	window->Show();

	window->ResizeBy(40, 20);
	EXPECT_EQ(parent->Frame(), BRect(0, 0, 239, 119));
	EXPECT_EQ(leftTop->Frame(), box);
	EXPECT_EQ(none->Frame(), box);
	EXPECT_EQ(right->Frame(), box.OffsetByCopy(40, 20));
	EXPECT_EQ(stretch->Frame(), BRect(20, 20, 79, 59));
	EXPECT_EQ(centre->Frame(), box.OffsetByCopy(20, 10));

	// Frame events come through the queue, with the new size.
	ASSERT_TRUE(Sync());
	ASSERT_FALSE(all->sizes.empty());
	EXPECT_EQ(all->sizes.back(), BPoint(59, 39));
}


TEST_F(GeometryTest, HideAndShowAreCounted)
{
	BWindow* window = MakeWindow(BRect(0, 0, 99, 99));
	BView* view = new BView(BRect(0, 0, 49, 49), "v", B_FOLLOW_NONE, 0);
	BView* child = new BView(BRect(0, 0, 9, 9), "c", B_FOLLOW_NONE, 0);
	view->AddChild(child);
	window->AddChild(view);
	EXPECT_TRUE(window->IsHidden());
	window->Show();
	EXPECT_FALSE(window->IsHidden());

	view->Hide();
	view->Hide();
	EXPECT_TRUE(child->IsHidden());
	view->Show();
	EXPECT_TRUE(view->IsHidden());
	EXPECT_EQ(window->FindView(BPoint(5, 5)), nullptr);
	view->Show();
	EXPECT_FALSE(view->IsHidden());
	EXPECT_EQ(window->FindView(BPoint(5, 5)), child);

	window->Hide();
	window->Hide();
	window->Show();
	EXPECT_TRUE(window->IsHidden());
	window->Show();
	EXPECT_FALSE(window->IsHidden());
}


// Views hidden before they reach a window stay out of its picture until
// they are shown.
TEST_F(GeometryTest, ViewHiddenBeforeAttachingStaysHidden)
{
	BWindow* window = MakeWindow(BRect(0, 0, 99, 99));
	BView* page = new BView(BRect(0, 0, 99, 99), "page", B_FOLLOW_NONE,
		B_WILL_DRAW);
	page->SetViewColor(255, 255, 255);
	BView* inner = new BView(BRect(10, 10, 49, 49), "inner", B_FOLLOW_NONE,
		B_WILL_DRAW);
	inner->SetViewColor(200, 0, 0);
	page->AddChild(inner);
	inner->Hide();
	window->AddChild(page);
	window->Show();
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(inner->IsHidden());
	EXPECT_EQ(window->FindView(BPoint(20, 20)), page);
	auto red_at = [&](BPoint point) {
		BBitmap* picture = WindowAutomation::Snapshot(window);
		const uint8* pixel = (const uint8*)picture->Bits()
			+ (int32)point.y * picture->BytesPerRow() + (int32)point.x * 4;
		bool red = pixel[2] == 200 && pixel[1] == 0;
		delete picture;
		return red;
	};
	EXPECT_FALSE(red_at(BPoint(20, 20)));
	inner->Show();
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(red_at(BPoint(20, 20)));
}


TEST_F(GeometryTest, HierarchyCallsAndHooks)
{
	struct HookView : BView {
		HookView(const char* name, std::vector<std::string>* log)
			: BView(BRect(0, 0, 9, 9), name, B_FOLLOW_NONE, 0), fLog(log) {}
		void AttachedToWindow() override
			{ fLog->push_back(std::string("attached ") + Name()); }
		void AllAttached() override
			{ fLog->push_back(std::string("all ") + Name()); }
		void DetachedFromWindow() override
			{ fLog->push_back(std::string("detached ") + Name()); }
		std::vector<std::string>* fLog;
	};

	std::vector<std::string> log;
	BWindow* window = MakeWindow();
	HookView* parent = new HookView("parent", &log);
	HookView* child = new HookView("child", &log);
	parent->AddChild(child);
	window->AddChild(parent);
	EXPECT_EQ(log, (std::vector<std::string>{ "attached parent",
		"attached child", "all child", "all parent" }));

	EXPECT_EQ(window->CountChildren(), 1);
	EXPECT_EQ(window->ChildAt(0), parent);
	EXPECT_EQ(parent->Parent(), nullptr);
	EXPECT_EQ(child->Parent(), parent);
	EXPECT_EQ(window->FindView("child"), child);
	EXPECT_EQ(child->Window(), window);
	EXPECT_EQ(child->Looper(), window);

	log.clear();
	EXPECT_TRUE(window->RemoveChild(parent));
	EXPECT_EQ(log, (std::vector<std::string>{ "detached parent",
		"detached child" }));
	EXPECT_EQ(child->Window(), nullptr);
	EXPECT_EQ(window->FindView("child"), nullptr);
	// Deleting a view deletes its children.
	delete parent;
}


TEST_F(GeometryTest, ScrollingMovesTheChildren)
{
	BWindow* window = MakeWindow(BRect(0, 0, 99, 99));
	BView* list = new BView(BRect(0, 0, 99, 49), "list", B_FOLLOW_NONE,
		B_WILL_DRAW);
	window->AddChild(list);
	BView* rows[10];
	for (int i = 0; i < 10; i++) {
		rows[i] = new BView(BRect(0, i * 21, 99, i * 21 + 19), "row",
			B_FOLLOW_NONE, B_WILL_DRAW);
		rows[i]->SetViewColor(i * 20, 0, 0);
		list->AddChild(rows[i]);
	}
	window->Show();
	list->ScrollTo(0, 84);
	EXPECT_EQ(list->Bounds(), BRect(0, 84, 99, 133));
	EXPECT_EQ(rows[4]->ConvertToScreen(BPoint(0, 0)), BPoint(0, 0));
	EXPECT_EQ(window->FindView(BPoint(5, 22)), rows[5]);

	BBitmap* picture = WindowAutomation::Snapshot(window);
	ASSERT_NE(picture, nullptr);
	EXPECT_TRUE(same_color(picture->ColorAt(5, 5), make_color(80, 0, 0)));
	EXPECT_TRUE(same_color(picture->ColorAt(5, 25), make_color(100, 0, 0)));
	// The list clips its children at its own bottom.
	EXPECT_FALSE(same_color(picture->ColorAt(5, 60), make_color(120, 0, 0)));
	delete picture;
}
