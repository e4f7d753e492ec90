// Booking files at scale: ten years of daily bookings (two pairs a working
// day, about 5,000 rows, under a week model with breaks), and a file of
// 100,000 records — read, evaluated, written and appended to.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include <benchmark/benchmark.h>

#include <Auswertung.h>
#include <BuchungsDatei.h>
#include <BuchungsListe.h>
#include <STimeModels.h>


namespace {

std::string
ScratchFolder()
{
	const char* base = getenv("TMPDIR");
	std::string pattern = std::string(base != NULL ? base : "/tmp")
		+ "/zl_bench.XXXXXX";
	char buffer[1024];
	snprintf(buffer, sizeof(buffer), "%s", pattern.c_str());
	if (mkdtemp(buffer) == NULL)
		abort();
	return buffer;
}


// Ten years from 2010 on: 07:30–12:00 and 12:30–16:15 on every weekday,
// under the week model "A-Standart".
std::string
TenYears()
{
	std::string data;
	BuchungsDatei::AddMarkerRecord(data, "A-Standart",
		BuchungsDatei::MarkerLength(strlen("A-Standart")));
	struct tm day = {};
	day.tm_year = 110;
	day.tm_mon = 0;
	day.tm_mday = 1;
	day.tm_isdst = -1;
	for (int i = 0; i < 3652; i++, day.tm_mday++) {
		day.tm_hour = 0;
		day.tm_min = 0;
		day.tm_isdst = -1;
		time_t midnight = mktime(&day);
		if (day.tm_wday == 0 || day.tm_wday == 6)
			continue;
		BuchungsDatei::AddPunchRecord(data, 'I', midnight + 7 * 3600 + 1800);
		BuchungsDatei::AddPunchRecord(data, 'O', midnight + 12 * 3600);
		BuchungsDatei::AddPunchRecord(data, 'I', midnight + 12 * 3600 + 1800);
		BuchungsDatei::AddPunchRecord(data, 'O', midnight + 16 * 3600 + 900);
	}
	return data;
}


std::string
HundredThousand()
{
	std::string data;
	for (uint32 i = 0; i < 100000; i++)
		BuchungsDatei::AddPunchRecord(data, i % 2 ? 'O' : 'I',
			1300000000 + i * 1800);
	return data;
}


void
Store(const std::string& path, const std::string& data)
{
	FILE* file = fopen(path.c_str(), "wb");
	if (file == NULL || fwrite(data.data(), 1, data.size(), file)
			!= data.size())
		abort();
	fclose(file);
}


// The traces of reading, writing and evaluating go elsewhere.
class Quiet {
public:
	Quiet()
	{
		fflush(stdout);
		fSaved = dup(1);
		FILE* null = freopen("/dev/null", "w", stdout);
		(void)null;
	}
	~Quiet()
	{
		fflush(stdout);
		dup2(fSaved, 1);
		close(fSaved);
	}
private:
	int fSaved;
};


struct Fixture {
	Fixture()
		:
		folder(ScratchFolder()),
		tenYears(TenYears()),
		hundredThousand(HundredThousand())
	{
	}
	~Fixture()
	{
		for (const char* leaf : { "ten", "big", "append" })
			unlink((folder + "/" + leaf).c_str());
		rmdir(folder.c_str());
	}

	std::string folder;
	std::string tenYears;
	std::string hundredThousand;
};


Fixture&
Data()
{
	static Fixture fixture;
	return fixture;
}


void
Read(benchmark::State& state, const std::string& content)
{
	std::string path = Data().folder + "/ten";
	Store(path, content);
	Quiet quiet;
	BuchungsListe list;
	for (auto _ : state)
		list.Read(path.c_str());
	state.counters["rows"] = list.CountItems();
	state.SetBytesProcessed(state.iterations() * content.size());
}


void
Write(benchmark::State& state, const std::string& content)
{
	std::string path = Data().folder + "/ten";
	Store(path, content);
	Quiet quiet;
	BuchungsListe list;
	list.Read(path.c_str());
	for (auto _ : state)
		list.Write(path.c_str());
	state.SetBytesProcessed(state.iterations() * content.size());
}


void
BM_ReadTenYears(benchmark::State& state)
{
	Read(state, Data().tenYears);
}


void
BM_EvaluateTenYears(benchmark::State& state)
{
	BuchungsListe list;
	list.Decode(Data().tenYears.data(), Data().tenYears.size());
	Quiet quiet;
	// No profile file there: the built-in default models.
	STimeModels::SetDataFolder("/nonexistent/zl_bench");
	STimeModels* models = STimeModels::getTimeModels();
	size_t length = 0;
	for (auto _ : state) {
		models->fWeekModel = NULL;
		BString text = Auswertung_B(list, models, 15, true);
		length = text.Length();
	}
	state.counters["rows"] = list.CountItems();
	state.counters["text_bytes"] = length;
}


void
BM_WriteTenYears(benchmark::State& state)
{
	Write(state, Data().tenYears);
}


void
BM_AppendPunchTenYears(benchmark::State& state)
{
	std::string path = Data().folder + "/append";
	Store(path, Data().tenYears);
	uint32 when = 1600000000;
	for (auto _ : state)
		BuchungsDatei::AppendPunch(path.c_str(), 'I', when++);
}


void
BM_DecodeEncode100k(benchmark::State& state)
{
	const std::string& content = Data().hundredThousand;
	BuchungsListe list;
	std::string written;
	for (auto _ : state) {
		list.Decode(content.data(), content.size());
		list.Encode(written);
	}
	state.SetBytesProcessed(state.iterations() * content.size());
}


void
BM_Read100k(benchmark::State& state)
{
	Read(state, Data().hundredThousand);
}


void
BM_Write100k(benchmark::State& state)
{
	Write(state, Data().hundredThousand);
}


void
BM_AppendPunch100k(benchmark::State& state)
{
	std::string path = Data().folder + "/big";
	Store(path, Data().hundredThousand);
	uint32 when = 1600000000;
	for (auto _ : state) {
		BuchungsDatei::AppendPunch(path.c_str(), when % 2 ? 'O' : 'I', when);
		when++;
	}
}

}	// namespace


BENCHMARK(BM_ReadTenYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvaluateTenYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteTenYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendPunchTenYears)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeEncode100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Read100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write100k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendPunch100k)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
