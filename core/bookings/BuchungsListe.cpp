// BuchungsListe: the ordered booking list of one employee, and its booking
// file in both directions.
#include "BuchungsListe.h"

#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <AtomicReplace.h>

#include "BuchungsDatei.h"
#include "BuchungsScanner.h"


// How many bytes of a marker's text a row keeps.
static const size_t kMarkerTextKept = 31;


BuchungsListe::BuchungsListe()
	:
	fRows(20),
	fGeneration(0)
{
	_ResetFileState();
}


BuchungsListe::~BuchungsListe()
{
	MakeEmpty();
}


bool
BuchungsListe::AddItem(fBuchung* row)
{
	return row != NULL && fRows.AddItem(row);
}


bool
BuchungsListe::AddItem(fBuchung* row, int32 index)
{
	return row != NULL && fRows.AddItem(row, index);
}


fBuchung*
BuchungsListe::RemoveItem(int32 index)
{
	return (fBuchung*)fRows.RemoveItem(index);
}


bool
BuchungsListe::SwapItems(int32 indexA, int32 indexB)
{
	return fRows.SwapItems(indexA, indexB);
}


void
BuchungsListe::MakeEmpty()
{
	for (int32 i = fRows.CountItems() - 1; i >= 0; i--)
		delete (fBuchung*)fRows.ItemAt(i);
	fRows.MakeEmpty();
	fGeneration++;
}


// #pragma mark - records in memory


void
BuchungsListe::Decode(const void* data, size_t size)
{
	MakeEmpty();
	_ResetFileState();
	if (data == NULL)
		size = 0;

	BuchungsScanner scanner(data, size);
	BuchungsRecord record;
	bool openIn = false;
	while (scanner.Next(record)) {
		switch (record.first) {
			case 'W':
			{
				// The name without blanks and ';', from the kept bytes.
				char name[kMarkerTextKept + 1];
				size_t kept = min_c((size_t)record.value, kMarkerTextKept);
				size_t length = 0;
				for (size_t i = 0; i < kept; i++) {
					char c = (char)record.text[i];
					if (c == '\0')
						break;
					if (c != ' ' && c != ';')
						name[length++] = c;
				}
				name[length] = '\0';
				fBuchung* row = new fBuchung(kBuchungMarker,
					(time_t)record.value, name);
				AddItem(row);
				openIn = false;
				break;
			}
			case 'I':
				AddItem(new fBuchung(kBuchungIn, (time_t)record.value));
				openIn = true;
				break;
			case 'O':
				if (openIn) {
					fBuchung* row = ItemAt(CountItems() - 1);
					row->fKind2 = kBuchungOut;
					row->fTime2 = (time_t)record.value;
					openIn = false;
				} else
					AddItem(new fBuchung(kBuchungOut, (time_t)record.value));
				break;
			default:
				// An unknown kind: its head is skipped.
				break;
		}
	}

	if (data != NULL) {
		_TakeContent(std::string((const char*)data + scanner.Position(),
			size - scanner.Position()), scanner.Position());
	}
}


static bool
fits_file(time_t value)
{
	return value >= 0 && (uint64)value <= UINT32_MAX;
}


status_t
BuchungsListe::Encode(std::string& data) const
{
	data.clear();
	data.reserve((size_t)CountItems() * kRecordHeadSize * 2);

	for (int32 i = 0; i < CountItems(); i++) {
		const fBuchung* row = ItemAt(i);
		if (row == NULL)
			continue;

		if (row->fKind1 == kBuchungIn) {
			bool pair = row->fKind2 == kBuchungOut;
			if (!fits_file(row->fTime1) || (pair && !fits_file(row->fTime2)))
				return B_BAD_VALUE;
			BuchungsDatei::AddPunchRecord(data, 'I', (uint32)row->fTime1);
			if (pair)
				BuchungsDatei::AddPunchRecord(data, 'O', (uint32)row->fTime2);
		} else if (row->fKind1 == kBuchungOut) {
			if (!fits_file(row->fTime1))
				return B_BAD_VALUE;
			BuchungsDatei::AddPunchRecord(data, 'O', (uint32)row->fTime1);
		} else if (row->fKind1 == kBuchungMarker) {
			if (row->fTime1 < 0 || row->fTime1 > (time_t)kMaxMarkerText)
				return B_BAD_VALUE;
			BuchungsDatei::AddMarkerRecord(data, row->fText,
				(uint32)row->fTime1);
		}
	}
	return B_OK;
}


// #pragma mark - the booking file


status_t
BuchungsListe::Read(const char* path)
{
	printf("Liste hat %ld Buchungen\n", (long)CountItems());
	MakeEmpty();
	printf("\n");
	_ResetFileState();

	int fd = BuchungsDatei::OpenLocked(path, O_RDONLY, LOCK_SH);
	if (fd < 0) {
		printf(" no file..\n");
		return fd;
	}

	std::string content;
	status_t status = BuchungsDatei::ReadAll(fd, content);
	struct stat info;
	if (status == B_OK && fstat(fd, &info) != 0)
		status = B_IO_ERROR;
	close(fd);
	if (status != B_OK) {
		printf(" no file..\n");
		return status;
	}

	Decode(content.data(), content.size());
	fHaveFile = true;
	fDevice = info.st_dev;
	fInode = info.st_ino;
	return B_OK;
}


status_t
BuchungsListe::Write(const char* path)
{
	const char* shown = path != NULL ? path : "";
	printf("-- '%s'\n", shown);

	std::string data;
	if (Encode(data) != B_OK) {
		printf("..time out of range, can't write '%s'\n", shown);
		return B_BAD_VALUE;
	}

	// Holding the lock, no punch can be appended between taking the
	// current content and renaming the new file over it. A missing file is
	// created first, so that appenders line up behind the lock too.
	int fd = BuchungsDatei::OpenLocked(path, O_RDWR | O_CREAT, LOCK_EX);
	if (fd < 0) {
		printf("..can't write '%s'\n", shown);
		return fd;
	}

	std::string current;
	struct stat info;
	status_t status = BuchungsDatei::ReadAll(fd, current);
	if (status == B_OK && fstat(fd, &info) != 0)
		status = B_IO_ERROR;
	if (status != B_OK) {
		close(fd);
		printf("..can't write '%s'\n", shown);
		return status;
	}

	// Another file took the path since it was read (restored, or written
	// by someone else): writing the list over it would lose its content.
	bool sameFile = fHaveFile && info.st_dev == fDevice
		&& info.st_ino == fInode;
	if (fHaveFile && !sameFile && !current.empty()) {
		close(fd);
		printf("..file changed since it was read, can't write '%s'\n",
			shown);
		return B_BUSY;
	}

	// What the file gained since it was read: every record behind what
	// was read. When the read ended in a torn record, an appender may have
	// cut it and written from there on.
	std::string kept = fKept;
	size_t readSize = fListEnd + fKept.size();
	size_t gainedFrom = readSize;
	if (!sameFile)
		gainedFrom = fHaveFile ? current.size() : 0;
	else if (fCutAt >= 0) {
		size_t cutAt = (size_t)fCutAt;
		bool untouched = current.size() == readSize
			&& current.compare(cutAt, std::string::npos, fKept,
				cutAt - fListEnd, std::string::npos) == 0;
		if (!untouched) {
			kept.resize(cutAt - fListEnd);
			gainedFrom = cutAt;
		}
	}
	if (gainedFrom < current.size())
		kept.append(current, gainedFrom, std::string::npos);

	size_t listEnd = data.size();
	data.append(kept);
	status = BPrivate::replace_file_atomically(path, data.data(),
		data.size());
	if (status == B_OK) {
		struct stat written;
		if (stat(path, &written) == 0) {
			fDevice = written.st_dev;
			fInode = written.st_ino;
			fHaveFile = true;
		} else
			fHaveFile = false;
		_TakeContent(kept, listEnd);
		// The torn record an appender would cut, seen over the whole file.
		buchung_scan_stop stop;
		size_t wholeEnd = BuchungsScanner::WholeEnd(data.data(), data.size(),
			&stop);
		fCutAt = stop == B_SCAN_TORN ? (int64)wholeEnd : -1;
	}
	close(fd);

	if (status != B_OK)
		printf("..can't write '%s'\n", shown);
	return status;
}


void
BuchungsListe::_ResetFileState()
{
	fHaveFile = false;
	fDevice = 0;
	fInode = 0;
	fListEnd = 0;
	fKept.clear();
	fCutAt = -1;
}


void
BuchungsListe::_TakeContent(const std::string& kept, size_t listEnd)
{
	fListEnd = listEnd;
	fKept = kept;
	buchung_scan_stop stop;
	BuchungsScanner::WholeEnd(fKept.data(), fKept.size(), &stop);
	fCutAt = stop == B_SCAN_TORN ? (int64)listEnd : -1;
}
