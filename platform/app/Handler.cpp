// BHandler: a named receiver of messages, chained to the next handler.
#include <Handler.h>

#include <stdlib.h>
#include <string.h>

#include <Looper.h>
#include <Message.h>

#include "LooperPrivate.h"


BHandler::BHandler(const char* name)
	:
	fToken(BPrivate::register_handler(this)),
	fName(name != NULL ? strdup(name) : NULL),
	fLooper(NULL),
	fNextHandler(NULL)
{
}


BHandler::~BHandler()
{
	// A handler deleted while still in its looper leaves it first.
	if (fLooper != NULL && fLooper != this)
		fLooper->RemoveHandler(this);
	BPrivate::unregister_handler(fToken);
	free(fName);
}


void
BHandler::MessageReceived(BMessage* message)
{
	if (fNextHandler != NULL && fNextHandler != this) {
		fNextHandler->MessageReceived(message);
		return;
	}
	// The end of the chain: a sender waiting for an answer learns that
	// nobody understood.
	if (message->what != B_MESSAGE_NOT_UNDERSTOOD && message->IsSourceWaiting())
		message->SendReply(B_MESSAGE_NOT_UNDERSTOOD);
}


BLooper* BHandler::Looper() const { return fLooper; }


void
BHandler::SetName(const char* name)
{
	free(fName);
	fName = name != NULL ? strdup(name) : NULL;
}


const char* BHandler::Name() const { return fName; }
void BHandler::SetNextHandler(BHandler* handler) { fNextHandler = handler; }
BHandler* BHandler::NextHandler() const { return fNextHandler; }


bool
BHandler::LockLooper()
{
	return LockLooperWithTimeout(B_INFINITE_TIMEOUT) == B_OK;
}


status_t
BHandler::LockLooperWithTimeout(bigtime_t timeout)
{
	BLooper* looper = fLooper;
	if (looper == NULL)
		return B_BAD_VALUE;
	status_t status = looper->LockWithTimeout(timeout);
	if (status != B_OK)
		return status;
	// The handler may have moved while we waited.
	if (fLooper != looper) {
		looper->Unlock();
		return B_MISMATCHED_VALUES;
	}
	return B_OK;
}


void
BHandler::UnlockLooper()
{
	if (fLooper != NULL)
		fLooper->Unlock();
}


BHandler*
BHandler::ResolveSpecifier(BMessage*, int32, BMessage*, int32, const char*)
{
	return this;
}


status_t
BHandler::GetSupportedSuites(BMessage* data)
{
	if (data == NULL)
		return B_BAD_VALUE;
	return data->AddString("suites", "suite/vnd.Be-handler");
}


void
BHandler::_SetLooper(BLooper* looper)
{
	fLooper = looper;
}
