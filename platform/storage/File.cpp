// Regular files: reading, writing, positioning, size.
#include <File.h>

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <Directory.h>
#include <Entry.h>
#include <Path.h>

#include "StoragePrivate.h"

using namespace BPrivate;

static const uint32 kAccessMask = 0x0003;


// The host's open flags for a BeOS open mode.
static int
open_flags_for(uint32 openMode)
{
	int flags;
	switch (openMode & kAccessMask) {
		case B_WRITE_ONLY:
			flags = O_WRONLY;
			break;
		case B_READ_WRITE:
			flags = O_RDWR;
			break;
		default:
			flags = O_RDONLY;
			break;
	}
	if ((openMode & B_CREATE_FILE) != 0)
		flags |= O_CREAT;
	if ((openMode & B_FAIL_IF_EXISTS) != 0)
		flags |= O_EXCL;
	if ((openMode & B_ERASE_FILE) != 0)
		flags |= O_TRUNC;
	if ((openMode & B_OPEN_AT_END) != 0)
		flags |= O_APPEND;
	return flags;
}


BFile::BFile()
	:
	fMode(0)
{
}


BFile::BFile(const BFile& file)
	:
	BNode(),
	fMode(0)
{
	*this = file;
}


BFile::BFile(const entry_ref* ref, uint32 openMode)
	:
	fMode(0)
{
	SetTo(ref, openMode);
}


BFile::BFile(const BEntry* entry, uint32 openMode)
	:
	fMode(0)
{
	SetTo(entry, openMode);
}


BFile::BFile(const char* path, uint32 openMode)
	:
	fMode(0)
{
	SetTo(path, openMode);
}


BFile::BFile(const BDirectory* dir, const char* path, uint32 openMode)
	:
	fMode(0)
{
	SetTo(dir, path, openMode);
}


BFile::~BFile()
{
}


status_t
BFile::SetTo(const entry_ref* ref, uint32 openMode)
{
	if (ref == NULL) {
		Unset();
		_SetStatus(B_BAD_VALUE);
		return B_BAD_VALUE;
	}
	BEntry entry(ref);
	return SetTo(&entry, openMode);
}


status_t
BFile::SetTo(const BEntry* entry, uint32 openMode)
{
	BPath path;
	status_t status = entry != NULL ? entry->GetPath(&path) : B_BAD_VALUE;
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return SetTo(path.Path(), openMode);
}


status_t
BFile::SetTo(const char* path, uint32 openMode)
{
	fMode = 0;
	status_t status = _SetToPath(path, open_flags_for(openMode), 0666);
	if (status != B_OK)
		return status;

	struct stat st;
	status = GetStat(&st);
	if (status == B_OK && S_ISDIR(st.st_mode))
		status = B_IS_A_DIRECTORY;
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	fMode = openMode;
	return B_OK;
}


status_t
BFile::SetTo(const BDirectory* dir, const char* path, uint32 openMode)
{
	BPath full;
	status_t status = dir != NULL && path != NULL
		? dir->_ChildPath(path, &full) : B_BAD_VALUE;
	if (status != B_OK) {
		Unset();
		_SetStatus(status);
		return status;
	}
	return SetTo(full.Path(), openMode);
}


void
BFile::Unset()
{
	BNode::Unset();
	fMode = 0;
}


bool
BFile::IsReadable() const
{
	uint32 access = fMode & kAccessMask;
	return InitCheck() == B_OK
		&& (access == B_READ_ONLY || access == B_READ_WRITE);
}


bool
BFile::IsWritable() const
{
	uint32 access = fMode & kAccessMask;
	return InitCheck() == B_OK
		&& (access == B_WRITE_ONLY || access == B_READ_WRITE);
}


ssize_t
BFile::Read(void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (buffer == NULL && size > 0)
		return B_BAD_VALUE;
	ssize_t bytes;
	do
		bytes = read(_FD(), buffer, size);
	while (bytes < 0 && errno == EINTR);
	return bytes < 0 ? status_for_errno(errno) : bytes;
}


ssize_t
BFile::ReadAt(off_t location, void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if ((buffer == NULL && size > 0) || location < 0)
		return B_BAD_VALUE;
	ssize_t bytes;
	do
		bytes = pread(_FD(), buffer, size, location);
	while (bytes < 0 && errno == EINTR);
	return bytes < 0 ? status_for_errno(errno) : bytes;
}


ssize_t
BFile::Write(const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (buffer == NULL && size > 0)
		return B_BAD_VALUE;
	size_t written = 0;
	while (written < size) {
		ssize_t bytes = write(_FD(), (const char*)buffer + written,
			size - written);
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0)
			return written > 0 ? (ssize_t)written : status_for_errno(errno);
		written += bytes;
	}
	return (ssize_t)written;
}


ssize_t
BFile::WriteAt(off_t location, const void* buffer, size_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if ((buffer == NULL && size > 0) || location < 0)
		return B_BAD_VALUE;
	size_t written = 0;
	while (written < size) {
		ssize_t bytes = pwrite(_FD(), (const char*)buffer + written,
			size - written, location + written);
		if (bytes < 0 && errno == EINTR)
			continue;
		if (bytes < 0)
			return written > 0 ? (ssize_t)written : status_for_errno(errno);
		written += bytes;
	}
	return (ssize_t)written;
}


off_t
BFile::Seek(off_t offset, uint32 seekMode)
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	int whence;
	switch (seekMode) {
		case SEEK_SET:
			whence = SEEK_SET;
			break;
		case SEEK_CUR:
			whence = SEEK_CUR;
			break;
		case SEEK_END:
			whence = SEEK_END;
			break;
		default:
			return B_BAD_VALUE;
	}
	off_t position = lseek(_FD(), offset, whence);
	return position < 0 ? status_for_errno(errno) : position;
}


off_t
BFile::Position() const
{
	if (InitCheck() != B_OK)
		return B_FILE_ERROR;
	off_t position = lseek(_FD(), 0, SEEK_CUR);
	return position < 0 ? status_for_errno(errno) : position;
}


status_t
BFile::SetSize(off_t size)
{
	if (InitCheck() != B_OK)
		return InitCheck();
	if (size < 0)
		return B_BAD_VALUE;
	if (!IsWritable())
		return B_PERMISSION_DENIED;
	if (ftruncate(_FD(), size) != 0)
		return status_for_errno(errno);
	return B_OK;
}


status_t
BFile::GetSize(off_t* size) const
{
	return BStatable::GetSize(size);
}


BFile&
BFile::operator=(const BFile& file)
{
	if (this != &file) {
		BNode::operator=(file);
		fMode = InitCheck() == B_OK ? file.fMode : 0;
	}
	return *this;
}
