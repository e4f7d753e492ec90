// Starting other programs from an argument vector.
#include "Process.h"

#include <errno.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace BPrivate {

// Where programs are looked for when PATH is not set.
static const char* kDefaultPath = "/usr/local/bin:/usr/bin:/bin";


static bool
is_executable_file(const char* path)
{
	struct stat st;
	return stat(path, &st) == 0 && S_ISREG(st.st_mode)
		&& access(path, X_OK) == 0;
}


// Finds name in the absolute folders of PATH.
static status_t
find_in_path(const char* name, std::string& path)
{
	const char* searchPath = getenv("PATH");
	if (searchPath == NULL)
		searchPath = kDefaultPath;

	bool sawFile = false;
	const char* start = searchPath;
	while (true) {
		const char* end = strchr(start, ':');
		size_t length = end != NULL ? (size_t)(end - start) : strlen(start);
		if (length > 0 && start[0] == '/') {
			std::string candidate(start, length);
			if (candidate.back() != '/')
				candidate += '/';
			candidate += name;
			if (is_executable_file(candidate.c_str())) {
				path = candidate;
				return B_OK;
			}
			if (access(candidate.c_str(), F_OK) == 0)
				sawFile = true;
		}
		if (end == NULL)
			break;
		start = end + 1;
	}
	return sawFile ? (status_t)B_PERMISSION_DENIED : (status_t)B_ENTRY_NOT_FOUND;
}


static status_t
status_for_spawn_error(int error)
{
	switch (error) {
		case ENOENT:
		case ENOTDIR:
			return B_ENTRY_NOT_FOUND;
		case EACCES:
		case EPERM:
			return B_PERMISSION_DENIED;
		case ENOEXEC:
			return B_LAUNCH_FAILED_EXECUTABLE;
		case ENOMEM:
			return B_NO_MEMORY;
		case EAGAIN:
			return B_NO_MORE_TEAMS;
		default:
			return B_LAUNCH_FAILED;
	}
}


static int
wait_for_child(pid_t child)
{
	int status = 0;
	while (waitpid(child, &status, 0) < 0) {
		if (errno != EINTR)
			return -1;
	}
	if (WIFEXITED(status))
		return WEXITSTATUS(status);
	if (WIFSIGNALED(status))
		return 128 + WTERMSIG(status);
	return -1;
}


static void*
reap_child(void* data)
{
	wait_for_child((pid_t)(intptr_t)data);
	return NULL;
}


// Starts a detached thread that waits for the child. All signals are
// blocked in it, so it never takes one meant for the program's threads.
static status_t
start_reaper(pid_t child)
{
	pthread_attr_t attributes;
	if (pthread_attr_init(&attributes) != 0)
		return B_NO_MEMORY;
	pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
	pthread_attr_setstacksize(&attributes, 64 * 1024);

	sigset_t all, old;
	sigfillset(&all);
	pthread_sigmask(SIG_SETMASK, &all, &old);
	pthread_t thread;
	int error = pthread_create(&thread, &attributes, reap_child,
		(void*)(intptr_t)child);
	pthread_sigmask(SIG_SETMASK, &old, NULL);
	pthread_attr_destroy(&attributes);
	if (error == 0)
		pthread_setname_np(thread, "reaper");
	return error == 0 ? (status_t)B_OK : (status_t)B_NO_MORE_THREADS;
}


status_t
find_program(const char* name, char* path, size_t size)
{
	if (name == NULL || name[0] == '\0' || strchr(name, '/') != NULL)
		return B_BAD_VALUE;
	std::string found;
	status_t status = find_in_path(name, found);
	if (status != B_OK)
		return status;
	if (path != NULL) {
		if (found.size() >= size)
			return B_NAME_TOO_LONG;
		memcpy(path, found.c_str(), found.size() + 1);
	}
	return B_OK;
}


status_t
start_program(const char* const* argv, bool wait, int* exitStatus,
	pid_t* pid)
{
	if (argv == NULL || argv[0] == NULL)
		return B_BAD_VALUE;
	if (argv[0][0] == '\0')
		return B_ENTRY_NOT_FOUND;

	std::string path = argv[0];
	if (strchr(argv[0], '/') == NULL) {
		status_t status = find_in_path(argv[0], path);
		if (status != B_OK)
			return status;
	}

	posix_spawn_file_actions_t actions;
	posix_spawnattr_t attributes;
	if (posix_spawn_file_actions_init(&actions) != 0)
		return B_NO_MEMORY;
	if (posix_spawnattr_init(&attributes) != 0) {
		posix_spawn_file_actions_destroy(&actions);
		return B_NO_MEMORY;
	}

	// The child inherits nothing but the standard descriptors, and signals
	// behave as in a fresh program (the kits ignore SIGPIPE).
	int error = posix_spawn_file_actions_addclosefrom_np(&actions, 3);
	sigset_t signals;
	sigemptyset(&signals);
	if (error == 0)
		error = posix_spawnattr_setsigmask(&attributes, &signals);
	sigfillset(&signals);
	sigdelset(&signals, SIGKILL);
	sigdelset(&signals, SIGSTOP);
	if (error == 0)
		error = posix_spawnattr_setsigdefault(&attributes, &signals);
	if (error == 0) {
		error = posix_spawnattr_setflags(&attributes,
			POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
	}

	pid_t child = -1;
	if (error == 0) {
		error = posix_spawn(&child, path.c_str(), &actions, &attributes,
			const_cast<char* const*>(argv), environ);
	}
	posix_spawnattr_destroy(&attributes);
	posix_spawn_file_actions_destroy(&actions);
	if (error != 0)
		return status_for_spawn_error(error);

	if (pid != NULL)
		*pid = child;

	if (!wait) {
		// Without a thread to reap it the child would stay a zombie; the
		// program did start, so that is still reported as success.
		start_reaper(child);
		return B_OK;
	}

	int result = wait_for_child(child);
	if (result < 0)
		return B_ERROR;
	if (exitStatus != NULL)
		*exitStatus = result;
	return B_OK;
}


}	// namespace BPrivate
