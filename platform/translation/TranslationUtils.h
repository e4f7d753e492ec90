// BTranslationUtils: images read from files into bitmaps, through Qt's
// image readers (PNG, JPEG, GIF, BMP and whatever else the installed
// plug-ins read). The format is found from the file's contents.
#ifndef _TRANSLATION_UTILS_H
#define _TRANSLATION_UTILS_H

#include <SupportDefs.h>

class BBitmap;
class BTranslatorRoster;
struct entry_ref;

class BTranslationUtils {
public:
	// A new B_RGBA32 bitmap of the image in the file, owned by the
	// caller; NULL for a file that cannot be read or is no image.
	static	BBitmap*		GetBitmap(const char* path,
								BTranslatorRoster* roster = NULL);
	static	BBitmap*		GetBitmap(const entry_ref* ref,
								BTranslatorRoster* roster = NULL);
	static	BBitmap*		GetBitmapFile(const char* path,
								BTranslatorRoster* roster = NULL);

private:
							BTranslationUtils();
};

#endif	// _TRANSLATION_UTILS_H
