// The register reader on hostile bytes: every key it yields is checked
// before it names a file, and no name it yields can break a register line.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "TagRegister.h"


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	RegisterData result;
	TagRegister::Parse((const char*)data, size, result);
	for (const auto& entry : result.persons) {
		for (char c : entry.second) {
			if ((unsigned char)c < 0x20)
				abort();
		}
		if (TagRegister::IsUsableTag(entry.first.c_str())
			&& (entry.first.find('/') != std::string::npos
				|| entry.first.size() >= 16 || entry.first == ".."))
			abort();
	}
	for (const std::string& tag : result.startupTags) {
		if (result.persons.count(tag) == 0)
			abort();
	}
	return 0;
}
