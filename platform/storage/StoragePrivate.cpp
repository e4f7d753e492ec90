// Helpers shared by the storage kit's sources.
#include "StoragePrivate.h"

#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <utility>

#include <Node.h>
#include <TypeConstants.h>

namespace BPrivate {


status_t
status_for_errno(int error)
{
	switch (error) {
		case 0:
			return B_OK;
		case ENOENT:
		case ENODATA:
			return B_ENTRY_NOT_FOUND;
		case EEXIST:
			return B_FILE_EXISTS;
		case EACCES:
			return B_PERMISSION_DENIED;
		case EPERM:
			return B_NOT_ALLOWED;
		case ENOTDIR:
			return B_NOT_A_DIRECTORY;
		case EISDIR:
			return B_IS_A_DIRECTORY;
		case ENAMETOOLONG:
			return B_NAME_TOO_LONG;
		case ENOTEMPTY:
			return B_DIRECTORY_NOT_EMPTY;
		case ENOSPC:
		case EDQUOT:
		case EFBIG:
			return B_DEVICE_FULL;
		case EROFS:
			return B_READ_ONLY_DEVICE;
		case EMFILE:
		case ENFILE:
			return B_NO_MORE_FDS;
		case EXDEV:
			return B_CROSS_DEVICE_LINK;
		case ELOOP:
			return B_LINK_LIMIT;
		case EPIPE:
			return B_BUSTED_PIPE;
		case ENOTSUP:
			return B_UNSUPPORTED;
		case ENOMEM:
			return B_NO_MEMORY;
		case EIO:
			return B_IO_ERROR;
		case EINVAL:
		case E2BIG:
			return B_BAD_VALUE;
		case EBADF:
			return B_FILE_ERROR;
		case EINTR:
			return B_INTERRUPTED;
		case EAGAIN:
			return B_WOULD_BLOCK;
		case EBUSY:
			return B_BUSY;
		case ETIMEDOUT:
			return B_TIMED_OUT;
		default:
			return B_ERROR;
	}
}


bool
path_needs_normalizing(const char* path)
{
	if (path == NULL || path[0] != '/')
		return true;
	size_t length = strlen(path);
	if (length > 1 && path[length - 1] == '/')
		return true;
	for (const char* p = path; *p != '\0'; p++) {
		if (p[0] != '/')
			continue;
		if (p[1] == '/')
			return true;
		if (p[1] == '.' && (p[2] == '/' || p[2] == '\0'))
			return true;
		if (p[1] == '.' && p[2] == '.' && (p[3] == '/' || p[3] == '\0'))
			return true;
	}
	return false;
}


void
split_path(const std::string& path, std::string& folder, std::string& leaf)
{
	if (path == "/") {
		folder = "/";
		leaf = ".";
		return;
	}
	size_t slash = path.rfind('/');
	if (slash == std::string::npos) {
		folder = ".";
		leaf = path;
		return;
	}
	folder = slash == 0 ? std::string("/") : path.substr(0, slash);
	leaf = path.substr(slash + 1);
}


std::string
join_path(const std::string& folder, const char* leaf)
{
	std::string result = folder;
	if (result.empty() || result.back() != '/')
		result += '/';
	result += leaf;
	return result;
}


status_t
normalize_path(const char* path, std::string& result)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;

	std::string full;
	if (path[0] != '/') {
		char cwd[PATH_MAX];
		if (getcwd(cwd, sizeof(cwd)) == NULL)
			return status_for_errno(errno);
		full = join_path(cwd, path);
	} else
		full = path;

	// Drop trailing slashes; the root stays.
	while (full.size() > 1 && full.back() == '/')
		full.pop_back();
	if (full == "/") {
		result = full;
		return B_OK;
	}

	std::string folder, leaf;
	split_path(full, folder, leaf);

	// A leaf of "." or ".." names a folder that must exist itself.
	const char* resolve = folder.c_str();
	bool wholePath = leaf == "." || leaf == "..";
	if (wholePath)
		resolve = full.c_str();

	char resolved[PATH_MAX];
	if (realpath(resolve, resolved) == NULL)
		return status_for_errno(errno);
	struct stat st;
	if (stat(resolved, &st) != 0)
		return status_for_errno(errno);
	if (!S_ISDIR(st.st_mode))
		return B_NOT_A_DIRECTORY;

	if (wholePath)
		result = resolved;
	else
		result = join_path(resolved, leaf.c_str());
	if (result.size() >= PATH_MAX)
		return B_NAME_TOO_LONG;
	return B_OK;
}


static std::mutex sDirectoryLock;
static std::map<std::pair<dev_t, ino_t>, std::string> sDirectories;


void
remember_directory(dev_t device, ino_t node, const char* path)
{
	if (path == NULL)
		return;
	std::lock_guard<std::mutex> lock(sDirectoryLock);
	sDirectories[std::make_pair(device, node)] = path;
}


bool
lookup_directory(dev_t device, ino_t node, std::string& path)
{
	std::string found;
	{
		std::lock_guard<std::mutex> lock(sDirectoryLock);
		auto it = sDirectories.find(std::make_pair(device, node));
		if (it == sDirectories.end())
			return false;
		found = it->second;
	}
	// The folder may have moved since; only a path that still leads to the
	// same node counts.
	struct stat st;
	if (stat(found.c_str(), &st) != 0 || st.st_dev != device
		|| st.st_ino != node)
		return false;
	path = found;
	return true;
}


void
copy_to_buffer(char* buffer, const char* text, size_t size)
{
	if (size == 0)
		return;
	size_t length = strnlen(text, size - 1);
	memcpy(buffer, text, length);
	buffer[length] = '\0';
}


char*
copy_string(const char* text)
{
	return text != NULL ? strdup(text) : NULL;
}


status_t
read_string_attribute(const BNode* node, const char* name, char* buffer,
	size_t size)
{
	attr_info info;
	status_t status = node->GetAttrInfo(name, &info);
	if (status != B_OK)
		return status;
	if (info.type != B_MIME_STRING_TYPE)
		return B_BAD_TYPE;
	if (info.size > (off_t)size)
		return B_BAD_DATA;
	ssize_t bytes = node->ReadAttr(name, B_MIME_STRING_TYPE, 0, buffer,
		size - 1);
	if (bytes < 0)
		return (status_t)bytes;
	buffer[bytes] = '\0';
	return B_OK;
}


status_t
write_string_attribute(BNode* node, const char* name, const char* value)
{
	if (value == NULL) {
		status_t status = node->RemoveAttr(name);
		return status == B_ENTRY_NOT_FOUND ? (status_t)B_OK : status;
	}
	size_t length = strlen(value) + 1;
	ssize_t bytes = node->WriteAttr(name, B_MIME_STRING_TYPE, 0, value,
		length);
	if (bytes < 0)
		return (status_t)bytes;
	return (size_t)bytes == length ? (status_t)B_OK : (status_t)B_IO_ERROR;
}


}	// namespace BPrivate
