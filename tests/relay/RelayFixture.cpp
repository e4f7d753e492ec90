#include "RelayFixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <MWSControl.h>
#include <Process.h>
#include <RelayMessages.h>
#include <RelayQueue.h>

namespace {

const char* kSimPath = ZELMORA_BINARY_DIR "/bin/mws-sim";
const char* kGuardPath = ZELMORA_BINARY_DIR "/tests/wget-guard";

}	// namespace


SimBox::SimBox(bool down)
{
	int fds[2];
	if (pipe2(fds, O_CLOEXEC) != 0)
		return;
	const char* argv[] = { kSimPath, "--port", "0", down ? "--down" : NULL,
		NULL };
	fPid = fork();
	if (fPid == 0) {
		dup2(fds[1], STDOUT_FILENO);
		execv(kSimPath, (char* const*)argv);
		_exit(127);
	}
	close(fds[1]);
	fOutput = fds[0];
	if (fPid < 0)
		return;

	std::string first = ReadLine(10);
	size_t at = first.find("127.0.0.1:");
	if (at != std::string::npos)
		fPort = atoi(first.c_str() + at + 10);
}


// Every switch asked of the relays is answered before the box goes: a
// worker still talking to it would see a dead box, and report that to
// whatever runs next.
static void
wait_for_relay_workers()
{
	bigtime_t deadline = system_time() + 20000000;
	for (int32 relay = 1; relay <= 4; relay++) {
		bigtime_t left = deadline - system_time();
		RelayQueue::WaitIdle(relay, left > 0 ? left : 0);
	}
}


SimBox::~SimBox()
{
	wait_for_relay_workers();
	if (fPid > 0) {
		kill(fPid, SIGTERM);
		waitpid(fPid, NULL, 0);
	}
	if (fOutput >= 0)
		close(fOutput);
}


std::string
SimBox::Address() const
{
	return "127.0.0.1:" + std::to_string(fPort);
}


std::string
SimBox::ReadLine(double timeout)
{
	bigtime_t end = system_time() + (bigtime_t)(timeout * 1000000);
	while (true) {
		size_t newline = fPending.find('\n');
		if (newline != std::string::npos) {
			std::string line = fPending.substr(0, newline + 1);
			fPending.erase(0, newline + 1);
			return line;
		}
		bigtime_t left = end - system_time();
		if (left <= 0 || fOutput < 0)
			return "";
		pollfd poller = { fOutput, POLLIN, 0 };
		if (poll(&poller, 1, (int)(left / 1000) + 1) <= 0)
			continue;
		char buffer[512];
		ssize_t length = read(fOutput, buffer, sizeof(buffer));
		if (length <= 0)
			return "";
		fPending.append(buffer, length);
	}
}


ReportApp::ReportApp()
	:
	BApplication("application/x-vnd.zelmora-relay-test")
{
}


bool
ReportApp::RunUntil(std::function<bool()> done, double timeout)
{
	fDone = done;
	std::mutex lock;
	std::condition_variable ended;
	bool over = false;
	// Ends a run that waits for reports that never come.
	std::thread watchdog([&] {
		std::unique_lock<std::mutex> guard(lock);
		if (!ended.wait_for(guard, std::chrono::duration<double>(timeout),
				[&] { return over; }))
			be_app_messenger.SendMessage(B_QUIT_REQUESTED);
	});
	Run();
	{
		std::lock_guard<std::mutex> guard(lock);
		over = true;
	}
	ended.notify_all();
	watchdog.join();
	return fFinished;
}


void
ReportApp::ReadyToRun()
{
	if (fStart)
		fStart();
	if (fDone && fDone()) {
		fFinished = true;
		PostMessage(B_QUIT_REQUESTED);
	}
}


void
ReportApp::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgRelaySwitched:
		case kMsgRelayTimeUp:
		case kMsgRelayNoAnswer:
		{
			Report report = { message->what, -1, -1, "", system_time() };
			message->FindInt32("relais", &report.relais);
			message->FindInt32("r_open", &report.rOpen);
			const char* image;
			if (message->FindString("_rImage", &image) == B_OK)
				report.image = image;
			fReports.push_back(report);
			if (fOnReport)
				fOnReport(report);
			if (!fFinished && fDone && fDone()) {
				fFinished = true;
				PostMessage(B_QUIT_REQUESTED);
			}
			break;
		}
		default:
			BApplication::MessageReceived(message);
			break;
	}
}


void
RelayTest::SetUp()
{
	char path[1024];
	ASSERT_EQ(BPrivate::find_program("wget", path, sizeof(path)), B_OK)
		<< "the relay tests need the real wget";
	std::string realWget = path;

	char folder[] = "/tmp/relay-test-XXXXXX";
	ASSERT_NE(mkdtemp(folder), nullptr);
	fFolder = folder;
	fRuntime = fFolder + "/run";
	ASSERT_EQ(mkdir(fRuntime.c_str(), 0700), 0);
	ASSERT_EQ(mkdir((fFolder + "/bin").c_str(), 0755), 0);
	fGuardLink = fFolder + "/bin/wget";
	ASSERT_EQ(symlink(kGuardPath, fGuardLink.c_str()), 0);

	const char* oldPath = getenv("PATH");
	fSavedPath = oldPath != NULL ? oldPath : "";
	setenv("PATH", (fFolder + "/bin").c_str(), 1);
	setenv("ZELMORA_REAL_WGET", realWget.c_str(), 1);
	setenv("ZELMORA_WGET_LOG", (fFolder + "/wget.log").c_str(), 1);
	setenv("XDG_RUNTIME_DIR", fRuntime.c_str(), 1);
	unsetenv("http_proxy");
	unsetenv("HTTP_PROXY");

	// Before anything can switch, the relay control must find the guard and
	// nothing else; a run that would reach the real wget stops here.
	MWS_RSTATUS[0] = '\0';
	ASSERT_EQ(BPrivate::find_program("wget", wgetPath, sizeof(wgetPath)),
		B_OK);
	ASSERT_EQ(std::string(wgetPath), fGuardLink)
		<< "SAFETY: wget is not the loopback guard, no relay test may run";
	wgetChecked = true;
	wgetFound = true;

	fflush(stdout);
	fCapture = tmpfile();
	fSavedStdout = dup(STDOUT_FILENO);
	dup2(fileno(fCapture), STDOUT_FILENO);
}


void
RelayTest::TearDown()
{
	// The workers read the wget path and the runtime folder.
	wait_for_relay_workers();
	StopCapture();
	for (const std::string& line : GuardLog()) {
		if (line.compare(0, 7, "REFUSED") == 0 && !fRefusalExpected)
			ADD_FAILURE() << "SAFETY: the guard refused a call: " << line;
	}
	setenv("PATH", fSavedPath.c_str(), 1);
	unsetenv("XDG_RUNTIME_DIR");
	wgetChecked = false;
	wgetFound = false;
	wgetPath[0] = '\0';
	if (!fFolder.empty())
		std::filesystem::remove_all(fFolder);
}


std::vector<std::string>
RelayTest::GuardLog() const
{
	std::vector<std::string> lines;
	std::ifstream log(fFolder + "/wget.log");
	std::string line;
	while (std::getline(log, line))
		lines.push_back(line);
	return lines;
}


bool
RelayTest::WaitForOutput(const std::string& text, double timeout)
{
	bigtime_t end = system_time() + (bigtime_t)(timeout * 1000000);
	while (fCapture != NULL) {
		if (_Captured().find(text) != std::string::npos)
			return true;
		if (system_time() > end)
			return false;
		snooze(10000);
	}
	return false;
}


std::string
RelayTest::StopCapture()
{
	if (fCapture == NULL)
		return "";
	std::string output = _Captured();
	dup2(fSavedStdout, STDOUT_FILENO);
	close(fSavedStdout);
	fSavedStdout = -1;
	fclose(fCapture);
	fCapture = NULL;
	// Shown again, so the test's log keeps the trace.
	fwrite(output.data(), 1, output.size(), stdout);
	return output;
}


// Everything written to standard output since the test began.
std::string
RelayTest::_Captured() const
{
	fflush(stdout);
	std::string output;
	char buffer[4096];
	ssize_t length;
	while ((length = pread(fileno(fCapture), buffer, sizeof(buffer),
			output.size())) > 0)
		output.append(buffer, length);
	return output;
}
