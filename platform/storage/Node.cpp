// Nodes of the file system and their typed attributes.
#include <Node.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>
#include <String.h>
#include <TypeConstants.h>

#include "AttributeStore.h"
#include "StoragePrivate.h"

using namespace BPrivate;

// Attribute values larger than this are refused before any allocation.
static const off_t kMaxAttributeSize = 64 * 1024 * 1024;


BNode::BNode()
	:
	fFD(-1),
	fPath(NULL),
	fStatus(B_NO_INIT),
	fAttrNames(NULL),
	fAttrNamesSize(0),
	fAttrCursor(0),
	fAttrListed(false),
	fPathOnly(false)
{
}


BNode::BNode(const entry_ref* ref)
	:
	BNode()
{
	SetTo(ref);
}


BNode::BNode(const BEntry* entry)
	:
	BNode()
{
	SetTo(entry);
}


BNode::BNode(const char* path)
	:
	BNode()
{
	SetTo(path);
}


BNode::BNode(const BDirectory* dir, const char* path)
	:
	BNode()
{
	SetTo(dir, path);
}


BNode::BNode(const BNode& node)
	:
	BNode()
{
	*this = node;
}


BNode::~BNode()
{
	Unset();
}


status_t
BNode::InitCheck() const
{
	return fStatus;
}


status_t
BNode::GetStat(struct stat* st) const
{
	if (st == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return fStatus;
	if (fstat(fFD, st) != 0)
		return status_for_errno(errno);
	return B_OK;
}


status_t
BNode::SetTo(const entry_ref* ref)
{
	if (ref == NULL) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	BEntry entry(ref);
	return SetTo(&entry);
}


status_t
BNode::SetTo(const BEntry* entry)
{
	if (entry == NULL) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	BPath path;
	status_t status = entry->GetPath(&path);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	return SetTo(path.Path());
}


status_t
BNode::SetTo(const char* path)
{
	// A node is opened for its stat and attributes only: opening a FIFO
	// must not wait for a writer, nor a terminal become ours.
	return _SetToPath(path, O_RDONLY | O_NONBLOCK, 0);
}


status_t
BNode::SetTo(const BDirectory* dir, const char* path)
{
	if (dir == NULL || path == NULL || dir->InitCheck() != B_OK) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	BPath full;
	status_t status = dir->_ChildPath(path, &full);
	if (status != B_OK) {
		Unset();
		return fStatus = status;
	}
	return SetTo(full.Path());
}


void
BNode::Unset()
{
	if (fFD >= 0)
		close(fFD);
	fFD = -1;
	free(fPath);
	fPath = NULL;
	free(fAttrNames);
	fAttrNames = NULL;
	fAttrNamesSize = 0;
	fAttrCursor = 0;
	fAttrListed = false;
	fPathOnly = false;
	fStatus = B_NO_INIT;
}


status_t
BNode::Sync()
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (fsync(fFD) != 0)
		return status_for_errno(errno);
	return B_OK;
}


ssize_t
BNode::WriteAttr(const char* name, type_code type, off_t offset,
	const void* buffer, size_t length)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (name == NULL || (buffer == NULL && length > 0) || offset < 0
		|| offset > kMaxAttributeSize
		|| length > (size_t)(kMaxAttributeSize - offset))
		return B_BAD_VALUE;

	AttributeValue value;
	value.type = type;
	if (offset > 0) {
		// Writing behind the start keeps what is before; a gap reads as
		// zeros.
		status_t status = read_attribute(_AttrFD(), fPath, name, value);
		if (status == B_ENTRY_NOT_FOUND)
			value.data.clear();
		else if (status != B_OK)
			return status;
		value.type = type;
		if (value.data.size() < (size_t)offset + length)
			value.data.resize(offset + length, '\0');
		memcpy(&value.data[offset], buffer, length);
	} else if (length > 0)
		value.data.assign((const char*)buffer, length);

	status_t status = write_attribute(_AttrFD(), fPath, name, value);
	if (status != B_OK)
		return status;
	return (ssize_t)length;
}


ssize_t
BNode::ReadAttr(const char* name, type_code /*type*/, off_t offset,
	void* buffer, size_t length) const
{
	// As on BeOS the type is not checked: a read gives the bytes stored.
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (name == NULL || (buffer == NULL && length > 0) || offset < 0)
		return B_BAD_VALUE;

	AttributeValue value;
	status_t status = read_attribute(_AttrFD(), fPath, name, value);
	if (status != B_OK)
		return status;
	if ((uint64)offset >= value.data.size())
		return 0;
	size_t count = value.data.size() - offset;
	if (count > length)
		count = length;
	memcpy(buffer, value.data.data() + offset, count);
	return (ssize_t)count;
}


status_t
BNode::RemoveAttr(const char* name)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (name == NULL)
		return B_BAD_VALUE;
	return remove_attribute(_AttrFD(), fPath, name);
}


status_t
BNode::RenameAttr(const char* oldName, const char* newName)
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (oldName == NULL || newName == NULL)
		return B_BAD_VALUE;
	AttributeValue value;
	status_t status = read_attribute(_AttrFD(), fPath, oldName, value);
	if (status != B_OK)
		return status;
	if (strcmp(oldName, newName) == 0)
		return B_OK;
	status = write_attribute(_AttrFD(), fPath, newName, value);
	if (status != B_OK)
		return status;
	return remove_attribute(_AttrFD(), fPath, oldName);
}


status_t
BNode::GetAttrInfo(const char* name, attr_info* info) const
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (name == NULL || info == NULL)
		return B_BAD_VALUE;
	AttributeValue value;
	status_t status = read_attribute(_AttrFD(), fPath, name, value);
	if (status != B_OK)
		return status;
	info->type = value.type;
	info->size = (off_t)value.data.size();
	return B_OK;
}


status_t
BNode::GetNextAttrName(char* buffer)
{
	if (buffer == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	if (!fAttrListed) {
		status_t status = _ListAttrs();
		if (status != B_OK)
			return status;
	}
	if (fAttrCursor >= fAttrNamesSize)
		return B_ENTRY_NOT_FOUND;
	const char* name = fAttrNames + fAttrCursor;
	size_t length = strlen(name);
	fAttrCursor += length + 1;
	copy_to_buffer(buffer, name, B_ATTR_NAME_LENGTH);
	return B_OK;
}


status_t
BNode::RewindAttrs()
{
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	// The next GetNextAttrName() lists the attributes afresh.
	fAttrListed = false;
	fAttrCursor = 0;
	return B_OK;
}


status_t
BNode::WriteAttrString(const char* name, const BString* data)
{
	if (name == NULL || data == NULL)
		return B_BAD_VALUE;
	ssize_t result = WriteAttr(name, B_STRING_TYPE, 0, data->String(),
		data->Length() + 1);
	return result < 0 ? (status_t)result : B_OK;
}


status_t
BNode::ReadAttrString(const char* name, BString* result) const
{
	if (name == NULL || result == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_FILE_ERROR;
	AttributeValue value;
	status_t status = read_attribute(_AttrFD(), fPath, name, value);
	if (status != B_OK)
		return status;
	// The text ends at its first zero byte or at the attribute's end.
	result->SetTo(value.data.c_str(), (int32)strnlen(value.data.c_str(),
		value.data.size()));
	return B_OK;
}


BNode&
BNode::operator=(const BNode& node)
{
	if (this == &node)
		return *this;
	Unset();
	if (node.fStatus != B_OK) {
		fStatus = node.fStatus;
		return *this;
	}
	fFD = fcntl(node.fFD, F_DUPFD_CLOEXEC, 0);
	fPath = copy_string(node.fPath);
	fPathOnly = node.fPathOnly;
	if (fFD < 0)
		fStatus = status_for_errno(errno);
	else if (fPath == NULL)
		fStatus = B_NO_MEMORY;
	else
		fStatus = B_OK;
	if (fStatus != B_OK) {
		status_t status = fStatus;
		Unset();
		fStatus = status;
	}
	return *this;
}


bool
BNode::operator==(const BNode& node) const
{
	if (fStatus != B_OK || node.fStatus != B_OK)
		return fStatus != B_OK && node.fStatus != B_OK;
	node_ref mine, theirs;
	return GetNodeRef(&mine) == B_OK && node.GetNodeRef(&theirs) == B_OK
		&& mine == theirs;
}


bool
BNode::operator!=(const BNode& node) const
{
	return !(*this == node);
}


status_t
BNode::_SetToPath(const char* path, int openFlags, mode_t createMode)
{
	Unset();
	if (path == NULL || path[0] == '\0')
		return fStatus = B_BAD_VALUE;

	std::string normalized;
	status_t status = normalize_path(path, normalized);
	if (status != B_OK)
		return fStatus = status;

	int fd = open(normalized.c_str(), openFlags | O_CLOEXEC | O_NOCTTY,
		createMode);
	bool pathOnly = false;
	if (fd < 0 && errno == EACCES && (openFlags & O_ACCMODE) == O_RDONLY
		&& (openFlags & O_CREAT) == 0) {
		// A node one may not read still has a stat and attributes.
		fd = open(normalized.c_str(), O_PATH | O_CLOEXEC
			| (openFlags & O_DIRECTORY));
		pathOnly = true;
	}
	if (fd < 0)
		return fStatus = status_for_errno(errno);

	// Attributes belong to the node a link points to, so keep its real
	// path; the sidecar store lies beside that.
	char real[PATH_MAX];
	const char* nodePath = realpath(normalized.c_str(), real) != NULL
		? real : normalized.c_str();
	fPath = copy_string(nodePath);
	if (fPath == NULL) {
		close(fd);
		return fStatus = B_NO_MEMORY;
	}
	fFD = fd;
	fPathOnly = pathOnly;
	return fStatus = B_OK;
}


status_t
BNode::_ListAttrs()
{
	std::vector<std::string> names;
	status_t status = list_attributes(_AttrFD(), fPath, names);
	if (status != B_OK)
		return status;
	std::string packed;
	for (const std::string& name : names) {
		packed += name;
		packed += '\0';
	}
	char* copy = (char*)malloc(packed.size() + 1);
	if (copy == NULL)
		return B_NO_MEMORY;
	memcpy(copy, packed.data(), packed.size());
	free(fAttrNames);
	fAttrNames = copy;
	fAttrNamesSize = packed.size();
	fAttrCursor = 0;
	fAttrListed = true;
	return B_OK;
}
