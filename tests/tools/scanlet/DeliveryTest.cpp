// Delivery of reads to the application: order, fields, holding while the
// application is away, and requests for reads.
#include "ReadDelivery.h"

#include <atomic>

#include <gtest/gtest.h>

#include "Collector.h"

namespace {

const uint32 kMsgTagRead = 'RFID';
const bigtime_t kSecond = 1000000;


class Delivery : public ::testing::Test {
protected:
	void SetUp() override
	{
		fApplication = Collector::Start();
		fReader = Collector::Start();
		fDelivery = new ReadDelivery("application/Zelmora",
			[this]() {
				fConnects++;
				return fUp ? fApplication->Messenger() : BMessenger();
			},
			fReader->Messenger(), 0);
	}
	void TearDown() override
	{
		delete fDelivery;
		fApplication->End();
		fReader->End();
	}

	std::vector<std::string> Tags(size_t count)
	{
		std::vector<std::string> tags;
		for (const BMessage& message : fApplication->WaitFor(kMsgTagRead,
				count))
			tags.push_back(message.GetString("_tagstr", "?"));
		return tags;
	}

	Collector*			fApplication;
	Collector*			fReader;
	ReadDelivery*		fDelivery;
	std::atomic<bool>	fUp{true};
	std::atomic<int>	fConnects{0};
};

}	// namespace


TEST_F(Delivery, ReadsGoOutInOrderOverOneMessenger)
{
	for (int i = 0; i < 50; i++)
		fDelivery->Add(std::to_string(i).c_str(), i * 1000);
	std::vector<std::string> tags = Tags(50);
	ASSERT_EQ(tags.size(), 50u);
	for (int i = 0; i < 50; i++)
		EXPECT_EQ(tags[i], std::to_string(i));
	EXPECT_EQ(fConnects, 1);
	EXPECT_EQ(fDelivery->Delivered(), 50);

	// Each read carries the way back to the reader, and nothing of a
	// request while none is open.
	BMessage read = fApplication->WaitFor(kMsgTagRead, 1)[0];
	BMessenger callMe;
	ASSERT_EQ(read.FindMessenger("_f2CallMe", &callMe), B_OK);
	EXPECT_TRUE(callMe == fReader->Messenger());
	EXPECT_FALSE(read.HasString("_spTarget"));
	EXPECT_FALSE(read.HasInt32("_spCounter"));
}


TEST_F(Delivery, HeldReadsFollowOnceTheApplicationAnswers)
{
	fUp = false;
	fDelivery->Add("first", 1 * kSecond);
	fDelivery->Add("second", 2 * kSecond);
	fDelivery->Flush(30 * kSecond);
	EXPECT_EQ(fDelivery->Pending(), 2);
	EXPECT_EQ(fDelivery->LastReached(), 0);
	EXPECT_FALSE(fDelivery->CheckTarget(30 * kSecond));

	fUp = true;
	fDelivery->Add("third", 40 * kSecond);
	EXPECT_EQ(Tags(3), (std::vector<std::string>{ "first", "second",
		"third" }));
	EXPECT_EQ(fDelivery->Pending(), 0);
	EXPECT_EQ(fDelivery->LastReached(), 40 * kSecond);
}


TEST_F(Delivery, ReadsHeldForAMinuteAreDropped)
{
	fUp = false;
	fDelivery->Add("old", 0);
	fDelivery->Add("newer", 30 * kSecond);
	fDelivery->Flush(60 * kSecond);
	EXPECT_EQ(fDelivery->Dropped(), 1);
	EXPECT_EQ(fDelivery->Pending(), 1);

	fUp = true;
	fDelivery->Flush(61 * kSecond);
	EXPECT_EQ(Tags(1), (std::vector<std::string>{ "newer" }));
}


TEST_F(Delivery, AGoneApplicationIsLookedUpAgain)
{
	fDelivery->Add("before", 0);
	ASSERT_EQ(Tags(1).size(), 1u);

	// The application quits; a new one comes up under the same name.
	fApplication->End();
	fApplication = Collector::Start();
	fDelivery->Add("after", 1000);
	EXPECT_EQ(Tags(1), (std::vector<std::string>{ "after" }));
	EXPECT_GE(fConnects, 2);
}


TEST_F(Delivery, RequestedReadsCarryTargetAndCounter)
{
	fDelivery->Request(2, "ZLMWindow-Futter");
	EXPECT_EQ(fDelivery->RequestedLeft(), 2);
	fDelivery->Add("a", 0);
	fDelivery->Add("b", 1);
	fDelivery->Add("c", 2);
	std::vector<BMessage> reads = fApplication->WaitFor(kMsgTagRead, 3);
	ASSERT_EQ(reads.size(), 3u);
	EXPECT_STREQ(reads[0].GetString("_spTarget", ""), "ZLMWindow-Futter");
	EXPECT_EQ(reads[0].GetInt32("_spCounter", 0), 1);
	EXPECT_EQ(reads[1].GetInt32("_spCounter", 0), 2);
	EXPECT_FALSE(reads[2].HasString("_spTarget"));

	// A request that asks for nothing asks for one; absurd counts are cut.
	fDelivery->Request(0, NULL);
	EXPECT_EQ(fDelivery->RequestedLeft(), 1);
	fDelivery->Request(1 << 30, "x");
	EXPECT_EQ(fDelivery->RequestedLeft(), ReadDelivery::kMaxRequested);
}
