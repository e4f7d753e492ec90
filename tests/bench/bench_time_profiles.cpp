// Reading and writing a time-profile file of 1,000 break, 1,000 day and
// 1,000 week models. The register's trace goes to /dev/null while it is
// measured, as it would go to a terminal or a log.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include <STimeModels.h>


// Standard output goes to /dev/null for the life of the object.
class QuietOutput {
public:
	QuietOutput()
	{
		fflush(stdout);
		fSaved = dup(STDOUT_FILENO);
		int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
		dup2(null, STDOUT_FILENO);
		close(null);
	}

	~QuietOutput()
	{
		fflush(stdout);
		dup2(fSaved, STDOUT_FILENO);
		close(fSaved);
	}

private:
	int fSaved;
};


class ProfileFixture : public benchmark::Fixture {
public:
	void SetUp(const benchmark::State&) override
	{
		char pattern[] = "/tmp/zl_bench_XXXXXX";
		if (mkdtemp(pattern) == NULL)
			abort();
		fFolder = pattern;
		STimeModels::SetDataFolder(fFolder.c_str());

		// Each day model names nine breaks, each week model seven days.
		std::string text;
		char line[256];
		for (int i = 0; i < 1000; i++) {
			snprintf(line, sizeof(line), "BT %02d:%02d-%02d:%02d Pause-%04d\n",
				i % 24, i % 60, i % 24, (i % 60 + 10) % 60, i);
			text += line;
		}
		for (int i = 0; i < 1000; i++) {
			snprintf(line, sizeof(line), "DM %02d:%02d Tag-%04d", i % 10,
				i % 60, i);
			text += line;
			for (int b = 0; b < 9; b++) {
				snprintf(line, sizeof(line), ",*Pause-%04d", (i * 7 + b) % 1000);
				text += line;
			}
			text += ",*NULL\n";
		}
		for (int i = 0; i < 1000; i++) {
			snprintf(line, sizeof(line), "WM %03d:00 Woche-%04d", i % 169, i);
			text += line;
			for (int d = 0; d < 7; d++) {
				snprintf(line, sizeof(line), ",*Tag-%04d", (i * 3 + d) % 1000);
				text += line;
			}
			text += ",*NULL\n";
		}
		FILE* file = fopen((fFolder + "/_Time_Profiles_").c_str(), "w");
		fwrite(text.data(), 1, text.size(), file);
		fclose(file);
	}

	void TearDown(const benchmark::State&) override
	{
		STimeModels::SetDataFolder(NULL);
		std::filesystem::remove_all(fFolder);
	}

protected:
	std::string fFolder;
};


BENCHMARK_F(ProfileFixture, Read)(benchmark::State& state)
{
	for (auto _ : state) {
		QuietOutput quiet;
		STimeModels* models = new STimeModels();
		benchmark::DoNotOptimize(models->fWeekModels->CountItems());
		state.PauseTiming();
		delete models;
		state.ResumeTiming();
	}
}


BENCHMARK_F(ProfileFixture, Write)(benchmark::State& state)
{
	STimeModels* models;
	{
		QuietOutput quiet;
		models = new STimeModels();
	}
	for (auto _ : state) {
		QuietOutput quiet;
		models->SaveDataFile();
	}
	QuietOutput quiet;
	delete models;
}


BENCHMARK_MAIN();
