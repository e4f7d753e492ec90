// BTranslationUtils over QImageReader. Pixels are copied row by row into
// a B_RGBA32 bitmap: Qt's ARGB32 is the same blue, green, red, alpha byte
// order in memory on the little-endian hosts the kit runs on.
#include <TranslationUtils.h>

#include <string.h>

#include <QImage>
#include <QImageReader>

#include <Bitmap.h>
#include <Entry.h>
#include <Path.h>


BBitmap*
BTranslationUtils::GetBitmapFile(const char* path, BTranslatorRoster*)
{
	if (path == NULL || path[0] == '\0')
		return NULL;
	QImageReader reader(QString::fromUtf8(path));
	reader.setDecideFormatFromContent(true);
	reader.setAutoTransform(true);
	QImage image = reader.read();
	if (image.isNull() || image.width() <= 0 || image.height() <= 0)
		return NULL;
	image = image.convertToFormat(QImage::Format_ARGB32);

	BBitmap* bitmap = new BBitmap(BRect(0, 0, image.width() - 1,
		image.height() - 1), B_RGBA32);
	if (!bitmap->IsValid()) {
		delete bitmap;
		return NULL;
	}
	uint8* bits = (uint8*)bitmap->Bits();
	size_t rowBytes = (size_t)image.width() * 4;
	for (int y = 0; y < image.height(); y++) {
		memcpy(bits + (size_t)y * bitmap->BytesPerRow(), image.constScanLine(y),
			rowBytes);
	}
	return bitmap;
}


BBitmap*
BTranslationUtils::GetBitmap(const char* path, BTranslatorRoster* roster)
{
	// The program has no resources: a name is always a file.
	return GetBitmapFile(path, roster);
}


BBitmap*
BTranslationUtils::GetBitmap(const entry_ref* ref, BTranslatorRoster* roster)
{
	if (ref == NULL)
		return NULL;
	BPath path(ref);
	if (path.InitCheck() != B_OK)
		return NULL;
	return GetBitmapFile(path.Path(), roster);
}
