// BList over std::vector; indexes outside the list are refused, not trusted.
#include <List.h>

#include <algorithm>

BList::BList(int32) {}
BList::BList(const BList& other) : fItems(other.fItems) {}
BList::~BList() {}
BList& BList::operator=(const BList& other) { fItems = other.fItems; return *this; }


bool
BList::AddItem(void* item)
{
	fItems.push_back(item);
	return true;
}


bool
BList::AddItem(void* item, int32 index)
{
	if (index < 0 || index > CountItems())
		return false;
	fItems.insert(fItems.begin() + index, item);
	return true;
}


bool
BList::AddList(const BList* list)
{
	if (list == NULL)
		return false;
	fItems.insert(fItems.end(), list->fItems.begin(), list->fItems.end());
	return true;
}


bool
BList::AddList(const BList* list, int32 index)
{
	if (list == NULL || index < 0 || index > CountItems())
		return false;
	std::vector<void*> copy(list->fItems);
	fItems.insert(fItems.begin() + index, copy.begin(), copy.end());
	return true;
}


bool
BList::RemoveItem(void* item)
{
	int32 index = IndexOf(item);
	if (index < 0)
		return false;
	fItems.erase(fItems.begin() + index);
	return true;
}


void*
BList::RemoveItem(int32 index)
{
	if (index < 0 || index >= CountItems())
		return NULL;
	void* item = fItems[index];
	fItems.erase(fItems.begin() + index);
	return item;
}


bool
BList::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || index > CountItems() || count < 0)
		return false;
	count = std::min(count, CountItems() - index);
	fItems.erase(fItems.begin() + index, fItems.begin() + index + count);
	return true;
}


bool
BList::ReplaceItem(int32 index, void* item)
{
	if (index < 0 || index >= CountItems())
		return false;
	fItems[index] = item;
	return true;
}


void BList::MakeEmpty() { fItems.clear(); }


void
BList::SortItems(int (*compare)(const void*, const void*))
{
	if (compare == NULL)
		return;
	// BeOS hands the comparator pointers to the item slots.
	std::stable_sort(fItems.begin(), fItems.end(),
		[compare](void* const& a, void* const& b) { return compare(&a, &b) < 0; });
}


bool
BList::SwapItems(int32 indexA, int32 indexB)
{
	if (indexA < 0 || indexA >= CountItems() || indexB < 0
		|| indexB >= CountItems())
		return false;
	std::swap(fItems[indexA], fItems[indexB]);
	return true;
}


bool
BList::MoveItem(int32 fromIndex, int32 toIndex)
{
	if (fromIndex < 0 || fromIndex >= CountItems() || toIndex < 0
		|| toIndex >= CountItems())
		return false;
	void* item = fItems[fromIndex];
	fItems.erase(fItems.begin() + fromIndex);
	fItems.insert(fItems.begin() + toIndex, item);
	return true;
}


void*
BList::ItemAt(int32 index) const
{
	if (index < 0 || index >= CountItems())
		return NULL;
	return fItems[index];
}


void* BList::FirstItem() const { return fItems.empty() ? NULL : fItems.front(); }
void* BList::LastItem() const { return fItems.empty() ? NULL : fItems.back(); }
void* BList::Items() const { return fItems.empty() ? NULL : (void*)fItems.data(); }
bool BList::HasItem(void* item) const { return IndexOf(item) >= 0; }


int32
BList::IndexOf(void* item) const
{
	auto it = std::find(fItems.begin(), fItems.end(), item);
	return it == fItems.end() ? -1 : (int32)(it - fItems.begin());
}


void
BList::DoForEach(bool (*func)(void* item))
{
	for (void* item : fItems) {
		if (func(item))
			break;
	}
}


void
BList::DoForEach(bool (*func)(void* item, void* arg), void* arg)
{
	for (void* item : fItems) {
		if (func(item, arg))
			break;
	}
}
