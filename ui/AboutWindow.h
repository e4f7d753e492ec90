// The About window "ZLM-Info": the product name, an information text, the
// thanks and " OK ". Only one is open at a time.
#ifndef ABOUT_WINDOW_H
#define ABOUT_WINDOW_H

class BWindow;

extern BWindow* AInfoWindow;

BWindow*	ShowAboutWindow();
// Closes the About window and the records window ("Time-INFO").
void		CloseInfoWindow();

#endif	// ABOUT_WINDOW_H
