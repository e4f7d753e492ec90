// fBuchung: one row of a booking list — two punch slots, a short note and
// the last list operation applied to it.
//
// Roles follow from the kind codes:
//   complete pair      'I' 'O'   fTime1 = IN, fTime2 = OUT
//   missing OUT        'I' 'I'   fTime1 = fTime2 = the IN
//   missing IN         'O' 'O'   fTime1 = fTime2 = the OUT
//   week-model marker  marker    fTime1 = fTime2 = the text length n
// Times are 64-bit here; the file keeps them as unsigned 32-bit seconds.
#ifndef F_BUCHUNG_H
#define F_BUCHUNG_H

#include <time.h>

#include <SupportDefs.h>


static const int32 kBuchungIn = 'I';				// 73
static const int32 kBuchungOut = 'O';				// 79
static const int32 kBuchungMarker = 0x20204D57;		// "WM  " little-endian

// fEditState values; only kBuchungEditOpen changes behaviour.
enum {
	kBuchungEditApplied = 0,	// a modified time was applied
	kBuchungEditRead = 1,
	kBuchungEditDeleted = 2,
	kBuchungEditSplit = 3,
	kBuchungEditJoined = 4,
	kBuchungEditOpen = 6,		// a time modification is open
	kBuchungEditMoved = 7
};

static const size_t kBuchungTextSize = 64;
// Room BuAscTime needs in its output buffer.
static const size_t kBuAscTimeSize = 40;


class fBuchung {
public:
								fBuchung();
								// A lone punch: both slots hold it.
								fBuchung(int32 kind, time_t when,
									const char* text = "--");

			bool				IsMarker() const
									{ return fKind1 == kBuchungMarker; }
			bool				IsPair() const
									{ return fKind1 == kBuchungIn
										&& fKind2 == kBuchungOut; }
			bool				IsMissingOut() const
									{ return fKind1 == kBuchungIn
										&& fKind2 != kBuchungOut; }
			bool				IsMissingIn() const
									{ return fKind1 == kBuchungOut; }

			void				SetText(const char* text);

			int32				fKind1;
			time_t				fTime1;
			int32				fKind2;
			time_t				fTime2;
			char				fText[kBuchungTextSize];
			int32				fEditState;
};


// The one-line text of a punch pair: weekday, date and time of the IN, a
// dash, and the OUT (with its date when it falls on another day). out needs
// room for kBuAscTimeSize characters; the text never runs longer.
void BuAscTime(const fBuchung* row, char* out);


#endif	// F_BUCHUNG_H
