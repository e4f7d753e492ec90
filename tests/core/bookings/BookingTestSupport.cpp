#include "BookingTestSupport.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

namespace booking_test {

std::string
ReadFile(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in),
		std::istreambuf_iterator<char>());
}


void
WriteFile(const std::string& path, const std::string& data)
{
	std::ofstream out(path, std::ios::binary | std::ios::trunc);
	out.write(data.data(), (std::streamsize)data.size());
}


void
ScratchTest::SetUp()
{
	const char* base = getenv("TMPDIR");
	if (base == NULL)
		base = "/tmp";
	if (fInMemory && access("/dev/shm", W_OK) == 0)
		base = "/dev/shm";
	std::string pattern = std::string(base) + "/zl_bookings.XXXXXX";
	char buffer[1024];
	snprintf(buffer, sizeof(buffer), "%s", pattern.c_str());
	ASSERT_NE(mkdtemp(buffer), nullptr);
	fFolder = buffer;
}


void
ScratchTest::TearDown()
{
	DIR* dir = opendir(fFolder.c_str());
	if (dir != NULL) {
		while (struct dirent* entry = readdir(dir)) {
			if (strcmp(entry->d_name, ".") != 0
				&& strcmp(entry->d_name, "..") != 0)
				unlink((fFolder + "/" + entry->d_name).c_str());
		}
		closedir(dir);
	}
	rmdir(fFolder.c_str());
}

}	// namespace booking_test
