// The label table of the Zeta build: every entry goes through the German
// catalogue when the messages language is German, and stays as it is
// otherwise.
#include <Labels.h>
#include <Locale.h>

#include <locale.h>
#include <stdio.h>
#include <stdlib.h>

#include <set>
#include <string>

#include <gtest/gtest.h>


class ZetaLabels : public testing::Test {
protected:
	void SetUp() override
	{
		BLocale::SetCatalogFolder(ZELMORA_BINARY_DIR "/bin/locale");
	}

	// The messages language for the rest of the test; time and number
	// formats stay in the C locale.
	void UseLanguage(const char* language)
	{
		setlocale(LC_ALL, "C");
		if (language != NULL) {
			setenv("LANGUAGE", language, 1);
			setlocale(LC_MESSAGES, "C.UTF-8");
		} else
			unsetenv("LANGUAGE");
	}
};


TEST_F(ZetaLabels, GermanWhereTheCatalogueHasATranslation)
{
	UseLanguage("de");
	EXPECT_STREQ("Öffnen", getLabel(2));
	EXPECT_STREQ("Di", getLabel(53));
	EXPECT_STREQ("Mär", getLabel(103));
	EXPECT_STREQ("  Ist-Anwesenheit", getLabel(83));
	EXPECT_STREQ("Eintrag nicht vollständig\n", getLabel(81));
	// Texts without a translation come back unchanged, the empty one too
	// (the catalogue's header is not a label).
	EXPECT_STREQ("Zelmora", getLabel(0));
	EXPECT_STREQ("<br>", getLabel(75));
	EXPECT_STREQ("", getLabel(122));
	// Number formats stay C.
	char number[16];
	snprintf(number, sizeof(number), "%.1f", 1.5);
	EXPECT_STREQ("1.5", number);
}


TEST_F(ZetaLabels, TableTextsInTheCLocale)
{
	UseLanguage(NULL);
	EXPECT_STREQ("Open", getLabel(2));
	EXPECT_STREQ("  real presence", getLabel(83));
	EXPECT_STREQ("", getLabel(122));
}


// Every key of the catalogue must be a label text, or its translation is
// never used.
TEST_F(ZetaLabels, CatalogueKeysAreLabelTexts)
{
	UseLanguage(NULL);
	std::set<std::string> labels;
	for (int index = 0; index < ZL_LABEL_COUNT; index++)
		labels.insert(getLabel(index));

	FILE* file = fopen(ZELMORA_SOURCE_DIR "/po/de.po", "r");
	ASSERT_NE(nullptr, file);
	char line[512];
	int keys = 0;
	while (fgets(line, sizeof(line), file) != NULL) {
		std::string text(line);
		if (text.rfind("msgid \"", 0) != 0)
			continue;
		size_t end = text.rfind('"');
		std::string key;
		for (size_t i = 7; i < end; i++) {
			if (text[i] == '\\' && i + 1 < end) {
				i++;
				key += text[i] == 'n' ? '\n' : text[i];
			} else
				key += text[i];
		}
		if (key.empty())
			continue;
		keys++;
		EXPECT_TRUE(labels.count(key) == 1) << "not a label: [" << key << "]";
	}
	fclose(file);
	EXPECT_GT(keys, 50);
}
