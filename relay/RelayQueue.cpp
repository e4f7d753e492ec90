// One ticket counter per relay, served strictly in order.
#include "RelayQueue.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>

namespace {

struct Line {
	int64				next = 0;		// the next ticket to hand out
	int64				serving = 0;	// the ticket whose turn it is
	std::set<int64>		abandoned;
};

const int32 kRelays = 4;

// Never destroyed: a worker may still finish its turn while the process
// exits, after the destructors of statics ran.
std::mutex sLock;
std::condition_variable& sTurn = *new std::condition_variable;
Line* const sLines = new Line[kRelays + 1];


Line&
LineOf(int32 relay)
{
	return sLines[relay >= 1 && relay <= kRelays ? relay : 0];
}


// Moves on past ticket and every abandoned one after it.
void
Advance(Line& line, int64 ticket)
{
	if (ticket != line.serving)
		return;
	line.serving++;
	while (line.abandoned.erase(line.serving) > 0)
		line.serving++;
	sTurn.notify_all();
}

}	// namespace


int64
RelayQueue::Take(int32 relay)
{
	std::lock_guard<std::mutex> lock(sLock);
	return LineOf(relay).next++;
}


void
RelayQueue::WaitTurn(int32 relay, int64 ticket)
{
	std::unique_lock<std::mutex> lock(sLock);
	Line& line = LineOf(relay);
	sTurn.wait(lock, [&] { return line.serving >= ticket; });
}


void
RelayQueue::Done(int32 relay, int64 ticket)
{
	std::lock_guard<std::mutex> lock(sLock);
	Advance(LineOf(relay), ticket);
}


void
RelayQueue::Abandon(int32 relay, int64 ticket)
{
	std::lock_guard<std::mutex> lock(sLock);
	Line& line = LineOf(relay);
	if (ticket == line.serving)
		Advance(line, ticket);
	else if (ticket > line.serving)
		line.abandoned.insert(ticket);
}


bool
RelayQueue::WaitIdle(int32 relay, bigtime_t timeout)
{
	std::unique_lock<std::mutex> lock(sLock);
	Line& line = LineOf(relay);
	return sTurn.wait_for(lock, std::chrono::microseconds(timeout),
		[&] { return line.serving >= line.next; });
}
