// Reading a serial reader module.
#include "SerialSource.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>


SerialSource::SerialSource(const char* device, const BMessenger& target)
	:
	TagSource("serial", target),
	fDevice(device)
{
}


status_t
SerialSource::_Open(BString& error)
{
	// Opened without waiting for carrier, and never as controlling tty.
	int fd = open(fDevice.String(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
	if (fd < 0) {
		error.SetToFormat("cannot open %s: %s", fDevice.String(),
			strerror(errno));
		return B_ERROR;
	}

	struct termios tty;
	if (tcgetattr(fd, &tty) != 0) {
		error.SetToFormat("%s is not a serial line: %s", fDevice.String(),
			strerror(errno));
		close(fd);
		return B_ERROR;
	}
	cfmakeraw(&tty);
	cfsetispeed(&tty, B9600);
	cfsetospeed(&tty, B9600);
	tty.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
	tty.c_cflag |= CS8 | CLOCAL | CREAD;
	tty.c_iflag &= ~(IXON | IXOFF | IXANY);
	tty.c_cc[VMIN] = 1;
	tty.c_cc[VTIME] = 0;
	if (tcsetattr(fd, TCSANOW, &tty) != 0) {
		error.SetToFormat("cannot set up %s: %s", fDevice.String(),
			strerror(errno));
		close(fd);
		return B_ERROR;
	}
	// What lay in the line before is stale. From now on reads wait for
	// data (the open itself must not wait for a carrier).
	tcflush(fd, TCIFLUSH);
	fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);

	fFD = fd;
	fOwnsFD = true;
	return B_OK;
}


void
SerialSource::_Consume(const uint8* data, size_t size)
{
	int32 badBefore = fParser.BadChecksums();
	std::vector<BString> tags;
	fParser.Feed(data, size, tags);
	if (fParser.BadChecksums() != badBefore)
		_Note("a frame with a bad checksum was dropped");
	for (const BString& tag : tags)
		_Deliver(tag.String());
}
