// A temporary folder per test, removed with everything in it.
#ifndef STORAGE_TEST_UTILS_H
#define STORAGE_TEST_UTILS_H

#include <fcntl.h>
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

class TempFolder {
public:
	TempFolder()
	{
		char pattern[] = "/tmp/zl-storage-XXXXXX";
		fPath = mkdtemp(pattern) != NULL ? pattern : "";
	}

	~TempFolder()
	{
		if (!fPath.empty())
			nftw(fPath.c_str(), _Remove, 16, FTW_DEPTH | FTW_PHYS);
	}

	const char* Path() const { return fPath.c_str(); }
	std::string operator/(const char* leaf) const
		{ return fPath + "/" + leaf; }

private:
	static int _Remove(const char* path, const struct stat*, int, FTW*)
	{
		remove(path);
		return 0;
	}

	std::string fPath;
};


// Writes text into a new file at path.
inline bool
write_file(const std::string& path, const std::string& text)
{
	FILE* file = fopen(path.c_str(), "we");
	if (file == NULL)
		return false;
	bool ok = fwrite(text.data(), 1, text.size(), file) == text.size();
	return fclose(file) == 0 && ok;
}


inline std::string
read_file(const std::string& path)
{
	std::string text;
	FILE* file = fopen(path.c_str(), "re");
	if (file == NULL)
		return text;
	char buffer[4096];
	size_t bytes;
	while ((bytes = fread(buffer, 1, sizeof(buffer), file)) > 0)
		text.append(buffer, bytes);
	fclose(file);
	return text;
}

#endif	// STORAGE_TEST_UTILS_H
