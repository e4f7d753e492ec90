// BDeskbar: the per-user registry of Deskbar items. An item is known by
// its name for as long as the process that added it runs: it vanishes by
// itself when that process ends, however it ends.
#ifndef _DESKBAR_H
#define _DESKBAR_H

#include <SupportDefs.h>

class BView;

class BDeskbar {
public:
							BDeskbar();
							~BDeskbar();

			bool			IsRunning() const { return true; }

	// Adds an item named after the view (the view itself is not shown).
	// B_NAME_IN_USE when a running process holds an item of that name.
			status_t		AddItem(BView* archivableView, int32* id = NULL);
			bool			HasItem(const char* name) const;
			bool			HasItem(int32 id) const;
			status_t		RemoveItem(const char* name);
			status_t		RemoveItem(int32 id);
			uint32			CountItems() const;
};

#endif	// _DESKBAR_H
