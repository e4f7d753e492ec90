// Menus: radio mode and marks, the label of a menu field, pop-up menus
// opened with Go, chosen with the mouse or the keys.
#include <Application.h>
#include <MenuField.h>
#include <Screen.h>
#include <MenuItem.h>
#include <PopUpMenu.h>

#include "InterfaceTest.h"

class MenuTest : public InterfaceTest {
protected:
	// The kit window of an open menu: the newest window.
	static BWindow* MenuWindow()
	{
		return be_app->WindowAt(be_app->CountWindows() - 1);
	}

	static BPoint Middle(BMenuItem* item)
	{
		BRect frame = item->Frame();
		return BPoint((frame.left + frame.right) / 2,
			(frame.top + frame.bottom) / 2);
	}
};


static BPopUpMenu*
day_menu()
{
	BPopUpMenu* menu = new BPopUpMenu("no DayModel");
	menu->AddItem(new BMenuItem("no DayModel", new BMessage('D---')));
	menu->AddItem(new BMenuItem("New Profile", new BMessage('DNEW')));
	menu->AddSeparatorItem();
	menu->AddItem(new BMenuItem("A-WerkTags", new BMessage('DSel')));
	menu->AddItem(new BMenuItem("B-Kurz", new BMessage('DSel')));
	return menu;
}


TEST_F(MenuTest, RadioModeMarksOneItem)
{
	BPopUpMenu* menu = day_menu();
	EXPECT_TRUE(menu->IsRadioMode());
	EXPECT_TRUE(menu->IsLabelFromMarked());
	EXPECT_EQ(menu->CountItems(), 5);
	EXPECT_EQ(menu->FindMarked(), nullptr);
	EXPECT_STREQ(menu->_FieldLabel(), "no DayModel");

	BMenuItem* werk = menu->FindItem("A-WerkTags");
	BMenuItem* kurz = menu->FindItem("B-Kurz");
	ASSERT_NE(werk, nullptr);
	EXPECT_EQ(menu->FindItem('DNEW'), menu->ItemAt(1));
	EXPECT_EQ(menu->FindItem("nothing"), nullptr);
	werk->SetMarked(true);
	EXPECT_EQ(menu->FindMarked(), werk);
	kurz->SetMarked(true);
	EXPECT_FALSE(werk->IsMarked());
	EXPECT_EQ(menu->FindMarkedIndex(), 4);
	EXPECT_STREQ(menu->_FieldLabel(), "B-Kurz");

	// Without radio mode marks are independent.
	BMenu plain("plain");
	BMenuItem* a = new BMenuItem("a", NULL);
	BMenuItem* b = new BMenuItem("b", NULL);
	plain.AddItem(a);
	plain.AddItem(b);
	a->SetMarked(true);
	b->SetMarked(true);
	EXPECT_TRUE(a->IsMarked());
	EXPECT_STREQ(plain._FieldLabel(), "plain");

	// Removing gives the item back; the menu deletes the rest.
	EXPECT_EQ(menu->RemoveItem(4), kurz);
	EXPECT_EQ(kurz->Menu(), nullptr);
	EXPECT_STREQ(menu->_FieldLabel(), "no DayModel");
	delete kurz;
	delete menu;
}


TEST_F(MenuTest, GoDeliversTheChosenItemsMessage)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	window->Show();
	ASSERT_TRUE(Sync());
	BPopUpMenu* menu = day_menu();
	menu->SetTargetForItems(window);
	BFont font(be_plain_font);
	font.SetSize(11);
	menu->SetFont(&font);

	int32 windows = be_app->CountWindows();
	EXPECT_EQ(menu->Go(BPoint(300, 200), true, false, true), nullptr);
	ASSERT_TRUE(Sync());
	ASSERT_EQ(be_app->CountWindows(), windows + 1);
	BWindow* popup = MenuWindow();
	EXPECT_EQ(popup->Frame().LeftTop(), BPoint(300, 200));
	EXPECT_EQ(menu->Window(), popup);

	// The separator cannot be chosen; the menu stays open.
	WindowAutomation::Click(menu, Middle(menu->ItemAt(2)));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(menu->Window(), popup);

	BMenuItem* werk = menu->ItemAt(3);
	WindowAutomation::Click(menu, Middle(werk));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), windows);
	EXPECT_EQ(menu->Window(), nullptr);
	EXPECT_TRUE(werk->IsMarked());
	ASSERT_EQ(window->Count('DSel'), 1);
	const BMessage* message = window->Last('DSel');
	EXPECT_EQ(message->GetInt32("index", -1), 3);

	// Opened again, left with Escape: nothing sent, the mark stays.
	menu->Go(BPoint(10, 10), true, false, true);
	ASSERT_TRUE(Sync());
	WindowAutomation::Key(MenuWindow(), "\x1b");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(menu->Window(), nullptr);
	EXPECT_EQ(window->Count('DSel'), 1);
	EXPECT_EQ(menu->FindMarked(), werk);

	// A press outside the menu leaves it too.
	menu->Go(BPoint(10, 10), true, false, true);
	ASSERT_TRUE(Sync());
	WindowAutomation::Click(menu, BPoint(-20, -20));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(menu->Window(), nullptr);

	// Deleting an open menu closes its window.
	menu->Go(BPoint(10, 10), true, false, true);
	ASSERT_TRUE(Sync());
	ASSERT_EQ(be_app->CountWindows(), windows + 1);
	delete menu;
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), windows);
}


// Chooses an item of the open pop-up when it gets its message, from
// inside the nested loop of a synchronous Go.
class ChoosingWindow : public BWindow {
public:
	ChoosingWindow(BRect frame, const char* title, window_look look,
		window_feel feel, uint32 flags)
		: BWindow(frame, title, look, feel, flags) {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'chus' && menu != NULL && menu->Window() != NULL) {
			WindowAutomation::Key(menu->Window(), "\x1f");
			WindowAutomation::Key(menu->Window(), "\x1f");
			WindowAutomation::Key(menu->Window(), "\n");
			return;
		}
		BWindow::MessageReceived(message);
	}

	BMenu* menu = NULL;
};


TEST_F(MenuTest, SynchronousGoReturnsTheItem)
{
	ChoosingWindow* chooser = MakeWindow<ChoosingWindow>();
	chooser->Show();
	ASSERT_TRUE(Sync());
	BPopUpMenu* menu = day_menu();
	chooser->menu = menu;
	chooser->PostMessage('chus');
	// Down twice from nothing: the first item, then the second.
	BMenuItem* chosen = menu->Go(BPoint(40, 40), false);
	EXPECT_EQ(chosen, menu->ItemAt(1));
	EXPECT_TRUE(menu->ItemAt(1)->IsMarked());
	delete menu;
}


TEST_F(MenuTest, MenuFieldShowsTheMarkedItem)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	BPopUpMenu* menu = day_menu();
	BMenuField* field = new BMenuField(BRect(10, 10, 200, 30), "mDGrp",
		"Day:", menu);
	field->SetDivider(40);
	window->AddChild(field);
	window->Show();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(field->Menu(), menu);
	EXPECT_EQ(field->Divider(), 40);
	EXPECT_STREQ(menu->_FieldLabel(), "no DayModel");

	menu->FindItem("B-Kurz")->SetMarked(true);
	EXPECT_STREQ(menu->_FieldLabel(), "B-Kurz");

	// A click opens the menu below the field; Enter chooses. Items
	// without a target send to the field's window.
	int32 windows = be_app->CountWindows();
	WindowAutomation::Click(field, BPoint(60, 10));
	ASSERT_TRUE(Sync());
	ASSERT_EQ(be_app->CountWindows(), windows + 1);
	EXPECT_GT(MenuWindow()->Frame().top, field->ConvertToScreen(
		field->Bounds()).top);
	WindowAutomation::Key(MenuWindow(), "\x1f");
	WindowAutomation::Key(MenuWindow(), "\n");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), windows);
	EXPECT_STREQ(menu->_FieldLabel(), "no DayModel");
	EXPECT_EQ(window->Count('D---'), 1);

	// A disabled field does not open.
	field->SetEnabled(false);
	WindowAutomation::Click(field, BPoint(60, 10));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), windows);
}


TEST_F(MenuTest, DisabledItemsAndMenusAreNotChosen)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	window->Show();
	ASSERT_TRUE(Sync());
	BPopUpMenu* menu = day_menu();
	menu->SetTargetForItems(window);
	BMenuItem* werk = menu->FindItem("A-WerkTags");
	werk->SetEnabled(false);
	EXPECT_FALSE(werk->IsEnabled());
	EXPECT_EQ(werk->Invoke(), B_ERROR);

	menu->Go(BPoint(20, 20), true, false, true);
	ASSERT_TRUE(Sync());
	BWindow* popup = menu->Window();
	ASSERT_NE(popup, nullptr);
	// A second Go while open does nothing.
	EXPECT_EQ(menu->Go(BPoint(50, 50), true, false, true), nullptr);
	EXPECT_EQ(popup->Frame().LeftTop(), BPoint(20, 20));
	WindowAutomation::Click(menu, Middle(werk));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(menu->Window(), popup);
	EXPECT_FALSE(werk->IsMarked());
	// The keys skip the disabled item and the separator.
	for (int i = 0; i < 3; i++)
		WindowAutomation::Key(popup, "\x1f");
	WindowAutomation::Key(popup, "\n");
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(menu->FindItem("B-Kurz")->IsMarked());
	EXPECT_EQ(window->Count('DSel'), 1);

	// A disabled menu disables all its items.
	menu->SetEnabled(false);
	EXPECT_FALSE(menu->ItemAt(0)->IsEnabled());
	menu->SetEnabled(true);

	// Near the screen's corner the menu still fits on the screen.
	BRect screen = BScreen().Frame();
	menu->Go(screen.RightBottom(), true, false, true);
	ASSERT_TRUE(Sync());
	ASSERT_NE(menu->Window(), nullptr);
	EXPECT_TRUE(screen.Contains(menu->Window()->Frame()));
	delete menu;
	ASSERT_TRUE(Sync());

	// RemoveItems can delete what it removes; submenus are searched.
	BMenu top("top");
	BMenu* sub = new BMenu("sub");
	sub->AddItem(new BMenuItem("deep", new BMessage('deep')));
	top.AddItem(sub);
	top.AddItem(new BMenuItem("a", NULL));
	top.AddItem(new BMenuItem("b", NULL));
	EXPECT_EQ(top.FindItem("deep"), sub->ItemAt(0));
	EXPECT_EQ(top.FindItem('deep'), sub->ItemAt(0));
	EXPECT_EQ(sub->Supermenu(), &top);
	EXPECT_TRUE(top.RemoveItems(1, 2, true));
	EXPECT_EQ(top.CountItems(), 1);
	EXPECT_FALSE(top.RemoveItems(1, 1));
}


TEST_F(MenuTest, TheOpeningClickChoosesNothing)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	window->Show();
	ASSERT_TRUE(Sync());
	BPopUpMenu* menu = day_menu();
	menu->SetTargetForItems(window);
	int32 windows = be_app->CountWindows();

	// The release of the press that opened the menu lands on an item:
	// the menu stays open.
	menu->Go(BPoint(30, 30), true, false, true);
	ASSERT_TRUE(Sync());
	BMenuItem* kurz = menu->FindItem("B-Kurz");
	WindowAutomation::MouseUp(menu, Middle(kurz));
	ASSERT_TRUE(Sync());
	ASSERT_NE(menu->Window(), nullptr);
	EXPECT_EQ(window->Count('DSel'), 0);

	// Dragged onto an item with the button still down, the release
	// chooses it.
	WindowAutomation::MouseMoved(menu, Middle(kurz), B_PRIMARY_MOUSE_BUTTON);
	WindowAutomation::MouseUp(menu, Middle(kurz));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(menu->Window(), nullptr);
	EXPECT_EQ(window->Count('DSel'), 1);
	EXPECT_TRUE(kurz->IsMarked());

	// A menu window told to quit (the application ending) goes without a
	// choice, and the menu can open again.
	menu->Go(BPoint(30, 30), true, false, true);
	ASSERT_TRUE(Sync());
	ASSERT_NE(menu->Window(), nullptr);
	menu->Window()->PostMessage(B_QUIT_REQUESTED);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(menu->Window(), nullptr);
	EXPECT_EQ(be_app->CountWindows(), windows);
	EXPECT_EQ(window->Count('DSel'), 1);
	menu->Go(BPoint(30, 30), true, false, true);
	ASSERT_TRUE(Sync());
	EXPECT_NE(menu->Window(), nullptr);
	delete menu;
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), windows);
}


// A script chooses as a click does, whether the menu is open or not, and
// reads and marks items without choosing them.
TEST_F(MenuTest, ScriptsChooseItemsOfOpenAndClosedMenus)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	BPopUpMenu* menu = day_menu();
	BMenuField* field = new BMenuField(BRect(10, 10, 200, 30), "mDGrp",
		"Day:", menu);
	window->AddChild(field);
	window->Show();
	ASSERT_TRUE(Sync());
	// The replies go to the window, which ignores them.
	auto post = [](BWindow* target, BMessage* request) {
		target->PostMessage(request, target, target);
	};
	auto choose = [&](BWindow* target, const char* view, const char* item) {
		BMessage request(B_EXECUTE_PROPERTY);
		request.AddSpecifier("MenuItem", item);
		request.AddSpecifier("View", view);
		post(target, &request);
	};

	choose(window, "mDGrp", "A-WerkTags");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count('DSel'), 1);
	EXPECT_EQ(window->Last('DSel')->GetInt32("index", -1), 3);
	EXPECT_STREQ(menu->_FieldLabel(), "A-WerkTags");

	// Open: the menu closes first, as after a click on the item.
	int32 windows = be_app->CountWindows();
	WindowAutomation::Click(field, BPoint(60, 10));
	ASSERT_TRUE(Sync());
	ASSERT_EQ(be_app->CountWindows(), windows + 1);
	choose(window, "mDGrp", "New Profile");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), windows);
	EXPECT_FALSE(menu->_IsOpen());
	EXPECT_EQ(window->Count('DNEW'), 1);

	// The same through the menu's own window, where the menu is View 0.
	WindowAutomation::Click(field, BPoint(60, 10));
	ASSERT_TRUE(Sync());
	ASSERT_EQ(be_app->CountWindows(), windows + 1);
	BMessage byIndex(B_EXECUTE_PROPERTY);
	byIndex.AddSpecifier("MenuItem", 4);
	byIndex.AddSpecifier("View", (int32)0);
	post(MenuWindow(), &byIndex);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(be_app->CountWindows(), windows);
	EXPECT_EQ(window->Count('DSel'), 2);
	EXPECT_STREQ(menu->_FieldLabel(), "B-Kurz");

	// Marking is no choice; a separator is never chosen.
	BMessage mark(B_SET_PROPERTY);
	mark.AddBool("data", true);
	mark.AddSpecifier("Marked");
	mark.AddSpecifier("MenuItem", "no DayModel");
	mark.AddSpecifier("View", "mDGrp");
	post(window, &mark);
	BMessage separator(B_EXECUTE_PROPERTY);
	separator.AddSpecifier("MenuItem", 2);
	separator.AddSpecifier("View", "mDGrp");
	post(window, &separator);
	ASSERT_TRUE(Sync());
	EXPECT_STREQ(menu->_FieldLabel(), "no DayModel");
	EXPECT_EQ(window->Count('D---'), 0);
	EXPECT_EQ(window->Count('DSel') + window->Count('DNEW'), 3);
}
