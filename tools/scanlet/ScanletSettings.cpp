// Reading the settings file of scanlet.
#include "ScanletSettings.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <FindDirectory.h>
#include <Path.h>

const char* const kScanletSettingsFolder = "_LP_x-vnd.KQ";
const char* const kScanletSettingsFile = "Scanlet_settings";


status_t
get_scanlet_settings_path(BPath* path)
{
	status_t status = find_directory(B_USER_SETTINGS_DIRECTORY, path);
	if (status == B_OK)
		status = path->Append(kScanletSettingsFolder);
	if (status == B_OK)
		status = path->Append(kScanletSettingsFile);
	return status;
}


static BString
trimmed(const char* text, size_t length)
{
	while (length > 0 && (*text == ' ' || *text == '\t')) {
		text++;
		length--;
	}
	while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\t'
			|| text[length - 1] == '\r' || text[length - 1] == '\n'))
		length--;
	return BString(text, (int32)length);
}


status_t
load_scanlet_settings(const char* path, ScanletOptions& options,
	BString& warnings)
{
	options.source = SCANLET_NO_SOURCE;
	FILE* file = fopen(path, "re");
	if (file == NULL)
		return errno == ENOENT ? B_ENTRY_NOT_FOUND : B_FILE_ERROR;

	scanlet_source source = SCANLET_NO_SOURCE;
	BString device;
	bool sourceBroken = false;
	char line[1024];
	int lineNumber = 0;
	while (fgets(line, sizeof(line), file) != NULL) {
		lineNumber++;
		size_t length = strlen(line);
		if (length == sizeof(line) - 1 && line[length - 1] != '\n') {
			// Too long to be a setting: skip the rest of it.
			int c;
			while ((c = fgetc(file)) != EOF && c != '\n')
				;
			warnings << "line " << lineNumber << ": too long\n";
			continue;
		}
		// A comment runs from '#' to the end of the line.
		char* comment = strchr(line, '#');
		if (comment != NULL)
			*comment = '\0';
		BString text = trimmed(line, strlen(line));
		if (text.Length() == 0)
			continue;

		int32 equals = text.FindFirst('=');
		if (equals < 0) {
			warnings << "line " << lineNumber << ": no \"key = value\"\n";
			continue;
		}
		BString key = trimmed(text.String(), equals);
		BString value = trimmed(text.String() + equals + 1,
			text.Length() - equals - 1);

		if (key == "source") {
			if (value == "none")
				source = SCANLET_NO_SOURCE;
			else if (value == "stdin")
				source = SCANLET_STDIN;
			else if (value == "serial")
				source = SCANLET_SERIAL;
			else if (value == "evdev")
				source = SCANLET_EVDEV;
			else {
				warnings << "line " << lineNumber << ": unknown source \""
					<< value << "\"\n";
				sourceBroken = true;
			}
		} else if (key == "device")
			device = value;
		else if (key == "debounce") {
			bigtime_t debounce;
			if (!parse_seconds(value.String(), &debounce)) {
				warnings << "line " << lineNumber << ": debounce takes "
					"seconds, not \"" << value << "\"\n";
			} else if (!options.debounceGiven)
				options.debounce = debounce;
		} else {
			warnings << "line " << lineNumber << ": unknown key \"" << key
				<< "\"\n";
		}
	}
	fclose(file);

	if ((source == SCANLET_SERIAL || source == SCANLET_EVDEV)
		&& device.Length() == 0) {
		warnings << "the source needs a device\n";
		sourceBroken = true;
	}
	if (sourceBroken)
		return B_BAD_VALUE;
	options.source = source;
	options.device = device;
	return B_OK;
}
