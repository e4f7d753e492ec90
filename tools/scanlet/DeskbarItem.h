// The Deskbar item "ScanletView" that shows the reader is running; the
// application looks for it before it starts a reader of its own.
#ifndef DESKBAR_ITEM_H
#define DESKBAR_ITEM_H

#include <SupportDefs.h>

extern const char* const kDeskbarItemName;

status_t add_deskbar_item();
void remove_deskbar_item();

#endif	// DESKBAR_ITEM_H
