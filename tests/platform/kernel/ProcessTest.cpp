// Starting programs: arguments arrive unchanged, exit status, PATH lookup,
// no inherited descriptors, and only our own child is reaped.
#include <gtest/gtest.h>

#include <errno.h>
#include <fcntl.h>
#include <ftw.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <OS.h>
#include <Process.h>

using BPrivate::start_program;


namespace {

// A scratch folder, the helper's output file in it, and environment
// variables that are put back afterwards.
class ProcessTest : public ::testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/zl-process-XXXXXX";
		ASSERT_NE(nullptr, mkdtemp(pattern));
		fFolder = pattern;
		fOut = fFolder + "/out";
		_Set("ZL_HELPER_OUT", fOut.c_str());
	}

	void TearDown() override
	{
		for (auto it = fSaved.rbegin(); it != fSaved.rend(); ++it) {
			if (it->hadValue)
				setenv(it->name.c_str(), it->value.c_str(), 1);
			else
				unsetenv(it->name.c_str());
		}
		nftw(fFolder.c_str(), _Remove, 8, FTW_DEPTH | FTW_PHYS);
	}

	void _Set(const char* name, const char* value)
	{
		const char* old = getenv(name);
		fSaved.push_back({ name, old != NULL, old != NULL ? old : "" });
		if (value != NULL)
			setenv(name, value, 1);
		else
			unsetenv(name);
	}

	// The helper's report: its arguments and the rest of its lines.
	void _ReadReport(std::vector<std::string>& args, std::string& rest)
	{
		args.clear();
		rest.clear();
		FILE* file = fopen(fOut.c_str(), "re");
		ASSERT_NE(nullptr, file);
		std::string data;
		char buffer[4096];
		size_t bytes;
		while ((bytes = fread(buffer, 1, sizeof(buffer), file)) > 0)
			data.append(buffer, bytes);
		fclose(file);
		size_t offset = data.find('\n');
		ASSERT_NE(std::string::npos, offset);
		int count = atoi(data.c_str());
		offset++;
		for (int i = 0; i < count; i++) {
			size_t end = data.find('\0', offset);
			ASSERT_NE(std::string::npos, end);
			args.push_back(data.substr(offset, end - offset));
			offset = end + 1;
		}
		rest = data.substr(offset);
	}

	static int _Remove(const char* path, const struct stat*, int, FTW*)
	{
		remove(path);
		return 0;
	}

	struct Saved {
		std::string name;
		bool hadValue;
		std::string value;
	};

	std::string fFolder;
	std::string fOut;
	std::vector<Saved> fSaved;
};

}	// namespace


TEST_F(ProcessTest, OddArgumentsArriveUnchanged)
{
	const char* argv[] = { ZL_PROCESS_HELPER, "it's \"quoted\"", "a; rm -rf /",
		"  blanks  around ", "-leading-dash", "", "$HOME `id` $(id)",
		"back\\slash", "*", "new\nline", NULL };
	int exitStatus = -1;
	ASSERT_EQ(B_OK, start_program(argv, true, &exitStatus));
	EXPECT_EQ(0, exitStatus);

	std::vector<std::string> args;
	std::string rest;
	_ReadReport(args, rest);
	ASSERT_EQ(10u, args.size());
	for (size_t i = 0; i < args.size(); i++)
		EXPECT_EQ(argv[i], args[i]) << "argument " << i;
}


TEST_F(ProcessTest, ExitStatusAndSignals)
{
	const char* argv[] = { ZL_PROCESS_HELPER, NULL };
	int exitStatus = -1;
	_Set("ZL_HELPER_EXIT", "7");
	ASSERT_EQ(B_OK, start_program(argv, true, &exitStatus));
	EXPECT_EQ(7, exitStatus);

	_Set("ZL_HELPER_SIGNAL", "15");
	ASSERT_EQ(B_OK, start_program(argv, true, &exitStatus));
	EXPECT_EQ(128 + SIGTERM, exitStatus);

	// Starting /bin/false and /bin/true by full path.
	const char* falseArgv[] = { "/bin/false", NULL };
	ASSERT_EQ(B_OK, start_program(falseArgv, true, &exitStatus));
	EXPECT_EQ(1, exitStatus);

	const char* missing[] = { "/no/such/program", NULL };
	EXPECT_EQ(B_ENTRY_NOT_FOUND, start_program(missing, true, &exitStatus));
	const char* empty[] = { "", NULL };
	EXPECT_EQ(B_ENTRY_NOT_FOUND, start_program(empty, true, &exitStatus));
	const char* none[] = { NULL };
	EXPECT_EQ(B_BAD_VALUE, start_program(none, true, &exitStatus));
	EXPECT_EQ(B_BAD_VALUE, start_program(NULL, true, &exitStatus));
	const char* notExecutable[] = { "/etc/passwd", NULL };
	EXPECT_EQ(B_PERMISSION_DENIED, start_program(notExecutable, true,
		&exitStatus));
}


TEST_F(ProcessTest, PathLookup)
{
	std::string bin = fFolder + "/bin";
	ASSERT_EQ(0, mkdir(bin.c_str(), 0700));
	std::string program = bin + "/zl-helper";
	ASSERT_EQ(0, symlink(ZL_PROCESS_HELPER, program.c_str()));
	// An earlier folder with a same-named file that cannot run is passed.
	std::string earlier = fFolder + "/earlier";
	ASSERT_EQ(0, mkdir(earlier.c_str(), 0700));
	int fd = open((earlier + "/zl-helper").c_str(), O_CREAT | O_WRONLY, 0600);
	ASSERT_GE(fd, 0);
	close(fd);

	std::string path = earlier + ":" + bin;
	_Set("PATH", path.c_str());
	const char* argv[] = { "zl-helper", "x", NULL };
	int exitStatus = -1;
	ASSERT_EQ(B_OK, start_program(argv, true, &exitStatus));
	EXPECT_EQ(0, exitStatus);
	std::vector<std::string> args;
	std::string rest;
	_ReadReport(args, rest);
	EXPECT_EQ((std::vector<std::string>{ "zl-helper", "x" }), args);

	// Empty and relative entries never mean the working folder.
	char cwd[4096];
	ASSERT_NE(nullptr, getcwd(cwd, sizeof(cwd)));
	ASSERT_EQ(0, chdir(bin.c_str()));
	_Set("PATH", ":.:bin");
	status_t status = start_program(argv, true, &exitStatus);
	ASSERT_EQ(0, chdir(cwd));
	EXPECT_EQ(B_ENTRY_NOT_FOUND, status);

	_Set("PATH", earlier.c_str());
	EXPECT_EQ(B_PERMISSION_DENIED, start_program(argv, true, &exitStatus));

	// Without PATH the usual system folders are searched.
	_Set("PATH", NULL);
	const char* echo[] = { "echo", "hi", NULL };
	int saved = dup(STDOUT_FILENO);
	int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
	dup2(devNull, STDOUT_FILENO);
	status = start_program(echo, true, &exitStatus);
	dup2(saved, STDOUT_FILENO);
	close(saved);
	close(devNull);
	EXPECT_EQ(B_OK, status);
	EXPECT_EQ(0, exitStatus);
}


TEST_F(ProcessTest, ChildGetsOnlyStandardDescriptorsAndDefaultSignals)
{
	// A descriptor opened without close-on-exec, and SIGPIPE ignored as
	// the kits do.
	int leaky = open("/dev/null", O_RDONLY);
	ASSERT_GE(leaky, 3);
	struct sigaction ignore = {}, old;
	ignore.sa_handler = SIG_IGN;
	sigaction(SIGPIPE, &ignore, &old);

	const char* argv[] = { ZL_PROCESS_HELPER, NULL };
	int exitStatus = -1;
	status_t status = start_program(argv, true, &exitStatus);
	sigaction(SIGPIPE, &old, NULL);
	close(leaky);
	ASSERT_EQ(B_OK, status);

	std::vector<std::string> args;
	std::string rest;
	_ReadReport(args, rest);
	EXPECT_EQ("fd 0\nfd 1\nfd 2\nsigpipe default\n", rest);
}


TEST_F(ProcessTest, BackgroundChildIsReapedAndOthersAreNot)
{
	// Another child of ours that start_program must leave alone.
	pid_t other = fork();
	ASSERT_GE(other, 0);
	if (other == 0)
		_exit(3);

	_Set("ZL_HELPER_SLEEP_MS", "100");
	const char* argv[] = { ZL_PROCESS_HELPER, NULL };
	pid_t child = -1;
	bigtime_t start = system_time();
	ASSERT_EQ(B_OK, start_program(argv, false, NULL, &child));
	EXPECT_GT(child, 0);
	// It returned without waiting for the helper's sleep.
	EXPECT_LT(system_time() - start, 90000);

	// The waiter reaps it: the process vanishes, not even a zombie stays.
	bool gone = false;
	for (int i = 0; i < 500 && !gone; i++) {
		gone = kill(child, 0) != 0 && errno == ESRCH;
		if (!gone)
			usleep(10000);
	}
	EXPECT_TRUE(gone);

	int status = 0;
	ASSERT_EQ(other, waitpid(other, &status, 0));
	EXPECT_TRUE(WIFEXITED(status));
	EXPECT_EQ(3, WEXITSTATUS(status));
}
