// Feeds arbitrary bytes to the booking-file reader, then checks that what
// it read writes back and reads again unchanged, that its texts stay inside
// their buffers, and that edits and the evaluation take any list.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include <Auswertung.h>
#include <BuchungsEditor.h>
#include <BuchungsListe.h>
#include <BuchungsScanner.h>
#include <STimeModels.h>

#include "FuzzSupport.h"


// The reader and the evaluation trace on standard output; not here.
extern "C" int
LLVMFuzzerInitialize(int*, char***)
{
	if (freopen("/dev/null", "w", stdout) == NULL)
		abort();
	// No profile file there: the built-in default models.
	STimeModels::SetDataFolder("/nonexistent/zl_fuzz");
	return 0;
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BuchungsListe list;
	list.Decode(data, size);

	// Reader and appender agree on where whole records end.
	buchung_scan_stop stop;
	size_t wholeEnd = BuchungsScanner::WholeEnd(data, size, &stop);
	check(wholeEnd + list.KeptSize() == size);
	check((stop == B_SCAN_END) == (list.KeptSize() == 0));

	// What was read writes back, and that reads back the same.
	std::string written;
	check(list.Encode(written) == B_OK);
	check(written.size() <= wholeEnd);
	BuchungsListe again;
	again.Decode(written.data(), written.size());
	check(again.KeptSize() == 0);
	check(again.CountItems() == list.CountItems());
	std::string twice;
	check(again.Encode(twice) == B_OK && twice == written);

	for (int32 i = 0; i < list.CountItems(); i++) {
		const fBuchung* row = list.ItemAt(i);
		check(strlen(row->fText) <= 31);
		char line[kBuAscTimeSize + 16];
		memset(line, 'x', sizeof(line));
		BuAscTime(row, line);
		check(strlen(line) < kBuAscTimeSize);
	}

	// A few edits chosen by the last bytes, then the evaluation.
	BuchungsEditor editor(&list);
	for (size_t i = size > 8 ? size - 8 : 0; i + 1 < size; i += 2) {
		int32 count = list.CountItems();
		int32 entry = count > 0 ? data[i] % (count + 1) : 0;
		bool open = false;
		time_t start = 0;
		editor.DoWithList(entry, data[i + 1] % 7, 1 + data[i + 1] / 128,
			&open, &start);
		if (open) {
			time_t picked = start + data[i] * 60;
			editor.ApplyTimeResult(data[i] % 5 == 0, &start, &picked);
		}
	}
	std::string edited;
	if (list.Encode(edited) == B_OK) {
		BuchungsListe reread;
		reread.Decode(edited.data(), edited.size());
		check(reread.KeptSize() == 0);
	}

	STimeModels* models = STimeModels::getTimeModels();
	models->fWeekModel = NULL;
	BString text = Auswertung_B(list, models, size > 0 ? data[0] % 40 : 1,
		size % 2 == 0);
	check(text.Length() > 0);
	return 0;
}
