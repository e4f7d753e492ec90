// The real program and a relay box: mws-sim on loopback behind the wget
// guard. The start-up signal, the door relay on IN and OUT, a box that does
// not answer, and a first start on the private default address, which the
// guard refuses.
#include "E2eFixture.h"

#include <stdlib.h>

#include <OS.h>

#include <Prefs.h>

#include "RelayFixture.h"

namespace {

// The request part of the box's next line ("GET /?4=0"), or "" when none
// came in time.
std::string
NextRequest(SimBox& box, double timeout = 5)
{
	std::string line = box.ReadLine(timeout);
	size_t arrow = line.find(" ->");
	return arrow != std::string::npos ? line.substr(0, arrow) : line;
}


double
SecondsSince(bigtime_t start)
{
	return (system_time() - start) / 1e6;
}

}	// namespace


typedef E2eFixture RelayE2eTest;


TEST_F(RelayE2eTest, TheStartUpSignalAndTheDoorOnInAndOut)
{
	SimBox box;
	ASSERT_GT(box.Port(), 0);
	Seed({ "mws_use=1", "mws_ip=" + box.Address(), "TagsUseDoor=2",
		"OpenInSecs=3" });
	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	// Times are taken before the cause, so a late look at the box's lines
	// can only make them longer.
	bigtime_t launched = system_time();
	Start();

	// Relay 1 opens for a second (key 3: the box numbers its relays from
	// 3; 0 switches on).
	EXPECT_EQ(NextRequest(box), "GET /?3=0");
	EXPECT_EQ(NextRequest(box), "GET /?3=1");
	EXPECT_GT(SecondsSince(launched), 1.0);

	// An IN opens the door relay for OpenInSecs.
	bigtime_t in = system_time();
	Read({ "AB12CD34" });
	EXPECT_EQ(NextRequest(box), "GET /?4=0");
	EXPECT_EQ(NextRequest(box, 6), "GET /?4=1");
	EXPECT_GT(SecondsSince(in), 3.0);

	// An OUT of a closed door sends nothing; an OUT while it is open closes
	// it at once, long before its time is up, and the time-up then finds
	// it closed.
	Read({ "AB12CD34" });
	Read({ "AB12CD34" });
	EXPECT_EQ(NextRequest(box), "GET /?4=0");
	bigtime_t out = system_time();
	Read({ "AB12CD34" });
	EXPECT_EQ(NextRequest(box), "GET /?4=1");
	EXPECT_LT(SecondsSince(out), 2.0);
	EXPECT_TRUE(WaitFor([&] { return CountInTrace("2 schon zu!") == 2; },
		6));
	EXPECT_EQ(NextRequest(box, 0.3), "");
	EXPECT_EQ(Punches("AB12CD34"), "IOIO");

	std::vector<std::string> calls = GuardLog();
	EXPECT_EQ(calls.size(), 6u);
	for (const std::string& call : calls)
		EXPECT_EQ(call.compare(0, 3, "OK "), 0) << call;
	EXPECT_EQ(Quit(), 0);
	EXPECT_TRUE(Settings().mws_use);
}


TEST_F(RelayE2eTest, ABoxThatDoesNotAnswerSwitchesRelayUseOff)
{
	SimBox box(true);
	ASSERT_GT(box.Port(), 0);
	Seed({ "mws_use=1", "mws_ip=" + box.Address() });
	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	Start();
	// wget gives up after its own timeout; relay use is off and saved
	// while the terminal runs.
	EXPECT_TRUE(WaitForTrace("mws sollte aus sein...\n", 8));
	EXPECT_NE(Trace().find("ausschalten, da es nicht antwortet"),
		std::string::npos);
	EXPECT_FALSE(Settings().mws_use);
	EXPECT_NE(box.ReadLine(1).find("connection 1 held"), std::string::npos);

	// The start-up signal's close is still asked for: relay use going off
	// must not leave a relay open.
	EXPECT_TRUE(WaitFor([&] { return CountInTrace("mws sollte aus sein")
		== 2; }, 8));
	EXPECT_EQ(GuardLog().size(), 2u);

	// From now on reads book and switch nothing.
	Read({ "AB12CD34" });
	EXPECT_EQ(Punches("AB12CD34"), "I");
	snooze(300000);
	EXPECT_EQ(GuardLog().size(), 2u);
	EXPECT_EQ(Quit(), 0);
	EXPECT_FALSE(Settings().mws_use);
}


TEST_F(RelayE2eTest, TheFirstStartOnTheDefaultAddressIsRefused)
{
	// A new installation: relay use on, the private default address. Only
	// the guard stands between the terminal and that network, and behind
	// it there is no real wget either.
	ForgetSettings();
	setenv("ZELMORA_REAL_WGET", "/bin/false", 1);
	fRefusalExpected = true;
	Start();
	EXPECT_TRUE(WaitForTrace("mws sollte aus sein...\n", 8));
	SavedSettings saved = Settings();
	EXPECT_FALSE(saved.mws_use);
	EXPECT_EQ(saved.mws_ip, kDefaultMwsIp);

	std::vector<std::string> calls = GuardLog();
	ASSERT_FALSE(calls.empty());
	for (const std::string& call : calls) {
		EXPECT_EQ(call.compare(0, 8, "REFUSED "), 0) << call;
		EXPECT_NE(call.find(std::string("http://") + kDefaultMwsIp + "/"),
			std::string::npos) << call;
	}
	EXPECT_EQ(Quit(), 0);
	EXPECT_FALSE(Settings().mws_use);
}


TEST_F(RelayE2eTest, QuittingClosesAnOpenDoorThoughRelayUseWentOff)
{
	SimBox box;
	ASSERT_GT(box.Port(), 0);
	Seed({ "mws_use=1", "mws_ip=" + box.Address(), "TagsUseDoor=2",
		"OpenInSecs=60" });
	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	Start();
	EXPECT_EQ(NextRequest(box), "GET /?3=0");
	EXPECT_EQ(NextRequest(box), "GET /?3=1");
	Read({ "AB12CD34" });
	EXPECT_EQ(NextRequest(box), "GET /?4=0");

	// Relay use switched off meanwhile, the settings reloaded.
	Seed({ "mws_use=0" });
	Post("rPrf", {});
	Read({ "AB12CD34" });
	EXPECT_EQ(NextRequest(box, 0.5), "");

	// The door stays unlocked no longer than the terminal runs.
	EXPECT_EQ(Quit(), 0);
	EXPECT_EQ(NextRequest(box, 3), "GET /?4=1");
}
