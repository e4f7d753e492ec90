// The scanlet program as a whole, started as its own process with its own
// settings, MIME and runtime folders, and with a stand-in application.
#include <fcntl.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <Deskbar.h>
#include <Entry.h>
#include <Messenger.h>
#include <MimeType.h>
#include <OS.h>
#include <Path.h>

#include <gtest/gtest.h>

extern char** environ;

namespace {

struct Outcome {
	int			status = -1;
	std::string	out;
	std::string	err;
};


std::string
ReadFile(const std::string& path)
{
	std::ifstream file(path);
	std::stringstream text;
	text << file.rdbuf();
	return text.str();
}


// A program started for a test, its output going to files. It is ended
// when it goes out of scope.
struct Child {
	pid_t		pid = -1;
	std::string	outPath;
	std::string	errPath;

	~Child() { Stop(); }

	std::string Out() const { return ReadFile(outPath); }
	std::string Err() const { return ReadFile(errPath); }

	// Its exit status; a program still running after timeout is killed
	// and gives -1.
	int Wait(bigtime_t timeout = 20000000)
	{
		if (pid <= 0)
			return -1;
		int status = 0;
		bigtime_t end = system_time() + timeout;
		while (waitpid(pid, &status, WNOHANG) == 0) {
			if (system_time() > end) {
				kill(pid, SIGKILL);
				waitpid(pid, &status, 0);
				pid = -1;
				return -1;
			}
			snooze(20000);
		}
		pid = -1;
		return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	}

	// Waits until the text shows in the output (which: 1 or 2).
	bool WaitForOutput(int which, const std::string& text,
		bigtime_t timeout = 10000000)
	{
		bigtime_t end = system_time() + timeout;
		while (system_time() < end) {
			if ((which == 1 ? Out() : Err()).find(text) != std::string::npos)
				return true;
			snooze(20000);
		}
		return false;
	}

	void Stop()
	{
		if (pid <= 0)
			return;
		kill(pid, SIGTERM);
		Wait(5000000);
	}
};


// A pseudo-terminal whose ends the programs started do not inherit.
bool
OpenLine(int* master, int* slave, char* name)
{
	if (openpty(master, slave, name, NULL, NULL) != 0)
		return false;
	fcntl(*master, F_SETFD, FD_CLOEXEC);
	fcntl(*slave, F_SETFD, FD_CLOEXEC);
	return true;
}


class Program : public ::testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/scanlet-program-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fHome = folder;
		for (const char* sub : { "/config", "/data", "/run" })
			mkdir((fHome + sub).c_str(), 0700);
		// Settings, MIME database, sockets and Deskbar registry of this
		// test process are the programs' too.
		setenv("XDG_DATA_HOME", (fHome + "/data").c_str(), 1);
		setenv("XDG_CONFIG_HOME", (fHome + "/config").c_str(), 1);
		setenv("XDG_RUNTIME_DIR", (fHome + "/run").c_str(), 1);
		unsetenv("DISPLAY");
		unsetenv("WAYLAND_DISPLAY");
	}
	void TearDown() override
	{
		const char* argv[] = { "rm", "-rf", fHome.c_str(), NULL };
		pid_t pid;
		if (posix_spawnp(&pid, "rm", NULL, NULL, (char**)argv, environ) == 0)
			waitpid(pid, NULL, 0);
	}

	// Starts a program; input is a descriptor for its standard input
	// (-1: /dev/null).
	void Start(Child& child, const char* program,
		std::vector<std::string> arguments, int input = -1)
	{
		static int sCount = 0;
		std::vector<char*> argv;
		argv.push_back((char*)program);
		for (std::string& argument : arguments)
			argv.push_back((char*)argument.c_str());
		argv.push_back(NULL);

		int number = sCount++;
		child.outPath = fHome + "/out" + std::to_string(number);
		child.errPath = fHome + "/err" + std::to_string(number);
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		if (input >= 0)
			posix_spawn_file_actions_adddup2(&actions, input, 0);
		else {
			posix_spawn_file_actions_addopen(&actions, 0, "/dev/null",
				O_RDONLY, 0);
		}
		posix_spawn_file_actions_addopen(&actions, 1, child.outPath.c_str(),
			O_WRONLY | O_CREAT | O_TRUNC, 0600);
		posix_spawn_file_actions_addopen(&actions, 2, child.errPath.c_str(),
			O_WRONLY | O_CREAT | O_TRUNC, 0600);
		if (posix_spawn(&child.pid, program, &actions, NULL, argv.data(),
				environ) != 0)
			child.pid = -1;
		posix_spawn_file_actions_destroy(&actions);
	}

	void StartScanlet(Child& child, std::vector<std::string> arguments,
		int input = -1)
	{
		Start(child, ZELMORA_BINARY_DIR "/bin/scanlet", arguments, input);
	}

	// The stand-in application, up and listening on return.
	void StartZelmora(Child& child, std::vector<std::string> arguments = {})
	{
		Start(child, SCANLET_FAKE_ZELMORA, arguments);
		for (int i = 0; i < 500; i++) {
			if (BMessenger("application/Zelmora").IsValid())
				return;
			snooze(20000);
		}
		ADD_FAILURE() << "the application did not come up";
	}

	Outcome Run(std::vector<std::string> arguments)
	{
		Child child;
		StartScanlet(child, arguments);
		Outcome outcome;
		outcome.status = child.Wait();
		outcome.out = child.Out();
		outcome.err = child.Err();
		return outcome;
	}

	void WriteSettings(const char* text)
	{
		std::string folder = fHome + "/config/_LP_x-vnd.KQ";
		mkdir(folder.c_str(), 0700);
		std::ofstream file(folder + "/Scanlet_settings");
		file << text;
	}

	std::string			fHome;
};

}	// namespace


TEST_F(Program, UsageMistakesAndHelp)
{
	Outcome outcome = Run({ "--serial" });
	EXPECT_EQ(outcome.status, 2);
	EXPECT_NE(outcome.err.find("--serial needs a value"), std::string::npos);
	EXPECT_NE(outcome.err.find("usage: scanlet"), std::string::npos);

	outcome = Run({ "--tag", "a", "--stdin" });
	EXPECT_EQ(outcome.status, 2);

	outcome = Run({ "--help" });
	EXPECT_EQ(outcome.status, 0);
	EXPECT_NE(outcome.out.find("--evdev DEV"), std::string::npos);
}


TEST_F(Program, WithoutSettingsItAnswersRequestsAndEndsWhenAlone)
{
	bigtime_t start = system_time();
	Outcome outcome = Run({ "--linger", "0.5" });
	EXPECT_EQ(outcome.status, 0) << outcome.err;
	EXPECT_LT(system_time() - start, 15000000);
	EXPECT_NE(outcome.err.find("no reader set up; answering requests only"),
		std::string::npos) << outcome.err;
	EXPECT_NE(outcome.err.find("application/Zelmora has been gone"),
		std::string::npos) << outcome.err;

	// It registered its signature, with the program as the app hint.
	BMimeType type("application/x-vnd.KQ-Scanlet");
	ASSERT_TRUE(type.IsInstalled());
	entry_ref ref;
	ASSERT_EQ(type.GetAppHint(&ref), B_OK);
	BPath hint(&ref);
	char* real = realpath(ZELMORA_BINARY_DIR "/bin/scanlet", NULL);
	ASSERT_NE(real, nullptr);
	EXPECT_STREQ(hint.Path(), real);
	free(real);
}


TEST_F(Program, SourceComesFromTheSettingsFile)
{
	WriteSettings("source = serial\ndevice = /nonexistent/ttyUSB7\n");
	Outcome outcome = Run({ "--linger", "5" });
	EXPECT_EQ(outcome.status, 1);
	EXPECT_NE(outcome.err.find("cannot open /nonexistent/ttyUSB7"),
		std::string::npos) << outcome.err;

	WriteSettings("source = telepathy\n");
	outcome = Run({ "--linger", "0.2" });
	EXPECT_EQ(outcome.status, 0);
	EXPECT_NE(outcome.err.find("unknown source \"telepathy\""),
		std::string::npos) << outcome.err;
	EXPECT_NE(outcome.err.find("answering requests only"), std::string::npos);
}


TEST_F(Program, StandardInputReachesTheApplicationInOrder)
{
	Child zelmora, scanlet;
	StartZelmora(zelmora);
	int input[2];
	ASSERT_EQ(pipe2(input, O_CLOEXEC), 0);
	StartScanlet(scanlet, { "--stdin" }, input[0]);
	close(input[0]);

	// The same tag again at once is one read; its Deskbar item shows.
	const char* lines = "A1\nB2\nA1\n\nC3\n";
	ASSERT_EQ(write(input[1], lines, strlen(lines)), (ssize_t)strlen(lines));
	ASSERT_TRUE(zelmora.WaitForOutput(1, "RFID C3")) << zelmora.Out();
	EXPECT_EQ(zelmora.Out(), "RFID A1 1 - -\nRFID B2 1 - -\nRFID C3 1 - -\n");
	EXPECT_TRUE(BDeskbar().HasItem("ScanletView"));

	// The end of the input ends the program, and its item goes.
	close(input[1]);
	EXPECT_EQ(scanlet.Wait(), 0) << scanlet.Err();
	EXPECT_FALSE(BDeskbar().HasItem("ScanletView"));
}


TEST_F(Program, HeldReadsAreDeliveredWhenTheApplicationComesUp)
{
	Child zelmora, scanlet;
	StartScanlet(scanlet, { "--tag", "X1", "--tag", "X1", "--tag", "Y2" });
	ASSERT_TRUE(scanlet.WaitForOutput(2, "the read of tag \"Y2\" is kept"))
		<< scanlet.Err();
	// One-shot reads show no Deskbar item.
	EXPECT_FALSE(BDeskbar().HasItem("ScanletView"));

	StartZelmora(zelmora);
	EXPECT_EQ(scanlet.Wait(), 0) << scanlet.Err();
	// Delivered is not yet printed by the stand-in.
	EXPECT_TRUE(zelmora.WaitForOutput(1, "RFID Y2")) << zelmora.Out();
	// --tag reads are never debounced.
	EXPECT_EQ(zelmora.Out(), "RFID X1 1 - -\nRFID X1 1 - -\nRFID Y2 1 - -\n");
	EXPECT_NE(scanlet.Err().find("the held read of tag \"X1\" is delivered"),
		std::string::npos) << scanlet.Err();
}


TEST_F(Program, RequestsAreAnsweredWithMarkedReads)
{
	Child zelmora, scanlet;
	StartZelmora(zelmora, { "--ask", "2" });
	int input[2];
	ASSERT_EQ(pipe2(input, O_CLOEXEC), 0);
	StartScanlet(scanlet, { "--stdin", "--debounce", "0" }, input[0]);
	close(input[0]);

	ASSERT_EQ(write(input[1], "1\n", 2), 2);
	ASSERT_TRUE(zelmora.WaitForOutput(1, "asked")) << zelmora.Out();
	ASSERT_TRUE(scanlet.WaitForOutput(2,
		"2 read(s) asked for by \"ZLMWindow-Futter\"")) << scanlet.Err();
	ASSERT_EQ(write(input[1], "2\n2\n4\n", 6), 6);
	ASSERT_TRUE(zelmora.WaitForOutput(1, "RFID 4")) << zelmora.Out();
	EXPECT_EQ(zelmora.Out(), "RFID 1 1 - -\nasked\n"
		"RFID 2 1 ZLMWindow-Futter 1\nRFID 2 1 ZLMWindow-Futter 2\n"
		"RFID 4 1 - -\n");
	close(input[1]);
	EXPECT_EQ(scanlet.Wait(), 0);
}


TEST_F(Program, EndsOnceTheApplicationIsGone)
{
	Child zelmora, scanlet;
	StartZelmora(zelmora);
	int input[2];
	ASSERT_EQ(pipe2(input, O_CLOEXEC), 0);
	StartScanlet(scanlet, { "--stdin", "--linger", "1" }, input[0]);
	close(input[0]);
	ASSERT_EQ(write(input[1], "7\n", 2), 2);
	ASSERT_TRUE(zelmora.WaitForOutput(1, "RFID 7"));

	// Still there after the linger time while the application runs.
	snooze(1500000);
	EXPECT_EQ(waitpid(scanlet.pid, NULL, WNOHANG), 0);

	zelmora.Stop();
	bigtime_t stopped = system_time();
	EXPECT_EQ(scanlet.Wait(10000000), 0);
	EXPECT_LT(system_time() - stopped, 8000000);
	EXPECT_NE(scanlet.Err().find("application/Zelmora has been gone"),
		std::string::npos) << scanlet.Err();
	close(input[1]);
}


TEST_F(Program, SerialModuleOnAPseudoTerminal)
{
	int master, slave;
	char name[128];
	ASSERT_TRUE(OpenLine(&master, &slave, name));
	Child zelmora, scanlet;
	StartZelmora(zelmora);
	StartScanlet(scanlet, { "--serial", name });
	// The line is set raw once the program has opened it.
	bool raw = false;
	for (int i = 0; i < 500 && !raw; i++) {
		struct termios tty;
		raw = tcgetattr(slave, &tty) == 0 && !(tty.c_lflag & ICANON);
		snooze(10000);
	}
	ASSERT_TRUE(raw);
	snooze(100000);

	// A card held at the module: its frame again and again, one with a
	// bad checksum among them.
	std::string frame = "\x02" "1A004F2B9CE2\x03";
	std::string bad = "\x02" "1A004F2B9CE3\x03";
	std::string other = "\x02" "0102030405" "01\x03";
	std::string bytes = frame + frame + bad + frame + other;
	ASSERT_EQ(write(master, bytes.data(), bytes.size()), (ssize_t)bytes.size());
	ASSERT_TRUE(zelmora.WaitForOutput(1, "RFID 0102030405")) << zelmora.Out();
	EXPECT_EQ(zelmora.Out(), "RFID 1A004F2B9C 1 - -\nRFID 0102030405 1 - -\n");
	EXPECT_NE(scanlet.Err().find("bad checksum"), std::string::npos);
	scanlet.Stop();
	close(slave);
	close(master);
}


TEST_F(Program, UnpluggedReaderIsOpenedAgainWhenItIsBack)
{
	// The device is a link, as udev makes one for a USB reader; the line
	// behind it goes away and another one comes.
	int master, slave;
	char name[128];
	ASSERT_TRUE(OpenLine(&master, &slave, name));
	std::string link = fHome + "/reader";
	ASSERT_EQ(symlink(name, link.c_str()), 0);
	WriteSettings(("source = serial\ndevice = " + link + "\n").c_str());

	Child zelmora, scanlet;
	StartZelmora(zelmora);
	StartScanlet(scanlet, {});
	std::string frame = "\x02" "1A004F2B9CE2\x03";
	for (int i = 0; i < 100 && zelmora.Out().empty(); i++) {
		// Until the program has the line open, what is written is lost.
		ASSERT_EQ(write(master, frame.data(), frame.size()),
			(ssize_t)frame.size());
		snooze(100000);
	}
	ASSERT_TRUE(zelmora.WaitForOutput(1, "RFID 1A004F2B9C")) << scanlet.Err();

	close(slave);
	close(master);
	ASSERT_TRUE(scanlet.WaitForOutput(2, "the reader is gone"))
		<< scanlet.Err();

	ASSERT_TRUE(OpenLine(&master, &slave, name));
	unlink(link.c_str());
	ASSERT_EQ(symlink(name, link.c_str()), 0);
	ASSERT_TRUE(scanlet.WaitForOutput(2, "the reader is back")) << scanlet.Err();
	snooze(100000);
	std::string other = "\x02" "0102030405" "01\x03";
	ASSERT_EQ(write(master, other.data(), other.size()), (ssize_t)other.size());
	ASSERT_TRUE(zelmora.WaitForOutput(1, "RFID 0102030405")) << scanlet.Err();
	EXPECT_EQ(waitpid(scanlet.pid, NULL, WNOHANG), 0);
	close(slave);
	close(master);
}


TEST_F(Program, LookingForTheApplicationWhileItStartsDoesNotLoseIt)
{
	// scanlet looks for the application four times a second; a look that
	// comes while the application is still setting up its socket must not
	// take that socket for a stale one.
	for (int round = 0; round < 10; round++) {
		Child zelmora;
		Start(zelmora, SCANLET_FAKE_ZELMORA, {});
		bool found = false;
		for (int i = 0; i < 20000 && !found; i++)
			found = BMessenger("application/Zelmora").IsValid();
		ASSERT_TRUE(found) << "round " << round;
	}
}
