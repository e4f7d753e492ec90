// The links between programs: every running application listens on a
// Unix-domain socket in the user's runtime folder, named by its signature
// and process id; a program keeps one connection per peer program and
// sends its messages to that peer over it, in order. One thread per program
// reads every socket; it only posts what arrives to the loopers (and hands
// replies to the threads waiting for them). Sending never blocks: frames
// are queued and written when the socket takes them.
#ifndef _REMOTE_LINKS_H
#define _REMOTE_LINKS_H

#include <string>
#include <vector>

#include <SupportDefs.h>

class BMessage;

namespace BPrivate {

class RemoteLinks {
public:
	// Listens for the application with the signature in the runtime
	// folder (or in folder, for tests), after removing the signature's
	// stale sockets. Messages to the application go to the looper with
	// applicationToken.
	static	status_t		Listen(const char* signature,
								int32 applicationToken,
								const char* folder = NULL);
	// Removes the socket; links already open stay.
	static	void			StopListening();
	// The socket's path while listening, else "".
	static	std::string		SocketPath();

	// The socket file name of the signature's program with the id; the
	// same for every spelling of the signature's case.
	static	std::string		SocketName(const char* signature, team_id team);

	// The ids of the running programs with the signature, oldest socket
	// first; sockets nobody listens on any more are removed on the way.
	static	std::vector<team_id> FindApplications(const char* signature,
								const char* folder = NULL);
	// The signature's program that runs (not this program), or -1.
	static	team_id			FindApplication(const char* signature);
	// The signature under which the program with the id listens, if known.
	static	bool			SignatureOf(team_id team, std::string& signature);
	// True while the program with the id runs and can be reached.
	static	bool			IsReachable(team_id team);

	// Queues the message for the looper (kApplicationLooperToken: the
	// application) of the program; the message carries its target handler
	// and reply address already. Does not block.
	static	status_t		Post(team_id team, int32 looperToken,
								const BMessage& message);
	// Sends and waits at most timeout for the reply. On the GUI thread
	// the wait runs a nested event loop, so the program stays responsive.
	static	status_t		SendAndWait(team_id team, int32 looperToken,
								const BMessage& message, BMessage* reply,
								bigtime_t timeout);

	// Waits until every queued frame is written, at most timeout.
	static	void			Flush(bigtime_t timeout);

	// Counts for tests: open links and links refused for their user.
	static	int32			CountLinks();
	static	int32			CountRefusedPeers();
};

}	// namespace BPrivate

#endif	// _REMOTE_LINKS_H
