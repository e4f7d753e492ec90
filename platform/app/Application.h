// BApplication: the program's main looper, dispatched on the GUI thread.
#ifndef _APPLICATION_H
#define _APPLICATION_H

#include <AppDefs.h>
#include <Looper.h>
#include <Messenger.h>

class BWindow;
struct app_info;

class BApplication : public BLooper {
public:
	// The signature must be a MIME type of the "application" group. There
	// can be one application at a time.
							BApplication(const char* signature);
							BApplication(const char* signature,
								status_t* error);
	virtual					~BApplication();

			status_t		InitCheck() const { return fInitError; }

	// Delivers B_ARGV_RECEIVED (with arguments) and B_READY_TO_RUN, then runs
	// the event loop until the application quits; by then every window and
	// looper has quit.
	virtual	thread_id		Run();
	virtual	void			Quit();
	// Asks every window; if all agree they quit and the application follows.
	virtual	bool			QuitRequested();

	virtual	void			ReadyToRun();
	virtual	void			ArgvReceived(int32 argc, char** argv);
	virtual	void			AppActivated(bool active);
	virtual	void			RefsReceived(BMessage* message);
	virtual	void			AboutRequested();
	virtual	void			Pulse();

	virtual	void			DispatchMessage(BMessage* message,
								BHandler* handler);
	virtual	void			MessageReceived(BMessage* message);

			int32			CountWindows() const;
			BWindow*		WindowAt(int32 index) const;
			int32			CountLoopers() const;
			BLooper*		LooperAt(int32 index) const;

			bool			IsLaunching() const { return !fReadyToRunCalled; }
			const char*		Signature() const { return fSignature; }
	// The application's executable (the real one, from /proc/self/exe),
	// signature and ids.
			status_t		GetAppInfo(app_info* info) const;

			void			SetPulseRate(bigtime_t rate);

	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 what,
								const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

private:
							BApplication(const BApplication&) = delete;
			BApplication&	operator=(const BApplication&) = delete;

			void			_Init(const char* signature, status_t* error);
			void			_ArgvReceived(BMessage* message);
			void			_QuitEverything();
			bool			_HandleScripting(BMessage* message);

			char*			fSignature;
			status_t		fInitError;
			bool			fReadyToRunCalled;
			bool			fRunCalled;
			bool			fQuitting;
			bigtime_t		fPulseRate;
			void*			fLoop;
			void*			fPulseTimer;
};

extern BApplication* be_app;
extern BMessenger be_app_messenger;

#endif	// _APPLICATION_H
