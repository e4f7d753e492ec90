// Turns the stream of sightings of a reader into reads: a tag seen again
// within the window after it was last seen is the same read. A card held
// at a module that repeats its frame therefore counts once however long it
// is held, and two cards in the field at once do not take turns.
#ifndef TAG_DEBOUNCER_H
#define TAG_DEBOUNCER_H

#include <map>
#include <string>

#include <SupportDefs.h>

class TagDebouncer {
public:
	static	constexpr bigtime_t kDefaultWindow = 1500000;

							TagDebouncer(bigtime_t window = kDefaultWindow);

			void			SetWindow(bigtime_t window) { fWindow = window; }
			bigtime_t		Window() const { return fWindow; }

	// True when this sighting at `when` (µs, monotonic) is a new read.
	// A window of 0 or less lets every sighting through.
			bool			Accept(const char* tag, bigtime_t when);

private:
			void			_Prune(bigtime_t when);

			bigtime_t		fWindow;
			std::map<std::string, bigtime_t> fLastSeen;
};

#endif	// TAG_DEBOUNCER_H
