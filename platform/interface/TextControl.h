// BTextControl: a label and a one-line text field. Enter invokes the
// control (its message goes to the target); so does leaving the field
// after the text was changed. Setting the text from code invokes nothing.
// Every change the user makes sends the modification message, if any.
#ifndef _TEXT_CONTROL_H
#define _TEXT_CONTROL_H

#include <Control.h>
#include <TextView.h>

namespace BPrivate {
class TextInput;
}

class BTextControl : public BControl {
public:
							BTextControl(BRect frame, const char* name,
								const char* label, const char* initialText,
								BMessage* message,
								uint32 resizingMode = B_FOLLOW_LEFT
									| B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW | B_NAVIGABLE);
	virtual					~BTextControl();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			FrameResized(float width, float height);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			SetFont(const BFont* font,
								uint32 mask = B_FONT_ALL);

	virtual	void			SetText(const char* text);
			const char*		Text() const;
	virtual	void			SetLabel(const char* label);
	virtual	void			SetEnabled(bool enabled);

	virtual	void			SetModificationMessage(BMessage* message);
			BMessage*		ModificationMessage() const
								{ return fModificationMessage; }

	virtual	void			SetAlignment(alignment label, alignment text);
			void			GetAlignment(alignment* label,
								alignment* text) const;
	// Where the label ends and the field begins, from the left edge.
	virtual	void			SetDivider(float position);
			float			Divider() const { return fDivider; }

			BTextView*		TextView() const;

	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			ResizeToPreferred();

private:
	friend class BPrivate::TextInput;

			void			_LayoutTextView();
			BRect			_TextFrame() const;
			void			_UserModified();

			BPrivate::TextInput* fText;
			BMessage*		fModificationMessage;
			alignment		fLabelAlignment;
			float			fDivider;
};

#endif	// _TEXT_CONTROL_H
