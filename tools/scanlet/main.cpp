// scanlet: the tag reader program.
#include <stdio.h>
#include <unistd.h>

#include <Path.h>
#include <RemoteLinks.h>

#include "ScanletApp.h"
#include "ScanletOptions.h"
#include "ScanletSettings.h"


int
main(int argc, char** argv)
{
	ScanletOptions options;
	BString error;
	if (parse_scanlet_options(argc, argv, options, error) != B_OK) {
		fprintf(stderr, "scanlet: %s\n%s", error.String(), kScanletUsage);
		return 2;
	}
	if (options.help) {
		fputs(kScanletUsage, stdout);
		return 0;
	}

	if (options.source == SCANLET_FROM_SETTINGS) {
		BPath path;
		BString warnings;
		status_t status = get_scanlet_settings_path(&path);
		if (status == B_OK)
			status = load_scanlet_settings(path.Path(), options, warnings);
		if (warnings.Length() > 0) {
			fprintf(stderr, "scanlet: %s:\n%s", path.Path(),
				warnings.String());
		}
		if (status != B_OK && status != B_ENTRY_NOT_FOUND) {
			fprintf(stderr, "scanlet: the settings file %s cannot be used\n",
				path.Path());
		}
	}

	int status = 1;
	{
		ScanletApp app(options);
		if (app.InitCheck() == B_OK) {
			app.Run();
			status = app.ExitStatus();
		}
	}

	// The kit's link thread may still be running while the program's
	// statics are torn down, and can crash on them (an incoming link from
	// the application makes that likely). What is still on its way goes
	// out first, then the program ends without running the destructors.
	BPrivate::RemoteLinks::Flush(2000000);
	fflush(NULL);
	_exit(status);
}
