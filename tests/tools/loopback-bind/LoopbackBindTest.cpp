// The preload library keeps wildcard binds on loopback and leaves the rest.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs the probe, with the library preloaded or not, and returns its output.
// (Without it the probe would listen on every interface: the tests always
// preload it.)
std::string
RunProbe(bool preload)
{
	int out[2];
	if (pipe2(out, O_CLOEXEC) != 0)
		return "";
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_adddup2(&actions, out[1], 1);

	std::vector<std::string> environment;
	for (char** entry = environ; *entry != NULL; entry++) {
		if (strncmp(*entry, "LD_PRELOAD=", 11) != 0)
			environment.push_back(*entry);
	}
	if (preload) {
		environment.push_back("LD_PRELOAD=" ZELMORA_BINARY_DIR
			"/lib/libzl_loopback_bind.so");
	}
	std::vector<char*> envp;
	for (std::string& entry : environment)
		envp.push_back(entry.data());
	envp.push_back(NULL);

	std::string probe = ZELMORA_BINARY_DIR "/tests/bind-probe";
	char* argv[] = { probe.data(), NULL };
	pid_t child = -1;
	int error = posix_spawn(&child, probe.c_str(), &actions, NULL, argv,
		envp.data());
	posix_spawn_file_actions_destroy(&actions);
	close(out[1]);
	std::string text;
	char buffer[512];
	ssize_t got;
	while (error == 0 && (got = read(out[0], buffer, sizeof(buffer))) > 0)
		text.append(buffer, got);
	close(out[0]);
	if (error == 0)
		waitpid(child, NULL, 0);
	return text;
}

}	// namespace


TEST(LoopbackBind, WildcardBindsStayOnLoopback)
{
	std::string output = RunProbe(true);
	EXPECT_NE(output.find("v4 127.0.0.1\n"), std::string::npos) << output;
	EXPECT_NE(output.find("dual ::ffff:127.0.0.1\n"), std::string::npos)
		<< output;
	EXPECT_NE(output.find("v6only ::1\n"), std::string::npos) << output;
	EXPECT_NE(output.find("dual-accepts yes\n"), std::string::npos) << output;
	EXPECT_EQ(output.find("failed"), std::string::npos) << output;
}


TEST(LoopbackBind, AnAddressGivenOnPurposeIsKept)
{
	EXPECT_NE(RunProbe(true).find("v4-given 127.0.0.1\n"), std::string::npos);
}
