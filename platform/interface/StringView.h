// BStringView: a line of text, aligned left, centred or right.
#ifndef _STRING_VIEW_H
#define _STRING_VIEW_H

#include <String.h>
#include <View.h>

class BStringView : public BView {
public:
							BStringView(BRect frame, const char* name,
								const char* text,
								uint32 resizingMode = B_FOLLOW_LEFT
									| B_FOLLOW_TOP,
								uint32 flags = B_WILL_DRAW);
	virtual					~BStringView();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			GetPreferredSize(float* width, float* height);

			void			SetText(const char* text);
			const char*		Text() const { return fText.String(); }
			void			SetAlignment(alignment flag);
			alignment		Alignment() const { return fAlign; }

private:
			BString			fText;
			alignment		fAlign;
};

#endif	// _STRING_VIEW_H
