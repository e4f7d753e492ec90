// The real terminal taking a stream of reads from the reader program as
// fast as it sends them: every read is booked, none lost, in the order
// sent. Tags without a row get theirs in that order, which the saved
// register shows (ties of the sort keep the list order).
#include <stdio.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TerminalRun.h"

namespace {

const char* kNewRow = "  *Neuen Tag bekanntgeben ...";


std::string
name(const char* prefix, int index)
{
	char text[16];
	snprintf(text, sizeof(text), "%s%05d", prefix, index);
	return text;
}

}	// namespace


TEST(IntakeLoad, FiveThousandReadsAreAllBookedInOrder)
{
	const int kKnown = 100;
	const int kReads = 5000;
	TerminalRun run;
	ASSERT_TRUE(run.InitCheck());
	std::string text;
	for (int i = 0; i < kKnown; i++)
		text += name("T", i) + "\t\t" + name("Person ", i) + "\t\n";
	ASSERT_TRUE(run.WriteFile(run.Folder() + "/TagsWithEmployee", text));
	ASSERT_TRUE(run.Start());
	ASSERT_GT(run.WaitForLines(kNewRow, kKnown, 60), 0);

	// Every fifth read is a tag no row knows yet.
	std::vector<std::string> reads, unknown;
	std::vector<int> toggles(kKnown, 0);
	for (int k = 0; k < kReads; k++) {
		if (k % 5 == 4) {
			reads.push_back(name("U", k));
			unknown.push_back(reads.back());
		} else {
			reads.push_back(name("T", k % kKnown));
			toggles[k % kKnown]++;
		}
	}
	ASSERT_TRUE(run.Feed(reads, 240));
	ASSERT_GT(run.WaitForLines(kNewRow, kKnown + (int)unknown.size(), 240),
		0);

	// Each registered tag: IN, OUT, IN, … one record per read.
	for (int i = 0; i < kKnown; i++) {
		std::string data = run.FileBytes(run.Folder() + "/" + name("T", i));
		ASSERT_EQ(data.size(), 8u * toggles[i]) << name("T", i);
		for (int r = 0; r < toggles[i]; r++)
			ASSERT_EQ(data[8 * r], r % 2 == 0 ? 'I' : 'O') << name("T", i);
	}
	EXPECT_EQ(run.FileBytes(run.Folder() + "/" + unknown[0]), "");

	// Saved, the rows without a person come first, in the order their
	// reads arrived, then the persons in order.
	// The terminal sends no reply to it: hey's exit status says so.
	run.Run({ TerminalRun::Program("hey"), "application/Zelmora", "zLMS" },
		30);
	std::string expected;
	for (const std::string& tag : unknown)
		expected += tag + "\t\t-\t\n";
	expected += text;
	std::string saved;
	for (int i = 0; i < 200 && saved != expected; i++) {
		usleep(50000);
		saved = run.FileBytes(run.Folder() + "/TagsWithEmployee");
	}
	EXPECT_EQ(saved, expected);
}
