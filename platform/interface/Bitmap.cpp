// BBitmap: pixel memory in a BeOS colour space.
#include <Bitmap.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include <QImage>
#include <QWidget>

#include <InterfaceDefs.h>
#include <View.h>
#include <Window.h>
#include <WindowAutomation.h>

static const int32 kMaxDimension = 32768;


static int32
bytes_per_pixel(color_space space)
{
	switch (space) {
		case B_RGB32:
		case B_RGBA32:
			return 4;
		case B_RGB24:
			return 3;
		case B_RGB16:
		case B_RGB15:
		case B_RGBA15:
			return 2;
		case B_CMAP8:
		case B_GRAY8:
			return 1;
		default:
			return 0;
	}
}


BBitmap::BBitmap(BRect bounds, color_space colorSpace, bool acceptsViews,
	bool needsContiguous)
{
	uint32 flags = (acceptsViews ? B_BITMAP_ACCEPTS_VIEWS : 0)
		| (needsContiguous ? B_BITMAP_IS_CONTIGUOUS : 0);
	_Init(bounds, flags, colorSpace, B_ANY_BYTES_PER_ROW);
}


BBitmap::BBitmap(BRect bounds, uint32 flags, color_space colorSpace,
	int32 bytesPerRow)
{
	_Init(bounds, flags, colorSpace, bytesPerRow);
}


BBitmap::BBitmap(const BBitmap* source)
{
	if (source == NULL || !source->IsValid()) {
		_Init(BRect(), 0, B_NO_COLOR_SPACE, B_ANY_BYTES_PER_ROW);
		return;
	}
	_Init(source->Bounds(), source->Flags() & ~B_BITMAP_ACCEPTS_VIEWS,
		source->ColorSpace(), source->BytesPerRow());
	if (IsValid())
		memcpy(fBits, source->Bits(), BitsLength());
}


BBitmap::~BBitmap()
{
	if (fWindow != NULL) {
		fWindow->Lock();
		fWindow->Quit();
	}
	free(fBits);
}


void
BBitmap::_Init(BRect bounds, uint32 flags, color_space colorSpace,
	int32 bytesPerRow)
{
	fBits = NULL;
	fBytesPerRow = 0;
	fWidth = fHeight = 0;
	fColorSpace = colorSpace;
	fBounds = bounds;
	fFlags = flags;
	fWindow = NULL;
	fInitStatus = B_BAD_VALUE;

	int32 pixelBytes = bytes_per_pixel(colorSpace);
	if (!bounds.IsValid() || pixelBytes == 0)
		return;
	// Bounds are inclusive: BRect(0, 0, 31, 15) is 32 x 16 pixels.
	float width = floorf(bounds.Width()) + 1;
	float height = floorf(bounds.Height()) + 1;
	if (width < 1 || height < 1 || width > kMaxDimension
		|| height > kMaxDimension)
		return;
	fWidth = (int32)width;
	fHeight = (int32)height;
	int32 minimumRow = (fWidth * pixelBytes + 3) & ~3;
	fBytesPerRow = bytesPerRow >= fWidth * pixelBytes ? bytesPerRow
		: minimumRow;
	fBits = (uint8*)calloc((size_t)fBytesPerRow, (size_t)fHeight);
	if (fBits == NULL) {
		fInitStatus = B_NO_MEMORY;
		return;
	}
	if ((flags & B_BITMAP_CLEAR_TO_WHITE) != 0) {
		if (colorSpace == B_CMAP8)
			memset(fBits, 63, BitsLength());
		else
			memset(fBits, 0xff, BitsLength());
	}
	fInitStatus = B_OK;
}


status_t
BBitmap::InitCheck() const
{
	return fInitStatus;
}


bool
BBitmap::IsValid() const
{
	return fInitStatus == B_OK && fBits != NULL;
}


int32
BBitmap::BitsLength() const
{
	return fBytesPerRow * fHeight;
}


static void
write_pixel(uint8* pixel, color_space space, rgb_color color)
{
	switch (space) {
		case B_RGB32:
		case B_RGBA32:
			pixel[0] = color.blue;
			pixel[1] = color.green;
			pixel[2] = color.red;
			pixel[3] = space == B_RGB32 ? 255 : color.alpha;
			break;
		case B_CMAP8:
			pixel[0] = index_for_color(color);
			break;
		case B_GRAY8:
			pixel[0] = (uint8)((color.red * 30 + color.green * 59
				+ color.blue * 11) / 100);
			break;
		case B_RGB24:
			pixel[0] = color.blue;
			pixel[1] = color.green;
			pixel[2] = color.red;
			break;
		default:
			break;
	}
}


static rgb_color
read_pixel(const uint8* pixel, color_space space)
{
	rgb_color color = { 0, 0, 0, 255 };
	switch (space) {
		case B_RGB32:
		case B_RGBA32:
			color.blue = pixel[0];
			color.green = pixel[1];
			color.red = pixel[2];
			color.alpha = space == B_RGB32 ? 255 : pixel[3];
			break;
		case B_CMAP8:
			color = system_palette()[pixel[0]];
			if (pixel[0] == B_TRANSPARENT_MAGIC_CMAP8)
				color.alpha = 0;
			break;
		case B_GRAY8:
			color.red = color.green = color.blue = pixel[0];
			break;
		case B_RGB24:
			color.blue = pixel[0];
			color.green = pixel[1];
			color.red = pixel[2];
			break;
		default:
			break;
	}
	return color;
}


rgb_color
BBitmap::ColorAt(int32 x, int32 y) const
{
	rgb_color none = { 0, 0, 0, 0 };
	if (!IsValid() || x < 0 || y < 0 || x >= fWidth || y >= fHeight)
		return none;
	return read_pixel(fBits + y * fBytesPerRow
		+ x * bytes_per_pixel(fColorSpace), fColorSpace);
}


void
BBitmap::SetBits(const void* data, int32 length, int32 offset,
	color_space colorSpace)
{
	if (!IsValid() || data == NULL || length <= 0 || offset < 0)
		return;
	if (colorSpace == fColorSpace) {
		if (offset >= BitsLength())
			return;
		if (length > BitsLength() - offset)
			length = BitsLength() - offset;
		memcpy(fBits + offset, data, length);
		return;
	}
	// Another colour space: the data is a stream of packed rows in that
	// space (rows padded to 4 bytes, as BeOS lays them out).
	int32 sourceBpp = bytes_per_pixel(colorSpace);
	if (sourceBpp == 0)
		return;
	int32 sourceRow = (fWidth * sourceBpp + 3) & ~3;
	ImportBits(data, length, sourceRow, offset, colorSpace);
}


status_t
BBitmap::ImportBits(const void* data, int32 length, int32 bpr, int32 offset,
	color_space colorSpace)
{
	if (!IsValid() || data == NULL || length <= 0 || offset < 0)
		return B_BAD_VALUE;
	int32 sourceBpp = bytes_per_pixel(colorSpace);
	int32 targetBpp = bytes_per_pixel(fColorSpace);
	if (sourceBpp == 0 || bpr < sourceBpp)
		return B_BAD_VALUE;
	const uint8* source = (const uint8*)data;
	// "offset" counts bytes into the target rows, as in BeOS.
	int32 firstPixel = offset / targetBpp;
	int32 pixels = fWidth * fHeight;
	for (int32 i = 0; firstPixel + i < pixels; i++) {
		int32 row = i / fWidth;
		int32 column = i % fWidth;
		int32 at = row * bpr + column * sourceBpp;
		if (at + sourceBpp > length)
			break;
		int32 target = firstPixel + i;
		uint8* pixel = fBits + (target / fWidth) * fBytesPerRow
			+ (target % fWidth) * targetBpp;
		if (colorSpace == B_CMAP8 && fColorSpace != B_CMAP8
			&& source[at] == B_TRANSPARENT_MAGIC_CMAP8) {
			// The transparent index stays transparent.
			rgb_color clear = B_TRANSPARENT_COLOR;
			write_pixel(pixel, fColorSpace, clear);
			if (fColorSpace == B_RGB32)
				pixel[3] = 0;
			continue;
		}
		write_pixel(pixel, fColorSpace, read_pixel(source + at, colorSpace));
	}
	return B_OK;
}


status_t
BBitmap::ImportBits(const BBitmap* bitmap)
{
	if (bitmap == NULL || !bitmap->IsValid())
		return B_BAD_VALUE;
	return ImportBits(bitmap->Bits(), bitmap->BitsLength(),
		bitmap->BytesPerRow(), 0, bitmap->ColorSpace());
}


//	#pragma mark - views drawing into the bitmap


// Views of a bitmap live in a window that is never shown; their drawing
// goes into their retained images, which Unlock() and Sync copy into the
// bitmap's bits.
void
BBitmap::AddChild(BView* view)
{
	if (view == NULL || (fFlags & B_BITMAP_ACCEPTS_VIEWS) == 0 || !IsValid())
		return;
	if (fWindow == NULL) {
		fWindow = new BWindow(fBounds.OffsetToCopy(0, 0), "",
			B_NO_BORDER_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL, 0);
	}
	fWindow->AddChild(view);
}


bool
BBitmap::RemoveChild(BView* view)
{
	return fWindow != NULL && fWindow->RemoveChild(view);
}


int32
BBitmap::CountChildren() const
{
	return fWindow != NULL ? fWindow->CountChildren() : 0;
}


BView*
BBitmap::ChildAt(int32 index) const
{
	return fWindow != NULL ? fWindow->ChildAt(index) : NULL;
}


BView*
BBitmap::FindView(const char* name) const
{
	return fWindow != NULL ? fWindow->FindView(name) : NULL;
}


bool
BBitmap::Lock()
{
	return fWindow != NULL && fWindow->Lock();
}


void
BBitmap::Unlock()
{
	if (fWindow == NULL)
		return;
	_CopyFromViews();
	fWindow->Unlock();
}


bool
BBitmap::IsLocked() const
{
	return fWindow != NULL && fWindow->IsLocked();
}


void
BBitmap::_CopyFromViews()
{
	QWidget* widget = static_cast<QWidget*>(
		BPrivate::WindowAutomation::_Widget(fWindow));
	if (widget == NULL || !IsValid())
		return;
	QImage image = widget->grab().toImage().convertToFormat(
		QImage::Format_ARGB32);
	int32 width = std::min(fWidth, (int32)image.width());
	int32 height = std::min(fHeight, (int32)image.height());
	int32 pixelBytes = bytes_per_pixel(fColorSpace);
	for (int32 y = 0; y < height; y++) {
		const QRgb* line = (const QRgb*)image.constScanLine(y);
		uint8* row = fBits + y * fBytesPerRow;
		for (int32 x = 0; x < width; x++) {
			rgb_color color = make_color(qRed(line[x]), qGreen(line[x]),
				qBlue(line[x]), qAlpha(line[x]));
			write_pixel(row + x * pixelBytes, fColorSpace, color);
		}
	}
}
