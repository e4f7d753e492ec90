#include "TagRegister.h"

#include <string.h>
#include <sys/stat.h>

#include <BuchungsDatei.h>

#include <fcntl.h>
#include <unistd.h>

const char* const kRegisterName = "TagsWithEmployee";
const char* const kProfilesName = "_Time_Profiles_";

static const size_t kLineBuffer = 256;


bool
TagRegister::SplitLine(const char* line, std::string& key,
	std::string& value)
{
	if (line[0] == '#')
		return false;

	// The key ends at the first TAB; without one (or with one in front)
	// at the first blank, else at the line end.
	size_t keyLength;
	const char* tab = strchr(line, '\t');
	if (tab != NULL && tab != line)
		keyLength = tab - line;
	else {
		const char* blank = strchr(line, ' ');
		keyLength = blank != NULL ? (size_t)(blank - line)
			: strcspn(line, "\r\n");
	}
	key.assign(line, keyLength);

	const char* rest = line + keyLength;
	if (*rest != '\0')
		rest++;
	value.clear();
	for (; *rest != '\0'; rest++) {
		if (*rest != '\t' && *rest != '\n' && *rest != '\r')
			value += *rest;
	}
	return true;
}


void
TagRegister::Parse(const char* data, size_t size, RegisterData& result)
{
	result.persons.clear();
	result.startupTags.clear();

	size_t offset = 0;
	std::string key, value;
	while (offset < size) {
		// One piece as fgets returns it: up to 255 bytes or a line end.
		size_t length = 0;
		while (offset + length < size && length < kLineBuffer - 1) {
			if (data[offset + length++] == '\n')
				break;
		}
		std::string piece(data + offset, length);
		offset += length;
		piece.resize(strlen(piece.c_str()));

		if (piece.size() <= 2 || !SplitLine(piece.c_str(), key, value))
			continue;
		result.persons.emplace(key, CleanName(value.c_str()));
		if (piece.size() > 8)
			result.startupTags.push_back(key);
	}
}


namespace {

struct CacheEntry {
	std::string path;
	dev_t device = 0;
	ino_t node = 0;
	struct timespec changed = {};
	off_t size = -1;
	RegisterData data;
	bool valid = false;
};

CacheEntry sCache;


bool
Unchanged(const struct stat& info)
{
	return sCache.device == info.st_dev && sCache.node == info.st_ino
		&& sCache.size == info.st_size
		&& sCache.changed.tv_sec == info.st_mtim.tv_sec
		&& sCache.changed.tv_nsec == info.st_mtim.tv_nsec;
}

}	// namespace


const RegisterData*
TagRegister::Load(const char* path)
{
	// Every row asks at start-up: an unchanged file costs one stat.
	struct stat info;
	if (sCache.valid && sCache.path == path && stat(path, &info) == 0
		&& Unchanged(info))
		return &sCache.data;

	int fd = open(path, O_RDONLY | O_CLOEXEC);
	if (fd < 0)
		return NULL;
	if (fstat(fd, &info) != 0) {
		close(fd);
		return NULL;
	}
	if (sCache.valid && sCache.path == path && Unchanged(info)) {
		close(fd);
		return &sCache.data;
	}

	std::string text;
	status_t status = BuchungsDatei::ReadAll(fd, text);
	close(fd);
	if (status != B_OK)
		return NULL;

	sCache.path = path;
	sCache.device = info.st_dev;
	sCache.node = info.st_ino;
	sCache.size = info.st_size;
	sCache.changed = info.st_mtim;
	Parse(text.data(), text.size(), sCache.data);
	sCache.valid = true;
	return &sCache.data;
}


void
TagRegister::ForgetCache()
{
	sCache.valid = false;
}


bool
TagRegister::IsUsableTag(const char* tag)
{
	if (tag == NULL)
		return false;
	size_t length = strlen(tag);
	if (length == 0 || length >= 16)
		return false;
	for (const char* c = tag; *c != '\0'; c++) {
		if (*c == '/' || (unsigned char)*c < 0x20 || *c == 0x7f)
			return false;
	}
	return strcmp(tag, ".") != 0 && strcmp(tag, "..") != 0
		&& strcmp(tag, kRegisterName) != 0
		&& strcmp(tag, kProfilesName) != 0;
}


std::string
TagRegister::CleanName(const char* name)
{
	std::string clean(name != NULL ? name : "");
	for (char& c : clean) {
		if ((unsigned char)c < 0x20 || c == 0x7f)
			c = ' ';
	}
	return clean;
}
