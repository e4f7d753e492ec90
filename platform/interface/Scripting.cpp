// Scripting of windows and views, and the automation suite: clicks, keys,
// wheel steps and drops go through the same paths as real input.
#include "Scripting.h"

#include <cxxabi.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <AppPrivate.h>
#include <Application.h>
#include <Control.h>
#include <ListView.h>
#include <Menu.h>
#include <MenuField.h>
#include <MenuItem.h>
#include <Message.h>
#include <PropertyInfo.h>
#include <StringView.h>
#include <TextControl.h>
#include <TextView.h>
#include <View.h>
#include <Window.h>
#include <WindowAutomation.h>

namespace BPrivate {

namespace {

const property_info kWindowProperties[] = {
	{ "Title", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "The window's title.", 0,
		{ B_STRING_TYPE, 0 } },
	{ "Frame", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "The window's frame on screen.", 0,
		{ B_RECT_TYPE, 0 } },
	{ "Hidden", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "Whether the window is hidden.", 0,
		{ B_BOOL_TYPE, 0 } },
	{ "View", { 0 }, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER,
		B_NAME_SPECIFIER, 0 }, "A view: a child by index, any by name.", 0,
		{ 0 } },
	{ "View", { B_COUNT_PROPERTIES, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"The number of child views.", 0, { B_INT32_TYPE, 0 } },
	{ "Views", { B_GET_PROPERTY, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"Name, class, label and frame of every view.", 0, { 0 } },
	{ "Key", { B_EXECUTE_PROPERTY, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"A key press: \"bytes\" or \"key\" (unmapped), \"modifiers\".", 0,
		{ 0 } },
	{ "Wheel", { B_EXECUTE_PROPERTY, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"Wheel steps \"delta\" (positive = down).", 0, { 0 } },
	{ "Snapshot", { B_EXECUTE_PROPERTY, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"The window's picture as PNG to \"path\".", 0, { 0 } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};

const property_info kViewProperties[] = {
	{ "Frame", { B_GET_PROPERTY, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"The view's frame in its parent.", 0, { B_RECT_TYPE, 0 } },
	{ "Hidden", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "Whether the view is hidden.", 0,
		{ B_BOOL_TYPE, 0 } },
	{ "View", { 0 }, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER,
		B_NAME_SPECIFIER, 0 }, "A child by index, a descendant by name.", 0,
		{ 0 } },
	{ "View", { B_COUNT_PROPERTIES, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"The number of child views.", 0, { B_INT32_TYPE, 0 } },
	{ "Views", { B_GET_PROPERTY, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"Name, class, label and frame of every descendant.", 0, { 0 } },
	{ "Text", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "The text of a text or string view.", 0,
		{ B_STRING_TYPE, 0 } },
	{ "Label", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "The label of a control.", 0,
		{ B_STRING_TYPE, 0 } },
	{ "Value", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "The value of a control.", 0,
		{ B_INT32_TYPE, 0 } },
	{ "Enabled", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "Whether a control takes input.", 0,
		{ B_BOOL_TYPE, 0 } },
	{ "Click", { B_EXECUTE_PROPERTY, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"A press and release at \"where\" (default the centre) with "
		"\"buttons\" (1 primary, 2 secondary).", 0, { 0 } },
	{ "Drop", { B_EXECUTE_PROPERTY, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"Files \"path\" dropped at \"where\".", 0, { 0 } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};

// Menus and menu fields; Label and Marked here are those of a MenuItem.
const property_info kMenuProperties[] = {
	{ "MenuItem", { B_COUNT_PROPERTIES, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"The number of items.", 0, { B_INT32_TYPE, 0 } },
	{ "MenuItem", { B_EXECUTE_PROPERTY, 0 }, { B_INDEX_SPECIFIER,
		B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER, 0 },
		"Chooses the item as a click would, so its message is sent.", 0,
		{ 0 } },
	{ "MenuItem", { 0 }, { B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER,
		B_NAME_SPECIFIER, 0 }, "An item by index or by label.", 0, { 0 } },
	{ "Label", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "Of a MenuItem: its label.", 0,
		{ B_STRING_TYPE, 0 } },
	{ "Marked", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "Of a MenuItem: whether it is marked.", 0,
		{ B_BOOL_TYPE, 0 } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};

const property_info kMenuFieldProperties[] = {
	{ "Marked", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "The label of the marked item; setting a "
		"label or index chooses that item as a click would.", 0,
		{ B_STRING_TYPE, B_INT32_TYPE, 0 } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};

const property_info kListProperties[] = {
	{ "Selection", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "The indexes of the selected items (-1: "
		"none); setting one selects only that item.", 0,
		{ B_INT32_TYPE, 0 } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};


// The menu a view offers items of: its own, or a menu field's.
BMenu*
MenuOf(BView* view)
{
	if (BMenu* menu = dynamic_cast<BMenu*>(view))
		return menu;
	if (BMenuField* field = dynamic_cast<BMenuField*>(view))
		return field->Menu();
	return NULL;
}


// An item of the menu itself (not of its submenus) by index or label.
BMenuItem*
ItemFor(BMenu* menu, BMessage* specifier, int32 form, status_t* error)
{
	*error = B_OK;
	if (form == B_NAME_SPECIFIER) {
		const char* name = specifier->GetString("name", NULL);
		for (int32 i = 0; name != NULL && i < menu->CountItems(); i++) {
			if (strcmp(menu->ItemAt(i)->Label(), name) == 0)
				return menu->ItemAt(i);
		}
		*error = B_NAME_NOT_FOUND;
		return NULL;
	}
	int32 index = specifier->GetInt32("index", -1);
	if (form == B_REVERSE_INDEX_SPECIFIER)
		index = menu->CountItems() - 1 - index;
	BMenuItem* item = menu->ItemAt(index);
	if (item == NULL)
		*error = B_BAD_INDEX;
	return item;
}


// Chooses an item as a click would: only an enabled item of an enabled
// field, and not one that only opens a submenu.
status_t
ChooseItem(BView* view, BMenu* menu, BMenuItem* item)
{
	BMenuField* field = dynamic_cast<BMenuField*>(view);
	if ((field != NULL && !field->IsEnabled()) || !item->IsEnabled())
		return B_NOT_ALLOWED;
	if (item->Submenu() != NULL)
		return B_BAD_VALUE;
	menu->_Choose(item);
	return B_OK;
}


std::string
ClassName(const BView* view)
{
	int status = 0;
	char* name = abi::__cxa_demangle(typeid(*view).name(), NULL, NULL,
		&status);
	std::string result = status == 0 && name != NULL ? name
		: typeid(*view).name();
	free(name);
	return result;
}


BView*
FindDescendant(BView* parent, const char* name)
{
	for (int32 i = 0; i < parent->CountChildren(); i++) {
		BView* child = parent->ChildAt(i);
		if (child->Name() != NULL && strcmp(child->Name(), name) == 0)
			return child;
		if (BView* found = FindDescendant(child, name))
			return found;
	}
	return NULL;
}


void
AddViews(BMessage& reply, BView* view)
{
	const char* label = NULL;
	if (BControl* control = dynamic_cast<BControl*>(view))
		label = control->Label();
	else if (BMenuField* field = dynamic_cast<BMenuField*>(view))
		label = field->Label();
	if (label == NULL)
		label = "";
	reply.AddString("result", view->Name() != NULL ? view->Name() : "");
	reply.AddString("class", ClassName(view).c_str());
	reply.AddString("label", label);
	reply.AddRect("frame", view->Frame());
	for (int32 i = 0; i < view->CountChildren(); i++)
		AddViews(reply, view->ChildAt(i));
}


// The view a "View" specifier names below a parent (the window when
// parent is NULL): a child by index, any descendant by name.
BView*
ViewFor(BWindow* window, BView* parent, BMessage* specifier, int32 form,
	status_t* error)
{
	int32 count = parent != NULL ? parent->CountChildren()
		: window->CountChildren();
	if (form == B_NAME_SPECIFIER) {
		const char* name = specifier->GetString("name", NULL);
		BView* view = NULL;
		if (name != NULL)
			view = parent != NULL ? FindDescendant(parent, name)
				: window->FindView(name);
		*error = view != NULL ? B_OK : B_NAME_NOT_FOUND;
		return view;
	}
	int32 index = specifier->GetInt32("index", -1);
	if (form == B_REVERSE_INDEX_SPECIFIER)
		index = count - 1 - index;
	if (index < 0 || index >= count) {
		*error = B_BAD_INDEX;
		return NULL;
	}
	*error = B_OK;
	return parent != NULL ? parent->ChildAt(index) : window->ChildAt(index);
}


BHandler*
ResolveView(BWindow* window, BView* parent, BMessage* message,
	BMessage* specifier, int32 form)
{
	status_t error;
	BView* view = ViewFor(window, parent, specifier, form, &error);
	if (view == NULL) {
		send_script_error(message, error, error == B_BAD_INDEX
			? "View index out of range" : "No view with that name");
		return NULL;
	}
	message->PopSpecifier();
	return view;
}


void
Reply(BMessage* message, BMessage& reply, status_t error = B_OK)
{
	reply.AddInt32("error", error);
	message->SendReply(&reply);
}


// Sync and Snapshot are served outside every looper, so that no window is
// busy while the queues are worked off.
bool
ApplicationScriptHook(BMessage* message)
{
	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property)
			!= B_OK || message->what != B_EXECUTE_PROPERTY)
		return false;
	BMessage reply(B_REPLY);
	if (strcmp(property, "Sync") == 0 && form == B_DIRECT_SPECIFIER) {
		bool done = WindowAutomation::Sync();
		Reply(message, reply, done ? B_OK : B_TIMED_OUT);
		return true;
	}
	if (strcmp(property, "Window") != 0 || index < 1)
		return false;
	BMessage inner;
	int32 innerForm;
	const char* innerProperty;
	message->SetCurrentSpecifier(index - 1);
	bool snapshot = message->GetCurrentSpecifier(NULL, &inner, &innerForm,
			&innerProperty) == B_OK
		&& strcmp(innerProperty, "Snapshot") == 0
		&& innerForm == B_DIRECT_SPECIFIER && index == 1;
	message->SetCurrentSpecifier(index);
	if (!snapshot)
		return false;
	BWindow* window;
	status_t status = find_window(&specifier, form, &window, NULL);
	const char* path = message->GetString("path", NULL);
	if (status == B_OK && path == NULL)
		status = B_BAD_VALUE;
	if (status == B_OK) {
		WindowAutomation::Sync();
		status = WindowAutomation::SavePNG(window, path);
	}
	if (status != B_OK)
		send_script_error(message, status, "No snapshot taken", B_REPLY);
	else
		Reply(message, reply);
	return true;
}


struct HookRegistration {
	HookRegistration() { set_application_script_hook(ApplicationScriptHook); }
} sHookRegistration;

}	// namespace


BHandler*
resolve_window_specifier(BWindow* window, BMessage* message, int32 index,
	BMessage* specifier, int32 form, const char* property, bool* matched)
{
	int32 match = BPropertyInfo(kWindowProperties).FindMatch(message, index,
		specifier, form, property);
	*matched = match >= 0;
	if (match == 3)
		return ResolveView(window, NULL, message, specifier, form);
	if (match >= 0)
		return window;
	return NULL;
}


status_t
window_supported_suites(BWindow*, BMessage* data)
{
	status_t status = data->AddString("suites", "suite/vnd.Be-window");
	if (status == B_OK)
		status = BPropertyInfo(kWindowProperties).AddTo(data);
	return status;
}


bool
handle_window_script(BWindow* window, BMessage* message)
{
	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property)
			!= B_OK || form != B_DIRECT_SPECIFIER)
		return false;
	bool get = message->what == B_GET_PROPERTY;
	bool set = message->what == B_SET_PROPERTY;
	bool execute = message->what == B_EXECUTE_PROPERTY;
	BMessage reply(B_REPLY);
	status_t error = B_OK;
	if (strcmp(property, "Title") == 0 && (get || set)) {
		const char* title;
		if (get)
			reply.AddString("result", window->Title());
		else if (message->FindString("data", &title) == B_OK)
			window->SetTitle(title);
		else
			error = B_BAD_VALUE;
	} else if (strcmp(property, "Frame") == 0 && (get || set)) {
		BRect frame;
		if (get)
			reply.AddRect("result", window->Frame());
		else if (message->FindRect("data", &frame) == B_OK) {
			window->MoveTo(frame.LeftTop());
			window->ResizeTo(frame.Width(), frame.Height());
		} else
			error = B_BAD_VALUE;
	} else if (strcmp(property, "Hidden") == 0 && (get || set)) {
		bool hidden;
		if (get)
			reply.AddBool("result", window->IsHidden());
		else if (message->FindBool("data", &hidden) == B_OK) {
			if (hidden && !window->IsHidden())
				window->Hide();
			else if (!hidden && window->IsHidden())
				window->Show();
		} else
			error = B_BAD_VALUE;
	} else if (strcmp(property, "View") == 0
		&& message->what == B_COUNT_PROPERTIES) {
		reply.AddInt32("result", window->CountChildren());
	} else if (strcmp(property, "Views") == 0 && get) {
		for (int32 i = 0; i < window->CountChildren(); i++)
			AddViews(reply, window->ChildAt(i));
	} else if (strcmp(property, "Key") == 0 && execute) {
		int32 key;
		const char* bytes;
		uint32 modifiers = (uint32)message->GetInt32("modifiers", 0);
		if (message->FindInt32("key", &key) == B_OK)
			error = WindowAutomation::UnmappedKey(window, key, modifiers);
		else if (message->FindString("bytes", &bytes) == B_OK)
			error = WindowAutomation::Key(window, bytes, modifiers);
		else
			error = B_BAD_VALUE;
	} else if (strcmp(property, "Wheel") == 0 && execute) {
		float delta = message->GetFloat("delta",
			(float)message->GetInt32("delta", 1));
		error = WindowAutomation::Wheel(window, delta,
			message->GetPoint("where", BPoint(0, 0)));
	} else
		return false;
	Reply(message, reply, error);
	return true;
}


BHandler*
resolve_view_specifier(BView* view, BMessage* message, int32 index,
	BMessage* specifier, int32 form, const char* property, bool* matched)
{
	int32 match = BPropertyInfo(kViewProperties).FindMatch(message, index,
		specifier, form, property);
	if (match == 2) {
		*matched = true;
		return ResolveView(view->Window(), view, message, specifier, form);
	}
	// Menu items are no handlers: the menu or field answers for them.
	*matched = match >= 0
		|| (MenuOf(view) != NULL && BPropertyInfo(kMenuProperties).FindMatch(
			message, index, specifier, form, property) >= 0)
		|| (dynamic_cast<BMenuField*>(view) != NULL
			&& BPropertyInfo(kMenuFieldProperties).FindMatch(message, index,
				specifier, form, property) >= 0)
		|| (dynamic_cast<BListView*>(view) != NULL
			&& BPropertyInfo(kListProperties).FindMatch(message, index,
				specifier, form, property) >= 0);
	return *matched ? view : NULL;
}


status_t
view_supported_suites(BView* view, BMessage* data)
{
	status_t status = B_OK;
	if (dynamic_cast<BMenuField*>(view) != NULL) {
		status = data->AddString("suites", "suite/vnd.Be-menu-field");
		if (status == B_OK)
			status = BPropertyInfo(kMenuFieldProperties).AddTo(data);
	} else if (dynamic_cast<BMenu*>(view) != NULL)
		status = data->AddString("suites", "suite/vnd.Be-menu");
	if (status == B_OK && MenuOf(view) != NULL)
		status = BPropertyInfo(kMenuProperties).AddTo(data);
	if (status == B_OK && dynamic_cast<BListView*>(view) != NULL) {
		status = data->AddString("suites", "suite/vnd.Be-list-view");
		if (status == B_OK)
			status = BPropertyInfo(kListProperties).AddTo(data);
	}
	if (status == B_OK)
		status = data->AddString("suites", "suite/vnd.Be-view");
	if (status == B_OK)
		status = BPropertyInfo(kViewProperties).AddTo(data);
	return status;
}


namespace {

// A request for a MenuItem of a menu or menu field: count, choose, or
// the item's Label or Marked named by the specifier inside.
bool
HandleMenuItemScript(BView* view, BMessage* message, int32 index,
	BMessage* specifier, int32 form)
{
	BMenu* menu = MenuOf(view);
	if (menu == NULL)
		return false;
	BMessage reply(B_REPLY);
	if (form == B_DIRECT_SPECIFIER) {
		if (message->what != B_COUNT_PROPERTIES)
			return false;
		reply.AddInt32("result", menu->CountItems());
		Reply(message, reply);
		return true;
	}
	status_t error;
	BMenuItem* item = ItemFor(menu, specifier, form, &error);
	if (item == NULL) {
		send_script_error(message, error, error == B_BAD_INDEX
			? "Menu item index out of range" : "No menu item with that label");
		return true;
	}
	if (index == 0) {
		if (message->what != B_EXECUTE_PROPERTY)
			return false;
		error = ChooseItem(view, menu, item);
		if (error != B_OK) {
			send_script_error(message, error, error == B_NOT_ALLOWED
				? "The item is disabled" : "The item opens a submenu");
		} else
			Reply(message, reply);
		return true;
	}
	BMessage inner;
	int32 innerForm;
	const char* property;
	if (index != 1 || message->SetCurrentSpecifier(index - 1) != B_OK
		|| message->GetCurrentSpecifier(NULL, &inner, &innerForm, &property)
			!= B_OK || innerForm != B_DIRECT_SPECIFIER)
		return false;
	bool get = message->what == B_GET_PROPERTY;
	bool set = message->what == B_SET_PROPERTY;
	if (strcmp(property, "Label") == 0 && (get || set)) {
		const char* label;
		if (get)
			reply.AddString("result", item->Label());
		else if (message->FindString("data", &label) == B_OK)
			item->SetLabel(label);
		else
			error = B_BAD_VALUE;
	} else if (strcmp(property, "Marked") == 0 && (get || set)) {
		bool marked;
		if (get)
			reply.AddBool("result", item->IsMarked());
		else if (message->FindBool("data", &marked) == B_OK)
			item->SetMarked(marked);
		else
			error = B_BAD_VALUE;
	} else
		return false;
	Reply(message, reply, error);
	return true;
}


// Marked of a menu field: the marked item's label, or the item to choose
// by label or index.
status_t
MarkedOfField(BMenuField* field, BMessage* message, BMessage& reply)
{
	BMenu* menu = field->Menu();
	if (menu == NULL)
		return B_BAD_VALUE;
	if (message->what == B_GET_PROPERTY) {
		BMenuItem* marked = menu->FindMarked();
		reply.AddString("result", marked != NULL ? marked->Label() : "");
		return B_OK;
	}
	BMessage specifier(B_NAME_SPECIFIER);
	int32 form = B_NAME_SPECIFIER;
	const char* label;
	int32 index;
	if (message->FindString("data", &label) == B_OK)
		specifier.AddString("name", label);
	else if (message->FindInt32("data", &index) == B_OK) {
		specifier.AddInt32("index", index);
		form = B_INDEX_SPECIFIER;
	} else
		return B_BAD_VALUE;
	status_t error;
	BMenuItem* item = ItemFor(menu, &specifier, form, &error);
	if (item == NULL)
		return error;
	return ChooseItem(field, menu, item);
}

}	// namespace


bool
handle_view_script(BView* view, BMessage* message)
{
	int32 index;
	BMessage specifier;
	int32 form;
	const char* property;
	if (message->GetCurrentSpecifier(&index, &specifier, &form, &property)
			!= B_OK)
		return false;
	if (strcmp(property, "MenuItem") == 0)
		return HandleMenuItemScript(view, message, index, &specifier, form);
	if (form != B_DIRECT_SPECIFIER)
		return false;
	bool get = message->what == B_GET_PROPERTY;
	bool set = message->what == B_SET_PROPERTY;
	bool execute = message->what == B_EXECUTE_PROPERTY;
	BControl* control = dynamic_cast<BControl*>(view);
	BMenuField* field = dynamic_cast<BMenuField*>(view);
	BListView* list = dynamic_cast<BListView*>(view);
	BMessage reply(B_REPLY);
	status_t error = B_OK;
	if (strcmp(property, "Frame") == 0 && get) {
		reply.AddRect("result", view->Frame());
	} else if (strcmp(property, "Hidden") == 0 && (get || set)) {
		bool hidden;
		if (get)
			reply.AddBool("result", view->IsHidden());
		else if (message->FindBool("data", &hidden) == B_OK) {
			if (hidden && !view->IsHidden())
				view->Hide();
			else if (!hidden && view->IsHidden())
				view->Show();
		} else
			error = B_BAD_VALUE;
	} else if (strcmp(property, "View") == 0
		&& message->what == B_COUNT_PROPERTIES) {
		reply.AddInt32("result", view->CountChildren());
	} else if (strcmp(property, "Views") == 0 && get) {
		for (int32 i = 0; i < view->CountChildren(); i++)
			AddViews(reply, view->ChildAt(i));
	} else if (strcmp(property, "Text") == 0 && (get || set)) {
		BTextControl* textControl = dynamic_cast<BTextControl*>(view);
		BStringView* stringView = dynamic_cast<BStringView*>(view);
		BTextView* textView = dynamic_cast<BTextView*>(view);
		if (textControl == NULL && stringView == NULL && textView == NULL)
			return false;
		const char* text;
		if (get) {
			reply.AddString("result", textControl != NULL
				? textControl->Text() : stringView != NULL
					? stringView->Text() : textView->Text());
		} else if (message->FindString("data", &text) == B_OK) {
			if (textControl != NULL)
				textControl->SetText(text);
			else if (stringView != NULL)
				stringView->SetText(text);
			else
				textView->SetText(text);
		} else
			error = B_BAD_VALUE;
	} else if ((control != NULL || field != NULL)
		&& strcmp(property, "Label") == 0 && (get || set)) {
		const char* label = control != NULL ? control->Label()
			: field->Label();
		if (get)
			reply.AddString("result", label != NULL ? label : "");
		else if (message->FindString("data", &label) != B_OK)
			error = B_BAD_VALUE;
		else if (control != NULL)
			control->SetLabel(label);
		else
			field->SetLabel(label);
	} else if (control != NULL && strcmp(property, "Value") == 0
		&& (get || set)) {
		int32 value;
		if (get)
			reply.AddInt32("result", control->Value());
		else if (message->FindInt32("data", &value) == B_OK)
			control->SetValue(value);
		else
			error = B_BAD_VALUE;
	} else if ((control != NULL || field != NULL)
		&& strcmp(property, "Enabled") == 0 && (get || set)) {
		bool enabled;
		if (get) {
			reply.AddBool("result", control != NULL ? control->IsEnabled()
				: field->IsEnabled());
		} else if (message->FindBool("data", &enabled) != B_OK)
			error = B_BAD_VALUE;
		else if (control != NULL)
			control->SetEnabled(enabled);
		else
			field->SetEnabled(enabled);
	} else if (field != NULL && strcmp(property, "Marked") == 0
		&& (get || set)) {
		error = MarkedOfField(field, message, reply);
	} else if (list != NULL && strcmp(property, "Selection") == 0
		&& (get || set)) {
		int32 selected;
		if (get) {
			for (int32 i = 0; (selected = list->CurrentSelection(i)) >= 0;
					i++)
				reply.AddInt32("result", selected);
			if (!reply.HasInt32("result"))
				reply.AddInt32("result", -1);
		} else if (message->FindInt32("data", &selected) != B_OK)
			error = B_BAD_VALUE;
		else if (selected >= list->CountItems() || selected < -1)
			error = B_BAD_INDEX;
		else if (selected < 0)
			list->DeselectAll();
		else {
			list->Select(selected);
			list->ScrollToSelection();
		}
	} else if (strcmp(property, "Click") == 0 && execute) {
		BRect bounds = view->Bounds();
		BPoint centre((bounds.left + bounds.right) / 2,
			(bounds.top + bounds.bottom) / 2);
		int32 buttons = message->GetInt32("buttons", 1);
		error = WindowAutomation::Click(view,
			message->GetPoint("where", centre),
			buttons == 2 ? B_SECONDARY_MOUSE_BUTTON : B_PRIMARY_MOUSE_BUTTON);
	} else if (strcmp(property, "Drop") == 0 && execute) {
		std::vector<const char*> paths;
		const char* path;
		for (int32 i = 0; message->FindString("path", i, &path) == B_OK; i++)
			paths.push_back(path);
		BRect bounds = view->Bounds();
		error = paths.empty() ? B_BAD_VALUE
			: WindowAutomation::Drop(view, message->GetPoint("where",
				BPoint((bounds.left + bounds.right) / 2,
					(bounds.top + bounds.bottom) / 2)),
				paths.data(), (int32)paths.size());
	} else
		return false;
	Reply(message, reply, error);
	return true;
}

}	// namespace BPrivate
