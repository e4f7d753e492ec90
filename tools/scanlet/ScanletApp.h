// The scanlet program: a BApplication under its own signature that sends
// the reads of one source to the application and answers its requests.
#ifndef SCANLET_APP_H
#define SCANLET_APP_H

#include <Application.h>

#include "ReadDelivery.h"
#include "ScanletOptions.h"
#include "TagDebouncer.h"

class TagSource;

class ScanletApp : public BApplication {
public:
							ScanletApp(const ScanletOptions& options);
	virtual					~ScanletApp();

	virtual	void			ReadyToRun();
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Pulse();
	virtual	bool			QuitRequested();

	// 0 when every read was delivered; 1 after a dropped read or a source
	// that could not be used.
			int				ExitStatus() const { return fExitStatus; }

private:
			void			_Register();
			status_t		_StartSource();
			void			_SourceLost(const char* error);
			void			_Read(const char* tag, bigtime_t when);
			void			_CheckEnd(bigtime_t now);
			void			_End(int status);

			ScanletOptions	fOptions;
			ReadDelivery*	fDelivery;
			TagSource*		fSource;
			TagDebouncer	fDebouncer;
			bool			fSourceEnded;
			bigtime_t		fReopenAt;
			bool			fShowsItem;
			int				fExitStatus;
};

#endif	// SCANLET_APP_H
