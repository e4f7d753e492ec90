// The settings file of scanlet: "Scanlet_settings" in the folder
// "_LP_x-vnd.KQ" of the user settings folder, beside Zelmora's own. It is
// used when scanlet is started without a source, as Zelmora starts it.
//
// A text file of "key = value" lines; '#' begins a comment line, blank
// lines are skipped:
//
//     # the reader at the door
//     source = serial          # none, stdin, serial or evdev
//     device = /dev/ttyUSB0    # for serial and evdev
//     debounce = 1.5           # seconds; 0 = off
//
// A missing file, or "source = none", means no reader: scanlet then only
// answers the application's requests.
#ifndef SCANLET_SETTINGS_H
#define SCANLET_SETTINGS_H

#include <String.h>
#include <SupportDefs.h>

#include "ScanletOptions.h"

class BPath;

extern const char* const kScanletSettingsFolder;
extern const char* const kScanletSettingsFile;

status_t get_scanlet_settings_path(BPath* path);

// Takes the source, device and debounce (unless given on the command line)
// from the file at path; options.source is never SCANLET_FROM_SETTINGS
// afterwards. A missing file gives B_ENTRY_NOT_FOUND and no source. Every
// line that cannot be used is named in warnings, one line each; a file
// whose source cannot be used gives B_BAD_VALUE and no source.
status_t load_scanlet_settings(const char* path, ScanletOptions& options,
	BString& warnings);

#endif	// SCANLET_SETTINGS_H
