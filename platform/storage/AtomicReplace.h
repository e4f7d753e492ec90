// Replacing a file's content in one step (private to the kits).
#ifndef _ATOMIC_REPLACE_H
#define _ATOMIC_REPLACE_H

#include <SupportDefs.h>

namespace BPrivate {

// Writes data to a new file ".<leaf>.XXXXXX" in the folder of path, flushes
// it, gives it the old file's mode and attributes, renames it over path and
// flushes the folder. Readers see either the old or the new content. On
// failure the old file stays as it was and the temporary file is removed.
status_t replace_file_atomically(const char* path, const void* data,
	size_t size);

}	// namespace BPrivate

#endif	// _ATOMIC_REPLACE_H
