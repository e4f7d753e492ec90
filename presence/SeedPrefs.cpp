// zelmora-prefs: writes settings before the terminal starts, so a demo or
// a test can give it a relay address of its own ("mws_ip=127.0.0.1:8080",
// "mws_use=0", "TagsUseDoor=2", "OpenInSecs=3", "logo_loma=PATH",
// "Payday=15", "gTimeAcc=1").
#include <Prefs.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>


int
main(int argc, char** argv)
{
	Prefs* prefs = Prefs::getSTPrefs();
	for (int i = 1; i < argc; i++) {
		const char* equals = strchr(argv[i], '=');
		if (equals == NULL) {
			fprintf(stderr, "zelmora-prefs: '%s' is not KEY=VALUE\n", argv[i]);
			return 2;
		}
		std::string key(argv[i], equals - argv[i]);
		const char* value = equals + 1;
		if (key == "mws_ip")
			prefs->SetMwsIp(value);
		else if (key == "logo_loma")
			prefs->SetLogoLoma(value);
		else if (key == "mws_use")
			prefs->mws_use = atoi(value) != 0;
		else if (key == "TagsUseDoor")
			prefs->TagsUseDoor = atoi(value);
		else if (key == "OpenInSecs")
			prefs->OpenInSecs = atoi(value);
		else if (key == "Payday")
			prefs->Payday = atoi(value);
		else if (key == "gTimeAcc")
			prefs->gTimeAcc = atoi(value) != 0;
		else {
			fprintf(stderr, "zelmora-prefs: unknown key '%s'\n", key.c_str());
			return 2;
		}
	}
	bool saved = prefs->Save();
	prefs->DeleteMe();
	return saved ? 0 : 1;
}
