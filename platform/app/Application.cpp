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
	return BLooper::ResolveSpecifier(message, index, specifier, what, property);
}


status_t
BApplication::GetSupportedSuites(BMessage* data)
{
	if (data == NULL)
		return B_BAD_VALUE;
	status_t status = data->AddString("suites", "suite/vnd.Be-application");
	if (status != B_OK)
		return status;
	return BLooper::GetSupportedSuites(data);
}
