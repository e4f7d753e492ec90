// Appending punches and markers, and the file never losing or tearing one
// while it is rewritten.
#include <BuchungsDatei.h>
#include <BuchungsListe.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <atomic>
#include <map>
#include <random>
#include <thread>

#include "BookingTestSupport.h"

using namespace booking_test;


TEST(BuchungsDatei, MarkerLengthsAndPadding)
{
	size_t padding;
	EXPECT_EQ(BuchungsDatei::MarkerLength(0, &padding), 8u);
	EXPECT_EQ(padding, 8u);
	EXPECT_EQ(BuchungsDatei::MarkerLength(8, &padding), 8u);
	EXPECT_EQ(padding, 0u);
	EXPECT_EQ(BuchungsDatei::MarkerLength(9, &padding), 24u);
	EXPECT_EQ(padding, 15u);
	EXPECT_EQ(BuchungsDatei::MarkerLength(15, &padding), 24u);
	EXPECT_EQ(BuchungsDatei::MarkerLength(16, &padding), 40u);
	EXPECT_EQ(padding, 24u);
	EXPECT_EQ(BuchungsDatei::MarkerLength(31, &padding), 40u);
	EXPECT_EQ(BuchungsDatei::MarkerLength(32, &padding), 56u);

	// Every marker spans whole 16-byte steps.
	for (size_t length = 0; length <= 40; length++)
		EXPECT_EQ((8 + BuchungsDatei::MarkerLength(length)) % 16, 0u);
}


class BuchungsDateiFile : public ScratchTest {
};


class BuchungsDateiLoad : public ScratchTest {
protected:
	BuchungsDateiLoad() { fInMemory = true; }
};


TEST_F(BuchungsDateiFile, AppendsPunchesAndMarkers)
{
	std::string path = Path("4711");
	ASSERT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'I', 1000), B_OK);
	ASSERT_EQ(BuchungsDatei::AppendMarker(path.c_str(), "A-Standart"), B_OK);
	ASSERT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'O', 0xF0000000u),
		B_OK);
	EXPECT_EQ(ReadFile(path), Punch('I', 1000)
		+ "WM  " + std::string("\x18\0\0\0", 4) + "A-Standart" + std::string(14, ' ')
		+ Punch('O', 0xF0000000u));

	// What the file cannot hold is refused and nothing is written.
	EXPECT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'X', 5), B_BAD_VALUE);
	EXPECT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'I', -1), B_BAD_VALUE);
	EXPECT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'I',
		(time_t)0x100000000LL), B_BAD_VALUE);
	EXPECT_EQ(BuchungsDatei::AppendMarker(path.c_str(),
		std::string(32, 'n').c_str()), B_NAME_TOO_LONG);
	EXPECT_EQ(ReadFile(path).size(), 8u + 32u + 8u);

	// A folder that does not exist: the punch cannot be stored.
	EXPECT_NE(BuchungsDatei::AppendPunch(Path("none/x").c_str(), 'I', 1),
		B_OK);
}


TEST_F(BuchungsDateiFile, AppendAfterATornTailIsRead)
{
	std::string path = Path("tag");
	std::string good = Punch('I', 10) + Marker("Mini", 8);
	for (const std::string& torn : { std::string("O\0\0\0\x05", 5),
			Marker("A-Standart", 24).substr(0, 30) }) {
		WriteFile(path, good + torn);
		ASSERT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'O', 20), B_OK);
		EXPECT_EQ(ReadFile(path), good + Punch('O', 20));

		BuchungsListe list;
		ASSERT_EQ(list.Read(path.c_str()), B_OK);
		ASSERT_EQ(list.CountItems(), 3);
		EXPECT_EQ(list.ItemAt(2)->fTime1, 20);
	}

	// Damage is not a torn record: it stays, the punch goes behind it.
	std::string damaged = Marker("x", 4000).substr(0, 16);
	WriteFile(path, good + damaged);
	ASSERT_EQ(BuchungsDatei::AppendPunch(path.c_str(), 'I', 30), B_OK);
	EXPECT_EQ(ReadFile(path), good + damaged + Punch('I', 30));
}


TEST_F(BuchungsDateiFile, ModelIntoTagFileTraces)
{
	std::string path = Path("tag");
	testing::internal::CaptureStdout();
	EXPECT_EQ(BuchungsDatei::ModelIntoTagFile(path.c_str(), (const char*)NULL),
		B_BAD_VALUE);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		"WModelToTag aWeekPtr==NULL\n");
	EXPECT_EQ(ReadFile(path), "");

	testing::internal::CaptureStdout();
	EXPECT_EQ(BuchungsDatei::ModelIntoTagFile(path.c_str(), "A-Standart"),
		B_OK);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), ">> WM for " + path
		+ "\n'A-Standart      ' [10 |= 6 |= 24]\n");
	EXPECT_EQ(ReadFile(path), Marker("A-Standart", 24));
}


// #pragma mark - concurrency


namespace {

// Runs body in a child process and returns its pid.
template<typename Body>
pid_t
Spawn(Body body)
{
	fflush(stdout);
	pid_t pid = fork();
	if (pid == 0) {
		body();
		_exit(0);
	}
	return pid;
}


int
ExitCode(pid_t pid)
{
	int status = 0;
	waitpid(pid, &status, 0);
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}	// namespace


TEST_F(BuchungsDateiLoad, SavingNeverLosesAConcurrentPunch)
{
	std::string path = Path("tag");
	std::string head = Punch('I', 1) + Punch('O', 2) + Marker("A-Standart", 24);
	WriteFile(path, head);

	const uint32 kPunches = 10000;
	const uint32 kBase = 1000000;
	pid_t child = Spawn([&] {
		for (uint32 i = 0; i < kPunches; i++) {
			if (BuchungsDatei::AppendPunch(path.c_str(), i % 2 ? 'O' : 'I',
					kBase + i) != B_OK)
				_exit(1);
		}
	});
	ASSERT_GT(child, 0);

	// The records window saves over and over, reading now and then. Its
	// trace is dropped meanwhile.
	int savedOut = dup(1);
	int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
	fflush(stdout);
	dup2(devNull, 1);
	std::atomic<bool> done(false);
	std::atomic<int> saves(0);
	std::thread writer([&] {
		BuchungsListe list;
		int round = 0;
		while (!done) {
			if (round++ % 7 == 0 && list.Read(path.c_str()) != B_OK)
				break;
			if (list.Write(path.c_str()) == B_OK)
				saves++;
			// A breath between saves, so the test does not crawl.
			usleep(500);
		}
	});
	int exitCode = ExitCode(child);
	done = true;
	writer.join();
	fflush(stdout);
	dup2(savedOut, 1);
	close(savedOut);
	close(devNull);
	EXPECT_EQ(exitCode, 0);
	EXPECT_GT(saves.load(), 50) << "saves";

	// Every punch once, in the order appended, behind the first records.
	BuchungsListe list;
	testing::internal::CaptureStdout();
	status_t status = list.Read(path.c_str());
	testing::internal::GetCapturedStdout();
	ASSERT_EQ(status, B_OK);
	EXPECT_EQ(list.KeptSize(), 0u);
	std::string content = ReadFile(path);
	ASSERT_EQ(content.size(), head.size() + kPunches * 8);
	EXPECT_EQ(content.substr(0, head.size()), head);
	for (uint32 i = 0; i < kPunches; i++) {
		ASSERT_EQ(content.substr(head.size() + i * 8, 8),
			Punch(i % 2 ? 'O' : 'I', kBase + i)) << "punch " << i;
	}
}


TEST_F(BuchungsDateiLoad, KilledWhileSavingLeavesOldOrNewContent)
{
	std::string path = Path("tag");
	// Two lists big enough that a save takes a while.
	std::string contentA;
	std::string contentB;
	for (uint32 i = 0; i < 40000; i++) {
		contentA += Punch(i % 2 ? 'O' : 'I', 1000 + i);
		contentB += Punch(i % 2 ? 'O' : 'I', 900000 + i);
	}
	WriteFile(path, contentA);

	std::mt19937 random(99);
	std::map<int, int> seen;
	for (int round = 0; round < 25; round++) {
		pid_t child = Spawn([&] {
			int devNull = open("/dev/null", O_WRONLY);
			dup2(devNull, 1);
			// Each save turns the one content into the other.
			BuchungsListe list;
			while (list.Read(path.c_str()) == B_OK) {
				time_t shift = list.ItemAt(0)->fTime1 < 900000
					? 899000 : -899000;
				for (int32 i = 0; i < list.CountItems(); i++) {
					list.ItemAt(i)->fTime1 += shift;
					list.ItemAt(i)->fTime2 += shift;
				}
				list.Write(path.c_str());
			}
		});
		ASSERT_GT(child, 0);
		usleep(2000 + random() % 40000);
		kill(child, SIGKILL);
		waitpid(child, NULL, 0);

		std::string now = ReadFile(path);
		ASSERT_TRUE(now == contentA || now == contentB)
			<< "round " << round << ": " << now.size() << " bytes";
		seen[now == contentA]++;
	}
	// The kills hit both states at least once.
	EXPECT_EQ(seen.size(), 2u);
}
