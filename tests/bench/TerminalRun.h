// One run of the real terminal for the load programs: a copy of the
// program beside its own "Employee" folder, private HOME, settings, data
// and runtime folders, relay use seeded off before the start, and a PATH
// without any wget. The trace comes through a pipe so every line can be
// timed; only the processes started here are ever signalled.
#ifndef TERMINAL_RUN_H
#define TERMINAL_RUN_H

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

class TerminalRun {
public:
							TerminalRun();
							~TerminalRun();

	// False when the folders or the settings could not be made.
			bool			InitCheck() const { return fReady; }

			std::string		Folder() const { return fInstall + "/Employee"; }
			bool			WriteFile(const std::string& path,
								const std::string& bytes) const;
			std::string		FileBytes(const std::string& path) const;

	// Starts the terminal; its trace is read by WaitForLines from then on.
			bool			Start();
	// Seconds since Start() until the count-th trace line equal to line
	// (without its line end) has come, -1 after timeout seconds.
			double			WaitForLines(const std::string& line, int count,
								double timeout);
			double			SinceStart() const;
	// Asks the terminal to quit through hey, then ends it by its id.
			void			Stop();

	// Starts a reader (scanlet --stdin --debounce 0) with the lines on its
	// standard input, written as fast as the pipe takes them; its own MIME
	// database, so the terminal never finds it there. Waits for its end.
			bool			Feed(const std::vector<std::string>& tags,
								double timeout);
	// Runs a program to its end in the run's environment; true for exit
	// status 0.
			bool			Run(const std::vector<std::string>& argv,
								double timeout);
	// The path of a program of the build.
	static	std::string		Program(const char* name);

private:
			pid_t			_Spawn(const std::vector<std::string>& argv,
								int input, int output,
								const std::vector<std::string>& extra);
			int				_Wait(pid_t pid, double timeout);
			void			_End(pid_t pid);

			bool			fReady;
			std::string		fRoot;
			std::string		fInstall;
			std::vector<std::string> fEnvironment;
			pid_t			fTerminal;
			int				fTrace;
			std::string		fPending;
			// Lines of the trace seen so far, by text.
			std::map<std::string, int> fCounts;
			long long		fStarted;
};

#endif	// TERMINAL_RUN_H
