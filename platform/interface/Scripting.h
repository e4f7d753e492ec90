// Scripting of windows and views (private to the interface kit): the
// properties they offer and the automation suite, reached from BWindow's
// and BView's ResolveSpecifier, GetSupportedSuites and MessageReceived.
#ifndef _INTERFACE_SCRIPTING_H
#define _INTERFACE_SCRIPTING_H

#include <SupportDefs.h>

class BHandler;
class BMessage;
class BView;
class BWindow;

namespace BPrivate {

// *matched is false when the property is not one of the window's (or
// view's); with a match, NULL means the request was answered (an error).
BHandler* resolve_window_specifier(BWindow* window, BMessage* message,
	int32 index, BMessage* specifier, int32 form, const char* property,
	bool* matched);
status_t window_supported_suites(BWindow* window, BMessage* data);
// True if the request was answered.
bool handle_window_script(BWindow* window, BMessage* message);

BHandler* resolve_view_specifier(BView* view, BMessage* message, int32 index,
	BMessage* specifier, int32 form, const char* property, bool* matched);
status_t view_supported_suites(BView* view, BMessage* data);
bool handle_view_script(BView* view, BMessage* message);

}	// namespace BPrivate

#endif	// _INTERFACE_SCRIPTING_H
