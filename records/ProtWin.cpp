// ProtWin: the records window, its tabs, info line, pages and messages.
#include "ProtWin.h"

#include <Alert.h>
#include <Application.h>
#include <Autolock.h>
#include <Box.h>
#include <Font.h>
#include <Labels.h>
#include <Message.h>
#include <OutlineListView.h>
#include <Messenger.h>
#include <Path.h>
#include <Process.h>
#include <StringView.h>
#include <TextView.h>

#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <Auswertung.h>
#include <BuchungsDatei.h>
#include <BuchungsListe.h>
#include <Prefs.h>
#include <STimeModels.h>
#include <AnyAlert.h>
#include <eRadioButton.h>

#include "BuchView.h"
#include "ModlView.h"
#include "PTextView.h"
#include "SettView.h"

// Pages.
static const uint32 kMsgPageProtocol = 'pPrt';
static const uint32 kMsgPageModels = 'pMdl';
static const uint32 kMsgPageSettings = 'pSet';
static const uint32 kMsgPageBookings = 'pBuc';
// Requests.
static const uint32 kMsgDataProtocol = 'pUpd';
static const uint32 kMsgModelIntoTagFile = 'pM2T';
static const uint32 kMsgSaveBookings = 'smol';
static const uint32 kMsgTimeResult = 'Qmod';
static const uint32 kMsgModelTreeRow = 'OL_x';
static const uint32 kMsgOpenBookingFile = 'sOTF';
static const uint32 kMsgOpenProfileFile = 'sOTP';
static const uint32 kMsgOpenRegister = 'zLMo';
// To the application when the window goes.
static const uint32 kMsgRecordsClosed = 'pCls';

static const char* const kNoBookingFile = "empty";
static const char* const kNoBookingHeading = "Empty";
static const char* const kProfileFileName = "_Time_Profiles_";
static const char* const kRegisterFileName = "TagsWithEmployee";

const rgb_color backcolor = { 232, 232, 232, 255 };

ProtWin* ProtWin::mn_Zgr = NULL;
uint32 ProtWin::sLastHanded = 0;


ProtWin::ProtWin(BRect frame)
	:
	BWindow(frame, getLabel(21), B_FLOATING_WINDOW,
		B_NOT_RESIZABLE | B_NOT_ZOOMABLE),
	fModels(STimeModels::getTimeModels()),
	fBookingPath(kNoBookingFile),
	fTagText(getLabel(27)),
	fPersonName(getLabel(27)),
	fList(new BuchungsListe()),
	fModlView(NULL),
	fSettView(NULL),
	fBuchView(NULL)
{
	// The register knows where the employee folder is; the register file
	// of the tags lies beside the time profiles.
	fProfilePath = fModels->fPath.Path();
	BPath folder;
	if (fModels->fPath.GetParent(&folder) == B_OK)
		fRegisterPath.SetToFormat("%s/%s", folder.Path(), kRegisterFileName);
	else
		fRegisterPath = kRegisterFileName;
	printf("%s\n", fProfilePath.String());

	BRect bounds = Bounds();
	fTopView = new BView(bounds, "bview", B_FOLLOW_ALL, B_WILL_DRAW);
	fTopView->SetViewColor(backcolor);
	fTopView->SetFontSize(11);
	AddChild(fTopView);

	// The tabs, each as wide as its label and 18 more, left to right.
	struct {
		const char* label;
		uint32 what;
		const char* name;
		eRadioButton** button;
	} tabs[] = {
		{ getLabel(22), kMsgPageProtocol, "oProt", &fProtButton },
		{ getLabel(23), kMsgPageModels, "oProt", &fModlButton },
		{ getLabel(24), kMsgPageSettings, "oProt", &fSettButton },
		{ "fBu", kMsgPageBookings, "oBuch", &fBuchButton }
	};
	float left = 14;
	for (auto& tab : tabs) {
		BFont font;
		fTopView->GetFont(&font);
		float width = font.StringWidth(tab.label) + 18;
		*tab.button = new eRadioButton(BRect(left, 2, left + width, 21),
			tab.name, tab.label, new BMessage(tab.what));
		fTopView->AddChild(*tab.button);
		left += width + 3;
	}
	fProtButton->SetValue(B_CONTROL_ON);

	fInfoView = new BStringView(BRect(left + 2, 2, bounds.right - 6, 21),
		"infview", getLabel(22), B_FOLLOW_LEFT_RIGHT | B_FOLLOW_TOP);
	fInfoView->SetAlignment(B_ALIGN_RIGHT);
	fInfoView->SetFont(be_bold_font);
	fInfoView->SetFontSize(11);
	fTopView->AddChild(fInfoView);

	fProtView = new PTextView(BRect(8, 22, bounds.right - 8,
		bounds.bottom - 4), "ProtView", fProtButton);
	fTopView->AddChild(fProtView);

	// The other pages share the page area and wait hidden for their tab.
	_ComputePageArea();
	char* path = strdup(fBookingPath.String());
	fModlView = new ModlView(fPageArea, "ModlView", path, fModlButton);
	free(path);
	fSettView = new SettView(fPageArea, "SettView", NULL);
	fSettView->SetTabButton(fSettButton);
	fBuchView = new BuchView(fPageArea, "BuchView", fBuchButton);
	BView* pages[] = { fModlView, fSettView, fBuchView };
	for (BView* page : pages) {
		fTopView->AddChild(page);
		page->Hide();
	}

	Show();
	BAutolock lock(this);
	BMessage models(kMsgPageModels);
	SelectFromMenu(&models);
}


ProtWin::~ProtWin()
{
	// From here on nothing is handed to this window any more.
	if (mn_Zgr == this)
		mn_Zgr = NULL;

	// The pages go first: they show the list and use the register.
	fTopView->RemoveSelf();
	delete fTopView;

	STimeModels* models = fModels;
	fModels = NULL;
	if (models != NULL)
		models->DeleteMe();

	printf("Liste mit %ld Buchungen loeschen\n", (long)fList->CountItems());
	fList->MakeEmpty();
	printf("\n");
	delete fList;

	BMessenger(be_app).SendMessage(kMsgRecordsClosed);
}


ProtWin*
ProtWin::getProtWin(BRect frame)
{
	if (mn_Zgr == NULL)
		mn_Zgr = new ProtWin(frame);
	return mn_Zgr;
}


ProtWin*
ProtWin::Current()
{
	return mn_Zgr;
}


bool
ProtWin::HandOn(BMessage* message)
{
	ProtWin* window = mn_Zgr;
	if (window == NULL || message == NULL)
		return false;
	BAutolock lock(window);
	if (!lock.IsLocked() || mn_Zgr != window)
		return false;
	sLastHanded = message->what;
	window->MessageReceived(message);
	return true;
}


void
ProtWin::DeleteMe()
{
	printf("DESTROY-ProtWin::DeleteMe \n");
	BMessenger(be_app).SendMessage(kMsgRecordsClosed);
	if (Lock())
		Quit();
}


void
ProtWin::Draw(BRect)
{
	BAutolock lock(this);
	_ComputePageArea();
	fTopView->SetHighColor(10, 10, 10);
	fInfoView->Invalidate();
	BView* pages[] = { fProtView, fModlView, fSettView, fBuchView };
	for (BView* page : pages) {
		if (page != NULL && !page->IsHidden())
			page->Invalidate();
	}
}


bool
ProtWin::IsBookingPath(const char* path)
{
	if (path == NULL || path[0] != '/')
		return false;
	size_t length = strlen(path);
	return path[length - 1] != '/';
}


int32
ProtWin::PayDay(const char* fieldText, int32 stored)
{
	// Decimal digits after optional blanks; text that is no number is 0.
	long day = 0;
	if (fieldText != NULL) {
		while (isspace((unsigned char)*fieldText))
			fieldText++;
		for (int digits = 0; isdigit((unsigned char)*fieldText)
				&& digits < 4; fieldText++, digits++)
			day = day * 10 + (*fieldText - '0');
	}
	if (day >= 1 && day <= 28)
		return (int32)day;
	return stored;
}


const char*
ProtWin::BookingPath() const
{
	return HasBookingPath() ? fBookingPath.String() : kNoBookingFile;
}


// #pragma mark - pages


void
ProtWin::_ComputePageArea()
{
	fPageArea = Bounds();
	fPageArea.InsetBy(8, 4);
	fPageArea.top += 18;
}


void
ProtWin::_HidePages()
{
	BView* pages[] = { fProtView, fModlView, fSettView, fBuchView };
	for (BView* page : pages) {
		if (page != NULL && !page->IsHidden())
			page->Hide();
	}
}


void
ProtWin::FrameMoved(BPoint)
{
	_ComputePageArea();
}


void
ProtWin::SelectFromMenu(BMessage* message)
{
	if (message == NULL)
		return;
	BAutolock lock(this);
	_HidePages();

	BView* focus = NULL;
	switch (message->what) {
		case kMsgPageBookings:
			printf("case PWIN_OBUCH: \n");
			fBuchButton->SetValue(B_CONTROL_ON);
			fBuchView->Show();
			fBuchView->ReadEntryFile();
			fBuchView->Invalidate();
			focus = fBuchView;
			break;
		case kMsgPageModels:
			printf("case PWIN_OMODL: \n");
			fModlButton->SetValue(B_CONTROL_ON);
			fModlButton->Invalidate();
			fModlView->Show();
			fModlView->Invalidate();
			fModlView->Tree()->Invalidate();
			focus = fModlView;
			break;
		case kMsgPageSettings:
			printf("case PWIN_OSETT: \n");
			fSettButton->SetValue(B_CONTROL_ON);
			fSettButton->Invalidate();
			fSettView->Show();
			fSettView->Invalidate();
			focus = fSettView;
			break;
		default:
		{
			printf("case PWIN_OPROT: \n");
			fProtView->Show();
			fProtButton->SetValue(B_CONTROL_ON);
			fProtButton->Invalidate();
			fProtView->Invalidate();
			fProtView->MakeFocus(true);
			// The page is rebuilt for the employee already chosen.
			BMessage request(kMsgDataProtocol);
			request.AddString("_tpath", BookingPath());
			ShowDataProtocol(&request);
			return;
		}
	}
	if (focus != NULL)
		focus->MakeFocus(true);
}


void
ProtWin::_PassToShownPages(BMessage* message)
{
	BView* pages[] = { fBuchView, fProtView, fSettView, fModlView };
	for (BView* page : pages) {
		if (page != NULL && !page->IsHidden())
			page->MessageReceived(message);
	}
}


// #pragma mark - the employee shown


void
ProtWin::ShowDataProtocol(BMessage* message)
{
	printf("ProtWin::ShowDataProtocol\n");
	if (message == NULL) {
		printf("ProtWin::ShowDataProtocol NULL\n");
		return;
	}
	const char* path;
	if (message->FindString("_tpath", &path) != B_OK)
		path = "";
	BString newPath(path);
	printf("_tpath : %s \n", newPath.String());

	const char* tag;
	if (message->FindString("_TagId", &tag) == B_OK) {
		fTagText = tag;
		const char* person;
		if (message->FindString("_RealN", &person) == B_OK)
			fPersonName = person;
		if (fPersonName.Length() <= 2)
			fPersonName = fTagText;
	}

	bool valid = IsBookingPath(newPath.String());
	if (valid) {
		printf(">> ep.Path: %s \n", newPath.String());
		fBookingPath = newPath;
	}

	BAutolock lock(this);
	printf(">> %s >> %s\n", fTagText.String(), fPersonName.String());
	fInfoView->SetText(fPersonName.String());
	fBuchView->Invalidate();

	_HidePages();
	if (fProtView->IsHidden())
		fProtView->Show();
	fProtButton->SetValue(B_CONTROL_ON);
	fProtButton->Invalidate();
	fProtView->Invalidate();

	// A picker left open on the booking page belongs to the rows that
	// are about to go: nothing it returns may edit the new list.
	fBuchView->CancelEdit();
	fModels->fWeekModel = NULL;
	// A request without a usable path leaves the window without one.
	fBookingPath = valid ? newPath : BString(kNoBookingFile);
	// The page is headed by the file its rows come from; without one, by
	// its own word for none.
	fBuchView->SetFilePath(valid ? fBookingPath.String()
		: kNoBookingHeading);
	ReadBuchungsListe();
	Auswertung_B();
}


void
ProtWin::ReadBuchungsListe()
{
	if (HasBookingPath())
		fList->Read(fBookingPath.String());
	else {
		// "empty" is no file: reading it would take whatever a file of
		// that name in the working folder holds.
		printf("Liste hat %ld Buchungen\n", (long)fList->CountItems());
		fList->MakeEmpty();
		printf("\n");
		printf(" no file..\n");
	}

	BAutolock lock(this);
	fBuchView->SetBuchungsListe(fList);
}


status_t
ProtWin::WriteBuchungsListe()
{
	status_t status;
	if (HasBookingPath())
		status = fList->Write(fBookingPath.String());
	else {
		// Writing would make a file named "empty" in the working folder.
		printf("-- '%s'\n", kNoBookingFile);
		printf("..can't write '%s'\n", kNoBookingFile);
		status = B_ENTRY_NOT_FOUND;
	}

	BAutolock lock(this);
	fBuchView->HideSaveButton();
	fBuchView->Invalidate();
	fBuchView->SetBuchungsListe(fList);
	return status;
}


status_t
ProtWin::ModelIntoTagFile()
{
	const char* name = fModels->fWeekModel != NULL
		? fModels->fWeekModel->fName.String() : NULL;
	if (name != NULL && !HasBookingPath()) {
		printf(">> WM for %s\n", kNoBookingFile);
		printf("..can't append '%s'\n", kNoBookingFile);
		return B_ENTRY_NOT_FOUND;
	}
	return BuchungsDatei::ModelIntoTagFile(fBookingPath.String(), name);
}


void
ProtWin::Auswertung_A()
{
}


void
ProtWin::_ReadSettings(int32* payDay, bool* account)
{
	// The page's fields, but never a payday outside 1 to 28 that an edit
	// in progress left there.
	Prefs* prefs = Prefs::getSTPrefs();
	*payDay = PayDay(fSettView->PaydayText(), prefs->Payday);
	*account = fSettView->TimeAccount();
}


void
ProtWin::Auswertung_B()
{
	int32 payDay;
	bool account;
	_ReadSettings(&payDay, &account);
	BString text = ::Auswertung_B(*fList, fModels, payDay, account);

	BAutolock lock(this);
	BTextView* view = fProtView->TextView();
	view->SetText(text.String());
	view->GoToLine(view->CountLines() - 1);
	view->ScrollToSelection();
	fModlView->CheckWeekPtr();
}


// #pragma mark - messages


bool
ProtWin::_OpenWithFileManager(const char* path)
{
	BString command;
	command.SetToFormat("xdg-open '%s'", path);
	printf("\n [open]%s \n", command.String());
	const char* argv[] = { "xdg-open", path, NULL };
	status_t status = BPrivate::start_program(argv, false, NULL);
	if (status != B_OK)
		printf("..can't start xdg-open: %s\n", strerror(-status));
	return status == B_OK;
}


void
ProtWin::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgPageProtocol:
		case kMsgPageModels:
		case kMsgPageSettings:
		case kMsgPageBookings:
			SelectFromMenu(message);
			break;

		case kMsgDataProtocol:
			ShowDataProtocol(message);
			break;
		case kMsgModelIntoTagFile:
			ModelIntoTagFile();
			break;
		case kMsgSaveBookings:
			if (WriteBuchungsListe() != B_OK) {
				// A save that did not happen must not look like one.
				BString text;
				text.SetToFormat("..can't write '%s'", BookingPath());
				MakeAnyAlert(text.String())->Go(NULL);
			}
			break;
		case kMsgTimeResult:
			fBuchView->MessageReceived(message);
			break;

		case kMsgModelTreeRow:
			printf("Prot ");
			fModlView->MessageReceived(message);
			break;
		case 'B---': case 'BNEW': case 'BNam': case 'BSel': case 'BTrm':
		case 'D---': case 'DNEW': case 'DNam': case 'DSel': case 'DaBT':
		case 'W---': case 'WNEW': case 'WNam': case 'WSel':
		case 'tAin': case 'tBin':
			fModlView->MessageReceived(message);
			break;

		// Relay reports and the settings' own controls, only while the
		// settings page is shown.
		case 'mw_1': case 'mw_2': case 'mw_3': case 'mw_4': case 'mw_c':
		case 'mw_i': case 'mw_k': case 'mw_o': case 'mw_s': case 'mw_u':
		case 'mwca': case 'pUta': case 'ppay':
			if (!fSettView->IsHidden())
				fSettView->MessageReceived(message);
			break;

		case B_KEY_DOWN:
		case B_KEY_UP:
		case B_MOUSE_WHEEL_CHANGED:
		case B_UNMAPPED_KEY_DOWN:
		case B_UNMAPPED_KEY_UP:
			_PassToShownPages(message);
			break;

		case 'TICK':
		case '_MCH':
		case '_MDM':
		case '_MMV':
		case '_MUP':
		case '_PBL':
			break;

		case kMsgOpenBookingFile:
			if (HasBookingPath())
				_OpenWithFileManager(fBookingPath.String());
			else
				printf("..no booking file to open\n");
			break;
		case kMsgOpenProfileFile:
			_OpenWithFileManager(fProfilePath.String());
			break;
		case kMsgOpenRegister:
			_OpenWithFileManager(fRegisterPath.String());
			break;

		// Scripting (hey and the tests) is the window's own business.
		case B_GET_PROPERTY:
		case B_SET_PROPERTY:
		case B_CREATE_PROPERTY:
		case B_DELETE_PROPERTY:
		case B_COUNT_PROPERTIES:
		case B_EXECUTE_PROPERTY:
		case B_GET_SUPPORTED_SUITES:
			BWindow::MessageReceived(message);
			break;

		default:
			printf("ProtWin ? \n");
			message->PrintToStream();
			break;
	}
}
