// PTextView: the protocol page of the records window — one scrolling text
// view "text_view" into which the window writes the month evaluation.
#ifndef P_TEXT_VIEW_H
#define P_TEXT_VIEW_H

#include <Box.h>

class BRadioButton;
class BScrollView;
class BTextView;
class STimeModels;

class PTextView : public BBox {
public:
							PTextView(BRect frame, const char* name,
								BRadioButton* tab);
	virtual					~PTextView();

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Draw(BRect updateRect);

			BTextView*		TextView() const { return fTextView; }

private:
			STimeModels*	fModels;
			BRadioButton*	fTabButton;
			BTextView*		fTextView;
			BScrollView*	fScrollView;
};

#endif	// P_TEXT_VIEW_H
