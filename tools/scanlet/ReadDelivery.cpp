// Ordered delivery of reads, with holding while the application is away.
#include "ReadDelivery.h"

#include <stdio.h>

#include "ScanletMessages.h"

// How long one send may wait for room on the way to the application.
static const bigtime_t kSendTimeout = 2000000;


ReadDelivery::ReadDelivery(const char* targetName, const connector& connect,
	const BMessenger& callMe, bigtime_t now)
	:
	fTargetName(targetName),
	fConnect(connect),
	fCallMe(callMe),
	fRequestLeft(0),
	fRequestCounter(0),
	fLastReached(now),
	fDelivered(0),
	fDropped(0)
{
}


void
ReadDelivery::Add(const char* tag, bigtime_t when)
{
	HeldRead read;
	read.message.what = kMsgTagRead;
	read.message.AddString("_tagstr", tag);
	if (fCallMe.IsValid())
		read.message.AddMessenger("_f2CallMe", fCallMe);
	if (fRequestLeft > 0) {
		fRequestLeft--;
		read.message.AddString("_spTarget", fRequestTarget);
		read.message.AddInt32("_spCounter", ++fRequestCounter);
	}
	read.tag = tag;
	read.when = when;
	read.announced = false;
	fHeld.push_back(read);
	Flush(when);
}


void
ReadDelivery::Request(int32 count, const char* target)
{
	if (count < 1)
		count = 1;
	if (count > kMaxRequested)
		count = kMaxRequested;
	fRequestLeft = count;
	fRequestCounter = 0;
	fRequestTarget = target != NULL ? target : "";
}


bool
ReadDelivery::CheckTarget(bigtime_t now)
{
	if (!fTarget.IsValid())
		fTarget = fConnect();
	if (!fTarget.IsValid())
		return false;
	fLastReached = now;
	return true;
}


void
ReadDelivery::Flush(bigtime_t now)
{
	while (!fHeld.empty()) {
		HeldRead& read = fHeld.front();
		if (now - read.when >= kHoldTime) {
			fprintf(stderr, "scanlet: %s did not answer for a minute; the "
				"read of tag \"%s\" is dropped\n", fTargetName.String(),
				read.tag.String());
			fDropped++;
			fHeld.pop_front();
			continue;
		}
		if (!_Send(read, now)) {
			for (HeldRead& held : fHeld) {
				if (held.announced)
					continue;
				fprintf(stderr, "scanlet: %s does not answer; the read of "
					"tag \"%s\" is kept for up to a minute\n",
					fTargetName.String(), held.tag.String());
				held.announced = true;
			}
			return;
		}
		if (read.announced) {
			fprintf(stderr, "scanlet: the held read of tag \"%s\" is "
				"delivered\n", read.tag.String());
		}
		fDelivered++;
		fHeld.pop_front();
	}
}


bool
ReadDelivery::_Send(HeldRead& read, bigtime_t now)
{
	if (!CheckTarget(now))
		return false;
	if (fTarget.SendMessage(&read.message, fCallMe, kSendTimeout) != B_OK) {
		// The next attempt looks the application up again.
		fTarget = BMessenger();
		return false;
	}
	return true;
}
