// BListView: items lie one below the other from the top of the view; the
// view scrolls as a whole, so its scroll bar's range is the height of the
// rows that do not fit.
#include <ListView.h>

#include <math.h>
#include <stdlib.h>

#include <algorithm>

#include <Message.h>
#include <OS.h>
#include <ScrollBar.h>
#include <Window.h>


BListView::BListView(BRect frame, const char* name, list_view_type type,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_WILL_DRAW),
	BInvoker(),
	fType(type),
	fSelectionMessage(NULL),
	fAnchor(-1),
	fDrawing(false)
{
}


BListView::~BListView()
{
	delete fSelectionMessage;
}


void
BListView::AttachedToWindow()
{
	if (!Messenger().IsValid())
		SetTarget(Window());
	BFont font;
	GetFont(&font);
	for (int32 i = 0; i < CountItems(); i++)
		ItemAt(i)->Update(this, &font);
	_ItemsChanged(0);
	BView::AttachedToWindow();
}


//	#pragma mark - items


bool
BListView::AddItem(BListItem* item)
{
	return AddItem(item, CountItems());
}


bool
BListView::AddItem(BListItem* item, int32 atIndex)
{
	if (item == NULL || atIndex < 0 || atIndex > CountItems()
		|| !fList.AddItem(item, atIndex))
		return false;
	BFont font;
	GetFont(&font);
	item->Update(this, &font);
	if (fAnchor >= atIndex)
		fAnchor++;
	_ItemsChanged(atIndex);
	return true;
}


bool
BListView::AddList(BList* newItems)
{
	if (newItems == NULL)
		return false;
	for (int32 i = 0; i < newItems->CountItems(); i++) {
		if (!AddItem((BListItem*)newItems->ItemAt(i)))
			return false;
	}
	return true;
}


bool
BListView::RemoveItem(BListItem* item)
{
	return RemoveItem(IndexOf(item)) != NULL;
}


BListItem*
BListView::RemoveItem(int32 index)
{
	BListItem* item = ItemAt(index);
	if (item == NULL)
		return NULL;
	bool wasSelected = item->IsSelected();
	item->Deselect();
	fList.RemoveItem(index);
	if (fAnchor == index)
		fAnchor = -1;
	else if (fAnchor > index)
		fAnchor--;
	_ItemsChanged(index);
	if (wasSelected)
		_SelectionDidChange();
	return item;
}


bool
BListView::RemoveItems(int32 index, int32 count)
{
	if (index < 0 || count < 0 || index + count > CountItems())
		return false;
	bool selectionChanged = false;
	for (int32 i = 0; i < count; i++) {
		BListItem* item = (BListItem*)fList.RemoveItem(index);
		selectionChanged |= item->IsSelected();
		item->Deselect();
	}
	fAnchor = -1;
	_ItemsChanged(index);
	if (selectionChanged)
		_SelectionDidChange();
	return true;
}


void
BListView::MakeEmpty()
{
	bool selectionChanged = false;
	for (int32 i = 0; i < CountItems(); i++) {
		selectionChanged |= ItemAt(i)->IsSelected();
		ItemAt(i)->Deselect();
	}
	fList.MakeEmpty();
	fAnchor = -1;
	_ItemsChanged(0);
	if (selectionChanged)
		SelectionChanged();
}


bool
BListView::SwapItems(int32 a, int32 b)
{
	if (!fList.SwapItems(a, b))
		return false;
	_ItemsChanged(std::min(a, b));
	return true;
}


bool
BListView::MoveItem(int32 from, int32 to)
{
	if (!fList.MoveItem(from, to))
		return false;
	_ItemsChanged(std::min(from, to));
	return true;
}


bool
BListView::ReplaceItem(int32 index, BListItem* item)
{
	if (item == NULL || ItemAt(index) == NULL)
		return false;
	BListItem* old = ItemAt(index);
	bool wasSelected = old->IsSelected();
	old->Deselect();
	fList.ReplaceItem(index, item);
	BFont font;
	GetFont(&font);
	item->Update(this, &font);
	_ItemsChanged(index);
	if (wasSelected)
		_SelectionDidChange();
	return true;
}


void
BListView::SortItems(int (*compare)(const void*, const void*))
{
	fList.SortItems(compare);
	_ItemsChanged(0);
}


void
BListView::DoForEach(bool (*func)(BListItem* item))
{
	for (int32 i = 0; i < CountItems(); i++) {
		if (func(ItemAt(i)))
			break;
	}
}


void
BListView::DoForEach(bool (*func)(BListItem* item, void* data), void* data)
{
	for (int32 i = 0; i < CountItems(); i++) {
		if (func(ItemAt(i), data))
			break;
	}
}


// The rows from fromIndex on moved: new tops, a new scroll range and a
// fresh picture.
void
BListView::_ItemsChanged(int32 fromIndex)
{
	fromIndex = std::max<int32>(0, fromIndex);
	float top = 0;
	if (fromIndex > 0 && fromIndex <= CountItems()) {
		BListItem* previous = ItemAt(fromIndex - 1);
		top = previous->fTop + previous->fHeight;
	}
	for (int32 i = fromIndex; i < CountItems(); i++) {
		BListItem* item = ItemAt(i);
		item->fTop = top;
		top += item->fHeight;
	}
	_FixupScrollBar();
	Invalidate();
}


BRect
BListView::ItemFrame(int32 index) const
{
	BListItem* item = ItemAt(index);
	BRect bounds = Bounds();
	if (item == NULL)
		return BRect();
	return BRect(bounds.left, item->fTop, bounds.right,
		item->fTop + item->fHeight - 1);
}


int32
BListView::IndexOf(BPoint point) const
{
	// The tops grow with the index: a binary search finds the row.
	int32 low = 0;
	int32 high = CountItems() - 1;
	while (low <= high) {
		int32 middle = (low + high) / 2;
		BListItem* item = ItemAt(middle);
		if (point.y < item->fTop)
			high = middle - 1;
		else if (point.y >= item->fTop + item->fHeight)
			low = middle + 1;
		else
			return middle;
	}
	return -1;
}


void
BListView::InvalidateItem(int32 index)
{
	if (ItemAt(index) != NULL)
		Invalidate(ItemFrame(index));
}


void
BListView::_FixupScrollBar()
{
	BScrollBar* bar = ScrollBar(B_VERTICAL);
	if (bar == NULL)
		return;
	float total = 0;
	if (CountItems() > 0) {
		BListItem* last = LastItem();
		total = last->fTop + last->fHeight;
	}
	float visible = Bounds().Height() + 1;
	bar->SetRange(0, std::max(0.0f, total - visible));
	bar->SetProportion(total > 0 ? std::min(1.0f, visible / total) : 1);
	float step = CountItems() > 0 ? FirstItem()->fHeight : 20;
	bar->SetSteps(step, std::max(step, visible - step));
}


//	#pragma mark - drawing


void
BListView::Draw(BRect updateRect)
{
	fDrawing = true;
	int32 first = IndexOf(BPoint(0, std::max(0.0f, updateRect.top)));
	if (first < 0)
		first = 0;
	for (int32 i = first; i < CountItems(); i++) {
		BRect frame = ItemFrame(i);
		if (frame.top > updateRect.bottom)
			break;
		if (frame.bottom < updateRect.top)
			continue;
		DrawItem(ItemAt(i), frame, false);
	}
	fDrawing = false;
}


void
BListView::DrawItem(BListItem* item, BRect itemFrame, bool complete)
{
	item->DrawItem(this, itemFrame, complete);
}


void
BListView::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	// Items that set the owner's font while they draw change the drawing
	// state only, not the rows.
	if (fDrawing)
		return;
	BFont current;
	GetFont(&current);
	for (int32 i = 0; i < CountItems(); i++)
		ItemAt(i)->Update(this, &current);
	_ItemsChanged(0);
}


void
BListView::FrameResized(float width, float height)
{
	_FixupScrollBar();
	BView::FrameResized(width, height);
}


void
BListView::GetPreferredSize(float* width, float* height)
{
	float maxWidth = 0;
	for (int32 i = 0; i < CountItems(); i++)
		maxWidth = std::max(maxWidth, ItemAt(i)->Width());
	if (width != NULL)
		*width = std::max(Bounds().Width(), maxWidth);
	if (height != NULL) {
		*height = CountItems() > 0
			? LastItem()->fTop + LastItem()->fHeight - 1 : Bounds().Height();
	}
}


//	#pragma mark - selection


bool
BListView::_Select(int32 from, int32 to, bool extend)
{
	if (from < 0 || to < from || to >= CountItems())
		return false;
	if (fType == B_SINGLE_SELECTION_LIST) {
		to = from;
		extend = false;
	}
	bool changed = false;
	if (!extend) {
		for (int32 i = 0; i < CountItems(); i++) {
			if ((i < from || i > to) && ItemAt(i)->IsSelected())
				changed |= _Deselect(i);
		}
	}
	for (int32 i = from; i <= to; i++) {
		BListItem* item = ItemAt(i);
		if (!item->IsSelected() && item->IsEnabled()) {
			item->Select();
			InvalidateItem(i);
			changed = true;
		}
	}
	fAnchor = from;
	return changed;
}


bool
BListView::_Deselect(int32 index)
{
	BListItem* item = ItemAt(index);
	if (item == NULL || !item->IsSelected())
		return false;
	item->Deselect();
	InvalidateItem(index);
	return true;
}


void
BListView::_SelectionDidChange()
{
	SelectionChanged();
	if (fSelectionMessage != NULL)
		_Send(fSelectionMessage, B_CONTROL_MODIFIED);
}


void
BListView::Select(int32 index, bool extend)
{
	if (index < 0) {
		if (!extend)
			DeselectAll();
		return;
	}
	if (_Select(index, index, extend))
		_SelectionDidChange();
}


void
BListView::Select(int32 from, int32 to, bool extend)
{
	if (_Select(from, to, extend))
		_SelectionDidChange();
}


bool
BListView::IsItemSelected(int32 index) const
{
	BListItem* item = ItemAt(index);
	return item != NULL && item->IsSelected();
}


int32
BListView::CurrentSelection(int32 which) const
{
	if (which < 0)
		return -1;
	for (int32 i = 0; i < CountItems(); i++) {
		if (ItemAt(i)->IsSelected() && which-- == 0)
			return i;
	}
	return -1;
}


void
BListView::Deselect(int32 index)
{
	if (_Deselect(index))
		_SelectionDidChange();
}


void
BListView::DeselectAll()
{
	bool changed = false;
	for (int32 i = 0; i < CountItems(); i++)
		changed |= _Deselect(i);
	if (changed)
		_SelectionDidChange();
}


void
BListView::DeselectExcept(int32 from, int32 to)
{
	bool changed = false;
	for (int32 i = 0; i < CountItems(); i++) {
		if (i < from || i > to)
			changed |= _Deselect(i);
	}
	if (changed)
		_SelectionDidChange();
}


void
BListView::ScrollToSelection()
{
	int32 index = CurrentSelection();
	if (index < 0)
		return;
	BRect frame = ItemFrame(index);
	BRect bounds = Bounds();
	if (frame.top < bounds.top)
		ScrollTo(bounds.left, frame.top);
	else if (frame.bottom > bounds.bottom)
		ScrollTo(bounds.left, frame.bottom - bounds.Height());
}


void
BListView::SelectionChanged()
{
}


void
BListView::SetListType(list_view_type type)
{
	if (type == fType)
		return;
	fType = type;
	if (type == B_SINGLE_SELECTION_LIST) {
		int32 first = CurrentSelection();
		if (first >= 0)
			DeselectExcept(first, first);
	}
}


//	#pragma mark - messages


void
BListView::SetSelectionMessage(BMessage* message)
{
	if (message == fSelectionMessage)
		return;
	delete fSelectionMessage;
	fSelectionMessage = message;
}


uint32
BListView::SelectionCommand() const
{
	return fSelectionMessage != NULL ? fSelectionMessage->what : 0;
}


void
BListView::SetInvocationMessage(BMessage* message)
{
	SetMessage(message);
}


void
BListView::_Send(BMessage* message, uint32 kind)
{
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	for (int32 i = 0; i < CountItems(); i++) {
		if (ItemAt(i)->IsSelected())
			copy.AddInt32("index", i);
	}
	BeginInvokeNotify(kind);
	BInvoker::Invoke(&copy);
	EndInvokeNotify();
}


status_t
BListView::Invoke(BMessage* message)
{
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	_Send(message, B_CONTROL_INVOKED);
	return B_OK;
}


//	#pragma mark - input


bool
BListView::_ClickedAt(int32, BPoint)
{
	return false;
}


void
BListView::MouseDown(BPoint where)
{
	if ((Flags() & B_NAVIGABLE) != 0 && !IsFocus())
		MakeFocus(true);
	int32 index = IndexOf(where);
	if (index < 0)
		return;
	if (_ClickedAt(index, where))
		return;
	int32 clicks = 1;
	int32 modifiers = 0;
	BMessage* current = Window() != NULL ? Window()->CurrentMessage() : NULL;
	if (current != NULL) {
		current->FindInt32("clicks", &clicks);
		current->FindInt32("modifiers", &modifiers);
	}
	if (clicks >= 2 && IsItemSelected(index)) {
		Invoke();
		return;
	}
	if (fType == B_MULTIPLE_SELECTION_LIST
		&& (modifiers & (B_SHIFT_KEY | B_COMMAND_KEY)) != 0) {
		if ((modifiers & B_SHIFT_KEY) != 0 && fAnchor >= 0) {
			Select(std::min(fAnchor, index), std::max(fAnchor, index), true);
		} else if (IsItemSelected(index))
			Deselect(index);
		else
			Select(index, true);
		return;
	}
	Select(index);
}


void
BListView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes <= 0)
		return;
	int32 current = CurrentSelection();
	switch (bytes[0]) {
		case B_UP_ARROW:
			if (CountItems() > 0) {
				Select(current > 0 ? current - 1 : 0);
				ScrollToSelection();
			}
			break;
		case B_DOWN_ARROW:
			if (CountItems() > 0) {
				Select(current < 0 ? 0
					: std::min(current + 1, CountItems() - 1));
				ScrollToSelection();
			}
			break;
		case B_HOME:
			if (CountItems() > 0) {
				Select(0);
				ScrollToSelection();
			}
			break;
		case B_END:
			if (CountItems() > 0) {
				Select(CountItems() - 1);
				ScrollToSelection();
			}
			break;
		case B_ENTER:
		case B_SPACE:
			if (current >= 0)
				Invoke();
			break;
		default:
			BView::KeyDown(bytes, numBytes);
			break;
	}
}


void
BListView::MakeFocus(bool focus)
{
	if (focus == IsFocus())
		return;
	BView::MakeFocus(focus);
	Invalidate();
}


void
BListView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case B_MOUSE_WHEEL_CHANGED:
		{
			float delta;
			BScrollBar* bar = ScrollBar(B_VERTICAL);
			if (bar == NULL || message->FindFloat("be:wheel_delta_y", &delta)
					!= B_OK || delta == 0) {
				BView::MessageReceived(message);
				break;
			}
			float smallStep, largeStep;
			bar->GetSteps(&smallStep, &largeStep);
			bar->SetValue(bar->Value() + delta * smallStep * 3);
			break;
		}
		default:
			BView::MessageReceived(message);
			break;
	}
}
