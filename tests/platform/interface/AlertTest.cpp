// Alerts: the modal Go returns the pressed button's index while other
// windows keep working; Enter presses the default button; Go with an
// invoker reports later.
#include <Alert.h>
#include <Application.h>
#include <Button.h>
#include <Invoker.h>
#include <String.h>
#include <TextView.h>

#include "InterfaceTest.h"

class AlertTest : public InterfaceTest {};


static BAlert*
OpenAlert()
{
	for (int32 i = be_app->CountWindows() - 1; i >= 0; i--) {
		BAlert* alert = dynamic_cast<BAlert*>(be_app->WindowAt(i));
		if (alert != NULL)
			return alert;
	}
	return NULL;
}

static const uint32 kMsgPress = 'prss';
static const uint32 kMsgTick = 'tick';


// While the alert waits it gets ticks through its queue; on the fifth it
// presses a button of the alert with a click, or with a key.
class DrivingWindow : public BWindow {
public:
	DrivingWindow(BRect frame, const char* title, window_look look,
		window_feel feel, uint32 flags)
		: BWindow(frame, title, look, feel, flags) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != kMsgTick) {
			BWindow::MessageReceived(message);
			return;
		}
		ticks++;
		BAlert* alert = OpenAlert();
		if (ticks < 5 || alert == NULL) {
			PostMessage(kMsgTick);
			return;
		}
		if (quit)
			alert->PostMessage(B_QUIT_REQUESTED);
		else if (key != NULL)
			WindowAutomation::Key(alert, key);
		else {
			BButton* button = alert->ButtonAt(button_index);
			WindowAutomation::Click(button, BPoint(5, 5));
		}
	}

	int32 ticks = 0;
	int32 button_index = 0;
	const char* key = NULL;
	bool quit = false;
};


TEST_F(AlertTest, GoReturnsThePressedButton)
{
	DrivingWindow* driver = MakeWindow<DrivingWindow>();
	driver->Show();
	ASSERT_TRUE(Sync());

	BAlert* alert = new BAlert("Autsch", "Zelmora..\nno reply", "Cancel",
		"Retry", " I see ", B_WIDTH_AS_USUAL, B_STOP_ALERT);
	EXPECT_EQ(alert->Type(), B_STOP_ALERT);
	EXPECT_STREQ(alert->TextView()->Text(), "Zelmora..\nno reply");
	EXPECT_FALSE(alert->TextView()->IsEditable());
	ASSERT_NE(alert->ButtonAt(2), nullptr);
	EXPECT_EQ(alert->ButtonAt(3), nullptr);
	// The last button is the default one; buttons run from the left.
	EXPECT_EQ(alert->DefaultButton(), alert->ButtonAt(2));
	EXPECT_LT(alert->ButtonAt(0)->Frame().left,
		alert->ButtonAt(1)->Frame().left);
	EXPECT_GE(alert->ButtonAt(0)->Frame().Width() + 1, 75);

	driver->button_index = 1;
	driver->PostMessage(kMsgTick);
	EXPECT_EQ(alert->Go(), 1);
	// The driver kept receiving messages while Go waited.
	EXPECT_GE(driver->ticks, 5);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(OpenAlert(), nullptr);
}


TEST_F(AlertTest, EnterAndShortcutsPressButtons)
{
	DrivingWindow* driver = MakeWindow<DrivingWindow>();
	driver->Show();
	ASSERT_TRUE(Sync());

	driver->key = "\n";
	driver->PostMessage(kMsgTick);
	BAlert* alert = new BAlert("Autsch", "Zelmora..\n", " I see ");
	EXPECT_EQ(alert->Go(), 0);

	driver->ticks = 0;
	driver->key = "\x1b";
	driver->PostMessage(kMsgTick);
	alert = new BAlert("q", "Quit?", "Cancel", "OK", NULL,
		B_WIDTH_FROM_WIDEST, B_WARNING_ALERT);
	alert->SetShortcut(0, B_ESCAPE);
	EXPECT_EQ(alert->Shortcut(0), B_ESCAPE);
	EXPECT_EQ(alert->ButtonAt(0)->Frame().Width(),
		alert->ButtonAt(1)->Frame().Width() - 6);
	EXPECT_EQ(alert->Go(), 0);

	// Wide buttons widen the window; a longer text makes it taller.
	BAlert* small = new BAlert("s", "one line", "OK");
	BAlert* wide = new BAlert("w", "one line\ntwo\nthree\nfour",
		"open TagsWithEmployee-File", "open TimeDef-File", "open RFId-File");
	EXPECT_EQ(small->Frame().Width(), 309);
	EXPECT_GT(wide->Frame().Width(), 309);
	EXPECT_GT(wide->Frame().Height(), small->Frame().Height());
	EXPECT_GE(wide->ButtonAt(0)->Frame().left, 55);
	EXPECT_LE(wide->ButtonAt(2)->Frame().right, wide->Bounds().right);
	small->Lock();
	small->Quit();
	wide->Lock();
	wide->Quit();
}


TEST_F(AlertTest, AnAlertThatQuitsEndsGoWithoutAButton)
{
	DrivingWindow* driver = MakeWindow<DrivingWindow>();
	driver->Show();
	ASSERT_TRUE(Sync());
	driver->quit = true;
	driver->PostMessage(kMsgTick);
	BAlert* alert = new BAlert("t", "gone", "A", "B");
	EXPECT_EQ(alert->Go(), -1);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(OpenAlert(), nullptr);
}


TEST_F(AlertTest, GoWithAnInvokerReportsWhich)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	window->Show();
	ASSERT_TRUE(Sync());
	BAlert* alert = new BAlert("t", "text", "A", "B");
	EXPECT_EQ(alert->Go(new BInvoker(new BMessage('ansr'), window)), B_OK);
	ASSERT_TRUE(Sync());
	ASSERT_EQ(OpenAlert(), alert);
	WindowAutomation::Click(alert->ButtonAt(0), BPoint(5, 5));
	ASSERT_TRUE(Sync());
	ASSERT_EQ(window->Count('ansr'), 1);
	EXPECT_EQ(window->Last('ansr')->GetInt32("which", -1), 0);
	EXPECT_EQ(OpenAlert(), nullptr);
}


TEST_F(AlertTest, TheTextAreaHoldsEveryLineOfALongPathAndTheButtonsStayBelowIt)
{
	// A path without a blank is wider than three lines of the alert; the
	// text view breaks it all the same, so the area must have room for
	// each of its lines.
	BString path("Zelmora..\n..can't write '");
	for (int32 i = 0; i < 12; i++)
		path << "/Zeiterfassung" << i;
	path << "/Employee/AB12CD34'";
	const char* texts[] = { path.String(), "Zelmora..\n MWS_NON_REPLY ",
		"Zelmora..\n" };
	for (const char* text : texts) {
		SCOPED_TRACE(text);
		BAlert* alert = new BAlert("Autsch", text, " I see ");
		alert->Show();
		ASSERT_TRUE(Sync());
		ASSERT_TRUE(alert->Lock());
		BTextView* view = alert->TextView();
		int32 lines = view->CountLines();
		float needed = view->TextHeight(0, lines - 1);
		EXPECT_GE(view->Bounds().Height() + 1, needed) << lines << " lines";
		BRect area = view->Frame();
		BRect button = alert->ButtonAt(0)->Frame();
		EXPECT_GT(button.top, area.bottom);
		EXPECT_LE(button.bottom, alert->Bounds().bottom);
		alert->Unlock();
		if (text == texts[0]) {
			BString picture(ZELMORA_BINARY_DIR);
			picture << "/tests/alert_long_path.png";
			EXPECT_EQ(WindowAutomation::SavePNG(alert, picture.String()),
				B_OK);
		}
		ASSERT_TRUE(alert->Lock());
		alert->Quit();
	}
}
