// Private glue between the app kit and the interface kit. No Qt types:
// where Qt objects are meant, the type is void*.
#ifndef _APP_PRIVATE_H
#define _APP_PRIVATE_H

#include <AppDefs.h>
#include <Point.h>
#include <SupportDefs.h>

class BLooper;
class BMessage;
class BWindow;

namespace BPrivate {

// Makes the Qt application object (a QApplication in the interface kit).
// argc and argv live in static storage for the program's life.
typedef void* (*qt_app_factory)(int& argc, char** argv);
void set_qt_app_factory(qt_app_factory factory);

// Creates the Qt application if there is none yet (BApplication does this
// in its constructor): chooses the offscreen platform when there is no
// display, then resets the locale (LC_ALL "C", LC_MESSAGES from the user).
void ensure_qt_app();

// True on the thread that runs the Qt event loop.
bool is_gui_thread();

// From now on the looper is dispatched on the GUI thread from its own queue,
// one message per Qt event. Releases the lock the constructor took.
void start_gui_looper(BLooper* looper);
bool is_gui_looper(const BLooper* looper);

// Runs a nested event loop until done(cookie) is true; done is checked
// after every dispatched message and on a short timer. Loopers whose
// handler is on the stack meanwhile are not dispatched; their messages wait
// until that handler returns. Off the GUI thread it polls done() instead.
status_t run_nested_loop(bool (*done)(void* cookie), void* cookie);

// Windows of the application in creation order. Call register_window from
// the window's constructor; the template makes the BWindow → BLooper
// conversion where BWindow is a complete type.
void register_window_looper(BWindow* window, BLooper* looper);
void unregister_window(BWindow* window);
template<class Window>
inline void register_window(Window* window)
{
	register_window_looper(window, static_cast<BLooper*>(window));
}

// Marks a message as dropped at a point (with the grab offset).
void set_message_dropped(BMessage* message, BPoint where, BPoint offset);

// Calls function(data) on the GUI thread, from the event loop, in the
// order of the calls; from any thread.
void run_on_gui_thread(void (*function)(void* data), void* data);

// Scripting.
// Answers a scripting request that cannot be served: what is
// B_MESSAGE_NOT_UNDERSTOOD or B_REPLY, with "error" and "message".
void send_script_error(BMessage* request, status_t error, const char* text,
	uint32 what = B_MESSAGE_NOT_UNDERSTOOD);
// Hands the message on to the looper (its own handler), keeping the
// sender's way back; the original no longer answers. B_BAD_PORT_ID if the
// looper is gone.
status_t forward_message(BMessage* message, BLooper* looper);
// The window a "Window" specifier names: by creation index, reverse index
// or title. B_BAD_INDEX / B_NAME_NOT_FOUND / B_BAD_SCRIPT_SYNTAX.
status_t find_window(const BMessage* specifier, int32 form, BWindow** window,
	BLooper** looper);
// A hook of the interface kit for requests to the application that are
// served outside every looper (so that no looper is busy meanwhile), on
// the GUI thread: true if it answered the request.
typedef bool (*application_script_hook)(BMessage* message);
void set_application_script_hook(application_script_hook hook);
// Messages from other programs to the application go through here (on
// the GUI thread, in order): the hook, then window specifiers resolved
// by the platform, so a window answers while the application is busy;
// everything else goes to the application's queue. Takes the message.
void route_application_message(BMessage* message, int32 applicationToken);

}	// namespace BPrivate

#endif	// _APP_PRIVATE_H
