#include <Looper.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include <Autolock.h>
#include <Handler.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

#include <gtest/gtest.h>

namespace {

const uint32 kMsgNumbered = 'numb';
const uint32 kMsgSlow = 'slow';
const uint32 kMsgQuitSelf = 'quit';
const uint32 kMsgAnswer = 'answ';
const uint32 kMsgAnswerTwice = 'ans2';
const uint32 kMsgIgnore = 'ignr';
const uint32 kMsgDetach = 'dtch';


std::atomic<int> sNumbered{0};

// What a handler saw of its looper after calling Quit().
struct QuitSeen {
	bool		handled = false;
	std::string	name;
	bool		deleted = true;
} sQuitSeen;


// A looper that records what it gets and tells when it is gone.
class Recorder : public BLooper {
public:
	Recorder(std::atomic<bool>* deleted = NULL)
		: BLooper("recorder"), fDeleted(deleted) {}
	~Recorder() override
	{
		if (fDeleted != NULL)
			*fDeleted = true;
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kMsgNumbered:
			{
				sNumbered++;
				int32 sender, sequence;
				if (message->FindInt32("sender", &sender) == B_OK
					&& message->FindInt32("sequence", &sequence) == B_OK) {
					std::lock_guard<std::mutex> guard(fLock);
					fSeen.push_back({ sender, sequence });
				}
				break;
			}
			case kMsgSlow:
				snooze(message->GetInt64("delay", 0));
				fSlowDone++;
				break;
			case kMsgQuitSelf:
				// The rest of this handler still runs on a live looper.
				PostMessage(kMsgNumbered);
				Quit();
				sQuitSeen.name = Name();
				sQuitSeen.deleted = fDeleted != NULL && fDeleted->load();
				sQuitSeen.handled = true;
				break;
			case kMsgAnswer:
			{
				BMessage reply(B_REPLY);
				reply.AddInt32("double", 2 * message->GetInt32("value", 0));
				fReplyStatus = message->SendReply(&reply);
				break;
			}
			case kMsgAnswerTwice:
				message->SendReply(B_REPLY);
				fReplyStatus = message->SendReply(B_REPLY);
				break;
			case kMsgIgnore:
				break;
			case kMsgDetach:
				fDetached = DetachCurrentMessage();
				fCurrentAfterDetach = CurrentMessage();
				break;
			default:
				BLooper::MessageReceived(message);
				break;
		}
	}

	std::vector<std::pair<int32, int32>> Seen()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fSeen;
	}

	std::atomic<bool>*	fDeleted;
	std::mutex			fLock;
	std::vector<std::pair<int32, int32>> fSeen;
	std::atomic<int>	fSlowDone{0};
	std::atomic<status_t> fReplyStatus{B_ERROR};
	BMessage*			fDetached = NULL;
	BMessage*			fCurrentAfterDetach = (BMessage*)1;
};


class Counter : public BHandler {
public:
	Counter() : BHandler("counter") {}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == kMsgNumbered)
			fCount++;
		else
			BHandler::MessageReceived(message);
	}
	std::atomic<int> fCount{0};
};


struct Poster {
	BMessenger	target;
	int32		sender;
	int32		count;
};


status_t
PostNumbered(void* data)
{
	Poster* poster = (Poster*)data;
	for (int32 i = 0; i < poster->count; i++) {
		BMessage message(kMsgNumbered);
		message.AddInt32("sender", poster->sender);
		message.AddInt32("sequence", i);
		if (poster->target.SendMessage(&message) != B_OK)
			return B_ERROR;
	}
	return B_OK;
}


template<typename Condition>
bool
WaitFor(Condition condition, bigtime_t timeout = 5000000)
{
	bigtime_t end = system_time() + timeout;
	while (!condition()) {
		if (system_time() > end)
			return false;
		snooze(1000);
	}
	return true;
}


void
QuitAndWait(BLooper* looper, std::atomic<bool>& deleted)
{
	if (looper->Lock())
		looper->Quit();
	EXPECT_TRUE(WaitFor([&] { return deleted.load(); }));
}

}	// namespace


TEST(BLooper, KeepsEachSendersOrderWithPostsFromSeveralThreads)
{
	std::atomic<bool> deleted{false};
	Recorder* looper = new Recorder(&deleted);
	looper->Run();
	const int32 kThreads = 4, kEach = 500;
	Poster posters[kThreads];
	thread_id threads[kThreads];
	for (int32 i = 0; i < kThreads; i++) {
		posters[i] = { BMessenger(looper), i, kEach };
		threads[i] = spawn_thread(PostNumbered, "poster", B_NORMAL_PRIORITY,
			&posters[i]);
		resume_thread(threads[i]);
	}
	for (int32 i = 0; i < kThreads; i++) {
		status_t result;
		wait_for_thread(threads[i], &result);
		EXPECT_EQ(result, B_OK);
	}
	ASSERT_TRUE(WaitFor([&] {
		return looper->Seen().size() == (size_t)(kThreads * kEach); }));
	std::vector<int32> next(kThreads, 0);
	for (const auto& entry : looper->Seen()) {
		ASSERT_EQ(entry.second, next[entry.first]) << "sender " << entry.first;
		next[entry.first]++;
	}
	QuitAndWait(looper, deleted);
}


TEST(BLooper, TargetsHandlersAndThePreferredHandler)
{
	std::atomic<bool> deleted{false};
	Recorder* looper = new Recorder(&deleted);
	Counter* counter = new Counter;
	Counter stranger;
	looper->AddHandler(counter);
	EXPECT_EQ(counter->Looper(), looper);
	EXPECT_EQ(counter->NextHandler(), looper);
	EXPECT_EQ(looper->CountHandlers(), 2);
	looper->Run();

	EXPECT_EQ(looper->PostMessage(kMsgNumbered, counter), B_OK);
	EXPECT_EQ(looper->PostMessage(kMsgNumbered, &stranger), B_MISMATCHED_VALUES);
	looper->Lock();
	looper->SetPreferredHandler(counter);
	looper->Unlock();
	EXPECT_EQ(looper->PostMessage(kMsgNumbered), B_OK);
	EXPECT_TRUE(WaitFor([&] { return counter->fCount.load() == 2; }));

	// A handler removed from its looper no longer gets messages sent to it.
	BMessenger toCounter(counter);
	looper->Lock();
	EXPECT_TRUE(looper->RemoveHandler(counter));
	EXPECT_EQ(looper->PreferredHandler(), (BHandler*)NULL);
	looper->Unlock();
	EXPECT_EQ(toCounter.SendMessage(kMsgNumbered), B_OK);
	BMessage reply;
	EXPECT_EQ(toCounter.SendMessage(kMsgNumbered, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);
	EXPECT_EQ(counter->fCount.load(), 2);
	delete counter;
	QuitAndWait(looper, deleted);
}


TEST(BLooper, LockIsRecursiveTimedAndSafeOnADeletedLooper)
{
	std::atomic<bool> deleted{false};
	Recorder* looper = new Recorder(&deleted);
	// Made locked; Run gives the lock up.
	EXPECT_TRUE(looper->IsLocked());
	looper->Run();
	EXPECT_FALSE(looper->IsLocked());

	EXPECT_TRUE(looper->Lock());
	EXPECT_TRUE(looper->Lock());
	EXPECT_EQ(looper->CountLocks(), 2);
	EXPECT_EQ(looper->LockingThread(), find_thread(NULL));
	// Another thread cannot take it meanwhile.
	std::atomic<status_t> other{B_OK};
	void* arguments[] = { looper, &other };
	thread_id thread = spawn_thread([](void* data) -> status_t {
		BLooper* target = (BLooper*)((void**)data)[0];
		*(std::atomic<status_t>*)((void**)data)[1]
			= target->LockWithTimeout(20000);
		return B_OK;
	}, "locker", B_NORMAL_PRIORITY, arguments);
	wait_for_thread(thread, NULL);
	EXPECT_EQ(other.load(), B_TIMED_OUT);
	looper->Unlock();
	EXPECT_TRUE(looper->IsLocked());
	looper->Unlock();
	EXPECT_FALSE(looper->IsLocked());

	{
		BAutolock lock(looper);
		EXPECT_TRUE(lock.IsLocked());
		looper->Quit();
	}
	EXPECT_TRUE(deleted.load());
	EXPECT_FALSE(looper->Lock());
	EXPECT_EQ(looper->LockWithTimeout(1000), B_BAD_VALUE);
	EXPECT_FALSE(looper->IsLocked());
	EXPECT_EQ(looper->PostMessage(kMsgNumbered), B_BAD_PORT_ID);
}


TEST(BLooper, QuitFromOwnHandlerDefersDeleteAndDropsLaterMessages)
{
	std::atomic<bool> deleted{false};
	Recorder* looper = new Recorder(&deleted);
	BMessenger messenger(looper);
	looper->Run();
	sNumbered = 0;
	sQuitSeen = QuitSeen();
	// Block the looper, then queue the quit and more behind it.
	BMessage slow(kMsgSlow);
	slow.AddInt64("delay", 100000);
	messenger.SendMessage(&slow);
	messenger.SendMessage(kMsgQuitSelf);
	messenger.SendMessage(kMsgNumbered);
	// A waiting sender of a message dropped by the quit gets B_NO_REPLY.
	BMessage reply;
	EXPECT_EQ(messenger.SendMessage(kMsgAnswer, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);

	ASSERT_TRUE(WaitFor([&] { return deleted.load(); }));
	EXPECT_EQ(sNumbered.load(), 0) << "messages behind the quit are dropped";
	EXPECT_TRUE(sQuitSeen.handled);
	EXPECT_EQ(sQuitSeen.name, "recorder");
	EXPECT_FALSE(sQuitSeen.deleted) << "the delete waits for the handler";
	EXPECT_FALSE(messenger.IsValid());
	EXPECT_EQ(messenger.SendMessage(kMsgNumbered), B_BAD_PORT_ID);
	EXPECT_EQ(messenger.SendMessage(kMsgNumbered, &reply), B_BAD_PORT_ID);
}


TEST(BLooper, QuitFromAnotherThreadWorksOffTheQueueFirst)
{
	std::atomic<bool> deleted{false};
	Recorder* looper = new Recorder(&deleted);
	looper->Run();
	BMessage slow(kMsgSlow);
	slow.AddInt64("delay", 20000);
	for (int i = 0; i < 5; i++)
		looper->PostMessage(&slow);
	Recorder* observed = looper;
	std::atomic<int>* done = &observed->fSlowDone;
	int seen = -1;
	// The destructor runs on the looper thread before Quit returns.
	class Watch : public BHandler {
	public:
		Watch(std::atomic<int>* done, int* seen) : fDone(done), fSeen(seen) {}
		~Watch() override { *fSeen = fDone->load(); }
		std::atomic<int>* fDone;
		int* fSeen;
	};
	Watch* watch = new Watch(done, &seen);
	looper->Lock();
	looper->AddHandler(watch);
	looper->Quit();
	EXPECT_TRUE(deleted.load()) << "Quit from outside waits for the end";
	delete watch;
	EXPECT_EQ(seen, 5);
}


TEST(BLooper, CurrentMessageCanBeDetached)
{
	std::atomic<bool> deleted{false};
	Recorder* looper = new Recorder(&deleted);
	looper->Run();
	BMessage message(kMsgDetach);
	message.AddString("keep", "me");
	looper->PostMessage(&message);
	ASSERT_TRUE(WaitFor([&] { return looper->fDetached != NULL; }));
	EXPECT_EQ(looper->fCurrentAfterDetach, (BMessage*)NULL);
	EXPECT_STREQ(looper->fDetached->GetString("keep"), "me");
	EXPECT_TRUE(looper->fDetached->WasDelivered());
	delete looper->fDetached;
	QuitAndWait(looper, deleted);
}


TEST(BMessenger, RepliesTimeoutsAndDeadlocks)
{
	std::atomic<bool> deleted{false};
	Recorder* looper = new Recorder(&deleted);
	BMessenger messenger(looper);
	EXPECT_TRUE(messenger.IsValid());
	EXPECT_EQ(messenger.Target(NULL), (BHandler*)looper);
	looper->Run();

	BMessage request(kMsgAnswer);
	request.AddInt32("value", 21);
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage(&request, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	EXPECT_EQ(reply.GetInt32("double", 0), 42);
	EXPECT_TRUE(reply.IsReply());
	EXPECT_TRUE(WaitFor([&] { return looper->fReplyStatus.load() == B_OK; }));

	// The second reply to the same message is refused.
	EXPECT_EQ(messenger.SendMessage(kMsgAnswerTwice, &reply), B_OK);
	EXPECT_TRUE(WaitFor([&] {
		return looper->fReplyStatus.load() == B_DUPLICATE_REPLY; }));

	// No answer: B_NO_REPLY once the message is done with.
	EXPECT_EQ(messenger.SendMessage(kMsgIgnore, &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_NO_REPLY);

	// Nobody understands: the default handler says so.
	EXPECT_EQ(messenger.SendMessage('what', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);

	// A reply that does not come in time; the late reply is refused.
	BMessage slow(kMsgSlow);
	slow.AddInt64("delay", 200000);
	messenger.SendMessage(&slow);
	bigtime_t start = system_time();
	EXPECT_EQ(messenger.SendMessage(&request, &reply, B_INFINITE_TIMEOUT,
		30000), B_TIMED_OUT);
	EXPECT_LT(system_time() - start, 150000);
	EXPECT_TRUE(WaitFor([&] {
		return looper->fReplyStatus.load() == B_BAD_PORT_ID; }));

	// Holding the looper's lock while waiting for it would never end.
	looper->Lock();
	EXPECT_EQ(messenger.SendMessage(&request, &reply), B_WOULD_DEADLOCK);
	looper->Unlock();

	EXPECT_EQ(BMessenger().SendMessage(kMsgAnswer), B_BAD_PORT_ID);
	EXPECT_EQ(messenger.SendMessage((BMessage*)NULL), B_BAD_VALUE);
	QuitAndWait(looper, deleted);
	EXPECT_EQ(messenger.SendMessage(&request, &reply), B_BAD_PORT_ID);
}


TEST(BMessenger, LooperSendingToItselfWithReplyIsRefused)
{
	class Self : public BLooper {
	public:
		Self() : BLooper("self") {}
		void MessageReceived(BMessage* message) override
		{
			if (message->what == kMsgNumbered) {
				BMessage reply;
				fStatus = BMessenger(this).SendMessage(kMsgIgnore, &reply);
			} else
				BLooper::MessageReceived(message);
		}
		std::atomic<status_t> fStatus{B_OK};
	};
	Self* looper = new Self;
	looper->Run();
	looper->PostMessage(kMsgNumbered);
	EXPECT_TRUE(WaitFor([&] {
		return looper->fStatus.load() == B_WOULD_DEADLOCK; }));
	looper->Lock();
	looper->Quit();
}


TEST(BMessenger, ConstructionChecksHandlerAndLooper)
{
	status_t status;
	BHandler loose;
	BMessenger none(&loose, NULL, &status);
	EXPECT_EQ(status, B_BAD_HANDLER);
	EXPECT_FALSE(none.IsValid());
	BMessenger empty((BHandler*)NULL, NULL, &status);
	EXPECT_EQ(status, B_BAD_VALUE);

	BLooper* a = new BLooper("a");
	BLooper* b = new BLooper("b");
	BMessenger mismatched(a, b, &status);
	EXPECT_EQ(status, B_MISMATCHED_VALUES);
	BMessenger preferred(NULL, b, &status);
	EXPECT_EQ(status, B_OK);
	BLooper* found = NULL;
	EXPECT_EQ(preferred.Target(&found), (BHandler*)NULL);
	EXPECT_EQ(found, b);
	EXPECT_TRUE(preferred.LockTarget());
	b->Unlock();
	a->Quit();
	b->Quit();
	EXPECT_FALSE(preferred.IsValid());
	EXPECT_FALSE(preferred.LockTarget());
}


TEST(BLooper, PostingNeverBlocksAndAFullQueueIsRefused)
{
	// Nobody dispatches: a looper that never ran.
	std::atomic<bool> deleted{false};
	Recorder* looper = new Recorder(&deleted);
	looper->Unlock();
	BMessage message(kMsgNumbered);
	bigtime_t start = system_time();
	status_t status = B_OK;
	int32 posted = 0;
	while ((status = looper->PostMessage(&message)) == B_OK && posted < 200000)
		posted++;
	EXPECT_EQ(status, B_WOULD_BLOCK);
	EXPECT_EQ(posted, 100000);
	EXPECT_LT(system_time() - start, 5000000);
	EXPECT_TRUE(looper->IsMessageWaiting());
	looper->Lock();
	looper->Quit();
	EXPECT_TRUE(deleted.load()) << "a looper that never ran goes at once";
}
