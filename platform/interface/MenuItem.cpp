// BMenuItem and BSeparatorItem: measured and drawn in their menu's view.
#include <MenuItem.h>

#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <Menu.h>
#include <Message.h>
#include <OS.h>
#include <Window.h>

// Room left of the label for the check mark.
static const float kMarkSpace = 14;


BMenuItem::BMenuItem(const char* label, BMessage* message, char shortcut,
	uint32 modifiers)
	:
	BInvoker(message, NULL, NULL),
	fLabel(strdup(label != NULL ? label : "")),
	fSubmenu(NULL),
	fSuper(NULL),
	fShortcut(shortcut),
	fModifiers(modifiers),
	fMarked(false),
	fEnabled(true),
	fSelected(false)
{
}


BMenuItem::BMenuItem(BMenu* submenu, BMessage* message)
	:
	BInvoker(message, NULL, NULL),
	fLabel(strdup(submenu != NULL && submenu->Name() != NULL
		? submenu->Name() : "")),
	fSubmenu(submenu),
	fSuper(NULL),
	fShortcut(0),
	fModifiers(0),
	fMarked(false),
	fEnabled(true),
	fSelected(false)
{
	if (submenu != NULL)
		submenu->fSuperitem = this;
}


BMenuItem::~BMenuItem()
{
	if (fSuper != NULL)
		fSuper->RemoveItem(this);
	delete fSubmenu;
	free(fLabel);
}


void
BMenuItem::SetLabel(const char* label)
{
	free(fLabel);
	fLabel = strdup(label != NULL ? label : "");
	if (fSuper != NULL) {
		fSuper->_Layout();
		fSuper->_ItemMarked(NULL);
	}
}


void
BMenuItem::SetEnabled(bool enabled)
{
	if (enabled == fEnabled)
		return;
	fEnabled = enabled;
	if (fSuper != NULL)
		fSuper->Invalidate();
}


bool
BMenuItem::IsEnabled() const
{
	if (fSuper != NULL && !fSuper->IsEnabled())
		return false;
	return fEnabled;
}


void
BMenuItem::SetMarked(bool marked)
{
	if (marked == fMarked)
		return;
	fMarked = marked;
	if (fSuper != NULL && marked)
		fSuper->_ItemMarked(this);
	else if (fSuper != NULL)
		fSuper->_ItemMarked(NULL);
}


void
BMenuItem::SetShortcut(char shortcut, uint32 modifiers)
{
	fShortcut = shortcut;
	fModifiers = modifiers;
}


char
BMenuItem::Shortcut(uint32* modifiers) const
{
	if (modifiers != NULL)
		*modifiers = fModifiers;
	return fShortcut;
}


status_t
BMenuItem::Invoke(BMessage* message)
{
	if (!IsEnabled())
		return B_ERROR;
	if (message == NULL)
		message = Message();
	if (message == NULL)
		return B_BAD_VALUE;
	BMessage copy(*message);
	copy.AddInt64("when", system_time());
	copy.AddPointer("source", this);
	if (fSuper != NULL)
		copy.AddInt32("index", fSuper->IndexOf(this));
	if (!Messenger().IsValid()) {
		BWindow* window = fSuper != NULL ? fSuper->_OwnerWindow() : NULL;
		if (window == NULL)
			return B_BAD_PORT_ID;
		return window->PostMessage(&copy);
	}
	return BInvoker::Invoke(&copy);
}


void
BMenuItem::GetContentSize(float* width, float* height)
{
	BFont font;
	if (fSuper != NULL)
		fSuper->GetFont(&font);
	font_height metrics;
	font.GetHeight(&metrics);
	if (width != NULL)
		*width = ceilf(font.StringWidth(fLabel));
	if (height != NULL)
		*height = ceilf(metrics.ascent + metrics.descent + metrics.leading);
}


void
BMenuItem::Highlight(bool highlighted)
{
	fSelected = highlighted;
	if (fSuper != NULL)
		fSuper->Invalidate(fFrame);
}


void
BMenuItem::DrawContent()
{
	BMenu* menu = fSuper;
	font_height metrics;
	menu->GetFontHeight(&metrics);
	float baseline = fFrame.top + 2 + ceilf(metrics.ascent);
	menu->DrawString(fLabel, BPoint(fFrame.left + kMarkSpace, baseline));
}


void
BMenuItem::Draw()
{
	_Draw(fSelected);
}


void
BMenuItem::_Draw(bool highlighted)
{
	BMenu* menu = fSuper;
	if (menu == NULL)
		return;
	rgb_color background = menu->ViewColor();
	bool enabled = IsEnabled();
	if (highlighted && enabled) {
		menu->SetHighColor(ui_color(B_MENU_SELECTED_BACKGROUND_COLOR));
		menu->FillRect(fFrame);
	}
	rgb_color text = enabled
		? ui_color(highlighted ? B_MENU_SELECTED_ITEM_TEXT_COLOR
			: B_MENU_ITEM_TEXT_COLOR)
		: tint_color(background, B_DISABLED_LABEL_TINT);
	menu->SetHighColor(text);
	menu->SetLowColor(highlighted && enabled
		? ui_color(B_MENU_SELECTED_BACKGROUND_COLOR) : background);
	menu->SetDrawingMode(B_OP_OVER);
	DrawContent();
	menu->SetDrawingMode(B_OP_COPY);

	if (fMarked) {
		// A check mark in the room left of the label.
		float middle = floorf((fFrame.top + fFrame.bottom) / 2);
		float x = fFrame.left + 3;
		menu->SetPenSize(2);
		menu->StrokeLine(BPoint(x, middle), BPoint(x + 3, middle + 3));
		menu->StrokeLine(BPoint(x + 3, middle + 3), BPoint(x + 8,
			middle - 4));
		menu->SetPenSize(1);
	}
}


//	#pragma mark - BSeparatorItem


BSeparatorItem::BSeparatorItem()
	:
	BMenuItem("", NULL)
{
	BMenuItem::SetEnabled(false);
}


BSeparatorItem::~BSeparatorItem()
{
}


void
BSeparatorItem::SetEnabled(bool)
{
}


void
BSeparatorItem::GetContentSize(float* width, float* height)
{
	if (width != NULL)
		*width = 2;
	if (height != NULL)
		*height = 5;
}


void
BSeparatorItem::Draw()
{
	BMenu* menu = Menu();
	if (menu == NULL)
		return;
	BRect frame = Frame();
	float middle = floorf((frame.top + frame.bottom) / 2);
	rgb_color base = menu->ViewColor();
	menu->BeginLineArray(2);
	menu->AddLine(BPoint(frame.left + 1, middle), BPoint(frame.right - 1,
		middle), tint_color(base, B_DARKEN_2_TINT));
	menu->AddLine(BPoint(frame.left + 1, middle + 1), BPoint(frame.right - 1,
		middle + 1), tint_color(base, B_LIGHTEN_MAX_TINT));
	menu->EndLineArray();
}

