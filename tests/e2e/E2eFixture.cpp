#include "E2eFixture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <Bitmap.h>
#include <OS.h>
#include <Process.h>
#include <TranslationUtils.h>

#include <Prefs.h>

extern char** environ;

namespace {

const char* kBinaries = ZELMORA_BINARY_DIR "/bin";
const char* kGuard = ZELMORA_BINARY_DIR "/tests/wget-guard";
const char* kSignature = "application/Zelmora";

const char* const kVariables[] = { "HOME", "XDG_CONFIG_HOME",
	"XDG_DATA_HOME", "XDG_RUNTIME_DIR", "PATH", "ZELMORA_REAL_WGET",
	"ZELMORA_WGET_LOG", "ZELMORA_ARGV_LOG", "LC_ALL", "LANGUAGE", NULL };


std::string
Program(const char* name)
{
	return std::string(kBinaries) + "/" + name;
}

}	// namespace


// #pragma mark - Child


bool
Child::Start(const std::vector<std::string>& argv, const std::string& output,
	int input, const std::vector<std::string>& extra)
{
	Stop();
	std::vector<char*> arguments;
	for (const std::string& argument : argv)
		arguments.push_back(const_cast<char*>(argument.c_str()));
	arguments.push_back(NULL);

	std::vector<char*> environment;
	for (char** entry = environ; *entry != NULL; entry++) {
		bool replaced = false;
		for (const std::string& variable : extra) {
			size_t equals = variable.find('=');
			replaced |= strncmp(*entry, variable.c_str(), equals + 1) == 0;
		}
		if (!replaced)
			environment.push_back(*entry);
	}
	for (const std::string& variable : extra)
		environment.push_back(const_cast<char*>(variable.c_str()));
	environment.push_back(NULL);

	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	if (input >= 0)
		posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
	else {
		posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null",
			O_RDONLY, 0);
	}
	posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
		O_WRONLY | O_CREAT | O_APPEND, 0644);
	posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
	int error = posix_spawn(&fPid, arguments[0], &actions, NULL,
		arguments.data(), environment.data());
	posix_spawn_file_actions_destroy(&actions);
	if (error != 0)
		fPid = -1;
	fStatus = -1;
	return error == 0;
}


int
Child::Wait(double timeout)
{
	if (fPid <= 0)
		return fStatus;
	bigtime_t end = system_time() + (bigtime_t)(timeout * 1000000);
	while (true) {
		int status = 0;
		pid_t done = waitpid(fPid, &status, WNOHANG);
		if (done == fPid) {
			fPid = -1;
			fStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
			return fStatus;
		}
		if (done < 0 || system_time() > end)
			return -1;
		snooze(5000);
	}
}


bool
Child::Running()
{
	if (fPid <= 0)
		return false;
	Wait(0);
	return fPid > 0;
}


void
Child::Stop()
{
	if (fPid <= 0)
		return;
	kill(fPid, SIGTERM);
	if (Wait(3) < 0 && fPid > 0) {
		kill(fPid, SIGKILL);
		waitpid(fPid, NULL, 0);
	}
	fPid = -1;
}


// #pragma mark - E2eFixture


void
E2eFixture::SetUp()
{
	char path[1024];
	ASSERT_EQ(BPrivate::find_program("wget", path, sizeof(path)), B_OK)
		<< "the terminal tests need the real wget behind the guard";
	std::string realWget = path;

	for (int i = 0; kVariables[i] != NULL; i++) {
		const char* value = getenv(kVariables[i]);
		fSavedEnv.push_back({ kVariables[i], value != NULL ? value : "" });
		fWasSet.push_back(value != NULL);
	}

	char pattern[] = "/tmp/zlm-e2e-XXXXXX";
	ASSERT_NE(mkdtemp(pattern), nullptr);
	fRoot = pattern;
	// A folder name a shell would take apart: nothing may go through one.
	fInstall = fRoot + "/Firma Zeit 'n' Co $(kein) &";
	fFolder = fInstall + "/Employee";
	fConfig = fRoot + "/config";
	fRuntime = fRoot + "/run";
	fBin = fRoot + "/bin";
	fTracePath = fRoot + "/zelmora.log";
	for (const std::string& folder : { fInstall, fFolder, fRoot + "/home",
			fConfig, fRoot + "/data", fRoot + "/reader-data", fBin })
		ASSERT_EQ(mkdir(folder.c_str(), 0755), 0) << folder;
	ASSERT_EQ(mkdir(fRuntime.c_str(), 0700), 0);
	std::filesystem::copy_file(Program("zelmora"), fInstall + "/zelmora");
	ASSERT_EQ(symlink(kGuard, (fBin + "/wget").c_str()), 0);

	setenv("HOME", (fRoot + "/home").c_str(), 1);
	setenv("XDG_CONFIG_HOME", fConfig.c_str(), 1);
	setenv("XDG_DATA_HOME", (fRoot + "/data").c_str(), 1);
	setenv("XDG_RUNTIME_DIR", fRuntime.c_str(), 1);
	setenv("PATH", (fBin + ":/usr/bin:/bin").c_str(), 1);
	setenv("ZELMORA_REAL_WGET", realWget.c_str(), 1);
	setenv("ZELMORA_WGET_LOG", (fRoot + "/wget.log").c_str(), 1);
	unsetenv("http_proxy");
	unsetenv("HTTP_PROXY");

	// Whatever the terminal runs as wget must be the guard.
	ASSERT_EQ(BPrivate::find_program("wget", path, sizeof(path)), B_OK);
	ASSERT_EQ(std::string(path), fBin + "/wget")
		<< "SAFETY: wget is not the loopback guard";

	Seed({ "mws_use=0", "mws_ip=127.0.0.1:9" });
}


void
E2eFixture::TearDown()
{
	// A reader the terminal started itself would outlive the test, unless
	// it is a stand-in that ends at once.
	if (!fReaderStartExpected) {
		EXPECT_EQ(Trace().find("App gefunden :) "), std::string::npos)
			<< "the terminal started a reader of its own";
	}
	if (fZelmora.Running()) {
		Hey({ "quit" });
		if (fZelmora.Wait(5) < 0)
			fZelmora.Stop();
	}
	for (const std::string& line : GuardLog()) {
		if (line.compare(0, 7, "REFUSED") == 0 && !fRefusalExpected)
			ADD_FAILURE() << "SAFETY: the guard refused a call: " << line;
	}
	if (HasFailure()) {
		std::string trace = Trace();
		printf("--- trace of the terminal ---\n%s--- end of trace ---\n",
			trace.c_str());
	}
	for (size_t i = 0; i < fSavedEnv.size(); i++) {
		if (fWasSet[i])
			setenv(fSavedEnv[i].first.c_str(), fSavedEnv[i].second.c_str(), 1);
		else
			unsetenv(fSavedEnv[i].first.c_str());
	}
	if (!fRoot.empty())
		std::filesystem::remove_all(fRoot);
}


void
E2eFixture::Seed(const std::vector<std::string>& settings)
{
	std::vector<std::string> argv = { Program("zelmora-prefs") };
	argv.insert(argv.end(), settings.begin(), settings.end());
	int status = -1;
	Run(argv, &status);
	ASSERT_EQ(status, 0) << "zelmora-prefs failed";
}


void
E2eFixture::ForgetSettings()
{
	std::filesystem::remove_all(fConfig);
	mkdir(fConfig.c_str(), 0755);
}


SavedSettings
E2eFixture::Settings() const
{
	SavedSettings saved;
	Prefs* prefs = Prefs::getSTPrefs();
	prefs->LoadPrefs();
	saved.mws_use = prefs->mws_use;
	saved.mws_ip = prefs->mws_ip;
	saved.logo_loma = prefs->logo_loma;
	saved.TagsUseDoor = prefs->TagsUseDoor;
	saved.OpenInSecs = prefs->OpenInSecs;
	saved.left = prefs->prefs_window_rect.left;
	saved.top = prefs->prefs_window_rect.top;
	prefs->DeleteMe();
	return saved;
}


void
E2eFixture::WriteRegister(const std::string& text)
{
	WriteFile(fFolder + "/TagsWithEmployee", text);
}


void
E2eFixture::WriteFile(const std::string& path, const std::string& bytes)
{
	std::ofstream file(path, std::ios::binary | std::ios::trunc);
	file.write(bytes.data(), bytes.size());
	ASSERT_TRUE(file.good()) << path;
}


std::string
E2eFixture::FileBytes(const std::string& path) const
{
	std::ifstream file(path, std::ios::binary);
	std::stringstream bytes;
	bytes << file.rdbuf();
	return bytes.str();
}


bool
E2eFixture::Exists(const std::string& path) const
{
	struct stat info;
	return lstat(path.c_str(), &info) == 0;
}


std::string
E2eFixture::Punches(const std::string& tag) const
{
	std::string data = FileBytes(fFolder + "/" + tag), kinds;
	for (size_t i = 0; i + 8 <= data.size(); i += 8)
		kinds += data[i];
	return kinds;
}


void
E2eFixture::Start()
{
	ASSERT_TRUE(fZelmora.Start({ fInstall + "/zelmora" }, fTracePath));
	bigtime_t end = system_time() + 10000000;
	while (system_time() < end) {
		int status = -1;
		Run({ Program("hey"), "-s", kSignature, "do", "Sync" }, &status, 5);
		if (status == 0)
			break;
		ASSERT_TRUE(fZelmora.Running()) << "the terminal ended at start-up";
		snooze(20000);
	}
	Sync();
}


int
E2eFixture::Quit(double timeout)
{
	Hey({ "quit" });
	int status = fZelmora.Wait(timeout);
	if (status < 0)
		fZelmora.Stop();
	return status;
}


std::string
E2eFixture::Run(const std::vector<std::string>& argv, int* status,
	double timeout, const std::vector<std::string>& extra)
{
	std::string outPath = fRoot + "/run-output";
	unlink(outPath.c_str());
	Child child;
	int result = -1;
	if (child.Start(argv, outPath, -1, extra)) {
		result = child.Wait(timeout);
		if (result < 0)
			child.Stop();
	}
	if (status != NULL)
		*status = result;
	std::string output = FileBytes(outPath);
	unlink(outPath.c_str());
	return output;
}


std::string
E2eFixture::Hey(const std::vector<std::string>& arguments, int* status)
{
	std::vector<std::string> argv = { Program("hey"), "-s", kSignature };
	argv.insert(argv.end(), arguments.begin(), arguments.end());
	std::string output = Run(argv, status, 10);
	if (!output.empty() && output.back() == '\n')
		output.pop_back();
	return output;
}


std::string
E2eFixture::Get(const std::string& property, const std::string& view)
{
	return Hey({ "get", property, "of", "View", view, "of", "Window", "0" });
}


void
E2eFixture::Sync()
{
	// A read can send a follow-up through the application ('zLML'); two
	// rounds work both off.
	for (int i = 0; i < 2; i++) {
		int status = -1;
		Hey({ "do", "Sync" }, &status);
		ASSERT_EQ(status, 0) << "the terminal does not answer a Sync";
	}
}


void
E2eFixture::Read(const std::vector<std::string>& tags)
{
	std::vector<std::string> argv = { Program("scanlet") };
	for (const std::string& tag : tags) {
		argv.push_back("--tag");
		argv.push_back(tag);
	}
	int status = -1;
	std::string output = Run(argv, &status, 15, ReaderEnvironment());
	ASSERT_EQ(status, 0) << "scanlet: " << output;
	Sync();
}


std::vector<std::string>
E2eFixture::ReaderEnvironment() const
{
	return { "XDG_DATA_HOME=" + fRoot + "/reader-data" };
}


void
E2eFixture::Post(const std::string& what,
	const std::vector<std::string>& fields)
{
	std::vector<std::string> arguments = { what };
	for (size_t i = 0; i < fields.size(); i++) {
		arguments.push_back(i == 0 ? "with" : "and");
		arguments.push_back(fields[i]);
	}
	// The terminal does not answer these messages; hey says so and ends.
	Hey(arguments);
	Sync();
}


int
E2eFixture::CountRows()
{
	return atoi(Hey({ "count", "View", "of", "View", "TTagsView", "of",
		"Window", "0" }).c_str());
}


void
E2eFixture::ClickRow(int index, int buttons)
{
	int status = -1;
	Hey({ "do", "Click", "of", "View", std::to_string(index), "of", "View",
		"TTagsView", "of", "Window", "0", "with",
		"buttons=" + std::to_string(buttons) }, &status);
	ASSERT_EQ(status, 0) << "no click on row " << index;
	Sync();
}


std::string
E2eFixture::RowShows(int index)
{
	ClickRow(index);
	return Hey({ "get", "Label", "of", "View", "Syn", "of", "Window", "0" })
		+ " / " + Get("Text", "Syn");
}


bool
E2eFixture::Snapshot(const std::string& path, const std::string& window)
{
	int status = -1;
	Hey({ "do", "Snapshot", "of", "Window", window, "with", "path=" + path },
		&status);
	return status == 0 && Exists(path);
}


uint32_t
E2eFixture::Pixel(const std::string& png, int x, int y)
{
	BBitmap* bitmap = BTranslationUtils::GetBitmapFile(png.c_str());
	if (bitmap == NULL)
		return 0xffffffff;
	uint32_t colour = 0xffffffff;
	BRect bounds = bitmap->Bounds();
	if (x >= 0 && y >= 0 && x <= bounds.right && y <= bounds.bottom) {
		const uint8_t* pixel = (const uint8_t*)bitmap->Bits()
			+ y * bitmap->BytesPerRow() + x * 4;
		// B_RGBA32 keeps blue, green, red, alpha.
		colour = (uint32_t)pixel[2] << 16 | (uint32_t)pixel[1] << 8
			| pixel[0];
	}
	delete bitmap;
	return colour;
}


std::string
E2eFixture::Trace() const
{
	return FileBytes(fTracePath);
}


int
E2eFixture::CountInTrace(const std::string& text) const
{
	std::string trace = Trace();
	int count = 0;
	for (size_t at = trace.find(text); at != std::string::npos;
			at = trace.find(text, at + text.size()))
		count++;
	return count;
}


bool
E2eFixture::WaitForTrace(const std::string& text, double timeout)
{
	return WaitFor([&] { return Trace().find(text) != std::string::npos; },
		timeout);
}


bool
E2eFixture::WaitFor(const std::function<bool()>& done, double timeout)
{
	bigtime_t end = system_time() + (bigtime_t)(timeout * 1000000);
	while (!done()) {
		if (system_time() > end)
			return false;
		snooze(20000);
	}
	return true;
}


std::vector<std::string>
E2eFixture::GuardLog() const
{
	std::vector<std::string> lines;
	std::ifstream log(fRoot + "/wget.log");
	std::string line;
	while (std::getline(log, line))
		lines.push_back(line);
	return lines;
}
