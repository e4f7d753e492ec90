#include <RelayBox.h>

#include <gtest/gtest.h>

TEST(RelayBox, KeysThreeToSixSwitchRelaysOneToFour)
{
	RelayBox box;
	EXPECT_EQ(box.Apply("3=0"), "relay 1 on");
	EXPECT_EQ(box.Apply("6=0"), "relay 4 on");
	EXPECT_TRUE(box.IsOn(1));
	EXPECT_TRUE(box.IsOn(4));
	EXPECT_EQ(box.Apply("6=1"), "relay 4 off");
	EXPECT_EQ(box.States(), "1:on 2:off 3:off 4:off");
}

TEST(RelayBox, OtherRequestsChangeNothing)
{
	RelayBox box;
	for (const char* query : { "2=0", "7=0", "3=2", "3=", "=0", "", "x=0",
			"4=0x", "04 =0" })
		box.Apply(query);
	EXPECT_EQ(box.States(), "1:off 2:off 3:off 4:off");
}
