// Common base of entries and nodes: what stat() tells about them.
#ifndef _STATABLE_H
#define _STATABLE_H

#include <sys/stat.h>
#include <time.h>

#include <SupportDefs.h>

struct node_ref {
	node_ref() : device(0), node(0) {}
	node_ref(dev_t dev, ino_t ino) : device(dev), node(ino) {}
	bool operator==(const node_ref& other) const
		{ return device == other.device && node == other.node; }
	bool operator!=(const node_ref& other) const
		{ return !(*this == other); }

	dev_t device;
	ino_t node;
};

class BStatable {
public:
	virtual						~BStatable();

	virtual	status_t			GetStat(struct stat* st) const = 0;

			bool				IsFile() const;
			bool				IsDirectory() const;
			bool				IsSymLink() const;

			status_t			GetNodeRef(node_ref* ref) const;
			status_t			GetOwner(uid_t* owner) const;
			status_t			GetPermissions(mode_t* permissions) const;
			status_t			GetSize(off_t* size) const;
			status_t			GetModificationTime(time_t* mtime) const;
};

#endif	// _STATABLE_H
