// BApplication: the main looper of the program, dispatched on the Qt GUI
// thread; it owns the event loop and ends every looper when it quits.
#include <Application.h>

#include <limits.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <QEventLoop>
#include <QTimer>

#include <AppPrivate.h>
#include <Entry.h>
#include <Message.h>
#include <PropertyInfo.h>
#include <Roster.h>

#include "LooperPrivate.h"
#include "RemoteLinks.h"

BApplication* be_app = NULL;
BMessenger be_app_messenger;

namespace {

// From static initialisation on: standard output goes out line by line (the
// first trace line may come before the application exists), and a closed
// pipe gives EPIPE instead of killing the program.
struct ProcessStart {
	ProcessStart()
	{
		setvbuf(stdout, NULL, _IOLBF, 0);
		signal(SIGPIPE, SIG_IGN);
	}
} sProcessStart;


// The program's arguments as it got them.
std::vector<std::string>
ReadArguments()
{
	std::vector<std::string> arguments;
	std::ifstream cmdline("/proc/self/cmdline");
	std::string argument;
	while (std::getline(cmdline, argument, '\0'))
		arguments.push_back(argument);
	return arguments;
}


const property_info kApplicationProperties[] = {
	{ "Window",
		{ 0 },
		{ B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER, 0 },
		"A window of the application, by creation index or title.", 0,
		{ 0 } },
	{ "Window",
		{ B_COUNT_PROPERTIES, 0 },
		{ B_DIRECT_SPECIFIER, 0 },
		"The number of windows.", 0,
		{ B_INT32_TYPE, 0 } },
	{ "Name",
		{ B_GET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 },
		"The application's signature.", 0,
		{ B_STRING_TYPE, 0 } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};


BPrivate::application_script_hook sScriptHook = NULL;


struct RoutedMessage {
	BMessage*	message;
	int32		applicationToken;
};


void
RouteOnGuiThread(void* data)
{
	RoutedMessage* routed = (RoutedMessage*)data;
	BMessage* message = routed->message;
	int32 applicationToken = routed->applicationToken;
	delete routed;

	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property)
			== B_OK) {
		if (sScriptHook != NULL && sScriptHook(message)) {
			delete message;
			return;
		}
		if (strcmp(property, "Window") == 0 && form != B_DIRECT_SPECIFIER) {
			BWindow* window;
			BLooper* looper;
			status_t status = BPrivate::find_window(&specifier, form, &window,
				&looper);
			if (status != B_OK) {
				BPrivate::send_script_error(message, status,
					status == B_BAD_INDEX ? "Window index out of range"
						: "No window with that title");
			} else {
				message->PopSpecifier();
				BPrivate::forward_message(message, looper);
			}
			delete message;
			return;
		}
	}
	if (BPrivate::post_to_looper_token(applicationToken, message) != B_OK)
		delete message;
}


bool
IsValidSignature(const char* signature)
{
	if (signature == NULL)
		return false;
	size_t length = strlen(signature);
	return length > 12 && length < B_MIME_TYPE_LENGTH
		&& strncasecmp(signature, "application/", 12) == 0
		&& strchr(signature + 12, '/') == NULL;
}

}	// namespace


app_info::app_info()
	:
	thread(-1),
	team(-1),
	port(-1),
	flags(B_REG_DEFAULT_APP_FLAGS)
{
	signature[0] = '\0';
}


app_info::~app_info()
{
}


BApplication::BApplication(const char* signature)
	:
	BLooper("application")
{
	_Init(signature, NULL);
}


BApplication::BApplication(const char* signature, status_t* error)
	:
	BLooper("application")
{
	_Init(signature, error);
}


void
BApplication::_Init(const char* signature, status_t* error)
{
	fSignature = strdup(signature != NULL ? signature : "");
	fInitError = B_OK;
	fReadyToRunCalled = false;
	fRunCalled = false;
	fQuitting = false;
	fPulseRate = 0;
	fLoop = NULL;
	fPulseTimer = NULL;

	if (!IsValidSignature(signature)) {
		fprintf(stderr, "BApplication: \"%s\" is not a valid application "
			"signature\n", fSignature);
		fInitError = B_BAD_VALUE;
	}
	if (be_app != NULL) {
		fprintf(stderr, "BApplication: there is an application already\n");
		fInitError = B_ALREADY_RUNNING;
	} else {
		be_app = this;
		be_app_messenger = BMessenger(NULL, this);
	}
	if (error != NULL)
		*error = fInitError;

	BPrivate::ensure_qt_app();
	BPrivate::LooperAccess::State(this)->thread = find_thread(NULL);

	// Other programs reach the application through its socket.
	if (fInitError == B_OK) {
		status_t status = BPrivate::RemoteLinks::Listen(fSignature,
			BPrivate::LooperAccess::Token(this));
		if (status != B_OK) {
			fprintf(stderr, "BApplication: other programs cannot reach "
				"\"%s\" (error %d)\n", fSignature, (int)status);
		}
	}
}


BApplication::~BApplication()
{
	if (be_app == this) {
		BPrivate::RemoteLinks::StopListening();
		// Messages sent to other programs leave before the program ends.
		BPrivate::RemoteLinks::Flush(2000000);
		be_app = NULL;
		be_app_messenger = BMessenger();
	}
	delete (QTimer*)fPulseTimer;
	free(fSignature);
}


thread_id
BApplication::Run()
{
	if (fRunCalled)
		return B_ALREADY_RUNNING;
	fRunCalled = true;
	BPrivate::LooperState* state = BPrivate::LooperAccess::State(this);
	state->thread = find_thread(NULL);

	// The arguments and B_READY_TO_RUN come before anything posted earlier.
	std::vector<BMessage*> first;
	std::vector<std::string> arguments = ReadArguments();
	if (arguments.size() > 1) {
		BMessage* message = new BMessage(B_ARGV_RECEIVED);
		message->AddInt32("argc", (int32)arguments.size());
		for (const std::string& argument : arguments)
			message->AddString("argv", argument.c_str());
		char cwd[PATH_MAX];
		if (getcwd(cwd, sizeof(cwd)) != NULL)
			message->AddString("cwd", cwd);
		first.push_back(message);
	}
	first.push_back(new BMessage(B_READY_TO_RUN));
	{
		std::lock_guard<std::mutex> guard(state->queueLock);
		for (auto it = first.rbegin(); it != first.rend(); ++it)
			state->queue.push_front(*it);
	}

	if (!fQuitting) {
		QEventLoop loop;
		fLoop = &loop;
		BPrivate::start_gui_looper(this);
		if (!fQuitting)
			loop.exec();
		fLoop = NULL;
	}
	_QuitEverything();
	return state->thread;
}


void
BApplication::Quit()
{
	if (!BPrivate::is_gui_thread() && fRunCalled) {
		PostMessage(_QUIT_);
		return;
	}
	fQuitting = true;
	if (fLoop != NULL)
		((QEventLoop*)fLoop)->exit(0);
}


bool
BApplication::QuitRequested()
{
	// Every window must agree before any of them quits.
	std::vector<std::pair<BWindow*, BLooper*>> windows
		= BPrivate::registered_windows();
	for (const auto& entry : windows) {
		if (!BPrivate::is_window_registered(entry.first))
			continue;
		BLooper* window = entry.second;
		if (!window->Lock())
			continue;
		bool agrees = window->QuitRequested();
		window->Unlock();
		if (!agrees)
			return false;
	}
	for (const auto& entry : windows) {
		if (!BPrivate::is_window_registered(entry.first))
			continue;
		if (entry.second->Lock())
			entry.second->Quit();
	}
	return true;
}


void
BApplication::_QuitEverything()
{
	// The application takes no more messages, so a looper that asks it for
	// something while quitting is answered at once instead of waiting.
	BPrivate::unregister_looper(this);
	BPrivate::LooperState* state = BPrivate::LooperAccess::State(this);
	std::deque<BMessage*> dropped;
	{
		std::lock_guard<std::mutex> guard(state->queueLock);
		dropped.swap(state->queue);
		state->eventPosted = false;
	}
	for (BMessage* message : dropped)
		delete message;

	for (const auto& entry : BPrivate::registered_windows()) {
		if (BPrivate::is_window_registered(entry.first) && entry.second->Lock())
			entry.second->Quit();
	}
	for (BLooper* looper : BPrivate::live_loopers()) {
		if (looper != this && looper->Lock())
			looper->Quit();
	}
}


void BApplication::ReadyToRun() {}
void BApplication::ArgvReceived(int32, char**) {}
void BApplication::AppActivated(bool) {}
void BApplication::RefsReceived(BMessage*) {}
void BApplication::AboutRequested() {}
void BApplication::Pulse() {}


void
BApplication::_ArgvReceived(BMessage* message)
{
	int32 argc = 0;
	if (message->FindInt32("argc", &argc) != B_OK || argc <= 0)
		return;
	std::vector<char*> argv;
	const char* argument;
	for (int32 i = 0; i < argc
			&& message->FindString("argv", i, &argument) == B_OK; i++)
		argv.push_back(const_cast<char*>(argument));
	int32 count = (int32)argv.size();
	argv.push_back(NULL);
	ArgvReceived(count, argv.data());
}


void
BApplication::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (handler != this) {
		BLooper::DispatchMessage(message, handler);
		return;
	}
	switch (message->what) {
		case _QUIT_:
			Quit();
			break;
		case B_ARGV_RECEIVED:
			_ArgvReceived(message);
			break;
		case B_READY_TO_RUN:
			if (!fReadyToRunCalled) {
				fReadyToRunCalled = true;
				ReadyToRun();
			}
			break;
		case B_APP_ACTIVATED:
		{
			bool active;
			if (message->FindBool("active", &active) == B_OK)
				AppActivated(active);
			break;
		}
		case B_REFS_RECEIVED:
			RefsReceived(message);
			break;
		case B_ABOUT_REQUESTED:
			AboutRequested();
			break;
		case B_PULSE:
			Pulse();
			break;
		default:
			BLooper::DispatchMessage(message, handler);
			break;
	}
}


void
BApplication::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_GET_PROPERTY:
		case B_COUNT_PROPERTIES:
			if (_HandleScripting(message))
				return;
			break;
	}
	BLooper::MessageReceived(message);
}


int32
BApplication::CountWindows() const
{
	return (int32)BPrivate::registered_windows().size();
}


BWindow*
BApplication::WindowAt(int32 index) const
{
	std::vector<std::pair<BWindow*, BLooper*>> windows
		= BPrivate::registered_windows();
	if (index < 0 || (size_t)index >= windows.size())
		return NULL;
	return windows[index].first;
}


int32
BApplication::CountLoopers() const
{
	return (int32)BPrivate::live_loopers().size();
}


BLooper*
BApplication::LooperAt(int32 index) const
{
	std::vector<BLooper*> loopers = BPrivate::live_loopers();
	if (index < 0 || (size_t)index >= loopers.size())
		return NULL;
	return loopers[index];
}


status_t
BApplication::GetAppInfo(app_info* info) const
{
	if (info == NULL)
		return B_BAD_VALUE;
	info->thread = Thread();
	info->team = Team();
	info->port = -1;
	info->flags = B_REG_DEFAULT_APP_FLAGS;
	strncpy(info->signature, fSignature, sizeof(info->signature) - 1);
	info->signature[sizeof(info->signature) - 1] = '\0';

	// The executable as the kernel knows it, links resolved.
	char path[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if (length <= 0)
		return B_ERROR;
	path[length] = '\0';
	return get_ref_for_path(path, &info->ref);
}


void
BApplication::SetPulseRate(bigtime_t rate)
{
	fPulseRate = rate;
	QTimer* timer = (QTimer*)fPulseTimer;
	if (rate <= 0) {
		delete timer;
		fPulseTimer = NULL;
		return;
	}
	if (timer == NULL) {
		timer = new QTimer;
		fPulseTimer = timer;
		QObject::connect(timer, &QTimer::timeout,
			[] { if (be_app != NULL) be_app->PostMessage(B_PULSE); });
	}
	timer->start((int)(rate / 1000 > 0 ? rate / 1000 : 1));
}


BHandler*
BApplication::ResolveSpecifier(BMessage* message, int32 index,
	BMessage* specifier, int32 what, const char* property)
{
	BPropertyInfo info(kApplicationProperties);
	int32 match = info.FindMatch(message, index, specifier, what, property);
	if (match == 0) {
		// A window: the request goes on to its looper.
		BWindow* window;
		BLooper* looper;
		status_t status = BPrivate::find_window(specifier, what, &window,
			&looper);
		if (status != B_OK) {
			BPrivate::send_script_error(message, status,
				status == B_BAD_INDEX ? "Window index out of range"
					: "No window with that title");
			return NULL;
		}
		message->PopSpecifier();
		if (looper == this)
			return this;
		BPrivate::forward_message(message, looper);
		return NULL;
	}
	if (match > 0)
		return this;
	return BLooper::ResolveSpecifier(message, index, specifier, what, property);
}


status_t
BApplication::GetSupportedSuites(BMessage* data)
{
	if (data == NULL)
		return B_BAD_VALUE;
	status_t status = data->AddString("suites", "suite/vnd.Be-application");
	if (status == B_OK)
		status = BPropertyInfo(kApplicationProperties).AddTo(data);
	if (status != B_OK)
		return status;
	return BLooper::GetSupportedSuites(data);
}


bool
BApplication::_HandleScripting(BMessage* message)
{
	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property)
			!= B_OK)
		return false;
	BMessage reply(B_REPLY);
	if (message->what == B_COUNT_PROPERTIES && strcmp(property, "Window") == 0
		&& form == B_DIRECT_SPECIFIER) {
		reply.AddInt32("result", CountWindows());
	} else if (message->what == B_GET_PROPERTY && strcmp(property, "Name") == 0
		&& form == B_DIRECT_SPECIFIER) {
		reply.AddString("result", fSignature);
	} else
		return false;
	reply.AddInt32("error", B_OK);
	message->SendReply(&reply);
	return true;
}


namespace BPrivate {

status_t
find_window(const BMessage* specifier, int32 form, BWindow** window,
	BLooper** looper)
{
	std::vector<std::pair<BWindow*, BLooper*>> windows = registered_windows();
	int32 count = (int32)windows.size();
	int32 found = -1;
	if (specifier == NULL)
		return B_BAD_SCRIPT_SYNTAX;
	if (form == B_INDEX_SPECIFIER || form == B_REVERSE_INDEX_SPECIFIER) {
		int32 index;
		if (specifier->FindInt32("index", &index) != B_OK)
			return B_BAD_SCRIPT_SYNTAX;
		if (form == B_REVERSE_INDEX_SPECIFIER)
			index = count - 1 - index;
		if (index < 0 || index >= count)
			return B_BAD_INDEX;
		found = index;
	} else if (form == B_NAME_SPECIFIER) {
		const char* name;
		if (specifier->FindString("name", &name) != B_OK)
			return B_BAD_SCRIPT_SYNTAX;
		// A window's looper is named by its title.
		for (int32 i = 0; i < count && found < 0; i++) {
			const char* title = windows[i].second->Name();
			if (title != NULL && strcmp(title, name) == 0)
				found = i;
		}
		if (found < 0)
			return B_NAME_NOT_FOUND;
	} else
		return B_BAD_SCRIPT_SYNTAX;
	if (window != NULL)
		*window = windows[found].first;
	if (looper != NULL)
		*looper = windows[found].second;
	return B_OK;
}


void
send_script_error(BMessage* request, status_t error, const char* text,
	uint32 what)
{
	if (request == NULL)
		return;
	BMessage reply(what);
	reply.AddInt32("error", error);
	if (text != NULL)
		reply.AddString("message", text);
	request->SendReply(&reply);
}


void
set_application_script_hook(application_script_hook hook)
{
	sScriptHook = hook;
}


void
route_application_message(BMessage* message, int32 applicationToken)
{
	run_on_gui_thread(RouteOnGuiThread,
		new RoutedMessage{ message, applicationToken });
}

}	// namespace BPrivate
