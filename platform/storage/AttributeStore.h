// Reading and writing whole typed attributes of a node, in extended
// attributes or in the sidecar store (internal to the storage kit).
#ifndef _ATTRIBUTE_STORE_H
#define _ATTRIBUTE_STORE_H

#include <string>
#include <vector>

#include <SupportDefs.h>

namespace BPrivate {

struct AttributeValue {
	uint32		type;
	std::string	data;
};

// fd is an open descriptor of the node, or -1 to go by path; path is the
// node's absolute path (the sidecar lies beside it).
status_t read_attribute(int fd, const char* path, const char* name,
	AttributeValue& value);
status_t write_attribute(int fd, const char* path, const char* name,
	const AttributeValue& value);
status_t remove_attribute(int fd, const char* path, const char* name);
status_t list_attributes(int fd, const char* path,
	std::vector<std::string>& names);

// Copies every user extended attribute of the file at fromPath to an open
// file; a source without extended attributes copies nothing. Attributes in
// the sidecar store belong to the path and need no copy.
status_t copy_extended_attributes(const char* fromPath, int toFD);

}	// namespace BPrivate

#endif	// _ATTRIBUTE_STORE_H
