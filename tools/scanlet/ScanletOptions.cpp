// The command line of scanlet.
#include "ScanletOptions.h"

#include <errno.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "TagDebouncer.h"
#include "TagLineSplitter.h"

const char* const kScanletSignature = "application/x-vnd.KQ-Scanlet";
const char* const kZelmoraSignature = "application/Zelmora";

const char* const kScanletUsage =
	"usage: scanlet [--tag T]... [--debounce S] [--target SIG]\n"
	"       scanlet --stdin | --serial DEV | --evdev DEV [--debounce S]"
	" [--target SIG]\n"
	"       scanlet            (source from the settings file)\n"
	"Sends every tag read as 'RFID' to the application SIG (default\n"
	"application/Zelmora).\n"
	"  --tag T        send T once (may be given several times), then end\n"
	"  --stdin        one tag per line of standard input\n"
	"  --serial DEV   a 125 kHz reader module on serial line DEV (9600 8N1)\n"
	"  --evdev DEV    a keyboard-wedge reader at event device DEV, grabbed\n"
	"  --debounce S   the same tag again within S seconds is one read\n"
	"                 (default 1.5; 0 = off; --tag reads are never debounced)\n"
	"  --target SIG   the application to send to\n"
	"  --linger S     end once the application has been gone S seconds\n"
	"                 (default 60)\n"
	"A read the application does not take is kept for up to a minute.\n"
	"Without a source scanlet reads Scanlet_settings in the folder\n"
	"_LP_x-vnd.KQ of the user settings folder (\"source = serial\",\n"
	"\"device = /dev/ttyUSB0\", \"debounce = 1.5\"; source none, stdin,\n"
	"serial or evdev); with no file it only answers requests.\n";


ScanletOptions::ScanletOptions()
	:
	source(SCANLET_FROM_SETTINGS),
	debounce(TagDebouncer::kDefaultWindow),
	debounceGiven(false),
	target(kZelmoraSignature),
	linger(kDefaultLinger),
	help(false)
{
}


bool
parse_seconds(const char* text, bigtime_t* value)
{
	if (text == NULL || *text == '\0')
		return false;
	errno = 0;
	char* end = NULL;
	double seconds = strtod(text, &end);
	if (errno != 0 || end == text || *end != '\0' || !isfinite(seconds)
		|| seconds < 0 || seconds > 3600)
		return false;
	*value = (bigtime_t)llround(seconds * 1000000.0);
	return true;
}


status_t
parse_scanlet_options(int argc, const char* const* argv,
	ScanletOptions& options, BString& error)
{
	options = ScanletOptions();
	scanlet_source chosen = SCANLET_FROM_SETTINGS;

	for (int i = 1; i < argc; i++) {
		const char* argument = argv[i];
		const char* value = i + 1 < argc ? argv[i + 1] : NULL;
		scanlet_source source = SCANLET_FROM_SETTINGS;
		bool takesValue = true;

		if (strcmp(argument, "--help") == 0 || strcmp(argument, "-h") == 0) {
			options.help = true;
			continue;
		} else if (strcmp(argument, "--tag") == 0)
			source = SCANLET_TAGS;
		else if (strcmp(argument, "--stdin") == 0) {
			source = SCANLET_STDIN;
			takesValue = false;
		} else if (strcmp(argument, "--serial") == 0)
			source = SCANLET_SERIAL;
		else if (strcmp(argument, "--evdev") == 0)
			source = SCANLET_EVDEV;
		else if (strcmp(argument, "--debounce") != 0
			&& strcmp(argument, "--target") != 0
			&& strcmp(argument, "--linger") != 0) {
			error.SetToFormat("unknown argument \"%s\"", argument);
			return B_BAD_VALUE;
		}

		if (takesValue && value == NULL) {
			error.SetToFormat("%s needs a value", argument);
			return B_BAD_VALUE;
		}
		if (takesValue)
			i++;

		if (strcmp(argument, "--debounce") == 0) {
			if (!parse_seconds(value, &options.debounce)) {
				error.SetToFormat("--debounce takes seconds from 0 to 3600, "
					"not \"%s\"", value);
				return B_BAD_VALUE;
			}
			options.debounceGiven = true;
			continue;
		}
		if (strcmp(argument, "--linger") == 0) {
			if (!parse_seconds(value, &options.linger)) {
				error.SetToFormat("--linger takes seconds from 0 to 3600, "
					"not \"%s\"", value);
				return B_BAD_VALUE;
			}
			continue;
		}
		if (strcmp(argument, "--target") == 0) {
			options.target = value;
			continue;
		}

		// One kind of source; only --tag may repeat.
		if (chosen != SCANLET_FROM_SETTINGS
			&& (chosen != source || source != SCANLET_TAGS)) {
			error = "give one source only: --tag, --stdin, --serial or "
				"--evdev";
			return B_BAD_VALUE;
		}
		chosen = source;
		if (source == SCANLET_TAGS) {
			if (!is_acceptable_tag(value)) {
				error.SetToFormat("\"%s\" cannot be a tag", value);
				return B_BAD_VALUE;
			}
			options.tags.push_back(BString(value));
		} else if (source != SCANLET_STDIN)
			options.device = value;
	}
	options.source = chosen;
	return B_OK;
}
