// The Qt side of the app kit: the Qt application object, the dispatcher
// that runs GUI loopers on the GUI thread, nested loops and the window list.
#include <AppPrivate.h>

#include <locale.h>
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QThread>
#include <QTimer>

#include <Application.h>
#include <OS.h>

#include "LooperPrivate.h"

namespace {

// A Qt event telling the dispatcher that the looper with the token has
// messages.
class LooperEvent : public QEvent {
public:
	LooperEvent(QEvent::Type type, int32 token) : QEvent(type), fToken(token) {}
	int32 Token() const { return fToken; }

private:
	int32 fToken;
};


// A Qt event carrying a function to call on the GUI thread.
class TaskEvent : public QEvent {
public:
	TaskEvent(QEvent::Type type, void (*function)(void*), void* data)
		: QEvent(type), fFunction(function), fData(data) {}
	void Run() const { fFunction(fData); }

private:
	void	(*fFunction)(void*);
	void*	fData;
};


QEvent::Type sTaskType = QEvent::None;


class Dispatcher : public QObject {
public:
	Dispatcher(QEvent::Type type) : fType(type) {}

	bool event(QEvent* event) override
	{
		if (event->type() == sTaskType && sTaskType != QEvent::None) {
			static_cast<TaskEvent*>(event)->Run();
			return true;
		}
		if (event->type() != fType)
			return QObject::event(event);
		BPrivate::LooperAccess::DispatchGuiEvent(
			static_cast<LooperEvent*>(event)->Token());
		return true;
	}

private:
	QEvent::Type fType;
};


struct NestedLoop {
	bool		(*done)(void* cookie);
	void*		cookie;
	QEventLoop*	loop;
};


BPrivate::qt_app_factory sFactory = NULL;
QCoreApplication* sQtApp = NULL;
Dispatcher* sDispatcher = NULL;
QEvent::Type sEventType = QEvent::None;
std::vector<NestedLoop*> sNestedLoops;

// Qt is handed the program name only, so that none of the program's own
// arguments is taken for a Qt option; static for the program's life.
int sQtArgc = 1;
char sQtProgram[256] = "zelmora";
char* sQtArgv[] = { sQtProgram, NULL };

std::mutex sWindowLock;
std::vector<std::pair<BWindow*, BLooper*>> sWindows;


void*
DefaultFactory(int& argc, char** argv)
{
	return new QCoreApplication(argc, argv);
}


bool
IsUnset(const char* name)
{
	const char* value = getenv(name);
	return value == NULL || value[0] == '\0';
}

}	// namespace


namespace BPrivate {

void
set_qt_app_factory(qt_app_factory factory)
{
	sFactory = factory;
}


void
ensure_qt_app()
{
	if (sQtApp != NULL)
		return;
	if (QCoreApplication::instance() == NULL) {
		// No display: draw offscreen rather than fail.
		if (IsUnset("DISPLAY") && IsUnset("WAYLAND_DISPLAY")
			&& IsUnset("QT_QPA_PLATFORM"))
			setenv("QT_QPA_PLATFORM", "offscreen", 1);

		std::ifstream cmdline("/proc/self/cmdline");
		std::string program;
		if (std::getline(cmdline, program, '\0') && !program.empty()) {
			strncpy(sQtProgram, program.c_str(), sizeof(sQtProgram) - 1);
			sQtProgram[sizeof(sQtProgram) - 1] = '\0';
		}
		qt_app_factory factory = sFactory != NULL ? sFactory : DefaultFactory;
		factory(sQtArgc, sQtArgv);

		// Texts of the program expect C formats; only translations follow
		// the user.
		setlocale(LC_ALL, "C");
		if (setlocale(LC_MESSAGES, "") == NULL)
			setlocale(LC_MESSAGES, "C");
	}
	sQtApp = QCoreApplication::instance();
	sEventType = (QEvent::Type)QEvent::registerEventType();
	sTaskType = (QEvent::Type)QEvent::registerEventType();
	sDispatcher = new Dispatcher(sEventType);
}


void
run_on_gui_thread(void (*function)(void* data), void* data)
{
	if (sDispatcher == NULL) {
		function(data);
		return;
	}
	QCoreApplication::postEvent(sDispatcher,
		new TaskEvent(sTaskType, function, data));
}


bool
is_gui_thread()
{
	return sQtApp != NULL && QThread::currentThread() == sQtApp->thread();
}


void
post_gui_event(int32 looperToken)
{
	if (sDispatcher == NULL)
		return;
	QCoreApplication::postEvent(sDispatcher,
		new LooperEvent(sEventType, looperToken));
}


bool
in_nested_loop()
{
	return !sNestedLoops.empty();
}


void
check_nested_loops()
{
	if (sNestedLoops.empty() || !is_gui_thread())
		return;
	NestedLoop* top = sNestedLoops.back();
	if (top->done(top->cookie))
		top->loop->exit(0);
}


status_t
run_nested_loop(bool (*done)(void* cookie), void* cookie)
{
	if (done == NULL)
		return B_BAD_VALUE;
	if (!is_gui_thread()) {
		while (!done(cookie))
			snooze(10000);
		return B_OK;
	}

	QEventLoop loop;
	NestedLoop entry = { done, cookie, &loop };
	sNestedLoops.push_back(&entry);
	QTimer timer;
	timer.setInterval(10);
	QObject::connect(&timer, &QTimer::timeout, [] { check_nested_loops(); });
	timer.start();
	if (!done(cookie))
		loop.exec();
	sNestedLoops.pop_back();
	return B_OK;
}


void
register_window_looper(BWindow* window, BLooper* looper)
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	sWindows.push_back({ window, looper });
}


void
unregister_window(BWindow* window)
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	for (auto it = sWindows.begin(); it != sWindows.end(); ++it) {
		if (it->first == window) {
			sWindows.erase(it);
			return;
		}
	}
}


std::vector<std::pair<BWindow*, BLooper*>>
registered_windows()
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	return sWindows;
}


bool
is_window_registered(BWindow* window)
{
	std::lock_guard<std::mutex> guard(sWindowLock);
	for (const auto& entry : sWindows) {
		if (entry.first == window)
			return true;
	}
	return false;
}

}	// namespace BPrivate
