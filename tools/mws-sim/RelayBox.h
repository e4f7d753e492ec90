// RelayBox: the four relays of a simulated relay box and the request
// language of the real one: GET /?K=V with K 3 to 6 for relay K - 2 and
// V 0 to switch it on (open) or 1 to switch it off.
#ifndef RELAY_BOX_H
#define RELAY_BOX_H

#include <mutex>
#include <string>

class RelayBox {
public:
	static const int	kRelays = 4;

						RelayBox();

	// Applies one query ("4=0"); returns the line that describes what it did.
	std::string			Apply(const std::string& query);
	// "1:off 2:on 3:off 4:off"
	std::string			States() const;
	bool				IsOn(int relay) const;

private:
	mutable std::mutex	fLock;
	bool				fOn[kRelays];
};

#endif	// RELAY_BOX_H
