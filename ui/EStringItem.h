// EStringItem: a list item in the fixed-width font that names a model; an
// entry naming a missing week or day model stands out in red. While it is
// drawn selected it sends its message to the list view that owns it, again
// on every such drawing.
//
// The item is also a view (never shown), as the model lists expect of it.
#ifndef _E_STRING_ITEM_H
#define _E_STRING_ITEM_H

#include <ListItem.h>
#include <View.h>

class BMessage;

class EStringItem : public BStringItem, public BView {
public:
	// The message is not owned by the item.
							EStringItem(const char* text,
								BMessage* message = NULL,
								uint32 outlineLevel = 0,
								bool expanded = true);
	virtual					~EStringItem();

	virtual	void			DrawItem(BView* owner, BRect frame,
								bool complete = false);

			bool			WasSelected() const { return fSelected; }
			BMessage*		SelectionMessage() const { return fMessage; }

private:
			bool			fSelected;
			BMessage*		fMessage;
};

#endif	// _E_STRING_ITEM_H
