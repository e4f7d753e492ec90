// The main window of the real program, driven through hey: the tag editor
// and the register it saves, drops of vCards and of a logo, the About and
// records windows, the reader present or missing, the size limits and the
// saved position.
#include "E2eFixture.h"

#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <Entry.h>
#include <MimeType.h>
#include <Node.h>
#include <NodeInfo.h>

namespace {

struct Frame {
	float left = -1, top = -1, right = -1, bottom = -1;
	float Width() const { return right - left; }
	float Height() const { return bottom - top; }
};


Frame
ParseFrame(const std::string& text)
{
	Frame frame;
	sscanf(text.c_str(), "BRect(%f, %f, %f, %f)", &frame.left, &frame.top,
		&frame.right, &frame.bottom);
	return frame;
}

}	// namespace


class WindowE2eTest : public E2eFixture {
protected:
	std::vector<std::string> WindowTitles()
	{
		std::vector<std::string> titles;
		int count = atoi(Hey({ "count", "Window" }).c_str());
		for (int i = 0; i < count; i++)
			titles.push_back(Hey({ "get", "Title", "of", "Window",
				std::to_string(i) }));
		return titles;
	}

	void Click(const std::string& view, const std::string& window = "0")
	{
		int status = -1;
		Hey({ "do", "Click", "of", "View", view, "of", "Window", window },
			&status);
		ASSERT_EQ(status, 0) << "no click on " << view;
		Sync();
	}

	void Drop(const std::string& view, const std::string& path,
		const std::string& where = "")
	{
		// Rows by their index in the list, other views by name.
		std::vector<std::string> arguments = { "do", "Drop", "of", "View",
			view };
		if (view != "bview")
			arguments.insert(arguments.end(), { "of", "View", "TTagsView" });
		arguments.insert(arguments.end(), { "of", "Window", "0", "with",
			"path=" + path });
		if (!where.empty()) {
			arguments.push_back("and");
			arguments.push_back("where=" + where);
		}
		int status = -1;
		Hey(arguments, &status);
		ASSERT_EQ(status, 0) << "no drop of " << path;
		Sync();
	}
};


TEST_F(WindowE2eTest, TheEditorAndDropsBindPersonsAndSaveSortsTheRegister)
{
	setenv("ZELMORA_ARGV_LOG", (fRoot + "/argv.log").c_str(), 1);
	WriteRegister("ZZ000001\t\tzora\t\n"
		"YY000002\t\t-\t\n"
		"XX000003\t\tAnton\t\n"
		"WW000004\t\tBerta\t\n"
		"VV000005\t\t-\t\n");
	Start();
	ASSERT_EQ(CountRows(), 5);
	EXPECT_EQ(Get("Hidden", "Syn"), "true");
	// The file manager is a recorder of its arguments here.
	ASSERT_EQ(symlink(ZELMORA_BINARY_DIR "/tests/argv-recorder",
		(fBin + "/xdg-open").c_str()), 0);
	// The Super key shows the editor; "Futter" stays hidden.
	Hey({ "do", "Key", "of", "Window", "0", "with", "key=102" });
	Sync();
	EXPECT_EQ(Get("Hidden", "Syn"), "false");
	EXPECT_EQ(Get("Hidden", "save"), "false");
	EXPECT_EQ(Get("Hidden", "futB"), "true");

	// A click loads the row; Enter in the text confirms it ('zLMn').
	EXPECT_EQ(RowShows(1), "YY000002 / -");
	Click("Syn");
	Hey({ "set", "Text", "of", "View", "Syn", "of", "Window", "0", "to",
		"Carl\tC" });
	Hey({ "do", "Key", "of", "Window", "0", "with", "bytes=\n" });
	Sync();
	EXPECT_NE(Trace().find("TG_NORM BMessage('zLMn')"), std::string::npos);
	EXPECT_EQ(RowShows(1), "YY000002 / Carl C");

	// A vCard dropped on a row binds its file's name, a TAB in it made a
	// blank; a text file binds nothing.
	std::string card = fRoot + "/Erika\tMuster.vcf";
	WriteFile(card, "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Erika Muster\r\n"
		"END:VCARD\r\n");
	std::string text = fRoot + "/notes.txt";
	WriteFile(text, "not a person\n");
	Drop("4", card);
	Drop("0", text);
	EXPECT_EQ(RowShows(4), "VV000005 / Erika Muster");
	EXPECT_EQ(RowShows(0), "ZZ000001 / zora");
	// Nothing is written before Save.
	EXPECT_EQ(FileBytes(fFolder + "/TagsWithEmployee").find("Erika"),
		std::string::npos);

	// Save puts a new file in place of the old one, with the old one's
	// mode and type.
	std::string registerPath = fFolder + "/TagsWithEmployee";
	ASSERT_EQ(chmod(registerPath.c_str(), 0640), 0);
	struct stat before;
	ASSERT_EQ(stat(registerPath.c_str(), &before), 0);
	Click("save");
	struct stat after;
	ASSERT_EQ(stat(registerPath.c_str(), &after), 0);
	EXPECT_NE(after.st_ino, before.st_ino);
	EXPECT_EQ(after.st_mode & 07777, 0640u);
	std::string saved = FileBytes(fFolder + "/TagsWithEmployee");
	EXPECT_EQ(saved,
		"XX000003\t\tAnton\t\n"
		"WW000004\t\tBerta\t\n"
		"YY000002\t\tCarl C\t\n"
		"VV000005\t\tErika Muster\t\n"
		"ZZ000001\t\tzora\t\n");
	BNode node((fFolder + "/TagsWithEmployee").c_str());
	char type[B_MIME_TYPE_LENGTH] = "";
	BNodeInfo(&node).GetType(type);
	EXPECT_STREQ(type, "text/plain");

	// "Open" hands the register to xdg-open, path and all, as one argument.
	int buttons = atoi(Hey({ "count", "View", "of", "View", "bview", "of",
		"Window", "0" }).c_str());
	std::string open;
	for (int i = 0; i < buttons && open.empty(); i++) {
		std::string index = std::to_string(i);
		if (Hey({ "get", "Label", "of", "View", index, "of", "View", "bview",
				"of", "Window", "0" }) == "Open")
			open = index;
	}
	ASSERT_FALSE(open.empty());
	Hey({ "do", "Click", "of", "View", open, "of", "View", "bview", "of",
		"Window", "0" });
	std::string path = fFolder + "/TagsWithEmployee";
	EXPECT_TRUE(WaitFor([&] {
		return FileBytes(fRoot + "/argv.log") == path + "\n"; }))
		<< FileBytes(fRoot + "/argv.log");
	EXPECT_NE(Trace().find("xdg-open '" + path + "' &\n"), std::string::npos);
	EXPECT_EQ(FileBytes(path), saved);

	// The Super key hides it again.
	Hey({ "do", "Key", "of", "Window", "0", "with", "key=102" });
	Sync();
	EXPECT_EQ(Get("Hidden", "Syn"), "true");

	// The next start binds what was saved.
	EXPECT_EQ(Quit(), 0);
	Start();
	EXPECT_EQ(RowShows(3), "VV000005 / Erika Muster");
	Read({ "VV000005" });
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: Erika Muster");
}


TEST_F(WindowE2eTest, ADroppedLogoIsSavedAtOnce)
{
	std::string logo = fRoot + "/firm logo.png";
	std::filesystem::copy_file(ZELMORA_SOURCE_DIR "/presence/lomalogo.png",
		logo);
	Start();
	EXPECT_NE(Trace().find("ManageLogo BAD"), std::string::npos);
	int status = -1;
	Hey({ "get", "Frame", "of", "View", "logo", "of", "Window", "0" },
		&status);
	EXPECT_NE(status, 0) << "a logo before the drop";

	// Below the list, on the window's own background.
	Drop("bview", logo, "BPoint(30,500)");
	EXPECT_NE(Trace().find("ManageLogo end 'firm logo.png'"),
		std::string::npos);
	Frame frame = ParseFrame(Hey({ "get", "Frame", "of", "View", "logo",
		"of", "Window", "0" }));
	EXPECT_EQ(frame.left, 2);
	EXPECT_EQ(frame.bottom, 525 - 5);
	// In the file while the terminal runs, and a reload keeps it.
	EXPECT_EQ(Settings().logo_loma, logo);
	Post("rPrf", {});
	EXPECT_EQ(Quit(), 0);
	EXPECT_EQ(Settings().logo_loma, logo);

	Start();
	EXPECT_NE(Trace().find("ManageLogo end 'firm logo.png'"),
		std::string::npos);
	Hey({ "get", "Frame", "of", "View", "logo", "of", "Window", "0" },
		&status);
	EXPECT_EQ(status, 0);
}


TEST_F(WindowE2eTest, RowClicksFeedTheRecordsWindowAndAboutClosesIt)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n"
		"EF56GH78\t\tJonas Beispiel\t\n");
	Start();
	EXPECT_EQ(WindowTitles(), (std::vector<std::string>{ "Zelmora" }));
	// Without the records window a click's 'pUpd' is dropped.
	ClickRow(0);
	EXPECT_EQ(CountInTrace("  TerminView::SubmitDataProtocol() "), 1);
	EXPECT_EQ(CountInTrace("_tpath : "), 0);

	Click("open");
	EXPECT_EQ(WindowTitles(), (std::vector<std::string>{ "Zelmora",
		"Time-INFO" }));
	EXPECT_EQ(Get("Enabled", "open"), "false");
	ClickRow(1);
	EXPECT_NE(Trace().find("_tpath : " + fFolder + "/EF56GH78 \n"),
		std::string::npos);
	// A secondary click asks for the open one and feeds it.
	ClickRow(0, 2);
	EXPECT_EQ(WindowTitles().size(), 2u);
	EXPECT_NE(Trace().find("_tpath : " + fFolder + "/AB12CD34 \n"),
		std::string::npos);

	// The About window closes the records window; a second replaces the
	// first.
	Click("info");
	Click("info");
	EXPECT_EQ(WindowTitles(), (std::vector<std::string>{ "Zelmora",
		"ZLM-Info" }));
	EXPECT_EQ(CountInTrace("Buchungen loeschen\n"), 1);
	EXPECT_EQ(Get("Enabled", "open"), "true");
	Frame about = ParseFrame(Hey({ "get", "Frame", "of", "Window", "1" }));
	EXPECT_EQ(about.Width(), 380);
	EXPECT_EQ(about.Height(), 140);
	EXPECT_TRUE(Snapshot(ZELMORA_BINARY_DIR "/tests/e2e-about.png", "1"));
	EXPECT_EQ(Hey({ "get", "Text", "of", "View", "txl", "of", "Window", "1" })
		.rfind("Thanks to:\n", 0), 0u);
	Click("exit", "1");
	EXPECT_EQ(WindowTitles(), (std::vector<std::string>{ "Zelmora" }));

	// A secondary click opens it again.
	ClickRow(1, 2);
	EXPECT_EQ(WindowTitles().size(), 2u);
	EXPECT_EQ(CountInTrace("_tpath : " + fFolder + "/EF56GH78 \n"), 2);

	// Quitting with it open: it goes first, then the settings are saved.
	EXPECT_EQ(Quit(), 0);
	std::string trace = Trace();
	size_t closed = trace.rfind("Buchungen loeschen\n");
	size_t saved = trace.rfind("DESTROY SINGLETON-Prefs");
	size_t end = trace.rfind("-ZLM end-");
	EXPECT_EQ(CountInTrace("Buchungen loeschen\n"), 2);
	ASSERT_NE(closed, std::string::npos);
	ASSERT_NE(saved, std::string::npos);
	EXPECT_LT(closed, saved);
	EXPECT_LT(saved, end);
}


TEST_F(WindowE2eTest, TheListIsRedWithoutTheReaderAndBooksWithIt)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n"
		"EF56GH78\t\t-\t\n"
		"0815AFFE\t\tErika Probe\t\n");
	// No reader registered in this installation's MIME database.
	Start();
	EXPECT_NE(Trace().find("nicht da - also starten...\n"),
		std::string::npos);
	EXPECT_NE(Trace().find("App nicht gefunden :( \n"), std::string::npos);
	std::string missing = fRoot + "/missing.png";
	ASSERT_TRUE(Snapshot(missing));
	// Under the last row, inside the list.
	EXPECT_EQ(Pixel(missing, 200, 300), 0xfa1819u);
	EXPECT_EQ(Quit(), 0);

	// The reader on a pipe, with its Deskbar item.
	int pipeFds[2];
	ASSERT_EQ(pipe2(pipeFds, O_CLOEXEC), 0);
	Child reader;
	ASSERT_TRUE(reader.Start({ ZELMORA_BINARY_DIR "/bin/scanlet", "--stdin",
		"--linger", "5" }, fRoot + "/scanlet.log", pipeFds[0],
		ReaderEnvironment()));
	close(pipeFds[0]);
	EXPECT_TRUE(WaitFor([&] {
		return Exists(fRuntime + "/deskbar/ScanletView"); }, 10));
	Start();
	size_t restart = Trace().rfind("-ZLM begin-");
	EXPECT_NE(Trace().find("schon da - also nicht starten...\n", restart),
		std::string::npos);
	EXPECT_EQ(Trace().find("App gefunden", restart), std::string::npos);
	std::string present = fRoot + "/present.png";
	ASSERT_TRUE(Snapshot(present));
	EXPECT_EQ(Pixel(present, 200, 300), 0xfafaf5u);

	// The reader drops the CR of a terminal's line end.
	const char* lines = "AB12CD34\n0815AFFE\r\n";
	ASSERT_EQ(write(pipeFds[1], lines, strlen(lines)),
		(ssize_t)strlen(lines));
	EXPECT_TRUE(WaitFor([&] { return Punches("0815AFFE") == "I"; }));
	EXPECT_EQ(Punches("AB12CD34"), "I");
	Sync();
	EXPECT_EQ(Get("Text", "here"), "in: 2");
	EXPECT_TRUE(Snapshot(ZELMORA_BINARY_DIR "/tests/e2e-main.png"));

	// The hidden "Futter" button's request: the reader marks its next three
	// reads, and the info line numbers them.
	Hey({ "sOMV", "Window", "0" });
	EXPECT_TRUE(WaitFor([&] {
		return FileBytes(fRoot + "/scanlet.log").find("3 read(s) asked for "
			"by \"ZLMWindow-Futter\"") != std::string::npos; }))
		<< FileBytes(fRoot + "/scanlet.log");
	const char* asked = "NEW00007\n";
	ASSERT_EQ(write(pipeFds[1], asked, strlen(asked)),
		(ssize_t)strlen(asked));
	EXPECT_TRUE(WaitForTrace("**Event has '_spCounter' : 1\n"));
	Sync();
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: NEW00007  (num: 1 )");
	close(pipeFds[1]);
	EXPECT_EQ(reader.Wait(10), 0);
}


TEST_F(WindowE2eTest, SizeLimitsTheSavedPositionAndANewEmployeeFolder)
{
	// A first start makes the employee folder and an empty register.
	ASSERT_EQ(rmdir(fFolder.c_str()), 0);
	Start();
	struct stat folder;
	ASSERT_EQ(stat(fFolder.c_str(), &folder), 0);
	EXPECT_TRUE(S_ISDIR(folder.st_mode));
	mode_t mask = umask(0);
	umask(mask);
	EXPECT_EQ(folder.st_mode & 0777, 0755u & ~mask);
	EXPECT_TRUE(Exists(fFolder + "/TagsWithEmployee"));
	EXPECT_EQ(FileBytes(fFolder + "/TagsWithEmployee"), "");
	EXPECT_EQ(CountRows(), 0);

	Hey({ "set", "Frame", "of", "Window", "0", "to",
		"BRect(100,120,1100,1120)" });
	Sync();
	Frame large = ParseFrame(Hey({ "get", "Frame", "of", "Window", "0" }));
	EXPECT_EQ(large.Width(), 420);
	EXPECT_EQ(large.Height(), 525);
	Hey({ "set", "Frame", "of", "Window", "0", "to",
		"BRect(100,120,150,170)" });
	Sync();
	Frame small = ParseFrame(Hey({ "get", "Frame", "of", "Window", "0" }));
	EXPECT_EQ(small.Width(), 400);
	EXPECT_EQ(small.Height(), 315);
	EXPECT_EQ(small.left, 100);

	// The position is written at the end and taken at the next start; the
	// size is not.
	EXPECT_EQ(Quit(), 0);
	SavedSettings saved = Settings();
	EXPECT_EQ(saved.left, 100);
	EXPECT_EQ(saved.top, 120);
	Start();
	Frame again = ParseFrame(Hey({ "get", "Frame", "of", "Window", "0" }));
	EXPECT_EQ(again.left, 100);
	EXPECT_EQ(again.top, 120);
	EXPECT_EQ(again.Width(), 400);
	EXPECT_EQ(again.Height(), 525);
}


TEST_F(WindowE2eTest, TheZetaBuildBooksAndTakesItsLabelsFromTheCatalogue)
{
	// The Zeta program in the installation, its catalogue beside it.
	std::filesystem::copy_file(ZELMORA_BINARY_DIR "/bin/zelmora-zeta",
		fInstall + "/zelmora",
		std::filesystem::copy_options::overwrite_existing);
	std::filesystem::copy(ZELMORA_BINARY_DIR "/bin/locale",
		fInstall + "/locale", std::filesystem::copy_options::recursive);
	setenv("LC_ALL", "C.UTF-8", 1);
	setenv("LANGUAGE", "de", 1);
	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	Start();
	Read({ "AB12CD34" });
	EXPECT_EQ(Punches("AB12CD34"), "I");
	EXPECT_EQ(Get("Text", "lastrfid"), "Last: Maria Muster");
	Click("info");
	EXPECT_EQ(Hey({ "get", "Text", "of", "View", "txl", "of", "Window", "1" })
		.rfind("Dank an:\n", 0), 0u);
}


TEST_F(WindowE2eTest, ARegisteredReaderIsStartedFromItsAppHint)
{
	// A stand-in reader, registered with its path as app hint in a folder
	// a shell would take apart; it notes that it ran and with what.
	std::string folder = fRoot + "/reader $(kein) 'n' &";
	ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
	std::string reader = folder + "/scanlet";
	ASSERT_TRUE(std::filesystem::copy_file(ZELMORA_BINARY_DIR
		"/tests/argv-recorder", reader));
	std::string log = fRoot + "/reader-argv.log";
	setenv("ZELMORA_ARGV_LOG", log.c_str(), 1);
	BMimeType type("application/x-vnd.KQ-Scanlet");
	ASSERT_EQ(type.Install(), B_OK);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(reader.c_str(), &ref), B_OK);
	ASSERT_EQ(type.SetAppHint(&ref), B_OK);

	fReaderStartExpected = true;
	Start();
	EXPECT_NE(Trace().find("nicht da - also starten...\n"),
		std::string::npos);
	EXPECT_NE(Trace().find("Pfad zum App\t[" + reader + "]\n"),
		std::string::npos) << Trace();
	EXPECT_NE(Trace().find("App gefunden :) \n"), std::string::npos);
	// Started as one argument vector: the reader ran, and with no
	// arguments, so it takes its source from its own settings.
	EXPECT_TRUE(WaitFor([&] { return Exists(log); }));
	EXPECT_EQ(FileBytes(log), "");
	EXPECT_EQ(Quit(), 0);
}
