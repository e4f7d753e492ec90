// A 125 kHz reader module on a serial line, set raw at 9600 baud 8N1.
#ifndef SERIAL_SOURCE_H
#define SERIAL_SOURCE_H

#include "SerialFrameParser.h"
#include "TagSource.h"

class SerialSource : public TagSource {
public:
							SerialSource(const char* device,
								const BMessenger& target);

protected:
	virtual	status_t		_Open(BString& error);
	virtual	void			_Consume(const uint8* data, size_t size);

private:
			BString			fDevice;
			SerialFrameParser fParser;
};

#endif	// SERIAL_SOURCE_H
