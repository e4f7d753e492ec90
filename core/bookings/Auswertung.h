// Auswertung: the month evaluation of a booking list into protocol text.
//
// Accounting months run from pay day to pay day. Every pair is listed with
// its duration and, under a week model, the breaks it deducts and the
// expected time of its day; every accounting month closes with expected and
// real presence and, when the account is shown, the running time account.
#ifndef AUSWERTUNG_H
#define AUSWERTUNG_H

#include <String.h>
#include <SupportDefs.h>


class BuchungsListe;
class STimeModels;


// Evaluates the rows in list order. Markers switch the register's current
// week model (it is left at the model of the last marker); nothing else in
// the register or the list changes. payDay is the settings' pay day P,
// showAccount the time-account flag S.
BString Auswertung_B(const BuchungsListe& list, STimeModels* models,
	int32 payDay, bool showAccount);


#endif	// AUSWERTUNG_H
