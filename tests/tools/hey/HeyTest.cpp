// hey against the running gallery program: counts, reads through window
// specifiers, errors, and a program that does not run.
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <OS.h>
#include <Process.h>

#include "RemoteLinks.h"

namespace {

const char* kGallery = "application/x-vnd.zelmora-gallery";


// Runs hey with the arguments; its exit code and standard output.
int
RunHey(std::vector<const char*> arguments, std::string* output)
{
	int fds[2];
	if (pipe(fds) != 0)
		return -1;
	arguments.insert(arguments.begin(), ZL_HEY);
	arguments.push_back(NULL);
	pid_t pid = fork();
	if (pid == 0) {
		dup2(fds[1], 1);
		close(fds[0]);
		close(fds[1]);
		execv(ZL_HEY, const_cast<char* const*>(arguments.data()));
		_exit(127);
	}
	close(fds[1]);
	output->clear();
	char buffer[4096];
	ssize_t length;
	while ((length = read(fds[0], buffer, sizeof(buffer))) > 0)
		output->append(buffer, length);
	close(fds[0]);
	int status = 0;
	waitpid(pid, &status, 0);
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}


class HeyTest : public testing::Test {
protected:
	void SetUp() override
	{
		char folder[] = "/tmp/zl-hey-XXXXXX";
		ASSERT_NE(mkdtemp(folder), nullptr);
		fRuntime = folder;
		setenv("XDG_RUNTIME_DIR", folder, 1);
		const char* argv[] = { ZL_GALLERY, NULL };
		ASSERT_EQ(BPrivate::start_program(argv, false, NULL, &fGallery),
			B_OK);
		for (int i = 0; i < 500; i++) {
			if (!BPrivate::RemoteLinks::FindApplications(kGallery).empty())
				return;
			snooze(10000);
		}
		FAIL() << "the gallery does not come up";
	}

	void TearDown() override
	{
		kill(fGallery, SIGTERM);
		for (int i = 0; i < 200 && kill(fGallery, 0) == 0; i++)
			snooze(10000);
		const char* argv[] = { "rm", "-rf", fRuntime.c_str(), NULL };
		BPrivate::start_program(argv, true, NULL);
	}

	std::string	fRuntime;
	pid_t		fGallery = -1;
};

}	// namespace


TEST_F(HeyTest, ReadsTheRunningProgram)
{
	std::string output;
	EXPECT_EQ(RunHey({ "-s", kGallery, "count", "Window" }, &output), 0);
	EXPECT_EQ(output, "1\n");

	EXPECT_EQ(RunHey({ kGallery, "get", "Name" }, &output), 0);
	EXPECT_EQ(output, "Reply BMessage(B_REPLY):\n"
		"   \"result\" (B_STRING_TYPE) : \"application/x-vnd.zelmora-gallery\"\n"
		"   \"error\" (B_INT32_TYPE) : 0\n");

	// Through a window specifier, by index and by title.
	EXPECT_EQ(RunHey({ "-s", kGallery, "get", "InternalName", "of", "Window",
		"0" }, &output), 0);
	EXPECT_EQ(output, "Gallery\n");
	EXPECT_EQ(RunHey({ "-s", kGallery, "get", "InternalName", "of", "Window",
		"Gallery" }, &output), 0);
	EXPECT_EQ(output, "Gallery\n");

	EXPECT_EQ(RunHey({ kGallery, "getsuites" }, &output), 0);
	EXPECT_NE(output.find("suite/vnd.Be-application"), std::string::npos);
}


TEST_F(HeyTest, ErrorsGiveANonZeroExit)
{
	std::string output;
	EXPECT_EQ(RunHey({ kGallery, "get", "Title", "of", "Window", "7" },
		&output), 1);
	EXPECT_NE(output.find("Window index out of range"), std::string::npos);
	EXPECT_EQ(RunHey({ kGallery, "get", "Colour" }, &output), 1);
	EXPECT_NE(output.find("B_MESSAGE_NOT_UNDERSTOOD"), std::string::npos);
	EXPECT_EQ(RunHey({ kGallery, "get", "of" }, &output), 2);
	EXPECT_EQ(RunHey({ kGallery, "bogus" }, &output), 2);

	bigtime_t start = system_time();
	EXPECT_EQ(RunHey({ "application/x-vnd.zl-not-running", "count",
		"Window" }, &output), 1);
	EXPECT_LT(system_time() - start, 1000000);

	// The program stays up through all of it.
	EXPECT_EQ(RunHey({ "-s", kGallery, "count", "Window" }, &output), 0);
}


TEST_F(HeyTest, QuitEndsTheProgram)
{
	std::string output;
	EXPECT_EQ(RunHey({ kGallery, "quit" }, &output), 0);
	for (int i = 0; i < 300 && kill(fGallery, 0) == 0; i++)
		snooze(10000);
	EXPECT_NE(kill(fGallery, 0), 0);
}


TEST_F(HeyTest, WindowsAndViewsAnswerAndTakeSnapshots)
{
	std::string output;
	EXPECT_EQ(RunHey({ "-s", kGallery, "get", "Title", "of", "Window", "0" },
		&output), 0);
	EXPECT_EQ(output, "Gallery\n");
	EXPECT_EQ(RunHey({ "-s", kGallery, "get", "Views", "of", "Window", "0" },
		&output), 0);
	EXPECT_NE(output.find("lastrfid\n"), std::string::npos);

	// A view found by name: read, set and read back its text.
	EXPECT_EQ(RunHey({ kGallery, "set", "Text", "of", "View", "lastrfid",
		"of", "Window", "0", "to", "string:1234" }, &output), 0);
	EXPECT_EQ(RunHey({ "-s", kGallery, "get", "Text", "of", "View",
		"lastrfid", "of", "Window", "Gallery" }, &output), 0);
	EXPECT_EQ(output, "1234\n");
	EXPECT_EQ(RunHey({ kGallery, "get", "Text", "of", "View", "nosuch", "of",
		"Window", "0" }, &output), 1);

	EXPECT_EQ(RunHey({ kGallery, "do", "Sync" }, &output), 0);
	std::string path = fRuntime + "/shot.png";
	std::string with = "path=" + path;
	EXPECT_EQ(RunHey({ kGallery, "do", "Snapshot", "of", "Window", "0",
		"with", with.c_str() }, &output), 0);
	struct stat info;
	ASSERT_EQ(stat(path.c_str(), &info), 0);
	EXPECT_GT(info.st_size, 100);
}
