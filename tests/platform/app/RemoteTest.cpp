// Messages between programs: a peer program (RemoteTestPeer) answers over
// its socket; the test process sends, waits, and plays bad peers.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <Entry.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <MimeType.h>
#include <OS.h>
#include <Path.h>
#include <Process.h>
#include <Roster.h>

#include "LinkFrame.h"
#include "RemoteLinks.h"

using BPrivate::RemoteLinks;

namespace {

const char* kPeerSignature = "application/x-vnd.zl-remote-peer";


std::string
MakeFolder(const char* base)
{
	std::string pattern = std::string(base) + "/zl-remote-XXXXXX";
	std::vector<char> buffer(pattern.begin(), pattern.end());
	buffer.push_back('\0');
	if (mkdtemp(buffer.data()) == NULL)
		return "";
	return buffer.data();
}


// A looper that counts what it gets and keeps the last message.
class Collector : public BLooper {
public:
	Collector() : BLooper("collector") {}

	void MessageReceived(BMessage* message) override
	{
		std::lock_guard<std::mutex> guard(fLock);
		fMessages.push_back(*message);
	}

	bool WaitFor(size_t count, bigtime_t timeout = 3000000)
	{
		bigtime_t deadline = system_time() + timeout;
		while (system_time() < deadline) {
			{
				std::lock_guard<std::mutex> guard(fLock);
				if (fMessages.size() >= count)
					return true;
			}
			snooze(2000);
		}
		return false;
	}

	BMessage At(size_t index)
	{
		std::lock_guard<std::mutex> guard(fLock);
		return index < fMessages.size() ? fMessages[index] : BMessage();
	}

	size_t Count()
	{
		std::lock_guard<std::mutex> guard(fLock);
		return fMessages.size();
	}

private:
	std::mutex				fLock;
	std::vector<BMessage>	fMessages;
};


class RemoteTest : public testing::Test {
protected:
	void SetUp() override
	{
		fRuntime = MakeFolder("/tmp");
		ASSERT_FALSE(fRuntime.empty());
		chmod(fRuntime.c_str(), 0700);
		setenv("XDG_RUNTIME_DIR", fRuntime.c_str(), 1);
		fData = MakeFolder("/tmp");
		setenv("XDG_DATA_HOME", fData.c_str(), 1);
	}

	void TearDown() override
	{
		for (pid_t pid : fPeers) {
			kill(pid, SIGTERM);
			for (int i = 0; i < 200 && kill(pid, 0) == 0; i++)
				snooze(10000);
		}
		std::vector<const char*> argv = { "rm", "-rf", fRuntime.c_str(),
			fData.c_str(), NULL };
		BPrivate::start_program(argv.data(), true, NULL);
	}

	// Starts the peer and waits until it listens.
	pid_t StartPeer(const char* signature = kPeerSignature)
	{
		const char* argv[] = { ZL_REMOTE_PEER, signature, NULL };
		pid_t pid = -1;
		if (BPrivate::start_program(argv, false, NULL, &pid) != B_OK)
			return -1;
		fPeers.push_back(pid);
		for (int i = 0; i < 500; i++) {
			for (team_id team : RemoteLinks::FindApplications(signature)) {
				if (team == pid)
					return pid;
			}
			snooze(10000);
		}
		fprintf(stderr, "peer %d %s; runtime folder:\n", (int)pid,
			kill(pid, 0) == 0 ? "runs" : "has ended");
		std::vector<const char*> list = { "ls", "-la", fRuntime.c_str(), NULL };
		BPrivate::start_program(list.data(), true, NULL);
		return -1;
	}

	std::string			fRuntime;
	std::string			fData;
	std::vector<pid_t>	fPeers;
};


// A raw connection to the peer's socket, as a program that does not use
// the kit would make it.
int
ConnectRaw(const std::string& folder, const std::string& name)
{
	sockaddr_un address;
	memset(&address, 0, sizeof(address));
	address.sun_family = AF_UNIX;
	std::string path = folder + "/" + name;
	if (path.size() >= sizeof(address.sun_path))
		return -1;
	strcpy(address.sun_path, path.c_str());
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
	if (fd < 0)
		return -1;
	if (connect(fd, (sockaddr*)&address, sizeof(address)) != 0) {
		close(fd);
		return -1;
	}
	return fd;
}


// True if the other end closes the connection within the timeout.
bool
ClosedByPeer(int fd, int timeoutMs)
{
	timeval timeout = { timeoutMs / 1000, (timeoutMs % 1000) * 1000 };
	setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof(timeout));
	char byte;
	ssize_t length = recv(fd, &byte, 1, 0);
	return length == 0 || (length < 0 && errno == ECONNRESET);
}

}	// namespace


TEST_F(RemoteTest, TwoProgramsExchangeMessagesAndReplies)
{
	pid_t peer = StartPeer();
	ASSERT_GT(peer, 0);

	status_t status;
	BMessenger messenger(kPeerSignature, -1, &status);
	ASSERT_EQ(status, B_OK);
	EXPECT_TRUE(messenger.IsValid());
	EXPECT_FALSE(messenger.IsTargetLocal());
	EXPECT_EQ(messenger.Team(), peer);
	// The signature is found whatever its case.
	EXPECT_EQ(BMessenger("application/X-VND.ZL-Remote-Peer").Team(), peer);

	// A request and its reply.
	BMessage ping('ping');
	ping.AddString("text", "über");
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage(&ping, &reply, B_INFINITE_TIMEOUT,
		3000000), B_OK);
	EXPECT_EQ(reply.what, (uint32)'pong');
	EXPECT_EQ(reply.GetInt32("pid", -1), peer);
	EXPECT_TRUE(reply.GetBool("remote", false));
	EXPECT_STREQ(reply.GetString("text", ""), "über");

	// A message nobody handles is answered with "not understood".
	ASSERT_EQ(messenger.SendMessage('nope', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);

	// An answer without waiting, to a looper of ours.
	Collector* collector = new Collector;
	collector->Run();
	BMessage request('rply');
	request.AddInt32("n", 7);
	ASSERT_EQ(messenger.SendMessage(&request, BMessenger(collector)), B_OK);
	ASSERT_TRUE(collector->WaitFor(1));
	EXPECT_EQ(collector->At(0).what, (uint32)'pong');
	EXPECT_EQ(collector->At(0).GetInt32("n", -1), 7);
	EXPECT_TRUE(collector->At(0).IsReply());

	// A messenger inside a message leads back into this program.
	BMessage callBack('back');
	callBack.AddMessenger("target", BMessenger(collector));
	callBack.AddInt32("n", 42);
	ASSERT_EQ(messenger.SendMessage(&callBack), B_OK);
	ASSERT_TRUE(collector->WaitFor(2));
	EXPECT_EQ(collector->At(1).what, (uint32)'bked');
	EXPECT_EQ(collector->At(1).GetInt32("n", -1), 42);
	collector->Lock();
	collector->Quit();

	// The roster knows the program and its executable.
	EXPECT_TRUE(be_roster->IsRunning(kPeerSignature));
	app_info info;
	ASSERT_EQ(be_roster->GetAppInfo(kPeerSignature, &info), B_OK);
	EXPECT_EQ(info.team, peer);
	BPath path(&info.ref);
	char real[PATH_MAX];
	ASSERT_NE(realpath(ZL_REMOTE_PEER, real), nullptr);
	EXPECT_STREQ(path.Path(), real);

	// Once the program has ended its messenger is no longer valid and a
	// send fails at once.
	kill(peer, SIGKILL);
	for (int i = 0; i < 300 && messenger.IsValid(); i++)
		snooze(10000);
	EXPECT_FALSE(messenger.IsValid());
	bigtime_t start = system_time();
	EXPECT_NE(messenger.SendMessage('ping', &reply), B_OK);
	EXPECT_LT(system_time() - start, 500000);
}


// A looper that answers each reply it gets with one of its own.
class Answerer : public BLooper {
public:
	Answerer() : BLooper("answerer") {}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == 'qstn' && message->IsReply()) {
			BMessage answer('answ');
			answer.AddInt32("n", message->GetInt32("n", -1) * 10);
			message->SendReply(&answer);
			fAnswered++;
			return;
		}
		BLooper::MessageReceived(message);
	}

	std::atomic<int32> fAnswered{0};
};


TEST_F(RemoteTest, RepliesToRepliesCrossBackAndForth)
{
	ASSERT_GT(StartPeer(), 0);
	BMessenger messenger(kPeerSignature);
	BMessage last;

	// The reply waited for is itself waiting for an answer.
	BMessage ask('askb');
	ask.AddInt32("n", 4);
	BMessage question;
	ASSERT_EQ(messenger.SendMessage(&ask, &question, B_INFINITE_TIMEOUT,
		3000000), B_OK);
	EXPECT_EQ(question.what, (uint32)'qstn');
	EXPECT_EQ(question.GetInt32("n", -1), 5);
	EXPECT_TRUE(question.IsReply());
	EXPECT_TRUE(question.IsSourceWaiting());
	EXPECT_TRUE(question.IsSourceRemote());
	BMessage answer('answ');
	answer.AddInt32("n", 50);
	ASSERT_EQ(question.SendReply(&answer), B_OK);
	ASSERT_EQ(messenger.SendMessage('last', &last), B_OK);
	EXPECT_EQ(last.GetInt32("n", -1), 50);

	// A question dropped unanswered lets the other side go on at once.
	{
		BMessage dropped;
		ASSERT_EQ(messenger.SendMessage(&ask, &dropped, B_INFINITE_TIMEOUT,
			3000000), B_OK);
		EXPECT_TRUE(dropped.IsSourceWaiting());
	}
	bigtime_t start = system_time();
	ASSERT_EQ(messenger.SendMessage('last', &last), B_OK);
	EXPECT_LT(system_time() - start, 1000000);
	EXPECT_EQ(last.GetInt32("n", -1), 50);

	// The same without anybody waiting: the reply goes to a looper here,
	// its answer to the application there.
	Answerer* answerer = new Answerer;
	answerer->Run();
	BMessage later('askl');
	later.AddInt32("n", 6);
	ASSERT_EQ(messenger.SendMessage(&later, BMessenger(answerer)), B_OK);
	for (int i = 0; i < 300 && answerer->fAnswered == 0; i++)
		snooze(10000);
	EXPECT_EQ(answerer->fAnswered, 1);
	int32 n = -1;
	for (int i = 0; i < 300 && n != 70; i++) {
		ASSERT_EQ(messenger.SendMessage('last', &last), B_OK);
		n = last.GetInt32("n", -1);
		if (n != 70)
			snooze(10000);
	}
	EXPECT_EQ(n, 70);
	answerer->Lock();
	answerer->Quit();
}


TEST_F(RemoteTest, PostsArriveInOrder)
{
	ASSERT_GT(StartPeer(), 0);
	BMessenger messenger(kPeerSignature);
	ASSERT_TRUE(messenger.IsValid());

	const int32 kCount = 5000;
	for (int32 i = 0; i < kCount; i++) {
		BMessage message('seq ');
		message.AddInt32("n", i);
		ASSERT_EQ(messenger.SendMessage(&message), B_OK) << i;
	}
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage('chek', &reply), B_OK);
	EXPECT_EQ(reply.GetInt32("count", -1), kCount);
	EXPECT_TRUE(reply.GetBool("inorder", false));
	// All of it over one connection.
	EXPECT_EQ(RemoteLinks::CountLinks(), 1);
}


TEST_F(RemoteTest, TimeoutsAndRefusedFields)
{
	ASSERT_GT(StartPeer(), 0);
	BMessenger messenger(kPeerSignature);

	// A reply later than the timeout is not waited for, and does not
	// disturb the next exchange.
	BMessage slow('slow');
	slow.AddInt32("ms", 400);
	BMessage reply;
	bigtime_t start = system_time();
	EXPECT_EQ(messenger.SendMessage(&slow, &reply, B_INFINITE_TIMEOUT, 100000),
		B_TIMED_OUT);
	EXPECT_LT(system_time() - start, 300000);
	ASSERT_EQ(messenger.SendMessage('ping', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'pong');

	// Addresses of this process mean nothing over there: refused, with
	// an error reply.
	BMessage withPointer('ping');
	withPointer.AddPointer("self", this);
	ASSERT_EQ(messenger.SendMessage(&withPointer, &reply), B_OK);
	EXPECT_EQ(reply.GetInt32("error", B_OK), B_NOT_ALLOWED);
	BMessage nested('ping'), inner('innr');
	inner.AddPointer("self", this);
	nested.AddMessage("inner", &inner);
	ASSERT_EQ(messenger.SendMessage(&nested, &reply), B_OK);
	EXPECT_EQ(reply.GetInt32("error", B_OK), B_NOT_ALLOWED);
	ASSERT_EQ(messenger.SendMessage('ping', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'pong');
}


TEST_F(RemoteTest, ProgramThatDoesNotRunFailsFast)
{
	bigtime_t start = system_time();
	status_t status;
	BMessenger messenger("application/x-vnd.zl-not-running", -1, &status);
	EXPECT_NE(status, B_OK);
	EXPECT_FALSE(messenger.IsValid());
	BMessage reply;
	EXPECT_EQ(messenger.SendMessage('ping', &reply), B_BAD_PORT_ID);
	EXPECT_FALSE(be_roster->IsRunning("application/x-vnd.zl-not-running"));
	app_info info;
	EXPECT_NE(be_roster->GetAppInfo("application/x-vnd.zl-not-running", &info),
		B_OK);
	EXPECT_LT(system_time() - start, 200000);
}


TEST_F(RemoteTest, StaleSocketsAreRemoved)
{
	// A socket that nobody listens on, under the id of a running program
	// (pid 1) and under one of a program that has ended.
	pid_t ended = fork();
	if (ended == 0)
		_exit(0);
	waitpid(ended, NULL, 0);
	std::vector<std::string> paths;
	for (pid_t pid : { (pid_t)1, ended }) {
		std::string name = RemoteLinks::SocketName(kPeerSignature, pid);
		std::string path = fRuntime + "/" + name;
		int fd = socket(AF_UNIX, SOCK_STREAM, 0);
		sockaddr_un address;
		memset(&address, 0, sizeof(address));
		address.sun_family = AF_UNIX;
		strcpy(address.sun_path, path.c_str());
		ASSERT_EQ(bind(fd, (sockaddr*)&address, sizeof(address)), 0);
		close(fd);
		paths.push_back(path);
	}
	EXPECT_TRUE(RemoteLinks::FindApplications(kPeerSignature).empty());
	for (const std::string& path : paths)
		EXPECT_NE(access(path.c_str(), F_OK), 0) << path;

	// A stale socket does not keep a new program from being found.
	std::string path = fRuntime + "/"
		+ RemoteLinks::SocketName(kPeerSignature, 1);
	int fd = socket(AF_UNIX, SOCK_STREAM, 0);
	sockaddr_un address;
	memset(&address, 0, sizeof(address));
	address.sun_family = AF_UNIX;
	strcpy(address.sun_path, path.c_str());
	ASSERT_EQ(bind(fd, (sockaddr*)&address, sizeof(address)), 0);
	close(fd);
	pid_t peer = StartPeer();
	ASSERT_GT(peer, 0);
	EXPECT_EQ(BMessenger(kPeerSignature).Team(), peer);
	EXPECT_NE(access(path.c_str(), F_OK), 0);
}


TEST_F(RemoteTest, LongRuntimeFolder)
{
	// The socket path is longer than a socket address holds.
	std::string folder = fRuntime;
	while (folder.size() < 150)
		folder += "/a-rather-long-folder-name";
	std::vector<const char*> argv = { "mkdir", "-p", folder.c_str(), NULL };
	ASSERT_EQ(BPrivate::start_program(argv.data(), true, NULL), B_OK);
	chmod(folder.c_str(), 0700);
	setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);

	ASSERT_GT(StartPeer(), 0);
	BMessenger messenger(kPeerSignature);
	BMessage reply;
	ASSERT_EQ(messenger.SendMessage('ping', &reply), B_OK);
	EXPECT_EQ(reply.what, (uint32)'pong');
}


TEST_F(RemoteTest, IdleAndGarbagePeersDoNotStopOthers)
{
	pid_t peer = StartPeer();
	ASSERT_GT(peer, 0);
	std::string name = RemoteLinks::SocketName(kPeerSignature, peer);

	int idle = ConnectRaw(fRuntime, name);
	ASSERT_GE(idle, 0);
	int garbage = ConnectRaw(fRuntime, name);
	ASSERT_GE(garbage, 0);
	std::atomic<bool> written{false};
	std::thread writer([&] {
		std::vector<char> bytes(1024 * 1024);
		uint32 seed = 12345;
		for (char& byte : bytes) {
			seed = seed * 1103515245 + 12345;
			byte = (char)(seed >> 16);
		}
		size_t done = 0;
		while (done < bytes.size()) {
			ssize_t length = send(garbage, bytes.data() + done,
				bytes.size() - done, MSG_NOSIGNAL);
			if (length <= 0)
				break;
			done += length;
		}
		written = true;
	});

	BMessenger messenger(kPeerSignature);
	bigtime_t slowest = 0;
	for (int i = 0; i < 100; i++) {
		BMessage reply;
		bigtime_t start = system_time();
		ASSERT_EQ(messenger.SendMessage('ping', &reply), B_OK) << i;
		slowest = std::max(slowest, system_time() - start);
		EXPECT_EQ(reply.what, (uint32)'pong');
	}
	EXPECT_LT(slowest, 50000);
	printf("slowest of 100 round trips: %lld µs\n", (long long)slowest);

	// The garbage ends its own connection only.
	EXPECT_TRUE(ClosedByPeer(garbage, 3000));
	writer.join();
	EXPECT_TRUE(messenger.IsValid());
	close(idle);
	close(garbage);
}


TEST_F(RemoteTest, PeersOfAnotherUserAreRefused)
{
	if (getuid() != 0)
		GTEST_SKIP() << "needs root to switch to another user";

	// The application listens in a folder others may enter, its socket
	// open to everyone, so only the credentials check stands in the way.
	std::string folder = MakeFolder("/tmp");
	chmod(folder.c_str(), 0755);
	Collector* collector = new Collector;
	collector->Run();
	int32 token = BMessenger(collector)._LooperToken();
	ASSERT_EQ(RemoteLinks::Listen("application/x-vnd.zl-refuse", token,
		folder.c_str()), B_OK);
	std::string path = RemoteLinks::SocketPath();
	chmod(path.c_str(), 0666);

	BMessage message('hi  ');
	std::string frame;
	ASSERT_EQ(BPrivate::append_frame(frame, BPrivate::kFrameMessage, 0,
		BPrivate::kApplicationLooperToken, message), B_OK);
	int32 refusedBefore = RemoteLinks::CountRefusedPeers();

	// uid 0 is let in, another uid is refused.
	for (uid_t uid : { (uid_t)0, (uid_t)65534 }) {
		pid_t child = fork();
		if (child == 0) {
			if (uid != 0 && (setgid(65534) != 0 || setuid(uid) != 0))
				_exit(3);
			sockaddr_un address;
			memset(&address, 0, sizeof(address));
			address.sun_family = AF_UNIX;
			strcpy(address.sun_path, path.c_str());
			int fd = socket(AF_UNIX, SOCK_STREAM, 0);
			if (connect(fd, (sockaddr*)&address, sizeof(address)) != 0)
				_exit(4);
			send(fd, frame.data(), frame.size(), MSG_NOSIGNAL);
			timeval timeout = { 1, 0 };
			setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout,
				sizeof(timeout));
			char byte;
			ssize_t length = recv(fd, &byte, 1, 0);
			// 0: closed by the application; -1: still open at the timeout.
			_exit(length == 0 || (length < 0 && errno == ECONNRESET) ? 10 : 11);
		}
		int status = 0;
		ASSERT_EQ(waitpid(child, &status, 0), child);
		ASSERT_TRUE(WIFEXITED(status));
		if (uid == 0) {
			EXPECT_EQ(WEXITSTATUS(status), 11);
			EXPECT_TRUE(collector->WaitFor(1));
		} else {
			EXPECT_EQ(WEXITSTATUS(status), 10);
		}
	}
	snooze(100000);
	EXPECT_EQ(collector->Count(), 1u);
	EXPECT_EQ(RemoteLinks::CountRefusedPeers(), refusedBefore + 1);

	RemoteLinks::StopListening();
	EXPECT_NE(access(path.c_str(), F_OK), 0);
	collector->Lock();
	collector->Quit();
	rmdir(folder.c_str());
}


TEST_F(RemoteTest, RosterLaunchesThroughTheAppHint)
{
	const char* signature = "application/x-vnd.zl-launched";
	BMimeType type(signature);
	ASSERT_EQ(type.Install(), B_OK);
	entry_ref ref;
	ASSERT_EQ(get_ref_for_path(ZL_REMOTE_PEER, &ref), B_OK);
	ASSERT_EQ(type.SetAppHint(&ref), B_OK);

	// The peer takes its signature from its first argument.
	const char* args[] = { signature };
	team_id team = -1;
	ASSERT_EQ(be_roster->Launch(signature, 1, args, &team), B_OK);
	ASSERT_GT(team, 0);
	fPeers.push_back(team);
	for (int i = 0; i < 500 && !be_roster->IsRunning(signature); i++)
		snooze(10000);
	ASSERT_TRUE(be_roster->IsRunning(signature));
	EXPECT_EQ(be_roster->TeamFor(signature), team);

	team_id again = -1;
	EXPECT_EQ(be_roster->Launch(signature, (BMessage*)NULL, &again),
		B_ALREADY_RUNNING);
	EXPECT_EQ(again, team);

	EXPECT_EQ(be_roster->Launch("application/x-vnd.zl-unknown"),
		B_LAUNCH_FAILED_APP_NOT_FOUND);
}
