// BOutlineListView: a list whose items form a tree by their outline
// levels. An item is shown when every item above it in the tree is
// expanded; a triangle left of an item with subitems expands or collapses
// it. Indexes of the "FullList" calls count every item, the others only
// the items shown.
#ifndef _OUTLINE_LIST_VIEW_H
#define _OUTLINE_LIST_VIEW_H

#include <ListView.h>

class BOutlineListView : public BListView {
public:
							BOutlineListView(BRect frame, const char* name,
								list_view_type type = B_SINGLE_SELECTION_LIST,
								uint32 resizingMode = B_FOLLOW_LEFT
									| B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
									| B_NAVIGABLE);
	virtual					~BOutlineListView();

	virtual	void			KeyDown(const char* bytes, int32 numBytes);

	// Adds the item right below its superitem, one level deeper.
	virtual	bool			AddUnder(BListItem* item, BListItem* superitem);
	// The item's own outline level places it in the tree.
	virtual	bool			AddItem(BListItem* item);
	virtual	bool			AddItem(BListItem* item, int32 fullListIndex);
	// Removes the item with its subitems; none of them is deleted.
	virtual	bool			RemoveItem(BListItem* item);
	virtual	BListItem*		RemoveItem(int32 fullListIndex);
	virtual	bool			RemoveItems(int32 fullListIndex, int32 count);
	virtual	void			MakeEmpty();

			BListItem*		FullListItemAt(int32 fullListIndex) const;
			int32			FullListIndexOf(const BListItem* item) const;
			int32			FullListCountItems() const;
			bool			FullListHasItem(const BListItem* item) const;
			int32			FullListCurrentSelection(int32 which = 0) const;

			void			Expand(BListItem* item);
			void			Collapse(BListItem* item);
			bool			IsExpanded(int32 fullListIndex) const;
			BListItem*		Superitem(const BListItem* item) const;
			int32			CountItemsUnder(BListItem* under,
								bool oneLevelOnly) const;
			BListItem*		ItemUnderAt(BListItem* under, bool oneLevelOnly,
								int32 index) const;

	// The triangle of an item drawn in frame, at its outline level.
			BRect			LatchRect(BRect itemFrame, int32 level) const;

protected:
	virtual	void			DrawItem(BListItem* item, BRect itemFrame,
								bool complete = false);
	virtual	bool			_ClickedAt(int32 index, BPoint where);

private:
			void			_Rebuild();
			int32			_SubtreeEnd(int32 fullListIndex) const;

			BList			fFullList;
};

#endif	// _OUTLINE_LIST_VIEW_H
