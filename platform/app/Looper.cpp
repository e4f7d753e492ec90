// BLooper and the registry of handlers and loopers.
#include <Looper.h>

#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include <AppPrivate.h>
#include <Application.h>
#include <Message.h>
#include <Messenger.h>

#include "LooperPrivate.h"

using BPrivate::LooperAccess;
using BPrivate::LooperState;
using BPrivate::MessageAccess;

namespace {

struct LooperEntry {
	int32								token;
	std::shared_ptr<BPrivate::LooperLock> lock;
	bool								accepting;
	uint64								order;
};

// Never destroyed: a worker thread may still post while the process exits,
// after the destructors of statics ran.
std::mutex sRegistryLock;
std::map<int32, BHandler*>& sHandlers = *new std::map<int32, BHandler*>;
std::map<const BLooper*, LooperEntry>& sLoopers
	= *new std::map<const BLooper*, LooperEntry>;
std::map<int32, BLooper*>& sAccepting = *new std::map<int32, BLooper*>;
int32 sNextToken = 1;
uint64 sNextOrder = 0;


// Deletes queued messages outside every lock; waiting senders get
// B_NO_REPLY from the messages' destructors.
void
DropMessages(std::deque<BMessage*>& messages)
{
	for (BMessage* message : messages)
		delete message;
	messages.clear();
}

}	// namespace


// #pragma mark - registry


namespace BPrivate {

int32
register_handler(BHandler* handler)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	int32 token = sNextToken++;
	sHandlers[token] = handler;
	return token;
}


void
unregister_handler(int32 token)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	sHandlers.erase(token);
}


BHandler*
handler_for_token(int32 token)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sHandlers.find(token);
	return it == sHandlers.end() ? NULL : it->second;
}


void
register_looper(BLooper* looper, int32 token)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	LooperEntry entry;
	entry.token = token;
	entry.lock = LooperAccess::State(looper)->lock;
	entry.accepting = true;
	entry.order = sNextOrder++;
	sLoopers[looper] = entry;
	sAccepting[token] = looper;
}


bool
unregister_looper(BLooper* looper)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sLoopers.find(looper);
	if (it == sLoopers.end() || !it->second.accepting)
		return false;
	it->second.accepting = false;
	sAccepting.erase(it->second.token);
	return true;
}


static void
forget_looper(BLooper* looper)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sLoopers.find(looper);
	if (it == sLoopers.end())
		return;
	sAccepting.erase(it->second.token);
	sLoopers.erase(it);
}


bool
is_looper_alive(const BLooper* looper)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sLoopers.find(looper);
	return it != sLoopers.end() && it->second.accepting;
}


std::shared_ptr<LooperLock>
looper_lock(const BLooper* looper)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sLoopers.find(looper);
	return it == sLoopers.end() ? std::shared_ptr<LooperLock>() : it->second.lock;
}


std::vector<BLooper*>
live_loopers()
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	std::vector<std::pair<uint64, BLooper*>> ordered;
	for (const auto& entry : sLoopers) {
		if (entry.second.accepting)
			ordered.push_back({ entry.second.order, (BLooper*)entry.first });
	}
	std::sort(ordered.begin(), ordered.end());
	std::vector<BLooper*> loopers;
	for (const auto& entry : ordered)
		loopers.push_back(entry.second);
	return loopers;
}


BLooper*
looper_for_token(int32 token)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sAccepting.find(token);
	return it == sAccepting.end() ? NULL : it->second;
}


static status_t
enqueue_locked(BLooper* looper, BMessage* message)
{
	// Called with the registry lock held, so the looper cannot go away.
	LooperState* state = LooperAccess::State(looper);
	bool wakeGui = false;
	{
		std::lock_guard<std::mutex> guard(state->queueLock);
		if (state->queue.size() >= kMaxQueuedMessages)
			return B_WOULD_BLOCK;
		state->queue.push_back(message);
		if (state->gui) {
			if (!state->eventPosted) {
				state->eventPosted = true;
				wakeGui = true;
			}
		} else
			state->queueChanged.notify_one();
	}
	if (wakeGui)
		post_gui_event(state->token);
	return B_OK;
}


status_t
post_to_looper_token(int32 looperToken, BMessage* message)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sAccepting.find(looperToken);
	if (it == sAccepting.end())
		return B_BAD_PORT_ID;
	return enqueue_locked(it->second, message);
}


status_t
check_reply_wait(int32 looperToken)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sAccepting.find(looperToken);
	if (it == sAccepting.end())
		return B_BAD_PORT_ID;
	LooperState* state = LooperAccess::State(it->second);
	thread_id self = find_thread(NULL);
	if ((state->gui && is_gui_thread()) || (!state->gui && state->thread == self)
		|| state->lock->owner == self)
		return B_WOULD_DEADLOCK;
	return B_OK;
}


status_t
post_to_looper(const BLooper* looper, BMessage* message)
{
	std::lock_guard<std::mutex> guard(sRegistryLock);
	auto it = sLoopers.find(looper);
	if (it == sLoopers.end() || !it->second.accepting)
		return B_BAD_PORT_ID;
	return enqueue_locked((BLooper*)looper, message);
}


LooperState* LooperAccess::State(BLooper* looper) { return looper->fState; }
int32 LooperAccess::Token(const BHandler* handler) { return handler->fToken; }
bool LooperAccess::IsBusy(BLooper* looper)
	{ return looper->fState->dispatchDepth > 0; }


// How long one Qt event may go on dispatching a looper's queue. Qt paints
// and reads input between such slices; one message per event would paint
// the windows again after every message.
static const bigtime_t kGuiSlice = 5000;


void
LooperAccess::DispatchGuiEvent(int32 looperToken)
{
	bigtime_t sliceEnd = system_time() + kGuiSlice;
	for (;;) {
		BLooper* looper = looper_for_token(looperToken);
		if (looper == NULL)
			return;
		LooperState* state = looper->fState;
		BMessage* message = NULL;
		{
			std::lock_guard<std::mutex> guard(state->queueLock);
			state->eventPosted = false;
			// A looper whose handler is on the stack (waiting in a nested
			// loop) gets its next message once that handler returns.
			if (state->dispatchDepth > 0 || state->queue.empty())
				return;
			message = state->queue.front();
			state->queue.pop_front();
		}

		looper->Lock();
		looper->_DispatchOne(message);
		if (state->terminating && state->dispatchDepth == 0) {
			delete looper;
			check_nested_loops();
			return;
		}
		looper->Unlock();
		check_nested_loops();

		// Within the slice the next message follows at once, unless a
		// modal wait runs (its end must be seen after every message).
		bool more = false;
		bool goOn = false;
		{
			std::lock_guard<std::mutex> guard(state->queueLock);
			if (!state->queue.empty() && !state->eventPosted
				&& !state->terminating) {
				if (state->dispatchDepth == 0 && !in_nested_loop()
					&& system_time() < sliceEnd)
					goOn = true;
				else {
					state->eventPosted = true;
					more = true;
				}
			}
		}
		if (more)
			post_gui_event(looperToken);
		if (!goOn)
			return;
	}
}


void
start_gui_looper(BLooper* looper)
{
	if (looper == NULL || !is_looper_alive(looper))
		return;
	// Without the Qt application nobody would ever dispatch it.
	ensure_qt_app();
	LooperState* state = LooperAccess::State(looper);
	bool wake = false;
	{
		std::lock_guard<std::mutex> guard(state->queueLock);
		if (state->gui)
			return;
		state->gui = true;
		state->runCalled = true;
		if (!state->queue.empty() && !state->eventPosted) {
			state->eventPosted = true;
			wake = true;
		}
	}
	// The lock taken by the constructor is given up now, as Run() does.
	if (state->constructorLockThread == find_thread(NULL)) {
		state->constructorLockThread = -1;
		looper->Unlock();
	}
	if (wake)
		post_gui_event(state->token);
}


status_t
forward_message(BMessage* message, BLooper* looper)
{
	if (message == NULL || looper == NULL)
		return B_BAD_VALUE;
	// The copy keeps the reply address and the waiting sender; the
	// original hands its duty to answer over.
	BMessage* copy = new BMessage(*message);
	MessageAccess::MoveReplyDuty(copy, message);
	MessageAccess::ClearDeliveryState(copy);
	MessageAccess::SetTarget(copy, LooperAccess::Token(looper), false);
	status_t status = post_to_looper(looper, copy);
	if (status != B_OK)
		delete copy;
	return status;
}


bool
is_gui_looper(const BLooper* looper)
{
	if (looper == NULL)
		return false;
	return LooperAccess::State(const_cast<BLooper*>(looper))->gui;
}

}	// namespace BPrivate


// #pragma mark - BLooper


BLooper::BLooper(const char* name, int32 priority, int32)
	:
	BHandler(name),
	fState(new LooperState),
	fPreferred(NULL),
	fLastMessage(NULL)
{
	fState->token = fToken;
	fState->priority = priority;
	BPrivate::register_looper(this, fToken);
	// As on BeOS, the looper starts out locked by its maker.
	Lock();
	fState->constructorLockThread = find_thread(NULL);
	AddHandler(this);
}


BLooper::~BLooper()
{
	BPrivate::unregister_looper(this);

	std::deque<BMessage*> dropped;
	{
		std::lock_guard<std::mutex> guard(fState->queueLock);
		dropped.swap(fState->queue);
		fState->terminating = true;
	}
	DropMessages(dropped);
	delete fLastMessage;
	fLastMessage = NULL;

	for (int32 i = fHandlers.CountItems() - 1; i >= 0; i--) {
		BHandler* handler = (BHandler*)fHandlers.ItemAt(i);
		handler->_SetLooper(NULL);
		if (handler != this)
			handler->SetNextHandler(NULL);
	}
	fHandlers.MakeEmpty();

	// Threads waiting for the lock wake up and find the looper dead.
	std::shared_ptr<BPrivate::LooperLock> lock = fState->lock;
	BPrivate::forget_looper(this);
	lock->dead = true;
	while (lock->locker.IsLocked()) {
		if (lock->locker.CountLocks() == 1)
			lock->owner = -1;
		lock->locker.Unlock();
	}
	delete fState;
}


status_t
BLooper::PostMessage(uint32 command)
{
	BMessage message(command);
	return PostMessage(&message, NULL, NULL);
}


status_t
BLooper::PostMessage(BMessage* message)
{
	return PostMessage(message, NULL, NULL);
}


status_t
BLooper::PostMessage(uint32 command, BHandler* handler, BHandler* replyTo)
{
	BMessage message(command);
	return PostMessage(&message, handler, replyTo);
}


status_t
BLooper::PostMessage(BMessage* message, BHandler* handler, BHandler* replyTo)
{
	if (message == NULL)
		return B_BAD_VALUE;
	if (!BPrivate::is_looper_alive(this))
		return B_BAD_PORT_ID;
	if (handler != NULL && handler->Looper() != this)
		return B_MISMATCHED_VALUES;

	BMessage* copy = new BMessage(*message);
	MessageAccess::ResetDelivery(copy);
	MessageAccess::SetTarget(copy, handler != NULL ? handler->fToken : -1,
		handler == NULL);
	// Replies go to the given handler, else to the application.
	BMessenger replyMessenger = replyTo != NULL ? BMessenger(replyTo)
		: be_app_messenger;
	if (replyMessenger.IsValid()) {
		MessageAccess::SetReplyTo(copy, replyMessenger.Team(),
			replyMessenger._LooperToken(), replyMessenger._HandlerToken(),
			replyMessenger._IsPreferred());
	}
	status_t status = BPrivate::post_to_looper(this, copy);
	if (status != B_OK)
		delete copy;
	return status;
}


void
BLooper::DispatchMessage(BMessage* message, BHandler* handler)
{
	switch (message->what) {
		case _QUIT_:
			// Posted by Quit() from another thread, after the messages that
			// were queued before it.
			BPrivate::unregister_looper(this);
			fState->terminating = true;
			break;

		case B_QUIT_REQUESTED:
			if (handler == this) {
				_QuitRequested(message);
				break;
			}
			handler->MessageReceived(message);
			break;

		default:
			handler->MessageReceived(message);
			break;
	}
}


void
BLooper::MessageReceived(BMessage* message)
{
	BHandler::MessageReceived(message);
}


BMessage* BLooper::CurrentMessage() const { return fLastMessage; }


BMessage*
BLooper::DetachCurrentMessage()
{
	BMessage* message = fLastMessage;
	fLastMessage = NULL;
	return message;
}


bool
BLooper::IsMessageWaiting() const
{
	std::lock_guard<std::mutex> guard(fState->queueLock);
	return !fState->queue.empty();
}


void
BLooper::AddHandler(BHandler* handler)
{
	if (handler == NULL || handler->Looper() == this)
		return;
	if (handler->Looper() != NULL) {
		fprintf(stderr, "BLooper::AddHandler(): the handler \"%s\" already "
			"belongs to another looper\n",
			handler->Name() != NULL ? handler->Name() : "");
		return;
	}
	handler->_SetLooper(this);
	fHandlers.AddItem(handler);
	if (handler != this && handler->NextHandler() == NULL)
		handler->SetNextHandler(this);
}


bool
BLooper::RemoveHandler(BHandler* handler)
{
	if (handler == NULL || handler == this || handler->Looper() != this)
		return false;
	fHandlers.RemoveItem(handler);
	handler->_SetLooper(NULL);
	handler->SetNextHandler(NULL);
	if (fPreferred == handler)
		fPreferred = NULL;
	return true;
}


int32 BLooper::CountHandlers() const { return fHandlers.CountItems(); }
BHandler* BLooper::HandlerAt(int32 index) const
	{ return (BHandler*)fHandlers.ItemAt(index); }
int32 BLooper::IndexOf(BHandler* handler) const
	{ return fHandlers.IndexOf(handler); }
BHandler* BLooper::PreferredHandler() const { return fPreferred; }


void
BLooper::SetPreferredHandler(BHandler* handler)
{
	if (handler != NULL && handler->Looper() != this)
		return;
	fPreferred = handler;
}


thread_id
BLooper::Run()
{
	if (fState->runCalled)
		return B_ALREADY_RUNNING;
	fState->runCalled = true;
	const char* name = Name() != NULL ? Name() : "looper";
	thread_id thread = spawn_thread(_LoopThread, name, fState->priority, this);
	if (thread < 0) {
		fState->runCalled = false;
		return thread;
	}
	fState->thread = thread;
	if (fState->constructorLockThread == find_thread(NULL)) {
		fState->constructorLockThread = -1;
		Unlock();
	}
	resume_thread(thread);
	return thread;
}


void
BLooper::Quit()
{
	if (!Lock())
		return;
	LooperState* state = fState;

	if (!state->runCalled) {
		// Never ran: nothing is on its stack.
		delete this;
		return;
	}

	if (state->gui) {
		if (!BPrivate::is_gui_thread()) {
			// The GUI thread does the rest between two messages.
			PostMessage(_QUIT_);
			Unlock();
			return;
		}
		BPrivate::unregister_looper(this);
		state->terminating = true;
		if (state->dispatchDepth == 0) {
			delete this;
			return;
		}
		// The dispatch on the stack deletes the looper when it returns.
		Unlock();
		return;
	}

	if (find_thread(NULL) == state->thread) {
		// From our own stack: the loop deletes us after this message.
		BPrivate::unregister_looper(this);
		state->terminating = true;
		Unlock();
		return;
	}

	// From another thread: the queue is worked off first, then the looper
	// thread ends and deletes the looper.
	thread_id thread = state->thread;
	std::shared_ptr<BPrivate::LooperLock> lock = state->lock;
	while (lock->locker.IsLocked()) {
		if (lock->locker.CountLocks() == 1)
			lock->owner = -1;
		lock->locker.Unlock();
	}
	BMessage quit(_QUIT_);
	MessageAccess::SetTarget(&quit, -1, true);
	BMessage* copy = new BMessage(quit);
	if (BPrivate::post_to_looper(this, copy) != B_OK)
		delete copy;
	status_t exitValue;
	wait_for_thread(thread, &exitValue);
}


bool
BLooper::QuitRequested()
{
	return true;
}


void
BLooper::_QuitRequested(BMessage* message)
{
	bool isQuitting = QuitRequested();
	if (message->IsSourceWaiting()) {
		BMessage reply(B_REPLY);
		reply.AddBool("result", isQuitting);
		reply.AddInt32("thread", fState->thread);
		message->SendReply(&reply);
	}
	if (isQuitting)
		Quit();
}


void
BLooper::_DispatchOne(BMessage* message)
{
	BHandler* handler;
	if (MessageAccess::IsPreferredTarget(message))
		handler = fPreferred != NULL ? fPreferred : this;
	else {
		handler = BPrivate::handler_for_token(
			MessageAccess::TargetToken(message));
		if (handler == NULL || handler->Looper() != this) {
			// The target left the looper (or was deleted) meanwhile.
			delete message;
			return;
		}
	}

	MessageAccess::SetDelivered(message);
	BMessage* previous = fLastMessage;
	fLastMessage = message;
	fState->dispatchDepth++;
	// A scripting request finds its handler through the specifiers first.
	int32 specifier = -1;
	if (message->HasSpecifiers()
		&& message->GetCurrentSpecifier(&specifier) == B_OK)
		handler = _ResolveSpecifier(handler, message);
	if (handler != NULL)
		DispatchMessage(message, handler);
	fState->dispatchDepth--;
	delete fLastMessage;
	fLastMessage = previous;
}


BHandler*
BLooper::_ResolveSpecifier(BHandler* target, BMessage* message)
{
	// Each handler names the next one from the current specifier, until
	// one keeps the request (returns itself with the specifier in place);
	// NULL means the request was answered or handed on.
	BHandler* next = target;
	for (int32 round = 0; round < 64; round++) {
		int32 index;
		BMessage specifier;
		int32 form;
		const char* property;
		if (message->GetCurrentSpecifier(&index, &specifier, &form, &property)
				!= B_OK) {
			if (index < 0)
				return next;
			BPrivate::send_script_error(message, B_BAD_SCRIPT_SYNTAX,
				"Didn't understand the specifier(s)");
			return NULL;
		}
		target = next;
		next = target->ResolveSpecifier(message, index, &specifier, form,
			property);
		if (next == NULL)
			return NULL;
		if (next->Looper() != this) {
			BPrivate::send_script_error(message, B_BAD_VALUE,
				"The handler belongs to another looper");
			return NULL;
		}
		int32 after;
		message->GetCurrentSpecifier(&after);
		if (next == target && after == index)
			return next;
	}
	BPrivate::send_script_error(message, B_BAD_SCRIPT_SYNTAX,
		"Too many specifiers");
	return NULL;
}


status_t
BLooper::_LoopThread(void* data)
{
	((BLooper*)data)->_Loop();
	return B_OK;
}


void
BLooper::_Loop()
{
	LooperState* state = fState;
	for (;;) {
		BMessage* message;
		{
			std::unique_lock<std::mutex> guard(state->queueLock);
			state->queueChanged.wait(guard,
				[&] { return !state->queue.empty(); });
			message = state->queue.front();
			state->queue.pop_front();
		}
		if (!Lock()) {
			delete message;
			return;
		}
		_DispatchOne(message);
		if (state->terminating)
			break;
		Unlock();
	}
	// Still locked: the destructor drops what is left and unlocks.
	delete this;
}


bool
BLooper::Lock()
{
	return LockWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BLooper::LockWithTimeout(bigtime_t timeout)
{
	std::shared_ptr<BPrivate::LooperLock> lock = BPrivate::looper_lock(this);
	if (!lock)
		return B_BAD_VALUE;
	status_t status = lock->locker.LockWithTimeout(timeout);
	if (status != B_OK)
		return status;
	if (lock->dead) {
		lock->locker.Unlock();
		return B_BAD_VALUE;
	}
	lock->owner = find_thread(NULL);
	return B_OK;
}


void
BLooper::Unlock()
{
	std::shared_ptr<BPrivate::LooperLock> lock = BPrivate::looper_lock(this);
	if (!lock || !lock->locker.IsLocked())
		return;
	if (lock->locker.CountLocks() == 1)
		lock->owner = -1;
	lock->locker.Unlock();
}


bool
BLooper::IsLocked() const
{
	std::shared_ptr<BPrivate::LooperLock> lock = BPrivate::looper_lock(this);
	return lock && lock->locker.IsLocked();
}


thread_id BLooper::Thread() const { return fState->thread; }
team_id BLooper::Team() const { return (team_id)getpid(); }
thread_id BLooper::LockingThread() const { return fState->lock->owner; }


int32
BLooper::CountLocks() const
{
	return fState->lock->owner == find_thread(NULL)
		? fState->lock->locker.CountLocks() : 0;
}


BHandler*
BLooper::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 what, const char* property)
{
	return BHandler::ResolveSpecifier(message, index, specifier, what,
		property);
}


status_t
BLooper::GetSupportedSuites(BMessage* data)
{
	if (data == NULL)
		return B_BAD_VALUE;
	status_t status = data->AddString("suites", "suite/vnd.Be-looper");
	if (status != B_OK)
		return status;
	return BHandler::GetSupportedSuites(data);
}


BLooper*
BLooper::LooperForThread(thread_id thread)
{
	for (BLooper* looper : BPrivate::live_loopers()) {
		if (!looper->fState->gui && looper->fState->thread == thread)
			return looper;
	}
	if (be_app != NULL && be_app->Thread() == thread)
		return be_app;
	return NULL;
}
