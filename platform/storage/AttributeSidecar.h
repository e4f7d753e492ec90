// The sidecar store of attributes, for file systems without extended
// attributes (private to the kits).
#ifndef _ATTRIBUTE_SIDECAR_H
#define _ATTRIBUTE_SIDECAR_H

#include <SupportDefs.h>

namespace BPrivate {

// Test hook: with forced on, every node keeps its attributes in the
// sidecar store, as on a file system that refuses extended attributes.
void force_attribute_sidecar(bool forced);
bool attribute_sidecar_forced();

// The path of the sidecar file that holds the attributes of path:
// "<folder>/.<leaf>.zlattr". Sidecar files are hidden from directory
// listings and follow their file on rename and remove.
status_t attribute_sidecar_path(const char* path, char* buffer,
	size_t size);
bool is_attribute_sidecar_name(const char* leaf);

}	// namespace BPrivate

#endif	// _ATTRIBUTE_SIDECAR_H
