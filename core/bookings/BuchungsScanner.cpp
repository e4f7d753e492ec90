// BuchungsScanner: walks the records of a booking file held in memory.
#include "BuchungsScanner.h"


BuchungsScanner::BuchungsScanner(const void* data, size_t size)
	:
	fData((const uint8*)data),
	fSize(data != NULL ? size : 0),
	fPosition(0),
	fStop(B_SCAN_NOT_DONE)
{
}


bool
BuchungsScanner::Next(BuchungsRecord& record)
{
	if (fStop != B_SCAN_NOT_DONE)
		return false;

	size_t left = fSize - fPosition;
	if (left == 0) {
		fStop = B_SCAN_END;
		return false;
	}
	if (left < kRecordHeadSize) {
		fStop = B_SCAN_TORN;
		return false;
	}

	const uint8* head = fData + fPosition;
	record.first = head[0];
	record.kind = (int32)ReadLittle32(head);
	record.value = ReadLittle32(head + 4);
	record.text = NULL;

	size_t length = kRecordHeadSize;
	if (record.first == 'W') {
		// A marker: its text must lie wholly inside the file and be of a
		// length this program could have written.
		if (record.value > kMaxMarkerText) {
			fStop = B_SCAN_DAMAGED;
			return false;
		}
		if (record.value > left - kRecordHeadSize) {
			fStop = B_SCAN_TORN;
			return false;
		}
		record.text = head + kRecordHeadSize;
		length += record.value;
	}

	fPosition += length;
	return true;
}


size_t
BuchungsScanner::WholeEnd(const void* data, size_t size,
	buchung_scan_stop* stop)
{
	BuchungsScanner scanner(data, size);
	BuchungsRecord record;
	while (scanner.Next(record))
		;
	if (stop != NULL)
		*stop = scanner.Stop();
	return scanner.Position();
}


uint32
BuchungsScanner::ReadLittle32(const uint8* bytes)
{
	return (uint32)bytes[0] | ((uint32)bytes[1] << 8)
		| ((uint32)bytes[2] << 16) | ((uint32)bytes[3] << 24);
}


void
BuchungsScanner::WriteLittle32(uint8* bytes, uint32 value)
{
	bytes[0] = (uint8)value;
	bytes[1] = (uint8)(value >> 8);
	bytes[2] = (uint8)(value >> 16);
	bytes[3] = (uint8)(value >> 24);
}
