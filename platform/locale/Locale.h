// BLocale: the application-wide locale object of the Zeta API. GetString
// looks an exact text up in the GNU gettext catalogue of the domain
// "zelmora" and gives its translation in the user's messages language, or
// the text itself where the catalogue has none.
//
// The catalogues lie beside the executable, in
// locale/<language>/LC_MESSAGES/zelmora.mo. The language follows the
// messages locale (LC_MESSAGES, LANG) and LANGUAGE; texts are handed out in
// UTF-8 whatever the character type locale is.
#ifndef _B_LOCALE_H
#define _B_LOCALE_H

#include <SupportDefs.h>

class BLocale {
public:
							BLocale();
							~BLocale();

			const char*		GetString(const char* text);

	// Where the catalogues are looked for; by default the folder "locale"
	// beside the running executable. Takes effect before the first lookup
	// and, when called later, from the next lookup on.
	static	void			SetCatalogFolder(const char* folder);
};

extern BLocale* be_locale;

#endif	// _B_LOCALE_H
