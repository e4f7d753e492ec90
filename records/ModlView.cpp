// ModlView: the model tree, the three model pop-ups and the fields that
// create models.
#include "ModlView.h"

#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include <Alert.h>
#include <Button.h>
#include <Font.h>
#include <Labels.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <OutlineListView.h>
#include <PopUpMenu.h>
#include <RadioButton.h>
#include <ScrollBar.h>
#include <ScrollView.h>
#include <TextControl.h>
#include <Window.h>

#include <AnyAlert.h>
#include <CheckInTime.h>
#include <EStringItem.h>
#include <STimeModels.h>
#include <eRadioButton.h>

#include "ModelNames.h"
#include "PageCodes.h"

// The row template's fields.
static const char* const kRowType = "_type";
static const char* const kRowIndex = "_index";
static const char* const kRowBreak = "_idx_B";
static const char* const kRowName = "_idname";

// The menus' fixed items before the models: the empty choice, "New
// Profile" and a separator.
static const int32 kFirstModelItem = 3;

static const rgb_color kTreeColor = { 250, 249, 245, 255 };
static const float kTreeWidth = 180;


static float
widest_label(BView* view, std::initializer_list<int> labels)
{
	float widest = 0;
	for (int label : labels) {
		float width = view->StringWidth(getLabel(label));
		if (width > widest)
			widest = width;
	}
	return widest;
}


// Hides or shows a view once, whatever it was before.
static void
set_shown(BView* view, bool shown)
{
	if (shown && view->IsHidden(view))
		view->Show();
	else if (!shown && !view->IsHidden(view))
		view->Hide();
}


ModlView::ModlView(BRect frame, const char* name, char* path,
	BRadioButton* tab)
	:
	BBox(frame, name, B_FOLLOW_ALL_SIDES, B_WILL_DRAW | B_FRAME_EVENTS
		| B_NAVIGABLE_JUMP),
	fTabButton(tab),
	fModels(STimeModels::getTimeModels()),
	fCurBreak(NULL),
	fCurDay(NULL),
	fCurWeek(NULL),
	fDayIndex(-1),
	fBreakIndex(-1),
	fPath(path != NULL ? path : "")
{
	SetViewColor(216, 216, 216);
	SetFontSize(11);

	// Left column: the tree in a scroll view, wide enough for a weekday
	// row with a model name of twelve characters in the fixed font.
	BRect bounds = Bounds();
	BRect treeFrame(5 + 6, 7, kTreeWidth - 5 - B_V_SCROLL_BAR_WIDTH,
		bounds.bottom - 7);
	fTree = new BOutlineListView(treeFrame, "ol_list",
		B_SINGLE_SELECTION_LIST, B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM);
	fTree->SetViewColor(kTreeColor);
	fTree->SetLowColor(kTreeColor);
	fTreeScroll = new BScrollView("olsv", fTree,
		B_FOLLOW_LEFT | B_FOLLOW_TOP_BOTTOM, 0, false, true);
	AddChild(fTreeScroll);
	FillModelListe();
	BFont treeFont(be_fixed_font);
	treeFont.SetSize(10);
	fTree->SetFont(&treeFont);

	_BuildPopUps();

	// Right column, 23 pixels right of the tree.
	float left = fTreeScroll->Frame().right + 23;
	float right = bounds.right - 10;
	float fieldDivider = widest_label(this, { 41, 43, 45 }) + 6;
	fWeekField = new BMenuField(BRect(left, 8, right, 28), "mWGrp",
		getLabel(41), fWeekMenu);
	fDayField = new BMenuField(BRect(left, 34, right, 54), "mDGrp",
		getLabel(43), fDayMenu);
	fBreakField = new BMenuField(BRect(left, 60, right, 80), "mBGrp",
		getLabel(45), fBreakMenu);
	BMenuField* fields[] = { fWeekField, fDayField, fBreakField };
	for (BMenuField* field : fields) {
		field->SetDivider(fieldDivider);
		AddChild(field);
	}

	fAddButton = new BButton(BRect(left, 92, right, 112), "btadd",
		getLabel(60), new BMessage(kMsgDayAddBreak));
	fRemoveButton = new BButton(BRect(left, 118, right, 138), "btremove",
		getLabel(61), new BMessage(kMsgBreakRemove));
	AddChild(fAddButton);
	AddChild(fRemoveButton);

	// At the bottom: the name field, the two value fields and the button
	// that writes the week model into the booking file.
	float bottom = bounds.bottom - 8;
	fTagFileButton = new BButton(BRect(left, bottom - 20, right, bottom),
		"sSTM", getLabel(50), new BMessage(kMsgModelIntoTagFile),
		B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
	fTo = new BTextControl(BRect(left, bottom - 50, right, bottom - 30),
		"tBin", getLabel(66), "00:00", new BMessage(kMsgValueTo),
		B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
	fFrom = new BTextControl(BRect(left, bottom - 75, right, bottom - 55),
		"tAin", getLabel(65), "09:45", new BMessage(kMsgValueFrom),
		B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
	fName = new BTextControl(BRect(left, bottom - 100, right, bottom - 80),
		"bkn", getLabel(26), "09:05", new BMessage(kMsgNameEntered),
		B_FOLLOW_LEFT | B_FOLLOW_BOTTOM);
	float valueDivider = widest_label(this, { 65, 66, 67, 68 }) + 1;
	fFrom->SetDivider(valueDivider);
	fTo->SetDivider(valueDivider);
	fName->SetDivider(StringWidth(getLabel(26)) + 8);
	fName->SetViewColor(kTreeColor);
	fTo->SetViewColor(kTreeColor);
	AddChild(fName);
	AddChild(fFrom);
	AddChild(fTo);
	AddChild(fTagFileButton);

	// At first only the tree and the week field show.
	BView* hidden[] = { fDayField, fBreakField, fAddButton, fRemoveButton,
		fName, fFrom, fTo, fTagFileButton };
	for (BView* view : hidden)
		view->Hide();
	fFrom->SetEnabled(false);
	fTo->SetEnabled(false);

	if (fModels->fWeekModel != NULL) {
		fCurWeek = fModels->fWeekModel;
		_Mark(fWeekMenu, fCurWeek->fName.String());
	}
}


ModlView::~ModlView()
{
	_ClearTree();
}


void
ModlView::AttachedToWindow()
{
	BBox::AttachedToWindow();
	// The buttons and fields report to the page; "save into Tag-File" and
	// the pop-ups keep the window, which hands their codes on.
	fAddButton->SetTarget(this);
	fRemoveButton->SetTarget(this);
	fName->SetTarget(this);
	fFrom->SetTarget(this);
	fTo->SetTarget(this);
	fTree->SetTarget(this);
}


BPopUpMenu*
ModlView::_MakePopUp(int emptyLabel, uint32 emptyCode, uint32 newCode,
	uint32 selectCode, BList* models, int kind)
{
	BPopUpMenu* menu = new BPopUpMenu(getLabel(emptyLabel));
	menu->SetRadioMode(true);
	BFont font(be_plain_font);
	font.SetSize(10);
	menu->SetFont(&font);
	menu->AddItem(new BMenuItem(getLabel(emptyLabel),
		new BMessage(emptyCode)));
	menu->AddItem(new BMenuItem(getLabel(48), new BMessage(newCode)));
	menu->AddSeparatorItem();
	for (int32 i = 0; i < models->CountItems(); i++) {
		const char* name;
		if (kind == kWeekModelKind)
			name = ((cWeekModel*)models->ItemAt(i))->fName.String();
		else if (kind == kDayModelKind)
			name = ((cDayModel*)models->ItemAt(i))->fName.String();
		else
			name = ((cBreakTime*)models->ItemAt(i))->fName.String();
		menu->AddItem(new BMenuItem(name, new BMessage(selectCode)));
	}
	return menu;
}


void
ModlView::_BuildPopUps()
{
	fWeekMenu = _MakePopUp(42, kMsgWeekNone, kMsgWeekNew, kMsgWeekSelect,
		fModels->fWeekModels, kWeekModelKind);
	fDayMenu = _MakePopUp(44, kMsgDayNone, kMsgDayNew, kMsgDaySelect,
		fModels->fDayModels, kDayModelKind);
	fBreakMenu = _MakePopUp(46, kMsgBreakNone, kMsgBreakNew,
		kMsgBreakSelect, fModels->fBreakTimes, kBreakModelKind);
}


// Marks the model item of that name, or the empty choice.
void
ModlView::_Mark(BMenu* menu, const char* name)
{
	BMenuItem* item = NULL;
	for (int32 i = kFirstModelItem; name != NULL && i < menu->CountItems();
			i++) {
		if (strcmp(menu->ItemAt(i)->Label(), name) == 0)
			item = menu->ItemAt(i);
	}
	if (item == NULL)
		item = menu->ItemAt(0);
	item->SetMarked(true);
}


// The model the marked item names; NULL for the empty choice and "New
// Profile", which name no model.
const char*
ModlView::_MarkedName(BMenu* menu) const
{
	int32 index = menu->FindMarkedIndex();
	if (index < kFirstModelItem)
		return NULL;
	return menu->ItemAt(index)->Label();
}


void
ModlView::_ClearTree()
{
	fTree->MakeEmpty();
	for (BListItem* row : fRows)
		delete row;
	for (BMessage* message : fRowMessages)
		delete message;
	fRows.clear();
	fRowMessages.clear();
	fLastRow = "";
}


void
ModlView::FillModelListe()
{
	_ClearTree();
	BFont font(be_fixed_font);
	font.SetSize(11);
	fTree->SetFont(&font);

	BMessage row(kMsgTreeRow);
	row.AddInt32(kRowType, 1);
	row.AddInt32(kRowIndex, 0);
	row.AddInt32(kRowBreak, -1);
	row.AddString(kRowName, "-");

	auto add = [&](const BString& text, uint32 level, bool expanded) {
		BMessage* message = new BMessage(row);
		fRowMessages.push_back(message);
		EStringItem* item = new EStringItem(text.String(), message, level,
			expanded);
		fRows.push_back(item);
		fTree->AddItem(item);
	};

	cWeekModel* week = fModels->fWeekModel;
	BString text;
	text << getLabel(41) << " ";
	if (week != NULL) {
		text << week->fName;
		row.ReplaceString(kRowName, week->fName.String());
	} else
		text << getLabel(42);
	add(text, 0, true);
	add("___", 0, true);

	for (int day = 0; week != NULL && day < 7; day++) {
		cDayModel* model = week->fDays[day];
		const char* dayName = model != NULL ? model->fName.String()
			: getLabel(44);
		row.ReplaceInt32(kRowType, 2);
		row.ReplaceInt32(kRowIndex, day);
		row.ReplaceInt32(kRowBreak, -1);
		row.ReplaceString(kRowName, dayName);
		text = getLabel(51 + day);
		text << " : " << dayName;
		add(text, 0, day == fDayIndex);

		for (int32 i = 0; model != NULL && i < model->fBreaks->CountItems();
				i++) {
			cBreakTime* bt = model->BreakAt(i);
			row.ReplaceInt32(kRowType, 3);
			row.ReplaceInt32(kRowBreak, i);
			row.ReplaceString(kRowName, bt->fName.String());
			add(bt->fName, 1, true);
		}
	}
	if (Window() != NULL)
		fTree->SetTarget(this);
}


void
ModlView::CheckWeekPtr()
{
	if (fModels->fWeekModel != NULL) {
		fCurWeek = fModels->fWeekModel;
		_Mark(fWeekMenu, fCurWeek->fName.String());
	} else {
		fWeekMenu->ItemAt(0)->SetMarked(true);
		fCurWeek = NULL;
	}
	FillModelListe();
}


void
ModlView::InViewSelect(BMessage* message)
{
	BView* hidden[] = { fWeekField, fDayField, fBreakField, fAddButton,
		fRemoveButton, fTagFileButton, fFrom, fName };
	for (BView* view : hidden)
		set_shown(view, false);
	fFrom->SetEnabled(false);
	fTo->SetEnabled(false);
	fName->SetEnabled(false);

	if (message == NULL) {
		printf("InViewSelect NULL\n");
		return;
	}
	fBreakIndex = -1;
	int32 type = 0, index = -1, breakIndex = -1;
	const char* name = NULL;
	if (message->FindInt32(kRowType, &type) != B_OK)
		type = 0;
	if (message->FindInt32(kRowIndex, &index) == B_OK)
		fDayIndex = index;
	if (message->FindInt32(kRowBreak, &breakIndex) == B_OK)
		fBreakIndex = breakIndex;
	if (message->FindString(kRowName, &name) != B_OK) {
		printf("InViewSelect no name\n");
		return;
	}

	char value[32];
	switch (type) {
		case 1:
			fCurWeek = fModels->GetWmIfExist(name);
			_Mark(fWeekMenu, fCurWeek != NULL ? name : NULL);
			fTo->SetLabel(getLabel(68));
			if (fCurWeek != NULL)
				snprintf(value, sizeof(value), "%d:%02d",
					fCurWeek->fHoursPerWeek, fCurWeek->fMinutes);
			else
				strcpy(value, "00:00");
			fTo->SetText(value);
			set_shown(fTo, true);
			set_shown(fWeekField, true);
			fWeekField->MakeFocus(true);
			break;

		case 2:
			fCurDay = fModels->GetDmIfExist(name);
			_Mark(fDayMenu, fCurDay != NULL ? name : NULL);
			set_shown(fDayField, true);
			fDayField->SetEnabled(true);
			fDayField->MakeFocus(true);
			fTo->SetLabel(getLabel(67));
			if (fCurDay != NULL)
				snprintf(value, sizeof(value), "%02d:%02d", fCurDay->fHours,
					fCurDay->fMinutes);
			else
				strcpy(value, "00:00");
			fTo->SetText(value);
			set_shown(fTo, true);
			set_shown(fAddButton, fCurDay != NULL);
			break;

		case 3:
		{
			fCurBreak = fModels->GetBtIfExist(name);
			fCurDay = fCurWeek != NULL && fDayIndex >= 0 && fDayIndex < 7
				? fCurWeek->fDays[fDayIndex] : NULL;
			_Mark(fBreakMenu, fCurBreak != NULL ? name : NULL);
			_Mark(fDayMenu, fCurDay != NULL ? fCurDay->fName.String()
				: NULL);
			fFrom->SetLabel(getLabel(65));
			fTo->SetLabel(getLabel(66));
			if (fCurBreak != NULL) {
				snprintf(value, sizeof(value), "%02d:%02d",
					fCurBreak->fStartHour, fCurBreak->fStartMinute);
				fFrom->SetText(value);
				snprintf(value, sizeof(value), "%02d:%02d",
					fCurBreak->fEndHour, fCurBreak->fEndMinute);
				fTo->SetText(value);
			}
			set_shown(fFrom, true);
			set_shown(fTo, true);
			set_shown(fDayField, true);
			fDayField->SetEnabled(false);
			set_shown(fBreakField, true);
			fBreakField->MakeFocus(true);
			set_shown(fRemoveButton, true);
			break;
		}
	}
}


void
ModlView::_HideNameAndTagButton()
{
	set_shown(fName, false);
	set_shown(fTagFileButton, false);
}


bool
ModlView::_NameAccepted(int kind, const char* name)
{
	BString reason;
	if (CheckNewModelName((model_kind)kind, name, fModels, reason))
		return true;
	printf("refused: %s\n", reason.String());
	// The name field stays for the correction. The alert does not wait:
	// the page goes on while the user reads it.
	set_shown(fName, true);
	fName->MakeFocus(true);
	MakeAnyAlert(reason.String())->Go(NULL);
	return false;
}


void
ModlView::WeekProfil(BMessage* message)
{
	if (message == NULL) {
		printf("WeekProfil NULL\n");
		return;
	}
	_HideNameAndTagButton();
	switch (message->what) {
		case kMsgWeekNone:
			set_shown(fTo, false);
			[[fallthrough]];
		case kMsgWeekSelect:
		{
			const char* name = _MarkedName(fWeekMenu);
			fModels->fWeekModel = name != NULL
				? fModels->GetWmIfExist(name) : NULL;
			fCurWeek = fModels->fWeekModel;
			fTo->SetLabel(getLabel(67));
			FillModelListe();
			break;
		}
		case kMsgWeekNew:
			fName->SetText("-");
			fName->SetMessage(new BMessage(kMsgWeekName));
			fTo->SetLabel(getLabel(68));
			fName->SetEnabled(true);
			fTo->SetEnabled(true);
			set_shown(fName, true);
			set_shown(fTo, true);
			break;
		case kMsgWeekName:
		{
			BString name = fName->Text();
			printf("NWEEK : %s\n", name.String());
			if (!_NameAccepted(kWeekModelKind, name.String()))
				break;
			BMenuItem* item = new BMenuItem(name.String(),
				new BMessage(kMsgWeekSelect));
			fWeekMenu->AddItem(item);
			item->SetMarked(true);
			fTo->SetLabel(getLabel(68));
			int hours, minutes;
			CheckInTime(fTo, kTimeEntryWeekHours, hours, minutes);
			cWeekModel* week = new cWeekModel(name.String(), hours, minutes);
			fModels->fWeekModels->AddItem(week);
			fModels->fWeekModel = week;
			fCurWeek = week;
			FillModelListe();
			break;
		}
		default:
			printf("WeekProfil ");
			message->PrintToStream();
			break;
	}
}


void
ModlView::DayProfil(BMessage* message)
{
	if (message == NULL) {
		printf("DayProfil NULL\n");
		return;
	}
	_HideNameAndTagButton();
	switch (message->what) {
		case kMsgDayNone:
			set_shown(fTo, false);
			[[fallthrough]];
		case kMsgDaySelect:
		{
			const char* name = _MarkedName(fDayMenu);
			fCurDay = name != NULL ? fModels->GetDmIfExist(name) : NULL;
			if (fCurWeek != NULL)
				fCurWeek->SetDay(fDayIndex, fCurDay);
			fTo->SetLabel(getLabel(67));
			FillModelListe();
			break;
		}
		case kMsgDayNew:
			fName->SetText("-");
			fName->SetMessage(new BMessage(kMsgDayName));
			fTo->SetLabel(getLabel(67));
			fTo->SetEnabled(true);
			fName->SetEnabled(true);
			set_shown(fName, true);
			set_shown(fTo, true);
			break;
		case kMsgDayName:
		{
			BString name = fName->Text();
			if (!_NameAccepted(kDayModelKind, name.String()))
				break;
			BMenuItem* item = new BMenuItem(name.String(),
				new BMessage(kMsgDaySelect));
			fDayMenu->AddItem(item);
			item->SetMarked(true);
			int hours, minutes;
			CheckInTime(fTo, kTimeEntryDayHours, hours, minutes);
			fModels->fDayModels->AddItem(new cDayModel(name.String(), hours,
				minutes));
			break;
		}
		case kMsgDayAddBreak:
			set_shown(fBreakField, true);
			break;
		default:
			printf("DayProfil ");
			message->PrintToStream();
			break;
	}
}


void
ModlView::BreakProfil(BMessage* message)
{
	if (message == NULL) {
		printf("BreakProfil NULL\n");
		return;
	}
	_HideNameAndTagButton();
	switch (message->what) {
		case kMsgBreakNone:
		case kMsgBreakSelect:
		{
			const char* name = _MarkedName(fBreakMenu);
			fCurBreak = name != NULL ? fModels->GetBtIfExist(name) : NULL;
			BString reason;
			if (!CheckBreakRoom(fCurDay, fCurBreak, reason)) {
				printf("refused: %s\n", reason.String());
				MakeAnyAlert(reason.String())->Go(NULL);
				break;
			}
			if (fCurDay != NULL)
				fCurDay->AddBreakTime(fCurBreak);
			FillModelListe();
			break;
		}
		case kMsgBreakNew:
			fFrom->SetLabel(getLabel(65));
			fTo->SetLabel(getLabel(66));
			fFrom->SetEnabled(true);
			fTo->SetEnabled(true);
			fName->SetEnabled(true);
			fName->SetMessage(new BMessage(kMsgBreakName));
			set_shown(fName, true);
			set_shown(fFrom, true);
			set_shown(fTo, true);
			break;
		case kMsgBreakName:
		{
			BString name = fName->Text();
			printf("NBREK : %s\n", name.String());
			if (!_NameAccepted(kBreakModelKind, name.String()))
				break;
			BMenuItem* item = new BMenuItem(name.String(),
				new BMessage(kMsgBreakSelect));
			fBreakMenu->AddItem(item);
			item->SetMarked(true);
			int startHour, startMinute, endHour, endMinute;
			CheckInTime(fFrom, kTimeEntryBreakClock, startHour, startMinute);
			CheckInTime(fTo, kTimeEntryBreakClock, endHour, endMinute);
			cBreakTime* bt = new cBreakTime(name.String(), startHour,
				startMinute, endHour, endMinute);
			bt->PrintToStream();
			fModels->fBreakTimes->AddItem(bt);
			break;
		}
		case kMsgBreakRemove:
		{
			const char* name = _MarkedName(fBreakMenu);
			fCurBreak = name != NULL ? fModels->GetBtIfExist(name) : NULL;
			if (fCurDay != NULL)
				fCurDay->RemoveBreakTime(fCurBreak);
			FillModelListe();
			break;
		}
		default:
			printf("BreakProfil ");
			message->PrintToStream();
			break;
	}
}


void
ModlView::AddOptionalByWinKey(BMessage* message)
{
	int32 modifiers = 0, key = 0;
	if (message != NULL) {
		if (message->FindInt32("modifiers", &modifiers) != B_OK)
			modifiers = 0;
		if (message->FindInt32("key", &key) != B_OK)
			key = 0;
	}
	if (key == 102 || key == 103) {
		printf("AddOptional-Options \n");
		if (!fName->IsHidden(fName)) {
			set_shown(fName, false);
			fFrom->SetEnabled(false);
			fTo->SetEnabled(false);
		}
		set_shown(fTagFileButton, fTagFileButton->IsHidden(fTagFileButton));
	}
	printf("%s\n", fPath.String());
}


void
ModlView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgTreeRow:
		{
			// A row reports itself each time it is drawn selected; only a
			// choice counts: a click (the tree has the focus then) or
			// another row than the one handled last.
			BString row;
			row << message->GetInt32(kRowType, 0) << "/"
				<< message->GetInt32(kRowIndex, 0) << "/"
				<< message->GetInt32(kRowBreak, -1) << "/"
				<< message->GetString(kRowName, "");
			if (row == fLastRow && !fTree->IsFocus()
				&& !fTreeScroll->IsFocus())
				break;
			fLastRow = row;
			fTreeScroll->MakeFocus(false);
			fTree->MakeFocus(false);
			InViewSelect(message);
			break;
		}
		case kMsgWeekNone:
		case kMsgWeekNew:
		case kMsgWeekName:
		case kMsgWeekSelect:
			WeekProfil(message);
			break;
		case kMsgDayNone:
		case kMsgDayNew:
		case kMsgDayName:
		case kMsgDaySelect:
		case kMsgDayAddBreak:
			DayProfil(message);
			break;
		case kMsgBreakNone:
		case kMsgBreakNew:
		case kMsgBreakName:
		case kMsgBreakSelect:
		case kMsgBreakRemove:
			BreakProfil(message);
			break;
		case kMsgValueFrom:
		case kMsgValueTo:
		{
			int hours, minutes;
			CheckInTime(message->what == kMsgValueFrom ? fFrom : fTo,
				kTimeEntryWeekHours, hours, minutes);
			printf("==  %d:%d\n", hours, minutes);
			break;
		}
		case B_UNMAPPED_KEY_DOWN:
			AddOptionalByWinKey(message);
			break;
		case 'TICK':
		case B_KEY_DOWN:
		case B_KEY_UP:
		case B_MODIFIERS_CHANGED:
		case B_MOUSE_WHEEL_CHANGED:
		case B_UNMAPPED_KEY_UP:
			break;
		case 'Dtel':
			message->PrintToStream();
			break;
		default:
			if (is_script_message(message)) {
				BBox::MessageReceived(message);
				break;
			}
			printf("ModlView ?? \n");
			message->PrintToStream();
			break;
	}
}


void
ModlView::Draw(BRect updateRect)
{
	BBox::Draw(updateRect);
	// The page's frame stays open under its tab.
	eRadioButton::OpenPageFrame(this, fTabButton);
}
