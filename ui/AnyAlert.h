// AnyAlert: the program's one-button message box for errors the user must
// see. The text stands under the line "Zelmora.."; the call returns once
// the user has pressed " I see " (or Enter).
#ifndef _ANY_ALERT_H
#define _ANY_ALERT_H

class BAlert;

// Longest text shown; a longer one is cut.
#define ZL_ALERT_TEXT_MAX 2035

void		AnyAlert(const char* text);

// The alert AnyAlert shows, built but not yet running.
BAlert*		MakeAnyAlert(const char* text);

#endif	// _ANY_ALERT_H
