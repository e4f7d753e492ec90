// Entries of the file system.
#include <Entry.h>

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

#include <AttributeSidecar.h>
#include <Directory.h>
#include <Path.h>

#include "StoragePrivate.h"

using namespace BPrivate;


BEntry::BEntry()
	:
	fDirectoryPath(NULL),
	fName(NULL),
	fStatus(B_NO_INIT)
{
}


BEntry::BEntry(const BDirectory* dir, const char* path, bool traverse)
	:
	fDirectoryPath(NULL),
	fName(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(dir, path, traverse);
}


BEntry::BEntry(const entry_ref* ref, bool traverse)
	:
	fDirectoryPath(NULL),
	fName(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(ref, traverse);
}


BEntry::BEntry(const char* path, bool traverse)
	:
	fDirectoryPath(NULL),
	fName(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(path, traverse);
}


BEntry::BEntry(const BEntry& entry)
	:
	BStatable(),
	fDirectoryPath(NULL),
	fName(NULL),
	fStatus(B_NO_INIT)
{
	*this = entry;
}


BEntry::~BEntry()
{
	Unset();
}


status_t
BEntry::InitCheck() const
{
	return fStatus;
}


bool
BEntry::Exists() const
{
	struct stat st;
	return GetStat(&st) == B_OK;
}


const char*
BEntry::Name() const
{
	return fStatus == B_OK ? fName : NULL;
}


status_t
BEntry::GetStat(struct stat* st) const
{
	if (st == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	BPath path;
	status_t status = GetPath(&path);
	if (status != B_OK)
		return status;
	if (lstat(path.Path(), st) != 0)
		return status_for_errno(errno);
	return B_OK;
}


status_t
BEntry::SetTo(const BDirectory* dir, const char* path, bool traverse)
{
	if (dir == NULL || dir->InitCheck() != B_OK || dir->_Path() == NULL) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	if (path != NULL && path[0] == '/')
		return SetTo(path, traverse);
	std::string full = dir->_Path();
	if (path != NULL && path[0] != '\0')
		full = join_path(full, path);
	return SetTo(full.c_str(), traverse);
}


status_t
BEntry::SetTo(const entry_ref* ref, bool traverse)
{
	if (ref == NULL || ref->name == NULL) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	std::string folder;
	if (ref->_DirectoryPath() != NULL)
		folder = ref->_DirectoryPath();
	else if (!lookup_directory(ref->device, ref->directory, folder)) {
		Unset();
		return fStatus = B_ENTRY_NOT_FOUND;
	}
	if (strcmp(ref->name, ".") == 0)
		return SetTo(folder.c_str(), traverse);
	if (strchr(ref->name, '/') != NULL || strcmp(ref->name, "..") == 0
		|| ref->name[0] == '\0') {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	return SetTo(join_path(folder, ref->name).c_str(), traverse);
}


status_t
BEntry::SetTo(const char* path, bool traverse)
{
	Unset();
	if (path == NULL)
		return fStatus = B_BAD_VALUE;
	return fStatus = _SetFromPath(path, traverse);
}


void
BEntry::Unset()
{
	free(fDirectoryPath);
	free(fName);
	fDirectoryPath = NULL;
	fName = NULL;
	fStatus = B_NO_INIT;
}


status_t
BEntry::GetRef(entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	BPath path;
	status_t status = GetPath(&path);
	if (status != B_OK)
		return status;
	return get_ref_for_path(path.Path(), ref);
}


status_t
BEntry::GetPath(BPath* path) const
{
	if (path == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (strcmp(fName, ".") == 0)
		return path->SetTo(fDirectoryPath);
	return path->SetTo(join_path(fDirectoryPath, fName).c_str());
}


status_t
BEntry::GetParent(BEntry* entry) const
{
	if (entry == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (strcmp(fName, ".") == 0)
		return B_ENTRY_NOT_FOUND;
	std::string folder = fDirectoryPath;
	return entry->SetTo(folder.c_str());
}


status_t
BEntry::GetParent(BDirectory* dir) const
{
	if (dir == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (strcmp(fName, ".") == 0)
		return B_ENTRY_NOT_FOUND;
	std::string folder = fDirectoryPath;
	return dir->SetTo(folder.c_str());
}


status_t
BEntry::GetName(char* buffer) const
{
	if (buffer == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	const char* name = fName;
	if (strcmp(name, ".") == 0)
		name = "/";
	copy_to_buffer(buffer, name, B_FILE_NAME_LENGTH);
	return B_OK;
}


status_t
BEntry::Rename(const char* path, bool clobber)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	std::string target = path[0] == '/'
		? std::string(path) : join_path(fDirectoryPath, path);
	return _MoveToPath(target.c_str(), clobber);
}


status_t
BEntry::MoveTo(BDirectory* dir, const char* path, bool clobber)
{
	if (dir == NULL || dir->InitCheck() != B_OK)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (path != NULL && path[0] == '/')
		return _MoveToPath(path, clobber);
	std::string target = join_path(dir->_Path(),
		path != NULL && path[0] != '\0' ? path : fName);
	return _MoveToPath(target.c_str(), clobber);
}


status_t
BEntry::Remove()
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	BPath path;
	status_t status = GetPath(&path);
	if (status != B_OK)
		return status;
	int result = IsDirectory() ? rmdir(path.Path()) : unlink(path.Path());
	if (result != 0)
		return status_for_errno(errno);

	// The attributes of a removed file go with it.
	char sidecar[PATH_MAX];
	if (attribute_sidecar_path(path.Path(), sidecar, sizeof(sidecar)) == B_OK)
		unlink(sidecar);
	return B_OK;
}


bool
BEntry::operator==(const BEntry& item) const
{
	if (fStatus != B_OK || item.fStatus != B_OK)
		return fStatus != B_OK && item.fStatus != B_OK;
	return strcmp(fDirectoryPath, item.fDirectoryPath) == 0
		&& strcmp(fName, item.fName) == 0;
}


bool
BEntry::operator!=(const BEntry& item) const
{
	return !(*this == item);
}


BEntry&
BEntry::operator=(const BEntry& item)
{
	if (this != &item) {
		Unset();
		if (item.fStatus == B_OK) {
			fDirectoryPath = copy_string(item.fDirectoryPath);
			fName = copy_string(item.fName);
			fStatus = fDirectoryPath != NULL && fName != NULL
				? B_OK : B_NO_MEMORY;
		} else
			fStatus = item.fStatus;
	}
	return *this;
}


status_t
BEntry::_SetFromPath(const char* path, bool traverse)
{
	std::string normalized;
	status_t status = normalize_path(path, normalized);
	if (status != B_OK)
		return status;

	if (traverse) {
		// Follow a chain of links to the entry it ends at.
		struct stat st;
		if (lstat(normalized.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
			char resolved[PATH_MAX];
			if (realpath(normalized.c_str(), resolved) == NULL)
				return status_for_errno(errno);
			normalized = resolved;
		}
	}

	std::string folder, leaf;
	split_path(normalized, folder, leaf);
	if (leaf.size() >= B_FILE_NAME_LENGTH)
		return B_NAME_TOO_LONG;
	fDirectoryPath = copy_string(folder.c_str());
	fName = copy_string(leaf.c_str());
	if (fDirectoryPath == NULL || fName == NULL)
		return B_NO_MEMORY;
	return B_OK;
}


status_t
BEntry::_MoveToPath(const char* newPath, bool clobber)
{
	BPath oldPath;
	status_t status = GetPath(&oldPath);
	if (status != B_OK)
		return status;

	std::string target;
	status = normalize_path(newPath, target);
	if (status != B_OK)
		return status;

	if (renameat2(AT_FDCWD, oldPath.Path(), AT_FDCWD, target.c_str(),
			clobber ? 0 : RENAME_NOREPLACE) != 0) {
		// Some file systems know no RENAME_NOREPLACE; check by hand there.
		if (clobber || errno != EINVAL)
			return status_for_errno(errno);
		struct stat st;
		if (lstat(target.c_str(), &st) == 0)
			return B_FILE_EXISTS;
		if (rename(oldPath.Path(), target.c_str()) != 0)
			return status_for_errno(errno);
	}

	// Attributes kept beside the file move with it.
	char oldSidecar[PATH_MAX];
	char newSidecar[PATH_MAX];
	if (attribute_sidecar_path(oldPath.Path(), oldSidecar,
			sizeof(oldSidecar)) == B_OK
		&& attribute_sidecar_path(target.c_str(), newSidecar,
			sizeof(newSidecar)) == B_OK) {
		if (rename(oldSidecar, newSidecar) != 0 && errno == ENOENT)
			unlink(newSidecar);
	}

	Unset();
	fStatus = _SetFromPath(target.c_str(), false);
	return fStatus;
}
