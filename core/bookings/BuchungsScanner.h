// BuchungsScanner: walks the records of a booking file held in memory.
//
// A booking file is a plain sequence of records, each opening with an 8-byte
// head: a 32-bit kind and a 32-bit value, both little-endian. A head whose
// first byte is 'W' is a week-model marker and is followed by as many bytes
// of text as its value says. Only the first byte of the kind decides.
//
// The scanner is the one place that decides where a file's whole records
// end, so the list reader and the appender (which cuts a torn last record
// before it writes) always agree.
#ifndef BUCHUNGS_SCANNER_H
#define BUCHUNGS_SCANNER_H

#include <SupportDefs.h>


// Longest marker text the scanner accepts; a longer one is taken for damage.
static const uint32 kMaxMarkerText = 1024;
static const size_t kRecordHeadSize = 8;


enum buchung_scan_stop {
	B_SCAN_NOT_DONE = 0,	// records may follow
	B_SCAN_END,				// every byte belongs to a whole record
	B_SCAN_TORN,			// the last record was cut short (a crash, a full
							// disk); an appender cuts it back
	B_SCAN_DAMAGED			// a marker longer than kMaxMarkerText; nothing
							// after it can be read, but it is kept
};


struct BuchungsRecord {
	uint8			first;		// first byte of the kind
	int32			kind;		// the whole 32-bit kind
	uint32			value;		// punch time, or marker text length
	const uint8*	text;		// marker text, else NULL
};


class BuchungsScanner {
public:
								BuchungsScanner(const void* data, size_t size);

			// Gives the next whole record; false once the scan stopped.
			bool				Next(BuchungsRecord& record);

			// End of the last whole record read so far.
			size_t				Position() const { return fPosition; }
			buchung_scan_stop	Stop() const { return fStop; }

			// Scans everything; returns where whole records end.
	static	size_t				WholeEnd(const void* data, size_t size,
									buchung_scan_stop* stop = NULL);

	static	uint32				ReadLittle32(const uint8* bytes);
	static	void				WriteLittle32(uint8* bytes, uint32 value);

private:
			const uint8*		fData;
			size_t				fSize;
			size_t				fPosition;
			buchung_scan_stop	fStop;
};


#endif	// BUCHUNGS_SCANNER_H
