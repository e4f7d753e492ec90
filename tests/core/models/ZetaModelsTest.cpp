// A program built as Zeta gets the translated labels also where a library
// that only links the plain time kit uses them.
#include <Locale.h>
#include <cWeekModel.h>

#include <locale.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include "TimeTestSupport.h"


TEST(ZetaModels, WeekdayLabelsOfTheModelsAreTranslated)
{
	BLocale::SetCatalogFolder(ZELMORA_BINARY_DIR "/bin/locale");
	setlocale(LC_ALL, "C");
	setenv("LANGUAGE", "de", 1);
	setlocale(LC_MESSAGES, "C.UTF-8");

	cWeekModel week("Frei", 0, 0);
	std::string log = captured_output([&] { week.PrintToStream(); });
	EXPECT_EQ("WM 0:00 |Frei \nSo - NULL\nMo - NULL\nDi - NULL\nMi - NULL\n"
		"Do - NULL\nFr - NULL\nSa - NULL\n", log);
}
