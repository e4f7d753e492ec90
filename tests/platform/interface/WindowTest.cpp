// Windows as loopers and on screen: kinds, closing through QuitRequested,
// the application's window list, pointer tracking and keyboard listeners.
#include "InterfaceTest.h"

#include <Button.h>

class WindowTest : public InterfaceTest {};


TEST_F(WindowTest, KindsLooksAndFlags)
{
	BWindow* modal = new BWindow(BRect(200, 200, 579, 339), "ZLM-Info",
		B_MODAL_WINDOW, B_NOT_RESIZABLE);
	fWindows.push_back(modal);
	EXPECT_EQ(modal->Look(), B_MODAL_WINDOW_LOOK);
	EXPECT_TRUE(modal->IsModal());
	EXPECT_EQ(modal->Type(), B_MODAL_WINDOW);
	EXPECT_EQ(modal->Frame(), BRect(200, 200, 579, 339));
	EXPECT_STREQ(modal->Title(), "ZLM-Info");

	BWindow* floating = MakeWindow();
	floating->SetFeel(B_FLOATING_APP_WINDOW_FEEL);
	EXPECT_TRUE(floating->IsFloating());
	floating->SetTitle("Time-INFO");
	EXPECT_STREQ(floating->Title(), "Time-INFO");
	floating->SetFlags(B_NOT_ZOOMABLE);
	EXPECT_EQ(floating->Flags(), (uint32)B_NOT_ZOOMABLE);
	modal->Show();
	floating->Show();
	ASSERT_TRUE(Sync());

	// The application lists its windows in creation order.
	ASSERT_EQ(be_app->CountWindows(), 2);
	EXPECT_EQ(be_app->WindowAt(0), modal);
	EXPECT_EQ(be_app->WindowAt(1), floating);
}


namespace {

class StubbornWindow : public RecordingWindow {
public:
	StubbornWindow()
		: RecordingWindow(BRect(0, 0, 99, 99), "stubborn",
			B_TITLED_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL, 0) {}

	bool QuitRequested() override
	{
		asked++;
		return allow;
	}

	int asked = 0;
	bool allow = false;
};

}	// namespace


TEST_F(WindowTest, ClosingAsksQuitRequested)
{
	StubbornWindow* window = new StubbornWindow;
	fWindows.push_back(window);
	window->Show();
	window->PostMessage(B_QUIT_REQUESTED);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->asked, 1);
	EXPECT_EQ(be_app->CountWindows(), 1);

	window->allow = true;
	Forget(window);
	window->PostMessage(B_QUIT_REQUESTED);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), 0);
}


namespace {

class TrackingView : public BView {
public:
	TrackingView(BRect frame)
		: BView(frame, "track", B_FOLLOW_NONE, B_WILL_DRAW) {}

	void MouseDown(BPoint) override
	{
		SetMouseEventMask(B_POINTER_EVENTS);
	}

	void MouseMoved(BPoint, uint32 transit, const BMessage*) override
	{
		transits.push_back(transit);
	}

	void MouseUp(BPoint where) override { ups.push_back(where); }

	void KeyDown(const char* bytes, int32) override
	{
		keys.push_back(bytes);
	}

	std::vector<uint32> transits;
	std::vector<BPoint> ups;
	std::vector<std::string> keys;
};

}	// namespace


TEST_F(WindowTest, APressTracksThePointerOutsideTheView)
{
	BWindow* window = MakeWindow(BRect(0, 0, 199, 99));
	TrackingView* view = new TrackingView(BRect(0, 0, 49, 49));
	BView* other = new BView(BRect(100, 0, 149, 49), "other", B_FOLLOW_NONE,
		0);
	window->AddChild(view);
	window->AddChild(other);
	window->Show();

	WindowAutomation::MouseMoved(view, BPoint(5, 5));
	WindowAutomation::MouseDown(view, BPoint(5, 5));
	WindowAutomation::MouseMoved(other, BPoint(5, 5),
		B_PRIMARY_MOUSE_BUTTON);
	WindowAutomation::MouseUp(other, BPoint(5, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(view->transits, (std::vector<uint32>{ B_ENTERED_VIEW,
		B_EXITED_VIEW }));
	// The release went to the view that pressed, in its coordinates.
	ASSERT_EQ(view->ups.size(), 1u);
	EXPECT_EQ(view->ups[0], BPoint(105, 5));

	// Once released, the other view gets its own clicks again.
	WindowAutomation::MouseDown(other, BPoint(5, 5));
	WindowAutomation::MouseUp(other, BPoint(5, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(view->ups.size(), 1u);
}


TEST_F(WindowTest, ViewsAskingForKeyboardEventsHearEveryKey)
{
	BWindow* window = MakeWindow();
	TrackingView* focus = new TrackingView(BRect(0, 0, 9, 9));
	TrackingView* listener = new TrackingView(BRect(20, 0, 29, 9));
	window->AddChild(focus);
	window->AddChild(listener);
	listener->SetEventMask(B_KEYBOARD_EVENTS);
	focus->MakeFocus();
	window->Show();
	WindowAutomation::Key(window, "+");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(focus->keys, (std::vector<std::string>{ "+" }));
	EXPECT_EQ(listener->keys, (std::vector<std::string>{ "+" }));

	// Removing the focus view clears the window's focus.
	focus->RemoveSelf();
	EXPECT_EQ(window->CurrentFocus(), nullptr);
	delete focus;
	WindowAutomation::Key(window, "-");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(listener->keys.size(), 2u);
}


TEST_F(WindowTest, ViewsThatNeedPulsesGetThem)
{
	struct PulseView : BView {
		PulseView(uint32 flags)
			: BView(BRect(0, 0, 9, 9), "pulse", B_FOLLOW_NONE, flags) {}
		void Pulse() override { pulses++; }
		int pulses = 0;
	};
	BWindow* window = MakeWindow();
	PulseView* needs = new PulseView(B_PULSE_NEEDED);
	PulseView* quiet = new PulseView(0);
	window->AddChild(needs);
	window->AddChild(quiet);
	window->SetPulseRate(10000);
	window->Show();
	bigtime_t end = system_time() + 300000;
	while (system_time() < end && needs->pulses < 3) {
		Sync();
		snooze(5000);
	}
	EXPECT_GE(needs->pulses, 3);
	EXPECT_EQ(quiet->pulses, 0);
}
