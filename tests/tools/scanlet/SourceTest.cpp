// The sources on their threads: a pseudo-terminal stands in for the serial
// line, pipes for standard input and for an event device.
#include "EvdevSource.h"
#include "SerialSource.h"
#include "StdinSource.h"

#include <fcntl.h>
#include <pty.h>
#include <stdio.h>
#include <string.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include <gtest/gtest.h>

#include "Collector.h"

namespace {

const uint32 kMsgSourceRead = 'sTRd';
const uint32 kMsgSourceEnded = 'sEnd';


std::vector<std::string>
Tags(Collector* collector, size_t count)
{
	std::vector<std::string> tags;
	for (const BMessage& message : collector->WaitFor(kMsgSourceRead, count))
		tags.push_back(message.GetString("tag", "?"));
	return tags;
}


class Sources : public ::testing::Test {
protected:
	void SetUp() override { fCollector = Collector::Start(); }
	void TearDown() override { fCollector->End(); }

	Collector*	fCollector;
};

}	// namespace


TEST_F(Sources, SerialLineIsSetRawAndFramesArriveInPieces)
{
	int master, slave;
	char name[128];
	ASSERT_EQ(openpty(&master, &slave, name, NULL, NULL), 0);
	// The terminal starts cooked; the source must make it raw.
	struct termios cooked;
	tcgetattr(slave, &cooked);
	ASSERT_TRUE(cooked.c_lflag & ICANON);

	SerialSource source(name, fCollector->Messenger());
	BString error;
	ASSERT_EQ(source.Start(error), B_OK) << error.String();

	struct termios tty;
	ASSERT_EQ(tcgetattr(slave, &tty), 0);
	EXPECT_EQ(cfgetispeed(&tty), (speed_t)B9600);
	EXPECT_EQ(cfgetospeed(&tty), (speed_t)B9600);
	EXPECT_EQ(tty.c_cflag & CSIZE, (tcflag_t)CS8);
	EXPECT_FALSE(tty.c_cflag & (PARENB | CSTOPB));
	EXPECT_FALSE(tty.c_lflag & (ICANON | ECHO | ISIG));
	EXPECT_FALSE(tty.c_iflag & (ICRNL | IXON));
	EXPECT_EQ(tty.c_cc[VMIN], 1);

	// A good frame in two writes, one with a bad checksum, noise, and
	// bytes a cooked line would have changed (CR, ^C, ^S).
	std::string first = "\x02" "1A004F2B9CE2\x03";
	std::string bad = "\x02" "1A004F2B9CE3\x03";
	ASSERT_EQ(write(master, first.data(), 5), 5);
	usleep(20000);
	ASSERT_EQ(write(master, first.data() + 5, first.size() - 5),
		(ssize_t)first.size() - 5);
	std::string rest = bad + "\r\x03\x13\x11" "\x02" "0102030405" "01\x03";
	ASSERT_EQ(write(master, rest.data(), rest.size()), (ssize_t)rest.size());

	EXPECT_EQ(Tags(fCollector, 2), (std::vector<std::string>{ "1A004F2B9C",
		"0102030405" }));
	source.Stop();
	close(slave);
	close(master);
}


TEST_F(Sources, SerialRefusesWhatIsNoLine)
{
	BString error;
	SerialSource missing("/nonexistent/ttyUSB9", fCollector->Messenger());
	EXPECT_NE(missing.Start(error), B_OK);
	EXPECT_NE(strstr(error.String(), "cannot open /nonexistent/ttyUSB9"),
		nullptr) << error.String();

	char path[] = "/tmp/scanlet-notatty-XXXXXX";
	int fd = mkstemp(path);
	ASSERT_GE(fd, 0);
	close(fd);
	SerialSource file(path, fCollector->Messenger());
	EXPECT_NE(file.Start(error), B_OK);
	EXPECT_NE(strstr(error.String(), "is not a serial line"), nullptr);
	unlink(path);
}


TEST_F(Sources, StdinLinesThenTheEnd)
{
	int pipeEnds[2];
	ASSERT_EQ(pipe(pipeEnds), 0);
	StdinSource source(fCollector->Messenger(), pipeEnds[0]);
	BString error;
	ASSERT_EQ(source.Start(error), B_OK);

	std::string text = "0004567\r\n\n" + std::string(500, '9') + "\n000";
	ASSERT_EQ(write(pipeEnds[1], text.data(), text.size()),
		(ssize_t)text.size());
	usleep(20000);
	ASSERT_EQ(write(pipeEnds[1], "8", 1), 1);
	close(pipeEnds[1]);

	EXPECT_EQ(Tags(fCollector, 2), (std::vector<std::string>{ "0004567",
		"0008" }));
	std::vector<BMessage> ended = fCollector->WaitFor(kMsgSourceEnded, 1);
	ASSERT_EQ(ended.size(), 1u);
	EXPECT_EQ(ended[0].GetInt32("status", -1), B_OK);
	source.Stop();
	// Standard input belongs to the program, not to the source.
	EXPECT_EQ(close(pipeEnds[0]), 0);
}


TEST_F(Sources, EvdevKeysBecomeTags)
{
	int pipeEnds[2];
	ASSERT_EQ(pipe(pipeEnds), 0);
	char path[64];
	snprintf(path, sizeof(path), "/dev/fd/%d", pipeEnds[0]);
	EvdevSource source(path, fCollector->Messenger(), false);
	BString error;
	ASSERT_EQ(source.Start(error), B_OK) << error.String();

	std::vector<struct input_event> events;
	for (uint16 code : { KEY_4, KEY_2, KEY_ENTER, KEY_7, KEY_KPENTER }) {
		struct input_event event;
		memset(&event, 0, sizeof(event));
		event.type = EV_KEY;
		event.code = code;
		event.value = 1;
		events.push_back(event);
		event.value = 0;
		events.push_back(event);
	}
	size_t size = events.size() * sizeof(struct input_event);
	ASSERT_EQ(write(pipeEnds[1], events.data(), size), (ssize_t)size);
	EXPECT_EQ(Tags(fCollector, 2), (std::vector<std::string>{ "42", "7" }));
	source.Stop();
	close(pipeEnds[1]);
	close(pipeEnds[0]);
}


TEST_F(Sources, EvdevNeedsTheExclusiveGrab)
{
	// Something that is no event device cannot be grabbed: the source
	// refuses rather than read keys other programs see as well.
	char path[] = "/tmp/scanlet-notevdev-XXXXXX";
	int fd = mkstemp(path);
	ASSERT_GE(fd, 0);
	close(fd);
	EvdevSource source(path, fCollector->Messenger());
	BString error;
	EXPECT_NE(source.Start(error), B_OK);
	EXPECT_NE(strstr(error.String(), "cannot grab"), nullptr)
		<< error.String();
	unlink(path);
}
