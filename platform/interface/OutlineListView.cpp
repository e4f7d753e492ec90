// BOutlineListView: the full list holds every item in tree order; the
// shown rows (BListView's list) are rebuilt from it after each change.
#include <OutlineListView.h>

#include <algorithm>

// Width of one outline level and of the triangle.
static const float kLatchWidth = 12;


BOutlineListView::BOutlineListView(BRect frame, const char* name,
	list_view_type type, uint32 resizingMode, uint32 flags)
	:
	BListView(frame, name, type, resizingMode, flags)
{
}


BOutlineListView::~BOutlineListView()
{
}


// The shown rows: every item none of whose superitems is collapsed. Items
// that disappear lose their selection.
void
BOutlineListView::_Rebuild()
{
	bool selectionChanged = false;
	fList.MakeEmpty();
	uint32 hiddenBelow = UINT32_MAX;
	int32 count = fFullList.CountItems();
	for (int32 i = 0; i < count; i++) {
		BListItem* item = (BListItem*)fFullList.ItemAt(i);
		BListItem* next = (BListItem*)fFullList.ItemAt(i + 1);
		item->fHasSubitems = next != NULL && next->fLevel > item->fLevel;
		if (hiddenBelow != UINT32_MAX && item->fLevel > hiddenBelow) {
			if (item->IsSelected()) {
				item->Deselect();
				selectionChanged = true;
			}
			continue;
		}
		hiddenBelow = UINT32_MAX;
		fList.AddItem(item);
		if (!item->IsExpanded())
			hiddenBelow = item->fLevel;
	}
	_ItemsChanged(0);
	if (selectionChanged)
		_SelectionDidChange();
}


// One past the last subitem of the item at fullListIndex.
int32
BOutlineListView::_SubtreeEnd(int32 fullListIndex) const
{
	BListItem* item = FullListItemAt(fullListIndex);
	if (item == NULL)
		return fullListIndex;
	int32 end = fullListIndex + 1;
	while (end < FullListCountItems()
		&& FullListItemAt(end)->fLevel > item->fLevel)
		end++;
	return end;
}


bool
BOutlineListView::AddUnder(BListItem* item, BListItem* superitem)
{
	if (superitem == NULL)
		return AddItem(item);
	int32 index = FullListIndexOf(superitem);
	if (item == NULL || index < 0)
		return false;
	item->fLevel = superitem->fLevel + 1;
	return AddItem(item, index + 1);
}


bool
BOutlineListView::AddItem(BListItem* item)
{
	return AddItem(item, FullListCountItems());
}


bool
BOutlineListView::AddItem(BListItem* item, int32 fullListIndex)
{
	if (item == NULL || fullListIndex < 0
		|| fullListIndex > FullListCountItems()
		|| !fFullList.AddItem(item, fullListIndex))
		return false;
	BFont font;
	GetFont(&font);
	item->Update(this, &font);
	_Rebuild();
	return true;
}


BListItem*
BOutlineListView::RemoveItem(int32 fullListIndex)
{
	BListItem* item = FullListItemAt(fullListIndex);
	if (item == NULL)
		return NULL;
	RemoveItems(fullListIndex, 1);
	return item;
}


bool
BOutlineListView::RemoveItem(BListItem* item)
{
	return RemoveItem(FullListIndexOf(item)) != NULL;
}


bool
BOutlineListView::RemoveItems(int32 fullListIndex, int32 count)
{
	if (fullListIndex < 0 || count < 0
		|| fullListIndex + count > FullListCountItems())
		return false;
	int32 end = fullListIndex;
	for (int32 i = 0; i < count; i++)
		end = _SubtreeEnd(end);
	bool selectionChanged = false;
	for (int32 i = fullListIndex; i < end; i++) {
		BListItem* item = FullListItemAt(i);
		selectionChanged |= item->IsSelected();
		item->Deselect();
	}
	fFullList.RemoveItems(fullListIndex, end - fullListIndex);
	_Rebuild();
	if (selectionChanged)
		_SelectionDidChange();
	return true;
}


void
BOutlineListView::MakeEmpty()
{
	fFullList.MakeEmpty();
	BListView::MakeEmpty();
}


BListItem*
BOutlineListView::FullListItemAt(int32 fullListIndex) const
{
	return (BListItem*)fFullList.ItemAt(fullListIndex);
}


int32
BOutlineListView::FullListIndexOf(const BListItem* item) const
{
	return fFullList.IndexOf((void*)item);
}


int32
BOutlineListView::FullListCountItems() const
{
	return fFullList.CountItems();
}


bool
BOutlineListView::FullListHasItem(const BListItem* item) const
{
	return FullListIndexOf(item) >= 0;
}


int32
BOutlineListView::FullListCurrentSelection(int32 which) const
{
	int32 index = CurrentSelection(which);
	return index >= 0 ? FullListIndexOf(ItemAt(index)) : -1;
}


void
BOutlineListView::Expand(BListItem* item)
{
	if (item == NULL || item->IsExpanded() || !FullListHasItem(item))
		return;
	item->SetExpanded(true);
	_Rebuild();
}


void
BOutlineListView::Collapse(BListItem* item)
{
	if (item == NULL || !item->IsExpanded() || !FullListHasItem(item))
		return;
	item->SetExpanded(false);
	_Rebuild();
}


bool
BOutlineListView::IsExpanded(int32 fullListIndex) const
{
	BListItem* item = FullListItemAt(fullListIndex);
	return item != NULL && item->IsExpanded();
}


BListItem*
BOutlineListView::Superitem(const BListItem* item) const
{
	int32 index = FullListIndexOf(item);
	if (index < 0 || item->fLevel == 0)
		return NULL;
	for (int32 i = index - 1; i >= 0; i--) {
		BListItem* candidate = FullListItemAt(i);
		if (candidate->fLevel < item->fLevel)
			return candidate;
	}
	return NULL;
}


int32
BOutlineListView::CountItemsUnder(BListItem* under, bool oneLevelOnly) const
{
	int32 start = 0;
	int32 end = FullListCountItems();
	uint32 level = 0;
	if (under != NULL) {
		int32 index = FullListIndexOf(under);
		if (index < 0)
			return 0;
		start = index + 1;
		end = _SubtreeEnd(index);
		level = under->fLevel + 1;
	}
	int32 count = 0;
	for (int32 i = start; i < end; i++) {
		if (!oneLevelOnly || FullListItemAt(i)->fLevel == level)
			count++;
	}
	return count;
}


BListItem*
BOutlineListView::ItemUnderAt(BListItem* under, bool oneLevelOnly,
	int32 index) const
{
	int32 start = 0;
	int32 end = FullListCountItems();
	uint32 level = 0;
	if (under != NULL) {
		int32 position = FullListIndexOf(under);
		if (position < 0)
			return NULL;
		start = position + 1;
		end = _SubtreeEnd(position);
		level = under->fLevel + 1;
	}
	for (int32 i = start; i < end; i++) {
		BListItem* item = FullListItemAt(i);
		if ((!oneLevelOnly || item->fLevel == level) && index-- == 0)
			return item;
	}
	return NULL;
}


BRect
BOutlineListView::LatchRect(BRect itemFrame, int32 level) const
{
	float left = itemFrame.left + level * kLatchWidth;
	return BRect(left, itemFrame.top, left + kLatchWidth - 1,
		itemFrame.bottom);
}


void
BOutlineListView::DrawItem(BListItem* item, BRect itemFrame, bool complete)
{
	BRect latch = LatchRect(itemFrame, item->fLevel);
	if (item->HasSubitems()) {
		// A dark triangle: pointing down when expanded, right when not.
		rgb_color high = HighColor();
		SetHighColor(tint_color(ViewColor(), B_DARKEN_4_TINT));
		float middleY = floorf((latch.top + latch.bottom) / 2);
		float x = latch.left + 2;
		if (item->IsExpanded()) {
			FillTriangle(BPoint(x, middleY - 2), BPoint(x + 6, middleY - 2),
				BPoint(x + 3, middleY + 2));
		} else {
			FillTriangle(BPoint(x + 1, middleY - 4), BPoint(x + 1,
				middleY + 2), BPoint(x + 4, middleY - 1));
		}
		SetHighColor(high);
	}
	itemFrame.left = latch.right + 1;
	BListView::DrawItem(item, itemFrame, complete);
}


bool
BOutlineListView::_ClickedAt(int32 index, BPoint where)
{
	BListItem* item = ItemAt(index);
	if (item == NULL || !item->HasSubitems())
		return false;
	if (!LatchRect(ItemFrame(index), item->fLevel).Contains(where))
		return false;
	if (item->IsExpanded())
		Collapse(item);
	else
		Expand(item);
	return true;
}


void
BOutlineListView::KeyDown(const char* bytes, int32 numBytes)
{
	BListItem* item = ItemAt(CurrentSelection());
	if (numBytes > 0 && item != NULL && bytes[0] == B_RIGHT_ARROW) {
		Expand(item);
		return;
	}
	if (numBytes > 0 && item != NULL && bytes[0] == B_LEFT_ARROW) {
		Collapse(item);
		return;
	}
	BListView::KeyDown(bytes, numBytes);
}
