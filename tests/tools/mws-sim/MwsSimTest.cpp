// Starts the real mws-sim and talks to it with the real wget, on loopback.
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

class Child {
public:
	Child(std::vector<std::string> args)
	{
		int fds[2];
		if (pipe2(fds, O_CLOEXEC) != 0)
			return;
		fPid = fork();
		if (fPid == 0) {
			dup2(fds[1], 1);
			std::vector<char*> argv;
			for (auto& a : args)
				argv.push_back(a.data());
			argv.push_back(NULL);
			execvp(argv[0], argv.data());
			_exit(127);
		}
		close(fds[1]);
		fOut = fdopen(fds[0], "r");
	}

	~Child()
	{
		if (fPid > 0) {
			kill(fPid, SIGTERM);
			waitpid(fPid, NULL, 0);
		}
		if (fOut != NULL)
			fclose(fOut);
	}

	std::string ReadLine()
	{
		char line[512];
		if (fOut == NULL || fgets(line, sizeof(line), fOut) == NULL)
			return "";
		return line;
	}

	pid_t	fPid = -1;
	FILE*	fOut = NULL;
};

int
RunWait(std::vector<std::string> args)
{
	pid_t pid = fork();
	if (pid == 0) {
		std::vector<char*> argv;
		for (auto& a : args)
			argv.push_back(a.data());
		argv.push_back(NULL);
		int null = open("/dev/null", O_WRONLY);
		dup2(null, 1);
		dup2(null, 2);
		execvp(argv[0], argv.data());
		_exit(127);
	}
	int status = 0;
	waitpid(pid, &status, 0);
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int
PortOf(const std::string& line)
{
	size_t colon = line.find("127.0.0.1:");
	return colon == std::string::npos ? -1 : atoi(line.c_str() + colon + 10);
}

std::string
Url(int port, const char* query)
{
	return "http://127.0.0.1:" + std::to_string(port) + "/?" + query;
}

const std::string kSim = ZELMORA_BINARY_DIR "/bin/mws-sim";

}	// namespace

TEST(MwsSim, AnswersWgetAndLogsEachRequest)
{
	Child sim({ kSim, "--port", "0" });
	int port = PortOf(sim.ReadLine());
	ASSERT_GT(port, 0);

	EXPECT_EQ(RunWait({ "wget", "-q", "-O", "/dev/null", "--timeout=2",
		"--tries=1", Url(port, "4=0") }), 0);
	EXPECT_EQ(sim.ReadLine(), "GET /?4=0 -> relay 2 on | 1:off 2:on 3:off 4:off\n");
	EXPECT_EQ(RunWait({ "wget", "-q", "-O", "/dev/null", "--timeout=2",
		"--tries=1", Url(port, "4=1") }), 0);
	EXPECT_EQ(sim.ReadLine(), "GET /?4=1 -> relay 2 off | 1:off 2:off 3:off 4:off\n");
}

TEST(MwsSim, DownBoxMakesWgetTimeOut)
{
	Child sim({ kSim, "--port", "0", "--down" });
	int port = PortOf(sim.ReadLine());
	ASSERT_GT(port, 0);
	EXPECT_NE(RunWait({ "wget", "-q", "-O", "/dev/null", "--timeout=1",
		"--tries=1", Url(port, "3=0") }), 0);
}
