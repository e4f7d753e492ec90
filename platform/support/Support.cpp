// Constants and small helpers of the support kit.
#include <stdio.h>

#include <GraphicsDefs.h>
#include <Point.h>
#include <Rect.h>

const BPoint B_ORIGIN(0, 0);

const rgb_color B_TRANSPARENT_COLOR = { 0x77, 0x74, 0x77, 0x00 };
const uint8 B_TRANSPARENT_MAGIC_CMAP8 = 0xff;
const uint32 B_TRANSPARENT_MAGIC_RGBA32 = 0x00777477;

const pattern B_SOLID_HIGH = { { 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff } };
const pattern B_MIXED_COLORS = { { 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55 } };
const pattern B_SOLID_LOW = { { 0, 0, 0, 0, 0, 0, 0, 0 } };


void
BPoint::ConstrainTo(BRect rect)
{
	if (x < rect.left)
		x = rect.left;
	if (x > rect.right)
		x = rect.right;
	if (y < rect.top)
		y = rect.top;
	if (y > rect.bottom)
		y = rect.bottom;
}


void
BPoint::PrintToStream() const
{
	printf("BPoint(x:%.0f, y:%.0f)\n", x, y);
}


void
BRect::PrintToStream() const
{
	printf("BRect(l:%.1f, t:%.1f, r:%.1f, b:%.1f)\n", left, top, right, bottom);
}
