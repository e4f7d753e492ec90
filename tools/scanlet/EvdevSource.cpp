// Reading a keyboard-wedge reader through its event device.
#include "EvdevSource.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>


EvdevSource::EvdevSource(const char* device, const BMessenger& target,
	bool grab)
	:
	TagSource("evdev", target),
	fDevice(device),
	fGrab(grab),
	fGrabbed(false),
	fReported(0)
{
}


status_t
EvdevSource::_Open(BString& error)
{
	int fd = open(fDevice.String(), O_RDONLY | O_CLOEXEC);
	if (fd < 0) {
		error.SetToFormat("cannot open %s: %s", fDevice.String(),
			strerror(errno));
		return B_ERROR;
	}
	if (fGrab) {
		if (ioctl(fd, EVIOCGRAB, 1) != 0) {
			error.SetToFormat("cannot grab %s exclusively: %s",
				fDevice.String(), strerror(errno));
			close(fd);
			return B_ERROR;
		}
		fGrabbed = true;
	}
	fFD = fd;
	fOwnsFD = true;
	return B_OK;
}


void
EvdevSource::_Consume(const uint8* data, size_t size)
{
	BString text;
	fDecoder.Feed(data, size, text);
	if (text.Length() == 0)
		return;

	std::vector<BString> tags;
	fLines.Feed(text.String(), text.Length(), tags);
	for (const BString& tag : tags)
		_Deliver(tag.String());
	if (fLines.Refused() > fReported) {
		_Note("a key sequence was refused: longer than %d characters",
			(int)TagLineSplitter::kMaxTagLength);
		fReported = fLines.Refused();
	}
}


void
EvdevSource::_Close()
{
	if (fGrabbed)
		ioctl(fFD, EVIOCGRAB, 0);
	fGrabbed = false;
}
