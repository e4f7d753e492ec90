// What several fuzz targets share: a failed expectation aborts, so libFuzzer
// keeps the input; and a scratch folder for targets that read from files.
#ifndef FUZZ_SUPPORT_H
#define FUZZ_SUPPORT_H

#include <stdlib.h>

#include <filesystem>
#include <string>


static inline void
check(bool condition)
{
	if (!condition)
		abort();
}


// A private folder, on a memory file system where there is one since the
// targets write a file for every input; removed when the target ends.
static inline std::string
make_scratch_folder()
{
	static std::string sFolder;
	char folder[] = "/dev/shm/zl-fuzz-XXXXXX";
	char fallback[] = "/tmp/zl-fuzz-XXXXXX";
	const char* made = mkdtemp(folder);
	if (made == NULL)
		made = mkdtemp(fallback);
	if (made == NULL)
		abort();
	sFolder = made;
	atexit([] {
		std::error_code error;
		std::filesystem::remove_all(sFolder, error);
	});
	return sFolder;
}

#endif	// FUZZ_SUPPORT_H
