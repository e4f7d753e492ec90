// The settings store on hostile bytes: the input is the attribute file
// that keeps the settings where the file system has no extended
// attributes. Whatever it holds, every attribute reads within its buffer,
// the settings load (or fail) with their texts terminated, and the relay
// address check takes whatever address was read.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <AttributeSidecar.h>
#include <FindDirectory.h>
#include <MWSControl.h>
#include <Node.h>
#include <Path.h>
#include <Prefs.h>
#include <String.h>

#include "FuzzSupport.h"

static char sSidecar[1024];
static std::string sSettings;


extern "C" int
LLVMFuzzerInitialize(int*, char***)
{
	// The store traces every save.
	if (freopen("/dev/null", "w", stdout) == NULL)
		abort();
	std::string made = make_scratch_folder();
	setenv("HOME", made.c_str(), 1);
	setenv("XDG_CONFIG_HOME", (made + "/config").c_str(), 1);
	BPrivate::force_attribute_sidecar(true);

	// The first store makes the folder and the file.
	Prefs::getSTPrefs()->DeleteMe();
	BPath path;
	if (find_directory(B_USER_SETTINGS_DIRECTORY, &path) != B_OK
		|| path.Append(kPrefsFolder) != B_OK || path.Append(kPrefsFile) != B_OK)
		abort();
	sSettings = path.Path();
	if (BPrivate::attribute_sidecar_path(sSettings.c_str(), sSidecar,
			sizeof(sSidecar)) != B_OK)
		abort();
	return 0;
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	FILE* file = fopen(sSidecar, "we");
	if (file == NULL)
		abort();
	if (size > 0 && fwrite(data, 1, size, file) != size)
		abort();
	fclose(file);

	// Every attribute, read whole and as text.
	BNode node(sSettings.c_str());
	check(node.InitCheck() == B_OK);
	char name[B_ATTR_NAME_LENGTH];
	while (node.GetNextAttrName(name) == B_OK) {
		check(strlen(name) < sizeof(name));
		attr_info info;
		if (node.GetAttrInfo(name, &info) != B_OK)
			continue;
		char buffer[64];
		ssize_t read = node.ReadAttr(name, info.type, 0, buffer,
			sizeof(buffer));
		check(read < 0 || (size_t)read <= sizeof(buffer));
		check(read < 0 || read == (info.size < (off_t)sizeof(buffer)
			? info.size : (off_t)sizeof(buffer)));
		BString text;
		node.ReadAttrString(name, &text);
	}

	Prefs* prefs = Prefs::getSTPrefs();
	prefs->LoadPrefs();
	check(strnlen(prefs->mws_ip, Prefs::kMwsIpSize) < Prefs::kMwsIpSize);
	check(strnlen(prefs->logo_loma, Prefs::kLogoSize) < Prefs::kLogoSize);
	IsValidRelayAddress(prefs->mws_ip);
	prefs->DeleteMe();
	return 0;
}
