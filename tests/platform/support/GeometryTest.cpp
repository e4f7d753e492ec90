#include <Locker.h>
#include <Rect.h>

#include <thread>

#include <gtest/gtest.h>

TEST(BRect, InclusiveGeometry)
{
	BRect frame(0, 0, 400, 525);
	EXPECT_EQ(frame.Width(), 400);
	EXPECT_EQ(frame.IntegerHeight(), 525);
	EXPECT_TRUE(frame.Contains(BPoint(400, 525)));
	EXPECT_FALSE(frame.Contains(BPoint(401, 0)));
	EXPECT_FALSE(BRect().IsValid());
	EXPECT_TRUE(BRect(5, 5, 5, 5).IsValid());

	BRect a(0, 0, 10, 10), b(10, 10, 20, 20);
	EXPECT_TRUE(a.Intersects(b));
	EXPECT_EQ((a & b), BRect(10, 10, 10, 10));
	EXPECT_EQ((a | b), BRect(0, 0, 20, 20));
	EXPECT_EQ(a.OffsetToCopy(5, 5), BRect(5, 5, 15, 15));
}

TEST(BLocker, RecursiveAndOwned)
{
	BLocker locker("test");
	EXPECT_TRUE(locker.Lock());
	EXPECT_TRUE(locker.Lock());
	EXPECT_TRUE(locker.IsLocked());
	EXPECT_EQ(locker.CountLocks(), 2);

	status_t other = B_OK;
	std::thread([&] {
		other = locker.LockWithTimeout(10000);
		// A thread that does not hold the lock cannot release it.
		locker.Unlock();
	}).join();
	EXPECT_EQ(other, B_TIMED_OUT);
	EXPECT_EQ(locker.CountLocks(), 2);

	locker.Unlock();
	locker.Unlock();
	EXPECT_FALSE(locker.IsLocked());
	std::thread([&] {
		other = locker.LockWithTimeout(10000);
		locker.Unlock();
	}).join();
	EXPECT_EQ(other, B_OK);
}
