// BListItem: one row of a BListView, drawn by DrawItem into its owner;
// BStringItem: a row of text. Items carry an outline level and an
// expanded flag for BOutlineListView.
#ifndef _LIST_ITEM_H
#define _LIST_ITEM_H

#include <Rect.h>
#include <SupportDefs.h>

class BFont;
class BListView;
class BOutlineListView;
class BView;

class BListItem {
public:
							BListItem(uint32 outlineLevel = 0,
								bool expanded = true);
	virtual					~BListItem();

			float			Height() const { return fHeight; }
			float			Width() const { return fWidth; }
			void			SetHeight(float height) { fHeight = height; }
			void			SetWidth(float width) { fWidth = width; }
			bool			IsSelected() const { return fSelected; }
			void			Select() { fSelected = true; }
			void			Deselect() { fSelected = false; }
	virtual	void			SetEnabled(bool enabled) { fEnabled = enabled; }
			bool			IsEnabled() const { return fEnabled; }
			bool			IsExpanded() const { return fExpanded; }
			void			SetExpanded(bool expanded)
								{ fExpanded = expanded; }
			uint32			OutlineLevel() const { return fLevel; }
			void			SetOutlineLevel(uint32 level)
								{ fLevel = level; }
			bool			HasSubitems() const { return fHasSubitems; }

	// Draws the item into its owner; complete asks for the background too.
	virtual	void			DrawItem(BView* owner, BRect frame,
								bool complete = false) = 0;
	// Measures the item for the owner's font.
	virtual	void			Update(BView* owner, const BFont* font);

private:
	friend class BListView;
	friend class BOutlineListView;

			float			fTop;
			float			fWidth;
			float			fHeight;
			uint32			fLevel;
			bool			fSelected;
			bool			fEnabled;
			bool			fExpanded;
			bool			fHasSubitems;
};


class BStringItem : public BListItem {
public:
							BStringItem(const char* text,
								uint32 outlineLevel = 0,
								bool expanded = true);
	virtual					~BStringItem();

	// Fills the row when selected (or complete) and draws the text in the
	// owner's high colour.
	virtual	void			DrawItem(BView* owner, BRect frame,
								bool complete = false);
	virtual	void			SetText(const char* text);
			const char*		Text() const { return fText; }
	virtual	void			Update(BView* owner, const BFont* font);

protected:
			float			BaselineOffset() const { return fBaselineOffset; }

private:
			char*			fText;
			float			fBaselineOffset;
};

#endif	// _LIST_ITEM_H
