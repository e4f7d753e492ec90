// Something that lists entries one by one.
#ifndef _ENTRY_LIST_H
#define _ENTRY_LIST_H

#include <SupportDefs.h>

class BEntry;
struct entry_ref;

class BEntryList {
public:
	virtual						~BEntryList();

	virtual	status_t			GetNextEntry(BEntry* entry,
									bool traverse = false) = 0;
	virtual	status_t			GetNextRef(entry_ref* ref) = 0;
	virtual	status_t			Rewind() = 0;
	virtual	int32				CountEntries() = 0;
};

#endif	// _ENTRY_LIST_H
