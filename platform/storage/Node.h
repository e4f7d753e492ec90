// Nodes of the file system and their typed attributes.
#ifndef _NODE_H
#define _NODE_H

#include <Statable.h>
#include <StorageDefs.h>
#include <SupportDefs.h>

class BDirectory;
class BEntry;
class BString;
struct entry_ref;

struct attr_info {
	uint32	type;
	off_t	size;
};

// A node keeps its file open. Attributes are Linux extended attributes
// "user.<name>" whose value is the 4-byte type code (host order) followed
// by the data; on a file system without them, a sidecar file beside the
// node holds the same attributes.
class BNode : public BStatable {
public:
								BNode();
								BNode(const entry_ref* ref);
								BNode(const BEntry* entry);
								BNode(const char* path);
								BNode(const BDirectory* dir, const char* path);
								BNode(const BNode& node);
	virtual						~BNode();

			status_t			InitCheck() const;

	virtual	status_t			GetStat(struct stat* st) const;

			status_t			SetTo(const entry_ref* ref);
			status_t			SetTo(const BEntry* entry);
			status_t			SetTo(const char* path);
			status_t			SetTo(const BDirectory* dir, const char* path);
			void				Unset();

			status_t			Sync();

			ssize_t				WriteAttr(const char* name, type_code type,
									off_t offset, const void* buffer,
									size_t length);
			ssize_t				ReadAttr(const char* name, type_code type,
									off_t offset, void* buffer,
									size_t length) const;
			status_t			RemoveAttr(const char* name);
			status_t			RenameAttr(const char* oldName,
									const char* newName);
			status_t			GetAttrInfo(const char* name,
									attr_info* info) const;
			status_t			GetNextAttrName(char* buffer);
			status_t			RewindAttrs();

			status_t			WriteAttrString(const char* name,
									const BString* data);
			status_t			ReadAttrString(const char* name,
									BString* result) const;

			BNode&				operator=(const BNode& node);
			bool				operator==(const BNode& node) const;
			bool				operator!=(const BNode& node) const;

			// Private: the open descriptor and the node's path.
			int					_FD() const { return fFD; }
			const char*			_Path() const { return fPath; }

protected:
			status_t			_SetToPath(const char* path, int openFlags,
									mode_t createMode);
			void				_SetStatus(status_t status)
									{ fStatus = status; }

private:
			// The descriptor for attribute calls; -1 (go by path) when
			// the node could only be opened for its stat.
			int					_AttrFD() const
									{ return fPathOnly ? -1 : fFD; }
			status_t			_ListAttrs();

			int					fFD;
			char*				fPath;
			status_t			fStatus;
			char*				fAttrNames;		// NUL-separated list
			size_t				fAttrNamesSize;
			size_t				fAttrCursor;
			bool				fAttrListed;
			bool				fPathOnly;
};

#endif	// _NODE_H
