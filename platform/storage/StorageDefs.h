// Limits, open modes and node kinds of the storage kit.
#ifndef _STORAGE_DEFS_H
#define _STORAGE_DEFS_H

#include <SupportDefs.h>

// Open modes of BFile, with BeOS's bit values. BFile maps them onto the
// host's open flags.
enum {
	B_READ_ONLY			= 0x0000,
	B_WRITE_ONLY		= 0x0001,
	B_READ_WRITE		= 0x0002,
	B_FAIL_IF_EXISTS	= 0x0100,
	B_CREATE_FILE		= 0x0200,
	B_ERASE_FILE		= 0x0400,
	B_OPEN_AT_END		= 0x0800
};

// Node kinds for BDirectory::Contains().
enum node_flavor {
	B_FILE_NODE			= 0x01,
	B_SYMLINK_NODE		= 0x02,
	B_DIRECTORY_NODE	= 0x04,
	B_ANY_NODE			= 0x07
};

#ifndef SEEK_SET
#	include <stdio.h>
#endif

#endif	// _STORAGE_DEFS_H
