// The tag register "TagsWithEmployee": reading its lines into tag and
// person, the checks that keep tags and names from naming other files or
// breaking lines, and one parse of the file shared by every row.
#ifndef TAG_REGISTER_H
#define TAG_REGISTER_H

#include <stddef.h>

#include <string>
#include <unordered_map>
#include <vector>

#include <SupportDefs.h>

extern const char* const kRegisterName;
extern const char* const kProfilesName;

struct RegisterData {
	// Person of each tag, from the first line that names it (lookup lines
	// are longer than 2 characters).
	std::unordered_map<std::string, std::string> persons;
	// Tags of the start-up pass (lines longer than 8 characters), in file
	// order.
	std::vector<std::string> startupTags;
};

class TagRegister {
public:
	// Splits one line (as read, line end included) into key and value.
	// False for a comment line.
	static	bool			SplitLine(const char* line, std::string& key,
								std::string& value);
	// Reads the register's text as fgets with a 256-byte buffer would.
	static	void			Parse(const char* data, size_t size,
								RegisterData& result);
	// The register at path, parsed once per identity and time of change.
	// NULL when it cannot be read.
	static	const RegisterData*	Load(const char* path);
	static	void			ForgetCache();

	// A tag that may name a booking file of the folder.
	static	bool			IsUsableTag(const char* tag);
	// Control characters become blanks.
	static	std::string		CleanName(const char* name);
};

#endif	// TAG_REGISTER_H
