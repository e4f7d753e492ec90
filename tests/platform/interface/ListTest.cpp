// List and outline list views: selection and invocation messages, items
// drawn by their owners, outline levels, expanding and collapsing.
#include <Bitmap.h>
#include <OutlineListView.h>
#include <ScrollView.h>
#include <String.h>

#include "InterfaceTest.h"

class ListTest : public InterfaceTest {};

static const uint32 kMsgSelected = 'lSel';
static const uint32 kMsgInvoked = 'lInv';


static std::vector<int32>
indexes(const BMessage* message)
{
	std::vector<int32> result;
	int32 index;
	for (int32 i = 0; message->FindInt32("index", i, &index) == B_OK; i++)
		result.push_back(index);
	return result;
}


TEST_F(ListTest, SelectionAndInvocationMessages)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>();
	BListView* list = new BListView(BRect(10, 10, 150, 150), "list");
	for (int i = 0; i < 5; i++) {
		BString text;
		text << "row " << i;
		list->AddItem(new BStringItem(text.String()));
	}
	list->SetSelectionMessage(new BMessage(kMsgSelected));
	list->SetInvocationMessage(new BMessage(kMsgInvoked));
	window->AddChild(list);
	window->Show();
	ASSERT_TRUE(Sync());
	EXPECT_EQ(list->CurrentSelection(), -1);

	BRect row2 = list->ItemFrame(2);
	EXPECT_EQ(list->IndexOf(BPoint(5, row2.top)), 2);
	EXPECT_EQ(list->IndexOf(BPoint(5, row2.bottom + 1)), 3);
	EXPECT_EQ(list->IndexOf(BPoint(5, 1000)), -1);
	WindowAutomation::Click(list, BPoint(20, row2.top + 2));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(list->CurrentSelection(), 2);
	ASSERT_EQ(window->Count(kMsgSelected), 1);
	EXPECT_EQ(indexes(window->Last(kMsgSelected)), std::vector<int32>{2});
	EXPECT_TRUE(list->IsFocus());

	// Selecting what is selected changes nothing and sends nothing.
	list->Select(2);
	EXPECT_EQ(window->Count(kMsgSelected), 1);
	// Code selects like the user does.
	list->Select(4);
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count(kMsgSelected), 2);
	EXPECT_FALSE(list->IsItemSelected(2));

	WindowAutomation::Key(window, "\x1e");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(list->CurrentSelection(), 3);
	WindowAutomation::Key(window, "\n");
	ASSERT_TRUE(Sync());
	ASSERT_EQ(window->Count(kMsgInvoked), 1);
	EXPECT_EQ(indexes(window->Last(kMsgInvoked)), std::vector<int32>{3});

	// A double click on the selected row invokes.
	BRect row3 = list->ItemFrame(3);
	WindowAutomation::MouseDown(list, BPoint(20, row3.top + 2),
		B_PRIMARY_MOUSE_BUTTON, 2);
	WindowAutomation::MouseUp(list, BPoint(20, row3.top + 2));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count(kMsgInvoked), 2);

	// Removing the selected row clears the selection; the list does not
	// delete it.
	BListItem* removed = list->RemoveItem(3);
	ASSERT_NE(removed, nullptr);
	EXPECT_FALSE(removed->IsSelected());
	EXPECT_EQ(list->CurrentSelection(), -1);
	EXPECT_EQ(list->CountItems(), 4);
	delete removed;
	EXPECT_EQ(list->ItemFrame(3).top, list->ItemFrame(2).bottom + 1);

	// Multiple selection extends with shift.
	list->SetListType(B_MULTIPLE_SELECTION_LIST);
	list->Select(0);
	list->Select(2, true);
	EXPECT_EQ(list->CurrentSelection(0), 0);
	EXPECT_EQ(list->CurrentSelection(1), 2);
	EXPECT_EQ(list->CurrentSelection(2), -1);
	list->SetListType(B_SINGLE_SELECTION_LIST);
	EXPECT_EQ(list->CurrentSelection(1), -1);

	ASSERT_TRUE(Sync());
	int32 before = window->Count(kMsgSelected);
	list->MakeEmpty();
	EXPECT_TRUE(list->IsEmpty());
	ASSERT_TRUE(Sync());
	EXPECT_EQ(window->Count(kMsgSelected), before);
}


// An item that draws itself: it records its frames, paints its text in
// its own colour through the string item and reports its selection.
class TreeItem : public BStringItem {
public:
	TreeItem(const char* text, uint32 level, bool expanded,
		rgb_color color = make_color(10, 10, 10))
		: BStringItem(text, level, expanded), fColor(color) {}

	void DrawItem(BView* owner, BRect frame, bool complete) override
	{
		frames.push_back(frame);
		if (IsSelected())
			drawnSelected++;
		owner->SetHighColor(fColor);
		BFont font(be_fixed_font);
		font.SetSize(11);
		owner->SetFont(&font);
		BStringItem::DrawItem(owner, frame, complete);
		owner->SetHighColor(10, 10, 10);
	}

	std::vector<BRect> frames;
	int32 drawnSelected = 0;

private:
	rgb_color fColor;
};


TEST_F(ListTest, OutlineLevelsExpandAndOwnerDrawing)
{
	BWindow* window = MakeWindow(BRect(100, 100, 400, 400));
	BOutlineListView* tree = new BOutlineListView(BRect(0, 0, 200, 250),
		"ol_list");
	BScrollView* scroll = new BScrollView("olsv", tree, B_FOLLOW_NONE, 0,
		false, true);
	TreeItem* week = new TreeItem("Week: A-Standart", 0, true);
	TreeItem* monday = new TreeItem("Mo : A-WerkTags", 0, false);
	TreeItem* lunch = new TreeItem("Mittag", 1, true);
	TreeItem* tuesday = new TreeItem("Tu : no DayModel", 0, true,
		make_color(200, 10, 10));
	TreeItem* coffee = new TreeItem("Kaffee", 1, true);
	for (TreeItem* item : { week, monday, lunch, tuesday, coffee })
		tree->AddItem(item);
	window->AddChild(scroll);
	window->Show();
	ASSERT_TRUE(Sync());

	// Lunch sits under the collapsed Monday.
	EXPECT_EQ(tree->FullListCountItems(), 5);
	EXPECT_EQ(tree->CountItems(), 4);
	EXPECT_EQ(tree->IndexOf(lunch), -1);
	EXPECT_EQ(tree->Superitem(lunch), monday);
	EXPECT_EQ(tree->Superitem(monday), nullptr);
	EXPECT_TRUE(monday->HasSubitems());
	EXPECT_FALSE(week->HasSubitems());
	EXPECT_EQ(tree->CountItemsUnder(NULL, true), 3);
	EXPECT_EQ(tree->CountItemsUnder(tuesday, false), 1);
	EXPECT_EQ(tree->ItemUnderAt(tuesday, true, 0), coffee);
	EXPECT_TRUE(lunch->frames.empty());

	// Level 1 is drawn further right than level 0.
	ASSERT_FALSE(coffee->frames.empty());
	ASSERT_FALSE(tuesday->frames.empty());
	EXPECT_GT(coffee->frames.back().left, tuesday->frames.back().left);

	// A click on Monday's triangle expands it.
	BRect mondayFrame = tree->ItemFrame(tree->IndexOf(monday));
	WindowAutomation::Click(tree, BPoint(4, mondayFrame.top + 4));
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(monday->IsExpanded());
	EXPECT_EQ(tree->CountItems(), 5);
	EXPECT_EQ(tree->IndexOf(lunch), 2);
	EXPECT_FALSE(lunch->frames.empty());
	EXPECT_EQ(tree->CurrentSelection(), -1);

	// A selected item is drawn selected again on each redraw.
	tree->Select(tree->IndexOf(coffee));
	ASSERT_TRUE(Sync());
	int32 drawn = coffee->drawnSelected;
	EXPECT_GE(drawn, 1);
	tree->Invalidate();
	ASSERT_TRUE(Sync());
	EXPECT_GT(coffee->drawnSelected, drawn);

	// Collapsing hides the selected subitem and drops its selection.
	tree->Collapse(tuesday);
	EXPECT_EQ(tree->CountItems(), 4);
	EXPECT_FALSE(coffee->IsSelected());
	EXPECT_EQ(tree->CurrentSelection(), -1);

	// The red text of Tuesday's row reaches the picture.
	ASSERT_TRUE(Sync());
	BBitmap* picture = WindowAutomation::Snapshot(window);
	ASSERT_NE(picture, nullptr);
	BRect row = tree->ConvertToScreen(tree->ItemFrame(
		tree->IndexOf(tuesday)));
	row = window->ConvertFromScreen(row);
	bool red = false;
	for (int32 y = (int32)row.top; y <= (int32)row.bottom; y++) {
		for (int32 x = (int32)row.left; x < (int32)row.left + 100; x++) {
			rgb_color c = picture->ColorAt(x, y);
			red |= c.red > 150 && c.green < 90 && c.blue < 90;
		}
	}
	EXPECT_TRUE(red);
	delete picture;

	// Removing an item takes its subitems along.
	EXPECT_TRUE(tree->RemoveItem(monday));
	EXPECT_EQ(tree->FullListCountItems(), 3);
	EXPECT_FALSE(tree->FullListHasItem(lunch));
	delete monday;
	delete lunch;

	// The scroll bar covers the rows that do not fit.
	for (int i = 0; i < 40; i++)
		tree->AddUnder(new TreeItem("Pause", 1, true), week);
	EXPECT_EQ(tree->FullListIndexOf(week), 0);
	float min, max;
	scroll->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	BListItem* last = tree->LastItem();
	EXPECT_EQ(max, tree->ItemFrame(tree->IndexOf(last)).bottom
		- tree->Bounds().Height());
	tree->MakeEmpty();
	EXPECT_EQ(tree->FullListCountItems(), 0);
	scroll->ScrollBar(B_VERTICAL)->GetRange(&min, &max);
	EXPECT_EQ(max, 0);
}


TEST_F(ListTest, ReorderingKeepsTheSelectionOnItsItem)
{
	RecordingWindow* window = MakeWindow<RecordingWindow>(
		BRect(100, 100, 300, 200));
	BListView* list = new BListView(BRect(0, 0, 150, 60), "list");
	BScrollView* scroll = new BScrollView("sv", list, B_FOLLOW_NONE, 0,
		false, true);
	window->AddChild(scroll);
	BStringItem* items[10];
	for (int i = 0; i < 10; i++) {
		BString text;
		text << "item " << i;
		items[i] = new BStringItem(text.String());
		ASSERT_TRUE(list->AddItem(items[i]));
	}
	EXPECT_FALSE(list->AddItem(new BStringItem("x"), 99));
	window->Show();
	ASSERT_TRUE(Sync());

	list->Select(2);
	EXPECT_TRUE(list->SwapItems(2, 5));
	EXPECT_EQ(list->CurrentSelection(), 5);
	EXPECT_TRUE(list->MoveItem(5, 0));
	EXPECT_EQ(list->ItemAt(0), items[2]);
	EXPECT_EQ(list->CurrentSelection(), 0);
	EXPECT_EQ(list->ItemFrame(0).top, 0);
	EXPECT_EQ(list->ItemFrame(1).top, list->ItemFrame(0).bottom + 1);

	// A new item ahead of the selection shifts it down.
	BStringItem* head = new BStringItem("head");
	EXPECT_TRUE(list->AddItem(head, 0));
	EXPECT_EQ(list->CurrentSelection(), 1);
	EXPECT_EQ(list->IndexOf(items[2]), 1);

	// Replacing the selected item loses the selection.
	BStringItem* replacement = new BStringItem("new");
	EXPECT_TRUE(list->ReplaceItem(1, replacement));
	EXPECT_EQ(list->CurrentSelection(), -1);
	delete items[2];

	// Keys move the selection and keep it in view.
	list->MakeFocus(true);
	list->Select(0);
	for (int i = 0; i < 8; i++)
		WindowAutomation::Key(window, "\x1f");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(list->CurrentSelection(), 8);
	BRect bounds = list->Bounds();
	EXPECT_TRUE(bounds.Contains(list->ItemFrame(8)));
	EXPECT_EQ(scroll->ScrollBar(B_VERTICAL)->Value(), bounds.top);
	WindowAutomation::Key(window, "\x01");
	ASSERT_TRUE(Sync());
	EXPECT_EQ(list->CurrentSelection(), 0);
	EXPECT_EQ(list->Bounds().top, 0);

	// The wheel over the focused list scrolls its bar.
	WindowAutomation::Wheel(window, 1, BPoint(20, 20));
	ASSERT_TRUE(Sync());
	EXPECT_GT(list->Bounds().top, 0);

	// A larger font makes taller rows.
	float height = list->ItemFrame(0).Height();
	BFont font(be_plain_font);
	font.SetSize(20);
	list->SetFont(&font);
	EXPECT_GT(list->ItemFrame(0).Height(), height);

	int32 visited = 0;
	list->DoForEach([](BListItem*, void* data) {
		(*(int32*)data)++;
		return false;
	}, &visited);
	EXPECT_EQ(visited, list->CountItems());
	for (int32 i = list->CountItems() - 1; i >= 0; i--)
		delete list->RemoveItem(i);
}
