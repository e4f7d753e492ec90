// Stands in for wget on the PATH of the relay tests. It lets a call through
// to the real wget only when every option is one the relay control uses and
// the one URL goes to 127.0.0.1; anything else is refused and written to
// the log, so a test can never reach another machine.
//
// ZELMORA_REAL_WGET: the real wget; ZELMORA_WGET_LOG: one line per call,
// "OK <arguments>" or "REFUSED <arguments>".
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

static const char* const kAllowed[] = {
	"-q", "--delete-after", "--timeout=2", "--tries=1", "--no-proxy",
	"--max-redirect=0", "--no-config", NULL
};


static bool
allowed_option(const char* argument)
{
	if (strncmp(argument, "--output-document=", 18) == 0)
		return argument[18] == '/';
	for (int i = 0; kAllowed[i] != NULL; i++) {
		if (strcmp(argument, kAllowed[i]) == 0)
			return true;
	}
	return false;
}


// Only "http://127.0.0.1[:port]/..." passes.
static bool
loopback_url(const char* url)
{
	const char* prefix = "http://127.0.0.1";
	size_t length = strlen(prefix);
	if (strncmp(url, prefix, length) != 0)
		return false;
	return url[length] == '/' || url[length] == ':';
}


int
main(int argc, char** argv)
{
	std::string line;
	bool safe = true;
	int urls = 0;
	bool optionsEnded = false;
	for (int i = 1; i < argc; i++) {
		line += ' ';
		line += argv[i];
		if (!optionsEnded && strcmp(argv[i], "--") == 0) {
			optionsEnded = true;
			continue;
		}
		if (!optionsEnded && argv[i][0] == '-') {
			if (!allowed_option(argv[i]))
				safe = false;
			continue;
		}
		urls++;
		if (!loopback_url(argv[i]))
			safe = false;
	}
	if (urls != 1)
		safe = false;

	const char* real = getenv("ZELMORA_REAL_WGET");
	if (real == NULL || real[0] != '/')
		safe = false;

	const char* logPath = getenv("ZELMORA_WGET_LOG");
	if (logPath != NULL) {
		if (FILE* log = fopen(logPath, "a")) {
			fprintf(log, "%s%s\n", safe ? "OK" : "REFUSED", line.c_str());
			fclose(log);
		}
	}
	if (!safe) {
		fprintf(stderr, "wget guard: REFUSED%s\n", line.c_str());
		return 97;
	}

	// No proxy may redirect the request elsewhere.
	unsetenv("http_proxy");
	unsetenv("HTTP_PROXY");
	unsetenv("https_proxy");
	unsetenv("all_proxy");
	argv[0] = (char*)real;
	execv(real, argv);
	perror("wget guard");
	return 127;
}
