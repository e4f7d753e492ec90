// The reading thread shared by every source.
#include "TagSource.h"

#include <errno.h>
#include <poll.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <Message.h>

#include "ScanletMessages.h"


TagSource::TagSource(const char* name, const BMessenger& target)
	:
	fFD(-1),
	fOwnsFD(true),
	fName(name),
	fTarget(target),
	fThread(-1),
	fStop(false)
{
}


TagSource::~TagSource()
{
	Stop();
}


status_t
TagSource::Start(BString& error)
{
	status_t status = _Open(error);
	if (status != B_OK)
		return status;

	fStop = false;
	fThread = spawn_thread(_ThreadEntry, "scanlet source", B_NORMAL_PRIORITY,
		this);
	if (fThread < 0 || resume_thread(fThread) != B_OK) {
		error = "cannot start the reading thread";
		if (fOwnsFD)
			close(fFD);
		fFD = -1;
		fThread = -1;
		return B_NO_MORE_THREADS;
	}
	return B_OK;
}


void
TagSource::Stop()
{
	if (fThread < 0)
		return;
	fStop = true;
	status_t exitValue;
	wait_for_thread(fThread, &exitValue);
	fThread = -1;
}


status_t
TagSource::_ThreadEntry(void* data)
{
	((TagSource*)data)->_Loop();
	return B_OK;
}


// Waits for input in short steps, so a Stop() is seen soon.
void
TagSource::_Loop()
{
	uint8 buffer[512];
	while (!fStop) {
		struct pollfd wait = { fFD, POLLIN, 0 };
		int ready = poll(&wait, 1, 100);
		if (ready < 0 && errno != EINTR) {
			_Ended(B_IO_ERROR, strerror(errno));
			break;
		}
		if (ready <= 0)
			continue;
		if ((wait.revents & POLLNVAL) != 0) {
			_Ended(B_IO_ERROR, "closed");
			break;
		}

		ssize_t bytes = read(fFD, buffer, sizeof(buffer));
		if (bytes > 0) {
			_Consume(buffer, (size_t)bytes);
			continue;
		}
		if (bytes < 0 && (errno == EINTR || errno == EAGAIN)) {
			// A line that hung up and still says "nothing yet" would
			// wake the poll for ever.
			if ((wait.revents & (POLLHUP | POLLERR)) != 0) {
				_Ended(B_IO_ERROR, "hung up");
				break;
			}
			continue;
		}
		if (bytes == 0) {
			_Finish();
			_Ended(B_OK, NULL);
		} else
			_Ended(B_IO_ERROR, strerror(errno));
		break;
	}

	_Close();
	if (fOwnsFD && fFD >= 0)
		close(fFD);
	fFD = -1;
}


void
TagSource::_Deliver(const char* tag)
{
	BMessage message(kMsgSourceRead);
	message.AddString("tag", tag);
	message.AddInt64("when", system_time());
	fTarget.SendMessage(&message);
}


void
TagSource::_Ended(status_t status, const char* error)
{
	BMessage message(kMsgSourceEnded);
	message.AddInt32("status", status);
	if (error != NULL)
		message.AddString("error", error);
	fTarget.SendMessage(&message);
}


void
TagSource::_Note(const char* format, ...)
{
	char text[512];
	va_list args;
	va_start(args, format);
	vsnprintf(text, sizeof(text), format, args);
	va_end(args);
	fprintf(stderr, "scanlet: %s: %s\n", fName.String(), text);
}
