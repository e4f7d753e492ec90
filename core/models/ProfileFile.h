// File access of the time-profile file, kept in one place: appending one
// model line, and writing the whole file anew.
#ifndef _PROFILE_FILE_H
#define _PROFILE_FILE_H

#include <String.h>
#include <SupportDefs.h>

namespace BPrivate {

status_t	append_profile_text(const char* path, const BString& text);
status_t	replace_profile_file(const char* path, const BString& text);

}	// namespace BPrivate

#endif	// _PROFILE_FILE_H
