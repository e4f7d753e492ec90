// Private state of loopers and the process-wide registry of handlers and
// loopers. Queues and messengers refer to targets by token; a token is
// looked up under the registry lock, so a looper that has quit (its token
// unregistered) is never reached again.
#ifndef _LOOPER_PRIVATE_H
#define _LOOPER_PRIVATE_H

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include <Locker.h>
#include <Point.h>
#include <OS.h>

class BHandler;
class BLooper;
class BMessage;
class BWindow;

namespace BPrivate {

// The queue never blocks a poster; beyond this many waiting messages a post
// is refused with B_WOULD_BLOCK rather than growing without bound.
const size_t kMaxQueuedMessages = 100000;

// Where a synchronous sender waits for its reply.
struct ReplySlot {
	std::atomic<int32>		refs{1};
	std::mutex				lock;
	std::condition_variable	changed;
	BMessage*				reply = NULL;
	bool					done = false;
	bool					abandoned = false;
	// A slot that answers a sender in another program: Deliver hands the
	// reply to forward (which owns it then) instead of keeping it.
	void					(*forward)(ReplySlot* slot, BMessage* reply)
								= NULL;
	int32					linkId = -1;
	uint32					replyId = 0;

	void					Acquire() { refs++; }
	void					Release();
	// Hands the reply (owned) to the waiting sender; B_DUPLICATE_REPLY if
	// one came already, B_BAD_PORT_ID if the sender stopped waiting.
	status_t				Deliver(BMessage* reply);
	bool					IsWaiting();
};

// A looper's lock outlives the looper, so a thread that waits on it while
// the looper is deleted wakes up and sees it dead.
struct LooperLock {
	BLocker					locker{"looper lock"};
	std::atomic<bool>		dead{false};
	std::atomic<thread_id>	owner{-1};
};

struct LooperState {
	int32					token = -1;
	int32					priority = B_NORMAL_PRIORITY;
	std::shared_ptr<LooperLock> lock = std::make_shared<LooperLock>();

	std::mutex				queueLock;
	std::condition_variable	queueChanged;
	std::deque<BMessage*>	queue;

	thread_id				thread = -1;
	thread_id				constructorLockThread = -1;
	bool					runCalled = false;
	bool					gui = false;
	bool					eventPosted = false;
	// Quit() was called: no further messages are taken; the looper is
	// deleted as soon as no dispatch of it is on the stack.
	bool					terminating = false;
	bool					quitPosted = false;
	int32					dispatchDepth = 0;
};

// The registry. All functions take the registry lock themselves.
int32		register_handler(BHandler* handler);
void		unregister_handler(int32 token);
BHandler*	handler_for_token(int32 token);

void		register_looper(BLooper* looper, int32 token);
// The looper takes no more messages; returns false if it was gone already.
bool		unregister_looper(BLooper* looper);
bool		is_looper_alive(const BLooper* looper);
std::shared_ptr<LooperLock> looper_lock(const BLooper* looper);
// Loopers that take messages, in creation order.
std::vector<BLooper*> live_loopers();
BLooper*	looper_for_token(int32 token);

// Windows in creation order (see register_window in AppPrivate.h).
std::vector<std::pair<BWindow*, BLooper*>> registered_windows();
bool		is_window_registered(BWindow* window);

// Queues the message (taking ownership) for the looper with the token; the
// message must already carry its target handler and reply address.
status_t	post_to_looper_token(int32 looperToken, BMessage* message);
status_t	post_to_looper(const BLooper* looper, BMessage* message);
// Whether the calling thread may wait for a reply from the looper:
// B_WOULD_DEADLOCK if the looper could only answer through this thread
// (the GUI thread for a GUI looper, the looper's own thread, the holder of
// its lock), B_BAD_PORT_ID if it is gone.
status_t	check_reply_wait(int32 looperToken);

// Access to the private parts of loopers and messages for the kit.
class LooperAccess {
public:
	static	LooperState*	State(BLooper* looper);
	static	int32			Token(const BHandler* handler);
	// Dispatches one message of a GUI looper (on the GUI thread); called
	// by the dispatcher for the Qt event carrying the looper's token.
	static	void			DispatchGuiEvent(int32 looperToken);
	// True if a dispatch of the looper is on the stack right now.
	static	bool			IsBusy(BLooper* looper);
};

// Access to the delivery state of messages for the kit.
class MessageAccess {
public:
	// Forgets where the message came from (a copy about to be posted).
	static	void			ResetDelivery(BMessage* message);
	static	void			SetTarget(BMessage* message, int32 handlerToken,
								bool preferred);
	static	int32			TargetToken(const BMessage* message);
	static	bool			IsPreferredTarget(const BMessage* message);
	static	void			SetReplyTo(BMessage* message, team_id team,
								int32 looperToken, int32 handlerToken,
								bool preferred);
	// The message answers the slot; it sends B_NO_REPLY when it is deleted
	// unanswered.
	static	void			SetReplySlot(BMessage* message, ReplySlot* slot);
	static	ReplySlot*		ReplySlotOf(const BMessage* message);
	static	void			SetDelivered(BMessage* message);
	static	void			SetIsReply(BMessage* message);
	static	void			SetDropped(BMessage* message, BPoint where,
								BPoint offset);
	// Makes to answer B_NO_REPLY on deletion instead of from.
	static	void			MoveReplyDuty(BMessage* to, BMessage* from);
	// A message that came from another program has not been delivered nor
	// answered here yet, whatever its flat form says.
	static	void			ClearDeliveryState(BMessage* message);
	// The program the message came from, when it gave no reply address.
	static	void			SetSourceTeam(BMessage* message, team_id team);
};

// Wakes the GUI thread's dispatcher for the looper (posts a Qt event);
// implemented with Qt, in AppPrivate.cpp.
void		post_gui_event(int32 looperToken);
// Checks the innermost nested loop's condition; called after every
// dispatched message.
void		check_nested_loops();
// True while a nested loop (a modal wait) runs on the GUI thread.
bool		in_nested_loop();

}	// namespace BPrivate

#endif	// _LOOPER_PRIVATE_H
