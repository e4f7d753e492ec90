// BLocker over a recursive timed mutex, remembering its owner so that
// IsLocked and LockingThread answer as on BeOS.
#include <Locker.h>

#include <chrono>
#include <functional>

BLocker::BLocker() : BLocker("some BLocker", true) {}
BLocker::BLocker(const char* name) : BLocker(name, true) {}
BLocker::BLocker(bool benaphoreStyle) : BLocker("some BLocker", benaphoreStyle) {}

BLocker::BLocker(const char* name, bool)
	:
	fOwner(std::thread::id()),
	fCount(0),
	fName(name)
{
}


BLocker::~BLocker()
{
}


bool
BLocker::Lock()
{
	fMutex.lock();
	fOwner = std::this_thread::get_id();
	fCount++;
	return true;
}


status_t
BLocker::LockWithTimeout(bigtime_t timeout)
{
	bool locked;
	if (timeout == B_INFINITE_TIMEOUT)
		locked = (fMutex.lock(), true);
	else if (timeout <= 0)
		locked = fMutex.try_lock();
	else
		locked = fMutex.try_lock_for(std::chrono::microseconds(timeout));
	if (!locked)
		return B_TIMED_OUT;
	fOwner = std::this_thread::get_id();
	fCount++;
	return B_OK;
}


void
BLocker::Unlock()
{
	if (fOwner != std::this_thread::get_id())
		return;
	if (--fCount == 0)
		fOwner = std::thread::id();
	fMutex.unlock();
}


thread_id
BLocker::LockingThread() const
{
	std::thread::id owner = fOwner;
	if (owner == std::thread::id())
		return -1;
	return (thread_id)(std::hash<std::thread::id>()(owner) & 0x7fffffff);
}


bool
BLocker::IsLocked() const
{
	return fOwner == std::this_thread::get_id();
}
