// Frame of the custom controls' tests: one application per test program on
// the offscreen platform, and a host view that plays the part of the page
// that embeds a control.
#ifndef UI_TEST_H
#define UI_TEST_H

#include <Application.h>
#include <Message.h>
#include <View.h>
#include <Window.h>
#include <WindowAutomation.h>

#include <stdlib.h>
#include <time.h>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

using BPrivate::WindowAutomation;

// A page stand-in: keeps every message handed to it and runs a hook on it.
class HostView : public BView {
public:
	HostView(BRect frame)
		: BView(frame, "host", B_FOLLOW_ALL_SIDES, B_WILL_DRAW) {}

	void MessageReceived(BMessage* message) override
	{
		received.push_back(*message);
		if (onMessage)
			onMessage(message);
	}

	const BMessage* Last(uint32 what) const
	{
		for (auto it = received.rbegin(); it != received.rend(); ++it) {
			if (it->what == what)
				return &*it;
		}
		return NULL;
	}

	int32 Count(uint32 what) const
	{
		int32 count = 0;
		for (const BMessage& message : received)
			count += message.what == what ? 1 : 0;
		return count;
	}

	std::vector<BMessage> received;
	std::function<void(BMessage*)> onMessage;
};


class UiTest : public ::testing::Test {
protected:
	// The picker's results are local times; the zone is fixed here, one
	// with daylight saving (a POSIX rule: no zone files needed).
	static void SetUpTestSuite()
	{
		setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
		tzset();
		if (be_app == NULL)
			new BApplication("application/x-vnd.zelmora-ui-test");
	}

	void SetUp() override
	{
		window = new BWindow(BRect(100, 100, 699, 299), "ui test",
			B_TITLED_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL, 0);
		host = new HostView(window->Bounds());
		host->SetViewColor(216, 216, 216);
		window->AddChild(host);
	}

	void TearDown() override
	{
		if (window->Lock())
			window->Quit();
		WindowAutomation::Sync();
	}

	void Show()
	{
		window->Show();
		ASSERT_TRUE(WindowAutomation::Sync());
	}

	static bool Sync() { return WindowAutomation::Sync(); }

	// A key pressed and released in the window, then worked off.
	void Key(const char* bytes)
	{
		ASSERT_EQ(WindowAutomation::Key(window, bytes), B_OK);
		ASSERT_TRUE(Sync());
	}

	void Keys(const char* bytes, int32 times)
	{
		for (int32 i = 0; i < times; i++)
			Key(bytes);
	}

	BWindow* window;
	HostView* host;
};

#endif	// UI_TEST_H
