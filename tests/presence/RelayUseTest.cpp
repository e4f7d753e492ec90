// The terminal and the relay box (mws-sim behind the loopback guard): the
// start-up signal, the door on IN and OUT, a dead box, the first start on
// the private default address, and closes that relay use cannot stop.
#include "../relay/RelayFixture.h"
#include "PresenceTest.h"

#include <MWSControl.h>


class PresenceRelayTest : public PresenceFixture<RelayTest> {
protected:
	void Seed(Prefs* prefs) override
	{
		prefs->mws_use = fUse;
		prefs->SetMwsIp(fAddress.c_str());
		prefs->TagsUseDoor = 2;
		prefs->OpenInSecs = fOpenSecs;
	}

	// Works off the queues until the box printed a line holding text.
	bool WaitForBox(SimBox& box, const std::string& text, double timeout = 8)
	{
		bigtime_t end = system_time() + (bigtime_t)(timeout * 1000000);
		while (system_time() < end) {
			WindowAutomation::Sync(200000);
			std::string line = box.ReadLine(0.05);
			if (line.find(text) != std::string::npos)
				return true;
		}
		return false;
	}

	bool WaitFor(std::function<bool()> done, double timeout = 8)
	{
		bigtime_t end = system_time() + (bigtime_t)(timeout * 1000000);
		while (system_time() < end) {
			WindowAutomation::Sync(200000);
			if (done())
				return true;
			snooze(20000);
		}
		return false;
	}

	static bool SavedRelayUse()
	{
		Prefs* prefs = Prefs::getSTPrefs();
		prefs->LoadPrefs();
		return prefs->mws_use;
	}

	bool fUse = true;
	std::string fAddress;
	int32 fOpenSecs = 1;
};


TEST_F(PresenceRelayTest, StartUpSignalAndTheDoorOnInAndOut)
{
	SimBox box;
	fAddress = box.Address();
	// SetUp ran before the box existed: seed again.
	Prefs* prefs = Prefs::getSTPrefs();
	Seed(prefs);
	prefs->Save();
	prefs->DeleteMe();

	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	Open();
	EXPECT_TRUE(WaitForBox(box, "relay 1 on"));
	EXPECT_TRUE(WaitForBox(box, "relay 1 off"));

	// IN opens the door relay, which closes after its time.
	Read("AB12CD34");
	EXPECT_TRUE(WaitForBox(box, "relay 2 on"));
	EXPECT_TRUE(WaitForBox(box, "relay 2 off"));
	EXPECT_EQ(Punches("AB12CD34"), "I");

	// OUT closes it at once when it is open.
	CloseWindow();
	fOpenSecs = 30;
	prefs = Prefs::getSTPrefs();
	Seed(prefs);
	prefs->Save();
	prefs->DeleteMe();
	InHouseMenge = 0;
	Open();
	EXPECT_TRUE(WaitForBox(box, "relay 1 off"));
	Read("AB12CD34");
	ASSERT_TRUE(WaitForBox(box, "relay 2 on"));
	Read("AB12CD34");
	EXPECT_TRUE(WaitForBox(box, "relay 2 off", 4));
	EXPECT_EQ(Punches("AB12CD34"), "IIO");
}


TEST_F(PresenceRelayTest, OpenRelaysCloseWhateverRelayUseHolds)
{
	SimBox box;
	fAddress = box.Address();
	fOpenSecs = 30;
	Prefs* prefs = Prefs::getSTPrefs();
	Seed(prefs);
	prefs->Save();
	prefs->DeleteMe();

	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	Open();
	ASSERT_TRUE(WaitForBox(box, "relay 1 off"));
	Read("AB12CD34");
	ASSERT_TRUE(WaitForBox(box, "relay 2 on"));
	// Relay use switched off meanwhile; quitting still closes the door.
	Prefs::getSTPrefs()->mws_use = false;
	CloseWindow();
	EXPECT_TRUE(WaitForBox(box, "relay 2 off"));
}


TEST_F(PresenceRelayTest, ADeadBoxSwitchesRelayUseOff)
{
	SimBox box(true);
	fAddress = box.Address();
	Prefs* prefs = Prefs::getSTPrefs();
	Seed(prefs);
	prefs->Save();
	prefs->DeleteMe();

	Open();
	EXPECT_TRUE(WaitFor([] { return !Prefs::getSTPrefs()->mws_use; }, 10));
	EXPECT_TRUE(WaitForOutput("mws sollte aus sein...", 1));
	CloseWindow();
	EXPECT_FALSE(SavedRelayUse());
}


TEST_F(PresenceRelayTest, TheFirstStartOnThePrivateAddressIsRefused)
{
	// The defaults as a new installation has them; only the guard's
	// refusal stands between this test and the private network.
	fRefusalExpected = true;
	fAddress = kDefaultMwsIp;
	Prefs* prefs = Prefs::getSTPrefs();
	prefs->mws_use = true;
	prefs->SetMwsIp(kDefaultMwsIp);
	prefs->Save();
	prefs->DeleteMe();

	Open();
	EXPECT_TRUE(WaitFor([] { return !Prefs::getSTPrefs()->mws_use; }, 10));
	CloseWindow();
	EXPECT_FALSE(SavedRelayUse());
	bool refused = false;
	for (const std::string& line : GuardLog())
		refused |= line.compare(0, 7, "REFUSED") == 0;
	EXPECT_TRUE(refused);
}
