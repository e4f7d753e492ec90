// The ticket line of one relay: waiting for it to run empty, as the
// terminal does before it ends with closes on their way.
#include <thread>

#include <OS.h>
#include <RelayQueue.h>

#include <gtest/gtest.h>


TEST(RelayQueueTest, WaitIdleWaitsForEveryTicketDrawnSoFar)
{
	ASSERT_TRUE(RelayQueue::WaitIdle(3, 0));
	int64 first = RelayQueue::Take(3);
	int64 second = RelayQueue::Take(3);
	EXPECT_FALSE(RelayQueue::WaitIdle(3, 20000));

	// An abandoned ticket counts as done, but only once the ones before it
	// are.
	RelayQueue::Abandon(3, second);
	EXPECT_FALSE(RelayQueue::WaitIdle(3, 20000));
	std::thread worker([&] {
		snooze(50000);
		RelayQueue::Done(3, first);
	});
	EXPECT_TRUE(RelayQueue::WaitIdle(3, 5000000));
	worker.join();
	// Other relays have lines of their own.
	int64 other = RelayQueue::Take(4);
	EXPECT_TRUE(RelayQueue::WaitIdle(3, 0));
	EXPECT_FALSE(RelayQueue::WaitIdle(4, 0));
	// Given back, so the line of relay 4 is free for the tests after this.
	RelayQueue::Abandon(4, other);
	EXPECT_TRUE(RelayQueue::WaitIdle(4, 0));
}
