// Drawing into the retained image: colours, modes, shapes without
// anti-aliasing, text at a baseline, bitmaps, and the update pass.
#include "InterfaceTest.h"

#include <Bitmap.h>
#include <Font.h>

namespace {

// A view that draws what the test gives it and counts its updates.
class CanvasView : public BView {
public:
	CanvasView(BRect frame, std::function<void(BView*)> paint = nullptr)
		: BView(frame, "canvas", B_FOLLOW_NONE, B_WILL_DRAW),
		fPaint(paint) {}

	void Draw(BRect update) override
	{
		draws++;
		lastUpdate = update;
		if (fPaint)
			fPaint(this);
	}

	std::function<void(BView*)> fPaint;
	int draws = 0;
	BRect lastUpdate;
};

const rgb_color kWhite = { 255, 255, 255, 255 };
const rgb_color kRed = { 255, 0, 0, 255 };
const rgb_color kBlue = { 0, 0, 255, 255 };

}	// namespace

class DrawingTest : public InterfaceTest {
protected:
	CanvasView* Canvas(std::function<void(BView*)> paint,
		BRect frame = BRect(0, 0, 49, 49))
	{
		BWindow* window = MakeWindow(BRect(0, 0, 99, 99));
		CanvasView* view = new CanvasView(frame, paint);
		view->SetViewColor(kWhite);
		window->AddChild(view);
		window->Show();
		EXPECT_TRUE(Sync());
		return view;
	}
};


TEST_F(DrawingTest, ViewColourFillIgnoresAlphaAndRectsAreInclusive)
{
	CanvasView* view = Canvas([](BView* v) {
		v->SetHighColor(kRed);
		v->FillRect(BRect(2, 2, 4, 4));
		v->SetHighColor(kBlue);
		v->StrokeRect(BRect(10, 10, 20, 15));
	});
	view->SetViewColor(250, 250, 245, 10);
	view->Invalidate();
	ASSERT_TRUE(Sync());

	EXPECT_TRUE(same_color(view->PixelAt(BPoint(0, 0)),
		make_color(250, 250, 245, 255)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(2, 2)), kRed));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(4, 4)), kRed));
	EXPECT_FALSE(same_color(view->PixelAt(BPoint(5, 4)), kRed));
	// The outline lies on the edge pixels, ends included.
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(10, 10)), kBlue));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(20, 15)), kBlue));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(15, 15)), kBlue));
	EXPECT_FALSE(same_color(view->PixelAt(BPoint(15, 12)), kBlue));
	EXPECT_FALSE(same_color(view->PixelAt(BPoint(21, 15)), kBlue));
}


TEST_F(DrawingTest, RoundRectsAndLinesHaveNoAntialiasing)
{
	CanvasView* view = Canvas([](BView* v) {
		v->SetHighColor(kRed);
		v->StrokeRoundRect(BRect(0, 0, 30, 20), 4.5, 4.5);
		v->SetHighColor(kBlue);
		v->StrokeLine(BPoint(35, 0), BPoint(44, 9));
		v->StrokeLine(BPoint(35, 30), BPoint(44, 30));
	});
	// Edges in the middle are on the rectangle's border; the corner is cut.
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(15, 0)), kRed));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(15, 20)), kRed));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(0, 10)), kRed));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(30, 10)), kRed));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(0, 0)), kWhite));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(15, 10)), kWhite));

	// Every pixel of the frame is either the view colour or the pen's.
	for (int y = 0; y < 50; y++) {
		for (int x = 0; x < 50; x++) {
			rgb_color c = view->PixelAt(BPoint(x, y));
			ASSERT_TRUE(same_color(c, kWhite) || same_color(c, kRed)
				|| same_color(c, kBlue)) << x << "," << y;
		}
	}
	for (int i = 0; i <= 9; i++)
		EXPECT_TRUE(same_color(view->PixelAt(BPoint(35 + i, i)), kBlue)) << i;
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(35, 30)), kBlue));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(44, 30)), kBlue));
	EXPECT_FALSE(same_color(view->PixelAt(BPoint(45, 30)), kBlue));
	EXPECT_EQ(view->PenLocation(), BPoint(44, 30));
}


TEST_F(DrawingTest, BlendIsTheAverageAndAlphaUsesTheColoursAlpha)
{
	CanvasView* view = Canvas([](BView* v) {
		v->SetHighColor(200, 100, 0);
		v->FillRect(BRect(0, 0, 19, 19));
		v->SetDrawingMode(B_OP_BLEND);
		// The alpha is ignored by blending.
		v->SetHighColor(100, 200, 50, 20);
		v->FillRect(BRect(0, 0, 9, 9));
		v->SetDrawingMode(B_OP_ALPHA);
		v->SetHighColor(0, 0, 0, 128);
		v->FillRect(BRect(10, 10, 19, 19));
		v->SetDrawingMode(B_OP_COPY);
		// Copy ignores the alpha.
		v->SetHighColor(0, 0, 255, 0);
		v->FillRect(BRect(30, 30, 35, 35));
	});
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(5, 5)),
		make_color(150, 150, 25)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(15, 5)),
		make_color(200, 100, 0)));
	rgb_color alpha = view->PixelAt(BPoint(15, 15));
	EXPECT_NEAR(alpha.red, 100, 2);
	EXPECT_NEAR(alpha.green, 50, 2);
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(32, 32)), kBlue));
}


TEST_F(DrawingTest, TextAtTheBaselineInTheHighColourMovesThePen)
{
	BFont font(be_bold_font);
	font.SetSize(20);
	float width = font.StringWidth("HH");
	CanvasView* view = Canvas([&](BView* v) {
		v->SetFont(&font);
		v->SetHighColor(kRed);
		v->MovePenTo(5, 30);
		v->DrawString("HH");
	}, BRect(0, 0, 79, 49));
	EXPECT_FLOAT_EQ(view->PenLocation().x, 5 + width);
	EXPECT_EQ(view->PenLocation().y, 30);

	// The letters stand on the baseline: solid red inside the stems, and
	// nothing below the baseline (H has no descender).
	int red = 0;
	int below = 0;
	for (int y = 0; y < 50; y++) {
		for (int x = 0; x < 80; x++) {
			rgb_color c = view->PixelAt(BPoint(x, y));
			if (same_color(c, kRed)) {
				red++;
				if (y > 30)
					below++;
			}
		}
	}
	EXPECT_GT(red, 40);
	EXPECT_EQ(below, 0);
}


TEST_F(DrawingTest, DrawingOutsideDrawStaysUntilTheNextUpdate)
{
	CanvasView* view = Canvas(nullptr);
	int draws = view->draws;
	view->SetHighColor(kRed);
	view->FillRect(BRect(0, 0, 5, 5));
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(3, 3)), kRed));
	EXPECT_EQ(view->draws, draws);

	view->Invalidate(BRect(0, 0, 2, 2));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(view->draws, draws + 1);
	EXPECT_EQ(view->lastUpdate, BRect(0, 0, 2, 2));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(1, 1)), kWhite));
	// Outside the invalid part the old drawing is kept.
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(4, 4)), kRed));
}


TEST_F(DrawingTest, AHiddenViewKeepsNoPictureAndIsDrawnWhenShown)
{
	CanvasView* view = Canvas(nullptr);
	view->SetHighColor(kRed);
	view->FillRect(BRect(0, 0, 5, 5));
	view->Hide();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(view->PixelAt(BPoint(3, 3)).alpha, 0);
	// Drawing into a hidden view goes nowhere.
	view->FillRect(BRect(0, 0, 5, 5));
	int draws = view->draws;
	view->Show();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(view->draws, draws + 1);
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(3, 3)), kWhite));

	// A view added hidden, then resized, gets its picture when shown.
	CanvasView* later = new CanvasView(BRect(50, 0, 59, 9));
	later->SetViewColor(kBlue);
	later->Hide();
	view->Window()->AddChild(later);
	later->ResizeTo(19, 19);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(later->draws, 0);
	EXPECT_EQ(later->PixelAt(BPoint(15, 15)).alpha, 0);
	later->Show();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(later->draws, 1);
	EXPECT_TRUE(same_color(later->PixelAt(BPoint(15, 15)), kBlue));
}


TEST_F(DrawingTest, ChildrenDeletedBeforeTheUpdatePassAreNotDrawn)
{
	CanvasView* list = Canvas(nullptr, BRect(0, 0, 49, 99));
	// Children added, marked for drawing, then taken away and deleted
	// before the window draws: last first and first first.
	for (int round = 0; round < 2; round++) {
		for (int i = 0; i < 20; i++)
			list->AddChild(new CanvasView(BRect(0, i * 5, 49, i * 5 + 4)));
		for (int i = 0; i < 20; i++) {
			BView* child = list->ChildAt(round == 0 ? 19 - i : 0);
			child->Invalidate();
			list->RemoveChild(child);
			delete child;
		}
	}
	list->AddChild(new CanvasView(BRect(0, 0, 9, 9)));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(static_cast<CanvasView*>(list->ChildAt(0))->draws, 1);
}


TEST_F(DrawingTest, InvalidateQueuesOneUpdateInOrder)
{
	std::vector<std::string> log;
	struct LogView : CanvasView {
		LogView(std::vector<std::string>* log)
			: CanvasView(BRect(0, 0, 9, 9)), fLog(log) {}
		void Draw(BRect) override { fLog->push_back("draw"); }
		void MessageReceived(BMessage* message) override
		{
			if (message->what == 'mark')
				fLog->push_back("mark");
			else
				BView::MessageReceived(message);
		}
		std::vector<std::string>* fLog;
	};
	BWindow* window = MakeWindow();
	LogView* view = new LogView(&log);
	window->AddChild(view);
	window->Show();
	ASSERT_TRUE(Sync());
	log.clear();

	window->PostMessage('mark', view);
	view->Invalidate();
	view->Invalidate(BRect(0, 0, 1, 1));
	window->PostMessage('mark', view);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(log, (std::vector<std::string>{ "mark", "draw", "mark" }));
}


TEST_F(DrawingTest, BitmapsAndTiledViewBitmaps)
{
	// A CMAP8 bitmap takes the system palette: 29 is a light grey.
	BBitmap tile(BRect(0, 0, 3, 1), B_CMAP8);
	ASSERT_EQ(tile.InitCheck(), B_OK);
	EXPECT_EQ(tile.BytesPerRow(), 4);
	uint8 indexes[8] = { 29, 29, 27, 29, 29, 29, 29, 29 };
	tile.SetBits(indexes, sizeof(indexes), 0, B_CMAP8);
	EXPECT_TRUE(same_color(tile.ColorAt(0, 0), make_color(232, 232, 232)));
	EXPECT_TRUE(same_color(tile.ColorAt(2, 0), make_color(216, 216, 216)));

	BBitmap rgb(BRect(0, 0, 31, 15), B_RGB32);
	EXPECT_EQ(rgb.BytesPerRow(), 128);
	rgb.ImportBits(&tile);
	EXPECT_TRUE(same_color(rgb.ColorAt(2, 0), make_color(216, 216, 216)));

	BBitmap stamp(BRect(0, 0, 1, 1), B_RGBA32);
	uint8 pixels[16] = { 0, 0, 255, 255,  0, 0, 255, 255,
		0, 0, 255, 0,  0, 0, 255, 255 };
	stamp.SetBits(pixels, sizeof(pixels), 0, B_RGBA32);

	CanvasView* view = Canvas([&](BView* v) {
		v->SetDrawingMode(B_OP_OVER);
		v->DrawBitmap(&stamp, BPoint(40, 40));
		v->SetDrawingMode(B_OP_COPY);
	});
	view->SetViewBitmap(&tile);
	ASSERT_TRUE(Sync());
	// The tile repeats from the top left.
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(2, 0)),
		make_color(216, 216, 216)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(6, 2)),
		make_color(216, 216, 216)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(5, 0)),
		make_color(232, 232, 232)));
	// Over leaves the bitmap's transparent pixel out.
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(40, 40)), kRed));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(40, 41)),
		make_color(232, 232, 232)));
}


TEST_F(DrawingTest, ViewsDrawIntoABitmap)
{
	BBitmap* bitmap = new BBitmap(BRect(0, 0, 19, 9), B_RGB32, true);
	BView* view = new BView(bitmap->Bounds(), "offscreen", B_FOLLOW_NONE, 0);
	bitmap->AddChild(view);
	EXPECT_EQ(bitmap->CountChildren(), 1);
	ASSERT_TRUE(bitmap->Lock());
	view->SetHighColor(kBlue);
	view->FillRect(view->Bounds());
	view->SetHighColor(kRed);
	view->StrokeLine(BPoint(0, 9), BPoint(19, 9));
	bitmap->Unlock();
	EXPECT_TRUE(same_color(bitmap->ColorAt(0, 0), kBlue));
	EXPECT_TRUE(same_color(bitmap->ColorAt(19, 9), kRed));
	EXPECT_TRUE(same_color(bitmap->ColorAt(5, 8), kBlue));
	// The bitmap's window is not one of the application's shown ones.
	delete bitmap;
	EXPECT_TRUE(Sync());
}
