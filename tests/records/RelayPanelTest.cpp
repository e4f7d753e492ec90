// The relay panel against mws-sim on loopback, behind the wget guard: the
// relay buttons try their relay whatever relay use holds, "open all relay"
// asks for the four relays, and the reports colour the buttons.
#include "PagesTest.h"

#include <RadioButton.h>

#include <set>

#include "RelayFixture.h"

namespace {

class RelayPanelTest : public PagesFixture<RelayTest> {
protected:
	void Seed(Prefs* prefs) override
	{
		prefs->mws_use = fUse;
		prefs->SetMwsIp(fBox.Address().c_str());
		prefs->OpenInSecs = 1;
	}

	void SetUp() override
	{
		ASSERT_GT(fBox.Port(), 0);
		PagesFixture<RelayTest>::SetUp();
	}

	// The request part of the box's next line, working the windows off
	// meanwhile (the reports and the closes go through them).
	std::string NextRequest(double timeout = 6)
	{
		bigtime_t end = system_time() + (bigtime_t)(timeout * 1000000);
		while (system_time() < end) {
			std::string line = fBox.ReadLine(0.02);
			if (!line.empty())
				return line.substr(0, line.find(" ->"));
			WindowAutomation::Sync(100000);
		}
		return "";
	}

	void Press(int relay)
	{
		Locked([&] { settings->RelayButton(relay)->Invoke(); });
		Sync();
	}

	SimBox fBox;
	bool fUse = false;
};

class RelayUseOnTest : public RelayPanelTest {
protected:
	RelayUseOnTest() { fUse = true; }
};

}	// namespace


TEST_F(RelayPanelTest, RelayButtonTriesItsRelayWithRelayUseOff)
{
	Open(false, true);
	bigtime_t pressed = system_time();
	Press(2);
	EXPECT_EQ(Prefs::getSTPrefs()->TagsUseDoor, 2);
	EXPECT_EQ(SavedInt("TagsUseDoor"), 2);
	EXPECT_EQ(NextRequest(), "GET /?4=0");
	EXPECT_EQ(NextRequest(), "GET /?4=1");
	// On for the two seconds of a try, not for "OpenInSecs".
	EXPECT_GT((system_time() - pressed) / 1e6, 1.8);
	ASSERT_TRUE(WaitForOutput("CLOSE 2|"));
	Sync();
	EXPECT_FALSE(sApp->reports.empty());
	for (const std::string& call : GuardLog())
		EXPECT_EQ(call.compare(0, 3, "OK "), 0) << call;
}


TEST_F(RelayUseOnTest, OpenAllAsksForTheFourRelays)
{
	Open(false, true);
	Send(kMsgOpenAllRelays);
	Locked([&] {
		EXPECT_FALSE(dynamic_cast<BControl*>(
			settings->FindView("mw_o"))->IsEnabled());
	});
	std::multiset<std::string> opened, closed;
	for (int i = 0; i < 4; i++)
		opened.insert(NextRequest());
	EXPECT_EQ(opened, (std::multiset<std::string>{ "GET /?3=0", "GET /?4=0",
		"GET /?5=0", "GET /?6=0" }));
	for (int i = 0; i < 4; i++)
		closed.insert(NextRequest());
	EXPECT_EQ(closed, (std::multiset<std::string>{ "GET /?3=1", "GET /?4=1",
		"GET /?5=1", "GET /?6=1" }));
	// Each relay's worker reports its opening.
	std::vector<int32> order;
	for (const BMessage& report : sApp->reports) {
		if (report.what == kMsgPageRelaySwitched
			&& report.HasInt32("r_open"))
			order.push_back(report.GetInt32("r_open", 0));
	}
	EXPECT_EQ(std::set<int32>(order.begin(), order.end()),
		(std::set<int32>{ 1, 2, 3, 4 }));
	// With all closed again, "open all relay" may be used again.
	bool enabled = false;
	bigtime_t end = system_time() + 4000000;
	while (!enabled && system_time() < end) {
		snooze(20000);
		WindowAutomation::Sync(100000);
		Locked([&] {
			enabled = dynamic_cast<BControl*>(
				settings->FindView("mw_o"))->IsEnabled();
		});
	}
	EXPECT_TRUE(enabled);
}


TEST_F(RelayPanelTest, OpenAllDoesNothingWithRelayUseOff)
{
	Open(false, true);
	Send(kMsgOpenAllRelays);
	EXPECT_EQ(NextRequest(0.5), "");
	EXPECT_TRUE(GuardLog().empty());
	EXPECT_STREQ(MWS_RSTATUS, "-xxxx---");
}
