// Shared frame of the interface kit's tests: one application per test
// program (offscreen platform), windows shown and worked off with Sync.
#ifndef INTERFACE_TEST_H
#define INTERFACE_TEST_H

#include <Application.h>
#include <Message.h>
#include <View.h>
#include <Window.h>
#include <WindowAutomation.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

using BPrivate::WindowAutomation;

class InterfaceTest : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		if (be_app == NULL)
			new BApplication("application/x-vnd.zelmora-interface-test");
	}

	void TearDown() override
	{
		for (BWindow* window : fWindows) {
			if (window->Lock())
				window->Quit();
		}
		fWindows.clear();
		WindowAutomation::Sync();
	}

	// A shown window that the test owns until TearDown.
	template<class Window = BWindow>
	Window* MakeWindow(BRect frame = BRect(100, 100, 400, 300),
		uint32 flags = 0)
	{
		Window* window = new Window(frame, "test", B_TITLED_WINDOW_LOOK,
			B_NORMAL_WINDOW_FEEL, flags);
		fWindows.push_back(window);
		return window;
	}

	void Forget(BWindow* window)
	{
		std::erase(fWindows, window);
	}

	static bool Sync() { return WindowAutomation::Sync(); }

	std::vector<BWindow*> fWindows;
};


// A window that keeps every message its MessageReceived saw.
class RecordingWindow : public BWindow {
public:
	RecordingWindow(BRect frame, const char* title, window_look look,
		window_feel feel, uint32 flags)
		: BWindow(frame, title, look, feel, flags) {}

	void MessageReceived(BMessage* message) override
	{
		received.push_back(*message);
		BWindow::MessageReceived(message);
	}

	void FrameResized(float width, float height) override
	{
		resized.push_back(BPoint(width, height));
	}

	void FrameMoved(BPoint where) override
	{
		moved.push_back(where);
	}

	int32 Count(uint32 what) const
	{
		int32 count = 0;
		for (const BMessage& message : received)
			count += message.what == what ? 1 : 0;
		return count;
	}

	const BMessage* Last(uint32 what) const
	{
		for (auto it = received.rbegin(); it != received.rend(); ++it) {
			if (it->what == what)
				return &*it;
		}
		return NULL;
	}

	std::vector<BMessage> received;
	std::vector<BPoint> resized;
	std::vector<BPoint> moved;
};


static inline bool
same_color(rgb_color a, rgb_color b)
{
	return a.red == b.red && a.green == b.green && a.blue == b.blue
		&& a.alpha == b.alpha;
}

#endif	// INTERFACE_TEST_H
