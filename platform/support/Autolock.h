// BAutolock: holds a BLocker or a looper's lock for the life of a scope.
#ifndef _AUTOLOCK_H
#define _AUTOLOCK_H

#include <Locker.h>

class BLooper;

class BAutolock {
public:
	BAutolock(BLocker* locker)
		: fLocker(locker), fLooper(NULL), fIsLocked(locker != NULL && locker->Lock()) {}
	BAutolock(BLocker& locker)
		: fLocker(&locker), fLooper(NULL), fIsLocked(locker.Lock()) {}
	BAutolock(BLooper* looper);
	~BAutolock();

	bool IsLocked() const { return fIsLocked; }
	void Unlock();

private:
	BAutolock(const BAutolock&) = delete;
	BAutolock& operator=(const BAutolock&) = delete;

	BLocker*	fLocker;
	BLooper*	fLooper;
	bool		fIsLocked;
};

#endif	// _AUTOLOCK_H
