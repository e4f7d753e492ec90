// Delivery of reads to the application, over one messenger and in the
// order they were made. A read that cannot be delivered because the
// application does not answer is held, with the reads behind it, for up
// to a minute, and goes out once it answers again; scanlet says so on
// standard error.
#ifndef READ_DELIVERY_H
#define READ_DELIVERY_H

#include <deque>
#include <functional>

#include <Message.h>
#include <Messenger.h>
#include <String.h>

class ReadDelivery {
public:
	typedef std::function<BMessenger()> connector;

	static	constexpr bigtime_t kHoldTime = 60000000;
	static	constexpr int32	kMaxRequested = 1000;

	// connect gives a new messenger to the application when the current
	// one fails; callMe is the address the application may answer to
	// ("_f2CallMe" of every read).
							ReadDelivery(const char* targetName,
								const connector& connect,
								const BMessenger& callMe,
								bigtime_t now);

	// One read, made at `when`. It carries the markers of an open request
	// ("_spTarget", "_spCounter") and goes out behind anything held.
			void			Add(const char* tag, bigtime_t when);
	// The application asks for `count` reads; the next ones are marked
	// for `target`, counted 1, 2, … A new request replaces an open one.
			void			Request(int32 count, const char* target);
			int32			RequestedLeft() const { return fRequestLeft; }

	// Sends the held reads in order, as far as the application takes
	// them; reads older than kHoldTime are dropped.
			void			Flush(bigtime_t now);
	// Whether the application can be reached now.
			bool			CheckTarget(bigtime_t now);
	// When the application was last reached (or delivery began).
			bigtime_t		LastReached() const { return fLastReached; }

			int32			Pending() const { return (int32)fHeld.size(); }
			int32			Delivered() const { return fDelivered; }
			int32			Dropped() const { return fDropped; }

private:
	struct HeldRead {
		BMessage	message;
		BString		tag;
		bigtime_t	when;
		bool		announced;
	};

			bool			_Send(HeldRead& read, bigtime_t now);

			BString			fTargetName;
			connector		fConnect;
			BMessenger		fTarget;
			BMessenger		fCallMe;
			std::deque<HeldRead> fHeld;
			BString			fRequestTarget;
			int32			fRequestLeft;
			int32			fRequestCounter;
			bigtime_t		fLastReached;
			int32			fDelivered;
			int32			fDropped;
};

#endif	// READ_DELIVERY_H
