// Colours and drawing constants shared by the kits.
#ifndef _GRAPHICS_DEFS_H
#define _GRAPHICS_DEFS_H

#include <SupportDefs.h>

typedef struct rgb_color {
	uint8 red;
	uint8 green;
	uint8 blue;
	uint8 alpha;

	rgb_color& set_to(uint8 r, uint8 g, uint8 b, uint8 a = 255)
		{ red = r; green = g; blue = b; alpha = a; return *this; }
	bool operator==(const rgb_color& o) const
		{ return red == o.red && green == o.green && blue == o.blue
			&& alpha == o.alpha; }
	bool operator!=(const rgb_color& o) const { return !(*this == o); }
} rgb_color;

static inline rgb_color make_color(uint8 r, uint8 g, uint8 b, uint8 a = 255)
{
	rgb_color c = { r, g, b, a };
	return c;
}

extern const rgb_color B_TRANSPARENT_COLOR;
extern const uint8 B_TRANSPARENT_MAGIC_CMAP8;
extern const uint32 B_TRANSPARENT_MAGIC_RGBA32;

enum color_space {
	B_NO_COLOR_SPACE = 0x0000,
	B_RGB32 = 0x0008,
	B_RGBA32 = 0x2008,
	B_RGB24 = 0x0003,
	B_RGB16 = 0x0005,
	B_RGB15 = 0x0010,
	B_RGBA15 = 0x2010,
	B_CMAP8 = 0x0004,
	B_GRAY8 = 0x0002,
	B_GRAY1 = 0x0001
};

enum drawing_mode {
	B_OP_COPY,
	B_OP_OVER,
	B_OP_ERASE,
	B_OP_INVERT,
	B_OP_ADD,
	B_OP_SUBTRACT,
	B_OP_BLEND,
	B_OP_MIN,
	B_OP_MAX,
	B_OP_SELECT,
	B_OP_ALPHA
};

enum source_alpha { B_PIXEL_ALPHA = 0, B_CONSTANT_ALPHA };
enum alpha_function { B_ALPHA_OVERLAY = 0, B_ALPHA_COMPOSITE };

typedef struct pattern { uint8 data[8]; } pattern;
extern const pattern B_SOLID_HIGH;
extern const pattern B_MIXED_COLORS;
extern const pattern B_SOLID_LOW;

#endif	// _GRAPHICS_DEFS_H
