// Helpers shared by the storage kit's sources (not a public header).
#ifndef _STORAGE_PRIVATE_H
#define _STORAGE_PRIVATE_H

#include <sys/types.h>

#include <string>

#include <SupportDefs.h>

class BNode;

namespace BPrivate {

// The kit's status code for a host errno value.
status_t status_for_errno(int error);

// Makes path absolute (against the working directory) and resolves ".",
// ".." and symbolic links in its folder part; the leaf itself need not
// exist, its folder must. "/" stays "/".
status_t normalize_path(const char* path, std::string& result);

// True when path must be normalised to be a BeOS path: relative, or with
// "." or ".." components, doubled or trailing slashes.
bool path_needs_normalizing(const char* path);

// Splits an absolute, normalised path into its folder and leaf. The root
// gives folder "/" and leaf ".".
void split_path(const std::string& path, std::string& folder,
	std::string& leaf);

// Joins a folder and a name with one slash.
std::string join_path(const std::string& folder, const char* leaf);

// A process-wide table of folder paths by device and node, so a ref made
// from numbers alone can find its folder again.
void remember_directory(dev_t device, ino_t node, const char* path);
bool lookup_directory(dev_t device, ino_t node, std::string& path);

// Copies text into a buffer of size bytes, cut short if need be, always
// terminated.
void copy_to_buffer(char* buffer, const char* text, size_t size);

// Reads a text attribute of type B_MIME_STRING_TYPE into buffer (size
// bytes, always terminated); B_BAD_TYPE or B_BAD_DATA for another type or
// a text too long.
status_t read_string_attribute(const BNode* node, const char* name,
	char* buffer, size_t size);
// Writes value with its terminator as a B_MIME_STRING_TYPE attribute;
// NULL removes the attribute (a missing one is no error).
status_t write_string_attribute(BNode* node, const char* name,
	const char* value);

// Duplicates a string with malloc(); NULL stays NULL.
char* copy_string(const char* text);

}	// namespace BPrivate

#endif	// _STORAGE_PRIVATE_H
