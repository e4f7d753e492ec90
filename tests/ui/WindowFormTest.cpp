// Checked time fields, and the picker in its own window opened from a
// text control that takes the picked text back.
#include "UiTest.h"

#include <stdio.h>
#include <string.h>
#include <time.h>

#include <TextControl.h>
#include <TextView.h>

#include <CheckInTime.h>
#include <TDStringView.h>
#include <TDView.h>
#include <TDWindow.h>
#include <TTextControl.h>

namespace {

// A window that keeps the messages posted to it.
class FormWindow : public BWindow {
public:
	FormWindow()
		: BWindow(BRect(100, 100, 499, 299), "form", B_TITLED_WINDOW_LOOK,
			B_NORMAL_WINDOW_FEEL, 0) {}

	void MessageReceived(BMessage* message) override
	{
		received.push_back(*message);
		BWindow::MessageReceived(message);
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
};


bool
has_focus(BWindow* window, BTextControl* field)
{
	BView* focus = window->CurrentFocus();
	return focus != NULL && (focus == field || focus == field->TextView()
		|| focus->Parent() == field);
}

}	// namespace


class TimeFieldTest : public UiTest {};


TEST_F(TimeFieldTest, FieldRewrittenAndFocusedWhenInvalid)
{
	BTextControl* field = new BTextControl(BRect(10, 10, 200, 30), "start",
		"Start", "", NULL);
	BTextControl* other = new BTextControl(BRect(10, 40, 200, 60), "other",
		"Other", "", NULL);
	host->AddChild(field);
	host->AddChild(other);
	Show();

	struct {
		const char* text;
		long kind;
		int hours, minutes;
		const char* rewritten;
		bool valid;
	} cases[] = {
		{ "9:15", 3, 9, 15, "09:15", true },
		{ "12:00", 3, 12, 0, "12:00", false },
		{ "0:30", 2, 12, 30, "12:30", false },
		{ "200:30", 1, 46, 30, "46:30", true },
		{ "8", 3, 8, 8, "08:08", true },
		{ "38:5", 1, 38, 5, "38:05", true },
	};
	for (const auto& c : cases) {
		SCOPED_TRACE(c.text);
		ASSERT_TRUE(window->Lock());
		other->MakeFocus(true);
		field->SetText(c.text);
		int hours = -1, minutes = -1;
		EXPECT_EQ(CheckInTime(field, c.kind, hours, minutes), c.valid);
		EXPECT_EQ(hours, c.hours);
		EXPECT_EQ(minutes, c.minutes);
		EXPECT_STREQ(field->Text(), c.rewritten);
		EXPECT_EQ(has_focus(window, field), !c.valid);
		window->Unlock();
	}
	int hours, minutes;
	EXPECT_FALSE(CheckInTime(NULL, 2, hours, minutes));
	EXPECT_EQ(hours, 12);
}


class WindowFormTest : public UiTest {
protected:
	void SetUp() override
	{
		form = new FormWindow();
	}

	void TearDown() override
	{
		if (form->Lock())
			form->Quit();
		Sync();
	}

	// A picker field in the form window, shown.
	TTextControl* MakeField(const char* text, bool timeOnly = false)
	{
		TTextControl* field = new TTextControl(BRect(10, 10, 300, 30),
			"Kommt", 20, text, 'fMod', 'fInv', true, timeOnly);
		form->AddChild(field);
		form->Show();
		EXPECT_TRUE(Sync());
		return field;
	}

	// Opens the picker window with a click on the label.
	TDWindow* OpenPicker(TTextControl* field)
	{
		WindowAutomation::Click(field, BPoint(3, 5));
		EXPECT_TRUE(Sync());
		return field->PickerWindow();
	}

	FormWindow* form;
};


TEST_F(WindowFormTest, SavedTextChangedRevertUpdate)
{
	TTextControl* field = new TTextControl(BRect(10, 10, 300, 30), "Name",
		8, "Anna", 'fMod', 'fInv');
	form->AddChild(field);
	form->Show();
	ASSERT_TRUE(Sync());
	ASSERT_TRUE(form->Lock());
	EXPECT_STREQ(field->Name(), "");
	EXPECT_FALSE(field->Changed());
	field->SetText("Berta");
	EXPECT_TRUE(field->Changed());
	field->Revert();
	EXPECT_STREQ(field->Text(), "Anna");
	field->SetText("Carla");
	field->Update();
	EXPECT_FALSE(field->Changed());
	EXPECT_STREQ(field->SavedText(), "Carla");
	// The text area takes one byte less than the maximum length.
	EXPECT_EQ(field->TextView()->MaxBytes(), 7);
	EXPECT_NEAR(field->Divider(), field->StringWidth("Name") + 4, 1);
	EXPECT_EQ(field->TextView()->ViewColor().blue, 235);
	EXPECT_EQ(field->ModificationMessage()->what, (uint32)'fMod');
	EXPECT_EQ(field->Message()->what, (uint32)'fInv');
	// Without the picker flag a click opens nothing.
	form->Unlock();
	WindowAutomation::Click(field, BPoint(3, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(field->PickerWindow(), nullptr);
}


TEST_F(WindowFormTest, PickedDateAndTimeGoBackToTheField)
{
	TTextControl* field = MakeField("2026/04/09 07:05");
	TDWindow* picker = OpenPicker(field);
	ASSERT_NE(picker, nullptr);
	EXPECT_STREQ(picker->Title(), "Kommt");
	EXPECT_EQ(picker->Bounds().Width(), 270);
	EXPECT_EQ(picker->Bounds().Height(), 70);
	EXPECT_TRUE(picker->IsModal());
	ASSERT_NE(picker->Picker(), nullptr);
	EXPECT_EQ(picker->Picker()->Frame().Width(), 270 - 75);
	BString path(ZELMORA_BINARY_DIR);
	path << "/tests/ui_picker_window.png";
	EXPECT_EQ(WindowAutomation::SavePNG(picker, path.String()), B_OK);

	WindowAutomation::Key(picker, "\x1e");
	WindowAutomation::Key(picker, "\n");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(field->PickerWindow(), nullptr);
	ASSERT_TRUE(form->Lock());
	EXPECT_STREQ(field->Text(), "2026/04/09 08:05");
	EXPECT_FALSE(field->Changed());
	form->Unlock();
	const BMessage* result = form->Last('TDnt');
	ASSERT_NE(result, nullptr);
	EXPECT_STREQ(result->GetString("_newDate", ""), "2026/04/09 08:05");
	struct tm local;
	time_t back = result->GetInt32("_newTime", 0);
	localtime_r(&back, &local);
	EXPECT_EQ(local.tm_hour, 8);
	EXPECT_EQ(local.tm_mday, 9);
}


TEST_F(WindowFormTest, TimeOnlyAndTheDayClamped)
{
	TTextControl* field = MakeField("07:05", true);
	TDWindow* picker = OpenPicker(field);
	ASSERT_NE(picker, nullptr);
	EXPECT_EQ(picker->Bounds().Width(), 210);
	EXPECT_TRUE(picker->Picker()->Field(kTDYear)->IsHidden());
	WindowAutomation::Key(picker, "\t");
	WindowAutomation::Key(picker, "-");
	WindowAutomation::Key(picker, "\n");
	ASSERT_TRUE(Sync());
	ASSERT_TRUE(form->Lock());
	EXPECT_STREQ(field->Text(), "07:04");
	form->Unlock();
	const BMessage* result = form->Last('ERul');
	ASSERT_NE(result, nullptr);
	EXPECT_STREQ(result->GetString("RTim", ""), "07:04");
	EXPECT_STREQ(result->GetString("_newDate", ""), "07:04");

	// 31 April is taken as 30 April.
	ASSERT_TRUE(form->Lock());
	TTextControl* date = new TTextControl(BRect(10, 40, 300, 60), "Geht",
		20, "2026/04/31 10:00", 'fMod', 'fInv', true, false);
	form->AddChild(date);
	form->Unlock();
	ASSERT_TRUE(Sync());
	picker = OpenPicker(date);
	ASSERT_NE(picker, nullptr);
	testing::internal::CaptureStdout();
	WindowAutomation::Key(picker, "\n");
	ASSERT_TRUE(Sync());
	std::string trace = testing::internal::GetCapturedStdout();
	EXPECT_NE(trace.find("TDWindow delete\nbT 2026/04/30 10:00 {30}\n"),
		std::string::npos) << trace;
	EXPECT_NE(trace.find("bD 2026/04/30 10:00\n"), std::string::npos);
	EXPECT_NE(trace.find("TDWindow done\n"), std::string::npos);
	ASSERT_TRUE(form->Lock());
	EXPECT_STREQ(date->Text(), "2026/04/30 10:00");
	form->Unlock();
}


TEST_F(WindowFormTest, ClosingOtherwiseDeliversNothing)
{
	TTextControl* field = MakeField("2026/04/09 07:05");
	TDWindow* picker = OpenPicker(field);
	ASSERT_NE(picker, nullptr);
	WindowAutomation::Key(picker, "\x1e");
	ASSERT_TRUE(Sync());
	ASSERT_TRUE(picker->Lock());
	picker->Quit();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(field->PickerWindow(), nullptr);
	ASSERT_TRUE(form->Lock());
	EXPECT_STREQ(field->Text(), "2026/04/09 07:05");
	form->Unlock();
	EXPECT_EQ(form->Last('TDnt'), nullptr);

	// Escape delivers nothing either.
	picker = OpenPicker(field);
	ASSERT_NE(picker, nullptr);
	WindowAutomation::Key(picker, "\x1e");
	WindowAutomation::Key(picker, "\x1b");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(field->PickerWindow(), nullptr);
	EXPECT_EQ(form->Last('TDnt'), nullptr);
}


TEST_F(WindowFormTest, ControlGoneBeforeItsPicker)
{
	TTextControl* field = MakeField("2026/04/09 07:05");
	TDWindow* picker = OpenPicker(field);
	ASSERT_NE(picker, nullptr);
	ASSERT_TRUE(form->Lock());
	field->RemoveSelf();
	delete field;
	form->Unlock();
	ASSERT_TRUE(Sync());
	for (int32 i = be_app->CountWindows() - 1; i >= 0; i--)
		EXPECT_EQ(dynamic_cast<TDWindow*>(be_app->WindowAt(i)), nullptr);
	EXPECT_EQ(form->Last('TDnt'), nullptr);
}


TEST_F(WindowFormTest, PickerWindowWithoutControl)
{
	form->Show();
	testing::internal::CaptureStdout();
	TDWindow* picker = new TDWindow(BRect(50, 50, 50, 50), "Datum", NULL,
		true, false, "2030/01/02 03:04");
	std::string trace = testing::internal::GetCapturedStdout();
	EXPECT_NE(trace.find("\nTDWindow::TDWindow\nexbDatum: "),
		std::string::npos);
	EXPECT_NE(trace.find(" -a\naltDatum: 2030/01/02 03:04 -s\n"
		"exbDatum: 2030/01/02 03:04 -s init\n"), std::string::npos) << trace;
	picker->Show();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(picker->Picker()->Field(kTDYear)->Value(), 2030);
	EXPECT_EQ(picker->Picker()->Field(kTDMinute)->Value(), 4);
	WindowAutomation::Key(picker, "\n");
	ASSERT_TRUE(Sync());
	for (int32 i = be_app->CountWindows() - 1; i >= 0; i--)
		EXPECT_EQ(dynamic_cast<TDWindow*>(be_app->WindowAt(i)), nullptr);
}


TEST_F(WindowFormTest, SecondClickClosesThePicker)
{
	TTextControl* field = MakeField("2026/04/09 07:05");
	TDWindow* picker = OpenPicker(field);
	ASSERT_NE(picker, nullptr);
	WindowAutomation::Click(field, BPoint(3, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(field->PickerWindow(), nullptr);
	for (int32 i = be_app->CountWindows() - 1; i >= 0; i--)
		EXPECT_EQ(dynamic_cast<TDWindow*>(be_app->WindowAt(i)), nullptr);
	// A secondary click opens none.
	WindowAutomation::Click(field, BPoint(3, 5), B_SECONDARY_MOUSE_BUTTON);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(field->PickerWindow(), nullptr);
	// The next primary click opens a new one.
	EXPECT_NE(OpenPicker(field), nullptr);
}
