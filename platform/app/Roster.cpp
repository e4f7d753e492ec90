// BRoster: the running applications of this user and how to start them.
#include <Roster.h>

#include <limits.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <Entry.h>
#include <Message.h>
#include <MimeType.h>
#include <OS.h>
#include <Path.h>
#include <Process.h>

#include "LinkFrame.h"
#include "RemoteLinks.h"

using BPrivate::RemoteLinks;

namespace {

BRoster sRoster;


// How long a started program has to open its socket before a message
// given to Launch is sent to it.
const bigtime_t kStartTimeout = 5000000;

}	// namespace

const BRoster* be_roster = &sRoster;


BRoster::BRoster()
{
}


BRoster::~BRoster()
{
}


bool
BRoster::IsRunning(const char* signature) const
{
	return TeamFor(signature) >= 0;
}


team_id
BRoster::TeamFor(const char* signature) const
{
	std::vector<team_id> teams = RemoteLinks::FindApplications(signature);
	return teams.empty() ? B_ERROR : teams.front();
}


status_t
BRoster::GetAppInfo(const char* signature, app_info* info) const
{
	if (signature == NULL || info == NULL)
		return B_BAD_VALUE;
	team_id team = TeamFor(signature);
	if (team < 0)
		return B_ERROR;
	status_t status = GetRunningAppInfo(team, info);
	if (status == B_OK) {
		strncpy(info->signature, signature, sizeof(info->signature) - 1);
		info->signature[sizeof(info->signature) - 1] = '\0';
	}
	return status;
}


status_t
BRoster::GetRunningAppInfo(team_id team, app_info* info) const
{
	if (info == NULL || team <= 0)
		return B_BAD_VALUE;
	if (!RemoteLinks::IsReachable(team))
		return B_BAD_TEAM_ID;
	info->team = team;
	// The main thread of a process has the process's id.
	info->thread = team;
	info->port = -1;
	info->flags = B_REG_DEFAULT_APP_FLAGS;
	info->signature[0] = '\0';

	char link[64];
	snprintf(link, sizeof(link), "/proc/%d/exe", (int)team);
	char path[PATH_MAX];
	ssize_t length = readlink(link, path, sizeof(path) - 1);
	if (length <= 0)
		return B_ERROR;
	path[length] = '\0';
	return get_ref_for_path(path, &info->ref);
}


status_t
BRoster::Launch(const char* mimeType, BMessage* initialMessage,
	team_id* team) const
{
	return _Launch(mimeType, 0, NULL, initialMessage, team);
}


status_t
BRoster::Launch(const char* mimeType, int argc, const char* const* args,
	team_id* team) const
{
	return _Launch(mimeType, argc, args, NULL, team);
}


status_t
BRoster::_Launch(const char* mimeType, int argc, const char* const* args,
	BMessage* initialMessage, team_id* team) const
{
	if (mimeType == NULL || argc < 0 || (argc > 0 && args == NULL))
		return B_BAD_VALUE;

	// A file type is opened by its preferred application.
	std::string signature = mimeType;
	BMimeType type(mimeType);
	if (type.InitCheck() != B_OK)
		return B_BAD_VALUE;
	if (strncasecmp(mimeType, "application/", 12) != 0) {
		char preferred[B_MIME_TYPE_LENGTH];
		if (type.GetPreferredApp(preferred) != B_OK)
			return B_LAUNCH_FAILED_NO_PREFERRED_APP;
		signature = preferred;
	}

	team_id running = TeamFor(signature.c_str());
	if (running >= 0) {
		BMessenger target(signature.c_str(), running);
		if (argc > 0) {
			BMessage arguments(B_ARGV_RECEIVED);
			arguments.AddInt32("argc", argc + 1);
			arguments.AddString("argv", signature.c_str());
			for (int i = 0; i < argc; i++)
				arguments.AddString("argv", args[i]);
			char cwd[PATH_MAX];
			if (getcwd(cwd, sizeof(cwd)) != NULL)
				arguments.AddString("cwd", cwd);
			target.SendMessage(&arguments);
		}
		if (initialMessage != NULL)
			target.SendMessage(initialMessage);
		if (team != NULL)
			*team = running;
		return B_ALREADY_RUNNING;
	}

	BMimeType application(signature.c_str());
	entry_ref ref;
	if (application.GetAppHint(&ref) != B_OK)
		return B_LAUNCH_FAILED_APP_NOT_FOUND;
	BPath path(&ref);
	if (path.InitCheck() != B_OK || access(path.Path(), X_OK) != 0)
		return B_LAUNCH_FAILED_EXECUTABLE;

	std::vector<const char*> argv;
	argv.push_back(path.Path());
	for (int i = 0; i < argc; i++)
		argv.push_back(args[i]);
	argv.push_back(NULL);
	pid_t pid = -1;
	status_t status = BPrivate::start_program(argv.data(), false, NULL, &pid);
	if (status != B_OK)
		return B_LAUNCH_FAILED;
	if (team != NULL)
		*team = pid;

	if (initialMessage != NULL) {
		// The message waits until the new program listens.
		bigtime_t deadline = system_time() + kStartTimeout;
		while (system_time() < deadline) {
			BMessenger target(signature.c_str(), pid);
			if (target.IsValid()) {
				target.SendMessage(initialMessage);
				break;
			}
			snooze(20000);
		}
	}
	return B_OK;
}
