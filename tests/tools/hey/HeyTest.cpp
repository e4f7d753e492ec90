// hey against the running gallery program: counts, reads through window
// specifiers, errors, and a program that does not run; clicks, menus,
// alerts and lists driven from this process, with the messages they send
// seen in the gallery's "received" views.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>

#include <OS.h>
#include <Process.h>

#include "RemoteLinks.h"

namespace {

const char* kGallery = "application/x-vnd.zelmora-gallery";


// Runs hey with the arguments; its exit code and what it wrote to
// standard output and standard error.
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
		dup2(fds[1], 2);
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


// The request with "of" and the place put after its specifiers.
std::vector<const char*>
At(std::vector<const char*> request, const std::vector<const char*>& place)
{
	auto end = request.begin() + 1;
	while (end != request.end() && strcmp(*end, "to") != 0
		&& strcmp(*end, "with") != 0)
		end++;
	end = request.insert(end, "of") + 1;
	request.insert(end, place.begin(), place.end());
	return request;
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

	// The -s answer of hey without its line end; "(exit N)" on failure.
	std::string Ask(std::vector<const char*> arguments)
	{
		arguments.insert(arguments.begin(), { "-s", kGallery });
		std::string output;
		int status = RunHey(arguments, &output);
		if (status != 0)
			return "(exit " + std::to_string(status) + ")";
		if (!output.empty() && output.back() == '\n')
			output.pop_back();
		return output;
	}

	// Runs a request, then a Sync, so what it caused has happened.
	int Do(std::vector<const char*> arguments)
	{
		arguments.insert(arguments.begin(), kGallery);
		std::string output;
		int status = RunHey(arguments, &output);
		RunHey({ kGallery, "do", "Sync" }, &output);
		return status;
	}

	std::string Received(const char* window)
	{
		return Ask({ "get", "Text", "of", "View", "received", "of", "Window",
			window });
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
	EXPECT_EQ(output, "hey: the application "
		"\"application/x-vnd.zl-not-running\" is not running\n");

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


TEST_F(HeyTest, ClickedButtonsSendTheirMessages)
{
	EXPECT_EQ(Do({ "do", "Click", "of", "View", "save", "of", "Window",
		"0" }), 0);
	EXPECT_EQ(Received("0"), "zLMS");
	// Two views are named "open": the first one found is "More", which
	// opens the second window.
	EXPECT_EQ(Do({ "do", "Click", "of", "View", "open", "of", "Window",
		"Gallery" }), 0);
	EXPECT_EQ(Received("0"), "zLMm");
	EXPECT_EQ(Ask({ "count", "Window" }), "2");
	EXPECT_EQ(Ask({ "get", "Title", "of", "Window", "1" }), "Controls");
	// A disabled button sends nothing.
	EXPECT_EQ(Do({ "do", "Click", "of", "View", "off", "of", "Window",
		"0" }), 0);
	EXPECT_EQ(Received("0"), "zLMm");

	// Controls read and set.
	EXPECT_EQ(Ask({ "get", "Value", "of", "View", "on", "of", "Window", "0" }),
		"1");
	EXPECT_EQ(Do({ "do", "Click", "of", "View", "use", "of", "Window",
		"0" }), 0);
	EXPECT_EQ(Received("0"), "muse");
	EXPECT_EQ(Ask({ "get", "Value", "of", "View", "use", "of", "Window",
		"0" }), "1");
	EXPECT_EQ(Ask({ "set", "Value", "of", "View", "use", "of", "Window", "0",
		"to", "0" }), "");
	EXPECT_EQ(Ask({ "get", "Value", "of", "View", "use", "of", "Window",
		"0" }), "0");
	EXPECT_EQ(Ask({ "get", "Enabled", "of", "View", "off", "of", "Window",
		"0" }), "false");
	EXPECT_EQ(Ask({ "set", "Label", "of", "View", "info", "of", "Window", "0",
		"to", "Info" }), "");
	EXPECT_EQ(Ask({ "get", "Label", "of", "View", "info", "of", "Window",
		"0" }), "Info");
	EXPECT_EQ(Ask({ "get", "Frame", "of", "View", "info", "of", "Window",
		"0" }), "BRect(5, 40, 55, 65)");
	EXPECT_EQ(Ask({ "set", "Hidden", "of", "View", "here", "of", "Window",
		"0", "to", "true" }), "");
	EXPECT_EQ(Ask({ "get", "Hidden", "of", "View", "here", "of", "Window",
		"0" }), "true");
}


TEST_F(HeyTest, MenuItemsAreChosenAsAUserWould)
{
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "open", "of", "Window",
		"0" }), 0);
	auto of = [](std::vector<const char*> request) {
		return At(request, { "View", "mWGrp", "of", "Window", "Controls" });
	};
	EXPECT_EQ(Ask(of({ "count", "MenuItem" })), "5");
	EXPECT_EQ(Ask(of({ "get", "Marked" })), "A-Standart");
	EXPECT_EQ(Ask(of({ "get", "Label", "of", "MenuItem", "1" })),
		"New Profile");
	EXPECT_EQ(Ask(of({ "get", "Label", "of", "MenuItem", "-1" })),
		"B-Teilzeit");
	EXPECT_EQ(Ask(of({ "get", "Marked", "of", "MenuItem", "B-Teilzeit" })),
		"false");

	// Chosen: marked, shown by the field, its message sent with its index.
	EXPECT_EQ(Do(of({ "do", "MenuItem", "B-Teilzeit" })), 0);
	EXPECT_EQ(Received("Controls"), "WSel index=4");
	EXPECT_EQ(Ask(of({ "get", "Marked" })), "B-Teilzeit");
	EXPECT_EQ(Ask(of({ "get", "Marked", "of", "MenuItem", "3" })), "false");
	// Setting the field's Marked chooses too, by label or by index.
	EXPECT_EQ(Do(of({ "set", "Marked", "to", "no WeekProfil" })), 0);
	EXPECT_EQ(Received("Controls"), "W--- index=0");
	EXPECT_EQ(Do(of({ "set", "Marked", "to", "1" })), 0);
	EXPECT_EQ(Received("Controls"), "WNEW index=1");
	EXPECT_EQ(Ask(of({ "get", "Marked" })), "New Profile");
	// Marking an item is no choice: nothing is sent.
	EXPECT_EQ(Do(of({ "set", "Marked", "of", "MenuItem", "3", "to",
		"true" })), 0);
	EXPECT_EQ(Received("Controls"), "WNEW index=1");
	EXPECT_EQ(Ask(of({ "get", "Marked" })), "A-Standart");
	EXPECT_EQ(Do(of({ "set", "Label", "of", "MenuItem", "1", "to",
		"Another" })), 0);
	EXPECT_EQ(Ask(of({ "get", "Label", "of", "MenuItem", "1" })), "Another");

	// What a user could not choose is refused, and nothing is sent.
	EXPECT_EQ(Do(of({ "do", "MenuItem", "2" })), 1);
	EXPECT_EQ(Do(of({ "do", "MenuItem", "9" })), 1);
	EXPECT_EQ(Do(of({ "do", "MenuItem", "Nothing" })), 1);
	EXPECT_EQ(Do(of({ "set", "Marked", "to", "Nothing" })), 1);
	EXPECT_EQ(Received("Controls"), "WNEW index=1");
	EXPECT_EQ(Ask({ "count", "MenuItem", "of", "View", "mDGrp", "of",
		"Window", "Controls" }), "0");
	EXPECT_EQ(Ask({ "set", "Enabled", "of", "View", "mWGrp", "of", "Window",
		"Controls", "to", "false" }), "");
	EXPECT_EQ(Do(of({ "do", "MenuItem", "0" })), 1);
	EXPECT_EQ(Received("Controls"), "WNEW index=1");
	// Views that hold no menu know no MenuItem.
	EXPECT_EQ(Ask({ "count", "MenuItem", "of", "View", "bkn", "of", "Window",
		"Controls" }), "(exit 1)");
	EXPECT_EQ(Ask({ "get", "Selection", "of", "View", "bkn", "of", "Window",
		"Controls" }), "(exit 1)");

	std::string output;
	EXPECT_EQ(RunHey({ kGallery, "getsuites", "of", "View", "mWGrp", "of",
		"Window", "Controls" }, &output), 0);
	EXPECT_NE(output.find("suite/vnd.Be-menu-field"), std::string::npos);
	EXPECT_NE(output.find("\"MenuItem\""), std::string::npos);
}


TEST_F(HeyTest, PopUpMenusAreWindowsOfTheirOwn)
{
	// A secondary click on the canvas opens the context menu.
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "canvas", "of", "Window", "0",
		"with", "buttons=2" }), 0);
	ASSERT_EQ(Ask({ "count", "Window" }), "2");
	EXPECT_EQ(Ask({ "get", "Title", "of", "Window", "1" }), "context");
	EXPECT_EQ(Ask({ "count", "MenuItem", "of", "View", "0", "of", "Window",
		"context" }), "5");
	EXPECT_EQ(Ask({ "get", "Marked", "of", "MenuItem", "Modify", "of", "View",
		"0", "of", "Window", "context" }), "true");
	EXPECT_EQ(Do({ "do", "MenuItem", "Join", "of", "View", "0", "of",
		"Window", "context" }), 1);
	EXPECT_EQ(Ask({ "count", "Window" }), "2");

	EXPECT_EQ(Do({ "do", "MenuItem", "Split", "of", "View", "0", "of",
		"Window", "context" }), 0);
	EXPECT_EQ(Ask({ "count", "Window" }), "1");
	EXPECT_EQ(Received("0"), "PB01 index=1");
}


TEST_F(HeyTest, AlertsAreDismissedByKeyOrClick)
{
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "info", "of", "Window",
		"0" }), 0);
	ASSERT_EQ(Ask({ "count", "Window" }), "2");
	EXPECT_EQ(Ask({ "get", "Title", "of", "Window", "1" }), "About");
	EXPECT_EQ(Ask({ "get", "Label", "of", "View", "_b0_", "of", "Window",
		"About" }), "Details");
	// Enter presses the default button, the last one.
	EXPECT_EQ(Do({ "do", "Key", "of", "Window", "About", "with",
		"bytes=\n" }), 0);
	EXPECT_EQ(Ask({ "count", "Window" }), "1");
	EXPECT_EQ(Received("0"), "alrt which=1");

	ASSERT_EQ(Do({ "do", "Click", "of", "View", "info", "of", "Window",
		"0" }), 0);
	EXPECT_EQ(Do({ "do", "Click", "of", "View", "_b0_", "of", "Window",
		"About" }), 0);
	EXPECT_EQ(Ask({ "count", "Window" }), "1");
	EXPECT_EQ(Received("0"), "alrt which=0");
}


TEST_F(HeyTest, ListSelectionIsReadAndSet)
{
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "open", "of", "Window",
		"0" }), 0);
	auto of = [](std::vector<const char*> request) {
		return At(request, { "View", "ol_list", "of", "Window", "Controls" });
	};
	EXPECT_EQ(Ask(of({ "get", "Selection" })), "3");
	EXPECT_EQ(Do(of({ "set", "Selection", "to", "5" })), 0);
	EXPECT_EQ(Ask(of({ "get", "Selection" })), "5");
	EXPECT_EQ(Received("Controls"), "olSl index=5");
	EXPECT_EQ(Do(of({ "set", "Selection", "to", "99" })), 1);
	EXPECT_EQ(Do(of({ "set", "Selection", "to", "string:2" })), 1);
	EXPECT_EQ(Ask(of({ "get", "Selection" })), "5");
	EXPECT_EQ(Do(of({ "set", "Selection", "to", "-1" })), 0);
	EXPECT_EQ(Ask(of({ "get", "Selection" })), "-1");
}


TEST_F(HeyTest, BadSpecifiersOfViewsAreErrors)
{
	std::string output;
	EXPECT_EQ(RunHey({ kGallery, "get", "Text", "of", "View", "99", "of",
		"Window", "0" }, &output), 1);
	EXPECT_NE(output.find("View index out of range"), std::string::npos);
	EXPECT_EQ(RunHey({ kGallery, "get", "Colour", "of", "View", "lastrfid",
		"of", "Window", "0" }, &output), 1);
	EXPECT_EQ(RunHey({ kGallery, "get", "Text", "of", "Window", "0" },
		&output), 1);
	EXPECT_EQ(RunHey({ kGallery, "set", "Text", "of", "View", "lastrfid",
		"of", "Window", "0", "to", "7" }, &output), 1);
	EXPECT_EQ(RunHey({ kGallery, "do", "Click", "of", "View", "nosuch", "of",
		"Window", "0" }, &output), 1);
	EXPECT_EQ(RunHey({ kGallery, "get", "Title", "of", "View", "0", "of",
		"View", "0", "of", "View", "0", "of", "Window", "0" }, &output), 1);
	EXPECT_EQ(RunHey({ kGallery, "do", "Snapshot", "of", "Window", "0" },
		&output), 1);
	// A reverse index counts from the last child.
	EXPECT_EQ(Ask({ "get", "InternalName", "of", "View", "-1", "of", "View",
		"0", "of", "Window", "0" }), "received");
	EXPECT_EQ(Ask({ "count", "Window" }), "1");
}


TEST_F(HeyTest, SnapshotsHaveTheWindowsSizeAndPixels)
{
	std::string path = fRuntime + "/gallery.png";
	std::string with = "path=" + path;
	ASSERT_EQ(Do({ "do", "Snapshot", "of", "Window", "Gallery", "with",
		with.c_str() }), 0);
	QImage image(QString::fromStdString(path));
	ASSERT_FALSE(image.isNull());
	// BRect(100, 100, 520, 460) is 421 x 361 pixels.
	EXPECT_EQ(image.width(), 421);
	EXPECT_EQ(image.height(), 361);
	// The blue disc of the canvas (at 60, 26 in the window).
	QRgb disc = image.pixel(60 + 82, 26 + 68);
	EXPECT_EQ(qBlue(disc), 229);
	EXPECT_EQ(qRed(disc), 0);

	// A changed text shows in the next snapshot.
	QRgb before = image.pixel(62, 331);
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "save", "of", "Window",
		"0" }), 0);
	ASSERT_EQ(Do({ "do", "Snapshot", "of", "Window", "0", "with",
		with.c_str() }), 0);
	image.load(QString::fromStdString(path));
	bool changed = false;
	for (int x = 60; x < 100 && !changed; x++) {
		for (int y = 324; y < 339 && !changed; y++)
			changed = image.pixel(x, y) != before;
	}
	EXPECT_TRUE(changed);
}


TEST_F(HeyTest, WindowsAnswerWhileTheApplicationWaits)
{
	// The application's looper waits in an alert's Go until it is answered.
	std::string asked;
	int askStatus = -1;
	std::thread ask([&] {
		askStatus = RunHey({ "-s", kGallery, "gAsk" }, &asked);
	});
	std::string title;
	for (int i = 0; i < 300 && title != "Ask"; i++) {
		title = Ask({ "get", "Title", "of", "Window", "1" });
		if (title != "Ask")
			snooze(10000);
	}
	EXPECT_EQ(title, "Ask");
	EXPECT_EQ(Ask({ "get", "Title", "of", "Window", "Gallery" }), "Gallery");
	EXPECT_EQ(Do({ "do", "Click", "of", "View", "save", "of", "Window",
		"0" }), 0);
	EXPECT_EQ(Received("0"), "zLMS");
	EXPECT_EQ(Ask({ "get", "Label", "of", "View", "_b0_", "of", "Window",
		"Ask" }), "No");
	EXPECT_EQ(Do({ "do", "Click", "of", "View", "_b0_", "of", "Window",
		"Ask" }), 0);
	ask.join();
	EXPECT_EQ(askStatus, 0);
	EXPECT_EQ(asked, "0\n");
	EXPECT_EQ(Ask({ "count", "Window" }), "1");
}


TEST_F(HeyTest, KeysWheelStepsAndDropsArriveAsRealInput)
{
	// An unmapped key with Shift held reaches the window through its
	// focus view.
	EXPECT_EQ(Do({ "do", "Key", "of", "Window", "0", "with", "key=102", "and",
		"modifiers=1" }), 0);
	EXPECT_EQ(Received("0"), "_UKD key=102 modifiers=257");
	EXPECT_EQ(Do({ "do", "Key", "of", "Window", "0", "with", "key=7" }), 1);
	EXPECT_EQ(Do({ "do", "Key", "of", "Window", "0" }), 1);

	EXPECT_EQ(Do({ "do", "Wheel", "of", "Window", "0", "with", "delta=2" }),
		0);
	EXPECT_EQ(Received("0"), "_MWC delta=2.00");

	std::string first = fRuntime + "/a.txt";
	std::string second = fRuntime + "/b.txt";
	for (const std::string& path : { first, second })
		close(open(path.c_str(), O_CREAT | O_WRONLY, 0600));
	std::string withFirst = "path=" + first;
	std::string withSecond = "path=" + second;
	EXPECT_EQ(Do({ "do", "Drop", "of", "View", "canvas", "of", "Window", "0",
		"with", withFirst.c_str(), "and", withSecond.c_str() }), 0);
	EXPECT_EQ(Received("0"), "DATA refs=2 a.txt");
	EXPECT_EQ(Do({ "do", "Drop", "of", "View", "canvas", "of", "Window",
		"0" }), 1);

	// Typed bytes go to the focus view, the text control of the second
	// window.
	ASSERT_EQ(Do({ "do", "Click", "of", "View", "open", "of", "Window",
		"0" }), 0);
	EXPECT_EQ(Do({ "do", "Key", "of", "Window", "Controls", "with",
		"bytes=Xy" }), 0);
	EXPECT_EQ(Ask({ "get", "Text", "of", "View", "bkn", "of", "Window",
		"Controls" }), "XyA-Standart");
}


TEST_F(HeyTest, PlainMessagesTypedValuesAndQuittingAWindow)
{
	// A four-character code goes as a plain message, to a window or a view
	// (from where it climbs to the window). The window does not answer:
	// hey says so.
	std::string output;
	EXPECT_EQ(RunHey({ kGallery, "zLMo", "of", "Window", "Gallery" },
		&output), 1);
	EXPECT_NE(output.find("B_NO_REPLY"), std::string::npos);
	EXPECT_EQ(Received("0"), "zLMo");
	Do({ "muse", "of", "View", "save", "of", "Window", "0" });
	EXPECT_EQ(Received("0"), "muse");

	// Rectangles, points and forced types.
	Do({ "zLMm", "of", "Window", "0" });
	ASSERT_EQ(Ask({ "count", "Window" }), "2");
	EXPECT_EQ(Ask({ "set", "Frame", "of", "Window", "Controls", "to",
		"BRect(10,20,330,300)" }), "");
	EXPECT_EQ(Ask({ "get", "Frame", "of", "Window", "Controls" }),
		"BRect(10, 20, 330, 300)");
	EXPECT_EQ(Do({ "do", "Click", "of", "View", "canvas", "of", "Window",
		"Gallery", "with", "where=BPoint(1,1)", "and", "buttons=int32:2" }), 0);
	EXPECT_EQ(Ask({ "get", "Title", "of", "Window", "2" }), "context");
	EXPECT_EQ(Do({ "do", "MenuItem", "0", "of", "View", "0", "of", "Window",
		"context" }), 0);
	EXPECT_EQ(Received("0"), "PB01 index=0");

	// quit closes the window named, not the program.
	EXPECT_EQ(Do({ "quit", "Window", "Controls" }), 0);
	EXPECT_EQ(Ask({ "count", "Window" }), "1");
	EXPECT_EQ(Ask({ "get", "Title", "of", "Window", "0" }), "Gallery");
}


TEST_F(HeyTest, AnUnansweredRequestTimesOut)
{
	// The application's looper waits in an alert nobody answers.
	std::string output;
	bigtime_t start = system_time();
	EXPECT_EQ(RunHey({ kGallery, "gAsk" }, &output), 1);
	bigtime_t waited = system_time() - start;
	EXPECT_NE(output.find("no reply"), std::string::npos) << output;
	EXPECT_GE(waited, 4000000);
	EXPECT_LT(waited, 8000000);
	EXPECT_EQ(Ask({ "get", "Title", "of", "Window", "Ask" }), "Ask");
}
