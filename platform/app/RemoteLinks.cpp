// The links between programs over Unix-domain sockets.
#include "RemoteLinks.h"

#include <ctype.h>
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>

#include <AppPrivate.h>
#include <FindDirectory.h>
#include <Message.h>
#include <OS.h>
#include <Path.h>

#include "LinkFrame.h"
#include "LooperPrivate.h"

namespace BPrivate {

namespace {

const char* kSocketPrefix = "zl-";
// The readable part of a socket name is cut to this length; a hash of the
// whole signature keeps names apart.
const size_t kReadableLength = 40;
// Beyond this many bytes waiting to be written to a peer that does not
// read, the link is given up.
const size_t kMaxPendingOutput = 64 * 1024 * 1024;
const size_t kReadChunk = 64 * 1024;
// Marks the answer given to a waiting sender whose peer went away.
const char* kLinkLostField = "_zl:link_lost";


struct Link {
	int32				id = -1;
	int					fd = -1;
	team_id				peer = -1;
	LinkFrameReader		reader;
	std::string			out;
	size_t				outSent = 0;
	// An accepted link becomes the route to its peer with its first frame:
	// a connection that only probes whether we listen never does.
	bool				routed = false;
};


struct Waiter {
	ReplySlot*			slot;
	int32				link;
};


// The state of the links. It is made once and never destroyed: the
// reader thread runs until the process is gone, also while static objects
// are destroyed at exit.
struct LinkState {
	std::mutex				lock;
	std::condition_variable	flushed;
	std::map<int32, std::shared_ptr<Link>> links;
	// The link each peer's messages go over; the first link made to or
	// from a peer stays its route, so messages to it keep their order.
	std::map<team_id, int32> routes;
	std::map<uint32, Waiter> waiters;
	std::vector<int>		closing;
	int32					nextLink = 1;
	uint32					nextReplyId = 1;
	int						wakeFd = -1;
	int						listenFd = -1;
	std::string				listenPath;
	std::string				listenSignature;
	std::atomic<int32>		applicationToken{-1};
	std::atomic<int32>		refused{0};
	bool					threadStarted = false;
};

LinkState& sState = *new LinkState;



std::string
LowerCase(const char* text)
{
	std::string result = text != NULL ? text : "";
	for (char& c : result)
		c = (char)tolower((unsigned char)c);
	return result;
}


uint32
Hash(const std::string& text)
{
	// FNV-1a
	uint32 hash = 2166136261u;
	for (unsigned char c : text) {
		hash ^= c;
		hash *= 16777619u;
	}
	return hash;
}


std::string
SocketStem(const char* signature)
{
	std::string lower = LowerCase(signature);
	std::string readable;
	for (char c : lower) {
		if (readable.size() >= kReadableLength)
			break;
		readable += isalnum((unsigned char)c) || c == '-' || c == '.' ? c : '_';
	}
	char hash[16];
	snprintf(hash, sizeof(hash), "%08x", (unsigned)Hash(lower));
	return std::string(kSocketPrefix) + readable + "-" + hash;
}


std::string
RuntimeFolder(const char* folder)
{
	if (folder != NULL)
		return folder;
	BPath path;
	if (get_runtime_directory(&path) != B_OK)
		return "";
	return path.Path();
}


// Fills the socket address of folder/name. A path too long for the
// address goes through the folder's descriptor: *folderFd is then open
// and must be closed once the address has been used.
bool
MakeAddress(const std::string& folder, const std::string& name,
	sockaddr_un* address, int* folderFd)
{
	memset(address, 0, sizeof(*address));
	address->sun_family = AF_UNIX;
	*folderFd = -1;
	std::string path = folder + "/" + name;
	if (path.size() < sizeof(address->sun_path)) {
		memcpy(address->sun_path, path.c_str(), path.size() + 1);
		return true;
	}
	*folderFd = open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
	if (*folderFd < 0)
		return false;
	char shortPath[sizeof(address->sun_path)];
	int length = snprintf(shortPath, sizeof(shortPath), "/proc/self/fd/%d/%s",
		*folderFd, name.c_str());
	if (length < 0 || (size_t)length >= sizeof(shortPath)) {
		close(*folderFd);
		*folderFd = -1;
		return false;
	}
	memcpy(address->sun_path, shortPath, length + 1);
	return true;
}


bool
PeerCredentials(int fd, ucred* credentials)
{
	socklen_t length = sizeof(*credentials);
	return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, credentials, &length) == 0
		&& length == sizeof(*credentials);
}


// Connects to folder/name; the descriptor (non-blocking) or -errno.
int
ConnectTo(const std::string& folder, const std::string& name)
{
	sockaddr_un address;
	int folderFd;
	if (!MakeAddress(folder, name, &address, &folderFd))
		return -ENAMETOOLONG;
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
	if (fd < 0) {
		int error = errno;
		if (folderFd >= 0)
			close(folderFd);
		return -error;
	}
	int result = connect(fd, (sockaddr*)&address, sizeof(address));
	int error = errno;
	if (folderFd >= 0)
		close(folderFd);
	if (result != 0) {
		close(fd);
		return -error;
	}
	// Only a program of our own user is talked to.
	ucred credentials;
	if (!PeerCredentials(fd, &credentials) || credentials.uid != getuid()) {
		close(fd);
		return -EACCES;
	}
	return fd;
}


bool
ProcessExists(team_id team)
{
	return team > 0 && (kill(team, 0) == 0 || errno == EPERM);
}


// Socket names in the folder: name → process id, for names starting
// with prefix and ending in ".<digits>".
std::vector<std::pair<std::string, team_id>>
ListSockets(const std::string& folder, const std::string& prefix)
{
	std::vector<std::pair<std::string, team_id>> sockets;
	DIR* dir = opendir(folder.c_str());
	if (dir == NULL)
		return sockets;
	while (dirent* entry = readdir(dir)) {
		std::string name = entry->d_name;
		if (name.compare(0, prefix.size(), prefix) != 0)
			continue;
		size_t dot = name.rfind('.');
		if (dot == std::string::npos || dot + 1 >= name.size()
			|| dot + 11 < name.size())
			continue;
		bool digits = true;
		for (size_t i = dot + 1; i < name.size(); i++)
			digits = digits && isdigit((unsigned char)name[i]);
		if (!digits)
			continue;
		sockets.push_back({ name, (team_id)atol(name.c_str() + dot + 1) });
	}
	closedir(dir);
	return sockets;
}


void
Wake()
{
	if (sState.wakeFd >= 0) {
		uint64 one = 1;
		ssize_t written = write(sState.wakeFd, &one, sizeof(one));
		(void)written;
	}
}


// Writes what the link has queued, as far as the socket takes it. With
// the state's lock held. False if the link broke.
bool
WritePending(Link* link)
{
	while (link->outSent < link->out.size()) {
		ssize_t written = send(link->fd, link->out.data() + link->outSent,
			link->out.size() - link->outSent, MSG_NOSIGNAL | MSG_DONTWAIT);
		if (written < 0) {
			if (errno == EINTR)
				continue;
			return errno == EAGAIN || errno == EWOULDBLOCK;
		}
		link->outSent += written;
	}
	link->out.clear();
	link->outSent = 0;
	sState.flushed.notify_all();
	return true;
}


// With the state's lock held: removes the link; its waiters are handed back to be
// answered outside the lock.
void
RemoveLink(int32 id, std::vector<ReplySlot*>& orphans)
{
	auto it = sState.links.find(id);
	if (it == sState.links.end())
		return;
	sState.closing.push_back(it->second->fd);
	team_id peer = it->second->peer;
	sState.links.erase(it);
	auto route = sState.routes.find(peer);
	if (route != sState.routes.end() && route->second == id) {
		sState.routes.erase(route);
		// Another link the peer talks to us over takes its place.
		for (const auto& entry : sState.links) {
			if (entry.second->peer == peer && entry.second->routed) {
				sState.routes[peer] = entry.first;
				break;
			}
		}
	}
	for (auto waiter = sState.waiters.begin(); waiter != sState.waiters.end();) {
		if (waiter->second.link == id) {
			orphans.push_back(waiter->second.slot);
			waiter = sState.waiters.erase(waiter);
		} else
			++waiter;
	}
	sState.flushed.notify_all();
}


// A sender whose peer went away gets B_NO_REPLY, as for a message
// dropped unanswered.
void
AnswerOrphans(std::vector<ReplySlot*>& orphans)
{
	for (ReplySlot* slot : orphans) {
		BMessage* reply = new BMessage(B_NO_REPLY);
		reply->AddBool(kLinkLostField, true);
		slot->Deliver(reply);
		slot->Release();
	}
	orphans.clear();
}


// With the state's lock held: a new link for the descriptor.
Link*
AddLink(int fd, team_id peer, bool route)
{
	std::shared_ptr<Link> link(new Link);
	link->id = sState.nextLink++;
	link->fd = fd;
	link->peer = peer;
	Link* result = link.get();
	sState.links[link->id] = std::move(link);
	if (route && sState.routes.find(peer) == sState.routes.end()) {
		sState.routes[peer] = result->id;
		result->routed = true;
	}
	return result;
}


status_t
QueueFrame(int32 linkId, uint32 kind, uint32 replyId, int32 looperToken,
	const BMessage& message)
{
	std::string frame;
	status_t status = append_frame(frame, kind, replyId, looperToken,
		message);
	if (status != B_OK)
		return status;

	std::vector<ReplySlot*> orphans;
	{
		std::lock_guard<std::mutex> guard(sState.lock);
		auto it = sState.links.find(linkId);
		if (it == sState.links.end())
			return B_BAD_PORT_ID;
		Link* link = it->second.get();
		if (link->out.size() + frame.size() > kMaxPendingOutput)
			return B_WOULD_BLOCK;
		bool idle = link->out.empty();
		link->out += frame;
		if (idle) {
			// Most frames go out at once; the rest when the socket drains.
			if (!WritePending(link))
				RemoveLink(linkId, orphans);
		}
		if (!link->out.empty() || !orphans.empty())
			Wake();
	}
	AnswerOrphans(orphans);
	return B_OK;
}


// Registers a slot to wait for the reply with the returned id over the
// link; the registry keeps a reference.
uint32
AddWaiter(ReplySlot* slot, int32 linkId)
{
	std::lock_guard<std::mutex> guard(sState.lock);
	uint32 id = sState.nextReplyId++;
	if (id == 0)
		id = sState.nextReplyId++;
	slot->Acquire();
	sState.waiters[id] = { slot, linkId };
	return id;
}


// The slot waiting under the id (its reference goes to the caller), or
// NULL when it was answered or its link went away meanwhile. With a link,
// only a slot waiting for a reply over that link.
ReplySlot*
TakeWaiter(uint32 id, int32 linkId = -1)
{
	std::lock_guard<std::mutex> guard(sState.lock);
	auto it = sState.waiters.find(id);
	if (it == sState.waiters.end()
		|| (linkId >= 0 && it->second.link != linkId))
		return NULL;
	ReplySlot* slot = it->second.slot;
	sState.waiters.erase(it);
	return slot;
}


// Answers a request from another program over the link it came by. A
// reply that waits for an answer itself goes as a request: its slot waits
// under a new id for the answer to come back by the same link.
void
ForwardReply(ReplySlot* slot, BMessage* reply)
{
	ReplySlot* answer = MessageAccess::ReplySlotOf(reply);
	if (answer == NULL) {
		QueueFrame(slot->linkId, kFrameReply, slot->replyId, -1, *reply);
		delete reply;
		return;
	}
	uint32 id = AddWaiter(answer, slot->linkId);
	// The answer comes over the link, not from this copy.
	MessageAccess::SetReplySlot(reply, NULL);
	if (QueueFrame(slot->linkId, kFrameReplyRequest, slot->replyId,
			(int32)id, *reply) != B_OK) {
		ReplySlot* lost = TakeWaiter(id);
		if (lost != NULL) {
			std::vector<ReplySlot*> orphans = { lost };
			AnswerOrphans(orphans);
		}
	}
	delete reply;
}


void
SendError(int32 linkId, uint32 replyId, status_t error)
{
	BMessage reply(B_REPLY);
	reply.AddInt32("error", error);
	QueueFrame(linkId, kFrameReply, replyId, -1, reply);
}


void
HandleFrame(Link* link, int32 linkId, LinkFrame& frame)
{
	if (frame.kind == kFrameReply || frame.kind == kFrameReplyRequest) {
		MessageAccess::SetSourceTeam(frame.message.get(), link->peer);
		if (frame.kind == kFrameReplyRequest) {
			// Whoever gets this reply answers it over the same link; if
			// nobody does, its deletion answers B_NO_REPLY.
			ReplySlot* answer = new ReplySlot;
			answer->forward = ForwardReply;
			answer->linkId = linkId;
			answer->replyId = (uint32)frame.looperToken;
			MessageAccess::SetReplySlot(frame.message.get(), answer);
			answer->Release();
		}
		ReplySlot* slot = TakeWaiter(frame.replyId, linkId);
		if (slot != NULL) {
			slot->Deliver(frame.message.release());
			slot->Release();
		}
		return;
	}

	if (frame.hasPointers) {
		// An address in another program means nothing here.
		fprintf(stderr, "app kit: refused a message with pointer fields "
			"from process %d\n", (int)link->peer);
		if (frame.kind == kFrameRequest)
			SendError(linkId, frame.replyId, B_NOT_ALLOWED);
		return;
	}

	BMessage* message = frame.message.release();
	MessageAccess::ClearDeliveryState(message);
	// Without a reply address the message still came from the peer.
	MessageAccess::SetSourceTeam(message, link->peer);
	if (frame.kind == kFrameRequest) {
		ReplySlot* slot = new ReplySlot;
		slot->forward = ForwardReply;
		slot->linkId = linkId;
		slot->replyId = frame.replyId;
		MessageAccess::SetReplySlot(message, slot);
		slot->Release();
	}
	int32 looper = frame.looperToken;
	if (looper == kApplicationLooperToken) {
		// Through the GUI thread, where window specifiers are resolved.
		route_application_message(message, sState.applicationToken);
		return;
	}
	// A message nobody takes is deleted; a waiting sender gets B_NO_REPLY.
	if (post_to_looper_token(looper, message) != B_OK)
		delete message;
}


void
AcceptPeers(int listenFd)
{
	for (;;) {
		int fd = accept4(listenFd, NULL, NULL, SOCK_NONBLOCK | SOCK_CLOEXEC);
		if (fd < 0) {
			if (errno == EINTR)
				continue;
			return;
		}
		ucred credentials;
		if (!PeerCredentials(fd, &credentials)
			|| credentials.uid != getuid()) {
			// Only programs of our own user may send us messages.
			sState.refused++;
			fprintf(stderr, "app kit: refused a connection from user %d\n",
				(int)credentials.uid);
			close(fd);
			continue;
		}
		std::lock_guard<std::mutex> guard(sState.lock);
		AddLink(fd, credentials.pid, false);
	}
}


void
ReadLink(int32 linkId)
{
	// The link stays alive while its frames are handled, even if a sender
	// gives it up meanwhile; its descriptor is closed by this thread only.
	std::shared_ptr<Link> holder;
	{
		std::lock_guard<std::mutex> guard(sState.lock);
		auto it = sState.links.find(linkId);
		if (it == sState.links.end())
			return;
		holder = it->second;
	}
	Link* link = holder.get();
	int fd = link->fd;
	team_id peer = link->peer;
	bool broken = false;
	std::vector<LinkFrame> frames;
	char buffer[kReadChunk];
	for (int round = 0; round < 16 && !broken; round++) {
		ssize_t length = recv(fd, buffer, sizeof(buffer), MSG_DONTWAIT);
		if (length < 0) {
			if (errno == EINTR)
				continue;
			broken = errno != EAGAIN && errno != EWOULDBLOCK;
			break;
		}
		if (length == 0) {
			broken = true;
			break;
		}
		if (link->reader.Feed(buffer, length, frames) != B_OK) {
			fprintf(stderr, "app kit: dropped the link to process %d: not a "
				"message stream\n", (int)peer);
			broken = true;
		}
		if (!frames.empty() && !link->routed) {
			std::lock_guard<std::mutex> guard(sState.lock);
			link->routed = true;
			if (sState.routes.find(peer) == sState.routes.end())
				sState.routes[peer] = linkId;
		}
		for (LinkFrame& frame : frames)
			HandleFrame(link, linkId, frame);
		frames.clear();
		if ((size_t)length < sizeof(buffer))
			break;
	}
	if (broken) {
		std::vector<ReplySlot*> orphans;
		{
			std::lock_guard<std::mutex> guard(sState.lock);
			RemoveLink(linkId, orphans);
		}
		AnswerOrphans(orphans);
	}
}


status_t
IoThread(void*)
{
	std::vector<pollfd> fds;
	std::vector<int32> ids;
	for (;;) {
		int listenFd;
		fds.clear();
		ids.clear();
		{
			std::lock_guard<std::mutex> guard(sState.lock);
			for (int fd : sState.closing)
				close(fd);
			sState.closing.clear();
			listenFd = sState.listenFd;
			fds.push_back({ sState.wakeFd, POLLIN, 0 });
			ids.push_back(-1);
			if (listenFd >= 0) {
				fds.push_back({ listenFd, POLLIN, 0 });
				ids.push_back(-2);
			}
			for (const auto& entry : sState.links) {
				short events = POLLIN;
				if (!entry.second->out.empty())
					events |= POLLOUT;
				fds.push_back({ entry.second->fd, events, 0 });
				ids.push_back(entry.first);
			}
		}
		if (poll(fds.data(), fds.size(), -1) < 0) {
			if (errno != EINTR)
				snooze(10000);
			continue;
		}
		for (size_t i = 0; i < fds.size(); i++) {
			if (fds[i].revents == 0)
				continue;
			if (ids[i] == -1) {
				uint64 count;
				ssize_t length = read(sState.wakeFd, &count, sizeof(count));
				(void)length;
			} else if (ids[i] == -2) {
				AcceptPeers(listenFd);
			} else {
				if ((fds[i].revents & POLLOUT) != 0) {
					std::vector<ReplySlot*> orphans;
					{
						std::lock_guard<std::mutex> guard(sState.lock);
						auto it = sState.links.find(ids[i]);
						if (it != sState.links.end() && !WritePending(it->second.get()))
							RemoveLink(ids[i], orphans);
					}
					AnswerOrphans(orphans);
				}
				if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0)
					ReadLink(ids[i]);
			}
		}
	}
	return B_OK;
}


void
FlushAtExit()
{
	RemoteLinks::Flush(2000000);
}


// With the state's lock held.
void
StartThread()
{
	if (sState.threadStarted)
		return;
	sState.wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
	thread_id thread = spawn_thread(IoThread, "app links", B_NORMAL_PRIORITY,
		NULL);
	if (thread < 0)
		return;
	resume_thread(thread);
	sState.threadStarted = true;
	// A program that posts and ends at once still gets its frames out.
	atexit(FlushAtExit);
}


// The link to the program, made if need be; -1 if it cannot be reached.
int32
LinkTo(team_id team)
{
	{
		std::lock_guard<std::mutex> guard(sState.lock);
		auto route = sState.routes.find(team);
		if (route != sState.routes.end())
			return route->second;
	}
	if (!ProcessExists(team))
		return -1;
	std::string folder = RuntimeFolder(NULL);
	std::string name;
	for (const auto& entry : ListSockets(folder, kSocketPrefix)) {
		if (entry.second == team) {
			name = entry.first;
			break;
		}
	}
	if (name.empty())
		return -1;
	int fd = ConnectTo(folder, name);
	if (fd < 0) {
		if (fd == -ECONNREFUSED)
			unlink((folder + "/" + name).c_str());
		return -1;
	}

	std::lock_guard<std::mutex> guard(sState.lock);
	// Another thread may have made the link meanwhile: keep the first.
	auto route = sState.routes.find(team);
	if (route != sState.routes.end()) {
		close(fd);
		return route->second;
	}
	StartThread();
	Link* link = AddLink(fd, team, true);
	Wake();
	return link->id;
}


struct WaitCookie {
	ReplySlot*	slot;
	bigtime_t	deadline;
};


bool
WaitDone(void* data)
{
	WaitCookie* cookie = (WaitCookie*)data;
	std::lock_guard<std::mutex> guard(cookie->slot->lock);
	return cookie->slot->done || system_time() >= cookie->deadline;
}

}	// namespace


status_t
RemoteLinks::Listen(const char* signature, int32 applicationToken,
	const char* folderName)
{
	if (signature == NULL)
		return B_BAD_VALUE;
	std::string folder = RuntimeFolder(folderName);
	if (folder.empty())
		return B_PERMISSION_DENIED;

	// Sockets of the signature that nobody listens on any more go first.
	FindApplications(signature, folder.c_str());

	// The socket is made under a name nobody looks for and gets its real
	// name once it listens: a connection refused always means stale.
	std::string name = SocketName(signature, (team_id)getpid());
	std::string path = folder + "/" + name;
	std::string temporary = "." + name + ".new";
	std::string temporaryPath = folder + "/" + temporary;
	unlink(temporaryPath.c_str());
	sockaddr_un address;
	int folderFd;
	if (!MakeAddress(folder, temporary, &address, &folderFd))
		return B_NAME_TOO_LONG;
	int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
	if (fd < 0) {
		if (folderFd >= 0)
			close(folderFd);
		return B_NO_MORE_FDS;
	}
	int result = bind(fd, (sockaddr*)&address, sizeof(address));
	int error = errno;
	if (folderFd >= 0)
		close(folderFd);
	if (result == 0) {
		chmod(temporaryPath.c_str(), 0600);
		result = listen(fd, 128);
		if (result == 0)
			result = rename(temporaryPath.c_str(), path.c_str());
		error = errno;
	}
	if (result != 0) {
		close(fd);
		unlink(temporaryPath.c_str());
		return error == EACCES ? B_PERMISSION_DENIED : B_ERROR;
	}

	std::lock_guard<std::mutex> guard(sState.lock);
	if (sState.listenFd >= 0) {
		sState.closing.push_back(sState.listenFd);
		unlink(sState.listenPath.c_str());
	}
	sState.listenFd = fd;
	sState.listenPath = path;
	sState.listenSignature = LowerCase(signature);
	sState.applicationToken = applicationToken;
	StartThread();
	Wake();
	return B_OK;
}


void
RemoteLinks::StopListening()
{
	std::lock_guard<std::mutex> guard(sState.lock);
	if (sState.listenFd < 0)
		return;
	unlink(sState.listenPath.c_str());
	sState.closing.push_back(sState.listenFd);
	sState.listenFd = -1;
	sState.listenPath.clear();
	sState.listenSignature.clear();
	sState.applicationToken = -1;
	Wake();
}


std::string
RemoteLinks::SocketPath()
{
	std::lock_guard<std::mutex> guard(sState.lock);
	return sState.listenPath;
}


std::string
RemoteLinks::SocketName(const char* signature, team_id team)
{
	char suffix[24];
	snprintf(suffix, sizeof(suffix), ".%d", (int)team);
	return SocketStem(signature) + suffix;
}


std::vector<team_id>
RemoteLinks::FindApplications(const char* signature, const char* folderName)
{
	std::vector<team_id> teams;
	if (signature == NULL)
		return teams;
	std::string folder = RuntimeFolder(folderName);
	if (folder.empty())
		return teams;
	std::vector<std::pair<time_t, team_id>> found;
	for (const auto& entry
			: ListSockets(folder, SocketStem(signature) + ".")) {
		std::string path = folder + "/" + entry.first;
		struct stat info;
		if (lstat(path.c_str(), &info) != 0 || !S_ISSOCK(info.st_mode))
			continue;
		if (entry.second == (team_id)getpid()) {
			if (path == SocketPath())
				found.push_back({ info.st_mtime, entry.second });
			continue;
		}
		// A socket of a program that has ended, or that nobody listens on
		// (the id may belong to another program by now), is stale.
		bool stale = !ProcessExists(entry.second);
		bool linked;
		{
			std::lock_guard<std::mutex> guard(sState.lock);
			linked = sState.routes.find(entry.second) != sState.routes.end();
		}
		if (!stale && linked) {
			found.push_back({ info.st_mtime, entry.second });
			continue;
		}
		if (!stale) {
			int fd = ConnectTo(folder, entry.first);
			stale = fd == -ECONNREFUSED;
			if (fd >= 0)
				close(fd);
			else if (!stale)
				continue;
		}
		if (stale) {
			unlink(path.c_str());
			continue;
		}
		found.push_back({ info.st_mtime, entry.second });
	}
	std::sort(found.begin(), found.end());
	for (const auto& entry : found)
		teams.push_back(entry.second);
	return teams;
}


team_id
RemoteLinks::FindApplication(const char* signature)
{
	for (team_id team : FindApplications(signature)) {
		if (team != (team_id)getpid())
			return team;
	}
	return -1;
}


bool
RemoteLinks::SignatureOf(team_id team, std::string& signature)
{
	if (team == (team_id)getpid()) {
		std::lock_guard<std::mutex> guard(sState.lock);
		signature = sState.listenSignature;
		return !signature.empty();
	}
	return false;
}


bool
RemoteLinks::IsReachable(team_id team)
{
	if (!ProcessExists(team))
		return false;
	{
		std::lock_guard<std::mutex> guard(sState.lock);
		if (sState.routes.find(team) != sState.routes.end())
			return true;
	}
	for (const auto& entry : ListSockets(RuntimeFolder(NULL), kSocketPrefix)) {
		if (entry.second == team)
			return true;
	}
	return false;
}


status_t
RemoteLinks::Post(team_id team, int32 looperToken, const BMessage& message)
{
	int32 link = LinkTo(team);
	if (link < 0 || !ProcessExists(team))
		return B_BAD_PORT_ID;
	return QueueFrame(link, kFrameMessage, 0, looperToken, message);
}


status_t
RemoteLinks::SendAndWait(team_id team, int32 looperToken,
	const BMessage& message, BMessage* reply, bigtime_t timeout)
{
	int32 link = LinkTo(team);
	if (link < 0 || !ProcessExists(team))
		return B_BAD_PORT_ID;

	ReplySlot* slot = new ReplySlot;
	uint32 id = AddWaiter(slot, link);
	status_t status = QueueFrame(link, kFrameRequest, id, looperToken,
		message);
	if (status != B_OK && TakeWaiter(id) != NULL)
		slot->Release();

	bigtime_t deadline = timeout == B_INFINITE_TIMEOUT || timeout < 0
		? B_INFINITE_TIMEOUT : system_time() + timeout;
	if (status == B_OK) {
		if (is_gui_thread()) {
			WaitCookie cookie = { slot, deadline };
			run_nested_loop(WaitDone, &cookie);
		} else {
			std::unique_lock<std::mutex> guard(slot->lock);
			if (deadline == B_INFINITE_TIMEOUT)
				slot->changed.wait(guard, [&] { return slot->done; });
			else {
				slot->changed.wait_for(guard,
					std::chrono::microseconds(deadline - system_time()),
					[&] { return slot->done; });
			}
		}
	}

	BMessage* answer = NULL;
	{
		std::lock_guard<std::mutex> guard(slot->lock);
		if (slot->done) {
			answer = slot->reply;
			slot->reply = NULL;
		} else
			slot->abandoned = true;
	}
	if (answer == NULL && TakeWaiter(id) != NULL)
		slot->Release();
	slot->Release();
	if (status != B_OK)
		return status;
	if (answer == NULL)
		return B_TIMED_OUT;
	if (answer->what == B_NO_REPLY && answer->HasBool(kLinkLostField)) {
		delete answer;
		return B_BAD_PORT_ID;
	}
	*reply = *answer;
	MessageAccess::MoveReplyDuty(reply, answer);
	delete answer;
	return B_OK;
}


void
RemoteLinks::Flush(bigtime_t timeout)
{
	std::unique_lock<std::mutex> guard(sState.lock);
	sState.flushed.wait_for(guard, std::chrono::microseconds(timeout), [] {
		for (const auto& entry : sState.links) {
			if (!entry.second->out.empty())
				return false;
		}
		return true;
	});
}


int32
RemoteLinks::CountLinks()
{
	std::lock_guard<std::mutex> guard(sState.lock);
	return (int32)sState.links.size();
}


int32
RemoteLinks::CountRefusedPeers()
{
	return sState.refused;
}

}	// namespace BPrivate
