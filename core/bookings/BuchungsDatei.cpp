// BuchungsDatei: appending to a booking file without ever losing or tearing
// a record.
#include "BuchungsDatei.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <StoragePrivate.h>

#include "BuchungsScanner.h"
#include "fBuchung.h"


// A rewrite can replace the file between opening and locking; the next round
// opens the new one. Every round waited for a rewrite to finish, so rounds
// run out only if rewrites never stop; a punch must not give up earlier.
static const int kMaxOpenRounds = 1000000;


int
BuchungsDatei::OpenLocked(const char* path, int openMode, int lockOperation)
{
	if (path == NULL || path[0] == '\0')
		return B_BAD_VALUE;

	for (int round = 0; round < kMaxOpenRounds; round++) {
		int fd = open(path, openMode | O_CLOEXEC, 0644);
		if (fd < 0)
			return BPrivate::status_for_errno(errno);

		int result;
		do {
			result = flock(fd, lockOperation);
		} while (result != 0 && errno == EINTR);
		if (result != 0) {
			status_t error = BPrivate::status_for_errno(errno);
			close(fd);
			return error;
		}

		// The lock holds the file we opened; the path must still name it.
		struct stat opened;
		struct stat named;
		if (fstat(fd, &opened) == 0 && stat(path, &named) == 0
			&& opened.st_dev == named.st_dev
			&& opened.st_ino == named.st_ino) {
			if (!S_ISREG(opened.st_mode)) {
				close(fd);
				return B_BAD_TYPE;
			}
			return fd;
		}
		close(fd);
	}
	return B_BUSY;
}


status_t
BuchungsDatei::ReadAll(int fd, std::string& data)
{
	data.clear();
	struct stat info;
	if (fstat(fd, &info) == 0 && info.st_size > 0)
		data.reserve((size_t)info.st_size);

	char buffer[65536];
	off_t offset = 0;
	while (true) {
		ssize_t bytes = pread(fd, buffer, sizeof(buffer), offset);
		if (bytes < 0) {
			if (errno == EINTR)
				continue;
			return BPrivate::status_for_errno(errno);
		}
		if (bytes == 0)
			return B_OK;
		data.append(buffer, (size_t)bytes);
		offset += bytes;
	}
}


status_t
BuchungsDatei::_Append(const char* path, const std::string& record)
{
	int fd = OpenLocked(path, O_RDWR | O_CREAT | O_APPEND, LOCK_EX);
	if (fd < 0)
		return fd;

	// A crash may have cut the last record short; a record written behind
	// it would never be read, so the torn piece goes first.
	std::string content;
	status_t status = ReadAll(fd, content);
	if (status == B_OK) {
		buchung_scan_stop stop;
		size_t wholeEnd = BuchungsScanner::WholeEnd(content.data(),
			content.size(), &stop);
		if (stop == B_SCAN_TORN && ftruncate(fd, (off_t)wholeEnd) != 0)
			status = BPrivate::status_for_errno(errno);
		content.resize(wholeEnd);
	}

	// One write call, so that no reader ever sees half a record.
	if (status == B_OK) {
		ssize_t written;
		do {
			written = write(fd, record.data(), record.size());
		} while (written < 0 && errno == EINTR);
		if (written != (ssize_t)record.size()) {
			status = written < 0 ? BPrivate::status_for_errno(errno) : B_DEVICE_FULL;
			if (written > 0 && ftruncate(fd, (off_t)content.size()) != 0)
				status = BPrivate::status_for_errno(errno);
		} else if (fdatasync(fd) != 0)
			status = BPrivate::status_for_errno(errno);
	}

	close(fd);
	return status;
}


status_t
BuchungsDatei::AppendPunch(const char* path, char kind, time_t when)
{
	if ((kind != kBuchungIn && kind != kBuchungOut) || when < 0
		|| (uint64)when > UINT32_MAX)
		return B_BAD_VALUE;

	std::string record;
	AddPunchRecord(record, kind, (uint32)when);
	return _Append(path, record);
}


status_t
BuchungsDatei::AppendMarker(const char* path, const char* name)
{
	if (name == NULL)
		return B_BAD_VALUE;
	size_t nameLength = strlen(name);
	if (nameLength > kMaxMarkerName)
		return B_NAME_TOO_LONG;

	std::string record;
	AddMarkerRecord(record, name, MarkerLength(nameLength));
	return _Append(path, record);
}


status_t
BuchungsDatei::ModelIntoTagFile(const char* path, const char* name)
{
	if (name == NULL) {
		printf("WModelToTag aWeekPtr==NULL\n");
		return B_BAD_VALUE;
	}
	printf(">> WM for %s\n", path != NULL ? path : "");

	size_t nameLength = strlen(name);
	if (nameLength > kMaxMarkerName) {
		printf("..WM name too long (%ld > %ld): '%s'\n", (long)nameLength,
			(long)kMaxMarkerName, name);
		return B_NAME_TOO_LONG;
	}

	status_t status = AppendMarker(path, name);
	if (status != B_OK) {
		printf("..can't append '%s'\n", path != NULL ? path : "");
		return status;
	}

	size_t blanks;
	uint32 length = MarkerLength(nameLength, &blanks);
	// The trace shows the padding without the 8 blanks of long names.
	size_t padding = nameLength > 8 ? blanks - 8 : blanks;
	printf("'%s%s' [%ld |= %d |= %ld]\n", name,
		std::string(padding, ' ').c_str(), (long)nameLength, (int)padding,
		(long)length);
	return B_OK;
}


// #pragma mark -


uint32
BuchungsDatei::MarkerLength(size_t nameLength, size_t* padding)
{
	uint32 length;
	if (nameLength <= 8)
		length = 8;
	else
		length = (uint32)(nameLength / 16 * 16 + 24);
	if (padding != NULL)
		*padding = length - nameLength;
	return length;
}


void
BuchungsDatei::AddPunchRecord(std::string& data, char kind, uint32 when)
{
	uint8 record[kRecordHeadSize] = { (uint8)kind, 0, 0, 0 };
	BuchungsScanner::WriteLittle32(record + 4, when);
	data.append((const char*)record, sizeof(record));
}


void
BuchungsDatei::AddMarkerRecord(std::string& data, const char* name,
	uint32 length)
{
	uint8 head[kRecordHeadSize];
	BuchungsScanner::WriteLittle32(head, (uint32)kBuchungMarker);
	BuchungsScanner::WriteLittle32(head + 4, length);
	data.append((const char*)head, sizeof(head));

	size_t nameLength = name != NULL ? strnlen(name, length) : 0;
	data.append(name != NULL ? name : "", nameLength);
	data.append(length - nameLength, ' ');
}
