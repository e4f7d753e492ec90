#include "AboutWindow.h"

#include <Application.h>
#include <Button.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <Labels.h>
#include <Message.h>
#include <StringView.h>
#include <TextView.h>
#include <View.h>
#include <Window.h>

#include <string.h>

#include <string>

BWindow* AInfoWindow = NULL;

static const char* kInfoText =
	"Zelmora - time and attendance for small firms.\n"
	"Tags punch in and out at the entrance; the bookings land in the "
	"booking files of the folder \"Employee\".";
static const char* kThanks = "everyone who tested the terminal";


void
CloseInfoWindow()
{
	for (int32 i = be_app->CountWindows() - 1; i >= 0; i--) {
		BWindow* window = be_app->WindowAt(i);
		if (window == NULL || !window->Lock())
			continue;
		const char* title = window->Title();
		if (strstr(title, "ZLM-Info") != NULL && AInfoWindow != NULL) {
			AInfoWindow = NULL;
			window->Quit();
		} else if (strstr(title, getLabel(21)) != NULL)
			window->Quit();
		else
			window->Unlock();
	}
}


BWindow*
ShowAboutWindow()
{
	CloseInfoWindow();

	BWindow* window = new BWindow(BRect(200, 200, 580, 340), "ZLM-Info",
		B_BORDERED_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL, B_NOT_RESIZABLE);
	BRect bounds = window->Bounds();

	BStringView* banner = new BStringView(BRect(0, 0, bounds.right, 45),
		"bord", "Zelmora", B_FOLLOW_ALL_SIDES);
	BFont font(be_plain_font);
	font.SetFace(B_BOLD_FACE | B_ITALIC_FACE);
	font.SetSize(27);
	banner->SetFont(&font);
	banner->SetAlignment(B_ALIGN_CENTER);
	banner->SetHighColor(80, 0, 0);
	banner->SetViewColor(tint_color(make_color(216, 216, 216),
		B_DARKEN_1_TINT));
	banner->SetLowColor(banner->ViewColor());
	window->AddChild(banner);

	BView* body = new BView(BRect(0, 46, bounds.right, bounds.bottom),
		"view", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	body->SetViewColor(216, 216, 216);
	body->SetFontSize(8);
	window->AddChild(body);
	BRect inner = body->Bounds();

	BRect frame(10, 5, inner.right - 10, inner.bottom - 45);
	BTextView* text = new BTextView(frame, "tx",
		frame.OffsetToCopy(0, 0), B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	text->SetFontSize(10);
	text->MakeEditable(false);
	text->MakeSelectable(true);
	text->SetViewColor(216, 216, 216);
	text->SetText(kInfoText);
	body->AddChild(text);

	frame.Set(40, inner.bottom - 40, inner.right - 90, inner.bottom - 5);
	BTextView* thanks = new BTextView(frame, "txl",
		frame.OffsetToCopy(0, 0), B_FOLLOW_LEFT | B_FOLLOW_BOTTOM,
		B_WILL_DRAW);
	thanks->SetFontSize(10);
	thanks->MakeEditable(false);
	thanks->MakeSelectable(false);
	thanks->SetViewColor(216, 216, 216);
	std::string line = std::string(getLabel(120)) + ":\n" + kThanks;
	thanks->SetText(line.c_str());
	body->AddChild(thanks);

	BButton* ok = new BButton(BRect(inner.right - 80, inner.bottom - 30,
		inner.right - 20, inner.bottom - 9), "exit", " OK ",
		new BMessage(B_QUIT_REQUESTED), B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	body->AddChild(ok);
	window->SetDefaultButton(ok);

	window->Show();
	AInfoWindow = window;
	return window;
}
