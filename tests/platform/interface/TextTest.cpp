// Text controls and text views: invocation, modification, the byte limit,
// line navigation and the pixel scroll bar over the editor's lines.
#include <math.h>
#include <string.h>

#include <Bitmap.h>
#include <Button.h>
#include <RadioButton.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <String.h>
#include <TextControl.h>
#include <TextView.h>

#include "InterfaceTest.h"

class TextTest : public InterfaceTest {};

static const uint32 kMsgInvoked = 'xNam';
static const uint32 kMsgModified = 'xMod';


TEST_F(TextTest, EnterInvokesOnceAndSetTextNever)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	BTextControl* control = new BTextControl(BRect(10, 10, 200, 30), "bkn",
		"Name:", "09:05", new BMessage(kMsgInvoked));
	control->SetModificationMessage(new BMessage(kMsgModified));
	window->AddChild(control);
	BButton* other = new BButton(BRect(10, 40, 80, 60), "other", "Other",
		NULL);
	window->AddChild(other);
	window->Show();
	ASSERT_TRUE(Sync());

	// Text from code is no user input.
	control->SetText("-");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count(kMsgInvoked), 0);
	EXPECT_EQ(window->Count(kMsgModified), 0);
	EXPECT_STREQ(control->Text(), "-");

	control->MakeFocus(true);
	EXPECT_TRUE(control->TextView()->IsFocus());
	control->TextView()->Select(1, 1);
	WindowAutomation::Key(window, "W");
	WindowAutomation::Key(window, "k");
	ASSERT_TRUE(Sync());
	EXPECT_STREQ(control->Text(), "-Wk");
	EXPECT_EQ(window->Count(kMsgModified), 2);
	EXPECT_EQ(window->Count(kMsgInvoked), 0);

	WindowAutomation::Key(window, "\n");
	ASSERT_TRUE(Sync());
	ASSERT_EQ(window->Count(kMsgInvoked), 1);
	const BMessage* invoked = window->Last(kMsgInvoked);
	void* source = NULL;
	EXPECT_EQ(invoked->FindPointer("source", &source), B_OK);
	EXPECT_EQ(source, (void*)control);
	// Enter selected the text; leaving the field unchanged invokes nothing.
	int32 start, end;
	control->TextView()->GetSelection(&start, &end);
	EXPECT_EQ(start, 0);
	EXPECT_EQ(end, 3);
	other->MakeFocus(true);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count(kMsgInvoked), 1);

	// Leaving it after a change does invoke, once.
	control->MakeFocus(true);
	control->TextView()->Select(3, 3);
	WindowAutomation::Key(window, "x");
	ASSERT_TRUE(Sync());
	other->MakeFocus(true);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count(kMsgInvoked), 2);
	EXPECT_STREQ(control->Text(), "-Wkx");
	EXPECT_FALSE(control->TextView()->IsFocus());

	// A disabled control takes no keys and sends nothing.
	control->SetEnabled(false);
	control->TextView()->MakeFocus(true);
	WindowAutomation::Key(window, "y");
	WindowAutomation::Key(window, "\n");
	ASSERT_TRUE(Sync());
	EXPECT_STREQ(control->Text(), "-Wkx");
	EXPECT_EQ(window->Count(kMsgInvoked), 2);
}


TEST_F(TextTest, MaxBytesCountsBytesNotCharacters)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	BTextControl* control = new BTextControl(BRect(10, 10, 200, 30), "f",
		NULL, "", new BMessage(kMsgInvoked));
	window->AddChild(control);
	window->Show();
	ASSERT_TRUE(Sync());
	BTextView* text = control->TextView();
	text->SetMaxBytes(4);
	EXPECT_EQ(text->MaxBytes(), 4);

	control->MakeFocus(true);
	for (const char* key : { "1", "2", "3", "4", "5", "6" })
		WindowAutomation::Key(window, key);
	ASSERT_TRUE(Sync());
	EXPECT_STREQ(control->Text(), "1234");

	// A two-byte character is never cut in half.
	control->SetText("abc");
	text->Select(3, 3);
	text->Insert("\xc3\xa4");
	EXPECT_STREQ(control->Text(), "abc");
	text->Delete(2, 3);
	text->Insert("\xc3\xa4");
	EXPECT_STREQ(control->Text(), "ab\xc3\xa4");
	EXPECT_EQ(text->TextLength(), 4);

	// Lowering the limit cuts the text already there.
	text->SetMaxBytes(2);
	EXPECT_STREQ(control->Text(), "ab");

	// Backspace still works at the limit.
	text->Select(2, 2);
	WindowAutomation::Key(window, "\b");
	ASSERT_TRUE(Sync());
	EXPECT_STREQ(control->Text(), "a");
}


TEST_F(TextTest, LineNavigationDrivesThePixelScrollBar)
{
	BWindow* window = MakeWindow(BRect(100, 100, 400, 300));
	BRect frame(10, 10, 250, 150);
	BTextView* text = new BTextView(frame, "text_view",
		frame.OffsetToCopy(0, 0).InsetByCopy(0, 3),
		B_FOLLOW_ALL, B_WILL_DRAW);
	BScrollView* scroll = new BScrollView("scroll_view", text, B_FOLLOW_ALL,
		0, false, true);
	window->AddChild(scroll);
	BFont font(be_fixed_font);
	font.SetSize(11);
	text->SetFontAndColor(&font);
	window->Show();
	ASSERT_TRUE(Sync());

	BString content;
	for (int i = 0; i < 50; i++)
		content << "line " << i << "\n";
	content << "last";
	text->SetText(content.String());
	text->MakeEditable(false);
	EXPECT_EQ(text->CountLines(), 51);
	EXPECT_EQ(text->CurrentLine(), 0);

	text->GoToLine(10);
	EXPECT_EQ(text->CurrentLine(), 10);
	int32 start, end;
	text->GetSelection(&start, &end);
	EXPECT_EQ(start, (int32)(strstr(content.String(), "line 10")
		- content.String()));
	EXPECT_EQ(start, end);

	// Beyond the last line: the end of the text.
	text->GoToLine(1000);
	text->GetSelection(&start, &end);
	EXPECT_EQ(start, text->TextLength());
	EXPECT_EQ(text->CurrentLine(), 50);

	BScrollBar* bar = scroll->ScrollBar(B_VERTICAL);
	ASSERT_NE(bar, nullptr);
	EXPECT_EQ(bar->Target(), text);
	text->ScrollToSelection();
	ASSERT_TRUE(Sync());
	float min, max;
	bar->GetRange(&min, &max);
	float lineHeight = text->LineHeight();
	EXPECT_GT(lineHeight, 0);
	EXPECT_GT(max, 0);
	// Pixels, in whole lines, and the bottom reached.
	EXPECT_EQ(fmodf(max, lineHeight), 0);
	EXPECT_EQ(bar->Value(), max);
	EXPECT_GT(bar->Proportion(), 0);
	EXPECT_LT(bar->Proportion(), 1);

	// The bar scrolls the text back; positions snap to lines.
	bar->SetValue(lineHeight * 3 + 2);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(bar->Value(), lineHeight * 3);
	bar->SetValue(0);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(bar->Value(), 0);

	// A wheel step reaches the focus view and scrolls three lines.
	text->MakeFocus(true);
	WindowAutomation::Wheel(window, 1, BPoint(50, 50));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(bar->Value(), lineHeight * 3);

	// Read-only text ignores typing.
	WindowAutomation::Key(window, "z");
	ASSERT_TRUE(Sync());
	EXPECT_STREQ(text->Text(), content.String());
}


// A subclass sees every key before the editor does, as on BeOS.
class FilteringTextView : public BTextView {
public:
	FilteringTextView(BRect frame)
		: BTextView(frame, "filter", frame.OffsetToCopy(0, 0),
			B_FOLLOW_NONE, B_WILL_DRAW) {}

	void KeyDown(const char* bytes, int32 numBytes) override
	{
		seen << bytes;
		if (bytes[0] >= '0' && bytes[0] <= '9')
			BTextView::KeyDown(bytes, numBytes);
	}

	BString seen;
};


TEST_F(TextTest, KeysComeThroughKeyDown)
{
	BWindow* window = MakeWindow();
	FilteringTextView* text = new FilteringTextView(BRect(5, 5, 150, 60));
	window->AddChild(text);
	window->Show();
	ASSERT_TRUE(Sync());
	text->MakeFocus(true);
	for (const char* key : { "1", "a", "2", "\n", "3" })
		WindowAutomation::Key(window, key);
	ASSERT_TRUE(Sync());
	EXPECT_STREQ(text->seen.String(), "1a2\n3");
	EXPECT_STREQ(text->Text(), "123");

	// A click on the text gives the view the focus.
	BView* other = new BView(BRect(160, 5, 200, 60), "o", B_FOLLOW_NONE, 0);
	window->AddChild(other);
	other->MakeFocus(true);
	ASSERT_FALSE(text->IsFocus());
	WindowAutomation::Click(text, BPoint(20, 8));
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(text->IsFocus());
}


TEST_F(TextTest, OffsetsAreBytesOfTheUtf8Text)
{
	BTextView text(BRect(0, 0, 200, 100), "t", BRect(0, 0, 200, 100),
		B_FOLLOW_NONE, B_WILL_DRAW);
	// "Grüße" is 7 bytes: ü and ß take two each.
	text.SetText("Gr\xc3\xbc\xc3\x9f" "e\nzwei");
	EXPECT_EQ(text.TextLength(), 12);
	EXPECT_EQ(text.ByteAt(2), '\xc3');
	EXPECT_EQ(text.ByteAt(6), 'e');
	EXPECT_EQ(text.ByteAt(100), '\0');
	char buffer[16];
	text.GetText(2, 4, buffer);
	EXPECT_STREQ(buffer, "\xc3\xbc\xc3\x9f");
	text.GetText(8, 100, buffer);
	EXPECT_STREQ(buffer, "zwei");

	text.Select(2, 6);
	int32 start, end;
	text.GetSelection(&start, &end);
	EXPECT_EQ(start, 2);
	EXPECT_EQ(end, 6);
	text.Delete();
	EXPECT_STREQ(text.Text(), "Gre\nzwei");
	text.Insert(0, "\xc3\x84", 2);
	EXPECT_STREQ(text.Text(), "\xc3\x84" "Gre\nzwei");
	text.Insert(text.TextLength(), "!", 1);
	text.SelectAll();
	text.GetSelection(&start, &end);
	EXPECT_EQ(start, 0);
	EXPECT_EQ(end, text.TextLength());
	EXPECT_EQ(text.CountLines(), 2);

	// Reversed or out-of-range offsets do no harm.
	text.Delete(5, 2);
	text.Select(-4, 1000);
	text.GetSelection(&start, &end);
	EXPECT_EQ(start, 0);
	EXPECT_EQ(end, text.TextLength());

	// A text view that cannot be selected keeps no selection.
	text.MakeSelectable(false);
	text.Select(0, 3);
	text.GetSelection(&start, &end);
	EXPECT_EQ(start, end);

	// Setting text cuts at the limit, never inside a character.
	text.MakeSelectable(true);
	text.SetMaxBytes(3);
	text.SetText("a\xc3\xbc\xc3\x9f");
	EXPECT_STREQ(text.Text(), "a\xc3\xbc");
	text.SetText(NULL);
	EXPECT_EQ(text.TextLength(), 0);
}


TEST_F(TextTest, ScrollingToTheEndBeforeTheWindowShows)
{
	BWindow* window = MakeWindow(BRect(100, 100, 300, 220));
	BRect frame(5, 5, 150, 100);
	BTextView* text = new BTextView(frame, "text_view",
		frame.OffsetToCopy(0, 0), B_FOLLOW_ALL, B_WILL_DRAW);
	BScrollView* scroll = new BScrollView("scroll_view", text, B_FOLLOW_ALL,
		0, false, true);
	window->AddChild(scroll);
	text->SetWordWrap(false);
	BString content;
	for (int i = 0; i < 20; i++)
		content << "word word word word word word word " << i << "\n";
	text->SetText(content.String());
	EXPECT_EQ(text->CountLines(), 21);
	text->GoToLine(text->CountLines());
	text->ScrollToSelection();
	window->Show();
	ASSERT_TRUE(Sync());
	BScrollBar* bar = scroll->ScrollBar(B_VERTICAL);
	float min, max;
	bar->GetRange(&min, &max);
	EXPECT_GT(max, 0);
	EXPECT_EQ(bar->Value(), max);
	EXPECT_EQ(text->CurrentLine(), 20);
	EXPECT_EQ(text->TextHeight(0, 1), 2 * text->LineHeight());
	EXPECT_EQ(text->TextHeight(5, 2), 0);

	// With word wrap the long paragraphs take more lines.
	text->SetWordWrap(true);
	ASSERT_TRUE(Sync());
	EXPECT_GT(text->CountLines(), 21);
}


TEST_F(TextTest, TabMovesTheFocusOnFromATextControl)
{
	BWindow* window = MakeWindow();
	BTextControl* first = new BTextControl(BRect(10, 10, 200, 30), "a", "A",
		"", NULL);
	BTextControl* hidden = new BTextControl(BRect(10, 40, 200, 60), "b",
		"B", "", NULL);
	BTextControl* disabled = new BTextControl(BRect(10, 70, 200, 90), "c",
		"C", "", NULL);
	BTextControl* last = new BTextControl(BRect(10, 100, 200, 120), "d",
		"D", "", NULL);
	for (BTextControl* control : { first, hidden, disabled, last })
		window->AddChild(control);
	hidden->Hide();
	disabled->SetEnabled(false);
	window->Show();
	ASSERT_TRUE(Sync());

	first->MakeFocus(true);
	WindowAutomation::Key(window, "\t");
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(last->TextView()->IsFocus());
	EXPECT_STREQ(last->Text(), "");
	// Around the end back to the first; shift goes backwards.
	WindowAutomation::Key(window, "\t");
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(first->TextView()->IsFocus());
	WindowAutomation::Key(window, "\t", B_SHIFT_KEY);
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(last->TextView()->IsFocus());

	// The divider moves the field; the label stays left of it.
	last->SetDivider(60);
	EXPECT_EQ(last->Divider(), 60);
	EXPECT_GT(last->TextView()->Frame().left, 60);
	alignment label, text;
	last->SetAlignment(B_ALIGN_RIGHT, B_ALIGN_CENTER);
	last->GetAlignment(&label, &text);
	EXPECT_EQ(label, B_ALIGN_RIGHT);
	EXPECT_EQ(text, B_ALIGN_CENTER);
}


TEST_F(TextTest, AControlTakesItsFontsHeightSoItsFieldEndsAboveTheNextRow)
{
	// A field laid out 25 pixels high with a row of radio buttons starting
	// 21 pixels below its top, as the relay panel has them.
	BWindow* window = MakeWindow(BRect(100, 100, 500, 200));
	BView* panel = new BView(window->Bounds(), "panel", B_FOLLOW_ALL_SIDES,
		B_WILL_DRAW);
	panel->SetViewColor(216, 216, 216);
	window->AddChild(panel);
	BTextControl* field = new BTextControl(BRect(150, 12, 390, 37), "mwca",
		"Relay close after: ", "2 Sec", NULL);
	panel->AddChild(field);
	BRadioButton* radio = new BRadioButton(BRect(300, 33, 331, 53), "rA",
		"1 ", NULL);
	panel->AddChild(radio);
	window->Show();
	ASSERT_TRUE(Sync());

	float height;
	field->GetPreferredSize(NULL, &height);
	EXPECT_EQ(field->Frame().top, 12);
	EXPECT_EQ(field->Bounds().Height(), height);
	EXPECT_LT(field->Frame().bottom, radio->Frame().top);
	BRect input = field->ConvertToParent(field->TextView()->Frame());
	EXPECT_LT(input.bottom + 2, radio->Frame().top);

	// The field's sunken frame is drawn whole: its bottom line is the
	// light edge, not the radio button's background.
	BBitmap* picture = WindowAutomation::Snapshot(window);
	ASSERT_NE(picture, nullptr);
	ASSERT_GT(radio->Frame().left, input.left);
	rgb_color edge = picture->ColorAt(radio->Frame().left + 10,
		input.bottom + 2);
	EXPECT_TRUE(same_color(edge, make_color(255, 255, 255)))
		<< (int)edge.red << "," << (int)edge.green << "," << (int)edge.blue;
	delete picture;

	// Given a smaller frame, the control grows to its font's height.
	BTextControl* small = new BTextControl(BRect(10, 60, 100, 65), "s", "S",
		"", NULL);
	EXPECT_EQ(small->Bounds().Height(), height);
	delete small;
}
