// The real terminal under load: the start-up with a large register (from
// the start of the process until the last row's trace line), and the
// intake of reads sent by the reader program as fast as it can, against a
// bare open-append-close loop on the same machine.
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "TerminalRun.h"

namespace {

const char* kNewRow = "  *Neuen Tag bekanntgeben ...";


std::string
tag_name(const char* prefix, int index)
{
	char name[16];
	snprintf(name, sizeof(name), "%s%05d", prefix, index);
	return name;
}


// count tags, bound to persons in no particular order.
std::string
register_text(int count)
{
	std::string text;
	for (int i = 0; i < count; i++) {
		char line[64];
		snprintf(line, sizeof(line), "%s\t\tPerson %05d\t\n",
			tag_name("T", i).c_str(), (i * 7919) % count);
		text += line;
	}
	return text;
}


double
seconds(const struct timespec& from, const struct timespec& to)
{
	return (to.tv_sec - from.tv_sec) + (to.tv_nsec - from.tv_nsec) / 1e9;
}


void
BM_StartUp(benchmark::State& state)
{
	int count = state.range(0);
	for (auto _ : state) {
		TerminalRun run;
		if (!run.InitCheck()
			|| !run.WriteFile(run.Folder() + "/TagsWithEmployee",
				register_text(count))) {
			state.SkipWithError("no installation");
			return;
		}
		if (!run.Start()) {
			state.SkipWithError("the terminal did not start");
			return;
		}
		double elapsed = run.WaitForLines(kNewRow, count, 120);
		if (elapsed < 0) {
			state.SkipWithError("not every row came");
			return;
		}
		state.SetIterationTime(elapsed);
		state.PauseTiming();
		run.Stop();
		state.ResumeTiming();
	}
	state.counters["rows"] = count;
}
BENCHMARK(BM_StartUp)->Arg(1000)->Arg(5000)->Arg(10000)->Iterations(3)
	->UseManualTime()->Unit(benchmark::kMillisecond);


// Five thousand reads over 100 registered tags (50 toggles each), then a
// new tag whose row marks the end of the intake.
const int kTags = 100;
const int kReads = 5000;


bool
all_booked(TerminalRun& run)
{
	std::string expected;
	for (int i = 0; i < kReads / kTags; i++)
		expected += i % 2 == 0 ? 'I' : 'O';
	for (int i = 0; i < kTags; i++) {
		std::string data = run.FileBytes(run.Folder() + "/"
			+ tag_name("T", i));
		std::string kinds;
		for (size_t at = 0; at + 8 <= data.size(); at += 8)
			kinds += data[at];
		if (kinds != expected || data.size() % 8 != 0)
			return false;
	}
	return true;
}


// The same number of 8-byte records appended the bare way; with sync, each
// made durable as a punch is.
double
bare_appends(const std::string& folder, bool sync)
{
	char record[8] = { 'I', 0, 0, 0, 1, 2, 3, 4 };
	struct timespec start, end;
	clock_gettime(CLOCK_MONOTONIC, &start);
	for (int i = 0; i < kReads; i++) {
		std::string path = folder + "/" + tag_name("B", i % kTags);
		int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC,
			0644);
		if (fd < 0 || write(fd, record, sizeof(record)) != sizeof(record)
			|| (sync && fdatasync(fd) != 0))
			return -1;
		close(fd);
	}
	clock_gettime(CLOCK_MONOTONIC, &end);
	return seconds(start, end);
}


void
BM_Intake(benchmark::State& state)
{
	double intake = 0, bare = 0, bareSynced = 0;
	for (auto _ : state) {
		state.PauseTiming();
		TerminalRun run;
		if (!run.InitCheck()
			|| !run.WriteFile(run.Folder() + "/TagsWithEmployee",
				register_text(kTags)) || !run.Start()
			|| run.WaitForLines(kNewRow, kTags, 30) < 0) {
			state.SkipWithError("the terminal did not start");
			return;
		}
		std::vector<std::string> reads;
		for (int i = 0; i < kReads; i++)
			reads.push_back(tag_name("T", i % kTags));
		reads.push_back("END00001");
		state.ResumeTiming();

		double start = run.SinceStart();
		if (!run.Feed(reads, 120)) {
			state.SkipWithError("the reader failed");
			return;
		}
		double end = run.WaitForLines(kNewRow, kTags + 1, 120);
		if (end < 0) {
			state.SkipWithError("the intake did not end");
			return;
		}
		state.SetIterationTime(end - start);
		intake += end - start;

		state.PauseTiming();
		run.Stop();
		if (!all_booked(run)) {
			state.SkipWithError("reads were lost or booked out of order");
			return;
		}
		double bareTime = bare_appends(run.Folder(), false);
		double syncedTime = bare_appends(run.Folder(), true);
		if (bareTime < 0 || syncedTime < 0) {
			state.SkipWithError("the bare appends failed");
			return;
		}
		bare += bareTime;
		bareSynced += syncedTime;
		state.ResumeTiming();
	}
	state.counters["reads/s"] = kReads * state.iterations() / intake;
	state.counters["bare/s"] = kReads * state.iterations() / bare;
	state.counters["synced/s"] = kReads * state.iterations() / bareSynced;
	// How many times longer the intake takes than the bare loops.
	state.counters["x_bare"] = intake / bare;
	state.counters["x_synced"] = intake / bareSynced;
}
BENCHMARK(BM_Intake)->Iterations(3)->UseManualTime()
	->Unit(benchmark::kMillisecond);

}	// namespace


BENCHMARK_MAIN();
