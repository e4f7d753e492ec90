// Debouncing of the sightings of a reader.
#include "TagDebouncer.h"


TagDebouncer::TagDebouncer(bigtime_t window)
	:
	fWindow(window)
{
}


bool
TagDebouncer::Accept(const char* tag, bigtime_t when)
{
	if (fWindow <= 0)
		return true;
	if (fLastSeen.size() > 64)
		_Prune(when);

	auto found = fLastSeen.find(tag);
	if (found == fLastSeen.end()) {
		fLastSeen.emplace(tag, when);
		return true;
	}
	bool isNew = when - found->second >= fWindow || when < found->second;
	found->second = when;
	return isNew;
}


// Forgets the tags whose window is over.
void
TagDebouncer::_Prune(bigtime_t when)
{
	for (auto it = fLastSeen.begin(); it != fLastSeen.end();) {
		if (when - it->second >= fWindow)
			it = fLastSeen.erase(it);
		else
			++it;
	}
}
