// BBitmap: an image in memory in one of BeOS's colour spaces. B_RGB32 and
// B_RGBA32 hold 4 bytes per pixel (blue, green, red, alpha); B_CMAP8 one
// index into the system palette per pixel, rows padded to 4 bytes.
#ifndef _BITMAP_H
#define _BITMAP_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BView;
class BWindow;

enum {
	B_BITMAP_CLEAR_TO_WHITE				= 0x00000001,
	B_BITMAP_ACCEPTS_VIEWS				= 0x00000002,
	B_BITMAP_IS_AREA					= 0x00000004,
	B_BITMAP_IS_LOCKED					= 0x00000008 | B_BITMAP_IS_AREA,
	B_BITMAP_IS_CONTIGUOUS				= 0x00000010 | B_BITMAP_IS_LOCKED,
	B_BITMAP_IS_OFFSCREEN				= 0x00000020,
	B_BITMAP_WILL_OVERLAY				= 0x00000040 | B_BITMAP_IS_OFFSCREEN,
	B_BITMAP_RESERVE_OVERLAY_CHANNEL	= 0x00000080,
	B_BITMAP_NO_SERVER_LINK				= 0x00000100
};

#define B_ANY_BYTES_PER_ROW	-1

class BBitmap {
public:
							BBitmap(BRect bounds, color_space colorSpace,
								bool acceptsViews = false,
								bool needsContiguous = false);
							BBitmap(BRect bounds, uint32 flags,
								color_space colorSpace,
								int32 bytesPerRow = B_ANY_BYTES_PER_ROW);
							BBitmap(const BBitmap* source);
	virtual					~BBitmap();

			status_t		InitCheck() const;
			bool			IsValid() const;

			void*			Bits() const { return fBits; }
			int32			BitsLength() const;
			int32			BytesPerRow() const { return fBytesPerRow; }
			color_space		ColorSpace() const { return fColorSpace; }
			BRect			Bounds() const { return fBounds; }
			uint32			Flags() const { return fFlags; }

			// Copies raw data of the given colour space in; B_CMAP8 data
			// into a 32-bit bitmap is looked up in the system palette, and
			// B_RGB32 into B_CMAP8 takes the nearest palette entry.
			void			SetBits(const void* data, int32 length,
								int32 offset, color_space colorSpace);
			status_t		ImportBits(const void* data, int32 length,
								int32 bpr, int32 offset,
								color_space colorSpace);
			status_t		ImportBits(const BBitmap* bitmap);

			// The colour of one pixel, whatever the colour space.
			rgb_color		ColorAt(int32 x, int32 y) const;

			// Views drawing into the bitmap (B_BITMAP_ACCEPTS_VIEWS).
			void			AddChild(BView* view);
			bool			RemoveChild(BView* view);
			int32			CountChildren() const;
			BView*			ChildAt(int32 index) const;
			BView*			FindView(const char* name) const;
			bool			Lock();
			void			Unlock();
			bool			IsLocked() const;

private:
			BBitmap&		operator=(const BBitmap&);
			void			_Init(BRect bounds, uint32 flags,
								color_space colorSpace, int32 bytesPerRow);
			void			_CopyFromViews();

			uint8*			fBits;
			int32			fBytesPerRow;
			int32			fWidth;
			int32			fHeight;
			color_space		fColorSpace;
			BRect			fBounds;
			uint32			fFlags;
			status_t		fInitStatus;
			BWindow*		fWindow;
};

#endif	// _BITMAP_H
