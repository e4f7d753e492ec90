// BMessenger: sends to a handler in a looper of this process, by token.
#include <Messenger.h>

#include <strings.h>
#include <unistd.h>

#include <chrono>

#include <AppPrivate.h>
#include <Application.h>
#include <Handler.h>
#include <Looper.h>
#include <Message.h>

#include "LinkFrame.h"
#include "LooperPrivate.h"
#include "RemoteLinks.h"

using BPrivate::LooperAccess;
using BPrivate::MessageAccess;


BMessenger::BMessenger()
	:
	fTeam(-1),
	fLooperToken(-1),
	fHandlerToken(-1),
	fPreferred(false)
{
}


BMessenger::BMessenger(const BHandler* handler, const BLooper* looper,
	status_t* result)
	:
	BMessenger()
{
	status_t status = B_OK;
	if (handler != NULL) {
		const BLooper* handlerLooper = handler->Looper();
		if (handlerLooper == NULL)
			status = B_BAD_HANDLER;
		else if (looper != NULL && looper != handlerLooper)
			status = B_MISMATCHED_VALUES;
		else
			looper = handlerLooper;
	} else if (looper == NULL)
		status = B_BAD_VALUE;

	if (status == B_OK && !BPrivate::is_looper_alive(looper))
		status = B_BAD_PORT_ID;
	if (status == B_OK) {
		_SetTo((team_id)getpid(), LooperAccess::Token(looper),
			handler != NULL ? LooperAccess::Token(handler) : -1,
			handler == NULL);
	}
	if (result != NULL)
		*result = status;
}


BMessenger::BMessenger(const char* signature, team_id team, status_t* result)
	:
	BMessenger()
{
	status_t status = B_BAD_VALUE;
	if (signature != NULL && be_app != NULL
		&& strcasecmp(signature, be_app->Signature()) == 0
		&& (team < 0 || team == (team_id)getpid())) {
		*this = be_app_messenger;
		status = B_OK;
	} else if (signature != NULL) {
		// Another program: its application, found by its socket.
		team_id found = -1;
		for (team_id running
				: BPrivate::RemoteLinks::FindApplications(signature)) {
			if (running != (team_id)getpid() && (team < 0 || running == team)) {
				found = running;
				break;
			}
		}
		if (found >= 0) {
			_SetTo(found, BPrivate::kApplicationLooperToken, -1, true);
			status = B_OK;
		} else if (team >= 0)
			status = B_BAD_TEAM_ID;
	}
	if (result != NULL)
		*result = status;
}


BMessenger::BMessenger(const BMessenger& other)
	:
	fTeam(other.fTeam),
	fLooperToken(other.fLooperToken),
	fHandlerToken(other.fHandlerToken),
	fPreferred(other.fPreferred)
{
}


BMessenger::~BMessenger()
{
}


BMessenger&
BMessenger::operator=(const BMessenger& other)
{
	fTeam = other.fTeam;
	fLooperToken = other.fLooperToken;
	fHandlerToken = other.fHandlerToken;
	fPreferred = other.fPreferred;
	return *this;
}


bool
BMessenger::operator==(const BMessenger& other) const
{
	return fTeam == other.fTeam && fLooperToken == other.fLooperToken
		&& fHandlerToken == other.fHandlerToken
		&& fPreferred == other.fPreferred;
}


void
BMessenger::_SetTo(team_id team, int32 looperToken, int32 handlerToken,
	bool preferred)
{
	fTeam = team;
	fLooperToken = looperToken;
	fHandlerToken = handlerToken;
	fPreferred = preferred;
}


bool
BMessenger::IsTargetLocal() const
{
	return fTeam == (team_id)getpid();
}


BHandler*
BMessenger::Target(BLooper** looper) const
{
	BLooper* target = IsTargetLocal()
		? BPrivate::looper_for_token(fLooperToken) : NULL;
	if (looper != NULL)
		*looper = target;
	if (target == NULL || fPreferred)
		return NULL;
	return BPrivate::handler_for_token(fHandlerToken);
}


bool
BMessenger::LockTarget() const
{
	return LockTargetWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BMessenger::LockTargetWithTimeout(bigtime_t timeout) const
{
	BLooper* looper = NULL;
	Target(&looper);
	if (looper == NULL)
		return B_BAD_VALUE;
	// Lock() checks that the looper still exists.
	status_t status = looper->LockWithTimeout(timeout);
	if (status == B_OK && BPrivate::looper_for_token(fLooperToken) != looper) {
		looper->Unlock();
		return B_BAD_VALUE;
	}
	return status;
}


bool
BMessenger::IsValid() const
{
	if (!IsTargetLocal())
		return fTeam >= 0 && fLooperToken >= 0
			&& BPrivate::RemoteLinks::IsReachable(fTeam);
	return BPrivate::looper_for_token(_LocalLooper(fLooperToken)) != NULL;
}


int32
BMessenger::_LocalLooper(int32 token)
{
	// "The application" of this program, as another program names it.
	if (token == BPrivate::kApplicationLooperToken)
		return be_app_messenger.fLooperToken;
	return token;
}


status_t
BMessenger::SendMessage(uint32 command, BHandler* replyTo) const
{
	BMessage message(command);
	return SendMessage(&message, replyTo);
}


status_t
BMessenger::SendMessage(BMessage* message, BHandler* replyTo,
	bigtime_t timeout) const
{
	BMessenger replyMessenger;
	if (replyTo != NULL)
		replyMessenger = BMessenger(replyTo);
	return SendMessage(message, replyMessenger, timeout);
}


status_t
BMessenger::SendMessage(BMessage* message, BMessenger replyTo, bigtime_t) const
{
	if (message == NULL)
		return B_BAD_VALUE;
	if (fTeam < 0 || fLooperToken < 0)
		return B_BAD_PORT_ID;

	BMessage* copy = new BMessage(*message);
	MessageAccess::ResetDelivery(copy);
	// A reply sent on to its return address stays a reply.
	if (message->IsReply())
		MessageAccess::SetIsReply(copy);
	MessageAccess::SetTarget(copy, fHandlerToken, fPreferred);
	// Without a reply address, replies go to the application.
	if (replyTo.fTeam < 0 || replyTo.fLooperToken < 0)
		replyTo = be_app_messenger;
	if (replyTo.fTeam >= 0 && replyTo.fLooperToken >= 0) {
		MessageAccess::SetReplyTo(copy, replyTo.Team(), replyTo._LooperToken(),
			replyTo._HandlerToken(), replyTo._IsPreferred());
	}
	if (!IsTargetLocal()) {
		// Queued for the other program's link; never blocks.
		status_t status = BPrivate::RemoteLinks::Post(fTeam, fLooperToken,
			*copy);
		delete copy;
		return status;
	}
	status_t status = BPrivate::post_to_looper_token(
		_LocalLooper(fLooperToken), copy);
	if (status != B_OK)
		delete copy;
	return status;
}


status_t
BMessenger::SendMessage(uint32 command, BMessage* reply) const
{
	BMessage message(command);
	return SendMessage(&message, reply);
}


status_t
BMessenger::SendMessage(BMessage* message, BMessage* reply, bigtime_t,
	bigtime_t replyTimeout) const
{
	if (message == NULL || reply == NULL)
		return B_BAD_VALUE;
	if (fTeam < 0 || fLooperToken < 0)
		return B_BAD_PORT_ID;

	if (!IsTargetLocal()) {
		BMessage copy(*message);
		MessageAccess::ResetDelivery(&copy);
		MessageAccess::SetTarget(&copy, fHandlerToken, fPreferred);
		return BPrivate::RemoteLinks::SendAndWait(fTeam, fLooperToken, copy,
			reply, replyTimeout);
	}

	int32 looperToken = _LocalLooper(fLooperToken);
	// Waiting here would stop the thread that has to answer.
	status_t check = BPrivate::check_reply_wait(looperToken);
	if (check != B_OK)
		return check;

	BPrivate::ReplySlot* slot = new BPrivate::ReplySlot;
	BMessage* copy = new BMessage(*message);
	MessageAccess::ResetDelivery(copy);
	MessageAccess::SetTarget(copy, fHandlerToken, fPreferred);
	MessageAccess::SetReplySlot(copy, slot);
	status_t status = BPrivate::post_to_looper_token(looperToken, copy);
	if (status != B_OK) {
		delete copy;
		slot->Release();
		return status;
	}

	std::unique_lock<std::mutex> guard(slot->lock);
	bool done = true;
	if (replyTimeout == B_INFINITE_TIMEOUT)
		slot->changed.wait(guard, [&] { return slot->done; });
	else {
		done = slot->changed.wait_for(guard,
			std::chrono::microseconds(replyTimeout < 0 ? 0 : replyTimeout),
			[&] { return slot->done; });
	}
	if (!done) {
		slot->abandoned = true;
		guard.unlock();
		slot->Release();
		return B_TIMED_OUT;
	}
	BMessage* answer = slot->reply;
	slot->reply = NULL;
	guard.unlock();
	slot->Release();

	*reply = *answer;
	MessageAccess::MoveReplyDuty(reply, answer);
	delete answer;
	return B_OK;
}
