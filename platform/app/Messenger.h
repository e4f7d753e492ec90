// BMessenger: a safe address of a handler in a looper. It names the target
// by tokens, so a messenger whose looper has gone is merely invalid.
#ifndef _MESSENGER_H
#define _MESSENGER_H

#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

class BMessenger {
public:
							BMessenger();
	// A messenger to the handler (its looper's preferred handler when
	// handler is NULL and looper is given).
							BMessenger(const BHandler* handler,
								const BLooper* looper = NULL,
								status_t* result = NULL);
	// A messenger to the running application with the signature: this
	// program's own, or another program's (the oldest one running, or the
	// one with the team id given), reached over its socket.
							BMessenger(const char* signature,
								team_id team = -1, status_t* result = NULL);
							BMessenger(const BMessenger& other);
							~BMessenger();

			BMessenger&		operator=(const BMessenger& other);
			bool			operator==(const BMessenger& other) const;
			bool			operator!=(const BMessenger& other) const
								{ return !(*this == other); }

			bool			IsTargetLocal() const;
			BHandler*		Target(BLooper** looper) const;
			bool			LockTarget() const;
			status_t		LockTargetWithTimeout(bigtime_t timeout) const;
			bool			IsValid() const;
			team_id			Team() const { return fTeam; }

	// Sending. A messenger that is not valid gives B_BAD_PORT_ID. A send
	// waiting for a reply from the thread that would have to produce it (the
	// GUI thread to a looper it dispatches, a looper to itself, a thread
	// holding the target's lock) gives B_WOULD_DEADLOCK. A reply that does
	// not come within replyTimeout gives B_TIMED_OUT; a message dropped
	// unanswered gives a B_NO_REPLY reply.
			status_t		SendMessage(uint32 command,
								BHandler* replyTo = NULL) const;
			status_t		SendMessage(BMessage* message,
								BHandler* replyTo = NULL,
								bigtime_t timeout = B_INFINITE_TIMEOUT) const;
			status_t		SendMessage(BMessage* message,
								BMessenger replyTo,
								bigtime_t timeout = B_INFINITE_TIMEOUT) const;
			status_t		SendMessage(uint32 command, BMessage* reply) const;
			status_t		SendMessage(BMessage* message, BMessage* reply,
								bigtime_t deliveryTimeout = B_INFINITE_TIMEOUT,
								bigtime_t replyTimeout
									= B_INFINITE_TIMEOUT) const;

	// Private: the tokens of the target.
			int32			_LooperToken() const { return fLooperToken; }
			int32			_HandlerToken() const { return fHandlerToken; }
			bool			_IsPreferred() const { return fPreferred; }
			void			_SetTo(team_id team, int32 looperToken,
								int32 handlerToken, bool preferred);

private:
	static	int32			_LocalLooper(int32 token);

			team_id			fTeam;
			int32			fLooperToken;
			int32			fHandlerToken;
			bool			fPreferred;
};

#endif	// _MESSENGER_H
