// Input and pictures for tests and the automation suite: synthetic mouse,
// key, wheel and drop events that take the same way through Qt as real
// ones, a wait until every window has worked off its queue and drawn its
// updates, and a window's picture as PNG or bitmap.
#ifndef _WINDOW_AUTOMATION_H
#define _WINDOW_AUTOMATION_H

#include <InterfaceDefs.h>
#include <Point.h>
#include <SupportDefs.h>

class BBitmap;
class BView;
class BWindow;

namespace BPrivate {

class WindowAutomation {
public:
	// Mouse events at a point of a view (in the view's coordinates).
	static	status_t		MouseDown(BView* view, BPoint where,
								uint32 buttons = B_PRIMARY_MOUSE_BUTTON,
								int32 clicks = 1);
	static	status_t		MouseUp(BView* view, BPoint where,
								uint32 buttonsLeft = 0);
	static	status_t		MouseMoved(BView* view, BPoint where,
								uint32 buttons = 0);
	// A press and a release.
	static	status_t		Click(BView* view, BPoint where,
								uint32 buttons = B_PRIMARY_MOUSE_BUTTON);

	// A key given by its BeOS bytes ("\n", "\t", "a", B_UP_ARROW ...),
	// pressed and/or released.
	static	status_t		Key(BWindow* window, const char* bytes,
								uint32 modifiers = 0, bool press = true,
								bool release = true);
	// A key without bytes: B_LEFT_SUPER_KEY_CODE, B_RIGHT_SUPER_KEY_CODE.
	static	status_t		UnmappedKey(BWindow* window, int32 key,
								uint32 modifiers = 0, bool press = true,
								bool release = true);
	// Wheel steps (positive = down) over a point of the window.
	static	status_t		Wheel(BWindow* window, float deltaY,
								BPoint where = BPoint(0, 0));
	// Files dropped at a point of a view.
	static	status_t		Drop(BView* view, BPoint where,
								const char* const* paths, int32 count);

	// Runs the event loop until every window's queue is empty and its
	// updates drawn; false on timeout.
	static	bool			Sync(bigtime_t timeout = 5000000);

	// The window's current picture, after a Sync.
	static	status_t		SavePNG(BWindow* window, const char* path);
	static	BBitmap*		Snapshot(BWindow* window);

	// The window's top-level QWidget (for the kit's own files).
	static	void*			_Widget(BWindow* window);
};

}	// namespace BPrivate

#endif	// _WINDOW_AUTOMATION_H
