// BScreen: the geometry and colour space of a screen.
#ifndef _SCREEN_H
#define _SCREEN_H

#include <GraphicsDefs.h>
#include <Rect.h>

class BWindow;

struct screen_id {
	int32 id;
};

extern const screen_id B_MAIN_SCREEN_ID;

class BScreen {
public:
							BScreen(screen_id id = B_MAIN_SCREEN_ID);
							BScreen(BWindow* window);
							~BScreen();

			bool			IsValid();
			status_t		SetToNext();
			screen_id		ID();

			// The whole screen, inclusive: a 1024 x 768 screen is
			// BRect(0, 0, 1023, 767).
			BRect			Frame();
			color_space		ColorSpace();
			rgb_color		DesktopColor();
			status_t		WaitForRetrace();

private:
			int32			fIndex;
};

#endif	// _SCREEN_H
