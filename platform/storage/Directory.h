// Directories: their entries, and making files and folders in them.
#ifndef _DIRECTORY_H
#define _DIRECTORY_H

#include <EntryList.h>
#include <Node.h>
#include <StorageDefs.h>

class BEntry;
class BFile;
class BPath;

class BDirectory : public BNode, public BEntryList {
public:
								BDirectory();
								BDirectory(const BDirectory& dir);
								BDirectory(const entry_ref* ref);
								BDirectory(const BEntry* entry);
								BDirectory(const char* path);
								BDirectory(const BDirectory* dir,
									const char* path);
	virtual						~BDirectory();

			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const char* path);
			status_t			SetTo(const BDirectory* dir, const char* path);
			void				Unset();

			status_t			GetEntry(BEntry* entry) const;
			bool				IsRootDirectory() const;

			status_t			FindEntry(const char* path, BEntry* entry,
									bool traverse = false) const;
			bool				Contains(const char* path,
									int32 nodeFlags = B_ANY_NODE) const;
			bool				Contains(const BEntry* entry,
									int32 nodeFlags = B_ANY_NODE) const;
			status_t			GetStatFor(const char* path,
									struct stat* st) const;

	virtual	status_t			GetNextEntry(BEntry* entry,
									bool traverse = false);
	virtual	status_t			GetNextRef(entry_ref* ref);
	virtual	status_t			Rewind();
	virtual	int32				CountEntries();

			status_t			CreateDirectory(const char* path,
									BDirectory* dir);
			status_t			CreateFile(const char* path, BFile* file,
									bool failIfExists = false);

			BDirectory&			operator=(const BDirectory& dir);

			// Private: the absolute path of a name inside this directory.
			status_t			_ChildPath(const char* path,
									BPath* result) const;

private:
			status_t			_NextName(char* name);

			void*				fDir;		// DIR* of the open stream
};

// Creates path and every missing folder on the way with mode.
status_t create_directory(const char* path, mode_t mode);

#endif	// _DIRECTORY_H
