// The Deskbar item of scanlet. The registry keeps the item for as long as
// this process runs, whatever way it ends.
#include "DeskbarItem.h"

#include <Deskbar.h>

#include "ScanletView.h"

const char* const kDeskbarItemName = "ScanletView";


status_t
add_deskbar_item()
{
	ScanletView* view = new ScanletView;
	BDeskbar deskbar;
	status_t status = deskbar.AddItem(view);
	delete view;
	return status;
}


void
remove_deskbar_item()
{
	BDeskbar deskbar;
	deskbar.RemoveItem(kDeskbarItemName);
}
