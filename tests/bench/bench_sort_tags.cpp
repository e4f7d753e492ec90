// Ordering 10,000 presence rows by person (the save of the register sorts
// first): names from a small pool in mixed case, so that many are equal.
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <AppPrivate.h>
#include <WindowAutomation.h>

#include <Prefs.h>

#include "TerminView.h"
#include "ZLMApplication.h"
#include "ZLMWindow.h"

namespace {

class BenchApplication : public ZLMApplication {
public:
	BenchApplication()
		: ZLMApplication("application/x-vnd.zelmora-sort-bench") {}
	void Adopt(ZLMWindow* window) { SetMainWindow(window); }
};


// A window with count rows in a throw-away installation, relay use off.
class Rows {
public:
	Rows(int count)
	{
		char pattern[] = "/tmp/zlm-sort-XXXXXX";
		if (mkdtemp(pattern) == NULL)
			abort();
		fRoot = pattern;
		std::string folder = fRoot + "/Employee";
		mkdir(folder.c_str(), 0755);
		mkdir((fRoot + "/run").c_str(), 0700);
		setenv("HOME", fRoot.c_str(), 1);
		setenv("XDG_CONFIG_HOME", (fRoot + "/config").c_str(), 1);
		setenv("XDG_DATA_HOME", (fRoot + "/data").c_str(), 1);
		setenv("XDG_RUNTIME_DIR", (fRoot + "/run").c_str(), 1);
		setenv("PATH", "/nonexistent", 1);
		setenv("QT_QPA_PLATFORM", "offscreen", 1);
		Prefs* prefs = Prefs::getSTPrefs();
		prefs->mws_use = false;
		prefs->SetMwsIp("127.0.0.1:9");
		prefs->Save();
		prefs->DeleteMe();
		TerminView::emplPath = folder;
		TerminView::emplSet = true;

		std::ofstream text(folder + "/TagsWithEmployee");
		for (int i = 0; i < count; i++)
			text << "R" << 1000000 + i << "\t\tPerson\t\n";
		text.close();

		if (be_app == NULL) {
			new BenchApplication();
			BPrivate::start_gui_looper(be_app);
		}
		fWindow = new ZLMWindow(BRect(30, 50, 430, 575));
		static_cast<BenchApplication*>(be_app)->Adopt(fWindow);
		fWindow->Show();
		while (fWindow->CountRows() < count)
			BPrivate::WindowAutomation::Sync();
	}

	~Rows()
	{
		if (fWindow->Lock())
			fWindow->Quit();
		static_cast<BenchApplication*>(be_app)->Adopt(NULL);
		BPrivate::WindowAutomation::Sync();
		std::error_code error;
		std::filesystem::remove_all(fRoot, error);
	}

	// New names for every row, in an order of their own.
	void Shuffle(std::mt19937& random)
	{
		static const char* kPool[] = { "meier", "mueller", "schmidt",
			"schneider", "fischer", "weber", "meyer", "wagner", "becker",
			"schulz", "hoffmann", "koch", "richter", "klein", "wolf" };
		fWindow->Lock();
		for (int32 i = 0; i < fWindow->CountRows(); i++) {
			std::string name = kPool[random() % 15];
			name += " ";
			name += std::to_string(random() % 200);
			for (char& c : name) {
				if (random() % 3 == 0)
					c = toupper((unsigned char)c);
			}
			fWindow->RowAt(i)->SetRealName(name.c_str());
		}
		fWindow->Unlock();
	}

	ZLMWindow* Window() const { return fWindow; }

private:
	std::string	fRoot;
	ZLMWindow*	fWindow;
};


void
BM_SortTagsList(benchmark::State& state)
{
	Rows rows(state.range(0));
	std::mt19937 random(7);
	for (auto _ : state) {
		state.PauseTiming();
		rows.Shuffle(random);
		state.ResumeTiming();
		rows.Window()->SortTagsList();
	}
	state.counters["rows"] = state.range(0);
}
BENCHMARK(BM_SortTagsList)->Arg(1000)->Arg(10000)
	->Unit(benchmark::kMillisecond);


// Sorting rows that are in order already (a second save).
void
BM_SortTagsListSorted(benchmark::State& state)
{
	Rows rows(state.range(0));
	std::mt19937 random(7);
	rows.Shuffle(random);
	rows.Window()->SortTagsList();
	for (auto _ : state)
		rows.Window()->SortTagsList();
}
BENCHMARK(BM_SortTagsListSorted)->Arg(10000)->Unit(benchmark::kMillisecond);

}	// namespace


BENCHMARK_MAIN();
