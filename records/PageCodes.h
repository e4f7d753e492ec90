// Message codes of the records window's models and settings pages: what
// their controls send, and what the window hands on to them.
#ifndef _PAGE_CODES_H
#define _PAGE_CODES_H

#include <Message.h>
#include <SupportDefs.h>

// Models page: the tree's rows, the three pop-ups, the name and value
// fields and the two break buttons.
static const uint32 kMsgTreeRow = 'OL_x';
static const uint32 kMsgWeekNone = 'W---';
static const uint32 kMsgWeekNew = 'WNEW';
static const uint32 kMsgWeekName = 'WNam';
static const uint32 kMsgWeekSelect = 'WSel';
static const uint32 kMsgDayNone = 'D---';
static const uint32 kMsgDayNew = 'DNEW';
static const uint32 kMsgDayName = 'DNam';
static const uint32 kMsgDaySelect = 'DSel';
static const uint32 kMsgDayAddBreak = 'DaBT';
static const uint32 kMsgBreakNone = 'B---';
static const uint32 kMsgBreakNew = 'BNEW';
static const uint32 kMsgBreakName = 'BNam';
static const uint32 kMsgBreakSelect = 'BSel';
static const uint32 kMsgBreakRemove = 'BTrm';
static const uint32 kMsgValueFrom = 'tAin';
static const uint32 kMsgValueTo = 'tBin';
static const uint32 kMsgNameEntered = 'xNam';
// "save into Tag-File": to the window.
static const uint32 kMsgModelIntoTagFile = 'pM2T';

// Settings page: the relay panel, the time account and the payday.
static const uint32 kMsgRelayButton1 = 'mw_1';
static const uint32 kMsgRelayButton2 = 'mw_2';
static const uint32 kMsgRelayButton3 = 'mw_3';
static const uint32 kMsgRelayButton4 = 'mw_4';
static const uint32 kMsgOpenAllRelays = 'mw_o';
static const uint32 kMsgCloseAfter = 'mwca';
static const uint32 kMsgRelayAddress = 'mw_i';
static const uint32 kMsgUseRelayBox = 'mw_u';
static const uint32 kMsgPageRelaySwitched = 'mw_s';
static const uint32 kMsgPageRelayTimeUp = 'mw_c';
static const uint32 kMsgPageRelayDead = 'mw_k';
static const uint32 kMsgTimeAccount = 'pUta';
static const uint32 kMsgPayday = 'ppay';
// The three file buttons: handled by the window.
static const uint32 kMsgOpenBookingFile = 'sOTF';
static const uint32 kMsgOpenProfileFile = 'sOTP';
static const uint32 kMsgOpenTagRegister = 'zLMo';
// To the application after every settings change.
static const uint32 kMsgPagePrefsChanged = 'rPrf';

// True for a scripting request, which the view kit answers.
static inline bool
is_script_message(BMessage* message)
{
	int32 index;
	return message->GetCurrentSpecifier(&index) == B_OK
		|| message->what == B_GET_SUPPORTED_SUITES;
}

// True for the codes the window hands to the models page.
static inline bool
is_models_page_code(uint32 what)
{
	switch (what) {
		case kMsgTreeRow: case kMsgWeekNone: case kMsgWeekNew:
		case kMsgWeekName: case kMsgWeekSelect: case kMsgDayNone:
		case kMsgDayNew: case kMsgDayName: case kMsgDaySelect:
		case kMsgDayAddBreak: case kMsgBreakNone: case kMsgBreakNew:
		case kMsgBreakName: case kMsgBreakSelect: case kMsgBreakRemove:
		case kMsgValueFrom: case kMsgValueTo:
			return true;
		default:
			return false;
	}
}

// True for the codes the window hands to the settings page while it is
// shown.
static inline bool
is_settings_page_code(uint32 what)
{
	switch (what) {
		case kMsgRelayButton1: case kMsgRelayButton2:
		case kMsgRelayButton3: case kMsgRelayButton4:
		case kMsgPageRelayTimeUp: case kMsgRelayAddress:
		case kMsgPageRelayDead: case kMsgOpenAllRelays:
		case kMsgPageRelaySwitched: case kMsgUseRelayBox:
		case kMsgCloseAfter: case kMsgTimeAccount: case kMsgPayday:
			return true;
		default:
			return false;
	}
}

#endif	// _PAGE_CODES_H
