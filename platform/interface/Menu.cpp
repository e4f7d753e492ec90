// BMenu: items in a column, drawn in the BeOS look. While open, the menu
// view is the only child of a borderless kit window; closing removes it
// again, so the same menu opens any number of times.
#include <Menu.h>

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include <QGuiApplication>
#include <QWidget>

#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <Screen.h>
#include <Window.h>
#include <WindowAutomation.h>

static const float kBorder = 3;
static const float kMarkSpace = 14;
static const float kRightSpace = 20;
static const float kItemPadding = 4;

static const uint32 kMsgCloseMenu = '_MCl';


namespace BPrivate {

// The window of an open menu. A press outside it leaves the menu.
class MenuWindow : public BWindow {
public:
	MenuWindow(BRect frame, BMenu* menu)
		:
		BWindow(frame, menu->Name() != NULL ? menu->Name() : "menu",
			B_NO_BORDER_WINDOW_LOOK, B_FLOATING_ALL_WINDOW_FEEL,
			B_NOT_MOVABLE | B_NOT_CLOSABLE | B_NOT_ZOOMABLE
				| B_NOT_MINIMIZABLE | B_NOT_RESIZABLE),
		fMenu(menu)
	{
		// On a real display the window is a Qt pop-up: it takes the
		// pointer, so a press anywhere else reaches it too.
		if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
			QWidget* widget = static_cast<QWidget*>(
				WindowAutomation::_Widget(this));
			widget->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
		}
	}

	void Forget() { fMenu = NULL; }

	void DispatchMessage(BMessage* message, BHandler* handler) override
	{
		BPoint where;
		if (message->what == B_MOUSE_DOWN && fMenu != NULL
			&& message->FindPoint("be:window_where", &where) == B_OK
			&& !Bounds().Contains(where)) {
			fMenu->_Close(NULL);
			return;
		}
		BWindow::DispatchMessage(message, handler);
	}

	bool QuitRequested() override
	{
		// Closed from outside (Qt closed the pop-up, the application
		// quits): the menu leaves without a choice, the window goes.
		if (fMenu != NULL)
			fMenu->_Close(NULL, false);
		return true;
	}

	void WindowActivated(bool active) override
	{
		if (!active && fMenu != NULL && fWasActive)
			fMenu->_Close(NULL);
		fWasActive = active;
	}

private:
	BMenu*	fMenu;
	bool	fWasActive = false;
};

}	// namespace BPrivate

using BPrivate::MenuWindow;


BMenu::BMenu(const char* name, menu_layout layout)
	:
	BView(BRect(0, 0, 10, 10), name, B_FOLLOW_LEFT | B_FOLLOW_TOP,
		B_WILL_DRAW | B_NAVIGABLE),
	fSuperitem(NULL),
	fField(NULL),
	fMenuWindow(NULL),
	fLayout(layout),
	fHighlighted(-1),
	fEnabled(true),
	fRadioMode(false),
	fLabelFromMarked(false),
	fPressedInside(false),
	fDragged(false)
{
	SetViewColor(ui_color(B_MENU_BACKGROUND_COLOR));
	SetLowColor(ViewColor());
}


BMenu::~BMenu()
{
	if (fMenuWindow != NULL) {
		MenuWindow* window = fMenuWindow;
		fMenuWindow = NULL;
		window->Forget();
		if (window->Lock()) {
			window->RemoveChild(this);
			window->Quit();
		}
	}
	for (int32 i = 0; i < fItems.CountItems(); i++) {
		BMenuItem* item = (BMenuItem*)fItems.ItemAt(i);
		item->fSuper = NULL;
		delete item;
	}
	fItems.MakeEmpty();
	if (fSuperitem != NULL)
		fSuperitem->fSubmenu = NULL;
}


void
BMenu::AttachedToWindow()
{
	_Layout();
	BView::AttachedToWindow();
}


//	#pragma mark - items


bool
BMenu::AddItem(BMenuItem* item)
{
	return AddItem(item, CountItems());
}


bool
BMenu::AddItem(BMenuItem* item, int32 index)
{
	if (item == NULL || item->fSuper != NULL || index < 0
		|| index > CountItems() || !fItems.AddItem(item, index))
		return false;
	item->fSuper = this;
	if (fHighlighted >= index)
		fHighlighted++;
	_Layout();
	if (item->IsMarked())
		_ItemMarked(item);
	return true;
}


bool
BMenu::AddItem(BMenu* submenu)
{
	if (submenu == NULL)
		return false;
	BMenuItem* item = new BMenuItem(submenu);
	if (!AddItem(item)) {
		item->fSubmenu = NULL;
		delete item;
		return false;
	}
	return true;
}


bool
BMenu::AddSeparatorItem()
{
	return AddItem(new BSeparatorItem());
}


bool
BMenu::RemoveItem(BMenuItem* item)
{
	return RemoveItem(IndexOf(item)) != NULL;
}


BMenuItem*
BMenu::RemoveItem(int32 index)
{
	BMenuItem* item = (BMenuItem*)fItems.RemoveItem(index);
	if (item == NULL)
		return NULL;
	item->fSuper = NULL;
	item->fSelected = false;
	if (fHighlighted == index)
		fHighlighted = -1;
	else if (fHighlighted > index)
		fHighlighted--;
	_Layout();
	_ItemMarked(NULL);
	return item;
}


bool
BMenu::RemoveItems(int32 index, int32 count, bool deleteItems)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	for (int32 i = 0; i < count; i++) {
		BMenuItem* item = RemoveItem(index);
		if (deleteItems)
			delete item;
	}
	return true;
}


BMenuItem*
BMenu::ItemAt(int32 index) const
{
	return (BMenuItem*)fItems.ItemAt(index);
}


int32
BMenu::IndexOf(const BMenuItem* item) const
{
	return fItems.IndexOf((void*)item);
}


int32
BMenu::CountItems() const
{
	return fItems.CountItems();
}


BMenuItem*
BMenu::FindItem(const char* label) const
{
	if (label == NULL)
		return NULL;
	for (int32 i = 0; i < CountItems(); i++) {
		BMenuItem* item = ItemAt(i);
		if (strcmp(item->Label(), label) == 0)
			return item;
		if (item->Submenu() != NULL) {
			BMenuItem* found = item->Submenu()->FindItem(label);
			if (found != NULL)
				return found;
		}
	}
	return NULL;
}


BMenuItem*
BMenu::FindItem(uint32 command) const
{
	for (int32 i = 0; i < CountItems(); i++) {
		BMenuItem* item = ItemAt(i);
		if (item->Message() != NULL && item->Message()->what == command)
			return item;
		if (item->Submenu() != NULL) {
			BMenuItem* found = item->Submenu()->FindItem(command);
			if (found != NULL)
				return found;
		}
	}
	return NULL;
}


BMenuItem*
BMenu::FindMarked() const
{
	int32 index = FindMarkedIndex();
	return index >= 0 ? ItemAt(index) : NULL;
}


int32
BMenu::FindMarkedIndex() const
{
	for (int32 i = 0; i < CountItems(); i++) {
		if (ItemAt(i)->IsMarked())
			return i;
	}
	return -1;
}


status_t
BMenu::SetTargetForItems(BHandler* target)
{
	status_t status = B_OK;
	for (int32 i = 0; i < CountItems(); i++) {
		status_t result = ItemAt(i)->SetTarget(target);
		if (result != B_OK)
			status = result;
	}
	return status;
}


status_t
BMenu::SetTargetForItems(BMessenger messenger)
{
	status_t status = B_OK;
	for (int32 i = 0; i < CountItems(); i++) {
		status_t result = ItemAt(i)->SetTarget(messenger);
		if (result != B_OK)
			status = result;
	}
	return status;
}


void
BMenu::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	Invalidate();
	if (fField != NULL)
		fField->Invalidate();
}


void
BMenu::SetRadioMode(bool on)
{
	fRadioMode = on;
	if (!on)
		fLabelFromMarked = false;
}


void
BMenu::SetLabelFromMarked(bool on)
{
	fLabelFromMarked = on;
	if (on)
		fRadioMode = true;
	_ItemMarked(NULL);
}


BMenu*
BMenu::Supermenu() const
{
	return fSuperitem != NULL ? fSuperitem->Menu() : NULL;
}


// An item was marked (or a label changed): in radio mode the others lose
// their mark; the menu field shows the new label.
void
BMenu::_ItemMarked(BMenuItem* item)
{
	if (item != NULL && fRadioMode) {
		for (int32 i = 0; i < CountItems(); i++) {
			BMenuItem* other = ItemAt(i);
			if (other != item && other->fMarked) {
				other->fMarked = false;
			}
		}
	}
	if (fLabelFromMarked && fSuperitem != NULL) {
		BMenuItem* marked = FindMarked();
		if (marked != NULL) {
			free(fSuperitem->fLabel);
			fSuperitem->fLabel = strdup(marked->Label());
		}
	}
	Invalidate();
	if (fField != NULL)
		fField->Invalidate();
}


const char*
BMenu::_FieldLabel() const
{
	BMenuItem* marked = fLabelFromMarked ? FindMarked() : NULL;
	if (marked != NULL)
		return marked->Label();
	return Name() != NULL ? Name() : "";
}


BWindow*
BMenu::_OwnerWindow() const
{
	if (fField != NULL)
		return fField->Window();
	BMenu* super = Supermenu();
	return super != NULL ? super->_OwnerWindow() : NULL;
}


//	#pragma mark - layout and drawing


void
BMenu::_Layout()
{
	float width = 0;
	float top = kBorder;
	for (int32 i = 0; i < CountItems(); i++) {
		BMenuItem* item = ItemAt(i);
		float itemWidth, itemHeight;
		item->GetContentSize(&itemWidth, &itemHeight);
		bool separator = dynamic_cast<BSeparatorItem*>(item) != NULL;
		float height = separator ? itemHeight : itemHeight + kItemPadding;
		item->fFrame = BRect(kBorder, top, kBorder, top + height - 1);
		top += height;
		width = std::max(width, itemWidth + kMarkSpace + kRightSpace);
	}
	width = std::max(width, 40.0f);
	for (int32 i = 0; i < CountItems(); i++)
		ItemAt(i)->fFrame.right = kBorder + width - 1;
	if (fMenuWindow != NULL)
		Invalidate();
}


void
BMenu::GetPreferredSize(float* width, float* height)
{
	_Layout();
	float itemsWidth = CountItems() > 0 ? ItemAt(0)->fFrame.Width() + 1 : 40;
	float itemsBottom = CountItems() > 0
		? ItemAt(CountItems() - 1)->fFrame.bottom : kBorder;
	if (width != NULL)
		*width = itemsWidth + 2 * kBorder - 1;
	if (height != NULL)
		*height = itemsBottom + kBorder;
}


void
BMenu::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	_Layout();
}


void
BMenu::Draw(BRect)
{
	BRect bounds = Bounds();
	rgb_color base = ViewColor();
	for (int32 i = 0; i < CountItems(); i++)
		ItemAt(i)->Draw();
	BeginLineArray(6);
	AddLine(bounds.LeftBottom(), bounds.LeftTop(),
		tint_color(base, B_LIGHTEN_2_TINT));
	AddLine(bounds.LeftTop(), bounds.RightTop(),
		tint_color(base, B_LIGHTEN_2_TINT));
	AddLine(bounds.RightTop(), bounds.RightBottom(),
		tint_color(base, B_DARKEN_4_TINT));
	AddLine(bounds.RightBottom(), bounds.LeftBottom(),
		tint_color(base, B_DARKEN_4_TINT));
	BRect inner = bounds.InsetByCopy(1, 1);
	AddLine(inner.RightTop(), inner.RightBottom(),
		tint_color(base, B_DARKEN_2_TINT));
	AddLine(inner.RightBottom(), inner.LeftBottom(),
		tint_color(base, B_DARKEN_2_TINT));
	EndLineArray();
}


//	#pragma mark - opening and choosing


void
BMenu::_Open(BPoint where)
{
	if (fMenuWindow != NULL)
		return;
	float width, height;
	GetPreferredSize(&width, &height);
	// Keep the menu on the screen.
	BRect screen = BScreen().Frame();
	if (where.x + width > screen.right)
		where.x = std::max(screen.left, screen.right - width);
	if (where.y + height > screen.bottom)
		where.y = std::max(screen.top, screen.bottom - height);
	where.x = roundf(where.x);
	where.y = roundf(where.y);

	for (int32 i = 0; i < CountItems(); i++)
		ItemAt(i)->fSelected = false;
	fHighlighted = -1;
	fPressedInside = false;
	fDragged = false;
	MoveTo(0, 0);
	ResizeTo(width, height);
	fMenuWindow = new MenuWindow(BRect(where.x, where.y, where.x + width,
		where.y + height), this);
	fMenuWindow->AddChild(this);
	MakeFocus(true);
	fMenuWindow->Show();
}


void
BMenu::_Close(BMenuItem* chosen, bool quitWindow)
{
	MenuWindow* window = fMenuWindow;
	if (window == NULL)
		return;
	fMenuWindow = NULL;
	window->Forget();
	if (fHighlighted >= 0 && ItemAt(fHighlighted) != NULL)
		ItemAt(fHighlighted)->fSelected = false;
	fHighlighted = -1;
	window->RemoveChild(this);
	if (quitWindow)
		window->Quit();
	_Done(chosen);
}


void
BMenu::_Done(BMenuItem* chosen)
{
	if (chosen == NULL)
		return;
	if (fRadioMode)
		chosen->SetMarked(true);
	chosen->Invoke();
}


void
BMenu::_Choose(BMenuItem* item)
{
	if (item == NULL || item->Menu() != this)
		return;
	if (fMenuWindow != NULL)
		_Close(item);
	else
		_Done(item);
}


int32
BMenu::_ItemAt(BPoint where) const
{
	for (int32 i = 0; i < CountItems(); i++) {
		if (ItemAt(i)->fFrame.Contains(where))
			return i;
	}
	return -1;
}


void
BMenu::_Highlight(int32 index)
{
	if (index == fHighlighted)
		return;
	if (fHighlighted >= 0 && ItemAt(fHighlighted) != NULL)
		ItemAt(fHighlighted)->Highlight(false);
	fHighlighted = index;
	BMenuItem* item = ItemAt(index);
	if (item != NULL && item->IsEnabled())
		item->Highlight(true);
	else
		fHighlighted = -1;
}


// Moves the highlight to the next enabled item up or down.
void
BMenu::_Step(int32 direction)
{
	int32 count = CountItems();
	if (count == 0)
		return;
	int32 index = fHighlighted;
	for (int32 tries = 0; tries < count; tries++) {
		index = index < 0 ? (direction > 0 ? 0 : count - 1)
			: (index + direction + count) % count;
		if (ItemAt(index)->IsEnabled()) {
			_Highlight(index);
			return;
		}
	}
}


void
BMenu::MouseDown(BPoint where)
{
	fPressedInside = true;
	_Highlight(_ItemAt(where));
}


void
BMenu::MouseMoved(BPoint where, uint32 transit, const BMessage* dragMessage)
{
	if (fMenuWindow != NULL) {
		if (transit == B_EXITED_VIEW || transit == B_OUTSIDE_VIEW)
			_Highlight(-1);
		else
			_Highlight(_ItemAt(where));
		// The button that opened the menu is still held: a release over
		// an item after this move chooses it.
		BMessage* current = Window() != NULL ? Window()->CurrentMessage()
			: NULL;
		if (current != NULL && current->GetInt32("buttons", 0) != 0)
			fDragged = true;
	}
	BView::MouseMoved(where, transit, dragMessage);
}


void
BMenu::MouseUp(BPoint where)
{
	// The release of the click that opened the menu chooses nothing; the
	// menu stays open for a click of its own.
	if (!fPressedInside && !fDragged)
		return;
	int32 index = _ItemAt(where);
	BMenuItem* item = ItemAt(index);
	if (fMenuWindow != NULL && item != NULL && item->IsEnabled()
		&& item->Submenu() == NULL)
		_Close(item);
}


void
BMenu::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes <= 0 || fMenuWindow == NULL)
		return;
	switch (bytes[0]) {
		case B_UP_ARROW:
			_Step(-1);
			break;
		case B_DOWN_ARROW:
			_Step(1);
			break;
		case B_ENTER:
		case B_SPACE:
		{
			BMenuItem* item = ItemAt(fHighlighted);
			if (item != NULL && item->IsEnabled())
				_Close(item);
			break;
		}
		case B_ESCAPE:
			_Close(NULL);
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			break;
	}
}
