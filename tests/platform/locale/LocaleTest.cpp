// BLocale's string lookup over the gettext catalogue.
#include <Locale.h>

#include <locale.h>
#include <stdlib.h>
#include <string.h>

#include <gtest/gtest.h>


TEST(Locale, LooksUpTheExactTextInTheUsersLanguage)
{
	BLocale::SetCatalogFolder(ZELMORA_BINARY_DIR "/bin/locale");
	setlocale(LC_ALL, "C");
	setenv("LANGUAGE", "de", 1);
	setlocale(LC_MESSAGES, "C.UTF-8");

	ASSERT_NE(nullptr, be_locale);
	EXPECT_STREQ("Speichern", be_locale->GetString("Save"));
	// Case and blanks are part of the key.
	EXPECT_STREQ("save", be_locale->GetString("save"));
	EXPECT_STREQ("Save ", be_locale->GetString("Save "));

	const char* unknown = "no such text";
	EXPECT_EQ(unknown, be_locale->GetString(unknown));
	EXPECT_STREQ("", be_locale->GetString(""));
	EXPECT_EQ(nullptr, be_locale->GetString(NULL));
}


TEST(Locale, MissingCatalogueGivesTheTextItself)
{
	BLocale::SetCatalogFolder("/nonexistent/locale");
	setlocale(LC_ALL, "C");
	setenv("LANGUAGE", "de", 1);
	setlocale(LC_MESSAGES, "C.UTF-8");
	EXPECT_STREQ("Save", be_locale->GetString("Save"));
}
