// A keyboard-wedge reader at a Linux event device, grabbed exclusively so
// its keys reach no window and reads arrive whatever has the focus.
#ifndef EVDEV_SOURCE_H
#define EVDEV_SOURCE_H

#include "TagLineSplitter.h"
#include "TagSource.h"
#include "WedgeKeyDecoder.h"

class EvdevSource : public TagSource {
public:
	// grab false is for event streams that are no device (tests).
							EvdevSource(const char* device,
								const BMessenger& target, bool grab = true);

protected:
	virtual	status_t		_Open(BString& error);
	virtual	void			_Consume(const uint8* data, size_t size);
	virtual	void			_Close();

private:
			BString			fDevice;
			bool			fGrab;
			bool			fGrabbed;
			WedgeKeyDecoder	fDecoder;
			TagLineSplitter	fLines;
			int32			fReported;
};

#endif	// EVDEV_SOURCE_H
