// The scanlet program as a whole, started as its own process with its own
// settings, MIME and runtime folders.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <Entry.h>
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


class Program : public ::testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/scanlet-program-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fHome = folder;
		for (const char* sub : { "/config", "/data", "/run" })
			mkdir((fHome + sub).c_str(), 0700);
		// The MIME database of this test process is the program's too.
		setenv("XDG_DATA_HOME", (fHome + "/data").c_str(), 1);
		setenv("XDG_CONFIG_HOME", (fHome + "/config").c_str(), 1);
		setenv("XDG_RUNTIME_DIR", (fHome + "/run").c_str(), 1);
	}
	void TearDown() override
	{
		const char* argv[] = { "rm", "-rf", fHome.c_str(), NULL };
		pid_t pid;
		if (posix_spawnp(&pid, "rm", NULL, NULL, (char**)argv, environ) == 0)
			waitpid(pid, NULL, 0);
	}

	// Runs scanlet with the arguments; a run longer than 20 s is ended.
	Outcome Run(std::vector<std::string> arguments)
	{
		std::string program = ZELMORA_BINARY_DIR "/bin/scanlet";
		std::vector<char*> argv;
		argv.push_back((char*)program.c_str());
		for (std::string& argument : arguments)
			argv.push_back((char*)argument.c_str());
		argv.push_back(NULL);

		std::string outPath = fHome + "/out", errPath = fHome + "/err";
		posix_spawn_file_actions_t actions;
		posix_spawn_file_actions_init(&actions);
		posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
		posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(),
			O_WRONLY | O_CREAT | O_TRUNC, 0600);
		posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(),
			O_WRONLY | O_CREAT | O_TRUNC, 0600);
		pid_t pid;
		Outcome outcome;
		int spawned = posix_spawn(&pid, program.c_str(), &actions, NULL,
			argv.data(), environ);
		posix_spawn_file_actions_destroy(&actions);
		if (spawned != 0)
			return outcome;

		int status = 0;
		bigtime_t end = system_time() + 20000000;
		while (waitpid(pid, &status, WNOHANG) == 0) {
			if (system_time() > end) {
				kill(pid, SIGKILL);
				waitpid(pid, &status, 0);
				break;
			}
			snooze(20000);
		}
		outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
		outcome.out = ReadFile(outPath);
		outcome.err = ReadFile(errPath);
		return outcome;
	}

	void WriteSettings(const char* text)
	{
		std::string folder = fHome + "/config/_LP_x-vnd.KQ";
		mkdir(folder.c_str(), 0700);
		std::ofstream file(folder + "/Scanlet_settings");
		file << text;
	}

	std::string fHome;
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
