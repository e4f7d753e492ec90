// Drawing modes beyond copy, patterns, clipping to the update, drawing
// state and transparent views.
#include "InterfaceTest.h"

#include <Bitmap.h>

namespace {

class PaintView : public BView {
public:
	PaintView(BRect frame, std::function<void(BView*, BRect)> paint)
		: BView(frame, "paint", B_FOLLOW_NONE, B_WILL_DRAW), fPaint(paint) {}

	void Draw(BRect update) override { fPaint(this, update); }

	std::function<void(BView*, BRect)> fPaint;
};

}	// namespace

class ModesTest : public InterfaceTest {
protected:
	PaintView* Paint(std::function<void(BView*, BRect)> paint,
		rgb_color viewColor = make_color(100, 100, 100))
	{
		window = MakeWindow(BRect(0, 0, 99, 99));
		PaintView* view = new PaintView(BRect(0, 0, 39, 39), paint);
		view->SetViewColor(viewColor);
		window->AddChild(view);
		window->Show();
		EXPECT_TRUE(Sync());
		return view;
	}

	BWindow* window = NULL;
};


TEST_F(ModesTest, ArithmeticModesCombineWithTheImage)
{
	PaintView* view = Paint([](BView* v, BRect) {
		v->SetHighColor(200, 50, 30);
		v->SetDrawingMode(B_OP_ADD);
		v->FillRect(BRect(0, 0, 4, 4));
		v->SetDrawingMode(B_OP_SUBTRACT);
		v->FillRect(BRect(5, 0, 9, 4));
		v->SetDrawingMode(B_OP_MIN);
		v->FillRect(BRect(10, 0, 14, 4));
		v->SetDrawingMode(B_OP_MAX);
		v->FillRect(BRect(15, 0, 19, 4));
		v->SetDrawingMode(B_OP_INVERT);
		v->FillRect(BRect(20, 0, 24, 4));
		v->SetLowColor(1, 2, 3);
		v->SetDrawingMode(B_OP_ERASE);
		v->FillRect(BRect(25, 0, 29, 4));
		v->SetDrawingMode(B_OP_COPY);
	});
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(2, 2)),
		make_color(255, 150, 130)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(7, 2)),
		make_color(0, 50, 70)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(12, 2)),
		make_color(100, 50, 30)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(17, 2)),
		make_color(200, 100, 100)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(22, 2)),
		make_color(155, 155, 155)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(27, 2)), make_color(1, 2, 3)));
	// Nothing outside the shapes changed.
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(2, 6)),
		make_color(100, 100, 100)));
}


TEST_F(ModesTest, PatternsMixHighAndLow)
{
	PaintView* view = Paint([](BView* v, BRect) {
		v->SetHighColor(0, 0, 0);
		v->SetLowColor(255, 255, 255);
		v->FillRect(BRect(0, 0, 7, 7), B_MIXED_COLORS);
		v->FillRect(BRect(10, 0, 17, 7), B_SOLID_LOW);
		v->SetDrawingMode(B_OP_OVER);
		// Over leaves the low half of a pattern alone.
		v->FillRect(BRect(20, 0, 27, 7), B_MIXED_COLORS);
		v->SetDrawingMode(B_OP_COPY);
	});
	rgb_color a = view->PixelAt(BPoint(0, 0));
	rgb_color b = view->PixelAt(BPoint(1, 0));
	EXPECT_FALSE(same_color(a, b));
	EXPECT_TRUE(same_color(a, view->PixelAt(BPoint(1, 1))));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(12, 3)),
		make_color(255, 255, 255)));
	int grey = 0;
	int black = 0;
	for (int x = 20; x < 28; x++) {
		rgb_color c = view->PixelAt(BPoint(x, 0));
		grey += same_color(c, make_color(100, 100, 100)) ? 1 : 0;
		black += same_color(c, make_color(0, 0, 0)) ? 1 : 0;
	}
	EXPECT_EQ(grey, 4);
	EXPECT_EQ(black, 4);
}


TEST_F(ModesTest, DrawIsClippedToTheUpdateAndStateIsKept)
{
	int draws = 0;
	PaintView* view = Paint([&](BView* v, BRect) {
		draws++;
		v->PushState();
		v->SetHighColor(255, 0, 0);
		v->SetOrigin(BPoint(10, 10));
		// With the origin moved, (0, 0) is the view's (10, 10).
		v->FillRect(BRect(0, 0, 2, 2));
		v->PopState();
		v->FillRect(v->Bounds());
	});
	// The whole view was drawn in the first pass, in the high colour
	// that PopState brought back (black).
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(30, 30)),
		make_color(0, 0, 0)));
	EXPECT_TRUE(same_color(view->HighColor(), make_color(0, 0, 0)));
	EXPECT_EQ(view->Origin(), BPoint(0, 0));

	// A Draw for a small part paints only that part.
	view->SetHighColor(0, 0, 255);
	view->FillRect(view->Bounds());
	view->SetHighColor(0, 0, 0);
	view->Invalidate(BRect(0, 0, 4, 4));
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(2, 2)), make_color(0, 0, 0)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(6, 6)), make_color(0, 0, 255)));

	// A constrained clip holds outside Draw too.
	BRect clip(20, 20, 25, 25);
	view->ConstrainClippingRegion(&clip);
	view->SetHighColor(0, 255, 0);
	view->FillRect(view->Bounds());
	view->ConstrainClippingRegion(NULL);
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(22, 22)), make_color(0, 255, 0)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(26, 26)), make_color(0, 0, 255)));
}


TEST_F(ModesTest, TransparentViewsShowTheirParent)
{
	window = MakeWindow(BRect(0, 0, 49, 49));
	BView* parent = new BView(BRect(0, 0, 49, 49), "parent", B_FOLLOW_ALL,
		B_WILL_DRAW);
	parent->SetViewColor(0, 128, 0);
	window->AddChild(parent);
	PaintView* glass = new PaintView(BRect(10, 10, 29, 29), [](BView* v,
			BRect) {
		v->SetHighColor(255, 0, 0);
		v->FillRect(BRect(0, 0, 4, 4));
	});
	glass->SetViewColor(B_TRANSPARENT_COLOR);
	parent->AddChild(glass);
	window->Show();
	BBitmap* picture = WindowAutomation::Snapshot(window);
	ASSERT_NE(picture, nullptr);
	EXPECT_TRUE(same_color(picture->ColorAt(12, 12), make_color(255, 0, 0)));
	EXPECT_TRUE(same_color(picture->ColorAt(20, 20), make_color(0, 128, 0)));
	delete picture;
}


TEST_F(ModesTest, EllipsesArcsAndPolygons)
{
	PaintView* view = Paint([](BView* v, BRect) {
		v->SetHighColor(255, 0, 0);
		v->FillEllipse(BRect(0, 0, 20, 20));
		v->SetHighColor(0, 0, 255);
		v->StrokeEllipse(BPoint(30, 10), 5, 5);
		v->SetHighColor(0, 255, 0);
		v->FillTriangle(BPoint(0, 39), BPoint(10, 25), BPoint(20, 39));
	}, make_color(255, 255, 255));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(10, 10)), make_color(255, 0, 0)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(10, 0)), make_color(255, 0, 0)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(0, 0)),
		make_color(255, 255, 255)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(35, 10)), make_color(0, 0, 255)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(30, 10)),
		make_color(255, 255, 255)));
	// The triangle's corners belong to it.
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(0, 39)), make_color(0, 255, 0)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(20, 39)), make_color(0, 255, 0)));
	EXPECT_TRUE(same_color(view->PixelAt(BPoint(10, 33)), make_color(0, 255, 0)));
}


TEST(BitmapTest, ColourSpacesAndBounds)
{
	BBitmap bad(BRect(0, 0, -1, 10), B_RGB32);
	EXPECT_NE(bad.InitCheck(), B_OK);
	EXPECT_EQ(bad.Bits(), nullptr);

	BBitmap white(BRect(0, 0, 2, 2), B_BITMAP_CLEAR_TO_WHITE, B_CMAP8);
	EXPECT_EQ(white.BytesPerRow(), 4);
	EXPECT_TRUE(same_color(white.ColorAt(2, 2), make_color(255, 255, 255)));
	EXPECT_EQ(white.ColorAt(3, 0).alpha, 0);

	// 32-bit colours into an 8-bit bitmap take the nearest palette entry.
	BBitmap rgb(BRect(0, 0, 1, 0), B_RGB32);
	uint8 pixels[8] = { 230, 230, 230, 255,  0, 0, 250, 255 };
	rgb.SetBits(pixels, sizeof(pixels), 0, B_RGB32);
	BBitmap mapped(BRect(0, 0, 1, 0), B_CMAP8);
	ASSERT_EQ(mapped.ImportBits(&rgb), B_OK);
	EXPECT_EQ(((uint8*)mapped.Bits())[0], 29);
	EXPECT_TRUE(same_color(mapped.ColorAt(1, 0), make_color(255, 0, 0)));

	// Too short data fills what it can and no more.
	BBitmap big(BRect(0, 0, 99, 99), B_RGBA32);
	big.SetBits(pixels, sizeof(pixels), 0, B_RGBA32);
	EXPECT_EQ(big.ColorAt(1, 0).red, 250);
	EXPECT_EQ(big.ColorAt(2, 0).alpha, 0);
	BBitmap copy(&big);
	EXPECT_EQ(copy.ColorAt(1, 0).red, 250);
}
