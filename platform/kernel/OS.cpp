// Threads on POSIX threads. Each spawned thread has a record in a registry
// keyed by its Linux thread id; the record outlives the thread until it is
// waited for (only a bounded number of unclaimed ones are kept), so that
// wait_for_thread after the end still hands back the exit value.
#include <OS.h>

#include <errno.h>
#include <pthread.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace {

enum ThreadState { kSuspended, kRunning, kDone, kKilled };

struct ThreadRecord {
	thread_id		id = -1;
	std::string		name;
	int32			priority = B_NORMAL_PRIORITY;
	thread_func		function = NULL;
	void*			data = NULL;
	ThreadState		state = kSuspended;
	status_t		exitValue = B_OK;
};

typedef std::shared_ptr<ThreadRecord> RecordRef;

// Records of ended threads nobody waited for; the oldest are forgotten.
const size_t kMaxUnclaimed = 256;

// The registry is never destroyed: a thread may still end while the
// process exits, after the destructors of statics ran, and must find its
// record then.
std::mutex sLock;
std::condition_variable& sChanged = *new std::condition_variable;
std::map<thread_id, RecordRef>& sThreads = *new std::map<thread_id, RecordRef>;
std::deque<thread_id>& sUnclaimed = *new std::deque<thread_id>;


void
SetOsName(const char* name)
{
	// Linux keeps 15 bytes plus the terminator.
	char shortName[16];
	strncpy(shortName, name != NULL ? name : "", sizeof(shortName) - 1);
	shortName[sizeof(shortName) - 1] = '\0';
	pthread_setname_np(pthread_self(), shortName);
}


void
ApplyPriority(thread_id thread, int32 priority)
{
	// Only lowering is possible without privileges; a lower BeOS priority
	// becomes a higher nice value than the process' own.
	if (priority >= B_NORMAL_PRIORITY)
		return;
	errno = 0;
	int base = getpriority(PRIO_PROCESS, 0);
	if (errno != 0)
		base = 0;
	int nice = base + (B_NORMAL_PRIORITY - priority);
	if (nice > 19)
		nice = 19;
	setpriority(PRIO_PROCESS, thread, nice);
}


RecordRef
Lookup(thread_id thread)
{
	auto it = sThreads.find(thread);
	return it == sThreads.end() ? RecordRef() : it->second;
}


void*
ThreadStart(void* cookie)
{
	RecordRef* start = (RecordRef*)cookie;
	RecordRef record = *start;
	delete start;

	SetOsName(record->name.c_str());
	thread_id self = (thread_id)gettid();
	{
		std::unique_lock<std::mutex> lock(sLock);
		record->id = self;
		// A record left by an earlier thread with the same (reused) id is
		// replaced.
		sThreads[self] = record;
		sChanged.notify_all();
		sChanged.wait(lock, [&] { return record->state != kSuspended; });
		if (record->state == kKilled) {
			record->state = kDone;
			record->exitValue = B_INTERRUPTED;
			sChanged.notify_all();
			return NULL;
		}
	}
	ApplyPriority(self, record->priority);

	status_t result = record->function(record->data);

	std::lock_guard<std::mutex> lock(sLock);
	record->exitValue = result;
	record->state = kDone;
	if (Lookup(self) == record) {
		sUnclaimed.push_back(self);
		while (sUnclaimed.size() > kMaxUnclaimed) {
			thread_id old = sUnclaimed.front();
			sUnclaimed.pop_front();
			RecordRef oldRecord = Lookup(old);
			if (oldRecord && oldRecord->state == kDone)
				sThreads.erase(old);
		}
	}
	sChanged.notify_all();
	return NULL;
}

}	// namespace


thread_id
spawn_thread(thread_func function, const char* name, int32 priority,
	void* data)
{
	if (function == NULL)
		return B_BAD_VALUE;

	RecordRef record = std::make_shared<ThreadRecord>();
	record->name = name != NULL ? name : "unnamed thread";
	if (record->name.size() >= B_OS_NAME_LENGTH)
		record->name.resize(B_OS_NAME_LENGTH - 1);
	record->priority = priority;
	record->function = function;
	record->data = data;

	pthread_attr_t attributes;
	pthread_attr_init(&attributes);
	pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
	pthread_t handle;
	RecordRef* start = new RecordRef(record);
	int error = pthread_create(&handle, &attributes, ThreadStart, start);
	pthread_attr_destroy(&attributes);
	if (error != 0) {
		delete start;
		return error == EAGAIN ? (status_t)B_NO_MORE_THREADS : (status_t)B_NO_MEMORY;
	}

	// The id is only known once the thread runs.
	std::unique_lock<std::mutex> lock(sLock);
	sChanged.wait(lock, [&] { return record->id >= 0; });
	return record->id;
}


status_t
resume_thread(thread_id thread)
{
	std::lock_guard<std::mutex> lock(sLock);
	RecordRef record = Lookup(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	if (record->state != kSuspended)
		return B_BAD_THREAD_STATE;
	record->state = kRunning;
	sChanged.notify_all();
	return B_OK;
}


status_t
wait_for_thread(thread_id thread, status_t* exitValue)
{
	if (thread == (thread_id)gettid())
		return B_WOULD_DEADLOCK;

	std::unique_lock<std::mutex> lock(sLock);
	RecordRef record = Lookup(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	// As on BeOS, waiting for a suspended thread starts it.
	if (record->state == kSuspended) {
		record->state = kRunning;
		sChanged.notify_all();
	}
	sChanged.wait(lock, [&] { return record->state == kDone; });
	if (exitValue != NULL)
		*exitValue = record->exitValue;
	if (Lookup(thread) == record) {
		sThreads.erase(thread);
		for (auto it = sUnclaimed.begin(); it != sUnclaimed.end(); ++it) {
			if (*it == thread) {
				sUnclaimed.erase(it);
				break;
			}
		}
	}
	return B_OK;
}


status_t
kill_thread(thread_id thread)
{
	std::lock_guard<std::mutex> lock(sLock);
	RecordRef record = Lookup(thread);
	if (!record || record->state == kDone)
		return B_BAD_THREAD_ID;
	if (record->state != kSuspended)
		return B_NOT_ALLOWED;
	record->state = kKilled;
	sChanged.notify_all();
	return B_OK;
}


status_t
rename_thread(thread_id thread, const char* newName)
{
	if (newName == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(sLock);
	RecordRef record = Lookup(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	record->name = newName;
	if (record->name.size() >= B_OS_NAME_LENGTH)
		record->name.resize(B_OS_NAME_LENGTH - 1);
	if (thread == (thread_id)gettid())
		SetOsName(newName);
	return B_OK;
}


status_t
set_thread_priority(thread_id thread, int32 newPriority)
{
	std::lock_guard<std::mutex> lock(sLock);
	RecordRef record = Lookup(thread);
	if (!record)
		return B_BAD_THREAD_ID;
	int32 old = record->priority;
	record->priority = newPriority;
	if (record->state == kRunning)
		ApplyPriority(thread, newPriority);
	return old;
}


status_t
get_thread_info(thread_id thread, thread_info* info)
{
	if (info == NULL)
		return B_BAD_VALUE;
	std::lock_guard<std::mutex> lock(sLock);
	RecordRef record = Lookup(thread);
	if (!record || record->state == kDone)
		return B_BAD_THREAD_ID;
	memset(info, 0, sizeof(*info));
	info->thread = thread;
	info->team = getpid();
	strncpy(info->name, record->name.c_str(), sizeof(info->name) - 1);
	info->state = record->state == kSuspended ? B_THREAD_SUSPENDED
		: B_THREAD_RUNNING;
	info->priority = record->priority;
	return B_OK;
}


thread_id
find_thread(const char* name)
{
	if (name == NULL)
		return (thread_id)gettid();
	std::lock_guard<std::mutex> lock(sLock);
	for (const auto& entry : sThreads) {
		if (entry.second->state != kDone && entry.second->name == name)
			return entry.first;
	}
	return B_NAME_NOT_FOUND;
}


status_t
snooze(bigtime_t microseconds)
{
	if (microseconds <= 0)
		return B_OK;
	struct timespec delay;
	delay.tv_sec = microseconds / 1000000;
	delay.tv_nsec = (microseconds % 1000000) * 1000;
	// Signals must not shorten the sleep.
	while (nanosleep(&delay, &delay) != 0 && errno == EINTR)
		;
	return B_OK;
}


status_t
snooze_until(bigtime_t time, int)
{
	return snooze(time - system_time());
}


bigtime_t
system_time(void)
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}


uint32
real_time_clock(void)
{
	return (uint32)::time(NULL);
}


bigtime_t
real_time_clock_usecs(void)
{
	struct timespec now;
	clock_gettime(CLOCK_REALTIME, &now);
	return (bigtime_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}


team_id
current_team(void)
{
	return (team_id)getpid();
}
