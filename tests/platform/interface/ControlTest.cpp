// Controls: messages to the default target (the window) or another one,
// default button and Enter, check boxes, radio exclusivity, string views
// and boxes.
#include "InterfaceTest.h"

#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <RadioButton.h>
#include <StringView.h>

class ControlTest : public InterfaceTest {
protected:
	void SetUp() override
	{
		window = MakeWindow<RecordingWindow>(BRect(0, 0, 299, 199));
		panel = new BView(window->Bounds(), "panel", B_FOLLOW_ALL, B_WILL_DRAW);
		panel->SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
		window->AddChild(panel);
	}

	RecordingWindow* window;
	BView* panel;
};


TEST_F(ControlTest, ButtonsInvokeTheirTargets)
{
	BButton* button = new BButton(BRect(10, 10, 89, 34), "ok", "OK",
		new BMessage('okay'));
	panel->AddChild(button);
	// Controls take their parent's colours.
	EXPECT_TRUE(same_color(button->ViewColor(), panel->ViewColor()));
	window->Show();
	ASSERT_TRUE(Sync());

	WindowAutomation::Click(button, BPoint(5, 5));
	ASSERT_TRUE(Sync());
	ASSERT_EQ(window->Count('okay'), 1);
	void* source = NULL;
	EXPECT_EQ(window->Last('okay')->FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, button);
	EXPECT_TRUE(window->Last('okay')->HasInt64("when"));
	EXPECT_EQ(button->Value(), B_CONTROL_OFF);

	// A release outside the button does not invoke it.
	WindowAutomation::MouseDown(button, BPoint(5, 5));
	WindowAutomation::MouseUp(button, BPoint(200, 100));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count('okay'), 1);

	button->SetEnabled(false);
	WindowAutomation::Click(button, BPoint(5, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count('okay'), 1);

	// Another target gets it instead of the window.
	struct Target : BView {
		Target() : BView(BRect(0, 0, 1, 1), "target", B_FOLLOW_NONE, 0) {}
		void MessageReceived(BMessage* message) override
		{
			seen.push_back(message->what);
		}
		std::vector<uint32> seen;
	};
	Target* target = new Target;
	panel->AddChild(target);
	button->SetEnabled(true);
	button->SetTarget(target);
	WindowAutomation::Click(button, BPoint(5, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(target->seen, (std::vector<uint32>{ 'okay' }));
	EXPECT_EQ(window->Count('okay'), 1);
}


TEST_F(ControlTest, EnterPressesTheDefaultButton)
{
	BButton* button = new BButton(BRect(100, 100, 179, 124), "exit", " OK ",
		new BMessage('exit'));
	BButton* other = new BButton(BRect(10, 100, 89, 124), "other", "Other",
		new BMessage('othr'));
	panel->AddChild(other);
	panel->AddChild(button);
	window->SetDefaultButton(button);
	EXPECT_EQ(window->DefaultButton(), button);
	EXPECT_TRUE(button->IsDefault());
	// The default button grows by three pixels on every side.
	EXPECT_EQ(button->Frame(), BRect(97, 97, 182, 127));
	window->Show();

	other->MakeFocus();
	WindowAutomation::Key(window, "\n");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count('exit'), 1);
	EXPECT_EQ(window->Count('othr'), 0);

	// Space presses the focused button.
	WindowAutomation::Key(window, " ");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count('othr'), 1);

	window->SetDefaultButton(NULL);
	EXPECT_FALSE(button->IsDefault());
	EXPECT_EQ(button->Frame(), BRect(100, 100, 179, 124));
}


TEST_F(ControlTest, CheckBoxesToggleAndRadioButtonsExclude)
{
	BCheckBox* check = new BCheckBox(BRect(10, 10, 150, 25), "check",
		"Use relay", new BMessage('chek'));
	panel->AddChild(check);
	BRadioButton* radios[3];
	for (int i = 0; i < 3; i++) {
		radios[i] = new BRadioButton(BRect(10, 40 + i * 20, 150, 55 + i * 20),
			"radio", "Choice", new BMessage('rad0' + i));
		panel->AddChild(radios[i]);
	}
	// A radio button in another parent is not in the group.
	BView* group = new BView(BRect(160, 10, 290, 190), "group", 0, 0);
	panel->AddChild(group);
	BRadioButton* elsewhere = new BRadioButton(BRect(0, 0, 100, 15), "else",
		"Elsewhere", NULL);
	group->AddChild(elsewhere);
	elsewhere->SetValue(B_CONTROL_ON);
	window->Show();

	WindowAutomation::Click(check, BPoint(5, 7));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(check->Value(), B_CONTROL_ON);
	EXPECT_EQ(window->Count('chek'), 1);
	WindowAutomation::Click(check, BPoint(5, 7));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(check->Value(), B_CONTROL_OFF);
	// A press released elsewhere is taken back, for both kinds.
	WindowAutomation::MouseDown(check, BPoint(5, 7));
	WindowAutomation::MouseUp(check, BPoint(300, 100));
	WindowAutomation::MouseDown(radios[0], BPoint(5, 7));
	WindowAutomation::MouseUp(radios[0], BPoint(300, 100));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(check->Value(), B_CONTROL_OFF);
	EXPECT_EQ(window->Count('chek'), 2);
	EXPECT_EQ(radios[0]->Value(), B_CONTROL_OFF);
	EXPECT_EQ(window->Count('rad0'), 0);

	radios[0]->SetValue(B_CONTROL_ON);
	WindowAutomation::Click(radios[1], BPoint(5, 7));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(radios[0]->Value(), B_CONTROL_OFF);
	EXPECT_EQ(radios[1]->Value(), B_CONTROL_ON);
	EXPECT_EQ(radios[2]->Value(), B_CONTROL_OFF);
	EXPECT_EQ(window->Count('rad1'), 1);

	radios[2]->SetValue(B_CONTROL_ON);
	EXPECT_EQ(radios[1]->Value(), B_CONTROL_OFF);
	EXPECT_EQ(elsewhere->Value(), B_CONTROL_ON);
	// Setting a value sends nothing.
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count('rad2'), 0);
}


TEST_F(ControlTest, LabelsTextsAndTheirLook)
{
	BStringView* text = new BStringView(BRect(10, 10, 109, 24), "here", " - ");
	text->SetAlignment(B_ALIGN_CENTER);
	text->SetViewColor(232, 232, 232);
	text->SetLowColor(232, 232, 232);
	panel->AddChild(text);
	BBox* box = new BBox(BRect(10, 40, 200, 150), "box");
	box->SetLabel("Relais");
	panel->AddChild(box);
	BCheckBox* check = new BCheckBox(BRect(10, 20, 150, 35), "c", "Label",
		NULL);
	box->AddChild(check);
	window->Show();
	ASSERT_TRUE(Sync());

	// Colours set before attaching stay.
	EXPECT_TRUE(same_color(text->ViewColor(), make_color(232, 232, 232)));
	EXPECT_TRUE(same_color(text->PixelAt(BPoint(0, 0)),
		make_color(232, 232, 232)));
	EXPECT_STREQ(text->Text(), " - ");
	text->SetText("in: 3");
	EXPECT_STREQ(text->Text(), "in: 3");

	EXPECT_STREQ(box->Label(), "Relais");
	EXPECT_STREQ(check->Label(), "Label");
	check->SetLabel("Other");
	EXPECT_STREQ(check->Label(), "Other");
	EXPECT_TRUE(same_color(check->ViewColor(), box->ViewColor()));

	// The box's etched frame: a dark line at the bottom left, inside the
	// frame, a light one along the outer edge.
	rgb_color dark = tint_color(box->ViewColor(), B_DARKEN_2_TINT);
	EXPECT_TRUE(same_color(box->PixelAt(BPoint(0, 100)), dark));
	EXPECT_TRUE(same_color(box->PixelAt(BPoint(100, 110)),
		make_color(255, 255, 255)));
}
