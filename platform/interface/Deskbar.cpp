// The Deskbar registry is a folder in the user's private runtime folder
// with one file per item. The process that adds an item keeps the file
// open with an exclusive flock(); the kernel drops the lock when the
// process ends, so an item whose file can be locked by anyone else belongs
// to a process that is gone, and is removed.
#include <Deskbar.h>

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <string>

#include <FindDirectory.h>
#include <Path.h>
#include <View.h>

namespace {

struct OwnItem {
	int		fd;
	int32	id;
};

std::mutex sLock;
std::map<std::string, OwnItem> sOwnItems;
int32 sNextID = 1;


// Item names become file names: nothing that could leave the folder.
bool
valid_name(const char* name)
{
	if (name == NULL || name[0] == '\0' || strlen(name) > 200)
		return false;
	if (strchr(name, '/') != NULL || strcmp(name, ".") == 0
		|| strcmp(name, "..") == 0)
		return false;
	return true;
}


status_t
registry_folder(std::string& folder)
{
	BPath path;
	status_t status = BPrivate::get_runtime_directory(&path);
	if (status != B_OK)
		return status;
	folder = std::string(path.Path()) + "/deskbar";
	if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
		return B_ERROR;
	return BPrivate::check_private_folder(folder.c_str());
}


// True while a running process holds the item's file; a stale file is
// removed.
bool
held_by_someone(const std::string& file)
{
	int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
	if (fd < 0)
		return false;
	bool held = flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
	if (!held)
		unlink(file.c_str());
	close(fd);
	return held;
}

}	// namespace


BDeskbar::BDeskbar()
{
}


BDeskbar::~BDeskbar()
{
}


status_t
BDeskbar::AddItem(BView* archivableView, int32* id)
{
	if (archivableView == NULL || !valid_name(archivableView->Name()))
		return B_BAD_VALUE;
	const char* name = archivableView->Name();
	std::string folder;
	status_t status = registry_folder(folder);
	if (status != B_OK)
		return status;

	std::lock_guard<std::mutex> guard(sLock);
	if (sOwnItems.count(name) > 0)
		return B_NAME_IN_USE;
	std::string file = folder + "/" + name;
	int fd = open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
		0600);
	if (fd < 0)
		return B_ERROR;
	if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
		close(fd);
		return B_NAME_IN_USE;
	}
	// The file may have been removed as stale between open and lock.
	struct stat opened, current;
	if (fstat(fd, &opened) != 0 || stat(file.c_str(), &current) != 0
		|| opened.st_ino != current.st_ino) {
		close(fd);
		return B_BUSY;
	}
	char pid[32];
	int length = snprintf(pid, sizeof(pid), "%d\n", (int)getpid());
	if (ftruncate(fd, 0) != 0 || write(fd, pid, length) != length) {
		unlink(file.c_str());
		close(fd);
		return B_ERROR;
	}
	OwnItem item = { fd, sNextID++ };
	sOwnItems[name] = item;
	if (id != NULL)
		*id = item.id;
	return B_OK;
}


bool
BDeskbar::HasItem(const char* name) const
{
	if (!valid_name(name))
		return false;
	{
		std::lock_guard<std::mutex> guard(sLock);
		if (sOwnItems.count(name) > 0)
			return true;
	}
	std::string folder;
	if (registry_folder(folder) != B_OK)
		return false;
	return held_by_someone(folder + "/" + name);
}


bool
BDeskbar::HasItem(int32 id) const
{
	std::lock_guard<std::mutex> guard(sLock);
	for (const auto& entry : sOwnItems) {
		if (entry.second.id == id)
			return true;
	}
	return false;
}


status_t
BDeskbar::RemoveItem(const char* name)
{
	if (!valid_name(name))
		return B_BAD_VALUE;
	std::string folder;
	status_t status = registry_folder(folder);
	if (status != B_OK)
		return status;
	std::string file = folder + "/" + name;
	std::lock_guard<std::mutex> guard(sLock);
	auto found = sOwnItems.find(name);
	if (found != sOwnItems.end()) {
		unlink(file.c_str());
		close(found->second.fd);
		sOwnItems.erase(found);
		return B_OK;
	}
	// Another process's item: its file goes, so nobody finds it any more.
	if (unlink(file.c_str()) != 0)
		return B_NAME_NOT_FOUND;
	return B_OK;
}


status_t
BDeskbar::RemoveItem(int32 id)
{
	std::string name;
	{
		std::lock_guard<std::mutex> guard(sLock);
		for (const auto& entry : sOwnItems) {
			if (entry.second.id == id)
				name = entry.first;
		}
	}
	if (name.empty())
		return B_NAME_NOT_FOUND;
	return RemoveItem(name.c_str());
}


uint32
BDeskbar::CountItems() const
{
	std::string folder;
	if (registry_folder(folder) != B_OK)
		return 0;
	DIR* dir = opendir(folder.c_str());
	if (dir == NULL)
		return 0;
	uint32 count = 0;
	while (struct dirent* entry = readdir(dir)) {
		if (entry->d_name[0] == '.')
			continue;
		bool own;
		{
			std::lock_guard<std::mutex> guard(sLock);
			own = sOwnItems.count(entry->d_name) > 0;
		}
		if (own || held_by_someone(folder + "/" + entry->d_name))
			count++;
	}
	closedir(dir);
	return count;
}
