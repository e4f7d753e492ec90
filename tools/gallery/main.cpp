// gallery: one window with each view and control of the interface kit,
// for looking at the kit's drawing. With --png PATH it saves the window's
// picture and ends; otherwise it stays open until closed. Running, its
// "More" button opens the second window, "About" an alert, a secondary
// click on the canvas a pop-up menu; each window shows the code of the
// last message it got from its controls in its view "received", so a
// program driving it from outside sees what arrived. A 'gAsk' message to
// the application asks with an alert while the application waits, and
// is answered with the button pressed.
#include <stdio.h>
#include <string.h>

#include <Alert.h>
#include <Application.h>
#include <Bitmap.h>
#include <Box.h>
#include <Button.h>
#include <CheckBox.h>
#include <Entry.h>
#include <Font.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <OutlineListView.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <StringView.h>
#include <TextControl.h>
#include <TextView.h>
#include <View.h>
#include <Window.h>
#include <WindowAutomation.h>

namespace {

const uint32 kMsgMore = 'zLMm';
const uint32 kMsgAbout = 'sInf';
const uint32 kMsgAboutClosed = 'alrt';
const uint32 kMsgContext = 'PB01';
const uint32 kMsgTreeSelection = 'olSl';
const uint32 kMsgAsk = 'gAsk';

BWindow* build_controls();


BPopUpMenu*
make_context_menu()
{
	BPopUpMenu* menu = new BPopUpMenu("context", false, false);
	BFont font(be_plain_font);
	font.SetSize(11);
	menu->SetFont(&font);
	menu->AddItem(new BMenuItem("Modify", new BMessage(kMsgContext)));
	menu->AddItem(new BMenuItem("Split", new BMessage(kMsgContext)));
	menu->AddItem(new BMenuItem("Join", new BMessage(kMsgContext)));
	menu->AddSeparatorItem();
	menu->AddItem(new BMenuItem("Delete", new BMessage(kMsgContext)));
	menu->ItemAt(2)->SetEnabled(false);
	menu->ItemAt(0)->SetMarked(true);
	return menu;
}


// A gallery window: notes the messages of its controls in its view
// "received" (the code, and "index" or "which" when there is one).
class GalleryWindow : public BWindow {
public:
	GalleryWindow(BRect frame, const char* title, uint32 flags)
		:
		BWindow(frame, title, B_TITLED_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL,
			flags)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kMsgMore:
				_Note(message);
				if (fControls.IsValid())
					break;
				{
					BWindow* controls = build_controls();
					controls->Show();
					fControls = BMessenger(controls);
				}
				break;
			case kMsgAbout:
			{
				_Note(message);
				BAlert* alert = new BAlert("About", "Zelmora gallery: the "
					"views and controls of the interface kit.", "Details",
					"Close");
				alert->Go(new BInvoker(new BMessage(kMsgAboutClosed), this));
				break;
			}
			case kMsgAboutClosed:
			case kMsgContext:
			case kMsgTreeSelection:
			case 'zLMS': case 'zLMo': case 'muse':
			case 'rel0': case 'rel1': case 'rel2':
			case 'xNam': case 'tBin':
			case 'W---': case 'WNEW': case 'WSel':
			case B_UNMAPPED_KEY_DOWN:
			case B_MOUSE_WHEEL_CHANGED:
				_Note(message);
				break;
			case B_SIMPLE_DATA:
				if (message->HasRef("refs")) {
					_Note(message);
					break;
				}
				BWindow::MessageReceived(message);
				break;
			default:
				BWindow::MessageReceived(message);
				break;
		}
	}

private:
	void _Note(BMessage* message)
	{
		BStringView* view = dynamic_cast<BStringView*>(
			FindView("received"));
		if (view == NULL)
			return;
		uint32 what = message->what;
		BString text;
		text << (char)(what >> 24) << (char)(what >> 16) << (char)(what >> 8)
			<< (char)what;
		int32 value;
		float delta;
		entry_ref ref;
		if (message->FindInt32("index", &value) == B_OK)
			text << " index=" << value;
		if (message->FindInt32("which", &value) == B_OK)
			text << " which=" << value;
		if (what == B_UNMAPPED_KEY_DOWN
			&& message->FindInt32("key", &value) == B_OK) {
			text << " key=" << value << " modifiers="
				<< message->GetInt32("modifiers", 0);
		}
		if (message->FindFloat("be:wheel_delta_y", &delta) == B_OK)
			text << " delta=" << delta;
		type_code type;
		int32 count;
		if (message->GetInfo("refs", &type, &count) == B_OK
			&& message->FindRef("refs", &ref) == B_OK)
			text << " refs=" << count << " " << ref.name;
		view->SetText(text.String());
	}

	BMessenger	fControls;
};


class GalleryApplication : public BApplication {
public:
	GalleryApplication()
		:
		BApplication("application/x-vnd.zelmora-gallery")
	{
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kMsgAsk:
			{
				// The application's looper stays in Go until the alert
				// is answered; the windows go on meanwhile.
				BAlert* alert = new BAlert("Ask", "Asked from outside.", "No",
					"Yes");
				BMessage reply(B_REPLY);
				reply.AddInt32("result", alert->Go());
				message->SendReply(&reply);
				break;
			}
			default:
				BApplication::MessageReceived(message);
				break;
		}
	}
};


BStringView*
make_received(BRect frame)
{
	BStringView* received = new BStringView(frame, "received", "");
	received->SetViewColor(216, 216, 216);
	received->SetLowColor(216, 216, 216);
	return received;
}


// Shapes, modes and text drawn through the view's drawing calls.
class CanvasView : public BView {
public:
	CanvasView(BRect frame)
		: BView(frame, "canvas", B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW)
	{
		SetViewColor(240, 240, 235);
	}

	void MouseDown(BPoint where) override
	{
		// A secondary click opens the context menu at the pointer.
		BMessage* current = Window()->CurrentMessage();
		if (current == NULL || (current->GetInt32("buttons", 0)
				& B_SECONDARY_MOUSE_BUTTON) == 0)
			return;
		BPopUpMenu* menu = make_context_menu();
		menu->SetTargetForItems(Window());
		menu->SetAsyncAutoDestruct(true);
		menu->Go(ConvertToScreen(where), true, false, true);
	}

	void Draw(BRect) override
	{
		BRect bounds = Bounds();
		SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
		StrokeRect(bounds);

		BRect row(8, 8, bounds.right - 8, 26);
		SetHighColor(ViewColor());
		FillRoundRect(row, 4.5, 4.5);
		SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
		StrokeRoundRect(row, 4.5, 4.5);
		BFont font(be_bold_font);
		font.SetSize(11);
		SetFont(&font);
		SetHighColor(10, 10, 10);
		DrawString("0004711", BPoint(15, 21));
		font = *be_plain_font;
		font.SetSize(9);
		SetFont(&font);
		SetHighColor(35, 135, 35);
		DrawString("08:15 ", BPoint(row.right - 57, 22));
		BRect dot(row.right - 21, row.top + 3, row.right - 9, row.top + 15);
		SetHighColor(10, 10, 10);
		StrokeRoundRect(dot, 6, 6);
		dot.InsetBy(2, 2);
		SetHighColor(35, 35, 245);
		FillRoundRect(dot, 6, 6);

		// A drop highlight over the second row, blended 50/50.
		BRect second = row.OffsetByCopy(0, 21);
		SetHighColor(ViewColor());
		FillRoundRect(second, 4.5, 4.5);
		SetDrawingMode(B_OP_BLEND);
		SetHighColor(250, 250, 100, 20);
		FillRoundRect(second.InsetByCopy(2, 2), 4.5, 4.5);
		SetHighColor(50, 50, 10, 20);
		StrokeRoundRect(second, 4.5, 4.5);
		SetDrawingMode(B_OP_OVER);

		SetHighColor(180, 80, 80);
		StrokeLine(BPoint(8, 56), BPoint(60, 80));
		SetHighColor(0, 0, 229);
		FillEllipse(BRect(70, 56, 94, 80));
		SetHighColor(10, 10, 10);
		StrokeEllipse(BRect(100, 56, 124, 80));
		FillTriangle(BPoint(130, 80), BPoint(142, 56), BPoint(154, 80));

		font = *be_plain_font;
		font.SetFace(B_BOLD_FACE | B_ITALIC_FACE);
		font.SetSize(27);
		SetFont(&font);
		SetHighColor(80, 0, 0);
		DrawString("Zelmora", BPoint(8, 112));
		SetFont(be_fixed_font);
		SetHighColor(10, 10, 10);
		DrawString("be_fixed_font 12", BPoint(8, 130));
	}
};


BBitmap*
make_tile()
{
	// Two palette greys: 29 as ground, 27 for short streaks.
	BBitmap* tile = new BBitmap(BRect(0, 0, 31, 15), B_CMAP8);
	uint8 bits[512];
	for (int32 i = 0; i < 512; i++) {
		int32 x = i % 32;
		int32 y = i / 32;
		bits[i] = ((y % 4 == 1 && (x + y * 5) % 16 < 5) ? 27 : 29);
	}
	tile->SetBits(bits, sizeof(bits), 0, B_CMAP8);
	return tile;
}


BWindow*
build_gallery()
{
	BWindow* window = new GalleryWindow(BRect(100, 100, 520, 460), "Gallery",
		B_NOT_ZOOMABLE | B_QUIT_ON_WINDOW_CLOSE);
	BView* background = new BView(window->Bounds(), "bview", B_FOLLOW_ALL,
		B_WILL_DRAW);
	background->SetViewColor(216, 216, 216);
	BBitmap* tile = make_tile();
	background->SetViewBitmap(tile);
	delete tile;
	window->AddChild(background);

	BButton* more = new BButton(BRect(5, 5, 55, 35), "open", "More",
		new BMessage('zLMm'));
	background->AddChild(more);
	BButton* about = new BButton(BRect(5, 40, 55, 65), "info", "About",
		new BMessage('sInf'));
	background->AddChild(about);
	BButton* disabled = new BButton(BRect(5, 70, 55, 95), "off", "Off",
		NULL);
	disabled->SetEnabled(false);
	background->AddChild(disabled);

	BStringView* info = new BStringView(BRect(60, 5, 372, 19), "lastrfid",
		"Last: 0004711");
	BFont font(be_plain_font);
	font.SetSize(10);
	info->SetFont(&font);
	info->SetAlignment(B_ALIGN_CENTER);
	info->SetViewColor(232, 232, 232);
	info->SetLowColor(232, 232, 232);
	background->AddChild(info);
	BStringView* here = new BStringView(BRect(374, 6, 416, 20), "here",
		"in: 1");
	here->SetFont(be_bold_font);
	here->SetFontSize(11);
	here->SetAlignment(B_ALIGN_CENTER);
	here->SetViewColor(232, 232, 232);
	here->SetLowColor(232, 232, 232);
	background->AddChild(here);

	background->AddChild(new CanvasView(BRect(60, 26, 272, 166)));

	BBox* box = new BBox(BRect(280, 26, 414, 166), "settings");
	box->SetLabel("Relais");
	box->AddChild(new BCheckBox(BRect(8, 20, 126, 36), "use", "Use relay",
		new BMessage('muse')));
	BCheckBox* on = new BCheckBox(BRect(8, 40, 126, 56), "on", "Switched on",
		NULL);
	on->SetValue(B_CONTROL_ON);
	box->AddChild(on);
	BCheckBox* offCheck = new BCheckBox(BRect(8, 60, 126, 76), "dis",
		"Disabled", NULL);
	offCheck->SetEnabled(false);
	box->AddChild(offCheck);
	for (int32 i = 0; i < 3; i++) {
		char label[32];
		snprintf(label, sizeof(label), "Relay %d", (int)i + 1);
		BRadioButton* radio = new BRadioButton(BRect(8, 82 + i * 18, 126,
			98 + i * 18), "relay", label, new BMessage('rel0' + i));
		box->AddChild(radio);
		if (i == 1)
			radio->SetValue(B_CONTROL_ON);
	}
	background->AddChild(box);

	BBox* plain = new BBox(BRect(60, 174, 414, 300), "plain",
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW, B_PLAIN_BORDER);
	background->AddChild(plain);
	plain->AddChild(new BStringView(BRect(8, 8, 340, 22), "left",
		"Aligned left"));
	BStringView* centre = new BStringView(BRect(8, 28, 340, 42), "centre",
		"Centred");
	centre->SetAlignment(B_ALIGN_CENTER);
	plain->AddChild(centre);
	BStringView* right = new BStringView(BRect(8, 48, 340, 62), "right",
		"Aligned right");
	right->SetAlignment(B_ALIGN_RIGHT);
	plain->AddChild(right);
	BRadioButton* tab = new BRadioButton(BRect(8, 70, 120, 88), "tab",
		"Disabled radio", NULL);
	tab->SetEnabled(false);
	plain->AddChild(tab);

	BButton* save = new BButton(BRect(300, 320, 362, 342), "save", "Save",
		new BMessage('zLMS'));
	background->AddChild(save);
	save->MakeDefault(true);
	BButton* open = new BButton(BRect(230, 320, 286, 342), "open", "Open",
		new BMessage('zLMo'));
	background->AddChild(open);
	open->MakeFocus();
	background->AddChild(make_received(BRect(60, 324, 224, 338)));
	return window;
}

// The second half of the kit: text, scrolling, lists and menus.
BWindow*
build_controls()
{
	BWindow* window = new GalleryWindow(BRect(100, 100, 520, 460),
		"Controls", B_NOT_ZOOMABLE);
	BView* background = new BView(window->Bounds(), "bview", B_FOLLOW_ALL,
		B_WILL_DRAW);
	background->SetViewColor(216, 216, 216);
	window->AddChild(background);

	BTextControl* name = new BTextControl(BRect(10, 10, 200, 30), "bkn",
		"Name:", "A-Standart", new BMessage('xNam'));
	name->SetDivider(name->StringWidth("Name:") + 8);
	name->TextView()->SetViewColor(250, 249, 245);
	background->AddChild(name);
	BTextControl* hours = new BTextControl(BRect(10, 36, 200, 56), "tBin",
		"working hours:", "07:30", new BMessage('tBin'));
	hours->SetDivider(hours->StringWidth("working hours:") + 6);
	hours->SetEnabled(false);
	background->AddChild(hours);

	BPopUpMenu* weeks = new BPopUpMenu("no WeekProfil");
	weeks->AddItem(new BMenuItem("no WeekProfil", new BMessage('W---')));
	weeks->AddItem(new BMenuItem("New Profile", new BMessage('WNEW')));
	weeks->AddSeparatorItem();
	weeks->AddItem(new BMenuItem("A-Standart", new BMessage('WSel')));
	weeks->AddItem(new BMenuItem("B-Teilzeit", new BMessage('WSel')));
	weeks->ItemAt(3)->SetMarked(true);
	BFont small(be_plain_font);
	small.SetSize(10);
	weeks->SetFont(&small);
	BMenuField* week = new BMenuField(BRect(210, 10, 410, 30), "mWGrp",
		"Week:", weeks);
	week->SetDivider(week->StringWidth("Week:") + 6);
	background->AddChild(week);
	BMenuField* day = new BMenuField(BRect(210, 36, 410, 56), "mDGrp",
		"Day:", new BPopUpMenu("no DayModel"));
	day->SetDivider(week->Divider());
	day->SetEnabled(false);
	background->AddChild(day);

	BOutlineListView* tree = new BOutlineListView(BRect(12, 72, 160, 250),
		"ol_list");
	BFont fixed(be_fixed_font);
	fixed.SetSize(11);
	tree->SetFont(&fixed);
	tree->SetViewColor(250, 249, 245);
	tree->SetLowColor(250, 249, 245);
	tree->AddItem(new BStringItem("Week: A-Standart"));
	tree->AddItem(new BStringItem("___"));
	const char* days[] = { "Su", "Mo", "Tu", "We", "Th", "Fr", "Sa" };
	for (int32 i = 0; i < 7; i++) {
		BString text;
		text << days[i] << " : " << (i == 0 || i == 6 ? "no DayModel"
			: "A-WerkTags");
		tree->AddItem(new BStringItem(text.String(), 0, i == 1));
		if (i > 0 && i < 6) {
			tree->AddItem(new BStringItem("Fruehstueck", 1));
			tree->AddItem(new BStringItem("Mittag", 1));
		}
	}
	tree->Select(3);
	tree->SetSelectionMessage(new BMessage(kMsgTreeSelection));
	background->AddChild(new BScrollView("olsv", tree, B_FOLLOW_LEFT
		| B_FOLLOW_TOP_BOTTOM, 0, false, true));

	BRect textFrame(190, 72, 392, 250);
	BTextView* text = new BTextView(textFrame, "text_view",
		textFrame.OffsetToCopy(0, 0).InsetByCopy(0, 3), B_FOLLOW_ALL,
		B_WILL_DRAW);
	text->SetFontAndColor(&fixed);
	text->SetViewColor(250, 249, 245);
	BString protocol;
	for (int32 i = 1; i <= 30; i++) {
		protocol << "2026/11/" << (i < 10 ? "0" : "") << i
			<< "  07:30  08:02  +0:32\n";
	}
	text->SetText(protocol.String());
	text->MakeEditable(false);
	background->AddChild(new BScrollView("scroll_view", text, B_FOLLOW_ALL,
		0, false, true));
	text->GoToLine(text->CountLines());
	text->ScrollToSelection();

	BView* rows = new BView(BRect(12, 270, 392, 310), "rows", B_FOLLOW_NONE,
		B_WILL_DRAW);
	rows->SetViewColor(250, 250, 245);
	background->AddChild(rows);
	BScrollBar* bar = new BScrollBar(BRect(12, 312, 392, 312
		+ B_H_SCROLL_BAR_HEIGHT), "hbar", rows, 0, 300, B_HORIZONTAL);
	bar->SetProportion(0.4f);
	bar->SetValue(100);
	background->AddChild(bar);
	background->AddChild(make_received(BRect(12, 332, 392, 346)));
	name->MakeFocus(true);
	return window;
}


// The controls window, an open pop-up menu and an alert, as pictures in
// a folder.
int
save_controls(const char* folder)
{
	BString path;
	BWindow* window = build_controls();
	window->Show();
	path << folder << "/controls.png";
	status_t status = BPrivate::WindowAutomation::SavePNG(window,
		path.String());

	BPopUpMenu* menu = make_context_menu();
	menu->Go(BPoint(300, 300), true, false, true);
	BPrivate::WindowAutomation::Sync();
	BWindow* popup = be_app->WindowAt(be_app->CountWindows() - 1);
	if (menu->CountItems() > 1) {
		BMenuItem* item = menu->ItemAt(1);
		BRect frame = item->Frame();
		BPrivate::WindowAutomation::MouseMoved(menu, BPoint(frame.left + 10,
			frame.top + 3));
	}
	path = folder;
	path << "/menu.png";
	if (status == B_OK)
		status = BPrivate::WindowAutomation::SavePNG(popup, path.String());
	delete menu;

	BAlert* alert = new BAlert("Autsch", "Zelmora..\n MWS_NON_REPLY ",
		" I see ", NULL, NULL, B_WIDTH_AS_USUAL, B_INFO_ALERT);
	alert->Show();
	path = folder;
	path << "/alert.png";
	if (status == B_OK)
		status = BPrivate::WindowAutomation::SavePNG(alert, path.String());
	alert->Lock();
	alert->Quit();
	window->Lock();
	window->Quit();
	return status == B_OK ? 0 : 1;
}

}	// namespace


int
main(int argc, char** argv)
{
	const char* png = NULL;
	const char* controls = NULL;
	for (int i = 1; i < argc; i++) {
		if (strcmp(argv[i], "--png") == 0 && i + 1 < argc)
			png = argv[++i];
		else if (strcmp(argv[i], "--controls") == 0 && i + 1 < argc)
			controls = argv[++i];
		else {
			fprintf(stderr,
				"usage: gallery [--png PATH] [--controls FOLDER]\n");
			return 2;
		}
	}

	GalleryApplication application;
	if (controls != NULL)
		return save_controls(controls);
	BWindow* window = build_gallery();
	window->Show();
	if (png != NULL) {
		status_t status = BPrivate::WindowAutomation::SavePNG(window, png);
		window->Lock();
		window->Quit();
		if (status != B_OK) {
			fprintf(stderr, "gallery: cannot save %s\n", png);
			return 1;
		}
		return 0;
	}
	application.Run();
	return 0;
}
