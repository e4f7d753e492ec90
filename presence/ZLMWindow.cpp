#include "ZLMWindow.h"

#include <Application.h>
#include <Autolock.h>
#include <Bitmap.h>
#include <Button.h>
#include <Deskbar.h>
#include <Directory.h>
#include <Entry.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <MimeType.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Process.h>
#include <Roster.h>
#include <ScrollBar.h>
#include <StringView.h>
#include <TextControl.h>
#include <TranslationUtils.h>
#include <View.h>

#include <AboutWindow.h>
#include <AtomicReplace.h>
#include <MWSControl.h>
#include <Prefs.h>
#include <RelayQueue.h>

#include <stdio.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "Globals.h"
#include "PresenceMessages.h"
#include "ProtWin.h"
#include "TagRegister.h"
#include "TerminView.h"

static const float kSlot = 21;
static const char* kNotSaved = " - not saved!";


static void
send_to_app(BMessage* message)
{
	BMessenger(be_app).SendMessage(message);
}


BBitmap*
GetImage(const char* path)
{
	BBitmap* bitmap = NULL;
	FILE* file = fopen(path, "re");
	if (file != NULL) {
		fclose(file);
		bitmap = BTranslationUtils::GetBitmapFile(path);
	}
	if (bitmap == NULL)
		printf("\302\240can't translate '%s'\n", path);
	return bitmap;
}


void
DeviceWatcherStarten()
{
	printf("DeviceWatcherStarten()\n");
	BDeskbar deskbar;
	if (deskbar.HasItem("ScanletView")) {
		printf("schon da - also nicht starten...\n");
		DeviceIsRunning = true;
		return;
	}
	printf("nicht da - also starten...\n");

	BMimeType type("application/x-vnd.KQ-Scanlet");
	char preferred[B_MIME_TYPE_LENGTH] = "";
	type.GetPreferredApp(preferred);
	entry_ref hint;
	BPath path;
	if (type.GetAppHint(&hint) == B_OK)
		path.SetTo(&hint);
	const char* appPath = path.Path() != NULL ? path.Path() : "";
	printf("DeviceWatcherStarten()\n");
	printf("PreferredApp\t[%s]\n", preferred);
	printf("Pfad zum App\t[%s]\n", appPath);

	BNode node(appPath);
	if (appPath[0] == '\0' || node.InitCheck() != B_OK) {
		printf("App nicht gefunden :( \n");
		return;
	}
	printf("App gefunden :) \n");
	// Started from an argument vector in the background, never a shell.
	const char* argv[] = { appPath, NULL };
	BPrivate::start_program(argv, false, NULL);
	DeviceIsRunning = true;
}


ZLMWindow::ZLMWindow(BRect frame)
	:
	BWindow(frame, "Zelmora", B_TITLED_WINDOW, 0),
	mCallBack(NULL),
	logoView(NULL),
	logoBitmap(NULL),
	settings(NULL),
	tileBitmap(NULL),
	fPunchFailed(false)
{
	SetFlags(B_NOT_ZOOMABLE);
	SetSizeLimits(400, 420, (MENG_V - 10) * kSlot, MENG_V * kSlot);
	fTagRows.reserve(20);
	DeviceIsRunning = false;

	settings = Prefs::getSTPrefs();
	MoveTo(settings->prefs_window_rect.left, settings->prefs_window_rect.top);

	// The employee folder beside the executable.
	app_info info;
	if (be_app->GetAppInfo(&info) == B_OK)
		appPath.SetTo(&info.ref);
	if (!TerminView::emplSet)
		TerminView::SetEmplPath();
	if (TerminView::emplSet) {
		BDirectory folder(TerminView::emplPath.c_str());
		if (folder.InitCheck() != B_OK)
			mkdir(TerminView::emplPath.c_str(), 0755);
	}

	BRect bounds = Bounds();
	float width = bounds.right;
	float height = bounds.bottom;

	fBackground = new BView(bounds, "bview", B_FOLLOW_ALL_SIDES, B_WILL_DRAW);
	fBackground->SetViewColor(216, 216, 216);
	fBackground->SetFontSize(11);
	// A faint two-tone texture: short streaks of one palette entry on the
	// ground of another.
	tileBitmap = new BBitmap(BRect(0, 0, 31, 15), B_CMAP8);
	if (tileBitmap->Bits() != NULL) {
		uint8* bits = (uint8*)tileBitmap->Bits();
		int32 length = tileBitmap->BitsLength();
		int32 row = length / 16;
		for (int32 y = 0; y < 16; y++) {
			for (int32 x = 0; x < row; x++) {
				bool streak = (y % 4 == 1) && ((x + y * 3) % 16) < 5;
				bits[y * row + x] = streak ? 27 : 29;
			}
		}
		fBackground->SetViewBitmap(tileBitmap);
	}
	AddChild(fBackground);

	Lock();
	float column = 60;
	ManageLogo(settings->logo_loma, &column);
	Unlock();
	column = 60;

	fMore = new BButton(BRect(5, 5, 55, 35), "open", "More",
		new BMessage(kMsgMore));
	fBackground->AddChild(fMore);
	fInfo = new BButton(BRect(5, 40, 55, 65), "info", "About",
		new BMessage(kMsgAbout));
	fBackground->AddChild(fInfo);
	fInfo->MakeFocus(false);
	fFutter = new BButton(BRect(5, 70, 55, 95), "futB", "Futter",
		new BMessage(kMsgFutter));
	fBackground->AddChild(fFutter);
	fFutter->MakeFocus(false);
	fFutter->Hide();

	BFont font(be_plain_font);
	fLastRfid = new BStringView(BRect(column, 5, width - 48, 19), "lastrfid",
		" - ", B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	font.SetSize(10);
	fLastRfid->SetFont(&font);
	fLastRfid->SetAlignment(B_ALIGN_CENTER);
	fLastRfid->SetViewColor(232, 232, 232);
	fLastRfid->SetLowColor(232, 232, 232);
	fBackground->AddChild(fLastRfid);

	fHere = new BStringView(BRect(width - 46, 6, width - 4, 20), "here",
		" - ", B_FOLLOW_RIGHT | B_FOLLOW_TOP);
	BFont bold(be_bold_font);
	bold.SetSize(11);
	fHere->SetFont(&bold);
	fHere->SetAlignment(B_ALIGN_CENTER);
	fHere->SetViewColor(232, 232, 232);
	fHere->SetLowColor(232, 232, 232);
	fBackground->AddChild(fHere);

	float listBottom = 25 + (MENG_V - 3) * kSlot;
	fTagsView = new TTagsView(BRect(column, 26, width - 26, listBottom),
		"TTagsView");
	fBackground->AddChild(fTagsView);

	fScrollBar = new BScrollBar(BRect(width - 22, 26, width - 8, listBottom),
		"scroll_Bar", fTagsView, 0, 0, B_VERTICAL);
	fScrollBar->SetViewColor(250, 100, 100);
	fScrollBar->SetProportion(1);
	fScrollBar->SetRange(0, 0);
	fScrollBar->SetSteps(21, 42);
	fBackground->AddChild(fScrollBar);

	tagEditMsg = new BMessage(kMsgPersonEdited);
	tagEditMsg->AddString("_fTag", "notset");
	tagEditMsg->AddString("_xTag", "notset");
	tagEditMsg->AddString("_xPerson", "notset");
	fSyn = new BTextControl(BRect(column, height - 28, width - 138,
		height - 5), "Syn", "Select Tag :", "-", tagEditMsg,
		B_FOLLOW_LEFT_RIGHT | B_FOLLOW_BOTTOM);
#ifdef ZELMORA_ZETA
	fSyn->SetViewColor(tint_color(ui_color(B_CONTROL_HIGHLIGHT_COLOR),
		B_LIGHTEN_2_TINT));
#else
	fSyn->SetViewColor(232, 232, 232, 10);
#endif
	fBackground->AddChild(fSyn);
	fSyn->Hide();
	fOpen = new BButton(BRect(width - 130, height - 30, width - 74,
		height - 8), "open", "Open", new BMessage(kMsgOpenRegister),
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fBackground->AddChild(fOpen);
	fOpen->Hide();
	fSave = new BButton(BRect(width - 70, height - 30, width - 8,
		height - 8), "save", "Save", new BMessage(kMsgSaveRegister),
		B_FOLLOW_RIGHT | B_FOLLOW_BOTTOM);
	fBackground->AddChild(fSave);
	fSave->Hide();

	Lock();
	TerminView::AskRegister(4);
	TerminView::AskRegister(5);
	infoText = "-- StartUp --";
	fLastRfid->SetText(infoText.String());
	Unlock();

	DeviceWatcherStarten();
	printf("-- StartUp --\n");
	if (!DeviceIsRunning)
		fTagsView->SetViewColor(250, 24, 25, 10);

	if (settings->mws_use)
		Own_Thread(1, true, settings->mws_ip, 1);
}


ZLMWindow::~ZLMWindow()
{
	// The records window writes the time profiles as it goes: it must be
	// gone before the settings are saved and the store destroyed.
	ProtWin* records = ProtWin::Current();
	if (records != NULL && records->Lock())
		records->Quit();

	// A door must not stay unlocked: every relay the image shows open is
	// closed, whatever relay use holds now.
	// The program ends right after this window: the closes, and every
	// switch still under way, are waited for (wget gives up on a dead box
	// after a few seconds), else the door would stay open when the process
	// ends under its workers.
	bool closing[5] = {};
	for (int relay = 1; relay <= 4; relay++) {
		if (MWS_RSTATUS[relay] == 'o') {
			Own_Thread(relay, false, settings->mws_ip, 2);
			closing[relay] = true;
		}
	}
	bigtime_t deadline = system_time() + 5000000;
	for (int relay = 1; relay <= 4; relay++) {
		bigtime_t left = deadline - system_time();
		if (!RelayQueue::WaitIdle(relay, left > 0 ? left : 0)
			&& closing[relay])
			printf("%d | nicht geschlossen beim Beenden\n", relay);
	}

	settings->prefs_window_rect = Frame();
	settings->Save();
	settings->DeleteMe();
	settings = NULL;

	if (logoView != NULL)
		logoView->RemoveSelf();
	delete logoView;
	delete tileBitmap;
	delete logoBitmap;
	delete mCallBack;
}


bool
ZLMWindow::QuitRequested()
{
	be_app->PostMessage(B_QUIT_REQUESTED);
	return true;
}


void
ZLMWindow::AboutRequested()
{
}


void
ZLMWindow::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgTagRead:
			EventToList(message);
			_ShowInfo(message);
			break;
		case kMsgShowPerson:
		{
			const char* person;
			if (message->FindString("_xPerson", &person) == B_OK) {
				BAutolock lock(this);
				infoText = "Last: ";
				infoText << person;
				if (fPunchFailed)
					infoText << kNotSaved;
				fLastRfid->SetText(infoText.String());
				fLastRfid->Invalidate();
			}
			break;
		}
		case kMsgRowSelected:
			EditTagEntry(message, 0);
			break;
		case kMsgSaveRegister:
			EditTagEntry(message, 2);
			break;
		case kMsgPersonEdited:
			EditTagEntry(message, 4);
			break;
		case kMsgOpenRegister:
			EditTagEntry(message, 5);
			break;
		case kMsgRelayTimeUpCode:
		{
			// The close after an opening's time is asked for whatever relay
			// use holds by now, so the door never stays unlocked.
			int32 relay = 0;
			if (message->FindInt32("relais", &relay) != B_OK)
				relay = 0;
			if (!settings->mws_use)
				printf("mws ist aus\n");
			Own_Thread(relay, false, settings->mws_ip, 2);
			ManageInfoWin(message);
			break;
		}
		case kMsgRelayDeadCode:
		{
			bool off = false;
			settings->PutBool("mws_use", &off);
			settings->mws_use = false;
			settings->Save();
			printf("mws sollte aus sein...\n");
			ManageInfoWin(message);
			break;
		}
		case kMsgMore:
		case kMsgRelaySwitchedCode:
		case kMsgRecordsClosed:
		case kMsgOpenRecords:
		case kMsgDataProtocol:
			ManageInfoWin(message);
			break;
		case kMsgReloadPrefs:
			settings->LoadPrefs();
			break;
		case kMsgAbout:
			fInfo->MakeFocus(false);
			ShowAboutWindow();
			break;
		case kMsgFutter:
			AskForSingleRFIDTag();
			break;
		case B_SIMPLE_DATA:
			_DropLogo(message);
			break;
		case B_MOUSE_WHEEL_CHANGED:
			Wheel4Scrollbars(message);
			break;
		case B_UNMAPPED_KEY_DOWN:
			AddOptionalByWinKey(message);
			break;
		case '_KDN':
		case '_KYD':
		case '_KYU':
		case '_MCH':
		case '_MDN':
		case '_MMV':
		case '_MUP':
		case '_PBL':
		case '_UKU':
			break;
		default:
			printf("ZLMWindow::MessageReceived\n");
			message->PrintToStream();
			BWindow::MessageReceived(message);
	}
}


void
ZLMWindow::EventToList(BMessage* message)
{
	if (message == NULL) {
		printf("EventToList NULL\n");
		return;
	}
	BMessenger callMe;
	if (message->FindMessenger("_f2CallMe", &callMe) == B_OK) {
		if (mCallBack == NULL)
			mCallBack = new BMessenger();
		*mCallBack = callMe;
	}
	const char* target;
	if (message->FindString("_spTarget", &target) == B_OK) {
		message->PrintToStream();
		int32 counter;
		if (message->FindInt32("_spCounter", &counter) != B_OK)
			counter = 100;
		printf("**Event has '_spCounter' : %ld\n", (long)counter);
	}

	BAutolock lock(this);
	const char* tag;
	if (message->FindString("_tagstr", &tag) != B_OK) {
		printf(" Bad Message.. \n");
		return;
	}
	infoText = tag;
	bool startUp = message->HasString("_StartUp");
	fPunchFailed = false;

	auto found = fRowIndex.find(tag);
	bool matched = found != fRowIndex.end();
	// A start-up message for a tag that has a row already (a register
	// naming it twice) changes nothing.
	if (matched && !startUp) {
		int32 i = found->second;
		TerminView* row = fTagRows[i];
		const char* person = row->RealName();
		if (person[0] != '!' && person[0] != '-') {
			if (row->InHouseChanged() != B_OK)
				fPunchFailed = true;
			if (settings->mws_use) {
				if (row->InHouse()) {
					Own_Thread(settings->TagsUseDoor, true, settings->mws_ip,
						settings->OpenInSecs);
				} else
					Own_Thread(settings->TagsUseDoor, false, settings->mws_ip,
						2);
			}
		}
		_ScrollToSlot(i);
		if (strlen(person) > 1) {
			BMessage show(kMsgShowPerson);
			show.AddString("_xPerson", person);
			show.AddString("_tagstr", row->TagId());
			send_to_app(&show);
		}
	}

	if (!matched) {
		printf("  *Neuen Tag bekanntgeben ...\n");
		TerminView* row = new TerminView(fTagsView->Bounds(), "any", tag, 0,
			B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP, B_WILL_DRAW);
		fRowIndex[tag] = fTagRows.size();
		fTagRows.push_back(row);
		fTagsView->AddChild(row);
		if (startUp)
			row->InHouseChanged();
		FixupScrollbar();
		_ScrollToSlot(fTagRows.size() - 1);
	}
	_UpdateCounter();
}


void
ZLMWindow::_ShowInfo(BMessage* message)
{
	BAutolock lock(this);
	const char* tag;
	if (message->FindString("_tagstr", &tag) == B_OK) {
		infoText = "Last: ";
		infoText << tag;
	} else
		infoText = " -- ";
	const char* extra;
	if (message->FindString("_fMes", &extra) == B_OK)
		infoText << extra;
	const char* target;
	if (message->FindString("_spTarget", &target) == B_OK) {
		int32 counter;
		if (message->FindInt32("_spCounter", &counter) != B_OK)
			counter = 100;
		infoText << "  (num: " << counter << " )";
		fLastRfid->SetFont(be_bold_font);
	} else
		fLastRfid->SetFont(be_plain_font);
	if (fPunchFailed)
		infoText << kNotSaved;
	fLastRfid->SetText(infoText.String());
}


void
ZLMWindow::_UpdateCounter()
{
	char text[32];
	snprintf(text, sizeof(text), "in: %ld", (long)InHouseMenge);
	fHere->SetText(text);
	fHere->Invalidate();
}


void
ZLMWindow::_ScrollToSlot(int32 index)
{
	// The slot's top goes to the top as far as the rows reach: scrolled
	// past the last row, a short list would show one row and could not be
	// scrolled back, neither by the bar nor by the wheel.
	float min, max;
	fScrollBar->GetRange(&min, &max);
	float top = std::clamp(kSlot * index, min, max);
	fTagsView->ScrollTo(0, top);
	fScrollBar->SetValue(top);
}


void
ZLMWindow::SortTagsList()
{
	BAutolock lock(this);
	// A stable sort by case-insensitive person name: the order the
	// neighbour exchange gives, in n log n.
	std::stable_sort(fTagRows.begin(), fTagRows.end(),
		[](TerminView* a, TerminView* b) {
			return strcasecmp(a->RealName(), b->RealName()) < 0;
		});
	for (size_t i = 0; i < fTagRows.size(); i++)
		fRowIndex[fTagRows[i]->ReadTag()] = i;
}


void
ZLMWindow::AskForSingleRFIDTag()
{
	printf("AskForSingleRFIDTag()\n");
	if (mCallBack == NULL) {
		printf("* No mCallBack-Adress\n");
		return;
	}
	BMessage request(kMsgRequestTag);
	request.AddInt32("_NeedTagQuantitys", 3);
	request.AddString("_AppTarget", "ZLMWindow-Futter");
	mCallBack->SendMessage(&request);
}


void
ZLMWindow::ManageInfoWin(BMessage* message)
{
	if (message == NULL)
		return;
	switch (message->what) {
		case kMsgRelayDeadCode:
		case kMsgRelayTimeUpCode:
		case kMsgRelaySwitchedCode:
		case kMsgDataProtocol:
			ProtWin::HandOn(message);
			break;
		case kMsgMore:
		case kMsgOpenRecords:
			if (ProtWin::Current() == NULL) {
				BRect frame = Frame();
				ProtWin* records = ProtWin::getProtWin(BRect(frame.right + 9,
					frame.top, frame.right + 459, frame.bottom + 50));
				records->MoveTo(frame.left + 180, frame.top + 80);
			}
			break;
		case kMsgRecordsClosed:
			break;
		default:
			printf("ManageInfoWin::default\n");
	}
	BAutolock lock(this);
	fMore->SetEnabled(ProtWin::Current() == NULL);
}


void
ZLMWindow::EditTagEntry(BMessage* message, int mode)
{
	tagEditMsg->ReplaceString("_xTag", fSyn->Label());
	const char* tag;
	if (message->FindString("_fTag", &tag) != B_OK)
		tag = "";
	const char* person;
	if (message->FindString("_fPerson", &person) != B_OK)
		person = "";

	BAutolock lock(this);
	switch (mode) {
		case 0:
			fSyn->SetLabel(tag);
			fSyn->SetText(person);
			fSyn->SetDivider(fSyn->StringWidth(tag) + 12);
			tagEditMsg->ReplaceString("_xTag", tag);
			tagEditMsg->ReplaceString("_fTag", tag);
			break;
		case 4:
		{
			printf("TG_NORM ");
			message->PrintToStream();
			std::string name = TagRegister::CleanName(fSyn->Text());
			tagEditMsg->ReplaceString("_xPerson", name.c_str());
			const char* edited;
			if (message->FindString("_xTag", &edited) == B_OK) {
				for (int32 i = (int32)fTagRows.size() - 1; i >= 0; i--) {
					if (strcmp(fTagRows[i]->TagId(), edited) == 0) {
						fTagRows[i]->SetRealName(name.c_str());
						break;
					}
				}
			}
			fSyn->MakeFocus(false);
			break;
		}
		case 2:
		{
			SortTagsList();
			std::string text;
			for (TerminView* row : fTagRows) {
				text += row->TagId();
				text += "\t\t";
				text += strlen(row->RealName()) < 2 ? "-" : row->RealName();
				text += "\t\n";
			}
			// Replaced whole, keeping the file's type and mode.
			std::string path = TerminView::emplPath + "/" + kRegisterName;
			status_t status = BPrivate::replace_file_atomically(path.c_str(),
				text.data(), text.size());
			if (status != B_OK)
				printf("Save '%s' failed: %s\n", path.c_str(),
					strerror(-status));
			fTagsView->Invalidate();
			break;
		}
		case 5:
		{
			std::string path = TerminView::emplPath + "/" + kRegisterName;
			_OpenWithFileManager(path.c_str());
			break;
		}
	}
}


bool
ZLMWindow::_OpenWithFileManager(const char* path)
{
	printf("xdg-open '%s' &\n", path);
	const char* argv[] = { "xdg-open", path, NULL };
	return BPrivate::start_program(argv, false, NULL) == B_OK;
}


void
ZLMWindow::FrameMoved(BPoint where)
{
	WIN_X = where.x;
	WIN_Y = where.y;
	if (settings != NULL)
		settings->prefs_window_rect = Frame();
	ProtWin* records = ProtWin::Current();
	if (records != NULL)
		records->MoveTo(Frame().left + 180, Frame().top + 80);
}


void
ZLMWindow::FrameResized(float, float)
{
	fBackground->Invalidate();
	fLastRfid->Invalidate();
	fHere->Invalidate();
	BAutolock lock(this);
	fTagsView->Invalidate();
	FixupScrollbar();
	ProtWin* records = ProtWin::Current();
	if (records != NULL) {
		BRect frame = Frame();
		records->MoveTo(frame.left + 180, frame.top + 80);
		records->ResizeTo(records->Bounds().Width(), frame.Height() + 50);
	}
}


void
ZLMWindow::FixupScrollbar()
{
	float visible = fTagsView->Bounds().Height();
	float content = kSlot * fTagRows.size() - 2;
	fScrollBar->SetProportion(visible / content);
	fScrollBar->SetRange(0, std::max(content - visible, 0.0f));
	fScrollBar->SetSteps(visible / 8, visible / 2);
}


void
ZLMWindow::Wheel4Scrollbars(BMessage* message)
{
	float delta;
	if (message->FindFloat("be:wheel_delta_y", &delta) != B_OK)
		delta = 0;
	float min, max;
	fScrollBar->GetRange(&min, &max);
	float value = fScrollBar->Value();
	if (delta == 0 || (value <= min && delta < 0)
		|| (value >= max && delta > 0))
		return;
	fTagsView->ScrollTo(0, value + 80 * delta);
	fScrollBar->SetValue(value + 80 * delta);
	fScrollBar->Invalidate();
}


void
ZLMWindow::AddOptionalByWinKey(BMessage* message)
{
	int32 modifiers = 0, key = 0;
	message->FindInt32("modifiers", &modifiers);
	message->FindInt32("key", &key);
	if (key == 102 || key == 103) {
		BView* views[] = { fSyn, fSave, fOpen };
		for (BView* view : views) {
			if (view->IsHidden())
				view->Show();
			else
				view->Hide();
		}
	} else {
		printf("use Left-Win-Key ");
		printf("KState: %ld KKey %ld \n", (long)modifiers, (long)key);
	}
	fInfo->MakeFocus(false);
}


void
ZLMWindow::ManageLogo(const char* path, float* width)
{
	if (width != NULL)
		*width = 60;
	BNode node(path);
	if (node.InitCheck() != B_OK) {
		printf("ManageLogo BAD '%s'\n", path);
		return;
	}
	char type[B_MIME_TYPE_LENGTH] = "";
	BNodeInfo(&node).GetType(type);
	if (strstr(type, "image") == NULL) {
		printf(": not %s  %s\n", "image", type);
		return;
	}
	if (logoView != NULL) {
		logoView->RemoveSelf();
		delete logoView;
		logoView = NULL;
	}
	delete logoBitmap;
	logoBitmap = GetImage(path);
	if (logoBitmap != NULL) {
		BRect bounds = logoBitmap->Bounds();
		float top = fBackground->Bounds().Height() - (bounds.Height() + 5);
		logoView = new BView(bounds.OffsetToCopy(2, top), "logo",
			B_FOLLOW_LEFT | B_FOLLOW_BOTTOM, B_WILL_DRAW);
		fBackground->AddChild(logoView);
		logoView->SetViewBitmap(logoBitmap);
		if (width != NULL)
			*width = std::clamp(bounds.Width() + 8, 60.0f, 120.0f);
	} else
		printf("Logo NULL..\n");
	if (logoBitmap == NULL) {
		printf("Restore: \n");
		BPath folder;
		appPath.GetParent(&folder);
		folder.Append("lomalogo.png");
		settings->SetLogoLoma(folder.Path());
		printf("fPath %s \n", appPath.Path());
	}
	const char* leaf = strrchr(path, '/');
	printf("ManageLogo end '%s'\n", leaf != NULL ? leaf + 1 : path);
}


void
ZLMWindow::_DropLogo(BMessage* message)
{
	entry_ref ref;
	if (message->FindRef("refs", &ref) != B_OK)
		return;
	BPath path(&ref);
	BNode node(&ref);
	char type[B_MIME_TYPE_LENGTH] = "";
	if (node.InitCheck() != B_OK || BNodeInfo(&node).GetType(type) != B_OK
		|| strstr(type, "image") == NULL)
		return;
	// Saved at once: a settings reload would otherwise bring back the old
	// logo.
	settings->SetLogoLoma(path.Path());
	settings->PutStr("logo_loma", settings->logo_loma);
	ManageLogo(path.Path(), NULL);
	fBackground->Invalidate();
}
