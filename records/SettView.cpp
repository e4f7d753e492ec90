// SettView: file buttons, the relay panel, the time account and the
// payday, each change saved at once.
#include "SettView.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <Alert.h>
#include <Application.h>
#include <Autolock.h>
#include <Button.h>
#include <CheckBox.h>
#include <Labels.h>
#include <Message.h>
#include <Messenger.h>
#include <RadioButton.h>
#include <StringView.h>
#include <TextControl.h>
#include <Window.h>

#include <AnyAlert.h>
#include <MWSControl.h>
#include <Prefs.h>
#include <STimeModels.h>
#include <eRadioButton.h>

#include "PageCodes.h"

static const rgb_color kOnColor = { 105, 220, 105, 255 };
static const rgb_color kOnWithoutUseColor = { 220, 105, 105, 255 };
static const char* const kAllClosedImage = "-xxxx---";

static const uint32 kRelayCodes[4] = { kMsgRelayButton1, kMsgRelayButton2,
	kMsgRelayButton3, kMsgRelayButton4 };


// A decimal number at the start of a text; 0 when there is none.
static long
leading_number(const char* text)
{
	if (text == NULL)
		return 0;
	char* end;
	long value = strtol(text, &end, 10);
	return end == text ? 0 : value;
}


SettView::SettView(BRect frame, const char* name, BRadioButton* tab)
	:
	BBox(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS,
		B_PLAIN_BORDER),
	fPrefs(NULL),
	fModels(STimeModels::getTimeModels()),
	fTab(tab)
{
	SetViewColor(216, 216, 216);
	SetFontSize(11);
	BRect bounds = Bounds();

	// The three file buttons, handled by the window.
	struct { int label; const char* name; uint32 code; BButton** button; }
		files[] = {
		{ 31, "otfl", kMsgOpenBookingFile, &fOpenBookings },
		{ 32, "tprf", kMsgOpenProfileFile, &fOpenProfiles },
		{ 33, "epfl", kMsgOpenTagRegister, &fOpenRegister }
	};
	for (int i = 0; i < 3; i++) {
		float top = 5 + 30 * i;
		*files[i].button = new BButton(BRect(37, top, bounds.right - 37,
			top + 20), files[i].name, getLabel(files[i].label),
			new BMessage(files[i].code), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
		AddChild(*files[i].button);
	}

	Add_MWS_Gui(BRect(10, 95, bounds.right - 10, 180));

	// Below the relay box: the time account and the payday.
	BRect box = fRelayBox->Frame();
	float width = StringWidth(getLabel(84)) + 25;
	fTimeAccount = new BCheckBox(BRect(box.left, box.bottom + 5,
		box.left + width, box.bottom + 25), "mw_u", getLabel(84),
		new BMessage(kMsgTimeAccount));
	fTimeAccount->SetFlags(fTimeAccount->Flags() & ~B_NAVIGABLE);
	AddChild(fTimeAccount);
	BRect paydayFrame(fTimeAccount->Frame().right + 5, box.bottom + 5,
		bounds.right - 10, box.bottom + 25);
	fPayday = new BTextControl(paydayFrame, "ptpd", getLabel(85), "2",
		new BMessage(kMsgPayday), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	fPayday->SetDivider(paydayFrame.Width() - 30);
	AddChild(fPayday);

	// The controls show the settings of this moment.
	fPrefs = Prefs::getSTPrefs();
	fAddress->SetText(fPrefs->mws_ip);
	fUseBox->SetValue(fPrefs->mws_use ? B_CONTROL_ON : B_CONTROL_OFF);
	fTimeAccount->SetValue(fPrefs->gTimeAcc ? B_CONTROL_ON : B_CONTROL_OFF);
	if (!fPrefs->mws_use) {
		fOpenAll->SetEnabled(false);
		fAddress->SetEnabled(false);
	}
	int32 door = fPrefs->TagsUseDoor;
	fRelay[door >= 2 && door <= 4 ? door - 1 : 0]->SetValue(B_CONTROL_ON);
	char text[32];
	snprintf(text, sizeof(text), "%ld Sec", (long)fPrefs->OpenInSecs);
	fCloseAfter->SetText(text);
	snprintf(text, sizeof(text), "%ld", (long)fPrefs->Payday);
	fPayday->SetText(text);
	fPayday->SetFlags(fPayday->Flags() & ~B_NAVIGABLE);
}


SettView::~SettView()
{
}


void
SettView::Add_MWS_Gui(BRect frame)
{
	fRelayBox = new BBox(frame, "mws", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	fRelayBox->SetLabel("MicroWebServer");
	fRelayBox->SetFontSize(11);
	AddChild(fRelayBox);
	float right = fRelayBox->Bounds().right;

	fUseBox = new BCheckBox(BRect(10, 12,
		10 + fRelayBox->StringWidth(getLabel(91)) + 25, 32), "mw_u",
		getLabel(91), new BMessage(kMsgUseRelayBox));
	fRelayBox->AddChild(fUseBox);

	fCloseAfter = new BTextControl(BRect(150, 12, right - 10, 37), "mwca",
		getLabel(94), "2", new BMessage(kMsgCloseAfter));
	fCloseAfter->SetDivider(fRelayBox->StringWidth(getLabel(94)) + 8);
	fRelayBox->AddChild(fCloseAfter);

	fCaption = new BStringView(BRect(10, 31,
		10 + fRelayBox->StringWidth(getLabel(92)) + 5, 51), "ivD",
		getLabel(92));
	fRelayBox->AddChild(fCaption);

	// One row of relay buttons, starting under "open all relay".
	static const char* const kNames[4] = { "rA", "rB", "rC", "rD" };
	static const char* const kLabels[4] = { "1 ", "2 ", "3 ", "4 " };
	float left = right - 146;
	for (int i = 0; i < 4; i++) {
		float width = i == 3 ? 32 : 31;
		fRelay[i] = new BRadioButton(BRect(left, 33, left + width - 1, 52),
			kNames[i], kLabels[i], new BMessage(kRelayCodes[i]));
		fRelayBox->AddChild(fRelay[i]);
		left += width + 4;
	}

	fAddress = new BTextControl(BRect(10, 57, right - 165, 77), "MWS_ip",
		"IP:", kDefaultMwsIp, new BMessage(kMsgRelayAddress));
	fAddress->SetDivider(fRelayBox->StringWidth("IP:") + 8);
	fRelayBox->AddChild(fAddress);

	fOpenAll = new BButton(BRect(right - 146, 55, right - 7, 77), "mw_o",
		getLabel(99), new BMessage(kMsgOpenAllRelays));
	fRelayBox->AddChild(fOpenAll);
}


const char*
SettView::PaydayText() const
{
	return fPayday->Text();
}


bool
SettView::TimeAccount() const
{
	return fTimeAccount->Value() == B_CONTROL_ON;
}


BRadioButton*
SettView::RelayButton(int relay) const
{
	return relay >= 1 && relay <= 4 ? fRelay[relay - 1] : NULL;
}


void
SettView::_PaintRelay(int relay, bool on)
{
	BRadioButton* button = RelayButton(relay);
	if (button == NULL)
		return;
	rgb_color color;
	if (on)
		color = fPrefs != NULL && fPrefs->mws_use ? kOnColor
			: kOnWithoutUseColor;
	else
		color = Parent() != NULL ? Parent()->ViewColor() : ViewColor();
	button->SetViewColor(color);
	button->SetLowColor(color);
	button->Invalidate();
}


// The relay control's reports and "open all relay".
void
SettView::_RelayCodes(BMessage* message, const char* address)
{
	switch (message->what) {
		case kMsgPageRelayDead:
			// The alert comes once per switch-off: the main window may
			// have turned relay use off already, the check box tells
			// whether the page still showed it on.
			if ((fPrefs != NULL && fPrefs->mws_use)
				|| fUseBox->Value() == B_CONTROL_ON) {
				printf("%s\n", getLabel(98));
				MakeAnyAlert(getLabel(98))->Go(NULL);
			}
			if (fPrefs != NULL)
				fPrefs->mws_use = false;
			fUseBox->SetValue(B_CONTROL_OFF);
			fOpenAll->SetEnabled(false);
			fAddress->SetEnabled(false);
			break;

		case kMsgPageRelaySwitched:
		{
			int32 opened;
			if (message->FindInt32("r_open", &opened) != B_OK)
				opened = 0;
			const char* image;
			if (message->FindString("_rImage", &image) != B_OK)
				image = "";
			if (opened != 0)
				printf(" OPEN %ld|%s\n", (long)opened, image);
			if (opened >= 1 && opened <= 4)
				_PaintRelay(opened, true);
			// Only with all four relays off may they all be opened.
			fOpenAll->SetEnabled(strcmp(image, "-xxxx") >= 0);
			break;
		}

		case kMsgPageRelayTimeUp:
		{
			const char* image;
			if (message->FindString("_rImage", &image) != B_OK)
				image = "-uuuu---";
			int32 relay;
			if (message->FindInt32("relais", &relay) != B_OK)
				relay = 0;
			printf("CLOSE %ld|%s\n", (long)relay, image);
			if (relay >= 1 && relay <= 4)
				_PaintRelay(relay, false);
			break;
		}

		case kMsgOpenAllRelays:
			// The image says all are off, so none of the four requests is
			// refused as one for a relay that is on already.
			strcpy(MWS_RSTATUS, kAllClosedImage);
			fOpenAll->SetEnabled(false);
			for (int relay = 1; relay <= 4 && fPrefs != NULL
					&& fPrefs->mws_use; relay++)
				Own_Thread(relay, true, address, fPrefs->OpenInSecs);
			break;
	}
}


// The settings the page stores.
void
SettView::_SettingsCodes(BMessage* message, const char* address)
{
	char text[32];
	switch (message->what) {
		case kMsgRelayButton1:
		case kMsgRelayButton2:
		case kMsgRelayButton3:
		case kMsgRelayButton4:
		{
			// Chosen for the tags, and tried at once, relay use or not.
			int relay = 1 + (int)(message->what - kMsgRelayButton1);
			fPrefs->TagsUseDoor = relay;
			fPrefs->Save();
			Own_Thread(relay, true, address, 2);
			break;
		}

		case kMsgCloseAfter:
		{
			long seconds = leading_number(fCloseAfter->Text());
			if (seconds < 1 || seconds > 11)
				seconds = 2;
			snprintf(text, sizeof(text), "%ld Sec", seconds);
			fCloseAfter->SetText(text);
			fPrefs->OpenInSecs = seconds;
			fCloseAfter->MakeFocus(false);
			fPrefs->Save();
			printf("open time= %ld\n", seconds);
			break;
		}

		case kMsgRelayAddress:
			fPrefs->SetMwsIp(address);
			fAddress->SetText(fPrefs->mws_ip);
			fAddress->MakeFocus(false);
			fPrefs->Save();
			break;

		case kMsgUseRelayBox:
		{
			bool use = fUseBox->Value() == B_CONTROL_ON;
			fPrefs->mws_use = use;
			fOpenAll->SetEnabled(use);
			fAddress->SetEnabled(use);
			for (BRadioButton* button : fRelay)
				button->SetEnabled(use);
			fPrefs->Save();
			break;
		}

		case kMsgTimeAccount:
			fPrefs->gTimeAcc = fTimeAccount->Value() == B_CONTROL_ON;
			fPrefs->Save();
			break;

		case kMsgPayday:
		{
			long day = leading_number(fPayday->Text());
			if (day >= 1 && day <= 28) {
				fPrefs->Payday = day;
				fPrefs->Save();
			}
			snprintf(text, sizeof(text), "%ld", (long)fPrefs->Payday);
			fPayday->SetText(text);
			fPayday->MakeFocus(false);
			break;
		}
	}
}


void
SettView::MwsOpenDoor(BMessage* message)
{
	if (message == NULL)
		return;
	// The lock comes first: the relay reports arrive from the main
	// window's handler, and the controls are read and changed under it.
	BAutolock lock(Window());
	BString address = fAddress->Text();

	_RelayCodes(message, address.String());
	if (fPrefs != NULL) {
		_SettingsCodes(message, address.String());
		BMessenger(be_app).SendMessage(kMsgPagePrefsChanged);
	}
}


void
SettView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgRelayButton1:
		case kMsgRelayButton2:
		case kMsgRelayButton3:
		case kMsgRelayButton4:
		case kMsgPageRelayTimeUp:
		case kMsgRelayAddress:
		case kMsgPageRelayDead:
		case kMsgOpenAllRelays:
		case kMsgPageRelaySwitched:
		case kMsgUseRelayBox:
		case kMsgCloseAfter:
		case kMsgTimeAccount:
		case kMsgPayday:
			MwsOpenDoor(message);
			break;
		case 'TICK':
		case B_MODIFIERS_CHANGED:
		case B_MOUSE_WHEEL_CHANGED:
		case B_UNMAPPED_KEY_UP:
			break;
		default:
			if (is_script_message(message)) {
				BBox::MessageReceived(message);
				break;
			}
			printf("SettView ?? \n");
			message->PrintToStream();
			break;
	}
}


void
SettView::Draw(BRect updateRect)
{
	BBox::Draw(Bounds());
	// The page's frame stays open under its tab.
	eRadioButton::OpenPageFrame(this, fTab);
	(void)updateRect;
}
