#include "TerminalRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

extern char** environ;

namespace {

const char* kBinaries = ZELMORA_BINARY_DIR "/bin";


long long
now_us()
{
	struct timespec now;
	clock_gettime(CLOCK_MONOTONIC, &now);
	return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}


std::string
variable_name(const std::string& entry)
{
	return entry.substr(0, entry.find('='));
}

}	// namespace


TerminalRun::TerminalRun()
	:
	fReady(false),
	fTerminal(-1),
	fTrace(-1),
	fStarted(0)
{
	char pattern[] = "/tmp/zlm-load-XXXXXX";
	if (mkdtemp(pattern) == NULL)
		return;
	fRoot = pattern;
	fInstall = fRoot + "/install";
	for (const char* folder : { "/install", "/install/Employee", "/home",
			"/config", "/data", "/reader-data", "/bin" }) {
		if (mkdir((fRoot + folder).c_str(), 0755) != 0)
			return;
	}
	if (mkdir((fRoot + "/run").c_str(), 0700) != 0)
		return;
	std::error_code error;
	std::filesystem::copy_file(Program("zelmora"), fInstall + "/zelmora",
		error);
	if (error)
		return;

	// An empty folder as the whole PATH: no wget can ever be reached.
	fEnvironment = { "HOME=" + fRoot + "/home",
		"XDG_CONFIG_HOME=" + fRoot + "/config",
		"XDG_DATA_HOME=" + fRoot + "/data",
		"XDG_RUNTIME_DIR=" + fRoot + "/run",
		"PATH=" + fRoot + "/bin",
		"QT_QPA_PLATFORM=offscreen" };
	fReady = Run({ Program("zelmora-prefs"), "mws_use=0",
		"mws_ip=127.0.0.1:9" }, 15);
}


TerminalRun::~TerminalRun()
{
	Stop();
	if (!fRoot.empty()) {
		std::error_code error;
		std::filesystem::remove_all(fRoot, error);
	}
}


bool
TerminalRun::WriteFile(const std::string& path, const std::string& bytes)
	const
{
	std::ofstream file(path, std::ios::binary | std::ios::trunc);
	file << bytes;
	return file.good();
}


std::string
TerminalRun::FileBytes(const std::string& path) const
{
	std::ifstream file(path, std::ios::binary);
	std::stringstream text;
	text << file.rdbuf();
	return text.str();
}


bool
TerminalRun::Start()
{
	if (!fReady || fTerminal > 0)
		return false;
	int pipeEnds[2];
	if (pipe2(pipeEnds, O_CLOEXEC) != 0)
		return false;
	fStarted = now_us();
	fTerminal = _Spawn({ fInstall + "/zelmora" }, -1, pipeEnds[1], {});
	close(pipeEnds[1]);
	if (fTerminal < 0) {
		close(pipeEnds[0]);
		return false;
	}
	fTrace = pipeEnds[0];
	fCounts.clear();
	return true;
}


double
TerminalRun::SinceStart() const
{
	return (now_us() - fStarted) / 1e6;
}


double
TerminalRun::WaitForLines(const std::string& line, int count, double timeout)
{
	std::map<std::string, int>& counts = fCounts;
	long long end = now_us() + (long long)(timeout * 1e6);
	char buffer[65536];
	while (counts[line] < count) {
		long long left = end - now_us();
		if (fTrace < 0 || left <= 0)
			return -1;
		struct pollfd ready = { fTrace, POLLIN, 0 };
		if (poll(&ready, 1, (int)(left / 1000) + 1) <= 0)
			continue;
		ssize_t length = read(fTrace, buffer, sizeof(buffer));
		if (length <= 0) {
			// The terminal has ended.
			close(fTrace);
			fTrace = -1;
			return -1;
		}
		fPending.append(buffer, length);
		size_t start = 0, newline;
		while ((newline = fPending.find('\n', start)) != std::string::npos) {
			counts[fPending.substr(start, newline - start)]++;
			start = newline + 1;
		}
		fPending.erase(0, start);
	}
	return SinceStart();
}


void
TerminalRun::Stop()
{
	if (fTerminal > 0) {
		Run({ Program("hey"), "application/Zelmora", "quit" }, 10);
		if (_Wait(fTerminal, 20) < 0)
			_End(fTerminal);
		fTerminal = -1;
	}
	if (fTrace >= 0) {
		close(fTrace);
		fTrace = -1;
	}
}


bool
TerminalRun::Feed(const std::vector<std::string>& tags, double timeout)
{
	int pipeEnds[2];
	if (pipe2(pipeEnds, O_CLOEXEC) != 0)
		return false;
	int quiet = open("/dev/null", O_WRONLY | O_CLOEXEC);
	pid_t reader = _Spawn({ Program("scanlet"), "--stdin", "--debounce", "0",
			"--linger", "5" }, pipeEnds[0], quiet,
		{ "XDG_DATA_HOME=" + fRoot + "/reader-data" });
	close(pipeEnds[0]);
	close(quiet);
	if (reader < 0) {
		close(pipeEnds[1]);
		return false;
	}
	std::string text;
	for (const std::string& tag : tags)
		text += tag + "\n";
	bool written = true;
	for (size_t done = 0; done < text.size();) {
		ssize_t length = write(pipeEnds[1], text.data() + done,
			text.size() - done);
		if (length <= 0) {
			written = false;
			break;
		}
		done += length;
	}
	close(pipeEnds[1]);
	int status = _Wait(reader, timeout);
	if (status < 0)
		_End(reader);
	return written && status == 0;
}


std::string
TerminalRun::Program(const char* name)
{
	return std::string(kBinaries) + "/" + name;
}


bool
TerminalRun::Run(const std::vector<std::string>& argv, double timeout)
{
	int quiet = open("/dev/null", O_WRONLY | O_CLOEXEC);
	pid_t pid = _Spawn(argv, -1, quiet, {});
	close(quiet);
	if (pid < 0)
		return false;
	int status = _Wait(pid, timeout);
	if (status < 0)
		_End(pid);
	return status == 0;
}


pid_t
TerminalRun::_Spawn(const std::vector<std::string>& argv, int input,
	int output, const std::vector<std::string>& extra)
{
	// The environment of this program with the run's folders in place of
	// its own; an entry of extra wins over one of the run.
	std::map<std::string, std::string> variables;
	for (char** entry = environ; *entry != NULL; entry++)
		variables[variable_name(*entry)] = *entry;
	for (const std::string& entry : fEnvironment)
		variables[variable_name(entry)] = entry;
	for (const std::string& entry : extra)
		variables[variable_name(entry)] = entry;
	std::vector<std::string> entries;
	for (auto& variable : variables)
		entries.push_back(variable.second);
	std::vector<char*> environment;
	for (std::string& entry : entries)
		environment.push_back(entry.data());
	environment.push_back(NULL);
	std::vector<char*> arguments;
	for (const std::string& argument : argv)
		arguments.push_back(const_cast<char*>(argument.c_str()));
	arguments.push_back(NULL);

	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	if (input >= 0)
		posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
	else {
		posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null",
			O_RDONLY, 0);
	}
	posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
	int quiet = open("/dev/null", O_WRONLY | O_CLOEXEC);
	posix_spawn_file_actions_adddup2(&actions, quiet, STDERR_FILENO);
	pid_t pid = -1;
	int error = posix_spawn(&pid, arguments[0], &actions, NULL,
		arguments.data(), environment.data());
	posix_spawn_file_actions_destroy(&actions);
	close(quiet);
	return error == 0 ? pid : -1;
}


int
TerminalRun::_Wait(pid_t pid, double timeout)
{
	long long end = now_us() + (long long)(timeout * 1e6);
	while (true) {
		int status = 0;
		pid_t done = waitpid(pid, &status, WNOHANG);
		if (done == pid)
			return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
		if (done < 0 || now_us() > end)
			return -1;
		usleep(2000);
	}
}


void
TerminalRun::_End(pid_t pid)
{
	kill(pid, SIGTERM);
	if (_Wait(pid, 3) < 0) {
		kill(pid, SIGKILL);
		waitpid(pid, NULL, 0);
	}
}
