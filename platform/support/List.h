// BList: an ordered list of untyped pointers.
#ifndef _BE_LIST_H
#define _BE_LIST_H

#include <vector>

#include <SupportDefs.h>

class BList {
public:
							BList(int32 blockSize = 20);
							BList(const BList& other);
	virtual					~BList();

			BList&			operator=(const BList& other);

			bool			AddItem(void* item);
			bool			AddItem(void* item, int32 index);
			bool			AddList(const BList* list);
			bool			AddList(const BList* list, int32 index);
			bool			RemoveItem(void* item);
			void*			RemoveItem(int32 index);
			bool			RemoveItems(int32 index, int32 count);
			bool			ReplaceItem(int32 index, void* item);
			void			MakeEmpty();

			void			SortItems(int (*compare)(const void*, const void*));
			bool			SwapItems(int32 indexA, int32 indexB);
			bool			MoveItem(int32 fromIndex, int32 toIndex);

			void*			ItemAt(int32 index) const;
			void*			ItemAtFast(int32 index) const { return fItems[index]; }
			void*			FirstItem() const;
			void*			LastItem() const;
			void*			Items() const;

			bool			HasItem(void* item) const;
			int32			IndexOf(void* item) const;
			int32			CountItems() const { return (int32)fItems.size(); }
			bool			IsEmpty() const { return fItems.empty(); }

			void			DoForEach(bool (*func)(void* item));
			void			DoForEach(bool (*func)(void* item, void* arg),
								void* arg);

private:
			std::vector<void*> fItems;
};

#endif	// _BE_LIST_H
