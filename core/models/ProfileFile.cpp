// File access of the time-profile file.
#include "ProfileFile.h"

#include <AtomicReplace.h>
#include <File.h>


namespace BPrivate {


status_t
append_profile_text(const char* path, const BString& text)
{
	if (path == NULL)
		return B_BAD_VALUE;
	BFile file(path, B_WRITE_ONLY | B_CREATE_FILE | B_OPEN_AT_END);
	status_t status = file.InitCheck();
	if (status != B_OK)
		return status;
	ssize_t written = file.Write(text.String(), text.Length());
	if (written < 0)
		return (status_t)written;
	return written == text.Length() ? B_OK : B_IO_ERROR;
}


// Written to a temporary file beside the old one and renamed over it, so
// a crash halfway leaves the old file or the new one, never a mix.
status_t
replace_profile_file(const char* path, const BString& text)
{
	return replace_file_atomically(path, text.String(), text.Length());
}


}	// namespace BPrivate
