#include <OS.h>

#include <pthread.h>
#include <string.h>

#include <atomic>

#include <gtest/gtest.h>

namespace {

struct Probe {
	std::atomic<int>	ran{0};
	thread_id			seenId = -1;
	char				osName[32] = {};
};


status_t
RecordAndReturn(void* data)
{
	Probe* probe = (Probe*)data;
	probe->seenId = find_thread(NULL);
	pthread_getname_np(pthread_self(), probe->osName, sizeof(probe->osName));
	probe->ran++;
	return 42;
}


status_t
SleepBriefly(void* data)
{
	snooze(50000);
	((Probe*)data)->ran++;
	return 7;
}

}	// namespace


TEST(Threads, StartSuspendedRunOnResumeAndHandBackExitValue)
{
	Probe probe;
	thread_id thread = spawn_thread(RecordAndReturn,
		"a rather long thread name", B_LOW_PRIORITY, &probe);
	ASSERT_GT(thread, 0);
	snooze(20000);
	EXPECT_EQ(probe.ran.load(), 0) << "a spawned thread waits for resume";
	EXPECT_EQ(find_thread("a rather long thread name"), thread);

	EXPECT_EQ(resume_thread(thread), B_OK);
	status_t exitValue = 0;
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 42);
	EXPECT_EQ(probe.ran.load(), 1);
	EXPECT_EQ(probe.seenId, thread);
	// The OS name holds the first 15 bytes.
	EXPECT_STREQ(probe.osName, "a rather long t");

	// Once waited for, the thread is gone.
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_BAD_THREAD_ID);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_ID);
	EXPECT_EQ(find_thread("a rather long thread name"), B_NAME_NOT_FOUND);
}


TEST(Threads, WaitStartsSuspendedAndKeepsValueOfEndedThread)
{
	Probe probe;
	thread_id thread = spawn_thread(SleepBriefly, "sleeper", B_NORMAL_PRIORITY,
		&probe);
	ASSERT_GT(thread, 0);
	status_t exitValue = 0;
	bigtime_t start = system_time();
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_GE(system_time() - start, 50000);
	EXPECT_EQ(exitValue, 7);

	// A thread that ended before anyone waited still reports its value.
	Probe quick;
	thread = spawn_thread(RecordAndReturn, "quick", B_NORMAL_PRIORITY, &quick);
	resume_thread(thread);
	EXPECT_EQ(resume_thread(thread), B_BAD_THREAD_STATE);
	while (quick.ran.load() == 0)
		snooze(1000);
	snooze(10000);
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(exitValue, 42);
}


TEST(Threads, RefusalsAndKillingUnstartedThread)
{
	EXPECT_EQ(spawn_thread(NULL, "none", B_NORMAL_PRIORITY, NULL), B_BAD_VALUE);
	EXPECT_EQ(wait_for_thread(find_thread(NULL), NULL), B_WOULD_DEADLOCK);
	EXPECT_EQ(wait_for_thread(-5, NULL), B_BAD_THREAD_ID);

	Probe probe;
	thread_id thread = spawn_thread(RecordAndReturn, "never", B_NORMAL_PRIORITY,
		&probe);
	EXPECT_EQ(kill_thread(thread), B_OK);
	status_t exitValue = 0;
	EXPECT_EQ(wait_for_thread(thread, &exitValue), B_OK);
	EXPECT_EQ(probe.ran.load(), 0);
}


TEST(Time, SystemTimeIsMonotonicMicrosecondsAndSnoozeSleeps)
{
	bigtime_t before = system_time();
	snooze(30000);
	bigtime_t elapsed = system_time() - before;
	EXPECT_GE(elapsed, 30000);
	EXPECT_LT(elapsed, 2000000);
	EXPECT_EQ(snooze(-1), B_OK);
	EXPECT_NEAR((double)real_time_clock(), (double)time(NULL), 2);
}
