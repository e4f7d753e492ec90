// BLooper: a message queue and the loop that dispatches it to handlers.
#ifndef _LOOPER_H
#define _LOOPER_H

#include <Handler.h>
#include <List.h>
#include <OS.h>

class BMessage;

namespace BPrivate {
	struct LooperState;
	class LooperAccess;
}

#define B_LOOPER_PORT_DEFAULT_CAPACITY 200

class BLooper : public BHandler {
public:
	// A new looper is locked by the thread that makes it; Run() (or being
	// started on the GUI thread) releases that lock.
							BLooper(const char* name = NULL,
								int32 priority = B_NORMAL_PRIORITY,
								int32 portCapacity
									= B_LOOPER_PORT_DEFAULT_CAPACITY);
	virtual					~BLooper();

	// Posting never blocks and works from any thread. A handler must belong
	// to this looper (B_MISMATCHED_VALUES); without one the message goes to
	// the preferred handler. A looper that has quit gives B_BAD_PORT_ID.
			status_t		PostMessage(uint32 command);
			status_t		PostMessage(BMessage* message);
			status_t		PostMessage(uint32 command, BHandler* handler,
								BHandler* replyTo = NULL);
			status_t		PostMessage(BMessage* message, BHandler* handler,
								BHandler* replyTo = NULL);

	virtual	void			DispatchMessage(BMessage* message,
								BHandler* handler);
	virtual	void			MessageReceived(BMessage* message);
			BMessage*		CurrentMessage() const;
			BMessage*		DetachCurrentMessage();
			bool			IsMessageWaiting() const;

			void			AddHandler(BHandler* handler);
			bool			RemoveHandler(BHandler* handler);
			int32			CountHandlers() const;
			BHandler*		HandlerAt(int32 index) const;
			int32			IndexOf(BHandler* handler) const;

			BHandler*		PreferredHandler() const;
			void			SetPreferredHandler(BHandler* handler);

	// A plain looper gets a thread of its own; returns its id.
	virtual	thread_id		Run();
	// Called from the looper's own dispatch, the delete waits until the
	// handler returns; the looper stops taking messages at once. From another
	// thread the queue is worked off first.
	virtual	void			Quit();
	virtual	bool			QuitRequested();

	// Recursive; safe on a looper that has been deleted (returns false).
			bool			Lock();
			void			Unlock();
			bool			IsLocked() const;
			status_t		LockWithTimeout(bigtime_t timeout);
			thread_id		Thread() const;
			team_id			Team() const;
			thread_id		LockingThread() const;
			int32			CountLocks() const;

	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 what,
								const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

	static	BLooper*		LooperForThread(thread_id thread);

private:
	friend class BPrivate::LooperAccess;
	friend class BMessenger;
	friend class BApplication;

							BLooper(const BLooper&) = delete;
			BLooper&		operator=(const BLooper&) = delete;

			void			_QuitRequested(BMessage* message);
			void			_DispatchOne(BMessage* message);
			BHandler*		_ResolveSpecifier(BHandler* target,
								BMessage* message);
			void			_Loop();
	static	status_t		_LoopThread(void* data);

			BPrivate::LooperState* fState;
			BList			fHandlers;
			BHandler*		fPreferred;
			BMessage*		fLastMessage;
};

#endif	// _LOOPER_H
