// A plain looper that keeps a copy of every message it gets, for tests
// that stand in for the application or for scanlet's own looper.
#ifndef SCANLET_TEST_COLLECTOR_H
#define SCANLET_TEST_COLLECTOR_H

#include <condition_variable>
#include <mutex>
#include <vector>

#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

class Collector : public BLooper {
public:
	Collector() : BLooper("collector") {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fMessages.push_back(*message);
		fChanged.notify_all();
	}

	// Waits until count messages of the code arrived (or 5 s passed) and
	// returns those that did.
	std::vector<BMessage> WaitFor(uint32 what, size_t count,
		bigtime_t timeout = 5000000)
	{
		std::unique_lock<std::mutex> guard(fLock);
		fChanged.wait_for(guard, std::chrono::microseconds(timeout),
			[&] { return _Of(what).size() >= count; });
		return _Of(what);
	}

	// Starts a collector; End() takes it down.
	static Collector* Start()
	{
		Collector* collector = new Collector;
		collector->Run();
		return collector;
	}

	void End()
	{
		Lock();
		Quit();
	}

	BMessenger Messenger() { return BMessenger(NULL, this); }

private:
	std::vector<BMessage> _Of(uint32 what)
	{
		std::vector<BMessage> found;
		for (const BMessage& message : fMessages) {
			if (message.what == what)
				found.push_back(message);
		}
		return found;
	}

	std::mutex				fLock;
	std::condition_variable	fChanged;
	std::vector<BMessage>	fMessages;
};

#endif	// SCANLET_TEST_COLLECTOR_H
