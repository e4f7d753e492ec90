// Fonts, colours and tints: DejaVu behind the system fonts, faces, sizes
// in pixels, BeOS's tint formula and fixed system colours.
#include "InterfaceTest.h"

#include <string.h>

#include <QFont>
#include <QFontInfo>

#include <Font.h>

namespace BPrivate {
QFont qt_font(const BFont& font);
}

class FontTest : public InterfaceTest {};


TEST_F(FontTest, SystemFontsAreDejaVu)
{
	font_family family;
	font_style style;
	be_plain_font->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans");
	be_fixed_font->GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(family, "DejaVu Sans Mono");
	EXPECT_TRUE(be_fixed_font->IsFixed());
	EXPECT_TRUE((be_bold_font->Face() & B_BOLD_FACE) != 0);

	// Qt finds the very fonts, not a fallback.
	QFontInfo plain(BPrivate::qt_font(*be_plain_font));
	EXPECT_EQ(plain.family().toStdString(), "DejaVu Sans");
	QFontInfo fixed(BPrivate::qt_font(*be_fixed_font));
	EXPECT_EQ(fixed.family().toStdString(), "DejaVu Sans Mono");
	EXPECT_TRUE(fixed.fixedPitch());

	BFont banner(be_plain_font);
	banner.SetFace(B_BOLD_FACE | B_ITALIC_FACE);
	banner.SetSize(27);
	QFontInfo info(BPrivate::qt_font(banner));
	EXPECT_TRUE(info.bold());
	EXPECT_TRUE(info.italic());
	EXPECT_EQ(info.pixelSize(), 27);
	banner.GetFamilyAndStyle(&family, &style);
	EXPECT_STREQ(style, "Bold Oblique");
}


TEST_F(FontTest, WidthsAndHeightsFollowSizeAndFace)
{
	BFont font(be_plain_font);
	font.SetSize(10);
	float small = font.StringWidth("Zelmora");
	font.SetSize(20);
	float large = font.StringWidth("Zelmora");
	EXPECT_GT(small, 20);
	EXPECT_NEAR(large, 2 * small, 3);
	EXPECT_FLOAT_EQ(font.StringWidth("Zelmora", 3), font.StringWidth("Zel"));
	EXPECT_EQ(font.StringWidth(""), 0);

	BFont bold(font);
	bold.SetFace(B_BOLD_FACE);
	EXPECT_GT(bold.StringWidth("Zelmora"), large);

	font_height height;
	font.GetHeight(&height);
	EXPECT_GT(height.ascent, 14);
	EXPECT_LT(height.ascent + height.descent, 26);

	// The fixed font gives every character the same width.
	EXPECT_FLOAT_EQ(be_fixed_font->StringWidth("iiii"),
		be_fixed_font->StringWidth("MMMM"));

	BView view(BRect(0, 0, 9, 9), "v", B_FOLLOW_NONE, 0);
	view.SetFont(be_bold_font);
	view.SetFontSize(11);
	BFont got;
	view.GetFont(&got);
	EXPECT_EQ(got.Size(), 11);
	EXPECT_TRUE((got.Face() & B_BOLD_FACE) != 0);
	// Only the size is taken from the mask.
	view.SetFont(be_fixed_font, B_FONT_SIZE);
	view.GetFont(&got);
	EXPECT_EQ(got.Size(), be_fixed_font->Size());
	font_family family;
	got.GetFamilyAndStyle(&family, NULL);
	EXPECT_STREQ(family, "DejaVu Sans");
}


TEST(Colors, TintsAndSystemColours)
{
	rgb_color panel = ui_color(B_PANEL_BACKGROUND_COLOR);
	EXPECT_TRUE(same_color(panel, make_color(216, 216, 216)));
	EXPECT_TRUE(same_color(tint_color(panel, B_DARKEN_1_TINT),
		make_color(184, 184, 184)));
	EXPECT_TRUE(same_color(tint_color(panel, B_DARKEN_2_TINT),
		make_color(152, 152, 152)));
	EXPECT_TRUE(same_color(tint_color(panel, B_LIGHTEN_2_TINT),
		make_color(239, 239, 239)));
	EXPECT_TRUE(same_color(tint_color(panel, B_DARKEN_MAX_TINT),
		make_color(0, 0, 0)));
	EXPECT_TRUE(same_color(tint_color(panel, B_LIGHTEN_MAX_TINT),
		make_color(255, 255, 255)));
	rgb_color translucent = make_color(240, 240, 235, 10);
	EXPECT_EQ(tint_color(translucent, B_DARKEN_2_TINT).alpha, 10);

	EXPECT_TRUE(same_color(system_palette()[29], make_color(232, 232, 232)));
	EXPECT_TRUE(same_color(system_palette()[27], make_color(216, 216, 216)));
	EXPECT_TRUE(same_color(system_palette()[63], make_color(255, 255, 255)));
	EXPECT_EQ(index_for_color(make_color(232, 232, 232)), 29);
	EXPECT_EQ(index_for_color(B_TRANSPARENT_COLOR), B_TRANSPARENT_MAGIC_CMAP8);
}
