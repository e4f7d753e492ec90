// AnyAlert: "Autsch" with one button, run modally.
#include "AnyAlert.h"

#include <stdio.h>
#include <string.h>

#include <Alert.h>

static const char* const kAlertHead = "Zelmora..\n";


BAlert*
MakeAnyAlert(const char* text)
{
	if (text == NULL)
		text = "";
	// The text is cut to what the message buffer holds, and never inside
	// a character of several bytes.
	size_t length = strnlen(text, ZL_ALERT_TEXT_MAX + 1);
	if (length > ZL_ALERT_TEXT_MAX) {
		length = ZL_ALERT_TEXT_MAX;
		while (length > 0 && ((unsigned char)text[length] & 0xc0) == 0x80)
			length--;
	}
	char message[2048];
	snprintf(message, sizeof(message), "%s%.*s", kAlertHead, (int)length,
		text);

	BAlert* alert = new BAlert("Autsch", message, " I see ", NULL, NULL,
		B_WIDTH_AS_USUAL, B_INFO_ALERT);
	alert->SetShortcut(0, B_ENTER);
	return alert;
}


void
AnyAlert(const char* text)
{
	MakeAnyAlert(text)->Go();
}
