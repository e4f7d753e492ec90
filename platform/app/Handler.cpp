// BHandler: a named receiver of messages, chained to the next handler.
#include <Handler.h>

#include <stdlib.h>
#include <string.h>

#include <AppPrivate.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <PropertyInfo.h>

#include "LooperPrivate.h"

namespace {

const property_info kHandlerProperties[] = {
	{ "Suites",
		{ B_GET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 },
		"The suites the handler understands.", 0,
		{ B_STRING_TYPE, 0 } },
	{ "Messenger",
		{ B_GET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 },
		"A messenger to the handler.", 0,
		{ B_MESSENGER_TYPE, 0 } },
	{ "InternalName",
		{ B_GET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 },
		"The handler's name.", 0,
		{ B_STRING_TYPE, 0 } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};

}	// namespace


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
	if (_HandleScripting(message))
		return;
	if (fNextHandler != NULL && fNextHandler != this) {
		fNextHandler->MessageReceived(message);
		return;
	}
	// The end of the chain: a sender waiting for an answer learns that
	// nobody understood; a scripting request learns why.
	int32 index;
	if (message->GetCurrentSpecifier(&index) == B_OK
		|| message->what == B_GET_SUPPORTED_SUITES) {
		BPrivate::send_script_error(message, B_BAD_SCRIPT_SYNTAX,
			"Didn't understand the specifier(s)");
	} else if (message->what != B_MESSAGE_NOT_UNDERSTOOD
		&& message->IsSourceWaiting())
		message->SendReply(B_MESSAGE_NOT_UNDERSTOOD);
}


bool
BHandler::_HandleScripting(BMessage* message)
{
	BMessage reply(B_REPLY);
	if (message->what == B_GET_SUPPORTED_SUITES) {
		int32 index;
		if (message->GetCurrentSpecifier(&index) == B_OK)
			return false;
		GetSupportedSuites(&reply);
		reply.AddInt32("error", B_OK);
		message->SendReply(&reply);
		return true;
	}
	if (message->what != B_GET_PROPERTY)
		return false;
	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property)
			!= B_OK || form != B_DIRECT_SPECIFIER)
		return false;
	if (strcmp(property, "Suites") == 0) {
		BMessage suites;
		GetSupportedSuites(&suites);
		const char* suite;
		for (int32 i = 0; suites.FindString("suites", i, &suite) == B_OK; i++)
			reply.AddString("result", suite);
	} else if (strcmp(property, "Messenger") == 0) {
		reply.AddMessenger("result", BMessenger(this));
	} else if (strcmp(property, "InternalName") == 0) {
		reply.AddString("result", Name() != NULL ? Name() : "");
	} else
		return false;
	reply.AddInt32("error", B_OK);
	message->SendReply(&reply);
	return true;
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
BHandler::ResolveSpecifier(BMessage* message, int32 index,
	BMessage* specifier, int32 what, const char* property)
{
	BPropertyInfo info(kHandlerProperties);
	if (info.FindMatch(message, index, specifier, what, property) >= 0)
		return this;
	BPrivate::send_script_error(message, B_BAD_SCRIPT_SYNTAX,
		"Didn't understand the specifier(s)");
	return NULL;
}


status_t
BHandler::GetSupportedSuites(BMessage* data)
{
	if (data == NULL)
		return B_BAD_VALUE;
	status_t status = data->AddString("suites", "suite/vnd.Be-handler");
	if (status == B_OK)
		status = BPropertyInfo(kHandlerProperties).AddTo(data);
	return status;
}


void
BHandler::_SetLooper(BLooper* looper)
{
	fLooper = looper;
}
