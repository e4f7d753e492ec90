// Keeps the switches of one relay in the order they were asked for: each
// request draws a ticket when it is made, and its worker waits until every
// earlier ticket of that relay is done before it talks to the box.
#ifndef RELAY_QUEUE_H
#define RELAY_QUEUE_H

#include <SupportDefs.h>

class RelayQueue {
public:
	// relay is 1 to 4.
	static	int64			Take(int32 relay);
	static	void			WaitTurn(int32 relay, int64 ticket);
	static	void			Done(int32 relay, int64 ticket);
	// A ticket whose worker will never run; later ones need not wait for it.
	static	void			Abandon(int32 relay, int64 ticket);
	// Waits until every ticket of the relay drawn so far is done or
	// abandoned; false when that took longer than timeout.
	static	bool			WaitIdle(int32 relay, bigtime_t timeout);
};

#endif	// RELAY_QUEUE_H
