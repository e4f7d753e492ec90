// Well-known folders of the user and the system, after the XDG rules.
#include <FindDirectory.h>

#include <errno.h>
#include <pwd.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <Directory.h>
#include <Path.h>

#include "StoragePrivate.h"

using namespace BPrivate;


// The user's home folder: $HOME when it is absolute, else the password
// database's entry.
static std::string
home_folder()
{
	const char* home = getenv("HOME");
	if (home != NULL && home[0] == '/')
		return home;
	struct passwd entry;
	struct passwd* result = NULL;
	char buffer[4096];
	if (getpwuid_r(getuid(), &entry, buffer, sizeof(buffer), &result) == 0
		&& result != NULL && result->pw_dir != NULL
		&& result->pw_dir[0] == '/')
		return result->pw_dir;
	return "/";
}


// An XDG base folder: the variable's value when it is an absolute path
// (relative ones are ignored, as the XDG rules say), else fallback below
// the home folder.
static std::string
xdg_folder(const char* variable, const char* fallback)
{
	const char* value = getenv(variable);
	if (value != NULL && value[0] == '/')
		return value;
	return join_path(home_folder(), fallback);
}


static status_t
folder_for(directory_which which, std::string& path)
{
	switch (which) {
		case B_DESKTOP_DIRECTORY:
			path = join_path(home_folder(), "Desktop");
			return B_OK;
		case B_TRASH_DIRECTORY:
			path = xdg_folder("XDG_DATA_HOME", ".local/share")
				+ "/Trash/files";
			return B_OK;
		case B_SYSTEM_TEMP_DIRECTORY:
			path = "/tmp";
			return B_OK;
		case B_USER_DIRECTORY:
			path = home_folder();
			return B_OK;
		case B_USER_CONFIG_DIRECTORY:
		case B_USER_SETTINGS_DIRECTORY:
			path = xdg_folder("XDG_CONFIG_HOME", ".config");
			return B_OK;
		case B_USER_DATA_DIRECTORY:
			path = xdg_folder("XDG_DATA_HOME", ".local/share");
			return B_OK;
		case B_USER_CACHE_DIRECTORY:
			path = xdg_folder("XDG_CACHE_HOME", ".cache");
			return B_OK;
		case B_USER_FONTS_DIRECTORY:
			path = xdg_folder("XDG_DATA_HOME", ".local/share") + "/fonts";
			return B_OK;
		case B_USER_LIB_DIRECTORY:
			path = join_path(home_folder(), ".local/lib");
			return B_OK;
		default:
			return B_BAD_VALUE;
	}
}


status_t
find_directory(directory_which which, dev_t /*volume*/, bool createIt,
	char* pathString, int32 length)
{
	if (pathString == NULL || length <= 0)
		return B_BAD_VALUE;
	std::string path;
	status_t status = folder_for(which, path);
	if (status != B_OK)
		return status;
	// A buffer too short for the path is reported like an overlong name.
	if (path.size() >= (size_t)length)
		return B_NAME_TOO_LONG;
	if (createIt) {
		status = create_directory(path.c_str(), 0700);
		if (status != B_OK)
			return status;
	}
	memcpy(pathString, path.c_str(), path.size() + 1);
	return B_OK;
}


status_t
find_directory(directory_which which, BPath* path, bool createIt,
	BVolume* /*volume*/)
{
	if (path == NULL)
		return B_BAD_VALUE;
	std::string folder;
	status_t status = folder_for(which, folder);
	if (status == B_OK && createIt)
		status = create_directory(folder.c_str(), 0700);
	if (status == B_OK)
		status = path->SetTo(folder.c_str());
	if (status != B_OK)
		path->Unset();
	return status;
}


namespace BPrivate {


status_t
check_private_folder(const char* path)
{
	struct stat st;
	if (lstat(path, &st) != 0)
		return status_for_errno(errno);
	if (!S_ISDIR(st.st_mode) || st.st_uid != getuid()
		|| (st.st_mode & 077) != 0)
		return B_PERMISSION_DENIED;
	return B_OK;
}


status_t
get_runtime_directory(BPath* path)
{
	if (path == NULL)
		return B_BAD_VALUE;

	const char* runtime = getenv("XDG_RUNTIME_DIR");
	if (runtime != NULL && runtime[0] == '/'
		&& check_private_folder(runtime) == B_OK)
		return path->SetTo(runtime);

	char folder[64];
	snprintf(folder, sizeof(folder), "/tmp/zelmora-%u", (unsigned)getuid());
	if (mkdir(folder, 0700) != 0 && errno != EEXIST) {
		path->Unset();
		return status_for_errno(errno);
	}
	// Someone else may have made it first: trust it only after the check.
	status_t status = check_private_folder(folder);
	if (status != B_OK) {
		path->Unset();
		return status;
	}
	return path->SetTo(folder);
}


}	// namespace BPrivate
