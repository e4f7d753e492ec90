// Absolute path names, normalised as on BeOS.
#include <Path.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include <Directory.h>
#include <Entry.h>

#include "StoragePrivate.h"

using namespace BPrivate;


BPath::BPath()
	:
	fName(NULL),
	fStatus(B_NO_INIT)
{
}


BPath::BPath(const BPath& path)
	:
	fName(NULL),
	fStatus(B_NO_INIT)
{
	*this = path;
}


BPath::BPath(const entry_ref* ref)
	:
	fName(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(ref);
}


BPath::BPath(const BEntry* entry)
	:
	fName(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(entry);
}


BPath::BPath(const char* dir, const char* leaf, bool normalize)
	:
	fName(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}


BPath::BPath(const BDirectory* dir, const char* leaf, bool normalize)
	:
	fName(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(dir, leaf, normalize);
}


BPath::~BPath()
{
	free(fName);
}


status_t
BPath::InitCheck() const
{
	return fStatus;
}


status_t
BPath::SetTo(const entry_ref* ref)
{
	Unset();
	if (ref == NULL)
		return fStatus = B_BAD_VALUE;
	BEntry entry(ref);
	return SetTo(&entry);
}


status_t
BPath::SetTo(const BEntry* entry)
{
	Unset();
	if (entry == NULL)
		return fStatus = B_BAD_VALUE;
	return fStatus = entry->GetPath(this);
}


status_t
BPath::SetTo(const char* path, const char* leaf, bool normalize)
{
	status_t status = path != NULL ? B_OK : B_BAD_VALUE;
	if (status == B_OK && leaf != NULL && leaf[0] == '/')
		status = B_BAD_VALUE;

	std::string full;
	if (status == B_OK) {
		full = path;
		if (leaf != NULL && leaf[0] != '\0') {
			if (!full.empty() && full.back() != '/')
				full += '/';
			full += leaf;
		}
		if (full.empty())
			status = B_BAD_VALUE;
	}

	if (status == B_OK) {
		if (normalize || path_needs_normalizing(full.c_str())) {
			std::string normalized;
			status = normalize_path(full.c_str(), normalized);
			if (status == B_OK)
				status = _Set(normalized.c_str());
		} else
			status = _Set(full.c_str());
	}

	if (status != B_OK)
		Unset();
	fStatus = status;
	return status;
}


status_t
BPath::SetTo(const BDirectory* dir, const char* leaf, bool normalize)
{
	if (dir == NULL || dir->InitCheck() != B_OK || dir->_Path() == NULL) {
		Unset();
		return fStatus = B_BAD_VALUE;
	}
	// Copy first: dir may hand out storage this path owns.
	std::string dirPath = dir->_Path();
	return SetTo(dirPath.c_str(), leaf, normalize);
}


void
BPath::Unset()
{
	free(fName);
	fName = NULL;
	fStatus = B_NO_INIT;
}


status_t
BPath::Append(const char* path, bool normalize)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	std::string current = fName;
	return SetTo(current.c_str(), path, normalize);
}


const char*
BPath::Path() const
{
	return fName;
}


const char*
BPath::Leaf() const
{
	if (fName == NULL)
		return NULL;
	const char* slash = strrchr(fName, '/');
	return slash != NULL ? slash + 1 : fName;
}


status_t
BPath::GetParent(BPath* path) const
{
	if (path == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (strcmp(fName, "/") == 0)
		return B_ENTRY_NOT_FOUND;

	std::string folder, leaf;
	split_path(fName, folder, leaf);
	path->Unset();
	return path->fStatus = path->_Set(folder.c_str());
}


bool
BPath::IsAbsolute() const
{
	return fName != NULL && fName[0] == '/';
}


bool
BPath::operator==(const BPath& item) const
{
	return *this == item.Path();
}


bool
BPath::operator==(const char* path) const
{
	if (fName == NULL || path == NULL)
		return fName == NULL && path == NULL;
	return strcmp(fName, path) == 0;
}


bool
BPath::operator!=(const BPath& item) const
{
	return !(*this == item);
}


bool
BPath::operator!=(const char* path) const
{
	return !(*this == path);
}


BPath&
BPath::operator=(const BPath& item)
{
	if (this != &item) {
		Unset();
		if (item.fName != NULL)
			_Set(item.fName);
		fStatus = item.fStatus;
	}
	return *this;
}


BPath&
BPath::operator=(const char* path)
{
	if (path == NULL)
		Unset();
	else
		SetTo(path);
	return *this;
}


status_t
BPath::_Set(const char* path)
{
	char* copy = strdup(path);
	if (copy == NULL)
		return B_NO_MEMORY;
	free(fName);
	fName = copy;
	fStatus = B_OK;
	return B_OK;
}
