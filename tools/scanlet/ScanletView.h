// The Deskbar item of scanlet: a small picture of a tag, named
// "ScanletView" so the application finds the reader running.
#ifndef SCANLET_VIEW_H
#define SCANLET_VIEW_H

#include <View.h>

class ScanletView : public BView {
public:
							ScanletView();

	virtual	void			Draw(BRect updateRect);
};

#endif	// SCANLET_VIEW_H
