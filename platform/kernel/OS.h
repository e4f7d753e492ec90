// Threads and time of the BeOS kernel kit, on POSIX threads.
#ifndef _OS_H
#define _OS_H

#include <SupportDefs.h>

#define B_OS_NAME_LENGTH 32

// Thread priorities as on BeOS. Below normal maps to a higher nice value of
// the Linux thread; above normal is kept but not enforced, since an
// unprivileged process may not raise its threads.
enum {
	B_IDLE_PRIORITY = 0,
	B_LOWEST_ACTIVE_PRIORITY = 1,
	B_LOW_PRIORITY = 5,
	B_NORMAL_PRIORITY = 10,
	B_DISPLAY_PRIORITY = 15,
	B_URGENT_DISPLAY_PRIORITY = 20,
	B_REAL_TIME_DISPLAY_PRIORITY = 100,
	B_URGENT_PRIORITY = 110,
	B_REAL_TIME_PRIORITY = 120
};

typedef enum {
	B_THREAD_RUNNING = 1,
	B_THREAD_READY,
	B_THREAD_RECEIVING,
	B_THREAD_ASLEEP,
	B_THREAD_SUSPENDED,
	B_THREAD_WAITING
} thread_state;

typedef struct {
	thread_id		thread;
	team_id			team;
	char			name[B_OS_NAME_LENGTH];
	thread_state	state;
	int32			priority;
} thread_info;

typedef status_t (*thread_func)(void* data);
// BeOS spells it thread_entry too.
typedef thread_func thread_entry;

// A new thread starts suspended; resume_thread (or wait_for_thread) lets it
// run. The id is the Linux thread id, so it matches what ps and gdb show.
thread_id	spawn_thread(thread_func function, const char* name, int32 priority,
				void* data);
status_t	resume_thread(thread_id thread);
// Waits for the thread's end and hands back what its function returned.
// Waiting for oneself gives B_WOULD_DEADLOCK.
status_t	wait_for_thread(thread_id thread, status_t* exitValue);
// Only a thread that never ran can be killed; a running one gives
// B_NOT_ALLOWED (POSIX offers no safe way to stop it from outside).
status_t	kill_thread(thread_id thread);
status_t	rename_thread(thread_id thread, const char* newName);
status_t	set_thread_priority(thread_id thread, int32 newPriority);
status_t	get_thread_info(thread_id thread, thread_info* info);
// NULL gives the calling thread's id; a name finds a thread made by
// spawn_thread that has not been waited for, else B_NAME_NOT_FOUND.
thread_id	find_thread(const char* name);

status_t	snooze(bigtime_t microseconds);
status_t	snooze_until(bigtime_t time, int timeBase);
// Microseconds on a monotonic clock.
bigtime_t	system_time(void);
// Seconds since the epoch.
uint32		real_time_clock(void);
bigtime_t	real_time_clock_usecs(void);

team_id		current_team(void);

enum { B_SYSTEM_TIMEBASE = 0 };

#endif	// _OS_H
