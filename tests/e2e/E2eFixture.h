// The real terminal in a throw-away installation: a copy of the program
// beside its own "Employee" folder, private HOME, settings, data and
// runtime folders, and a PATH whose only wget is the loopback guard. The
// test talks to it the way the outside world does: scanlet for reads, hey
// for the window, the files for the results, the trace for the rest.
#ifndef E2E_FIXTURE_H
#define E2E_FIXTURE_H

#include <sys/types.h>

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// The settings as a test reads them back from the file.
struct SavedSettings {
	bool		mws_use = false;
	std::string	mws_ip;
	std::string	logo_loma;
	int			TagsUseDoor = 0;
	int			OpenInSecs = 0;
	float		left = 0;
	float		top = 0;
};

// A program started by its argument vector, with standard output and
// error going to a file. Only this one process is ever signalled.
class Child {
public:
							Child() {}
							~Child() { Stop(); }

	// "KEY=VALUE" entries of extra replace those of the environment.
			bool			Start(const std::vector<std::string>& argv,
								const std::string& output, int input = -1,
								const std::vector<std::string>& extra = {});
			// The exit status, or -1 when it has not ended in time (or was
			// killed by a signal).
			int				Wait(double timeout);
			bool			Running();
			// SIGTERM, then SIGKILL after a grace period; reaps it.
			void			Stop();
			pid_t			Pid() const { return fPid; }

private:
			pid_t			fPid = -1;
			int				fStatus = -1;
};

class E2eFixture : public ::testing::Test {
protected:
	virtual	void			SetUp();
	virtual	void			TearDown();

	// Settings written with zelmora-prefs before the start ("KEY=VALUE").
	// SetUp seeds relay use off and a loopback address; a test that wants
	// the first-start defaults removes the settings folder.
			void			Seed(const std::vector<std::string>& settings);
			void			ForgetSettings();
			SavedSettings	Settings() const;

			void			WriteRegister(const std::string& text);
			void			WriteFile(const std::string& path,
								const std::string& bytes);
			std::string		FileBytes(const std::string& path) const;
			bool			Exists(const std::string& path) const;
			// The kinds of the punch records in a booking file.
			std::string		Punches(const std::string& tag) const;

	// Starts the terminal and waits until it answers a Sync.
			void			Start();
	// Asks it to quit (hey … quit) and waits for its end; its exit status.
			int				Quit(double timeout = 10);
			bool			Running() { return fZelmora.Running(); }

	// Runs a program to its end; its standard output, and its exit status
	// in *status.
			std::string		Run(const std::vector<std::string>& argv,
								int* status = NULL, double timeout = 15,
								const std::vector<std::string>& extra = {});
	// The environment of every reader a test starts: its MIME database is
	// its own, so the terminal never finds it there and starts one of its
	// own.
			std::vector<std::string>	ReaderEnvironment() const;
	// hey -s application/Zelmora ARGS…; the result text without the last
	// line end.
			std::string		Hey(const std::vector<std::string>& arguments,
								int* status = NULL);
			std::string		Get(const std::string& property,
								const std::string& view);
			void			Sync();
	// Reads of the tags through scanlet --tag; then Sync.
			void			Read(const std::vector<std::string>& tags);
	// A read the way another sender could make it: any bytes as tag.
			void			Post(const std::string& what,
								const std::vector<std::string>& fields);

			int				CountRows();
			void			ClickRow(int index, int buttons = 1);
	// What the tag editor shows after a click on the row: "TAG / PERSON".
			std::string		RowShows(int index);
	// A PNG of the window; the colour at (x, y) as 0xRRGGBB.
			bool			Snapshot(const std::string& path,
								const std::string& window = "0");
			uint32_t		Pixel(const std::string& png, int x, int y);

			std::string		Trace() const;
			int				CountInTrace(const std::string& text) const;
			bool			WaitForTrace(const std::string& text,
								double timeout = 5);
			bool			WaitFor(const std::function<bool()>& done,
								double timeout = 5);
			std::vector<std::string>	GuardLog() const;

			std::string		fRoot;
			std::string		fInstall;
			std::string		fFolder;
			std::string		fConfig;
			std::string		fRuntime;
			std::string		fBin;
			std::string		fTracePath;
			bool			fRefusalExpected = false;
			bool			fReaderStartExpected = false;

private:
			Child			fZelmora;
			std::vector<std::pair<std::string, std::string>>	fSavedEnv;
			std::vector<bool>	fWasSet;
};

#endif	// E2E_FIXTURE_H
