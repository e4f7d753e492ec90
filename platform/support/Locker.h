// BLocker: a recursive lock, owned by the thread that holds it.
#ifndef _LOCKER_H
#define _LOCKER_H

#include <atomic>
#include <mutex>
#include <thread>

#include <SupportDefs.h>

class BLocker {
public:
							BLocker();
							BLocker(const char* name);
							BLocker(bool benaphoreStyle);
							BLocker(const char* name, bool benaphoreStyle);
	virtual					~BLocker();

			status_t		InitCheck() const { return B_OK; }

			bool			Lock();
			status_t		LockWithTimeout(bigtime_t timeout);
			void			Unlock();

			thread_id		LockingThread() const;
			bool			IsLocked() const;
			int32			CountLocks() const { return fCount; }
			const char*		Name() const { return fName; }

private:
			std::recursive_timed_mutex fMutex;
			std::atomic<std::thread::id> fOwner;
			int32			fCount;
			const char*		fName;
};

#endif	// _LOCKER_H
