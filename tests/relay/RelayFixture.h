// What the relay tests share: a relay box (the real mws-sim) on 127.0.0.1,
// a PATH whose only wget is the loopback guard, and an application that
// records the workers' reports.
#ifndef RELAY_FIXTURE_H
#define RELAY_FIXTURE_H

#include <sys/types.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <Application.h>
#include <Message.h>
#include <OS.h>

#include <gtest/gtest.h>

// mws-sim started by its argument vector; its output is read line by line.
// Only this one process is ever signalled, by its id.
class SimBox {
public:
							SimBox(bool down = false);
							~SimBox();

			int				Port() const { return fPort; }
			// "127.0.0.1:PORT", the address to hand to the relay control.
			std::string		Address() const;
			// The next line the box printed, or "" after timeout seconds.
			std::string		ReadLine(double timeout = 5);

private:
			pid_t			fPid = -1;
			int				fOutput = -1;
			int				fPort = -1;
			std::string		fPending;
};

// One report a worker sent to the application.
struct Report {
	uint32		what;
	int32		relais;
	int32		rOpen;		// -1 when absent
	std::string	image;
	bigtime_t	when;
};

// Runs an application until done() says so (or the time is up), calling
// start() once it runs and onReport() on every relay report.
class ReportApp : public BApplication {
public:
							ReportApp();

			bool			RunUntil(std::function<bool()> done,
								double timeout);

	std::function<void()>				fStart;
	std::function<void(const Report&)>	fOnReport;
	std::vector<Report>					fReports;

	virtual	void			ReadyToRun();
	virtual	void			MessageReceived(BMessage* message);

private:
			std::function<bool()>	fDone;
			bool			fFinished = false;
};

// Every relay test runs inside this: the guard as the only wget, a private
// runtime folder of its own, a fresh image and wget check.
class RelayTest : public ::testing::Test {
protected:
	virtual	void			SetUp();
	virtual	void			TearDown();

	// What the guard logged, one entry per call.
			std::vector<std::string>	GuardLog() const;
	// Waits until the trace so far holds text; false after timeout seconds.
			bool			WaitForOutput(const std::string& text,
								double timeout = 5);
			std::string		StopCapture();

			std::string		fFolder;
			std::string		fRuntime;
			std::string		fGuardLink;
			std::string		fSavedPath;
			bool			fRefusalExpected = false;

private:
			std::string		_Captured() const;

			int				fSavedStdout = -1;
			FILE*			fCapture = NULL;
};

#endif	// RELAY_FIXTURE_H
