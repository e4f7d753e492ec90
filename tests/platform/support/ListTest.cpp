#include <List.h>

#include <gtest/gtest.h>

namespace {

int
CompareInts(const void* a, const void* b)
{
	intptr_t x = *(const intptr_t*)a;
	intptr_t y = *(const intptr_t*)b;
	return x < y ? -1 : x > y;
}

}	// namespace

TEST(BList, InsertRemoveAndBounds)
{
	BList list;
	int a, b, c;
	EXPECT_TRUE(list.AddItem(&a));
	EXPECT_TRUE(list.AddItem(&c));
	EXPECT_TRUE(list.AddItem(&b, 1));
	EXPECT_FALSE(list.AddItem(&b, 5));
	EXPECT_EQ(list.ItemAt(1), &b);
	EXPECT_EQ(list.ItemAt(3), nullptr);
	EXPECT_EQ(list.ItemAt(-1), nullptr);
	EXPECT_EQ(list.RemoveItem((int32)7), nullptr);
	EXPECT_TRUE(list.SwapItems(0, 2));
	EXPECT_EQ(list.FirstItem(), &c);
	EXPECT_FALSE(list.SwapItems(0, 3));
	EXPECT_EQ(list.IndexOf(&a), 2);
	EXPECT_TRUE(list.RemoveItem(&b));
	EXPECT_EQ(list.CountItems(), 2);
}

TEST(BList, SortItemsPassesSlotPointers)
{
	BList list;
	for (intptr_t v : { 5, 1, 4, 2, 3 })
		list.AddItem((void*)v);
	list.SortItems(CompareInts);
	for (int32 i = 0; i < 5; i++)
		EXPECT_EQ((intptr_t)list.ItemAt(i), i + 1);
}
