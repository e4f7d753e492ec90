// Relay control over HTTP: every switch runs wget on a worker thread of its
// own, reports to the application and, after an opening, asks for the close
// when the time is up.
#include "MWSControl.h"

#include <ctype.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <stdint.h>
#include <unistd.h>

#include <Application.h>
#include <FindDirectory.h>
#include <Message.h>
#include <OS.h>
#include <Path.h>
#include <Prefs.h>
#include <Process.h>

#include "RelayMessages.h"
#include "RelayQueue.h"

char MWS_RSTATUS[16] = "";
bool wgetChecked = false;
bool wgetFound = false;
char wgetPath[1024] = "";

static const char* const kInitialImage = "-xxxx---";
// Private field of the request: the worker's place in its relay's queue.
static const char* const kTurnField = "_turn";

// Longest host name, plus ":" and five port digits.
static const size_t kMaxAddressLength = 253 + 6;


// The image is read and written by several threads; single characters are
// stored and loaded whole.
static char
image_state(int32 relay)
{
	return __atomic_load_n(&MWS_RSTATUS[relay], __ATOMIC_RELAXED);
}


static void
set_image_state(int32 relay, char state)
{
	__atomic_store_n(&MWS_RSTATUS[relay], state, __ATOMIC_RELAXED);
}


static void
copy_image(char* copy)
{
	for (int i = 0; i < 16; i++)
		copy[i] = __atomic_load_n(&MWS_RSTATUS[i], __ATOMIC_RELAXED);
	copy[15] = '\0';
}


static bool
is_dotted_ipv4(const char* host, size_t length)
{
	int parts = 0;
	size_t i = 0;
	while (i < length) {
		int digits = 0;
		int value = 0;
		while (i < length && isdigit((unsigned char)host[i])) {
			value = value * 10 + (host[i] - '0');
			if (++digits > 3)
				return false;
			i++;
		}
		if (digits == 0 || value > 255)
			return false;
		parts++;
		if (i < length) {
			if (host[i] != '.' || i + 1 == length)
				return false;
			i++;
		}
	}
	return parts == 4;
}


static bool
is_host_name(const char* host, size_t length)
{
	if (length == 0 || length > 253)
		return false;
	size_t labelStart = 0;
	for (size_t i = 0; i <= length; i++) {
		if (i == length || host[i] == '.') {
			size_t labelLength = i - labelStart;
			if (labelLength == 0 || labelLength > 63
				|| host[labelStart] == '-' || host[i - 1] == '-')
				return false;
			labelStart = i + 1;
		} else if (!isalnum((unsigned char)host[i]) && host[i] != '-')
			return false;
	}
	return true;
}


bool
IsValidRelayAddress(const char* address)
{
	if (address == NULL)
		return false;
	size_t length = strnlen(address, kMaxAddressLength + 1);
	if (length == 0 || length > kMaxAddressLength)
		return false;

	size_t hostLength = length;
	const char* colon = (const char*)memchr(address, ':', length);
	if (colon != NULL) {
		hostLength = colon - address;
		const char* port = colon + 1;
		size_t portLength = length - hostLength - 1;
		if (portLength == 0 || portLength > 5)
			return false;
		long value = 0;
		for (size_t i = 0; i < portLength; i++) {
			if (!isdigit((unsigned char)port[i]))
				return false;
			value = value * 10 + (port[i] - '0');
		}
		if (value < 1 || value > 65535)
			return false;
	}

	// Digits and dots alone must make a real dotted address.
	bool numeric = true;
	for (size_t i = 0; i < hostLength; i++) {
		if (!isdigit((unsigned char)address[i]) && address[i] != '.')
			numeric = false;
	}
	if (numeric)
		return is_dotted_ipv4(address, hostLength);
	return is_host_name(address, hostLength);
}


// The address for a trace line: control characters shown as '?', cut.
static void
printable_address(const char* address, char* buffer, size_t size)
{
	size_t i = 0;
	for (; address[i] != '\0' && i + 1 < size; i++) {
		unsigned char c = (unsigned char)address[i];
		buffer[i] = c < 0x20 || c == 0x7f ? '?' : (char)c;
	}
	buffer[i] = '\0';
}


// Makes a fresh, unique file for wget's answer in the private runtime
// folder; false when there is none.
static bool
make_scratch_file(int32 key, char* path, size_t size)
{
	BPath folder;
	if (BPrivate::get_runtime_directory(&folder) != B_OK)
		return false;
	if (snprintf(path, size, "%s/mws%d.XXXXXX", folder.Path(), (int)key)
			>= (int)size)
		return false;
	int fd = mkostemp(path, O_CLOEXEC);
	if (fd < 0)
		return false;
	close(fd);
	return true;
}


// Runs one GET on the box; the result is wget's exit status, or -1 when
// wget could not be run at all.
static int
switch_relay(const char* ip, int32 relay, bool open)
{
	if (!IsValidRelayAddress(ip)) {
		char shown[80];
		printable_address(ip, shown, sizeof(shown));
		printf("NO VALID ADDRESS! {%s}\n", shown);
		return -1;
	}

	int32 key = relay + 2;
	char scratch[B_PATH_NAME_LENGTH];
	if (!make_scratch_file(key, scratch, sizeof(scratch)))
		return -1;

	char output[B_PATH_NAME_LENGTH + 32];
	snprintf(output, sizeof(output), "--output-document=%s", scratch);
	char url[kMaxAddressLength + 32];
	snprintf(url, sizeof(url), "http://%s/?%d=%d", ip, (int)key,
		open ? 0 : 1);

	// One try with wget's own timeouts (name look-up, connect and each
	// read), so a box that hangs ends the call after about 2 seconds; no
	// proxy, no redirection elsewhere, no configuration file.
	const char* argv[] = {
		wgetPath[0] != '\0' ? wgetPath : "wget",
		"-q", output, "--delete-after", "--timeout=2", "--tries=1",
		"--no-proxy", "--max-redirect=0", "--no-config",
		"--", url, NULL
	};
	int exitStatus = -1;
	status_t status = BPrivate::start_program(argv, true, &exitStatus);
	// wget leaves a named output file in place; it is ours to remove.
	unlink(scratch);
	if (status != B_OK)
		return -1;
	return exitStatus;
}


static void
send_to_app(BMessage* message)
{
	be_app_messenger.SendMessage(message);
}


void
Own_Thread(int relay, bool open, const char* ip, long delay)
{
	if (!wgetChecked) {
		wgetFound = BPrivate::find_program("wget", wgetPath,
			sizeof(wgetPath)) == B_OK;
		if (!wgetFound)
			wgetPath[0] = '\0';
		wgetChecked = true;
		printf("wget checked..\n");
	}
	if (!wgetFound) {
		printf("wget not availabel \n");
		return;
	}

	if (image_state(0) != '-') {
		strcpy(MWS_RSTATUS, kInitialImage);
		printf("init MWS_RSTATUS: '%s'\n", MWS_RSTATUS);
	}

	bool known = relay >= 1 && relay <= 4;
	if (known && open && image_state(relay) == 'o') {
		printf("%d schon auf! %s \n", relay, MWS_RSTATUS);
		return;
	}
	if (known && !open && image_state(relay) == 'x') {
		printf("%d schon zu!  %s \n", relay, MWS_RSTATUS);
		return;
	}

	if (delay < 0)
		delay = 0;
	else if (delay > INT32_MAX)
		delay = INT32_MAX;

	BMessage* message = new BMessage(kMsgRelayRequest);
	if (ip != NULL)
		message->AddString("ip", ip);
	message->AddInt32("rel", relay);
	message->AddBool("st", open);
	message->AddInt32("delay", (int32)delay);

	char name[B_OS_NAME_LENGTH];
	snprintf(name, sizeof(name), "mwsR%d", relay);
	thread_id thread = spawn_thread(DoWithMWS, name, B_LOW_PRIORITY, message);
	if (thread < 0) {
		printf("..thread-failure\n");
		delete message;
		return;
	}

	// The ticket is drawn here, in the order of the requests, not when the
	// worker happens to run.
	int64 ticket = -1;
	if (known) {
		ticket = RelayQueue::Take(relay);
		message->AddInt64(kTurnField, ticket);
	}
	if (resume_thread(thread) != B_OK) {
		printf("..thread-failure\n");
		if (known)
			RelayQueue::Abandon(relay, ticket);
		kill_thread(thread);
		delete message;
	}
}


status_t
DoWithMWS(void* data)
{
	BMessage* message = (BMessage*)data;
	if (message == NULL) {
		printf("BAD DATA-MESSAGE \n");
		return 0;
	}

	const char* ip;
	if (message->FindString("ip", &ip) != B_OK)
		ip = kDefaultMwsIp;
	int32 relay;
	if (message->FindInt32("rel", &relay) != B_OK)
		relay = 3;
	bool open;
	if (message->FindBool("st", &open) != B_OK)
		open = false;
	int32 delay;
	if (message->FindInt32("delay", &delay) != B_OK)
		delay = 1;

	if (relay < 1 || relay > 4) {
		printf("NO VALID RELAIS! {%d}\n", (int)relay);
		delete message;
		return 1;
	}

	int64 ticket;
	if (message->FindInt64(kTurnField, &ticket) != B_OK)
		ticket = RelayQueue::Take(relay);
	RelayQueue::WaitTurn(relay, ticket);

	// The image shows the new state while the box is asked; a switch that
	// failed leaves the relay undetermined, so neither state is refused
	// later.
	set_image_state(relay, open ? 'o' : 'x');
	int status = switch_relay(ip, relay, open);
	snooze(5000);
	if (status != 0)
		set_image_state(relay, 'u');
	char image[16];
	copy_image(image);

	// Reports of one relay leave in the order of its requests too. The turn
	// ends only once they are out, so whoever waits for the queue to go
	// idle (the window when the program ends) knows this worker is done.
	if (status != 0) {
		printf("%d | ausschalten, da es nicht antwortet \n", status);
		BMessage noAnswer(kMsgRelayNoAnswer);
		send_to_app(&noAnswer);
	}
	{
		BMessage switched(kMsgRelaySwitched);
		switched.AddInt32("relais", relay);
		switched.AddString("_rImage", image);
		if (open)
			switched.AddInt32("r_open", relay);
		send_to_app(&switched);
	}
	RelayQueue::Done(relay, ticket);

	if (open) {
		snooze((bigtime_t)(delay > 0 ? delay : 0) * 1000000);
		BMessage timeUp(kMsgRelayTimeUp);
		timeUp.AddInt32("relais", relay);
		timeUp.AddString("_rImage", image);
		send_to_app(&timeUp);
	}

	delete message;
	return 1;
}
