// BFont: a font family and style at a size in pixels, with faces, and its
// metrics. be_plain_font, be_bold_font and be_fixed_font are the system
// fonts (DejaVu Sans, DejaVu Sans Bold, DejaVu Sans Mono).
#ifndef _FONT_H
#define _FONT_H

#include <SupportDefs.h>

#define B_FONT_FAMILY_LENGTH 63
#define B_FONT_STYLE_LENGTH 63

typedef char font_family[B_FONT_FAMILY_LENGTH + 1];
typedef char font_style[B_FONT_STYLE_LENGTH + 1];

enum {
	B_CHAR_SPACING		= 0,
	B_STRING_SPACING	= 1,
	B_BITMAP_SPACING	= 2,
	B_FIXED_SPACING		= 3
};

enum font_direction {
	B_FONT_LEFT_TO_RIGHT = 0,
	B_FONT_RIGHT_TO_LEFT = 1
};

enum {
	B_DISABLE_ANTIALIASING	= 0x00000001,
	B_FORCE_ANTIALIASING	= 0x00000002
};

enum {
	B_TRUNCATE_END		= 0,
	B_TRUNCATE_BEGINNING = 1,
	B_TRUNCATE_MIDDLE	= 2,
	B_TRUNCATE_SMART	= 3
};

enum {
	B_ITALIC_FACE		= 0x0001,
	B_UNDERSCORE_FACE	= 0x0002,
	B_NEGATIVE_FACE		= 0x0004,
	B_OUTLINED_FACE		= 0x0008,
	B_STRIKEOUT_FACE	= 0x0010,
	B_BOLD_FACE			= 0x0020,
	B_REGULAR_FACE		= 0x0040
};

// Which properties SetFont takes over from the given font.
enum {
	B_FONT_FAMILY_AND_STYLE	= 0x00000001,
	B_FONT_SIZE				= 0x00000002,
	B_FONT_SHEAR			= 0x00000004,
	B_FONT_ROTATION			= 0x00000008,
	B_FONT_SPACING			= 0x00000010,
	B_FONT_ENCODING			= 0x00000020,
	B_FONT_FACE				= 0x00000040,
	B_FONT_FLAGS			= 0x00000080,
	B_FONT_FALSE_BOLD_WIDTH	= 0x00000100,
	B_FONT_ALL				= 0x000001FF
};

struct escapement_delta {
	float nonspace;
	float space;
};

struct font_height {
	float ascent;
	float descent;
	float leading;
};

class BString;

class BFont {
public:
							BFont();
							BFont(const BFont& font);
							BFont(const BFont* font);

			status_t		SetFamilyAndStyle(const font_family family,
								const font_style style);
			void			SetFamilyAndFace(const font_family family,
								uint16 face);
			void			SetSize(float size);
			void			SetShear(float shear);
			void			SetRotation(float rotation);
			void			SetSpacing(uint8 spacing);
			void			SetFace(uint16 face);
			void			SetFlags(uint32 flags);

			void			GetFamilyAndStyle(font_family* family,
								font_style* style) const;
			float			Size() const { return fSize; }
			float			Shear() const { return fShear; }
			float			Rotation() const { return fRotation; }
			uint8			Spacing() const { return fSpacing; }
			uint16			Face() const { return fFace; }
			uint32			Flags() const { return fFlags; }
			font_direction	Direction() const { return B_FONT_LEFT_TO_RIGHT; }
			bool			IsFixed() const;

			float			StringWidth(const char* string) const;
			float			StringWidth(const char* string,
								int32 length) const;
			void			GetStringWidths(const char* stringArray[],
								const int32 lengthArray[], int32 numStrings,
								float widthArray[]) const;
			void			GetHeight(font_height* height) const;
			void			TruncateString(BString* inOut, uint32 mode,
								float width) const;

			BFont&			operator=(const BFont& font);
			bool			operator==(const BFont& font) const;
			bool			operator!=(const BFont& font) const;

			void			PrintToStream() const;

			// The family name and style as given (no Qt lookup).
			const char*		FamilyName() const { return fFamily; }
			const char*		StyleName() const { return fStyle; }

private:
			void			_SetStyleFromFace();
			void			_SetFaceFromStyle();

			font_family		fFamily;
			font_style		fStyle;
			float			fSize;
			float			fShear;
			float			fRotation;
			uint8			fSpacing;
			uint16			fFace;
			uint32			fFlags;
};

extern const BFont* be_plain_font;
extern const BFont* be_bold_font;
extern const BFont* be_fixed_font;

int32 count_font_families();
status_t get_font_family(int32 index, font_family* name, uint32* flags = NULL);

#endif	// _FONT_H
