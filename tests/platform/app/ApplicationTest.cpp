#include <Application.h>

#include <locale.h>
#include <string.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include <AppPrivate.h>
#include <Entry.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>
#include <Roster.h>

#include <gtest/gtest.h>

// A stand-in for the interface kit's window: a looper dispatched on the GUI
// thread and listed as a window of the application.
class BWindow : public BLooper {
public:
	BWindow(const char* name, bool* deleted)
		: BLooper(name), fDeleted(deleted)
	{
		BPrivate::register_window(this);
	}
	~BWindow() override
	{
		BPrivate::unregister_window(this);
		if (fDeleted != NULL)
			*fDeleted = true;
	}
	void Show() { BPrivate::start_gui_looper(this); }
	bool QuitRequested() override { return fAgree; }

	bool*	fDeleted;
	bool	fAgree = true;
};

namespace {

const char* kSignature = "application/x-vnd.zelmora-test";
const uint32 kMsgStep = 'step';
const uint32 kMsgProbe = 'prob';
const uint32 kMsgMark = 'mark';
const uint32 kMsgNested = 'nest';
const uint32 kMsgSetFlag = 'flag';

std::vector<std::string> sEvents;
void** sWorkerArgs;


class TestApp : public BApplication {
public:
	TestApp() : BApplication(kSignature) {}

	void ArgvReceived(int32 argc, char** argv) override
	{
		sEvents.push_back("argv");
		fArgc = argc;
		fFirstArgument = argc > 0 ? argv[0] : "";
	}
	void ReadyToRun() override
	{
		sEvents.push_back("ready");
		if (fReady)
			fReady(this);
	}
	void MessageReceived(BMessage* message) override
	{
		if (message->what == kMsgStep && fStep) {
			fStep(this, message);
			return;
		}
		BApplication::MessageReceived(message);
	}

	std::function<void(TestApp*)> fReady;
	std::function<void(TestApp*, BMessage*)> fStep;
	int32 fArgc = 0;
	std::string fFirstArgument;
};


class PlainLooper : public BLooper {
public:
	PlainLooper(std::atomic<bool>* deleted) : BLooper("plain"), fDeleted(deleted) {}
	~PlainLooper() override { *fDeleted = true; }
	void MessageReceived(BMessage* message) override
	{
		if (message->what == kMsgProbe) {
			BMessage reply(B_REPLY);
			reply.AddBool("gui", BPrivate::is_gui_thread());
			message->SendReply(&reply);
			return;
		}
		BLooper::MessageReceived(message);
	}
	std::atomic<bool>* fDeleted;
};


// A window that answers probes and records what it is sent.
class ProbeWindow : public BWindow {
public:
	ProbeWindow(const char* name, bool* deleted) : BWindow(name, deleted) {}
	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kMsgProbe:
			{
				BMessage reply(B_REPLY);
				reply.AddBool("gui", BPrivate::is_gui_thread());
				reply.AddBool("locked", IsLocked());
				message->SendReply(&reply);
				break;
			}
			case kMsgMark:
				sEvents.push_back(std::string("mark ") + Name());
				break;
			case kMsgSetFlag:
				sEvents.push_back(std::string("flag ") + Name());
				*fFlag = true;
				break;
			case kMsgNested:
				// Wait in a nested loop for the flag another window sets;
				// our own next message must wait until we return.
				PostMessage(kMsgMark);
				fOther->PostMessage(kMsgSetFlag);
				BPrivate::run_nested_loop(
					[](void* cookie) { return *(bool*)cookie; }, fFlag);
				sEvents.push_back("nested done");
				break;
			case B_QUIT_REQUESTED:
				break;
			default:
				BWindow::MessageReceived(message);
				break;
		}
	}
	bool*		fFlag = NULL;
	BLooper*	fOther = NULL;
};

}	// namespace


TEST(BApplication, ArgumentsFirstThenReadyAndQuitEndsEveryLooper)
{
	sEvents.clear();
	bool firstDeleted = false, secondDeleted = false;
	std::atomic<bool> plainDeleted{false};
	TestApp app;
	ASSERT_EQ(app.InitCheck(), B_OK);
	EXPECT_EQ(be_app, &app);
	EXPECT_TRUE(be_app_messenger.IsValid());
	EXPECT_TRUE(BPrivate::is_gui_thread());
	// Numbers and dates are formatted the C way whatever the user's locale.
	EXPECT_STREQ(setlocale(LC_NUMERIC, NULL), "C");
	EXPECT_STREQ(setlocale(LC_TIME, NULL), "C");
	app.PostMessage(kMsgStep);

	app.fStep = [&](TestApp*, BMessage*) { sEvents.push_back("step"); };
	app.fReady = [&](TestApp* self) {
		ProbeWindow* first = new ProbeWindow("first", &firstDeleted);
		first->Show();
		ProbeWindow* second = new ProbeWindow("second", &secondDeleted);
		second->Show();
		(new PlainLooper(&plainDeleted))->Run();
		EXPECT_EQ(self->CountWindows(), 2);
		EXPECT_EQ(self->WindowAt(0), (BWindow*)first);
		EXPECT_EQ(self->WindowAt(1), (BWindow*)second);
		EXPECT_EQ(self->WindowAt(2), (BWindow*)NULL);
		self->PostMessage(B_QUIT_REQUESTED);
	};
	app.Run();

	// The arguments (there are some under the test runner) come before
	// B_READY_TO_RUN, which comes before anything posted earlier.
	std::vector<std::string> expected;
	if (app.fArgc > 1)
		expected.push_back("argv");
	expected.push_back("ready");
	expected.push_back("step");
	EXPECT_EQ(sEvents, expected);
	EXPECT_TRUE(firstDeleted);
	EXPECT_TRUE(secondDeleted);
	EXPECT_TRUE(plainDeleted.load());
	EXPECT_EQ(app.CountWindows(), 0);
	EXPECT_FALSE(be_app_messenger.IsValid());
}


TEST(BApplication, OneRefusingWindowKeepsEverythingRunning)
{
	bool firstDeleted = false, secondDeleted = false;
	TestApp app;
	ProbeWindow* first = NULL;
	int32 step = 0;
	app.fReady = [&](TestApp* self) {
		first = new ProbeWindow("first", &firstDeleted);
		first->Show();
		ProbeWindow* second = new ProbeWindow("second", &secondDeleted);
		second->fAgree = false;
		second->Show();
		self->PostMessage(B_QUIT_REQUESTED);
		self->PostMessage(kMsgStep);
		app.fStep = [&, second](TestApp* self, BMessage*) {
			if (step++ == 0) {
				EXPECT_FALSE(firstDeleted) << "nobody quits unless all agree";
				EXPECT_FALSE(secondDeleted);
				second->fAgree = true;
				self->PostMessage(B_QUIT_REQUESTED);
			}
		};
	};
	app.Run();
	EXPECT_EQ(step, 1);
	EXPECT_TRUE(firstDeleted);
	EXPECT_TRUE(secondDeleted);
}


TEST(BApplication, GuiLoopersDispatchOnTheGuiThreadAndRefuseDeadlocks)
{
	bool windowDeleted = false, otherDeleted = false;
	std::atomic<bool> plainDeleted{false};
	TestApp app;
	ProbeWindow* window = NULL;
	PlainLooper* plain = NULL;
	BMessenger toWindow;
	std::atomic<status_t> workerStatus{B_ERROR};
	BMessage workerReply;

	app.fReady = [&](TestApp* self) {
		window = new ProbeWindow("window", &windowDeleted);
		window->Show();
		toWindow = BMessenger(window);
		plain = new PlainLooper(&plainDeleted);
		plain->Run();

		// From the GUI thread a window cannot answer while we wait...
		BMessage reply;
		EXPECT_EQ(toWindow.SendMessage(kMsgProbe, &reply), B_WOULD_DEADLOCK);
		EXPECT_EQ(BMessenger(self).SendMessage(kMsgProbe, &reply),
			B_WOULD_DEADLOCK);
		// ... but a looper with a thread of its own can.
		ASSERT_EQ(BMessenger(plain).SendMessage(kMsgProbe, &reply), B_OK);
		EXPECT_FALSE(reply.GetBool("gui", true));

		// Another thread may wait for a window's answer.
		thread_id worker = spawn_thread([](void* data) -> status_t {
			void** args = (void**)data;
			status_t status = ((BMessenger*)args[0])->SendMessage(kMsgProbe,
				(BMessage*)args[1]);
			*(std::atomic<status_t>*)args[2] = status;
			be_app_messenger.SendMessage(kMsgStep);
			return B_OK;
		}, "worker", B_NORMAL_PRIORITY, sWorkerArgs);
		resume_thread(worker);
	};
	void* args[] = { &toWindow, &workerReply, &workerStatus };
	sWorkerArgs = args;
	app.fStep = [&](TestApp* self, BMessage*) {
		EXPECT_EQ(workerStatus.load(), B_OK);
		EXPECT_TRUE(workerReply.GetBool("gui", false));
		EXPECT_TRUE(workerReply.GetBool("locked", false));

		// A window that quit takes no more messages.
		ProbeWindow* other = new ProbeWindow("other", &otherDeleted);
		other->Show();
		BMessenger toOther(other);
		other->Lock();
		other->Quit();
		EXPECT_TRUE(otherDeleted);
		EXPECT_FALSE(toOther.IsValid());
		EXPECT_EQ(toOther.SendMessage(kMsgMark), B_BAD_PORT_ID);
		self->PostMessage(B_QUIT_REQUESTED);
	};
	app.Run();
	EXPECT_TRUE(windowDeleted);
	EXPECT_TRUE(plainDeleted.load());
}


TEST(BApplication, NestedLoopRunsOtherLoopersButNotTheBusyOne)
{
	sEvents.clear();
	bool aDeleted = false, bDeleted = false;
	bool flag = false;
	TestApp app;
	app.fReady = [&](TestApp* self) {
		ProbeWindow* a = new ProbeWindow("a", &aDeleted);
		ProbeWindow* b = new ProbeWindow("b", &bDeleted);
		a->fFlag = &flag;
		a->fOther = b;
		b->fFlag = &flag;
		a->Show();
		b->Show();
		a->PostMessage(kMsgNested);
		self->PostMessage(kMsgStep);
	};
	app.fStep = [&](TestApp* self, BMessage*) {
		sEvents.push_back("app step");
		// Let the windows' messages through before quitting.
		if (sEvents.size() < 4)
			self->PostMessage(kMsgStep);
		else
			self->PostMessage(B_QUIT_REQUESTED);
	};
	app.Run();
	ASSERT_GE(sEvents.size(), 4u);
	auto position = [&](const std::string& event) {
		for (size_t i = 0; i < sEvents.size(); i++) {
			if (sEvents[i] == event)
				return (int)i;
		}
		return -1;
	};
	EXPECT_GE(position("flag b"), 0);
	EXPECT_LT(position("flag b"), position("nested done"));
	EXPECT_LT(position("nested done"), position("mark a"))
		<< "the busy window's next message waits for its handler";
	EXPECT_TRUE(aDeleted);
	EXPECT_TRUE(bDeleted);
}


TEST(BApplication, QuitFromAWindowsOwnHandlerWaitsForTheHandler)
{
	bool deleted = false;
	bool deletedDuringHandler = true;
	class SelfQuitter : public BWindow {
	public:
		SelfQuitter(bool* deleted, bool* during) : BWindow("self", deleted),
			fDuring(during) {}
		void MessageReceived(BMessage* message) override
		{
			if (message->what == kMsgMark) {
				Quit();
				*fDuring = *fDeleted;
				be_app->PostMessage(B_QUIT_REQUESTED);
				return;
			}
			BWindow::MessageReceived(message);
		}
		bool* fDuring;
	};
	TestApp app;
	app.fReady = [&](TestApp*) {
		SelfQuitter* window = new SelfQuitter(&deleted, &deletedDuringHandler);
		window->Show();
		window->PostMessage(kMsgMark);
	};
	app.Run();
	EXPECT_FALSE(deletedDuringHandler);
	EXPECT_TRUE(deleted);
}


TEST(BApplication, SignatureAppInfoAndOneApplicationOnly)
{
	TestApp app;
	app_info info;
	ASSERT_EQ(app.GetAppInfo(&info), B_OK);
	EXPECT_STREQ(info.signature, kSignature);
	EXPECT_STREQ(info.ref.name, "test_platform_app");
	EXPECT_EQ(info.team, (team_id)getpid());
	EXPECT_EQ(app.GetAppInfo(NULL), B_BAD_VALUE);

	status_t status;
	BMessenger bySignature("Application/X-Vnd.Zelmora-Test", -1, &status);
	EXPECT_EQ(status, B_OK);
	EXPECT_EQ(bySignature, be_app_messenger);
	BMessenger unknown("application/x-vnd.nobody", -1, &status);
	EXPECT_NE(status, B_OK);
	EXPECT_FALSE(unknown.IsValid());

	BApplication* second = new BApplication("application/x-vnd.other",
		&status);
	EXPECT_EQ(status, B_ALREADY_RUNNING);
	EXPECT_EQ(be_app, &app);
	delete second;
	EXPECT_EQ(be_app, &app);
}


TEST(BApplication, RefusesABadSignature)
{
	status_t status;
	BApplication app("text/plain", &status);
	EXPECT_EQ(status, B_BAD_VALUE);
	EXPECT_EQ(app.InitCheck(), B_BAD_VALUE);
}
