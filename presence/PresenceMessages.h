// Message codes the application, the main window and the rows exchange.
#ifndef PRESENCE_MESSAGES_H
#define PRESENCE_MESSAGES_H

#include <SupportDefs.h>

static const uint32 kMsgTagRead = 'RFID';
static const uint32 kMsgShowPerson = 'zLML';
static const uint32 kMsgRowSelected = 'zLMs';
static const uint32 kMsgPersonEdited = 'zLMn';
static const uint32 kMsgSaveRegister = 'zLMS';
static const uint32 kMsgOpenRegister = 'zLMo';
static const uint32 kMsgMore = 'zLMm';
static const uint32 kMsgRelayTimeUpCode = 'mw_c';
static const uint32 kMsgRelaySwitchedCode = 'mw_s';
static const uint32 kMsgRelayDeadCode = 'mw_k';
static const uint32 kMsgOpenRecords = 'pOpn';
static const uint32 kMsgDataProtocol = 'pUpd';
static const uint32 kMsgRecordsClosed = 'pCls';
static const uint32 kMsgReloadPrefs = 'rPrf';
static const uint32 kMsgAbout = 'sInf';
static const uint32 kMsgFutter = 'sOMV';
static const uint32 kMsgRequestTag = 'sRFT';

#endif	// PRESENCE_MESSAGES_H
