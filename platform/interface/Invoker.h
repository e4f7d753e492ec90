// BInvoker: a message and the target it is sent to when invoked.
#ifndef _INVOKER_H
#define _INVOKER_H

#include <AppDefs.h>
#include <Messenger.h>
#include <SupportDefs.h>

class BHandler;
class BLooper;
class BMessage;

class BInvoker {
public:
							BInvoker();
							BInvoker(BMessage* message,
								const BHandler* handler,
								const BLooper* looper = NULL);
							BInvoker(BMessage* message, BMessenger target);
	virtual					~BInvoker();

	// The invoker owns its message.
	virtual	status_t		SetMessage(BMessage* message);
			BMessage*		Message() const { return fMessage; }
			uint32			Command() const;

	virtual	status_t		SetTarget(const BHandler* handler,
								const BLooper* looper = NULL);
	virtual	status_t		SetTarget(BMessenger messenger);
			bool			IsTargetLocal() const;
			BHandler*		Target(BLooper** looper = NULL) const;
			BMessenger		Messenger() const { return fMessenger; }

	virtual	status_t		SetHandlerForReply(BHandler* handler);
			BHandler*		HandlerForReply() const { return fReplyTo; }

	// Sends a copy of the message (or the one given) to the target.
	virtual	status_t		Invoke(BMessage* message = NULL);
			status_t		InvokeNotify(BMessage* message,
								uint32 kind = B_CONTROL_INVOKED);
			status_t		SetTimeout(bigtime_t timeout);
			bigtime_t		Timeout() const { return fTimeout; }

protected:
			uint32			InvokeKind(bool* notify = NULL);
			void			BeginInvokeNotify(uint32 kind = B_CONTROL_INVOKED);
			void			EndInvokeNotify();

private:
							BInvoker(const BInvoker&) = delete;
			BInvoker&		operator=(const BInvoker&) = delete;

			BMessage*		fMessage;
			BMessenger		fMessenger;
			BHandler*		fReplyTo;
			bigtime_t		fTimeout;
			uint32			fNotifyKind;
};

#endif	// _INVOKER_H
