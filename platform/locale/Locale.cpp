// BLocale over GNU gettext.
#include "Locale.h"

#include <libintl.h>
#include <limits.h>
#include <string.h>
#include <unistd.h>

#include <mutex>
#include <string>


static const char* const kDomain = "zelmora";

static std::mutex sLock;
static std::string sFolder;
static bool sBound = false;

static BLocale sLocale;
BLocale* be_locale = &sLocale;


// The folder "locale" beside the running executable.
static std::string
default_catalog_folder()
{
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0)
		return "locale";
	path[length] = '\0';
	char* slash = strrchr(path, '/');
	if (slash != NULL)
		*slash = '\0';
	return std::string(path) + "/locale";
}


BLocale::BLocale()
{
}


BLocale::~BLocale()
{
}


const char*
BLocale::GetString(const char* text)
{
	// gettext answers the empty text with the catalogue's header.
	if (text == NULL || text[0] == '\0')
		return text;

	{
		std::lock_guard<std::mutex> guard(sLock);
		if (!sBound) {
			if (sFolder.empty())
				sFolder = default_catalog_folder();
			bindtextdomain(kDomain, sFolder.c_str());
			bind_textdomain_codeset(kDomain, "UTF-8");
			sBound = true;
		}
	}
	return dgettext(kDomain, text);
}


void
BLocale::SetCatalogFolder(const char* folder)
{
	std::lock_guard<std::mutex> guard(sLock);
	sFolder = folder != NULL ? folder : "";
	sBound = false;
}
