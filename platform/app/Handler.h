// BHandler: an object that receives messages inside a looper.
#ifndef _HANDLER_H
#define _HANDLER_H

#include <SupportDefs.h>

class BLooper;
class BMessage;

namespace BPrivate {
	class LooperAccess;
}

class BHandler {
public:
							BHandler(const char* name = NULL);
	virtual					~BHandler();

	// Messages the handler does not understand go on to the next handler
	// (a view's parent, then its window; a handler added to a looper has the
	// looper next). At the end of the chain a waiting sender gets
	// B_MESSAGE_NOT_UNDERSTOOD.
	virtual	void			MessageReceived(BMessage* message);

			BLooper*		Looper() const;
			void			SetName(const char* name);
			const char*		Name() const;
	virtual	void			SetNextHandler(BHandler* handler);
			BHandler*		NextHandler() const;

			bool			LockLooper();
			status_t		LockLooperWithTimeout(bigtime_t timeout);
			void			UnlockLooper();

	// Scripting: finds the handler a specifier names (this one by default),
	// and lists the suites the handler understands.
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 what,
								const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

private:
	friend class BLooper;
	friend class BMessenger;
	friend class BPrivate::LooperAccess;

							BHandler(const BHandler&) = delete;
			BHandler&		operator=(const BHandler&) = delete;

			void			_SetLooper(BLooper* looper);
			bool			_HandleScripting(BMessage* message);

			int32			fToken;
			char*			fName;
			BLooper*		fLooper;
			BHandler*		fNextHandler;
};

#endif	// _HANDLER_H
