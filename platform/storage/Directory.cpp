// Directories: their entries, and making files and folders in them.
#include <Directory.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <AttributeSidecar.h>
#include <Entry.h>
#include <File.h>
#include <Path.h>

#include "StoragePrivate.h"

using namespace BPrivate;


BDirectory::BDirectory()
	:
	fDir(NULL)
{
}


BDirectory::BDirectory(const BDirectory& dir)
	:
	BNode(),
	BEntryList(),
	fDir(NULL)
{
	*this = dir;
}


BDirectory::BDirectory(const entry_ref* ref)
	:
	fDir(NULL)
{
	SetTo(ref);
}


BDirectory::BDirectory(const BEntry* entry)
	:
	fDir(NULL)
{
	SetTo(entry);
}


BDirectory::BDirectory(const char* path)
	:
	fDir(NULL)
{
	SetTo(path);
}


BDirectory::BDirectory(const BDirectory* dir, const char* path)
	:
	fDir(NULL)
{
	SetTo(dir, path);
}


BDirectory::~BDirectory()
{
	Unset();
}


status_t
BDirectory::SetTo(const entry_ref* ref)
{
	BEntry entry;
	status_t status = ref != NULL ? entry.SetTo(ref) : B_BAD_VALUE;
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return SetTo(&entry);
}


status_t
BDirectory::SetTo(const BEntry* entry)
{
	BPath path;
	status_t status = entry != NULL ? entry->GetPath(&path) : B_BAD_VALUE;
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return SetTo(path.Path());
}


status_t
BDirectory::SetTo(const char* path)
{
	Unset();
	status_t status = _SetToPath(path, O_RDONLY | O_DIRECTORY, 0);
	if (status != B_OK)
		return status;

	int fd = fcntl(_FD(), F_DUPFD_CLOEXEC, 0);
	DIR* dir = fd >= 0 ? fdopendir(fd) : NULL;
	if (dir == NULL) {
		status = status_for_errno(errno);
		if (fd >= 0)
			close(fd);
		Unset();
		_SetStatus(status);
		return status;
	}
	fDir = dir;
	return B_OK;
}


status_t
BDirectory::SetTo(const BDirectory* dir, const char* path)
{
	BPath full;
	status_t status = dir != NULL && path != NULL
		? dir->_ChildPath(path, &full) : B_BAD_VALUE;
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return SetTo(full.Path());
}


void
BDirectory::Unset()
{
	if (fDir != NULL)
		closedir((DIR*)fDir);
	fDir = NULL;
	BNode::Unset();
}


status_t
BDirectory::GetEntry(BEntry* entry) const
{
	if (entry == NULL)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	return entry->SetTo(_Path());
}


bool
BDirectory::IsRootDirectory() const
{
	return InitCheck() == B_OK && strcmp(_Path(), "/") == 0;
}


status_t
BDirectory::FindEntry(const char* path, BEntry* entry, bool traverse) const
{
	if (path == NULL || entry == NULL)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	BPath full;
	status_t status = _ChildPath(path, &full);
	if (status == B_OK)
		status = entry->SetTo(full.Path(), traverse);
	if (status == B_OK && !entry->Exists())
		status = B_ENTRY_NOT_FOUND;
	if (status != B_OK)
		entry->Unset();
	return status;
}


bool
BDirectory::Contains(const char* path, int32 nodeFlags) const
{
	if (path == NULL || InitCheck() != B_OK)
		return false;
	BPath full;
	if (_ChildPath(path, &full) != B_OK)
		return false;
	BEntry entry(full.Path());
	return Contains(&entry, nodeFlags);
}


bool
BDirectory::Contains(const BEntry* entry, int32 nodeFlags) const
{
	if (entry == NULL || entry->InitCheck() != B_OK || InitCheck() != B_OK)
		return false;

	struct stat st;
	if (entry->GetStat(&st) != B_OK)
		return false;
	int32 flavor = S_ISDIR(st.st_mode) ? B_DIRECTORY_NODE
		: S_ISLNK(st.st_mode) ? B_SYMLINK_NODE : B_FILE_NODE;
	if ((flavor & nodeFlags) == 0)
		return false;

	// The entry must lie somewhere below this directory.
	BPath path;
	if (entry->GetPath(&path) != B_OK)
		return false;
	std::string prefix = _Path();
	if (prefix != "/")
		prefix += '/';
	return strncmp(path.Path(), prefix.c_str(), prefix.size()) == 0
		&& path.Path()[prefix.size()] != '\0';
}


status_t
BDirectory::GetStatFor(const char* path, struct stat* st) const
{
	if (path == NULL || st == NULL)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	BPath full;
	status_t status = _ChildPath(path, &full);
	if (status != B_OK)
		return status;
	if (lstat(full.Path(), st) != 0)
		return status_for_errno(errno);
	return B_OK;
}


status_t
BDirectory::GetNextEntry(BEntry* entry, bool traverse)
{
	if (entry == NULL)
		return B_BAD_VALUE;
	char name[B_FILE_NAME_LENGTH];
	status_t status = _NextName(name);
	if (status == B_OK)
		status = entry->SetTo(join_path(_Path(), name).c_str(), traverse);
	if (status != B_OK)
		entry->Unset();
	return status;
}


status_t
BDirectory::GetNextRef(entry_ref* ref)
{
	if (ref == NULL)
		return B_BAD_VALUE;
	char name[B_FILE_NAME_LENGTH];
	status_t status = _NextName(name);
	if (status != B_OK)
		return status;
	return get_ref_for_path(join_path(_Path(), name).c_str(), ref);
}


status_t
BDirectory::Rewind()
{
	if (InitCheck() != B_OK || fDir == NULL)
		return B_FILE_ERROR;
	rewinddir((DIR*)fDir);
	return B_OK;
}


int32
BDirectory::CountEntries()
{
	if (Rewind() != B_OK)
		return B_FILE_ERROR;
	int32 count = 0;
	char name[B_FILE_NAME_LENGTH];
	while (_NextName(name) == B_OK)
		count++;
	Rewind();
	return count;
}


status_t
BDirectory::CreateDirectory(const char* path, BDirectory* dir)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	BPath full;
	status_t status = _ChildPath(path, &full);
	if (status != B_OK)
		return status;
	if (mkdir(full.Path(), 0777) != 0)
		return status_for_errno(errno);
	if (dir != NULL)
		return dir->SetTo(full.Path());
	return B_OK;
}


status_t
BDirectory::CreateFile(const char* path, BFile* file, bool failIfExists)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	BPath full;
	status_t status = _ChildPath(path, &full);
	if (status != B_OK)
		return status;
	uint32 mode = B_READ_WRITE | B_CREATE_FILE
		| (failIfExists ? B_FAIL_IF_EXISTS : B_ERASE_FILE);
	BFile local;
	BFile* target = file != NULL ? file : &local;
	return target->SetTo(full.Path(), mode);
}


BDirectory&
BDirectory::operator=(const BDirectory& dir)
{
	if (this != &dir) {
		if (dir.InitCheck() == B_OK) {
			std::string path = dir._Path();
			SetTo(path.c_str());
		} else {
			Unset();
			_SetStatus(dir.InitCheck());
		}
	}
	return *this;
}


status_t
BDirectory::_ChildPath(const char* path, BPath* result) const
{
	if (path == NULL || result == NULL)
		return B_BAD_VALUE;
	if (InitCheck() != B_OK)
		return B_NO_INIT;
	if (path[0] == '/')
		return result->SetTo(path);
	return result->SetTo(_Path(), path);
}


status_t
BDirectory::_NextName(char* name)
{
	if (InitCheck() != B_OK || fDir == NULL)
		return B_FILE_ERROR;
	while (true) {
		errno = 0;
		struct dirent* entry = readdir((DIR*)fDir);
		if (entry == NULL)
			return errno != 0 ? status_for_errno(errno) : B_ENTRY_NOT_FOUND;
		if (strcmp(entry->d_name, ".") == 0 || strcmp(entry->d_name, "..") == 0)
			continue;
		// The sidecar files of attributes are not entries of their own.
		if (is_attribute_sidecar_name(entry->d_name))
			continue;
		copy_to_buffer(name, entry->d_name, B_FILE_NAME_LENGTH);
		return B_OK;
	}
}


status_t
create_directory(const char* path, mode_t mode)
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

	// Make every folder on the way, from the top down.
	size_t position = 1;
	while (position <= full.size()) {
		size_t slash = full.find('/', position);
		if (slash == std::string::npos)
			slash = full.size();
		if (slash > position) {
			std::string part = full.substr(0, slash);
			if (mkdir(part.c_str(), mode) != 0) {
				int error = errno;
				struct stat st;
				if (stat(part.c_str(), &st) != 0)
					return status_for_errno(error);
				if (!S_ISDIR(st.st_mode))
					return B_NOT_A_DIRECTORY;
			}
		}
		position = slash + 1;
	}
	return B_OK;
}
