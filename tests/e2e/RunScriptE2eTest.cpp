// `make run` as CI can run it: scripts/run.sh on a throw-away copy of the
// build, offscreen, one tag typed at the reader, the booking on disk, and a
// scripted quit that takes the companions down with the terminal; and
// without a display, the terminal's screen served over VNC on loopback only.
#include "E2eFixture.h"

#include <arpa/inet.h>
#include <stdio.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace {

bool
Accepts(int port)
{
	int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
	sockaddr_in address = {};
	address.sin_family = AF_INET;
	address.sin_port = htons(port);
	address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	bool connected = connect(fd, (sockaddr*)&address, sizeof(address)) == 0;
	close(fd);
	return connected;
}


// The local addresses that listen on port, as /proc/net/tcp and tcp6 write
// them (hex, host order of the kernel), e.g. "0100007F" for 127.0.0.1.
std::vector<std::string>
ListeningAddresses(int port)
{
	std::vector<std::string> addresses;
	char wanted[8];
	snprintf(wanted, sizeof(wanted), "%04X", port);
	for (const char* table : { "/proc/net/tcp", "/proc/net/tcp6" }) {
		std::ifstream in(table);
		std::string line;
		std::getline(in, line);
		while (std::getline(in, line)) {
			std::istringstream fields(line);
			std::string slot, local, remote, state;
			fields >> slot >> local >> remote >> state;
			size_t colon = local.find(':');
			if (state == "0A" && colon != std::string::npos
				&& local.substr(colon + 1) == wanted) {
				addresses.push_back(local.substr(0, colon));
			}
		}
	}
	return addresses;
}


// A loopback port nobody listens on now.
int
FreePort()
{
	int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
	sockaddr_in address = {};
	address.sin_family = AF_INET;
	address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	socklen_t length = sizeof(address);
	int port = 0;
	if (bind(fd, (sockaddr*)&address, sizeof(address)) == 0
		&& getsockname(fd, (sockaddr*)&address, &length) == 0) {
		port = ntohs(address.sin_port);
	}
	close(fd);
	return port;
}

}	// namespace


class RunScriptE2eTest : public E2eFixture {
protected:
	// A build folder for the script with the programs it needs, nothing
	// else; the script puts the guard in front of the real wget itself.
	void LayOutBuild(const std::string& build)
	{
		ASSERT_EQ(mkdir(build.c_str(), 0755), 0);
		for (const char* folder : { "/bin", "/tests", "/lib" })
			ASSERT_EQ(mkdir((build + folder).c_str(), 0755), 0);
		for (const char* program : { "bin/zelmora", "bin/zelmora-prefs",
				"bin/mws-sim", "bin/scanlet", "tests/wget-guard",
				"lib/libzl_loopback_bind.so" }) {
			ASSERT_EQ(symlink((std::string(ZELMORA_BINARY_DIR "/")
				+ program).c_str(), (build + "/" + program).c_str()), 0);
		}
		setenv("PATH", "/usr/bin:/bin", 1);
	}

	// Runs the script on a fresh build folder, its standard input a pipe
	// the test types into, and waits until the terminal answers.
	void StartDemo(const std::vector<std::string>& environment = {})
	{
		std::string build = fRoot + "/build";
		ASSERT_NO_FATAL_FAILURE(LayOutBuild(build));
		fDemo = build + "/demo";
		fLog = fRoot + "/run.log";
		int keyboard[2];
		ASSERT_EQ(pipe2(keyboard, O_CLOEXEC), 0);
		fKeyboard = keyboard[1];
		bool started = fScript.Start({ "/bin/sh",
			ZELMORA_SOURCE_DIR "/scripts/run.sh", build }, fLog, keyboard[0],
			environment);
		close(keyboard[0]);
		ASSERT_TRUE(started);

		// The demo's own runtime folder holds the terminal's socket.
		setenv("XDG_RUNTIME_DIR", (fDemo + "/run").c_str(), 1);
		ASSERT_TRUE(WaitFor([&] {
			int status = -1;
			Hey({ "do", "Sync" }, &status);
			return status == 0;
		}, 20)) << FileBytes(fLog);
	}

	// However a test ends, the terminal is asked to quit first, so the
	// script's own clean-up stops the companions.
	virtual void TearDown()
	{
		if (fScript.Running()) {
			Hey({ "quit" });
			fScript.Wait(10);
		}
		if (fKeyboard >= 0)
			close(fKeyboard);
		E2eFixture::TearDown();
	}

	std::string	fDemo;
	std::string	fLog;
	Child		fScript;
	int			fKeyboard = -1;
};


TEST_F(RunScriptE2eTest, ATagTypedAtTheDemoIsBookedAndQuitEndsAll)
{
	ASSERT_NO_FATAL_FAILURE(StartDemo());
	std::string demo = fDemo;
	std::string log = fLog;
	std::string output = FileBytes(log);
	EXPECT_NE(output.find("Reader ready"), std::string::npos) << output;
	EXPECT_NE(output.find("schon da - also nicht starten..."),
		std::string::npos) << output;
	int port = 0;
	size_t at = output.find("Relay box simulator on 127.0.0.1:");
	ASSERT_NE(at, std::string::npos) << output;
	port = atoi(output.c_str() + at + strlen("Relay box simulator on "
		"127.0.0.1:"));
	EXPECT_TRUE(Accepts(port));

	const char* typed = "AB12CD34\n";
	ASSERT_EQ(write(fKeyboard, typed, strlen(typed)),
		(ssize_t)strlen(typed));
	std::string booking = demo + "/Employee/AB12CD34";
	EXPECT_TRUE(WaitFor([&] { return FileBytes(booking).size() == 8; }, 10));
	EXPECT_EQ(FileBytes(booking)[0], 'I');
	Sync();
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: Maria Muster");
	EXPECT_TRUE(Snapshot(ZELMORA_BINARY_DIR "/tests/e2e-demo.png"));
	// The door opened at the simulator, through the guard.
	EXPECT_TRUE(WaitFor([&] {
		return FileBytes(demo + "/mws-sim.log").find("GET /?3=0")
			!= std::string::npos; }));
	std::string calls = FileBytes(demo + "/wget.log");
	EXPECT_EQ(calls.find("REFUSED"), std::string::npos) << calls;
	EXPECT_NE(calls.find("OK "), std::string::npos) << calls;

	int status = -1;
	Hey({ "quit" }, &status);
	EXPECT_EQ(status, 0);
	EXPECT_EQ(fScript.Wait(15), 0);
	EXPECT_NE(FileBytes(log).find("-ZLM end-"), std::string::npos);
	// The script signals its companions and is gone; they follow.
	EXPECT_TRUE(WaitFor([&] { return !Accepts(port); }))
		<< "the relay box simulator still runs";
	EXPECT_EQ(FileBytes(booking).size(), 8u);
}


TEST_F(RunScriptE2eTest, WithoutADisplayTheScreenIsServedOnLoopbackOnly)
{
	int port = FreePort();
	ASSERT_NE(port, 0);
	ASSERT_NO_FATAL_FAILURE(StartDemo({ "QT_QPA_PLATFORM=", "DISPLAY=",
		"WAYLAND_DISPLAY=", "VNC_PORT=" + std::to_string(port) }));
	std::string log = fLog;
	EXPECT_NE(FileBytes(log).find("connect a VNC viewer to 127.0.0.1:"
		+ std::to_string(port)), std::string::npos) << FileBytes(log);

	// Only the terminal listens there, and only on loopback: IPv4's
	// 127.0.0.1, or the same address mapped into a dual-stack socket.
	ASSERT_TRUE(WaitFor([&] { return !ListeningAddresses(port).empty(); }))
		<< FileBytes(log);
	for (const std::string& address : ListeningAddresses(port)) {
		EXPECT_TRUE(address == "0100007F"
			|| address == "0000000000000000FFFF00000100007F") << address;
	}
	EXPECT_EQ(ListeningAddresses(port).size(), 1u);

	// A VNC viewer on this machine is greeted.
	int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
	sockaddr_in address = {};
	address.sin_family = AF_INET;
	address.sin_port = htons(port);
	address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	ASSERT_EQ(connect(fd, (sockaddr*)&address, sizeof(address)), 0);
	char greeting[4] = {};
	EXPECT_EQ(read(fd, greeting, sizeof(greeting)), 4);
	EXPECT_EQ(std::string(greeting, 4), "RFB ");
	close(fd);

	int status = -1;
	Hey({ "quit" }, &status);
	EXPECT_EQ(status, 0);
	EXPECT_EQ(fScript.Wait(15), 0);
	EXPECT_TRUE(WaitFor([&] { return ListeningAddresses(port).empty(); }));
}
