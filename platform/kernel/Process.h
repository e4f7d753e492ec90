// Starting other programs from an argument vector (private to the kits).
#ifndef _PROCESS_H
#define _PROCESS_H

#include <sys/types.h>

#include <SupportDefs.h>

namespace BPrivate {

// Starts argv[0] with the arguments argv[1..] (NULL-terminated), never
// through a shell, so no argument is ever parsed. A name without '/' is
// looked up in the absolute folders of PATH (empty and relative entries
// are skipped, so the working folder is never searched). The child keeps
// only descriptors 0 to 2, gets the default signal dispositions and an
// empty signal mask.
//
// With wait, the call returns once the program has ended and sets
// *exitStatus to its exit code, or 128 + the signal that ended it. Without
// wait it returns at once and a small waiter thread reaps the child.
// Only this child is ever waited for. *pid, if given, is the child's id.
// Looks name (without '/') up in PATH as start_program does: B_OK with the
// full path in path (size bytes, may be NULL) for an executable regular
// file, B_PERMISSION_DENIED when only a non-executable one is there, else
// B_ENTRY_NOT_FOUND.
status_t find_program(const char* name, char* path, size_t size);

status_t start_program(const char* const* argv, bool wait, int* exitStatus,
	pid_t* pid = NULL);

}	// namespace BPrivate

#endif	// _PROCESS_H
