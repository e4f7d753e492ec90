// System colours, tints and the 8-bit system palette.
#include <InterfaceDefs.h>

#include <QGuiApplication>

#include <ViewWidgets.h>

namespace {

struct ColorEntry {
	color_which	which;
	rgb_color	color;
};

// BeOS's default colours; fixed, so every machine shows the same.
const ColorEntry kColors[] = {
	{ B_PANEL_BACKGROUND_COLOR,			{ 216, 216, 216, 255 } },
	{ B_MENU_BACKGROUND_COLOR,			{ 216, 216, 216, 255 } },
	{ B_WINDOW_TAB_COLOR,				{ 255, 203, 0, 255 } },
	{ B_KEYBOARD_NAVIGATION_COLOR,		{ 0, 0, 229, 255 } },
	{ B_DESKTOP_COLOR,					{ 51, 102, 152, 255 } },
	{ B_MENU_SELECTED_BACKGROUND_COLOR,	{ 115, 120, 184, 255 } },
	{ B_MENU_ITEM_TEXT_COLOR,			{ 0, 0, 0, 255 } },
	{ B_MENU_SELECTED_ITEM_TEXT_COLOR,	{ 255, 255, 255, 255 } },
	{ B_MENU_SELECTED_BORDER_COLOR,		{ 0, 0, 0, 255 } },
	{ B_PANEL_TEXT_COLOR,				{ 0, 0, 0, 255 } },
	{ B_DOCUMENT_BACKGROUND_COLOR,		{ 255, 255, 255, 255 } },
	{ B_DOCUMENT_TEXT_COLOR,			{ 0, 0, 0, 255 } },
	{ B_CONTROL_BACKGROUND_COLOR,		{ 245, 245, 245, 255 } },
	{ B_CONTROL_TEXT_COLOR,				{ 0, 0, 0, 255 } },
	{ B_CONTROL_BORDER_COLOR,			{ 0, 0, 0, 255 } },
	{ B_CONTROL_HIGHLIGHT_COLOR,		{ 102, 152, 203, 255 } },
	{ B_NAVIGATION_PULSE_COLOR,			{ 0, 0, 0, 255 } },
	{ B_SHINE_COLOR,					{ 255, 255, 255, 255 } },
	{ B_SHADOW_COLOR,					{ 0, 0, 0, 255 } },
	{ B_TOOLTIP_BACKGROUND_COLOR,		{ 255, 255, 0, 255 } },
	{ B_TOOLTIP_TEXT_COLOR,				{ 0, 0, 0, 255 } },
	{ B_WINDOW_TEXT_COLOR,				{ 0, 0, 0, 255 } },
	{ B_WINDOW_INACTIVE_TAB_COLOR,		{ 232, 232, 232, 255 } },
	{ B_WINDOW_INACTIVE_TEXT_COLOR,		{ 80, 80, 80, 255 } },
	{ B_SUCCESS_COLOR,					{ 0, 255, 0, 255 } },
	{ B_FAILURE_COLOR,					{ 255, 0, 0, 255 } }
};


// The system palette: 32 greys, ramps of blue, red and green, white, then
// a colour cube over 0, 51, 102, 152, 203 and 255; the last entry is the
// transparent magic colour.
struct Palette {
	rgb_color colors[256];

	Palette()
	{
		int32 count = 0;
		for (int32 i = 0; i < 32; i++) {
			uint8 v = (uint8)(i * 8);
			colors[count++] = make_color(v, v, v);
		}
		static const uint8 kRamp[] = { 255, 229, 204, 179, 154, 129, 105, 80,
			55, 30 };
		for (uint8 v : kRamp)
			colors[count++] = make_color(0, 0, v);
		for (uint8 v : kRamp)
			colors[count++] = make_color(v, 0, 0);
		for (uint8 v : kRamp)
			colors[count++] = make_color(0, v, 0);
		colors[count++] = make_color(0, 152, 51);
		colors[count++] = make_color(255, 255, 255);

		static const uint8 kCube[] = { 203, 152, 102, 51, 0, 255 };
		for (uint8 r : kCube) {
			for (uint8 g : kCube) {
				for (uint8 b : kCube) {
					if (count >= 255)
						break;
					rgb_color c = make_color(r, g, b);
					if (_Has(c, count))
						continue;
					colors[count++] = c;
				}
			}
		}
		while (count < 255)
			colors[count++] = make_color(0, 0, 0);
		colors[255] = make_color(0x77, 0x74, 0x77, 0);
	}

	bool _Has(rgb_color c, int32 count) const
	{
		for (int32 i = 0; i < count; i++) {
			if (colors[i] == c)
				return true;
		}
		return false;
	}
};

const Palette& palette()
{
	static const Palette sPalette;
	return sPalette;
}

}	// namespace


rgb_color
ui_color(color_which which)
{
	for (const ColorEntry& entry : kColors) {
		if (entry.which == which)
			return entry.color;
	}
	return make_color(0, 0, 0);
}


rgb_color
tint_color(rgb_color color, float tint)
{
	rgb_color result;
	if (tint < 1.0f) {
		// Lighten: move towards white.
		result.red = (uint8)(255.0f - (255.0f - color.red) * tint);
		result.green = (uint8)(255.0f - (255.0f - color.green) * tint);
		result.blue = (uint8)(255.0f - (255.0f - color.blue) * tint);
	} else {
		// Darken: scale towards black; a tint of 2 gives black.
		float factor = 2.0f - tint;
		if (factor < 0)
			factor = 0;
		result.red = (uint8)(color.red * factor);
		result.green = (uint8)(color.green * factor);
		result.blue = (uint8)(color.blue * factor);
	}
	result.alpha = color.alpha;
	return result;
}


const rgb_color*
system_palette()
{
	return palette().colors;
}


uint8
index_for_color(rgb_color color)
{
	if (color.alpha < 128 || (color.red == B_TRANSPARENT_COLOR.red
			&& color.green == B_TRANSPARENT_COLOR.green
			&& color.blue == B_TRANSPARENT_COLOR.blue))
		return B_TRANSPARENT_MAGIC_CMAP8;
	const rgb_color* colors = palette().colors;
	int32 best = 0;
	int32 bestDistance = INT32_MAX;
	for (int32 i = 0; i < 255; i++) {
		int32 dr = colors[i].red - color.red;
		int32 dg = colors[i].green - color.green;
		int32 db = colors[i].blue - color.blue;
		int32 distance = dr * dr + dg * dg + db * db;
		if (distance < bestDistance) {
			best = i;
			bestDistance = distance;
			if (distance == 0)
				break;
		}
	}
	return (uint8)best;
}


uint32
BPrivate::be_modifiers(uint32 qtModifiers)
{
	uint32 result = 0;
	if (qtModifiers & Qt::ShiftModifier)
		result |= B_SHIFT_KEY | B_LEFT_SHIFT_KEY;
	if (qtModifiers & Qt::ControlModifier)
		result |= B_CONTROL_KEY | B_LEFT_CONTROL_KEY;
	if (qtModifiers & Qt::AltModifier)
		result |= B_COMMAND_KEY | B_LEFT_COMMAND_KEY;
	if (qtModifiers & Qt::MetaModifier)
		result |= B_OPTION_KEY | B_LEFT_OPTION_KEY;
	return result;
}


uint32
modifiers()
{
	if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == NULL)
		return 0;
	return BPrivate::be_modifiers(
		QGuiApplication::queryKeyboardModifiers().toInt());
}
