// BTextView: an editable (or read-only) area of text. The text lives in a
// Qt editor inside the view; keys and clicks still come through the
// window's queue to KeyDown and MouseDown, which hand them to the editor.
// Offsets are bytes of the UTF-8 text, as on BeOS. The editor scrolls by
// lines; a vertical BScrollBar aimed at the view sees pixels.
#ifndef _TEXT_VIEW_H
#define _TEXT_VIEW_H

#include <InterfaceDefs.h>
#include <String.h>
#include <View.h>

namespace BPrivate {
class TextEditor;
}

class BTextView : public BView {
public:
							BTextView(BRect frame, const char* name,
								BRect textRect, uint32 resizingMode,
								uint32 flags);
							BTextView(BRect frame, const char* name,
								BRect textRect, const BFont* initialFont,
								const rgb_color* initialColor,
								uint32 resizingMode, uint32 flags);
	virtual					~BTextView();

	virtual	void			AttachedToWindow();
	virtual	void			DetachedFromWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			FrameResized(float width, float height);
	virtual	void			SetViewColor(rgb_color color);
			void			SetViewColor(uchar r, uchar g, uchar b,
								uchar a = 255)
								{ BView::SetViewColor(r, g, b, a); }
	virtual	void			SetFont(const BFont* font,
								uint32 mask = B_FONT_ALL);
	// Scrolling moves the text inside the editor, line by line.
	virtual	void			ScrollTo(BPoint where);
	using BView::ScrollTo;

	// Text.
			void			SetText(const char* text);
			void			SetText(const char* text, int32 length);
			const char*		Text() const;
			int32			TextLength() const;
			void			GetText(int32 offset, int32 length,
								char* buffer) const;
			char			ByteAt(int32 offset) const;
			void			Insert(const char* text);
			void			Insert(const char* text, int32 length);
			void			Insert(int32 offset, const char* text,
								int32 length);
			void			Delete();
			void			Delete(int32 startOffset, int32 endOffset);

	// Selection and lines.
			void			Select(int32 startOffset, int32 endOffset);
			void			SelectAll();
			void			GetSelection(int32* startOffset,
								int32* endOffset) const;
			int32			CountLines() const;
			int32			CurrentLine() const;
			void			GoToLine(int32 lineNumber);
			float			LineHeight(int32 lineNumber = 0) const;
			float			TextHeight(int32 startLine,
								int32 endLine) const;
			void			ScrollToOffset(int32 offset);
			void			ScrollToSelection();

	// Behaviour.
			void			MakeEditable(bool editable = true);
			bool			IsEditable() const { return fEditable; }
			void			MakeSelectable(bool selectable = true);
			bool			IsSelectable() const { return fSelectable; }
			void			SetWordWrap(bool wrap);
			bool			DoesWordWrap() const { return fWordWrap; }
			// Text typed or inserted beyond this many bytes is refused.
			void			SetMaxBytes(int32 max);
			int32			MaxBytes() const { return fMaxBytes; }
			void			DisallowChar(uint32 character);
			void			AllowChar(uint32 character);
			void			SetAlignment(alignment flag);
			alignment		Alignment() const { return fAlignment; }
			void			SetStylable(bool stylable)
								{ fStylable = stylable; }
			bool			IsStylable() const { return fStylable; }
			void			SetAutoindent(bool state)
								{ fAutoindent = state; }
			bool			DoesAutoindent() const { return fAutoindent; }

			void			SetTextRect(BRect rect);
			BRect			TextRect() const { return fTextRect; }

	// One font and one colour for the whole text.
			void			SetFontAndColor(const BFont* font,
								uint32 mode = B_FONT_ALL,
								const rgb_color* color = NULL);
			void			GetFontAndColor(BFont* font, uint32* sameProperties,
								rgb_color* color = NULL,
								bool* sameColor = NULL) const;

protected:
	// Called after the user changed the text (typing, deleting, pasting);
	// not after SetText or Insert from code.
	virtual	void			_TextModifiedByUser();

			// The text control's input is one line with a QLineEdit.
			void			_SetSingleLine();
			bool			_IsSingleLine() const { return fSingleLine; }

private:
	friend class BPrivate::TextEditor;

			void			_Init(BRect textRect, const BFont* font,
								const rgb_color* color);
			void			_ApplyLook();
			void			_PlaceEditor();
			void			_UpdateScrollBars();
			void			_ForwardMouse(uint32 what, BPoint where);
			bool			_FitsMaxBytes(const char* text) const;

			BPrivate::TextEditor* fEditor;
			mutable BString	fText;
			BRect			fTextRect;
			rgb_color		fTextColor;
			int32			fMaxBytes;
			alignment		fAlignment;
			bool			fEditable;
			bool			fSelectable;
			bool			fWordWrap;
			bool			fStylable;
			bool			fAutoindent;
			bool			fSingleLine;
			bool			fTracking;
			BString			fDisallowed;
};

#endif	// _TEXT_VIEW_H
