// Feeds arbitrary bytes to the time-profile reader, then writes what it
// kept and reads that again.
#include <stdio.h>
#include <stdint.h>
#include <stdlib.h>

#include <STimeModels.h>


extern "C" int
LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
	// The reader traces every line; the fuzzer's own report goes to
	// standard error.
	if (freopen("/dev/null", "w", stdout) == NULL)
		abort();
	setenv("TZ", "UTC", 1);
	// No file there: every register starts with the default models.
	STimeModels::SetDataFolder("/nonexistent/zelmora-fuzz");
	return 0;
}


static void
read_text(STimeModels* models, const char* data, size_t size)
{
	if (size == 0)
		return;
	FILE* file = fmemopen((void*)data, size, "r");
	if (file == NULL)
		return;
	models->ReadProfiles(file);
	fclose(file);
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	STimeModels* models = new STimeModels();
	read_text(models, (const char*)data, size);

	// Every break line that is written reads back as (at least) one break
	// model.
	BString text;
	models->ComposeProfiles(text);
	STimeModels* again = new STimeModels();
	int32 breaks = again->fBreakTimes->CountItems();
	read_text(again, text.String(), text.Length());

	long when = 1078000000;
	long minutes = 0;
	for (int32 i = 0; i < models->fWeekModels->CountItems(); i++) {
		models->fWeekModel = models->WeekModelAt(i);
		models->ErwartetMonatsStd(&when, 15, minutes, NULL);
		long out = when + 8 * 3600;
		models->ShowInherendBTs(&when, &out, minutes, NULL);
	}

	if (again->fBreakTimes->CountItems() - breaks
			< models->fBreakTimes->CountItems())
		abort();
	delete again;
	delete models;
	return 0;
}
