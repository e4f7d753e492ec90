// The settings store on the typed attributes of one file.
#include "Prefs.h"

#include <stdio.h>
#include <string.h>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <Path.h>
#include <TypeConstants.h>

const char* const kDefaultMwsIp = "192.168.1.250";
const char* const kPrefsFolder = "_LP_x-vnd.KQ";
const char* const kPrefsFile = "ZLM_settings";

Prefs* Prefs::aPrefsZgr = NULL;

static const char* const kDefaultLogo = "/boot/home/logoimage";

// Defaults written for keys the file lacks.
static const BRect kDefaultRect(100, 100, 415, 329);
static const bool kDefaultByBegin = false;
static const int32 kDefaultTimeFormat = 0;
static const int32 kDefaultWorkspace = -1;
static const bool kDefaultMwsUse = true;
static const bool kDefaultTimeAcc = false;
static const int32 kDefaultTagsUseDoor = 1;
static const int32 kDefaultOpenInSecs = 1;
static const int32 kDefaultPayday = 28;

// The main window's own default frame (left 30, top 50, width 400, height
// 25 rows of 21 pixels): what the store holds before anything is loaded.
static const BRect kInitialRect(30, 50, 30 + 400, 50 + 25 * 21);

static const char kHello[] = "Hello !\n";


// The system's text for a status code of the kits.
static const char*
status_text(status_t status)
{
	switch (status) {
		case B_OK:					return "No error";
		case B_ERROR:				return "General system error";
		case B_NO_MEMORY:			return "Out of memory";
		case B_IO_ERROR:			return "I/O error";
		case B_PERMISSION_DENIED:	return "Permission denied";
		case B_BAD_VALUE:			return "Invalid Argument";
		case B_NOT_ALLOWED:			return "Operation not allowed";
		case B_BAD_TYPE:			return "Bad type";
		case B_BAD_DATA:			return "Bad data";
		case B_FILE_ERROR:			return "Bad file descriptor";
		case B_FILE_EXISTS:			return "File or Directory already exists";
		case B_ENTRY_NOT_FOUND:		return "No such file or directory";
		case B_NAME_TOO_LONG:		return "File or Directory name too long";
		case B_NOT_A_DIRECTORY:		return "Not a directory";
		case B_IS_A_DIRECTORY:		return "Is a directory";
		case B_DEVICE_FULL:			return "No space left on device";
		case B_READ_ONLY_DEVICE:	return "Read-only file system";
		case B_NO_MORE_FDS:			return "Too many open files";
		case B_LINK_LIMIT:			return "Too many symbolic links";
		case B_UNSUPPORTED:			return "Operation not supported";
		case B_NO_INIT:				return "Initialization failed";
		case B_BUSY:				return "Device/File/Resource busy";
		case B_INTERRUPTED:			return "Interrupted system call";
		default:					return "Unknown error";
	}
}


// Copies text into a buffer of size bytes, cut to fit, always terminated.
static void
copy_text(char* buffer, const char* text, size_t size)
{
	if (text == NULL)
		text = "";
	size_t length = strnlen(text, size - 1);
	memmove(buffer, text, length);
	buffer[length] = '\0';
}


Prefs*
Prefs::getSTPrefs()
{
	if (aPrefsZgr == NULL) {
		aPrefsZgr = new Prefs();
		return aPrefsZgr;
	}
	printf("GOT SINGLETON-Prefs\n");
	return aPrefsZgr;
}


Prefs::Prefs()
	:
	prefs_window_rect(kInitialRect),
	window_by_begin(true),
	time_format(1),
	on_workspace(-1),
	logo_loma(new char[kLogoSize]),
	mws_use(true),
	mws_ip(new char[kMwsIpSize]),
	TagsUseDoor(1),
	OpenInSecs(1),
	gTimeAcc(false),
	Payday(28),
	fError(false),
	fFile(NULL)
{
	copy_text(logo_loma, kDefaultLogo, kLogoSize);
	copy_text(mws_ip, kDefaultMwsIp, kMwsIpSize);

	_OpenFile();
	LoadPrefs();
	if (fError) {
		// Usually the folder is missing: make it and the file, then store
		// what the fields hold and read it back.
		_CloseFile();
		InitCheck();
		_OpenFile();
		Save();
		LoadPrefs();
	}
}


Prefs::~Prefs()
{
	_CloseFile();
	delete[] logo_loma;
	delete[] mws_ip;
}


void
Prefs::DeleteMe()
{
	if (aPrefsZgr == this)
		aPrefsZgr = NULL;
	delete this;
	printf("DESTROY SINGLETON-Prefs\n");
}


bool
Prefs::LoadPrefs()
{
	if (!GetRect("prefs_window_rect", &prefs_window_rect, &kDefaultRect)
		|| !GetBool("window_by_begin", &window_by_begin, &kDefaultByBegin)
		|| !GetInt("time_format", &time_format, &kDefaultTimeFormat)
		|| !GetInt("on_workspace", &on_workspace, &kDefaultWorkspace)) {
		fError = true;
		return false;
	}

	copy_text(logo_loma, kDefaultLogo, kLogoSize);
	copy_text(mws_ip, kDefaultMwsIp, kMwsIpSize);
	if (!GetStr("logo_loma", logo_loma, logo_loma, kLogoSize)
		|| !GetStr("mws_ip", mws_ip, mws_ip, kMwsIpSize)
		|| !GetBool("mws_use", &mws_use, &kDefaultMwsUse)
		|| !GetBool("gTimeAcc", &gTimeAcc, &kDefaultTimeAcc)
		|| !GetInt("TagsUseDoor", &TagsUseDoor, &kDefaultTagsUseDoor)
		|| !GetInt("OpenInSecs", &OpenInSecs, &kDefaultOpenInSecs)
		|| !GetInt("Payday", &Payday, &kDefaultPayday)) {
		fError = true;
		return false;
	}
	return true;
}


bool
Prefs::Save()
{
	if (!PutRect("prefs_window_rect", &prefs_window_rect)
		|| !PutBool("window_by_begin", &window_by_begin)
		|| !PutInt("on_workspace", &on_workspace)
		|| !PutInt("time_format", &time_format)
		|| !PutStr("logo_loma", logo_loma)
		|| !PutBool("mws_use", &mws_use)
		|| !PutStr("mws_ip", mws_ip)
		|| !PutInt("TagsUseDoor", &TagsUseDoor)
		|| !PutInt("OpenInSecs", &OpenInSecs)
		|| !PutInt("Payday", &Payday)
		|| !PutBool("gTimeAcc", &gTimeAcc))
		return false;
	printf("Prefs -Save ok\n");
	return true;
}


bool
Prefs::SaveWin()
{
	return PutRect("prefs_window_rect", &prefs_window_rect)
		&& PutInt("on_workspace", &on_workspace)
		&& PutStr("logo_loma", logo_loma);
}


void
Prefs::InitCheck()
{
	BPath folder;
	if (_SettingsFolder(true, &folder) != B_OK) {
		printf("[init error]\n");
		return;
	}

	BDirectory directory(folder.Path());
	if (directory.InitCheck() != B_OK) {
		create_directory(folder.Path(), 0755);
		directory.SetTo(folder.Path());
		printf(">> musste machen: %s\n", folder.Path());
	} else
		printf(">> schon da: %s\n", folder.Path());

	BPath path(folder);
	path.Append(kPrefsFile);
	printf("[Path:%s]\n", path.Path());

	BEntry entry;
	if (directory.FindEntry(kPrefsFile, &entry) != B_OK) {
		printf("[File not found]\n");
		BFile file(path.Path(), B_READ_WRITE | B_CREATE_FILE);
		if (directory.CreateFile(kPrefsFile, &file, false) == B_OK)
			printf("[File created]\n");
	} else {
		BFile file(path.Path(), B_READ_WRITE | B_CREATE_FILE);
		if (file.InitCheck() != B_OK)
			printf("[init error]\n");
		else {
			printf("[File found]\n");
			file.WriteAt(0, kHello, sizeof(kHello) - 1);
		}
	}
}


bool
Prefs::GetInt(const char* key, int32* dest, const int32* def)
{
	return _Read(key, B_INT32_TYPE, dest, sizeof(int32), def);
}


bool
Prefs::GetBool(const char* key, bool* dest, const bool* def)
{
	// One byte on disk; any value but 0 reads as true.
	uint8 byte = *dest ? 1 : 0;
	uint8 defaultByte = *def ? 1 : 0;
	bool result = _Read(key, B_BOOL_TYPE, &byte, 1, &defaultByte);
	*dest = byte != 0;
	return result;
}


bool
Prefs::GetRect(const char* key, BRect* dest, const BRect* def)
{
	float value[4] = { dest->left, dest->top, dest->right, dest->bottom };
	float defaultValue[4] = { def->left, def->top, def->right, def->bottom };
	bool result = _Read(key, B_RECT_TYPE, value, sizeof(value), defaultValue);
	dest->Set(value[0], value[1], value[2], value[3]);
	return result;
}


bool
Prefs::GetStr(const char* key, char* dest, const char* def, size_t size)
{
	if (size == 0)
		return false;
	// The default may live in dest itself: keep a copy before reading.
	char defaultText[kLogoSize > kMwsIpSize ? kLogoSize : kMwsIpSize];
	copy_text(defaultText, def, size < sizeof(defaultText)
		? size : sizeof(defaultText));

	ssize_t result = fFile != NULL
		? fFile->ReadAttr(key, B_STRING_TYPE, 0, dest, size - 1)
		: (ssize_t)B_FILE_ERROR;
	if (result >= 0) {
		// The text ends at its first zero byte or at the attribute's end.
		dest[result] = '\0';
	} else if (result == B_ENTRY_NOT_FOUND)
		copy_text(dest, defaultText, size);
	// A default text is written without its terminator.
	return _Settle(key, B_STRING_TYPE, result, dest, strlen(dest));
}


bool
Prefs::PutInt(const char* key, const int32* value)
{
	return _Write(key, B_INT32_TYPE, value, sizeof(int32));
}


bool
Prefs::PutBool(const char* key, const bool* value)
{
	uint8 byte = *value ? 1 : 0;
	return _Write(key, B_BOOL_TYPE, &byte, 1);
}


bool
Prefs::PutRect(const char* key, const BRect* value)
{
	float data[4] = { value->left, value->top, value->right, value->bottom };
	return _Write(key, B_RECT_TYPE, data, sizeof(data));
}


bool
Prefs::PutStr(const char* key, const char* value)
{
	if (value == NULL)
		value = "";
	ssize_t result = WriteAttribute(key, B_STRING_TYPE, value,
		strlen(value) + 1);
	if (result >= 0)
		return true;
	printf("Unknown error writing %s '%s' \n%s\n", key, value,
		status_text(result));
	fError = true;
	return false;
}


void
Prefs::SetLogoLoma(const char* path)
{
	copy_text(logo_loma, path, kLogoSize);
}


void
Prefs::SetMwsIp(const char* address)
{
	copy_text(mws_ip, address, kMwsIpSize);
}


ssize_t
Prefs::WriteAttribute(const char* key, type_code type, const void* data,
	size_t length)
{
	if (fFile == NULL)
		return B_FILE_ERROR;
	return fFile->WriteAttr(key, type, 0, data, length);
}


// Reads a fixed-size value; a missing attribute gets the default.
bool
Prefs::_Read(const char* key, type_code type, void* dest, size_t length,
	const void* def)
{
	ssize_t result = fFile != NULL
		? fFile->ReadAttr(key, type, 0, dest, length)
		: (ssize_t)B_FILE_ERROR;
	if (result == B_ENTRY_NOT_FOUND && dest != def)
		memcpy(dest, def, length);
	return _Settle(key, type, result, dest, length);
}


// Ends a typed read: any byte count is a success; a missing attribute
// (dest holds its default by now) is written to the file; anything else is
// an error.
bool
Prefs::_Settle(const char* key, type_code type, ssize_t result,
	const void* dest, size_t length)
{
	if (result >= 0)
		return true;
	if (result == B_ENTRY_NOT_FOUND) {
		if (WriteAttribute(key, type, dest, length) >= 0)
			return true;
		printf("WriteAttr on %s died\n", key);
		fError = true;
		return false;
	}
	printf("Unknown error reading %s:\n%s\n", key, status_text(result));
	fError = true;
	return false;
}


bool
Prefs::_Write(const char* key, type_code type, const void* data,
	size_t length)
{
	ssize_t result = WriteAttribute(key, type, data, length);
	if (result >= 0)
		return true;
	printf("Unknown error writing %s:\n%s\n", key, status_text(result));
	fError = true;
	return false;
}


// Opens the settings file for reading and writing, making the file (not
// its folder) when it is missing.
void
Prefs::_OpenFile()
{
	BPath path;
	if (_SettingsFolder(false, &path) == B_OK)
		path.Append(kPrefsFile);
	fFile = new BFile(path.Path() != NULL ? path.Path() : "",
		B_READ_WRITE | B_CREATE_FILE);
}


void
Prefs::_CloseFile()
{
	delete fFile;
	fFile = NULL;
}


// The settings folder "_LP_x-vnd.KQ"; with create the user settings folder
// it lies in is made if it is missing (not the folder itself).
status_t
Prefs::_SettingsFolder(bool create, BPath* path)
{
	status_t status = find_directory(B_USER_SETTINGS_DIRECTORY, path,
		create);
	if (status != B_OK)
		return status;
	return path->Append(kPrefsFolder);
}
