// The update pass with many children: scrolling draws no child again, an
// invalidated child is drawn alone, changes made while a pass runs are
// kept, and children beyond the parent's bounds stay reachable by
// scrolling however they got there.
#include "InterfaceTest.h"

#include <Bitmap.h>

#include <functional>

namespace {

// A child filled with its own colour that counts its updates and may run
// a hook on its first one.
class Tile : public BView {
public:
	Tile(BRect frame, rgb_color color)
		: BView(frame, "tile", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP,
			B_WILL_DRAW),
		fColor(color) {}

	void Draw(BRect) override
	{
		draws++;
		SetHighColor(fColor);
		FillRect(Bounds());
		if (draws == 1 && firstDraw)
			firstDraw(this);
	}

	rgb_color fColor;
	int draws = 0;
	std::function<void(Tile*)> firstDraw;
};


rgb_color
tile_color(int i)
{
	return make_color(20 + (i * 37) % 200, 250 - (i * 11) % 200,
		(i * 53) % 256);
}

const float kRow = 21;

}	// namespace


class UpdateTest : public InterfaceTest {
protected:
	// A 100 x 100 list of count rows, 20 pixels high each, kRow apart.
	BView* List(BWindow* window, int count, std::vector<Tile*>& tiles)
	{
		BView* list = new BView(BRect(0, 0, 99, 99), "list", B_FOLLOW_NONE,
			B_WILL_DRAW);
		list->SetViewColor(255, 255, 255);
		window->AddChild(list);
		for (int i = 0; i < count; i++) {
			Tile* tile = new Tile(BRect(0, kRow * i, 99, kRow * i + 19),
				tile_color(i));
			list->AddChild(tile);
			tiles.push_back(tile);
		}
		return list;
	}

	static rgb_color ColorAt(BWindow* window, float x, float y)
	{
		BBitmap* picture = WindowAutomation::Snapshot(window);
		if (picture == NULL)
			return make_color(0, 0, 0, 0);
		rgb_color color = picture->ColorAt(x, y);
		delete picture;
		return color;
	}

	static std::vector<int> Draws(const std::vector<Tile*>& tiles)
	{
		std::vector<int> draws;
		for (Tile* tile : tiles)
			draws.push_back(tile->draws);
		return draws;
	}
};


// How often each row was drawn: once for the rows from first to last,
// never for the others.
static std::vector<int>
drawn_once(int count, int first, int last)
{
	std::vector<int> draws(count, 0);
	for (int i = first; i <= last; i++)
		draws[i] = 1;
	return draws;
}


TEST_F(UpdateTest, RowsAreDrawnOnceTheyComeIntoSightAndNotWhenScrolled)
{
	BWindow* window = MakeWindow(BRect(0, 0, 199, 199));
	std::vector<Tile*> tiles;
	BView* list = List(window, 200, tiles);
	window->Show();
	ASSERT_TRUE(Sync());
	// Rows 0 to 4 touch the 100 visible pixels; the rest wait.
	std::vector<int> draws = drawn_once(200, 0, 4);
	EXPECT_EQ(Draws(tiles), draws);

	window->Lock();
	list->ScrollTo(0, kRow * 150);
	window->Unlock();
	ASSERT_TRUE(Sync());
	for (int i = 150; i <= 154; i++)
		draws[i] = 1;
	EXPECT_EQ(Draws(tiles), draws);
	EXPECT_TRUE(same_color(ColorAt(window, 5, 5), tile_color(150)));
	EXPECT_TRUE(same_color(ColorAt(window, 5, kRow + 5), tile_color(151)));
	// The gap between two rows shows the list itself.
	EXPECT_TRUE(same_color(ColorAt(window, 5, 20),
		make_color(255, 255, 255)));

	// Past the last row only the list's own colour is left.
	window->Lock();
	list->ScrollTo(0, kRow * 199);
	window->Unlock();
	ASSERT_TRUE(Sync());
	draws[199] = 1;
	EXPECT_EQ(Draws(tiles), draws);
	EXPECT_TRUE(same_color(ColorAt(window, 5, 5), tile_color(199)));
	EXPECT_TRUE(same_color(ColorAt(window, 5, 50),
		make_color(255, 255, 255)));

	// Back at the top: the rows seen before are not drawn again.
	window->Lock();
	list->ScrollTo(0, 0);
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(Draws(tiles), draws);
	EXPECT_TRUE(same_color(ColorAt(window, 5, 5), tile_color(0)));

	// Rows scrolled past between two updates are never drawn.
	window->Lock();
	for (int i = 10; i <= 100; i++)
		list->ScrollTo(0, kRow * i);
	window->Unlock();
	ASSERT_TRUE(Sync());
	for (int i = 100; i <= 104; i++)
		draws[i] = 1;
	EXPECT_EQ(Draws(tiles), draws);

	// A row moved into sight, and one that grows into it.
	window->Lock();
	tiles[180]->MoveTo(0, kRow * 101);
	tiles[170]->ResizeTo(99, kRow * 100);
	tiles[60]->ResizeBy(0, kRow * 45);
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(tiles[180]->draws, 1);
	EXPECT_EQ(tiles[170]->draws, 0);
	EXPECT_EQ(tiles[60]->draws, 1);
	EXPECT_TRUE(same_color(ColorAt(window, 5, kRow + 5), tile_color(180)));

	// A list made taller shows the rows below.
	window->Lock();
	list->ResizeTo(99, 99 + kRow);
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(tiles[105]->draws, 1);
	EXPECT_EQ(tiles[106]->draws, 0);
}


TEST_F(UpdateTest, OnlyTheInvalidatedViewsAreDrawn)
{
	BWindow* window = MakeWindow(BRect(0, 0, 199, 199));
	std::vector<Tile*> tiles;
	List(window, 100, tiles);
	// A grandchild inside the fourth row.
	Tile* inner = new Tile(BRect(60, 2, 69, 11), make_color(0, 0, 0));
	tiles[3]->AddChild(inner);
	window->Show();
	ASSERT_TRUE(Sync());
	std::vector<int> before = Draws(tiles);

	window->Lock();
	tiles[1]->Invalidate();
	tiles[2]->Invalidate(BRect(0, 0, 3, 3));
	tiles[1]->Invalidate(BRect(1, 1, 2, 2));
	// A row out of sight is not drawn for it.
	tiles[50]->Invalidate();
	window->Unlock();
	ASSERT_TRUE(Sync());
	std::vector<int> expected = before;
	expected[1]++;
	expected[2]++;
	EXPECT_EQ(Draws(tiles), expected);
	EXPECT_EQ(tiles[50]->draws, 0);

	// The grandchild alone: its row is not drawn again.
	window->Lock();
	inner->fColor = make_color(250, 0, 0);
	inner->Invalidate();
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(inner->draws, 2);
	EXPECT_EQ(Draws(tiles), expected);
	EXPECT_TRUE(same_color(ColorAt(window, 65, kRow * 3 + 5),
		make_color(250, 0, 0)));

	// A hidden row is passed over, and drawn whole once shown again.
	window->Lock();
	tiles[4]->Hide();
	tiles[4]->Invalidate();
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(tiles[4]->draws, before[4]);
	window->Lock();
	tiles[4]->Show();
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(tiles[4]->draws, before[4] + 1);
	EXPECT_TRUE(same_color(ColorAt(window, 5, kRow * 4 + 5),
		tile_color(4)));
}


TEST_F(UpdateTest, ChangesMadeDuringAPassAreKept)
{
	BWindow* window = MakeWindow(BRect(0, 0, 199, 199));
	BView* list = new BView(BRect(0, 0, 99, 99), "list", B_FOLLOW_NONE,
		B_WILL_DRAW);
	window->AddChild(list);
	window->Show();
	ASSERT_TRUE(Sync());

	// Drawn in this order: early, actor, doomed. The actor's first Draw
	// invalidates the row drawn before it, takes away the one after it
	// and adds a new one.
	Tile* early = new Tile(BRect(0, 0, 99, 19), tile_color(1));
	Tile* actor = new Tile(BRect(0, 21, 99, 40), tile_color(2));
	Tile* doomed = new Tile(BRect(0, 42, 99, 61), tile_color(3));
	Tile* added = new Tile(BRect(0, 63, 99, 82), tile_color(4));
	bool doomedGone = false;
	actor->firstDraw = [&](Tile*) {
		early->fColor = tile_color(5);
		early->Invalidate();
		doomed->RemoveSelf();
		delete doomed;
		doomedGone = true;
		list->AddChild(added);
	};
	window->Lock();
	list->AddChild(early);
	list->AddChild(actor);
	list->AddChild(doomed);
	window->Unlock();
	ASSERT_TRUE(Sync());

	EXPECT_TRUE(doomedGone);
	EXPECT_EQ(list->CountChildren(), 3);
	EXPECT_EQ(early->draws, 2);
	EXPECT_EQ(actor->draws, 1);
	EXPECT_EQ(added->draws, 1);
	EXPECT_TRUE(same_color(ColorAt(window, 5, 5), tile_color(5)));
	EXPECT_TRUE(same_color(ColorAt(window, 5, 68), tile_color(4)));
	EXPECT_TRUE(same_color(ColorAt(window, 5, 47),
		make_color(255, 255, 255)));
}


TEST_F(UpdateTest, ChildrenBeyondTheBoundsStayReachable)
{
	BWindow* window = MakeWindow(BRect(0, 0, 199, 199));
	std::vector<Tile*> tiles;
	BView* list = List(window, 3, tiles);
	window->Show();
	ASSERT_TRUE(Sync());

	auto shows = [&](float scroll, int tile) {
		window->Lock();
		list->ScrollTo(0, scroll);
		window->Unlock();
		EXPECT_TRUE(Sync());
		return same_color(ColorAt(window, 5, 5), tile_color(tile));
	};

	// The last row moved far down.
	window->Lock();
	tiles[2]->MoveTo(0, 500);
	window->Unlock();
	EXPECT_TRUE(shows(500, 2));
	// A row from the middle moved beyond it.
	window->Lock();
	tiles[0]->MoveTo(0, 800);
	window->Unlock();
	EXPECT_TRUE(shows(800, 0));
	// The farthest row goes: a row grown downwards is still seen whole.
	window->Lock();
	tiles[0]->RemoveSelf();
	delete tiles[0];
	tiles[1]->ResizeTo(99, 1000);
	window->Unlock();
	EXPECT_TRUE(shows(900, 1));
	// A row added out there.
	Tile* far = new Tile(BRect(0, 1500, 99, 1519), tile_color(9));
	window->Lock();
	list->AddChild(far);
	window->Unlock();
	EXPECT_TRUE(shows(1500, 9));

	// The list grows: the rows following its width are fitted, and the
	// far ones are still shown.
	window->Lock();
	list->ResizeTo(149, 99);
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(far->Frame().Width(), 149);
	EXPECT_TRUE(same_color(ColorAt(window, 145, 5), tile_color(9)));
	EXPECT_TRUE(shows(500, 2));
}


namespace {

// Counts its 'busy' messages, each of which takes a while, and notes how
// many of another window's it had seen when a 'mark' arrives.
class BusyWindow : public BWindow {
public:
	BusyWindow(BRect frame, const char* title, window_look look,
		window_feel feel, uint32 flags)
		: BWindow(frame, title, look, feel, flags) {}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case 'busy':
			{
				int32 index;
				if (message->FindInt32("index", &index) == B_OK)
					order.push_back(index);
				bigtime_t end = system_time() + 50;
				while (system_time() < end)
					;
				break;
			}
			case 'mark':
				seenAtMark = other != NULL ? other->order.size() : 0;
				break;
			default:
				BWindow::MessageReceived(message);
		}
	}

	std::vector<int32> order;
	BusyWindow* other = NULL;
	size_t seenAtMark = 0;
};

}	// namespace


class DispatchTest : public InterfaceTest {};


TEST_F(DispatchTest, ALongQueueKeepsItsOrderAndHoldsNoOtherWindowBack)
{
	BusyWindow* busy = MakeWindow<BusyWindow>();
	BusyWindow* other = MakeWindow<BusyWindow>();
	other->other = busy;
	busy->Show();
	other->Show();
	ASSERT_TRUE(Sync());

	const int32 kCount = 600;
	for (int32 i = 0; i < kCount; i++) {
		BMessage message('busy');
		message.AddInt32("index", i);
		ASSERT_EQ(busy->PostMessage(&message), B_OK);
	}
	ASSERT_EQ(other->PostMessage('mark'), B_OK);
	ASSERT_TRUE(Sync());

	ASSERT_EQ(busy->order.size(), (size_t)kCount);
	for (int32 i = 0; i < kCount; i++)
		ASSERT_EQ(busy->order[i], i);
	// 600 messages of 50 us each take far longer than one turn of the
	// busy window.
	EXPECT_LT(other->seenAtMark, (size_t)kCount);
}
