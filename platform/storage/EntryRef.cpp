// References to entries: entry_ref and get_ref_for_path().
#include <Entry.h>

#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "StoragePrivate.h"

using namespace BPrivate;


entry_ref::entry_ref()
	:
	device((dev_t)-1),
	directory((ino_t)-1),
	name(NULL),
	fDirectoryPath(NULL)
{
}


entry_ref::entry_ref(dev_t dev, ino_t dir, const char* name)
	:
	device(dev),
	directory(dir),
	name(NULL),
	fDirectoryPath(NULL)
{
	set_name(name);
	std::string path;
	if (lookup_directory(dev, dir, path))
		_SetDirectoryPath(path.c_str());
}


entry_ref::entry_ref(const entry_ref& ref)
	:
	device(ref.device),
	directory(ref.directory),
	name(copy_string(ref.name)),
	fDirectoryPath(copy_string(ref.fDirectoryPath))
{
}


entry_ref::~entry_ref()
{
	free(name);
	free(fDirectoryPath);
}


status_t
entry_ref::set_name(const char* newName)
{
	char* copy = NULL;
	if (newName != NULL) {
		copy = strdup(newName);
		if (copy == NULL)
			return B_NO_MEMORY;
	}
	free(name);
	name = copy;
	return B_OK;
}


status_t
entry_ref::_SetDirectoryPath(const char* path)
{
	char* copy = NULL;
	if (path != NULL) {
		copy = strdup(path);
		if (copy == NULL)
			return B_NO_MEMORY;
	}
	free(fDirectoryPath);
	fDirectoryPath = copy;
	return B_OK;
}


bool
entry_ref::operator==(const entry_ref& ref) const
{
	if (device != ref.device || directory != ref.directory)
		return false;
	if (name == NULL || ref.name == NULL)
		return name == ref.name;
	return strcmp(name, ref.name) == 0;
}


bool
entry_ref::operator!=(const entry_ref& ref) const
{
	return !(*this == ref);
}


entry_ref&
entry_ref::operator=(const entry_ref& ref)
{
	if (this != &ref) {
		device = ref.device;
		directory = ref.directory;
		set_name(ref.name);
		_SetDirectoryPath(ref.fDirectoryPath);
	}
	return *this;
}


status_t
get_ref_for_path(const char* path, entry_ref* ref)
{
	if (path == NULL || ref == NULL)
		return B_BAD_VALUE;

	std::string normalized;
	status_t status = normalize_path(path, normalized);
	if (status != B_OK)
		return status;

	std::string folder, leaf;
	split_path(normalized, folder, leaf);
	struct stat st;
	if (stat(folder.c_str(), &st) != 0)
		return status_for_errno(errno);

	ref->device = st.st_dev;
	ref->directory = st.st_ino;
	if (ref->set_name(leaf.c_str()) != B_OK
		|| ref->_SetDirectoryPath(folder.c_str()) != B_OK)
		return B_NO_MEMORY;
	remember_directory(st.st_dev, st.st_ino, folder.c_str());
	return B_OK;
}
