// The settings file of the tag reader program on hostile bytes: whatever it
// holds, the reader ends with a source it can use or none, names every
// unusable line on a line of its own, and keeps the debounce in range.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "ScanletSettings.h"
#include "FuzzSupport.h"


static std::string sPath;


extern "C" int
LLVMFuzzerInitialize(int*, char***)
{
	std::string made = make_scratch_folder();
	sPath = made + "/Scanlet_settings";
	return 0;
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	FILE* file = fopen(sPath.c_str(), "we");
	if (file == NULL)
		abort();
	if (size > 0 && fwrite(data, 1, size, file) != size)
		abort();
	fclose(file);

	ScanletOptions options;
	BString warnings;
	status_t status = load_scanlet_settings(sPath.c_str(), options, warnings);
	check(status == B_OK || status == B_BAD_VALUE);
	check(options.source != SCANLET_FROM_SETTINGS);
	if (status != B_OK)
		check(options.source == SCANLET_NO_SOURCE && warnings.Length() > 0);
	if (options.source == SCANLET_SERIAL || options.source == SCANLET_EVDEV)
		check(options.device.Length() > 0);
	check(options.debounce >= 0 && options.debounce <= 3600000000LL);
	check(warnings.Length() == 0
		|| warnings.String()[warnings.Length() - 1] == '\n');
	return 0;
}
