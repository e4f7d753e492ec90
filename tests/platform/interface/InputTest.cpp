// Input as BeOS messages: mouse to the view under the pointer, keys and
// the wheel to the focus view, climbing to the parent and the window;
// views deleted by their own handlers; drops with refs.
#include "InterfaceTest.h"

#include <stdio.h>
#include <unistd.h>

#include <Entry.h>

namespace {

// A view that logs its hooks; a message it does not know climbs on.
class InputView : public BView {
public:
	InputView(BRect frame, const char* name)
		: BView(frame, name, B_FOLLOW_NONE, B_WILL_DRAW) {}

	void MouseDown(BPoint where) override
	{
		downs.push_back(where);
		BMessage* current = Window()->CurrentMessage();
		int32 value = 0;
		if (current != NULL && current->FindInt32("buttons", &value) == B_OK)
			messageButtons = value;
		GetMouse(&mouseWhere, &mouseButtons);
		// A second look during the same click sees the same state.
		GetMouse(&secondWhere, &secondButtons);
		if (onMouseDown)
			onMouseDown(this);
	}

	void MouseUp(BPoint where) override { ups.push_back(where); }

	void MouseMoved(BPoint where, uint32 transit, const BMessage* drag)
		override
	{
		transits.push_back(transit);
		dragWhat = drag != NULL ? drag->what : 0;
		(void)where;
	}

	void KeyDown(const char* bytes, int32 numBytes) override
	{
		keys.push_back(std::string(bytes, numBytes));
	}

	void KeyUp(const char* bytes, int32 numBytes) override
	{
		if (onKeyUp) {
			onKeyUp(this);
			return;
		}
		keysUp.push_back(std::string(bytes, numBytes));
	}

	void MessageReceived(BMessage* message) override
	{
		messages.push_back(*message);
		if (!handles.empty() && message->what == handles[0])
			return;
		BView::MessageReceived(message);
	}

	std::vector<BPoint> downs;
	std::vector<BPoint> ups;
	std::vector<uint32> transits;
	std::vector<std::string> keys;
	std::vector<std::string> keysUp;
	std::vector<BMessage> messages;
	std::vector<uint32> handles;
	uint32 dragWhat = 0;
	int32 messageButtons = -1;
	BPoint mouseWhere;
	uint32 mouseButtons = 0;
	BPoint secondWhere;
	uint32 secondButtons = 0;
	std::function<void(InputView*)> onMouseDown;
	std::function<void(InputView*)> onKeyUp;
};

}	// namespace

class InputTest : public InterfaceTest {
protected:
	void SetUp() override
	{
		window = MakeWindow<RecordingWindow>(BRect(0, 0, 199, 199));
		parent = new InputView(BRect(10, 10, 109, 109), "parent");
		child = new InputView(BRect(20, 20, 59, 59), "child");
		parent->AddChild(child);
		window->AddChild(parent);
		window->Show();
		ASSERT_TRUE(Sync());
	}

	RecordingWindow* window;
	InputView* parent;
	InputView* child;
};


TEST_F(InputTest, ClickReachesTheViewUnderThePointerWithItsButtons)
{
	ASSERT_EQ(WindowAutomation::Click(child, BPoint(5, 6),
		B_SECONDARY_MOUSE_BUTTON), B_OK);
	ASSERT_TRUE(Sync());
	ASSERT_EQ(child->downs.size(), 1u);
	EXPECT_EQ(child->downs[0], BPoint(5, 6));
	EXPECT_EQ(child->ups.size(), 1u);
	EXPECT_TRUE(parent->downs.empty());
	// The message and GetMouse describe the click being dispatched.
	EXPECT_EQ(child->messageButtons, B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(child->mouseButtons, (uint32)B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(child->mouseWhere, BPoint(5, 6));
	EXPECT_EQ(child->secondButtons, (uint32)B_SECONDARY_MOUSE_BUTTON);
	EXPECT_EQ(child->secondWhere, BPoint(5, 6));

	WindowAutomation::Click(parent, BPoint(80, 80));
	ASSERT_TRUE(Sync());
	ASSERT_EQ(parent->downs.size(), 1u);
	EXPECT_EQ(parent->downs[0], BPoint(80, 80));
	EXPECT_EQ(parent->messageButtons, B_PRIMARY_MOUSE_BUTTON);

	// A hidden child lets the click through to its parent.
	child->Hide();
	WindowAutomation::Click(parent, BPoint(25, 25));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(parent->downs.size(), 2u);
	EXPECT_EQ(child->downs.size(), 1u);
}


TEST_F(InputTest, MouseMovesCarryTransitCodes)
{
	WindowAutomation::MouseMoved(child, BPoint(1, 1));
	WindowAutomation::MouseMoved(child, BPoint(2, 2));
	WindowAutomation::MouseMoved(parent, BPoint(90, 90));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(child->transits, (std::vector<uint32>{ B_ENTERED_VIEW,
		B_INSIDE_VIEW, B_EXITED_VIEW }));
	EXPECT_EQ(parent->transits, (std::vector<uint32>{ B_ENTERED_VIEW }));
}


TEST_F(InputTest, KeysGoToTheFocusViewWithBeOSBytes)
{
	child->MakeFocus();
	EXPECT_TRUE(child->IsFocus());
	EXPECT_EQ(window->CurrentFocus(), child);
	const char* keys[] = { "\n", "\t", "\x1b", "\x1c", "\x1d", "\x1e", "\x1f",
		"a", "\xc3\xa4" };
	for (const char* key : keys)
		WindowAutomation::Key(window, key);
	ASSERT_TRUE(Sync());
	ASSERT_EQ(child->keys.size(), 9u);
	EXPECT_EQ(child->keys[0], "\n");
	EXPECT_EQ(child->keys[1], "\t");
	EXPECT_EQ(child->keys[2], "\x1b");
	EXPECT_EQ(child->keys[3], "\x1c");
	EXPECT_EQ(child->keys[6], "\x1f");
	EXPECT_EQ(child->keys[7], "a");
	EXPECT_EQ(child->keys[8], "\xc3\xa4");
	EXPECT_EQ(child->keysUp.size(), 9u);
	EXPECT_TRUE(parent->keys.empty());

	// Without a focus view the keys reach nobody's KeyDown.
	child->MakeFocus(false);
	EXPECT_EQ(window->CurrentFocus(), nullptr);
	WindowAutomation::Key(window, "b");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(child->keys.size(), 9u);
}


TEST_F(InputTest, SuperKeysAndTheWheelClimbFromTheFocusViewToTheWindow)
{
	child->MakeFocus();
	WindowAutomation::UnmappedKey(window, B_LEFT_SUPER_KEY_CODE);
	WindowAutomation::UnmappedKey(window, B_RIGHT_SUPER_KEY_CODE);
	WindowAutomation::Wheel(window, 1);
	WindowAutomation::Wheel(window, -2);
	ASSERT_TRUE(Sync());

	ASSERT_EQ(window->Count(B_UNMAPPED_KEY_DOWN), 2);
	EXPECT_EQ(window->Count(B_UNMAPPED_KEY_UP), 2);
	std::vector<int32> codes;
	for (const BMessage& message : window->received) {
		int32 key;
		if (message.what == B_UNMAPPED_KEY_DOWN
			&& message.FindInt32("key", &key) == B_OK)
			codes.push_back(key);
	}
	EXPECT_EQ(codes, (std::vector<int32>{ 102, 103 }));

	std::vector<float> deltas;
	for (const BMessage& message : window->received) {
		float delta;
		if (message.what == B_MOUSE_WHEEL_CHANGED
			&& message.FindFloat("be:wheel_delta_y", &delta) == B_OK)
			deltas.push_back(delta);
	}
	EXPECT_EQ(deltas, (std::vector<float>{ 1, -2 }));
	// On the way up the child and its parent saw them too.
	EXPECT_EQ(child->messages.size(), 6u);
	EXPECT_EQ(parent->messages.size(), 6u);

	// A view that handles the message stops the climb.
	child->handles.push_back(B_MOUSE_WHEEL_CHANGED);
	WindowAutomation::Wheel(window, 1);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(parent->messages.size(), 6u);
	EXPECT_EQ(window->Count(B_MOUSE_WHEEL_CHANGED), 2);
}


TEST_F(InputTest, AMessageClimbsFromViewToWindow)
{
	window->PostMessage('clmb', child);
	parent->handles.push_back('stop');
	window->PostMessage('stop', child);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(child->messages.size(), 2u);
	EXPECT_EQ(parent->messages.size(), 2u);
	EXPECT_EQ(window->Count('clmb'), 1);
	EXPECT_EQ(window->Count('stop'), 0);
}


TEST_F(InputTest, AViewMayDeleteItselfFromItsOwnHandlers)
{
	child->onKeyUp = [](InputView* view) {
		view->RemoveSelf();
		delete view;
	};
	child->MakeFocus();
	WindowAutomation::Key(window, "\x1b");
	WindowAutomation::Key(window, "x");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->FindView("child"), nullptr);
	EXPECT_EQ(window->CurrentFocus(), nullptr);
	child = NULL;

	InputView* other = new InputView(BRect(0, 0, 9, 9), "other");
	other->onMouseDown = [](InputView* view) {
		view->RemoveSelf();
		delete view;
	};
	parent->AddChild(other);
	WindowAutomation::MouseMoved(other, BPoint(1, 1));
	WindowAutomation::Click(other, BPoint(1, 1));
	WindowAutomation::MouseMoved(parent, BPoint(50, 50));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->FindView("other"), nullptr);
	EXPECT_EQ(parent->ups.size(), 1u);
}


TEST_F(InputTest, DropsReachTheViewUnderThePointWithRefs)
{
	char path[] = "/tmp/zelmora-drop-XXXXXX";
	int fd = mkstemp(path);
	ASSERT_GE(fd, 0);
	close(fd);
	const char* paths[] = { path };
	ASSERT_EQ(WindowAutomation::Drop(child, BPoint(3, 3), paths, 1), B_OK);
	ASSERT_TRUE(Sync());
	unlink(path);

	// The drag passed over the child first, with its message.
	EXPECT_EQ(child->dragWhat, (uint32)B_SIMPLE_DATA);
	const BMessage* drop = NULL;
	for (const BMessage& message : child->messages) {
		if (message.what == B_SIMPLE_DATA)
			drop = &message;
	}
	ASSERT_NE(drop, nullptr);
	EXPECT_TRUE(drop->WasDropped());
	entry_ref ref;
	ASSERT_EQ(drop->FindRef("refs", &ref), B_OK);
	EXPECT_STREQ(ref.name, strrchr(path, '/') + 1);
	EXPECT_TRUE(parent->messages.size() >= 1);
}


TEST_F(InputTest, MessagesToAQuitWindowAreDropped)
{
	RecordingWindow* other = MakeWindow<RecordingWindow>();
	other->Show();
	ASSERT_TRUE(Sync());
	BMessenger messenger(other);
	ASSERT_TRUE(messenger.IsValid());
	other->PostMessage('late');
	Forget(other);
	other->Lock();
	other->Quit();
	// Whatever was queued goes with the window; new posts fail.
	EXPECT_FALSE(messenger.IsValid());
	EXPECT_NE(messenger.SendMessage('more'), B_OK);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), 1);
	EXPECT_EQ(be_app->WindowAt(0), window);
}
