#include "TerminView.h"

#include <Application.h>
#include <Entry.h>
#include <Font.h>
#include <InterfaceDefs.h>
#include <Message.h>
#include <Messenger.h>
#include <Node.h>
#include <NodeInfo.h>
#include <Path.h>
#include <Roster.h>
#include <Window.h>

#include <BuchungsDatei.h>

#include <stdio.h>
#include <string.h>
#include <time.h>

#include "Globals.h"
#include "PresenceMessages.h"
#include "TagRegister.h"

int32 TerminView::vCounter = 0;
bool TerminView::emplSet = false;
std::string TerminView::emplPath;
BMessage* TerminView::TsynMSG = new BMessage(kMsgRowSelected);

static const float kSlot = 21;


static void
send_to_app(BMessage* message)
{
	BMessenger(be_app).SendMessage(message);
}


TerminView::TerminView(BRect reference, const char* name, const char* tag,
	long, uint32 resizingMode, uint32 flags)
	:
	BView(BRect(0, 0, 2, 2), name, resizingMode, flags),
	lastIn(0),
	lastOut(0),
	inHouse(true),
	dropHover(false),
	personSet(false),
	tagState(TAG_EER),
	fReadTag(tag != NULL ? tag : "")
{
	if (!emplSet)
		SetEmplPath();
	ResizeTo((reference.right - 2) - reference.left, 19);
	MoveTo(1, kSlot * vCounter);
	vCounter++;
	SetHighColor(10, 10, 250);

	// A tag that could name a file outside the folder, one of the folder's
	// own files, or break a register line books under "none".
	tagId = TagRegister::IsUsableTag(tag) ? tag : "none";
	realName = "-";
	AskEmployee(0);
	tagState = TAG_EER;
}


TerminView::~TerminView()
{
	vCounter--;
}


bool
TerminView::SetEmplPath()
{
	app_info info;
	if (be_app == NULL || be_app->GetAppInfo(&info) != B_OK)
		return false;
	BPath path(&info.ref);
	if (path.InitCheck() != B_OK || path.GetParent(&path) != B_OK)
		return false;
	path.Append("Employee");
	emplPath = path.Path();
	emplSet = true;
	return true;
}


std::string
TerminView::BookingPath() const
{
	return emplPath + "/" + tagId;
}


void
TerminView::AskEmployee(int mode)
{
	if (mode != 0) {
		AskRegister(mode);
		return;
	}
	if (!emplSet && !SetEmplPath())
		return;
	std::string path = emplPath + "/" + kRegisterName;
	const RegisterData* data = TagRegister::Load(path.c_str());
	if (data == NULL) {
		// The register exists afterwards, empty when new.
		FILE* file = fopen(path.c_str(), "ae");
		if (file != NULL)
			fclose(file);
		data = TagRegister::Load(path.c_str());
	}
	if (data == NULL)
		return;
	auto found = data->persons.find(tagId);
	if (found != data->persons.end()) {
		realName = found->second;
		personSet = true;
	}
}


void
TerminView::AskRegister(int mode)
{
	if (!emplSet && !SetEmplPath())
		return;
	std::string path = emplPath + "/" + kRegisterName;
	FILE* file = fopen(path.c_str(), "ae");
	if (file != NULL)
		fclose(file);

	if (mode == 4) {
		const RegisterData* data = TagRegister::Load(path.c_str());
		if (data == NULL)
			return;
		for (const std::string& tag : data->startupTags) {
			BMessage message(kMsgTagRead);
			message.AddString("_tagstr", tag.c_str());
			message.AddString("_StartUp", "jo");
			send_to_app(&message);
		}
	} else if (mode == 5) {
		BNode node(path.c_str());
		BNodeInfo info(&node);
		if (node.InitCheck() == B_OK)
			info.SetType("text/plain");
	}
}


status_t
TerminView::InHouseChanged()
{
	inHouse = !inHouse;
	int32 old = tagState;
	tagState++;
	if (old == TAG_OUT)
		tagState = TAG__IN;
	if (tagState > 3)
		tagState = TAG_INI;

	status_t status = B_OK;
	if (tagState == TAG__IN) {
		status = IntoData('I');
		InHouseMenge++;
		lastIn = time(NULL);
		lastOut = 0;
	} else if (tagState == TAG_OUT) {
		status = IntoData('O');
		InHouseMenge--;
		lastOut = time(NULL);
		lastIn = 0;
	}
	Invalidate();
	return status;
}


status_t
TerminView::IntoData(char kind)
{
	if (!emplSet && !SetEmplPath())
		return B_NO_INIT;
	std::string path = BookingPath();
	status_t status = BuchungsDatei::AppendPunch(path.c_str(), kind,
		time(NULL));
	if (status != B_OK) {
		printf("IntoData: '%c' not saved in '%s' (error %ld)\n", kind,
			path.c_str(), (long)status);
	}
	return status;
}


void
TerminView::SubmitDataProtocol()
{
	printf("  TerminView::SubmitDataProtocol() \n");
	if (!emplSet)
		SetEmplPath();
	BMessage message(kMsgDataProtocol);
	message.AddString("_tpath", BookingPath().c_str());
	message.AddString("_TagId", tagId.c_str());
	message.AddString("_RealN", realName.c_str());
	send_to_app(&message);
}


void
TerminView::SetRealName(const char* name)
{
	realName = TagRegister::CleanName(name);
	Invalidate();
}


void
TerminView::SetEmployee(BMessage* message)
{
	entry_ref ref;
	if (message == NULL || message->FindRef("refs", &ref) != B_OK)
		return;
	BNode node(&ref);
	BNodeInfo info(&node);
	char type[B_MIME_TYPE_LENGTH] = "";
	if (node.InitCheck() != B_OK || info.GetType(type) != B_OK
		|| strstr(type, "person") == NULL)
		return;

	// The person is the file's leaf name without the vCard ending.
	std::string name = ref.name != NULL ? ref.name : "";
	size_t length = name.size();
	if (length > 4 && strcasecmp(name.c_str() + length - 4, ".vcf") == 0)
		name.resize(length - 4);
	realName = TagRegister::CleanName(name.c_str());
	personSet = true;
	Invalidate();

	BPoint where;
	uint32 buttons = 0;
	GetMouse(&where, &buttons, false);
	if (buttons != 0)
		MouseDown(where);
}


void
TerminView::AttachedToWindow()
{
	SetViewColor(240, 240, 235);
	SetLowColor(ViewColor());
	SetHighColor(10, 10, 250);
}


void
TerminView::Draw(BRect)
{
	BRect bounds = Bounds();
	if (Parent() != NULL)
		SetHighColor(Parent()->ViewColor());
	StrokeRect(bounds);
	SetHighColor(ViewColor());
	FillRoundRect(bounds, 4.5, 4.5);
	SetHighColor(tint_color(ViewColor(), B_DARKEN_2_TINT));
	StrokeRoundRect(bounds, 4.5, 4.5);

	SetHighColor(255, 255, 255);
	SetLowColor(255, 255, 255);
	SetHighColor(10, 10, 10);
	BFont font(be_bold_font);
	font.SetSize(11);
	SetFont(&font);

	bool marked = realName[0] == '!' || realName[0] == '-';
	if (marked)
		SetHighColor(180, 80, 80);
	DrawString(realName.size() < 3 ? tagId.c_str() : realName.c_str(),
		BPoint(15, 13));

	SetHighColor(10, 10, 10);
	font = *be_plain_font;
	font.SetSize(9);
	SetFont(&font);
	char clock[16];
	if (lastIn != 0) {
		struct tm local;
		time_t when = lastIn;
		strftime(clock, sizeof(clock), "%H:%M ", localtime_r(&when, &local));
		SetHighColor(35, 135, 35);
		DrawString(clock, BPoint(bounds.right - 57, 14));
	}
	if (lastOut != 0) {
		struct tm local;
		time_t when = lastOut;
		strftime(clock, sizeof(clock), "%H:%M ", localtime_r(&when, &local));
		SetHighColor(235, 35, 45);
		DrawString(clock, BPoint(bounds.right - 57, 14));
	}

	SetHighColor(10, 10, 10);
	BRect light(bounds.right - 21, 3, bounds.right - 9, 15);
	StrokeRoundRect(light, 6, 6);
	light.InsetBy(2, 2);
	if (inHouse) {
		if (marked)
			SetHighColor(180, 80, 80);
		else
			SetHighColor(35, 35, 245);
	} else
		SetHighColor(250, 250, 245);
	FillRoundRect(light, 6, 6);
}


void
TerminView::MouseDown(BPoint where)
{
	uint32 buttons = 0;
	BMessage* current = Window() != NULL ? Window()->CurrentMessage() : NULL;
	if (current == NULL || current->FindInt32("buttons", (int32*)&buttons)
			!= B_OK)
		GetMouse(&where, &buttons, true);

	if ((buttons & B_PRIMARY_MOUSE_BUTTON) != 0) {
		const char* fields[][2] = { { "_fTag", tagId.c_str() },
			{ "_xTag", tagId.c_str() }, { "_fPerson", realName.c_str() } };
		for (auto& field : fields) {
			if (TsynMSG->ReplaceString(field[0], field[1]) != B_OK)
				TsynMSG->AddString(field[0], field[1]);
		}
		send_to_app(TsynMSG);
		SubmitDataProtocol();
	}
	if ((buttons & B_SECONDARY_MOUSE_BUTTON) != 0) {
		BMessage open(kMsgOpenRecords);
		send_to_app(&open);
		SubmitDataProtocol();
	}
}


void
TerminView::MouseMoved(BPoint, uint32 transit, const BMessage* dragMessage)
{
	if (transit == B_EXITED_VIEW) {
		Invalidate();
		dropHover = false;
	} else if (transit == B_INSIDE_VIEW && dragMessage != NULL
		&& dragMessage->what == B_SIMPLE_DATA && !dropHover) {
		SetDrawingMode(B_OP_BLEND);
		SetHighColor(250, 250, 100, 20);
		BRect inner = Bounds();
		inner.InsetBy(2, 2);
		FillRoundRect(inner, 4.5, 4.5);
		SetHighColor(50, 50, 10, 20);
		StrokeRoundRect(Bounds(), 4.5, 4.5);
		dropHover = true;
		SetDrawingMode(B_OP_OVER);
	}
}


void
TerminView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_SIMPLE_DATA:
			printf("%s\n", tagId.c_str());
			SetEmployee(message);
			break;
		case B_MOUSE_WHEEL_CHANGED:
			break;
		default:
			BView::MessageReceived(message);
	}
}


// #pragma mark - TTagsView


TTagsView::TTagsView(BRect frame, const char* name)
	:
	BView(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW)
{
	BFont font(be_plain_font);
	font.SetSize(10);
	SetFont(&font);
	SetViewColor(250, 250, 245, 10);
}


TTagsView::~TTagsView()
{
}


void
TTagsView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_SIMPLE_DATA:
		case B_MOUSE_WHEEL_CHANGED:
			break;
		default:
			printf("TTagsView::MessageReceived\n");
			BView::MessageReceived(message);
	}
}


void
TTagsView::Draw(BRect)
{
	SetHighColor(ViewColor());
	FillRect(Bounds());
	SetHighColor(tint_color(ViewColor(), B_DARKEN_4_TINT));
}


void
TTagsView::MouseDown(BPoint where)
{
	where.PrintToStream();
}
