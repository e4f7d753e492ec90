// TLinkView: a framed label of two parts, a caption at the left and a
// value at the right, that reports clicks to its parent view as 'Dtel'
// with "_dModel" (the value), "_dFNr" (the caption) and "_dIdx" (its
// index).
#ifndef _T_LINK_VIEW_H
#define _T_LINK_VIEW_H

#include <String.h>
#include <StringView.h>

class TLinkView : public BStringView {
public:
							TLinkView(BRect frame, const char* caption,
								const char* value, int32 index,
								uint32 resizingMode = B_FOLLOW_LEFT
									| B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
	virtual					~TLinkView();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);

			int32			Index() const { return fIndex; }
			const char*		Value() const { return fValue.String(); }
			const char*		Caption() const { return fCaption.String(); }

private:
			int32			fIndex;
			BString			fValue;
			BString			fCaption;
};

#endif	// _T_LINK_VIEW_H
