// The Deskbar item of scanlet.
//
// The interface kit has no Deskbar registry yet: until it has, there is no
// item to add, and adding one reports B_NOT_SUPPORTED.
#include "DeskbarItem.h"

const char* const kDeskbarItemName = "ScanletView";


status_t
add_deskbar_item()
{
	return B_NOT_SUPPORTED;
}


void
remove_deskbar_item()
{
}
