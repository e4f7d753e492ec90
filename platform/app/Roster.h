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

#endif	// _ROSTER_H
