// Well-known folders of the user and the system.
#ifndef _FIND_DIRECTORY_H
#define _FIND_DIRECTORY_H

#include <SupportDefs.h>

class BPath;
class BVolume;

enum directory_which {
	B_DESKTOP_DIRECTORY				= 0,
	B_TRASH_DIRECTORY,

	B_SYSTEM_DIRECTORY				= 1000,
	B_SYSTEM_TEMP_DIRECTORY			= 1100,
	B_COMMON_TEMP_DIRECTORY			= B_SYSTEM_TEMP_DIRECTORY,

	B_USER_DIRECTORY				= 3000,
	B_USER_CONFIG_DIRECTORY,
	B_USER_ADDONS_DIRECTORY,
	B_USER_BOOT_DIRECTORY,
	B_USER_FONTS_DIRECTORY,
	B_USER_LIB_DIRECTORY,
	B_USER_SETTINGS_DIRECTORY,
	B_USER_DESKBAR_DIRECTORY,
	B_USER_PRINTERS_DIRECTORY,
	B_USER_TRANSLATORS_DIRECTORY,
	B_USER_MEDIA_NODES_DIRECTORY,
	B_USER_SOUNDS_DIRECTORY,
	B_USER_DATA_DIRECTORY,
	B_USER_CACHE_DIRECTORY
};

// On Linux: B_USER_DIRECTORY is $HOME, B_USER_SETTINGS_DIRECTORY and
// B_USER_CONFIG_DIRECTORY are $XDG_CONFIG_HOME (else ~/.config),
// B_USER_DATA_DIRECTORY $XDG_DATA_HOME (else ~/.local/share),
// B_USER_CACHE_DIRECTORY $XDG_CACHE_HOME (else ~/.cache), and
// B_SYSTEM_TEMP_DIRECTORY /tmp. Relative XDG values are ignored.
// With createIt a missing folder is made (mode 0700).
status_t find_directory(directory_which which, dev_t volume, bool createIt,
	char* pathString, int32 length);
status_t find_directory(directory_which which, BPath* path,
	bool createIt = false, BVolume* volume = NULL);

namespace BPrivate {

// The user's private runtime folder: $XDG_RUNTIME_DIR when it is a folder
// of this user, else /tmp/zelmora-<uid>, made with mode 0700. The folder is
// checked with lstat: owned by this user, no access for others, not a
// symbolic link; otherwise B_PERMISSION_DENIED.
status_t get_runtime_directory(BPath* path);

// B_OK when path is a folder (not a link to one) owned by this user that
// group and others cannot use; else B_PERMISSION_DENIED or the lstat error.
status_t check_private_folder(const char* path);

}	// namespace BPrivate

#endif	// _FIND_DIRECTORY_H
