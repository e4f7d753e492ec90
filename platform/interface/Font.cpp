// BFont over Qt's font engine. A BFont is plain data; a QFont is made from
// it whenever text is measured or drawn.
#include <Font.h>

#include <stdio.h>
#include <string.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <String.h>

namespace BPrivate {
QFont qt_font(const BFont& font);
}

static const BFont kPlainFont = [] {
	BFont font;
	font.SetFamilyAndStyle("DejaVu Sans", "Book");
	font.SetSize(10);
	return font;
}();

static const BFont kBoldFont = [] {
	BFont font;
	font.SetFamilyAndStyle("DejaVu Sans", "Bold");
	font.SetSize(12);
	return font;
}();

static const BFont kFixedFont = [] {
	BFont font;
	font.SetFamilyAndStyle("DejaVu Sans Mono", "Book");
	font.SetSize(12);
	return font;
}();

const BFont* be_plain_font = &kPlainFont;
const BFont* be_bold_font = &kBoldFont;
const BFont* be_fixed_font = &kFixedFont;


static bool
gui_running()
{
	return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
		!= NULL;
}


QFont
BPrivate::qt_font(const BFont& font)
{
	QFont qfont(QString::fromUtf8(font.FamilyName()));
	qfont.setPixelSize(font.Size() < 1 ? 1 : (int)(font.Size() + 0.5f));
	uint16 face = font.Face();
	qfont.setBold((face & B_BOLD_FACE) != 0);
	qfont.setItalic((face & B_ITALIC_FACE) != 0);
	qfont.setUnderline((face & B_UNDERSCORE_FACE) != 0);
	qfont.setStrikeOut((face & B_STRIKEOUT_FACE) != 0);
	if (font.Spacing() == B_FIXED_SPACING)
		qfont.setFixedPitch(true);
	qfont.setKerning(true);
	// Fonts are resolved by family only; Qt's fallbacks stay for glyphs
	// the family lacks.
	qfont.setStyleStrategy(QFont::PreferAntialias);
	qfont.setHintingPreference(QFont::PreferNoHinting);
	return qfont;
}


BFont::BFont()
	:
	fSize(10),
	fShear(90),
	fRotation(0),
	fSpacing(B_BITMAP_SPACING),
	fFace(B_REGULAR_FACE),
	fFlags(0)
{
	// The default font equals be_plain_font; set directly so that fonts
	// made during static initialisation are sound too.
	strcpy(fFamily, "DejaVu Sans");
	strcpy(fStyle, "Book");
}


BFont::BFont(const BFont& font)
{
	*this = font;
}


BFont::BFont(const BFont* font)
{
	if (font != NULL)
		*this = *font;
	else
		*this = BFont();
}


BFont&
BFont::operator=(const BFont& font)
{
	if (this == &font)
		return *this;
	memcpy(fFamily, font.fFamily, sizeof(fFamily));
	memcpy(fStyle, font.fStyle, sizeof(fStyle));
	fSize = font.fSize;
	fShear = font.fShear;
	fRotation = font.fRotation;
	fSpacing = font.fSpacing;
	fFace = font.fFace;
	fFlags = font.fFlags;
	return *this;
}


bool
BFont::operator==(const BFont& font) const
{
	return strcmp(fFamily, font.fFamily) == 0
		&& strcmp(fStyle, font.fStyle) == 0 && fSize == font.fSize
		&& fShear == font.fShear && fRotation == font.fRotation
		&& fSpacing == font.fSpacing && fFace == font.fFace
		&& fFlags == font.fFlags;
}


bool
BFont::operator!=(const BFont& font) const
{
	return !(*this == font);
}


status_t
BFont::SetFamilyAndStyle(const font_family family, const font_style style)
{
	if (family != NULL) {
		strncpy(fFamily, family, B_FONT_FAMILY_LENGTH);
		fFamily[B_FONT_FAMILY_LENGTH] = '\0';
	}
	if (style != NULL) {
		strncpy(fStyle, style, B_FONT_STYLE_LENGTH);
		fStyle[B_FONT_STYLE_LENGTH] = '\0';
	}
	_SetFaceFromStyle();
	return B_OK;
}


void
BFont::SetFamilyAndFace(const font_family family, uint16 face)
{
	if (family != NULL) {
		strncpy(fFamily, family, B_FONT_FAMILY_LENGTH);
		fFamily[B_FONT_FAMILY_LENGTH] = '\0';
	}
	SetFace(face);
}


void
BFont::SetSize(float size)
{
	if (size < 1)
		size = 1;
	if (size > 10000)
		size = 10000;
	fSize = size;
}


void
BFont::SetShear(float shear)
{
	if (shear < 45)
		shear = 45;
	if (shear > 135)
		shear = 135;
	fShear = shear;
}


void
BFont::SetRotation(float rotation)
{
	fRotation = rotation;
}


void
BFont::SetSpacing(uint8 spacing)
{
	fSpacing = spacing;
}


void
BFont::SetFace(uint16 face)
{
	// A face with any other bit is no longer regular.
	if ((face & ~B_REGULAR_FACE) != 0)
		face &= ~B_REGULAR_FACE;
	else if (face == 0)
		face = B_REGULAR_FACE;
	fFace = face;
	_SetStyleFromFace();
}


void
BFont::SetFlags(uint32 flags)
{
	fFlags = flags;
}


void
BFont::GetFamilyAndStyle(font_family* family, font_style* style) const
{
	if (family != NULL)
		memcpy(*family, fFamily, sizeof(fFamily));
	if (style != NULL)
		memcpy(*style, fStyle, sizeof(fStyle));
}


bool
BFont::IsFixed() const
{
	return fSpacing == B_FIXED_SPACING || strstr(fFamily, "Mono") != NULL;
}


void
BFont::_SetStyleFromFace()
{
	bool bold = (fFace & B_BOLD_FACE) != 0;
	bool italic = (fFace & B_ITALIC_FACE) != 0;
	const char* style = "Book";
	if (bold && italic)
		style = "Bold Oblique";
	else if (bold)
		style = "Bold";
	else if (italic)
		style = "Oblique";
	strcpy(fStyle, style);
}


void
BFont::_SetFaceFromStyle()
{
	BString style(fStyle);
	uint16 face = 0;
	if (style.IFindFirst("bold") >= 0)
		face |= B_BOLD_FACE;
	if (style.IFindFirst("italic") >= 0 || style.IFindFirst("oblique") >= 0)
		face |= B_ITALIC_FACE;
	fFace = face == 0 ? (uint16)B_REGULAR_FACE : face;
}


float
BFont::StringWidth(const char* string) const
{
	if (string == NULL)
		return 0;
	return StringWidth(string, (int32)strlen(string));
}


float
BFont::StringWidth(const char* string, int32 length) const
{
	if (string == NULL || length <= 0)
		return 0;
	QString text = QString::fromUtf8(string, (qsizetype)strnlen(string,
		length));
	if (!gui_running())
		return text.size() * fSize * 0.6f;
	QFontMetricsF metrics(BPrivate::qt_font(*this));
	return (float)metrics.horizontalAdvance(text);
}


void
BFont::GetStringWidths(const char* stringArray[], const int32 lengthArray[],
	int32 numStrings, float widthArray[]) const
{
	for (int32 i = 0; i < numStrings; i++)
		widthArray[i] = StringWidth(stringArray[i], lengthArray[i]);
}


void
BFont::GetHeight(font_height* height) const
{
	if (height == NULL)
		return;
	if (!gui_running()) {
		height->ascent = fSize * 0.76f;
		height->descent = fSize * 0.24f;
		height->leading = 0;
		return;
	}
	QFontMetricsF metrics(BPrivate::qt_font(*this));
	height->ascent = (float)metrics.ascent();
	height->descent = (float)metrics.descent();
	height->leading = (float)metrics.leading();
}


void
BFont::TruncateString(BString* inOut, uint32 mode, float width) const
{
	if (inOut == NULL || StringWidth(inOut->String()) <= width)
		return;
	if (!gui_running())
		return;
	QFontMetricsF metrics(BPrivate::qt_font(*this));
	Qt::TextElideMode elide = Qt::ElideRight;
	if (mode == B_TRUNCATE_BEGINNING)
		elide = Qt::ElideLeft;
	else if (mode == B_TRUNCATE_MIDDLE || mode == B_TRUNCATE_SMART)
		elide = Qt::ElideMiddle;
	QString text = metrics.elidedText(QString::fromUtf8(inOut->String()),
		elide, width);
	inOut->SetTo(text.toUtf8().constData());
}


void
BFont::PrintToStream() const
{
	printf("BFont { %s (%s), size %.1f, face 0x%x }\n", fFamily, fStyle,
		fSize, fFace);
}


int32
count_font_families()
{
	if (!gui_running())
		return 0;
	return (int32)QFontDatabase::families().size();
}


status_t
get_font_family(int32 index, font_family* name, uint32* flags)
{
	if (name == NULL || !gui_running())
		return B_BAD_VALUE;
	QStringList families = QFontDatabase::families();
	if (index < 0 || index >= families.size())
		return B_BAD_VALUE;
	strncpy(*name, families.at(index).toUtf8().constData(),
		B_FONT_FAMILY_LENGTH);
	(*name)[B_FONT_FAMILY_LENGTH] = '\0';
	if (flags != NULL)
		*flags = QFontDatabase::isFixedPitch(families.at(index)) ? 1 : 0;
	return B_OK;
}
