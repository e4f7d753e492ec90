// What scanlet is told to do: by its command line, or, when that names no
// source, by its settings file.
#ifndef SCANLET_OPTIONS_H
#define SCANLET_OPTIONS_H

#include <vector>

#include <String.h>
#include <SupportDefs.h>

enum scanlet_source {
	SCANLET_FROM_SETTINGS,	// no source given: the settings file decides
	SCANLET_NO_SOURCE,		// only answer the application's requests
	SCANLET_TAGS,			// --tag T, one shot
	SCANLET_STDIN,			// --stdin
	SCANLET_SERIAL,			// --serial DEV
	SCANLET_EVDEV			// --evdev DEV
};

struct ScanletOptions {
							ScanletOptions();

			scanlet_source	source;
			std::vector<BString> tags;
			BString			device;
			bigtime_t		debounce;
			bool			debounceGiven;
			BString			target;
			bigtime_t		linger;
			bool			help;
};

extern const char* const kScanletSignature;
extern const char* const kZelmoraSignature;
extern const char* const kScanletUsage;
// How long scanlet goes on after the application is gone.
static const bigtime_t kDefaultLinger = 60000000;

// Reads the command line (argv[0] is the program). On a mistake, error
// says what was wrong and B_BAD_VALUE is returned.
status_t parse_scanlet_options(int argc, const char* const* argv,
	ScanletOptions& options, BString& error);

// Seconds as written by a user ("1.5", "0", "2") into µs; false for
// anything else, negative values and more than an hour.
bool parse_seconds(const char* text, bigtime_t* value);

#endif	// SCANLET_OPTIONS_H
