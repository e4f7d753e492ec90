// The relay control against the real mws-sim on 127.0.0.1, through the real
// wget behind the loopback guard.
#include <dirent.h>
#include <stdio.h>
#include <string.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include <MWSControl.h>
#include <OS.h>
#include <Prefs.h>
#include <RelayMessages.h>

#include "RelayFixture.h"

namespace {

int
CountOf(const std::vector<Report>& reports, uint32 what)
{
	int count = 0;
	for (const Report& report : reports)
		count += report.what == what ? 1 : 0;
	return count;
}


// Names of the process' threads as the OS knows them.
std::set<std::string>
ThreadNames()
{
	std::set<std::string> names;
	DIR* tasks = opendir("/proc/self/task");
	if (tasks == NULL)
		return names;
	while (dirent* entry = readdir(tasks)) {
		if (entry->d_name[0] == '.')
			continue;
		std::ifstream comm(std::string("/proc/self/task/") + entry->d_name
			+ "/comm");
		std::string name;
		std::getline(comm, name);
		names.insert(name);
	}
	closedir(tasks);
	return names;
}

}	// namespace


// One IN on relay 2 for a second: open, report, close asked for when the
// time is up (as the main window does), closed; the box sees key 4 with 0
// and then 1. Meanwhile the worker runs as "mwsR2" at low priority.
TEST_F(RelayTest, OpensReportsAndClosesAfterTheDelay)
{
	SimBox box;
	ASSERT_GT(box.Port(), 0);
	std::string address = box.Address();

	ReportApp app;
	std::set<std::string> namesWhileOpen;
	int32 workerPriority = -1;
	app.fStart = [&] { Own_Thread(2, true, address.c_str(), 1); };
	app.fOnReport = [&](const Report& report) {
		if (report.what == kMsgRelaySwitched && report.rOpen == 2) {
			namesWhileOpen = ThreadNames();
			thread_info info;
			thread_id worker = find_thread("mwsR2");
			if (worker >= 0 && get_thread_info(worker, &info) == B_OK)
				workerPriority = info.priority;
		}
		if (report.what == kMsgRelayTimeUp)
			Own_Thread(report.relais, false, address.c_str(), 2);
	};
	ASSERT_TRUE(app.RunUntil([&] {
		return CountOf(app.fReports, kMsgRelaySwitched) == 2; }, 15));

	ASSERT_EQ(app.fReports.size(), 3u);
	const Report& opened = app.fReports[0];
	const Report& timeUp = app.fReports[1];
	const Report& closed = app.fReports[2];
	EXPECT_EQ(opened.what, kMsgRelaySwitched);
	EXPECT_EQ(opened.relais, 2);
	EXPECT_EQ(opened.rOpen, 2);
	EXPECT_EQ(opened.image, "-xoxx---");
	EXPECT_EQ(timeUp.what, kMsgRelayTimeUp);
	EXPECT_EQ(timeUp.relais, 2);
	EXPECT_EQ(timeUp.image, "-xoxx---");
	EXPECT_GE(timeUp.when - opened.when, 950000);
	EXPECT_LT(timeUp.when - opened.when, 3000000);
	EXPECT_EQ(closed.relais, 2);
	EXPECT_EQ(closed.rOpen, -1);
	EXPECT_EQ(closed.image, "-xxxx---");

	EXPECT_EQ(box.ReadLine(), "GET /?4=0 -> relay 2 on | 1:off 2:on 3:off 4:off\n");
	EXPECT_EQ(box.ReadLine(), "GET /?4=1 -> relay 2 off | 1:off 2:off 3:off 4:off\n");

	EXPECT_EQ(namesWhileOpen.count("mwsR2"), 1u);
	EXPECT_EQ(workerPriority, B_LOW_PRIORITY);

	EXPECT_EQ(StopCapture(), "init MWS_RSTATUS: '-xxxx---'\n");
}


// Every relay uses its own key (relay + 2); relay 4 is key 6. Each call of
// wget writes its answer to a fresh file in the private runtime folder and
// leaves nothing behind.
TEST_F(RelayTest, EachRelayHasItsKeyAndScratchFilesStayPrivate)
{
	SimBox box;
	ASSERT_GT(box.Port(), 0);
	std::string address = box.Address();

	ReportApp app;
	int closesAsked = 0;
	app.fStart = [&] {
		for (int relay = 1; relay <= 4; relay++)
			Own_Thread(relay, true, address.c_str(), 0);
	};
	app.fOnReport = [&](const Report& report) {
		if (report.what == kMsgRelayTimeUp) {
			closesAsked++;
			Own_Thread(report.relais, false, address.c_str(), 2);
		}
	};
	ASSERT_TRUE(app.RunUntil([&] {
		return CountOf(app.fReports, kMsgRelaySwitched) == 8; }, 20));
	EXPECT_EQ(closesAsked, 4);
	EXPECT_EQ(std::string(MWS_RSTATUS), "-xxxx---");

	std::multiset<std::string> requests;
	for (int i = 0; i < 8; i++) {
		std::string line = box.ReadLine();
		requests.insert(line.substr(0, line.find(" ->")));
	}
	EXPECT_EQ(requests, (std::multiset<std::string>{ "GET /?3=0", "GET /?3=1",
		"GET /?4=0", "GET /?4=1", "GET /?5=0", "GET /?5=1", "GET /?6=0",
		"GET /?6=1" }));

	std::vector<std::string> calls = GuardLog();
	ASSERT_EQ(calls.size(), 8u);
	std::set<std::string> scratchFiles;
	for (const std::string& call : calls) {
		size_t at = call.find("--output-document=");
		ASSERT_NE(at, std::string::npos) << call;
		std::string file = call.substr(at + 18, call.find(' ', at) - at - 18);
		EXPECT_EQ(file.compare(0, fRuntime.size() + 4, fRuntime + "/mws"), 0)
			<< file;
		EXPECT_NE(access(file.c_str(), F_OK), 0) << file << " was left behind";
		scratchFiles.insert(file);
	}
	EXPECT_EQ(scratchFiles.size(), 8u);

	bool sawRelay4Open = false;
	for (const std::string& call : calls) {
		if (call.find(" -- http://" + address + "/?6=0") != std::string::npos)
			sawRelay4Open = true;
	}
	EXPECT_TRUE(sawRelay4Open);
}


// An OUT while the relay is still open closes it at once; the opening's
// later time-up then finds it closed and its close is refused.
TEST_F(RelayTest, CloseBeforeTheTimeIsUpMakesTheLaterCloseARefusal)
{
	SimBox box;
	ASSERT_GT(box.Port(), 0);
	std::string address = box.Address();

	ReportApp app;
	app.fStart = [&] { Own_Thread(1, true, address.c_str(), 1); };
	app.fOnReport = [&](const Report& report) {
		if (report.what == kMsgRelaySwitched && report.rOpen == 1)
			Own_Thread(1, false, address.c_str(), 2);
		if (report.what == kMsgRelayTimeUp)
			Own_Thread(report.relais, false, address.c_str(), 2);
	};
	ASSERT_TRUE(app.RunUntil([&] {
		return CountOf(app.fReports, kMsgRelayTimeUp) == 1; }, 15));
	snooze(100000);

	EXPECT_EQ(CountOf(app.fReports, kMsgRelaySwitched), 2);
	EXPECT_EQ(box.ReadLine(), "GET /?3=0 -> relay 1 on | 1:on 2:off 3:off 4:off\n");
	EXPECT_EQ(box.ReadLine(), "GET /?3=1 -> relay 1 off | 1:off 2:off 3:off 4:off\n");
	EXPECT_EQ(box.ReadLine(0.3), "");
	EXPECT_EQ(StopCapture(), "init MWS_RSTATUS: '-xxxx---'\n"
		"1 schon zu!  -xxxx--- \n");
}


// Requests that would not change the image start no thread; relay numbers
// outside 1 to 4 get a worker that refuses them and reports nothing.
TEST_F(RelayTest, RefusalsAndInvalidRelays)
{
	strcpy(MWS_RSTATUS, "-xoxx---");
	Own_Thread(2, true, "127.0.0.1:9", 3);
	Own_Thread(1, false, "127.0.0.1:9", 2);
	EXPECT_LT(find_thread("mwsR2"), 0);
	EXPECT_LT(find_thread("mwsR1"), 0);

	ReportApp app;
	app.fStart = [&] {
		Own_Thread(0, true, "127.0.0.1:9", 1);
		Own_Thread(5, false, "127.0.0.1:9", 1);
		EXPECT_TRUE(WaitForOutput("NO VALID RELAIS! {0}\n"));
		EXPECT_TRUE(WaitForOutput("NO VALID RELAIS! {5}\n"));
	};
	app.RunUntil([] { return true; }, 5);
	EXPECT_TRUE(app.fReports.empty());
	EXPECT_EQ(std::string(MWS_RSTATUS), "-xoxx---");
	EXPECT_TRUE(GuardLog().empty());

	// The two workers may end in either order.
	std::string output = StopCapture();
	EXPECT_EQ(output.substr(0, 46), "2 schon auf! -xoxx--- \n"
		"1 schon zu!  -xoxx--- \n");
	EXPECT_EQ(output.size(), 46u + 2 * 21u) << output;
	EXPECT_NE(output.find("NO VALID RELAIS! {0}\n"), std::string::npos);
	EXPECT_NE(output.find("NO VALID RELAIS! {5}\n"), std::string::npos);
}


// A box that takes the connection and never answers ends the call through
// wget's own timeout: a non-zero status, 'mw_k', still 'mw_s', and the relay
// left undetermined so the next request for it is not refused.
TEST_F(RelayTest, HangingBoxTimesOutAndLeavesTheRelayUndetermined)
{
	SimBox box(true);
	ASSERT_GT(box.Port(), 0);
	std::string address = box.Address();

	{
		ReportApp app;
		bigtime_t start = 0;
		app.fStart = [&] {
			start = system_time();
			Own_Thread(3, true, address.c_str(), 1);
		};
		ASSERT_TRUE(app.RunUntil([&] {
			return CountOf(app.fReports, kMsgRelayTimeUp) == 1; }, 15));

		ASSERT_EQ(app.fReports.size(), 3u);
		EXPECT_EQ(app.fReports[0].what, kMsgRelayNoAnswer);
		EXPECT_EQ(app.fReports[1].what, kMsgRelaySwitched);
		EXPECT_EQ(app.fReports[1].rOpen, 3);
		EXPECT_EQ(app.fReports[1].image, "-xxux---");
		bigtime_t waited = app.fReports[0].when - start;
		EXPECT_GE(waited, 1500000);
		EXPECT_LT(waited, 6000000);
	}
	EXPECT_EQ(std::string(MWS_RSTATUS), "-xxux---");

	// Neither state is refused for an undetermined relay: the close goes
	// out (and fails on the dead box again).
	{
		ReportApp app;
		app.fStart = [&] { Own_Thread(3, false, address.c_str(), 2); };
		ASSERT_TRUE(app.RunUntil([&] {
			return CountOf(app.fReports, kMsgRelaySwitched) == 1; }, 15));
	}
	EXPECT_EQ(StopCapture(), "init MWS_RSTATUS: '-xxxx---'\n"
		"4 | ausschalten, da es nicht antwortet \n"
		"4 | ausschalten, da es nicht antwortet \n");
	EXPECT_EQ(GuardLog().size(), 2u);
}


// Nothing listening: wget fails at once; the same reports follow.
TEST_F(RelayTest, ClosedPortFailsLikeADeadBox)
{
	int port;
	{
		SimBox box;
		port = box.Port();
	}
	ASSERT_GT(port, 0);
	std::string address = "127.0.0.1:" + std::to_string(port);

	ReportApp app;
	app.fStart = [&] { Own_Thread(4, false, address.c_str(), 2); };
	strcpy(MWS_RSTATUS, "-xxxo---");
	ASSERT_TRUE(app.RunUntil([&] {
		return CountOf(app.fReports, kMsgRelaySwitched) == 1; }, 10));
	ASSERT_EQ(app.fReports.size(), 2u);
	EXPECT_EQ(app.fReports[0].what, kMsgRelayNoAnswer);
	EXPECT_EQ(app.fReports[1].relais, 4);
	EXPECT_EQ(app.fReports[1].rOpen, -1);
	EXPECT_EQ(app.fReports[1].image, "-xxxu---");
	EXPECT_EQ(StopCapture(), "4 | ausschalten, da es nicht antwortet \n");
}


// Requests for one relay reach the box in the order they were made, so a
// close can never overtake the open before it.
TEST_F(RelayTest, RequestsForOneRelayKeepTheirOrder)
{
	SimBox box;
	ASSERT_GT(box.Port(), 0);
	std::string address = box.Address();
	const int kRounds = 4;

	strcpy(MWS_RSTATUS, "-xxxx---");
	ReportApp app;
	app.fStart = [&] {
		for (int round = 0; round < kRounds; round++) {
			for (int relay = 1; relay <= 4; relay++) {
				// Undetermined relays let both requests through at once.
				MWS_RSTATUS[relay] = 'u';
				Own_Thread(relay, true, address.c_str(), 0);
				MWS_RSTATUS[relay] = 'u';
				Own_Thread(relay, false, address.c_str(), 2);
			}
		}
	};
	ASSERT_TRUE(app.RunUntil([&] {
		return CountOf(app.fReports, kMsgRelaySwitched) == kRounds * 8; },
		30));

	std::vector<std::string> lastRequest(5);
	for (int i = 0; i < kRounds * 8; i++) {
		std::string line = box.ReadLine();
		ASSERT_EQ(line.compare(0, 6, "GET /?"), 0) << line;
		int key = line[6] - '0';
		std::string value = line.substr(8, 1);
		int relay = key - 2;
		ASSERT_TRUE(relay >= 1 && relay <= 4) << line;
		EXPECT_NE(lastRequest[relay], value) << "relay " << relay
			<< " got two of a kind in a row: " << line;
		if (lastRequest[relay].empty()) {
			EXPECT_EQ(value, "0") << "the first request was the open";
		}
		lastRequest[relay] = value;
	}
	for (int relay = 1; relay <= 4; relay++)
		EXPECT_EQ(lastRequest[relay], "1");
	EXPECT_EQ(std::string(MWS_RSTATUS), "-xxxx---");
}


// Addresses that are not a host name or dotted IPv4 address with an
// optional port never reach wget; they fail like a box that does not answer.
TEST_F(RelayTest, UnsafeAddressesNeverReachWget)
{
	const std::vector<std::string> unsafe = {
		"127.0.0.1;touch /tmp/x", "$(id)", "127.0.0.1 -e robots=off",
		"--execute=x", "'127.0.0.1'", "127.0.0.1/../x", "http://127.0.0.1",
		"127.0.0.1:99999", "127.0.0.1\nGET", ""
	};
	strcpy(MWS_RSTATUS, "-xxxx---");
	ReportApp app;
	app.fStart = [&] {
		for (const std::string& address : unsafe) {
			MWS_RSTATUS[2] = 'u';
			Own_Thread(2, true, address.c_str(), 0);
		}
	};
	ASSERT_TRUE(app.RunUntil([&] {
		return CountOf(app.fReports, kMsgRelayTimeUp) == (int)unsafe.size(); },
		20));
	EXPECT_EQ(CountOf(app.fReports, kMsgRelayNoAnswer), (int)unsafe.size());
	EXPECT_EQ(CountOf(app.fReports, kMsgRelaySwitched), (int)unsafe.size());
	EXPECT_TRUE(GuardLog().empty());

	std::string output = StopCapture();
	EXPECT_NE(output.find("NO VALID ADDRESS! {127.0.0.1;touch /tmp/x}\n"
		"-1 | ausschalten, da es nicht antwortet \n"), std::string::npos);
	EXPECT_NE(output.find("NO VALID ADDRESS! {127.0.0.1?GET}\n"),
		std::string::npos);
}


TEST(RelayAddress, AcceptsOnlyHostsAndDottedAddressesWithAPort)
{
	for (const char* good : { "127.0.0.1", "127.0.0.1:8080", "127.1.2.3",
			"mws", "relay-box.local", "a1.b2:1", "0.0.0.0:65535" })
		EXPECT_TRUE(IsValidRelayAddress(good)) << good;
	std::string longLabel(64, 'a');
	std::string longName(254, 'a');
	for (int i = 63; i < 254; i += 64)
		longName[i] = '.';
	for (const char* bad : { "", "256.1.1.1", "1.2.3", "1.2.3.4.5", "1..2.3",
			"host:", "host:0", "host:65536", "host:12a", "-host", "host-",
			"a..b", ".host", "host.", "host/path", "a b", "ho$t", "host:80:80",
			"[::1]", "1.2.3.4:-1", longLabel.c_str(), longName.c_str() })
		EXPECT_FALSE(IsValidRelayAddress(bad)) << bad;
	EXPECT_FALSE(IsValidRelayAddress(NULL));
}


// A request without an address goes to the settings' default address, a
// private-network one no test may reach: the guard refuses it, so the run
// shows the refusal and the failure reports instead of any traffic. The
// other fields' defaults make it a close of relay 3.
TEST_F(RelayTest, RequestWithoutFieldsUsesTheDefaultsAndTheGuardHoldsIt)
{
	EXPECT_EQ(strlen(kDefaultMwsIp), 13u);
	EXPECT_EQ(strncmp(kDefaultMwsIp, "192.168.", 8), 0);
	fRefusalExpected = true;
	// A second barrier behind the guard's refusal: with no real wget named,
	// the guard has nothing it could start.
	unsetenv("ZELMORA_REAL_WGET");

	ReportApp app;
	app.fStart = [&] {
		// The default address must only ever meet the guard.
		if (std::string(wgetPath) != fGuardLink) {
			ADD_FAILURE() << "SAFETY: wget is not the guard";
			return;
		}
		thread_id worker = spawn_thread(DoWithMWS, "mwsR3", B_LOW_PRIORITY,
			new BMessage(kMsgRelayRequest));
		resume_thread(worker);
	};
	strcpy(MWS_RSTATUS, "-xxxx---");
	ASSERT_TRUE(app.RunUntil([&] {
		return CountOf(app.fReports, kMsgRelaySwitched) == 1; }, 10));
	EXPECT_EQ(app.fReports[0].what, kMsgRelayNoAnswer);
	EXPECT_EQ(app.fReports[1].relais, 3);
	EXPECT_EQ(app.fReports[1].image, "-xxux---");

	std::vector<std::string> calls = GuardLog();
	ASSERT_EQ(calls.size(), 1u);
	EXPECT_EQ(calls[0].compare(0, 8, "REFUSED "), 0);
	EXPECT_NE(calls[0].find(std::string(" -- http://") + kDefaultMwsIp + "/?5=1"),
		std::string::npos)
		<< calls[0];

	EXPECT_EQ(DoWithMWS(NULL), 0);
	EXPECT_EQ(StopCapture(), "97 | ausschalten, da es nicht antwortet \n"
		"BAD DATA-MESSAGE \n");
}


// wget is looked for once per run; without it every request only says so.
TEST_F(RelayTest, WithoutWgetEveryRequestSaysSo)
{
	std::string empty = fFolder + "/empty";
	ASSERT_EQ(mkdir(empty.c_str(), 0755), 0);
	setenv("PATH", empty.c_str(), 1);
	wgetChecked = false;
	wgetFound = false;

	Own_Thread(1, true, "127.0.0.1:9", 1);
	Own_Thread(2, false, "127.0.0.1:9", 1);
	EXPECT_TRUE(wgetChecked);
	EXPECT_FALSE(wgetFound);
	EXPECT_LT(find_thread("mwsR1"), 0);
	// Later changes of PATH are not looked at again.
	setenv("PATH", (fFolder + "/bin").c_str(), 1);
	Own_Thread(1, true, "127.0.0.1:9", 1);
	EXPECT_EQ(StopCapture(), "wget checked..\nwget not availabel \n"
		"wget not availabel \nwget not availabel \n");
	EXPECT_TRUE(GuardLog().empty());
}
