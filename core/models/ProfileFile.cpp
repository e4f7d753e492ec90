// File access of the time-profile file.
#include "ProfileFile.h"

#include <stdio.h>


namespace BPrivate {


// Writes the text to a file opened in the given stdio mode.
static status_t
write_text(const char* path, const BString& text, const char* mode)
{
	if (path == NULL)
		return B_BAD_VALUE;
	FILE* file = fopen(path, mode);
	if (file == NULL)
		return B_ERROR;
	size_t written = fwrite(text.String(), 1, text.Length(), file);
	if (fclose(file) != 0 || written != (size_t)text.Length())
		return B_IO_ERROR;
	return B_OK;
}


status_t
append_profile_text(const char* path, const BString& text)
{
	return write_text(path, text, "ae");
}


status_t
replace_profile_file(const char* path, const BString& text)
{
	return write_text(path, text, "we");
}


}	// namespace BPrivate
