// The scanlet application.
#include "ScanletApp.h"

#include <stdio.h>

#include <Entry.h>
#include <MimeType.h>
#include <Path.h>
#include <Roster.h>

#include "DeskbarItem.h"
#include "EvdevSource.h"
#include "ScanletMessages.h"
#include "SerialSource.h"
#include "StdinSource.h"

// How often held reads are retried and the application looked for.
static const bigtime_t kPulseRate = 250000;
// How often a reader that went away (unplugged) is looked for again.
static const bigtime_t kReopenDelay = 2000000;


ScanletApp::ScanletApp(const ScanletOptions& options)
	:
	BApplication(kScanletSignature),
	fOptions(options),
	fDelivery(NULL),
	fSource(NULL),
	fDebouncer(options.debounce),
	fSourceEnded(false),
	fReopenAt(0),
	fShowsItem(false),
	fExitStatus(0)
{
}


ScanletApp::~ScanletApp()
{
	delete fSource;
	delete fDelivery;
}


void
ScanletApp::ReadyToRun()
{
	_Register();

	BString target = fOptions.target;
	fDelivery = new ReadDelivery(target.String(),
		[target]() { return BMessenger(target.String()); },
		be_app_messenger, system_time());

	// One shot: the tags as given, never debounced, no Deskbar item.
	if (fOptions.source == SCANLET_TAGS) {
		for (const BString& tag : fOptions.tags)
			fDelivery->Add(tag.String(), system_time());
		fSourceEnded = true;
		SetPulseRate(kPulseRate);
		_CheckEnd(system_time());
		return;
	}

	status_t status = add_deskbar_item();
	fShowsItem = status == B_OK;
	if (status == B_NAME_IN_USE) {
		fprintf(stderr, "scanlet: another reader shows the Deskbar item "
			"\"%s\"\n", kDeskbarItemName);
	} else if (status != B_OK) {
		fprintf(stderr, "scanlet: cannot add the Deskbar item (error %#x)\n",
			(unsigned)status);
	}
	// A reader that cannot be opened at the start is a mistake in the
	// setup: say so and end.
	if (_StartSource() != B_OK) {
		_End(1);
		return;
	}
	SetPulseRate(kPulseRate);
}


// The signature goes into the MIME database with this executable as its
// app hint, so the application can find and start the reader.
void
ScanletApp::_Register()
{
	app_info info;
	status_t status = GetAppInfo(&info);
	BMimeType type(kScanletSignature);
	if (status == B_OK && !type.IsInstalled())
		status = type.Install();
	if (status == B_OK)
		status = type.SetAppHint(&info.ref);
	if (status == B_OK)
		status = type.SetPreferredApp(kScanletSignature);
	if (status == B_OK)
		type.SetShortDescription("Scanlet tag reader");
	if (status != B_OK) {
		fprintf(stderr, "scanlet: cannot register %s (error %#x)\n",
			kScanletSignature, (unsigned)status);
	}
}


status_t
ScanletApp::_StartSource()
{
	BMessenger self(this);
	switch (fOptions.source) {
		case SCANLET_STDIN:
			fSource = new StdinSource(self);
			break;
		case SCANLET_SERIAL:
			fSource = new SerialSource(fOptions.device.String(), self);
			break;
		case SCANLET_EVDEV:
			fSource = new EvdevSource(fOptions.device.String(), self);
			break;
		default:
			fprintf(stderr, "scanlet: no reader set up; answering "
				"requests only\n");
			return B_OK;
	}

	BString error;
	status_t status = fSource->Start(error);
	if (status != B_OK) {
		// While a lost reader is looked for again, say it only once.
		if (fReopenAt == 0)
			fprintf(stderr, "scanlet: %s\n", error.String());
		delete fSource;
		fSource = NULL;
	}
	return status;
}


// A device that goes away (a USB reader unplugged) is opened again once
// it is back; standard input that ends ends the program.
void
ScanletApp::_SourceLost(const char* error)
{
	const char* name = fSource != NULL ? fSource->Name() : "source";
	if (fOptions.source != SCANLET_SERIAL && fOptions.source != SCANLET_EVDEV) {
		if (error != NULL) {
			fprintf(stderr, "scanlet: %s: %s\n", name, error);
			fExitStatus = 1;
		}
		fSourceEnded = true;
		_CheckEnd(system_time());
		return;
	}
	fprintf(stderr, "scanlet: %s: the reader is gone (%s); looking for it "
		"again\n", name, error != NULL ? error : "end of input");
	if (fSource != NULL)
		fSource->Stop();
	delete fSource;
	fSource = NULL;
	fReopenAt = system_time() + kReopenDelay;
}


void
ScanletApp::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgSourceRead:
		{
			const char* tag;
			bigtime_t when;
			if (message->FindString("tag", &tag) != B_OK)
				break;
			if (message->FindInt64("when", &when) != B_OK)
				when = system_time();
			_Read(tag, when);
			break;
		}

		case kMsgSourceEnded:
		{
			int32 status;
			const char* error;
			if (message->FindInt32("status", &status) != B_OK)
				status = B_ERROR;
			if (message->FindString("error", &error) != B_OK)
				error = status != B_OK ? "failed" : NULL;
			_SourceLost(error);
			break;
		}

		case kMsgRequestRead:
		{
			int32 count;
			const char* target;
			if (message->FindInt32("_NeedTagQuantitys", &count) != B_OK)
				count = 1;
			if (message->FindString("_AppTarget", &target) != B_OK)
				target = "";
			if (fDelivery != NULL) {
				fDelivery->Request(count, target);
				fprintf(stderr, "scanlet: %d read(s) asked for by \"%s\"\n",
					(int)fDelivery->RequestedLeft(), target);
			}
			if (fSource == NULL) {
				fprintf(stderr, "scanlet: a read was asked for, but no "
					"reader is set up\n");
			}
			if (message->IsSourceWaiting()) {
				BMessage reply(B_REPLY);
				reply.AddInt32("_NeedTagQuantitys",
					fDelivery != NULL ? fDelivery->RequestedLeft() : 0);
				message->SendReply(&reply);
			}
			break;
		}

		default:
			BApplication::MessageReceived(message);
			break;
	}
}


// A read of a source: debounced, then on its way.
void
ScanletApp::_Read(const char* tag, bigtime_t when)
{
	if (fDelivery == NULL || !fDebouncer.Accept(tag, when))
		return;
	fDelivery->Add(tag, when);
}


void
ScanletApp::Pulse()
{
	if (fDelivery == NULL)
		return;
	bigtime_t now = system_time();
	if (fSource == NULL && fReopenAt != 0 && now >= fReopenAt) {
		if (_StartSource() == B_OK) {
			fprintf(stderr, "scanlet: %s: the reader is back\n",
				fSource->Name());
			fReopenAt = 0;
		} else
			fReopenAt = now + kReopenDelay;
	}
	fDelivery->Flush(now);
	fDelivery->CheckTarget(now);
	_CheckEnd(now);
}


// A source that has ended ends the program once its reads are out (or
// dropped); a running one once the application has been gone too long.
void
ScanletApp::_CheckEnd(bigtime_t now)
{
	if (fSourceEnded) {
		if (fDelivery->Pending() == 0)
			_End(fDelivery->Dropped() > 0 ? 1 : fExitStatus);
		return;
	}
	if (now - fDelivery->LastReached() >= fOptions.linger) {
		fprintf(stderr, "scanlet: %s has been gone for %g s; ending\n",
			fOptions.target.String(), fOptions.linger / 1e6);
		_End(fDelivery->Dropped() > 0 ? 1 : fExitStatus);
	}
}


void
ScanletApp::_End(int status)
{
	if (status > fExitStatus)
		fExitStatus = status;
	SetPulseRate(0);
	PostMessage(B_QUIT_REQUESTED);
}


bool
ScanletApp::QuitRequested()
{
	if (fSource != NULL)
		fSource->Stop();
	if (fShowsItem)
		remove_deskbar_item();
	fShowsItem = false;
	return BApplication::QuitRequested();
}
