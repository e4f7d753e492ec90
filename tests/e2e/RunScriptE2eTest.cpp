// `make run` as CI can run it: scripts/run.sh on a throw-away copy of the
// build, offscreen, one tag typed at the reader, the booking on disk, and a
// scripted quit that takes the companions down with the terminal.
#include "E2eFixture.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

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

}	// namespace


typedef E2eFixture RunScriptE2eTest;


TEST_F(RunScriptE2eTest, ATagTypedAtTheDemoIsBookedAndQuitEndsAll)
{
	// The build the script sees: the programs it needs, nothing else.
	std::string build = fRoot + "/build";
	ASSERT_EQ(mkdir(build.c_str(), 0755), 0);
	ASSERT_EQ(mkdir((build + "/bin").c_str(), 0755), 0);
	ASSERT_EQ(mkdir((build + "/tests").c_str(), 0755), 0);
	for (const char* program : { "zelmora", "zelmora-prefs", "mws-sim",
			"scanlet" }) {
		ASSERT_EQ(symlink((std::string(ZELMORA_BINARY_DIR "/bin/") + program)
			.c_str(), (build + "/bin/" + program).c_str()), 0);
	}
	ASSERT_EQ(symlink(ZELMORA_BINARY_DIR "/tests/wget-guard",
		(build + "/tests/wget-guard").c_str()), 0);
	// The script puts the guard in front of the real wget itself.
	setenv("PATH", "/usr/bin:/bin", 1);
	std::string demo = build + "/demo";

	int keyboard[2];
	ASSERT_EQ(pipe2(keyboard, O_CLOEXEC), 0);
	Child script;
	std::string log = fRoot + "/run.log";
	ASSERT_TRUE(script.Start({ "/bin/sh", ZELMORA_SOURCE_DIR "/scripts/run.sh",
		build }, log, keyboard[0]));
	close(keyboard[0]);
	// However the test ends, the terminal is asked to quit first, so the
	// script's own clean-up stops the companions.
	struct AtEnd {
		std::function<void()> run;
		~AtEnd() { run(); }
	} quitAtEnd { [&] {
		if (script.Running()) {
			Hey({ "quit" });
			script.Wait(10);
		}
	} };

	// The demo's own runtime folder holds the terminal's socket.
	setenv("XDG_RUNTIME_DIR", (demo + "/run").c_str(), 1);
	bool up = WaitFor([&] {
		int status = -1;
		Hey({ "do", "Sync" }, &status);
		return status == 0;
	}, 20);
	ASSERT_TRUE(up) << FileBytes(log);
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
	ASSERT_EQ(write(keyboard[1], typed, strlen(typed)),
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
	EXPECT_EQ(script.Wait(15), 0);
	close(keyboard[1]);
	EXPECT_NE(FileBytes(log).find("-ZLM end-"), std::string::npos);
	// The script signals its companions and is gone; they follow.
	EXPECT_TRUE(WaitFor([&] { return !Accepts(port); }))
		<< "the relay box simulator still runs";
	EXPECT_EQ(FileBytes(booking).size(), 8u);
}
