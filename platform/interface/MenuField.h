// BMenuField: a label and a pop-up button right of the divider that shows
// the menu's label (the marked item's, for a label-from-marked menu) and
// opens the menu below itself when clicked.
#ifndef _MENU_FIELD_H
#define _MENU_FIELD_H

#include <InterfaceDefs.h>
#include <String.h>
#include <View.h>

class BMenu;

class BMenuField : public BView {
public:
							BMenuField(BRect frame, const char* name,
								const char* label, BMenu* menu,
								uint32 resizingMode = B_FOLLOW_LEFT
									| B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
							BMenuField(BRect frame, const char* name,
								const char* label, BMenu* menu,
								bool fixedSize, uint32 resizingMode
									= B_FOLLOW_LEFT | B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	// Deletes its menu.
	virtual					~BMenuField();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			ResizeToPreferred();

			BMenu*			Menu() const { return fMenu; }

	virtual	void			SetLabel(const char* label);
			const char*		Label() const { return fLabel.String(); }
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const { return fEnabled; }
	virtual	void			SetAlignment(alignment label);
			alignment		Alignment() const { return fAlignment; }
	virtual	void			SetDivider(float position);
			float			Divider() const { return fDivider; }

private:
			void			_Init(const char* label, BMenu* menu);
			BRect			_MenuFrame() const;
			void			_OpenMenu();

			BString			fLabel;
			BMenu*			fMenu;
			alignment		fAlignment;
			float			fDivider;
			bool			fEnabled;
			bool			fFixedSize;
};

#endif	// _MENU_FIELD_H
