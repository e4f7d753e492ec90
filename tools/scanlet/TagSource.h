// A source of tag reads: a descriptor read on a thread of its own. Every
// tag it finds goes to the target as kMsgSourceRead; its end (end of input,
// a failing device) as kMsgSourceEnded.
#ifndef TAG_SOURCE_H
#define TAG_SOURCE_H

#include <atomic>

#include <Messenger.h>
#include <OS.h>
#include <String.h>

class TagSource {
public:
							TagSource(const char* name,
								const BMessenger& target);
	virtual					~TagSource();

	// Opens the source and starts its thread; on failure error says why.
			status_t		Start(BString& error);
	// Ends the thread and closes the source; the thread is gone on return.
			void			Stop();

			const char*		Name() const { return fName.String(); }

protected:
	// Opens fFD (fOwnsFD: whether Stop closes it).
	virtual	status_t		_Open(BString& error) = 0;
	virtual	void			_Consume(const uint8* data, size_t size) = 0;
	// The input ended.
	virtual	void			_Finish() {}
	// Called on the source's thread before the descriptor is closed.
	virtual	void			_Close() {}

			void			_Deliver(const char* tag);
			void			_Note(const char* format, ...)
								__attribute__((format(printf, 2, 3)));

			int				fFD;
			bool			fOwnsFD;

private:
	static	status_t		_ThreadEntry(void* data);
			void			_Loop();
			void			_Ended(status_t status, const char* error);

			BString			fName;
			BMessenger		fTarget;
			thread_id		fThread;
			std::atomic<bool> fStop;
};

#endif	// TAG_SOURCE_H
