// What is known of a running application.
#ifndef _ROSTER_H
#define _ROSTER_H

#include <Entry.h>
#include <Messenger.h>
#include <SupportDefs.h>

struct app_info {
							app_info();
							~app_info();

			thread_id		thread;
			team_id			team;
			port_id			port;
			uint32			flags;
			entry_ref		ref;
			char			signature[B_MIME_TYPE_LENGTH];
};

// Launch flags
#define B_SINGLE_LAUNCH			(0x0)
#define B_MULTIPLE_LAUNCH		(0x1)
#define B_EXCLUSIVE_LAUNCH		(0x2)
#define B_LAUNCH_MASK			(0x3)
#define B_BACKGROUND_APP		(0x4)
#define B_ARGV_ONLY				(0x8)
#define _B_APP_INFO_RESERVED1_	(0x10000000)

#define B_REG_DEFAULT_APP_FLAGS	(B_MULTIPLE_LAUNCH)

class BMessage;

// The running applications of this user, found by their sockets in the
// runtime folder, and starting applications through the MIME database.
class BRoster {
public:
							BRoster();
							~BRoster();

			bool			IsRunning(const char* signature) const;
			team_id			TeamFor(const char* signature) const;
	// What is known of the running application with the signature (the
	// oldest one if several run) or the team id: its signature, its ids and
	// its executable.
			status_t		GetAppInfo(const char* signature,
								app_info* info) const;
			status_t		GetRunningAppInfo(team_id team,
								app_info* info) const;

	// Starts the application registered under the signature (a file type
	// starts its preferred application) from its app hint, with the
	// arguments after the program's path: an argument vector, never a
	// shell. If it runs already, the arguments (if any) are sent to it as
	// B_ARGV_RECEIVED, the message (if any) is posted, and the result is
	// B_ALREADY_RUNNING with *team set.
			status_t		Launch(const char* mimeType,
								BMessage* initialMessage = NULL,
								team_id* team = NULL) const;
			status_t		Launch(const char* mimeType, int argc,
								const char* const* args,
								team_id* team = NULL) const;

private:
			status_t		_Launch(const char* mimeType, int argc,
								const char* const* args,
								BMessage* initialMessage,
								team_id* team) const;
};

extern const BRoster* be_roster;

#endif	// _ROSTER_H
