// Replacing a file's content in one step, keeping its mode and attributes.
#include <AtomicReplace.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "AttributeStore.h"
#include "StoragePrivate.h"

namespace BPrivate {


// The process's umask, read without changing it (umask() would race with
// other threads creating files).
static mode_t
current_umask()
{
	FILE* status = fopen("/proc/self/status", "re");
	mode_t mask = 022;
	if (status == NULL)
		return mask;
	char line[256];
	while (fgets(line, sizeof(line), status) != NULL) {
		unsigned value;
		if (sscanf(line, "Umask: %o", &value) == 1) {
			mask = value & 0777;
			break;
		}
	}
	fclose(status);
	return mask;
}


static status_t
write_all(int fd, const void* data, size_t size)
{
	size_t written = 0;
	while (written < size) {
		ssize_t bytes = write(fd, (const char*)data + written, size - written);
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0)
			return status_for_errno(errno);
		written += bytes;
	}
	return B_OK;
}


static status_t
fill_temp_file(int fd, const char* target, const struct stat* old,
	const void* data, size_t size)
{
	status_t status = write_all(fd, data, size);
	if (status != B_OK)
		return status;

	if (old != NULL) {
		// The new file takes over the old one's attributes, mode and, where
		// we may, its owner.
		status = copy_extended_attributes(target, fd);
		if (status != B_OK)
			return status;
		if (geteuid() == 0 && fchown(fd, old->st_uid, old->st_gid) != 0)
			return status_for_errno(errno);
		if (fchmod(fd, old->st_mode & 07777) != 0)
			return status_for_errno(errno);
	} else if (fchmod(fd, 0666 & ~current_umask()) != 0)
		return status_for_errno(errno);

	if (fsync(fd) != 0)
		return status_for_errno(errno);
	return B_OK;
}


status_t
replace_file_atomically(const char* path, const void* data, size_t size)
{
	if (path == NULL || (data == NULL && size > 0))
		return B_BAD_VALUE;

	std::string target;
	status_t status = normalize_path(path, target);
	if (status != B_OK)
		return status;

	// A link is followed: the file it points to gets the new content.
	struct stat st;
	bool exists = false;
	if (lstat(target.c_str(), &st) == 0) {
		if (S_ISLNK(st.st_mode)) {
			char real[PATH_MAX];
			if (realpath(target.c_str(), real) == NULL)
				return status_for_errno(errno);
			target = real;
			if (stat(target.c_str(), &st) != 0)
				return status_for_errno(errno);
		}
		if (S_ISDIR(st.st_mode))
			return B_IS_A_DIRECTORY;
		if (!S_ISREG(st.st_mode))
			return B_NOT_ALLOWED;
		exists = true;
	} else if (errno != ENOENT)
		return status_for_errno(errno);

	std::string folder, leaf;
	split_path(target, folder, leaf);
	// ".<leaf>.XXXXXX" must fit in a name; a long leaf is cut short.
	const size_t kMaxLeaf = NAME_MAX - 8;
	if (leaf.size() > kMaxLeaf)
		leaf.resize(kMaxLeaf);
	std::string temp = join_path(folder, ("." + leaf + ".XXXXXX").c_str());

	int fd = mkostemp(&temp[0], O_CLOEXEC);
	if (fd < 0)
		return status_for_errno(errno);

	status = fill_temp_file(fd, target.c_str(), exists ? &st : NULL, data,
		size);
	if (close(fd) != 0 && status == B_OK)
		status = status_for_errno(errno);
	if (status == B_OK && rename(temp.c_str(), target.c_str()) != 0)
		status = status_for_errno(errno);
	if (status != B_OK) {
		unlink(temp.c_str());
		return status;
	}

	// The rename is durable only once the folder is flushed too.
	int folderFD = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
	if (folderFD < 0)
		return status_for_errno(errno);
	status = fsync(folderFD) == 0 ? B_OK : status_for_errno(errno);
	close(folderFD);
	return status;
}


}	// namespace BPrivate
