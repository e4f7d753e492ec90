// BListView: a column of BListItems that the user selects with the mouse
// or the arrow keys. A change of the selection calls SelectionChanged and
// sends the selection message; a double click or Enter sends the
// invocation message. Both carry "index" fields of the selected rows.
#ifndef _LIST_VIEW_H
#define _LIST_VIEW_H

#include <Invoker.h>
#include <List.h>
#include <ListItem.h>
#include <View.h>

enum list_view_type {
	B_SINGLE_SELECTION_LIST,
	B_MULTIPLE_SELECTION_LIST
};

class BListView : public BView, public BInvoker {
public:
							BListView(BRect frame, const char* name,
								list_view_type type = B_SINGLE_SELECTION_LIST,
								uint32 resizingMode = B_FOLLOW_LEFT
									| B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_FRAME_EVENTS
									| B_NAVIGABLE);
	virtual					~BListView();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			FrameResized(float width, float height);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			SetFont(const BFont* font,
								uint32 mask = B_FONT_ALL);
	virtual	void			GetPreferredSize(float* width, float* height);

	// Items. The list does not own them: RemoveItem and MakeEmpty leave
	// deleting to the caller.
	virtual	bool			AddItem(BListItem* item);
	virtual	bool			AddItem(BListItem* item, int32 atIndex);
	virtual	bool			AddList(BList* newItems);
	virtual	bool			RemoveItem(BListItem* item);
	virtual	BListItem*		RemoveItem(int32 index);
	virtual	bool			RemoveItems(int32 index, int32 count);
	virtual	void			MakeEmpty();
			int32			CountItems() const { return fList.CountItems(); }
			BListItem*		ItemAt(int32 index) const
								{ return (BListItem*)fList.ItemAt(index); }
			BListItem*		FirstItem() const { return ItemAt(0); }
			BListItem*		LastItem() const
								{ return ItemAt(CountItems() - 1); }
			int32			IndexOf(const BListItem* item) const
								{ return fList.IndexOf((void*)item); }
			int32			IndexOf(BPoint point) const;
			bool			HasItem(const BListItem* item) const
								{ return IndexOf(item) >= 0; }
			bool			IsEmpty() const { return fList.IsEmpty(); }
			const BListItem**	Items() const
								{ return (const BListItem**)fList.Items(); }
			bool			SwapItems(int32 a, int32 b);
			bool			MoveItem(int32 from, int32 to);
			bool			ReplaceItem(int32 index, BListItem* item);
			void			SortItems(int (*compare)(const void*,
								const void*));
			void			DoForEach(bool (*func)(BListItem* item));
			void			DoForEach(bool (*func)(BListItem* item,
								void* data), void* data);
			BRect			ItemFrame(int32 index) const;
			void			InvalidateItem(int32 index);

	// Selection.
			void			Select(int32 index, bool extend = false);
			void			Select(int32 from, int32 to, bool extend = false);
			bool			IsItemSelected(int32 index) const;
			int32			CurrentSelection(int32 which = 0) const;
			void			Deselect(int32 index);
			void			DeselectAll();
			void			DeselectExcept(int32 from, int32 to);
			void			ScrollToSelection();
	virtual	void			SelectionChanged();

			void			SetListType(list_view_type type);
			list_view_type	ListType() const { return fType; }

	// The selection message is sent on every change of the selection; the
	// invocation message (BInvoker's) on a double click or Enter.
	virtual	void			SetSelectionMessage(BMessage* message);
			BMessage*		SelectionMessage() const
								{ return fSelectionMessage; }
			uint32			SelectionCommand() const;
	virtual	void			SetInvocationMessage(BMessage* message);
			BMessage*		InvocationMessage() const { return Message(); }
			uint32			InvocationCommand() const { return Command(); }
	virtual	status_t		Invoke(BMessage* message = NULL);

protected:
	// Draws one item at its frame; BOutlineListView adds the latches.
	virtual	void			DrawItem(BListItem* item, BRect itemFrame,
								bool complete = false);
	// The list of rows changed: tops, scroll bar and picture follow.
			void			_ItemsChanged(int32 fromIndex);
	virtual	bool			_ClickedAt(int32 index, BPoint where);
			bool			_Deselect(int32 index);
			void			_SelectionDidChange();

			BList			fList;

private:
			bool			_Select(int32 from, int32 to, bool extend);
			void			_FixupScrollBar();
			void			_Send(BMessage* message, uint32 kind);

			list_view_type	fType;
			BMessage*		fSelectionMessage;
			int32			fAnchor;
			bool			fDrawing;
};

#endif	// _LIST_VIEW_H
