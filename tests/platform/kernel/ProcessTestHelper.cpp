// A tiny program the program-start tests run. It writes the count of its
// arguments on a line, the arguments (each followed by a zero byte), then a line per open descriptor and the
// state of SIGPIPE, to the file named by ZL_HELPER_OUT, and ends with the
// code in ZL_HELPER_EXIT or by the signal in ZL_HELPER_SIGNAL.
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>


int
main(int argc, char** argv)
{
	const char* out = getenv("ZL_HELPER_OUT");
	if (out != NULL) {
		FILE* file = fopen(out, "we");
		if (file == NULL)
			return 99;
		fprintf(file, "%d\n", argc);
		for (int i = 0; i < argc; i++)
			fwrite(argv[i], 1, strlen(argv[i]) + 1, file);

		DIR* dir = opendir("/proc/self/fd");
		int own = dir != NULL ? dirfd(dir) : -1;
		while (struct dirent* entry = dir != NULL ? readdir(dir) : NULL) {
			if (entry->d_name[0] == '.')
				continue;
			int fd = atoi(entry->d_name);
			if (fd != own && fd != fileno(file))
				fprintf(file, "fd %d\n", fd);
		}
		if (dir != NULL)
			closedir(dir);

		struct sigaction action;
		sigaction(SIGPIPE, NULL, &action);
		fprintf(file, "sigpipe %s\n",
			action.sa_handler == SIG_DFL ? "default" : "changed");
		fclose(file);
	}

	const char* delay = getenv("ZL_HELPER_SLEEP_MS");
	if (delay != NULL)
		usleep(atoi(delay) * 1000);
	const char* signal = getenv("ZL_HELPER_SIGNAL");
	if (signal != NULL)
		raise(atoi(signal));
	const char* code = getenv("ZL_HELPER_EXIT");
	return code != NULL ? atoi(code) : 0;
}
