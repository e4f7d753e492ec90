// BRect: a rectangle with BeOS's inclusive geometry: BRect(0, 0, 400, 525)
// covers 401 x 526 pixels; Width() is right - left.
#ifndef _RECT_H
#define _RECT_H

#include <math.h>

#include <Point.h>

class BRect {
public:
	float left;
	float top;
	float right;
	float bottom;

	// An invalid rectangle, as on BeOS.
	BRect() : left(0), top(0), right(-1), bottom(-1) {}
	BRect(float l, float t, float r, float b)
		: left(l), top(t), right(r), bottom(b) {}
	BRect(BPoint leftTop, BPoint rightBottom)
		: left(leftTop.x), top(leftTop.y), right(rightBottom.x),
		  bottom(rightBottom.y) {}
	BRect(BPoint leftTop, float width, float height)
		: left(leftTop.x), top(leftTop.y), right(leftTop.x + width),
		  bottom(leftTop.y + height) {}

	void Set(float l, float t, float r, float b)
		{ left = l; top = t; right = r; bottom = b; }

	BPoint LeftTop() const { return BPoint(left, top); }
	BPoint RightBottom() const { return BPoint(right, bottom); }
	BPoint LeftBottom() const { return BPoint(left, bottom); }
	BPoint RightTop() const { return BPoint(right, top); }
	void SetLeftTop(BPoint p) { left = p.x; top = p.y; }
	void SetRightBottom(BPoint p) { right = p.x; bottom = p.y; }

	float Width() const { return right - left; }
	float Height() const { return bottom - top; }
	int32 IntegerWidth() const { return (int32)ceilf(right - left); }
	int32 IntegerHeight() const { return (int32)ceilf(bottom - top); }
	bool IsValid() const { return left <= right && top <= bottom; }

	BRect& InsetBy(float dx, float dy)
		{ left += dx; top += dy; right -= dx; bottom -= dy; return *this; }
	BRect& InsetBy(BPoint d) { return InsetBy(d.x, d.y); }
	BRect& OffsetBy(float dx, float dy)
		{ left += dx; top += dy; right += dx; bottom += dy; return *this; }
	BRect& OffsetBy(BPoint d) { return OffsetBy(d.x, d.y); }
	BRect& OffsetTo(float x, float y)
		{ right += x - left; bottom += y - top; left = x; top = y; return *this; }
	BRect& OffsetTo(BPoint p) { return OffsetTo(p.x, p.y); }
	BRect InsetByCopy(float dx, float dy) const
		{ BRect r(*this); r.InsetBy(dx, dy); return r; }
	BRect OffsetByCopy(float dx, float dy) const
		{ BRect r(*this); r.OffsetBy(dx, dy); return r; }
	BRect OffsetToCopy(float x, float y) const
		{ BRect r(*this); r.OffsetTo(x, y); return r; }
	BRect OffsetToCopy(BPoint p) const { return OffsetToCopy(p.x, p.y); }

	bool Contains(BPoint p) const
		{ return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom; }
	bool Contains(BRect r) const
		{ return r.left >= left && r.right <= right && r.top >= top
			&& r.bottom <= bottom; }
	bool Intersects(BRect r) const
		{ return IsValid() && r.IsValid() && r.left <= right && r.right >= left
			&& r.top <= bottom && r.bottom >= top; }

	// Intersection and union, as BeOS's & and | operators.
	BRect operator&(BRect r) const
		{ return BRect(fmaxf(left, r.left), fmaxf(top, r.top),
			fminf(right, r.right), fminf(bottom, r.bottom)); }
	BRect operator|(BRect r) const
		{ return BRect(fminf(left, r.left), fminf(top, r.top),
			fmaxf(right, r.right), fmaxf(bottom, r.bottom)); }
	bool operator==(BRect r) const
		{ return left == r.left && top == r.top && right == r.right
			&& bottom == r.bottom; }
	bool operator!=(BRect r) const { return !(*this == r); }

	void PrintToStream() const;
};

#endif	// _RECT_H
