// The looper side of BAutolock.
#include <Autolock.h>

#include <Looper.h>


BAutolock::BAutolock(BLooper* looper)
	:
	fLocker(NULL),
	fLooper(looper),
	fIsLocked(looper != NULL && looper->Lock())
{
}


BAutolock::~BAutolock()
{
	Unlock();
}


void
BAutolock::Unlock()
{
	if (!fIsLocked)
		return;
	fIsLocked = false;
	// Unlocking a looper that was deleted meanwhile (it quit) is harmless.
	if (fLooper != NULL)
		fLooper->Unlock();
	else if (fLocker != NULL)
		fLocker->Unlock();
}
