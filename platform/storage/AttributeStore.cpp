// Typed attributes in Linux extended attributes, or in a sidecar file
// where the file system has none.
//
// An extended attribute "user.<name>" holds the 4-byte type code in host
// order followed by the data. The sidecar file "<folder>/.<leaf>.zlattr"
// holds all attributes of one node: the magic "ZLAT", a version, the count,
// then per attribute the name's length, the name, the type, the data's
// length and the data, all numbers 32-bit in host order.
#include "AttributeStore.h"

#include <AttributeSidecar.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <linux/limits.h>
#include <unistd.h>

#include <atomic>
#include <map>
#include <mutex>

#include <TypeConstants.h>

#include "StoragePrivate.h"

namespace BPrivate {

static const char kXattrPrefix[] = "user.";
static const char kSidecarSuffix[] = ".zlattr";
static const uint32 kSidecarMagic = 'ZLAT';
static const uint32 kSidecarVersion = 1;
// Sanity limits for what a sidecar file may claim.
static const size_t kMaxSidecarSize = 64 * 1024 * 1024;
static const uint32 kMaxAttributeNameLength = B_ATTR_NAME_LENGTH;

static std::atomic<bool> sSidecarForced(false);
// Serialises the read-modify-write of sidecar files within this process;
// flock() on the node orders it against other processes.
static std::mutex sSidecarLock;

typedef std::map<std::string, AttributeValue> AttributeMap;


void
force_attribute_sidecar(bool forced)
{
	sSidecarForced = forced;
}


bool
attribute_sidecar_forced()
{
	return sSidecarForced;
}


status_t
attribute_sidecar_path(const char* path, char* buffer, size_t size)
{
	if (path == NULL || buffer == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	std::string folder, leaf;
	split_path(path, folder, leaf);
	if (leaf == "." || leaf.empty())
		return B_BAD_VALUE;
	std::string sidecarLeaf = "." + leaf + kSidecarSuffix;
	if (sidecarLeaf.size() >= B_FILE_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	std::string result = join_path(folder, sidecarLeaf.c_str());
	if (result.size() >= size)
		return B_NAME_TOO_LONG;
	memcpy(buffer, result.c_str(), result.size() + 1);
	return B_OK;
}


bool
is_attribute_sidecar_name(const char* leaf)
{
	if (leaf == NULL || leaf[0] != '.')
		return false;
	size_t length = strlen(leaf);
	size_t suffixLength = sizeof(kSidecarSuffix) - 1;
	return length > suffixLength + 1
		&& strcmp(leaf + length - suffixLength, kSidecarSuffix) == 0;
}


// #pragma mark - sidecar files


static bool
read_uint32(const std::string& data, size_t& offset, uint32& value)
{
	if (data.size() - offset < sizeof(uint32))
		return false;
	memcpy(&value, data.data() + offset, sizeof(uint32));
	offset += sizeof(uint32);
	return true;
}


static void
append_uint32(std::string& data, uint32 value)
{
	data.append((const char*)&value, sizeof(value));
}


static status_t
read_file(const char* path, std::string& data)
{
	int fd = open(path, O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return status_for_errno(errno);
	data.clear();
	char buffer[16384];
	status_t status = B_OK;
	while (true) {
		ssize_t bytes = read(fd, buffer, sizeof(buffer));
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0) {
			status = status_for_errno(errno);
			break;
		}
		if (bytes == 0)
			break;
		data.append(buffer, bytes);
		if (data.size() > kMaxSidecarSize) {
			status = B_BAD_DATA;
			break;
		}
	}
	close(fd);
	return status;
}


static status_t
load_sidecar(const char* path, AttributeMap& attributes)
{
	attributes.clear();
	char sidecar[PATH_MAX];
	status_t status = attribute_sidecar_path(path, sidecar, sizeof(sidecar));
	if (status != B_OK)
		return status;

	std::string data;
	status = read_file(sidecar, data);
	if (status == B_ENTRY_NOT_FOUND)
		return B_OK;
	if (status != B_OK)
		return status;

	size_t offset = 0;
	uint32 magic, version, count;
	if (!read_uint32(data, offset, magic) || magic != kSidecarMagic
		|| !read_uint32(data, offset, version) || version != kSidecarVersion
		|| !read_uint32(data, offset, count))
		return B_BAD_DATA;

	for (uint32 i = 0; i < count; i++) {
		uint32 nameLength, type, dataLength;
		if (!read_uint32(data, offset, nameLength) || nameLength == 0
			|| nameLength >= kMaxAttributeNameLength
			|| data.size() - offset < nameLength)
			return B_BAD_DATA;
		std::string name(data, offset, nameLength);
		offset += nameLength;
		if (!read_uint32(data, offset, type)
			|| !read_uint32(data, offset, dataLength)
			|| data.size() - offset < dataLength)
			return B_BAD_DATA;
		AttributeValue& value = attributes[name];
		value.type = type;
		value.data.assign(data, offset, dataLength);
		offset += dataLength;
	}
	return B_OK;
}


static status_t
store_sidecar(const char* path, const AttributeMap& attributes)
{
	char sidecar[PATH_MAX];
	status_t status = attribute_sidecar_path(path, sidecar, sizeof(sidecar));
	if (status != B_OK)
		return status;

	if (attributes.empty()) {
		if (unlink(sidecar) != 0 && errno != ENOENT)
			return status_for_errno(errno);
		return B_OK;
	}

	std::string data;
	append_uint32(data, kSidecarMagic);
	append_uint32(data, kSidecarVersion);
	append_uint32(data, (uint32)attributes.size());
	for (const auto& [name, value] : attributes) {
		append_uint32(data, (uint32)name.size());
		data += name;
		append_uint32(data, value.type);
		append_uint32(data, (uint32)value.data.size());
		data += value.data;
	}
	if (data.size() > kMaxSidecarSize)
		return B_DEVICE_FULL;

	// The sidecar itself is replaced in one step, so a crash never leaves
	// half of it.
	std::string temp = std::string(sidecar) + ".XXXXXX";
	int fd = mkostemp(&temp[0], O_CLOEXEC);
	if (fd < 0)
		return status_for_errno(errno);
	size_t written = 0;
	while (written < data.size()) {
		ssize_t bytes = write(fd, data.data() + written, data.size() - written);
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0) {
			status = status_for_errno(errno);
			break;
		}
		written += bytes;
	}
	if (status == B_OK && fsync(fd) != 0)
		status = status_for_errno(errno);
	if (close(fd) != 0 && status == B_OK)
		status = status_for_errno(errno);
	if (status == B_OK && rename(temp.c_str(), sidecar) != 0)
		status = status_for_errno(errno);
	if (status != B_OK)
		unlink(temp.c_str());
	return status;
}


// Holds the process lock and, where the node is open, an flock on it.
class SidecarLock {
public:
	SidecarLock(int fd, bool exclusive)
		:
		fLock(sSidecarLock),
		fFD(fd)
	{
		if (fFD >= 0 && flock(fFD, exclusive ? LOCK_EX : LOCK_SH) != 0)
			fFD = -1;
	}

	~SidecarLock()
	{
		if (fFD >= 0)
			flock(fFD, LOCK_UN);
	}

private:
	std::lock_guard<std::mutex> fLock;
	int fFD;
};


// #pragma mark - extended attributes


static bool
use_sidecar(int error)
{
	return error == ENOTSUP;
}


static std::string
xattr_name(const char* name)
{
	return std::string(kXattrPrefix) + name;
}


// Reads the raw value of an extended attribute; errno-style result.
static int
get_xattr(int fd, const char* path, const char* name, std::string& value)
{
	for (int attempt = 0; attempt < 8; attempt++) {
		ssize_t size = fd >= 0 ? fgetxattr(fd, name, NULL, 0)
			: getxattr(path, name, NULL, 0);
		if (size < 0)
			return errno;
		value.resize(size);
		ssize_t got = fd >= 0 ? fgetxattr(fd, name, &value[0], size)
			: getxattr(path, name, &value[0], size);
		if (got >= 0) {
			value.resize(got);
			return 0;
		}
		// The value grew in between: ask again.
		if (errno != ERANGE)
			return errno;
	}
	return ERANGE;
}


static int
list_xattrs(int fd, const char* path, std::string& list)
{
	for (int attempt = 0; attempt < 8; attempt++) {
		ssize_t size = fd >= 0 ? flistxattr(fd, NULL, 0)
			: listxattr(path, NULL, 0);
		if (size < 0)
			return errno;
		list.resize(size);
		if (size == 0)
			return 0;
		ssize_t got = fd >= 0 ? flistxattr(fd, &list[0], size)
			: listxattr(path, &list[0], size);
		if (got >= 0) {
			list.resize(got);
			return 0;
		}
		if (errno != ERANGE)
			return errno;
	}
	return ERANGE;
}


// #pragma mark - the store


// Names must fit both stores: B_ATTR_NAME_LENGTH with its terminator, and
// XATTR_NAME_MAX (255) with the "user." prefix.
static status_t
check_name(const char* name)
{
	if (name == NULL || name[0] == '\0')
		return B_BAD_VALUE;
	size_t length = strlen(name);
	if (length >= kMaxAttributeNameLength
		|| length + sizeof(kXattrPrefix) - 1 > XATTR_NAME_MAX)
		return B_NAME_TOO_LONG;
	return B_OK;
}


status_t
read_attribute(int fd, const char* path, const char* name,
	AttributeValue& value)
{
	status_t status = check_name(name);
	if (status != B_OK)
		return status;

	if (!sSidecarForced) {
		std::string raw;
		int error = get_xattr(fd, path, xattr_name(name).c_str(), raw);
		if (error == 0) {
			// A value of fewer than four bytes was not written by this
			// kit; it reads as raw data.
			if (raw.size() < sizeof(uint32)) {
				value.type = B_RAW_TYPE;
				value.data = raw;
			} else {
				memcpy(&value.type, raw.data(), sizeof(uint32));
				value.data.assign(raw, sizeof(uint32), std::string::npos);
			}
			return B_OK;
		}
		if (!use_sidecar(error))
			return status_for_errno(error);
	}

	SidecarLock lock(fd, false);
	AttributeMap attributes;
	status = load_sidecar(path, attributes);
	if (status != B_OK)
		return status;
	auto it = attributes.find(name);
	if (it == attributes.end())
		return B_ENTRY_NOT_FOUND;
	value = it->second;
	return B_OK;
}


status_t
write_attribute(int fd, const char* path, const char* name,
	const AttributeValue& value)
{
	status_t status = check_name(name);
	if (status != B_OK)
		return status;

	if (!sSidecarForced) {
		std::string raw((const char*)&value.type, sizeof(uint32));
		raw += value.data;
		std::string fullName = xattr_name(name);
		int result = fd >= 0
			? fsetxattr(fd, fullName.c_str(), raw.data(), raw.size(), 0)
			: setxattr(path, fullName.c_str(), raw.data(), raw.size(), 0);
		if (result == 0)
			return B_OK;
		if (!use_sidecar(errno))
			return status_for_errno(errno);
	}

	SidecarLock lock(fd, true);
	AttributeMap attributes;
	status = load_sidecar(path, attributes);
	if (status != B_OK)
		return status;
	attributes[name] = value;
	return store_sidecar(path, attributes);
}


status_t
remove_attribute(int fd, const char* path, const char* name)
{
	status_t status = check_name(name);
	if (status != B_OK)
		return status;

	if (!sSidecarForced) {
		std::string fullName = xattr_name(name);
		int result = fd >= 0 ? fremovexattr(fd, fullName.c_str())
			: removexattr(path, fullName.c_str());
		if (result == 0)
			return B_OK;
		if (!use_sidecar(errno))
			return status_for_errno(errno);
	}

	SidecarLock lock(fd, true);
	AttributeMap attributes;
	status = load_sidecar(path, attributes);
	if (status != B_OK)
		return status;
	if (attributes.erase(name) == 0)
		return B_ENTRY_NOT_FOUND;
	return store_sidecar(path, attributes);
}


status_t
list_attributes(int fd, const char* path, std::vector<std::string>& names)
{
	names.clear();
	if (!sSidecarForced) {
		std::string list;
		int error = list_xattrs(fd, path, list);
		if (error == 0) {
			const size_t prefixLength = sizeof(kXattrPrefix) - 1;
			for (size_t offset = 0; offset < list.size();) {
				const char* entry = list.c_str() + offset;
				size_t length = strnlen(entry, list.size() - offset);
				if (length > prefixLength
					&& strncmp(entry, kXattrPrefix, prefixLength) == 0)
					names.push_back(std::string(entry + prefixLength));
				offset += length + 1;
			}
			return B_OK;
		}
		if (!use_sidecar(error))
			return status_for_errno(error);
	}

	SidecarLock lock(fd, false);
	AttributeMap attributes;
	status_t status = load_sidecar(path, attributes);
	if (status != B_OK)
		return status;
	for (const auto& entry : attributes)
		names.push_back(entry.first);
	return B_OK;
}


status_t
copy_extended_attributes(const char* fromPath, int toFD)
{
	std::string list;
	int error = list_xattrs(-1, fromPath, list);
	if (error == ENOTSUP)
		return B_OK;
	if (error != 0)
		return status_for_errno(error);

	const size_t prefixLength = sizeof(kXattrPrefix) - 1;
	for (size_t offset = 0; offset < list.size();) {
		const char* entry = list.c_str() + offset;
		size_t length = strnlen(entry, list.size() - offset);
		offset += length + 1;
		if (length <= prefixLength
			|| strncmp(entry, kXattrPrefix, prefixLength) != 0)
			continue;
		std::string value;
		error = get_xattr(-1, fromPath, entry, value);
		if (error == ENODATA)
			continue;
		if (error != 0)
			return status_for_errno(error);
		if (fsetxattr(toFD, entry, value.data(), value.size(), 0) != 0)
			return status_for_errno(errno);
	}
	return B_OK;
}


}	// namespace BPrivate
