// A private folder for the time-profile file of one test, and helpers to
// write and read that file.
#ifndef _MODEL_TEST_SUPPORT_H
#define _MODEL_TEST_SUPPORT_H

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <STimeModels.h>

#include "TimeTestSupport.h"

class ProfileFolder {
public:
	ProfileFolder()
	{
		char pattern[] = "/tmp/zl_models_XXXXXX";
		fFolder = mkdtemp(pattern) != NULL ? pattern : "/nonexistent";
		fPath = fFolder + "/_Time_Profiles_";
		STimeModels::SetDataFolder(fFolder.c_str());
	}

	~ProfileFolder()
	{
		STimeModels::SetDataFolder(NULL);
		std::error_code error;
		std::filesystem::remove_all(fFolder, error);
	}

	const char* Path() const { return fPath.c_str(); }
	const char* Folder() const { return fFolder.c_str(); }

	void Write(const std::string& text) const
	{
		FILE* file = fopen(fPath.c_str(), "w");
		ASSERT_NE(nullptr, file);
		fwrite(text.data(), 1, text.size(), file);
		fclose(file);
	}

	std::string Read() const
	{
		std::string text;
		FILE* file = fopen(fPath.c_str(), "r");
		if (file == NULL)
			return text;
		char buffer[4096];
		size_t length;
		while ((length = fread(buffer, 1, sizeof(buffer), file)) > 0)
			text.append(buffer, length);
		fclose(file);
		return text;
	}

private:
	std::string fFolder;
	std::string fPath;
};

// Names of the models in a register list, in list order.
template<typename Model>
static std::string
names_of(BList* list)
{
	std::string names;
	for (int32 i = 0; i < list->CountItems(); i++) {
		if (i > 0)
			names += ",";
		names += ((Model*)list->ItemAt(i))->fName.String();
	}
	return names;
}

#endif	// _MODEL_TEST_SUPPORT_H
