// MIME types and the per-user MIME database.
#include <MimeType.h>

#include <ctype.h>
#include <errno.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <QByteArray>
#include <QMimeDatabase>
#include <QMimeType>
#include <QString>

#include <Directory.h>
#include <Entry.h>
#include <File.h>
#include <FindDirectory.h>
#include <Node.h>
#include <Path.h>
#include <TypeConstants.h>

#include "StoragePrivate.h"

using namespace BPrivate;

static const char* kDatabaseFolder = "zelmora/mime";
static const char* kTypeAttribute = "META:TYPE";
static const char* kPreferredAppAttribute = "META:PREF_APP";
static const char* kAppHintAttribute = "META:PPATH";
static const char* kShortDescriptionAttribute = "META:S:DESC";

static const char* kPersonType = "application/x-person";
static const char* kDirectoryType = "application/x-vnd.Be-directory";
static const char* kSymlinkType = "application/x-vnd.Be-symlink";
static const char* kFallbackType = "application/octet-stream";


static bool
is_valid_mime_char(char c)
{
	return c > ' ' && c < 127 && strchr("/<>@,;:\"()[]?=\\", c) == NULL;
}


// The BeOS names for what the system's database calls otherwise: contact
// files are Person files, folders and links have their own types.
static std::string
beos_type_for(const QMimeType& type)
{
	if (!type.isValid())
		return kFallbackType;
	QString name = type.name();
	if (name == QLatin1String("text/vcard") || type.inherits("text/vcard")
		|| name == QLatin1String("text/x-vcard")
		|| name == QLatin1String("text/directory"))
		return kPersonType;
	if (name == QLatin1String("inode/directory"))
		return kDirectoryType;
	if (name == QLatin1String("inode/symlink"))
		return kSymlinkType;
	QByteArray bytes = name.toUtf8();
	if (!BMimeType::IsValid(bytes.constData()))
		return kFallbackType;
	return std::string(bytes.constData(), bytes.size());
}


BMimeType::BMimeType()
	:
	fType(NULL),
	fStatus(B_NO_INIT)
{
}


BMimeType::BMimeType(const char* mimeType)
	:
	fType(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(mimeType);
}


BMimeType::~BMimeType()
{
	free(fType);
}


status_t
BMimeType::SetTo(const char* mimeType)
{
	Unset();
	if (mimeType == NULL)
		return fStatus = B_BAD_VALUE;
	if (!IsValid(mimeType))
		return fStatus = B_BAD_VALUE;
	fType = strdup(mimeType);
	return fStatus = fType != NULL ? B_OK : B_NO_MEMORY;
}


void
BMimeType::Unset()
{
	free(fType);
	fType = NULL;
	fStatus = B_NO_INIT;
}


status_t
BMimeType::InitCheck() const
{
	return fStatus;
}


const char*
BMimeType::Type() const
{
	return fType;
}


bool
BMimeType::IsValid() const
{
	return fStatus == B_OK && IsValid(fType);
}


bool
BMimeType::IsSupertypeOnly() const
{
	return fStatus == B_OK && strchr(fType, '/') == NULL;
}


status_t
BMimeType::GetSupertype(BMimeType* supertype) const
{
	if (supertype == NULL)
		return B_BAD_VALUE;
	supertype->Unset();
	if (fStatus != B_OK)
		return B_NO_INIT;
	const char* slash = strchr(fType, '/');
	if (slash == NULL)
		return B_BAD_VALUE;
	std::string super(fType, slash - fType);
	return supertype->SetTo(super.c_str());
}


bool
BMimeType::Contains(const BMimeType* type) const
{
	if (type == NULL || fStatus != B_OK || type->fStatus != B_OK)
		return false;
	if (*this == *type)
		return true;
	BMimeType super;
	return IsSupertypeOnly() && type->GetSupertype(&super) == B_OK
		&& super == *this;
}


bool
BMimeType::operator==(const BMimeType& type) const
{
	if (fStatus != B_OK || type.fStatus != B_OK)
		return fStatus != B_OK && type.fStatus != B_OK;
	return strcasecmp(fType, type.fType) == 0;
}


bool
BMimeType::operator==(const char* type) const
{
	BMimeType other;
	if (type != NULL)
		other.SetTo(type);
	return *this == other;
}


bool
BMimeType::IsInstalled() const
{
	char path[PATH_MAX];
	struct stat st;
	return _FilePath(path, sizeof(path), false) == B_OK
		&& stat(path, &st) == 0;
}


status_t
BMimeType::Install()
{
	char path[PATH_MAX];
	status_t status = _FilePath(path, sizeof(path), true);
	if (status != B_OK)
		return status;
	struct stat st;
	if (stat(path, &st) == 0)
		return B_FILE_EXISTS;

	if (IsSupertypeOnly())
		status = create_directory(path, 0700);
	else {
		BFile file(path, B_READ_WRITE | B_CREATE_FILE | B_FAIL_IF_EXISTS);
		status = file.InitCheck();
	}
	if (status != B_OK)
		return status;
	return _WriteString(kTypeAttribute, fType);
}


status_t
BMimeType::Delete()
{
	char path[PATH_MAX];
	status_t status = _FilePath(path, sizeof(path), false);
	if (status != B_OK)
		return status;
	BEntry entry(path);
	if (!entry.Exists())
		return B_ENTRY_NOT_FOUND;
	return entry.Remove();
}


status_t
BMimeType::GetPreferredApp(char* signature, app_verb verb) const
{
	if (signature == NULL || verb != B_OPEN)
		return B_BAD_VALUE;
	return _ReadString(kPreferredAppAttribute, signature, B_MIME_TYPE_LENGTH);
}


status_t
BMimeType::SetPreferredApp(const char* signature, app_verb verb)
{
	if (verb != B_OPEN || (signature != NULL && !IsValid(signature)))
		return B_BAD_VALUE;
	return _WriteString(kPreferredAppAttribute, signature);
}


status_t
BMimeType::GetAppHint(entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	char path[B_PATH_NAME_LENGTH];
	status_t status = _ReadString(kAppHintAttribute, path, sizeof(path));
	if (status != B_OK)
		return status;
	return get_ref_for_path(path, ref);
}


status_t
BMimeType::SetAppHint(const entry_ref* ref)
{
	if (ref == NULL)
		return _WriteString(kAppHintAttribute, NULL);
	BPath path(ref);
	if (path.InitCheck() != B_OK)
		return path.InitCheck();
	return _WriteString(kAppHintAttribute, path.Path());
}


status_t
BMimeType::GetShortDescription(char* description) const
{
	if (description == NULL)
		return B_BAD_VALUE;
	return _ReadString(kShortDescriptionAttribute, description,
		B_MIME_TYPE_LENGTH);
}


status_t
BMimeType::SetShortDescription(const char* description)
{
	if (description != NULL && strlen(description) >= B_MIME_TYPE_LENGTH)
		return B_BAD_VALUE;
	return _WriteString(kShortDescriptionAttribute, description);
}


bool
BMimeType::IsValid(const char* mimeType)
{
	if (mimeType == NULL)
		return false;
	size_t length = strlen(mimeType);
	if (length == 0 || length >= B_MIME_TYPE_LENGTH)
		return false;
	bool foundSlash = false;
	for (size_t i = 0; i < length; i++) {
		if (mimeType[i] == '/') {
			if (foundSlash || i == 0 || i == length - 1)
				return false;
			foundSlash = true;
		} else if (!is_valid_mime_char(mimeType[i]))
			return false;
	}
	return true;
}


status_t
BMimeType::GuessMimeType(const entry_ref* file, BMimeType* type)
{
	if (file == NULL || type == NULL)
		return B_BAD_VALUE;
	BPath path(file);
	if (path.InitCheck() != B_OK)
		return path.InitCheck();
	return GuessMimeType(path.Path(), type);
}


status_t
BMimeType::GuessMimeType(const void* buffer, int32 length, BMimeType* type)
{
	if (buffer == NULL || length < 0 || type == NULL)
		return B_BAD_VALUE;
	QMimeDatabase database;
	QMimeType guessed = database.mimeTypeForData(
		QByteArray::fromRawData((const char*)buffer, length));
	return type->SetTo(beos_type_for(guessed).c_str());
}


status_t
BMimeType::GuessMimeType(const char* filename, BMimeType* type)
{
	if (filename == NULL || type == NULL)
		return B_BAD_VALUE;
	struct stat st;
	if (lstat(filename, &st) == 0 && S_ISLNK(st.st_mode)
		&& stat(filename, &st) != 0)
		return type->SetTo(kSymlinkType);

	QMimeDatabase database;
	QMimeType guessed = database.mimeTypeForFile(
		QString::fromLocal8Bit(filename));
	return type->SetTo(beos_type_for(guessed).c_str());
}


// The database file of this type: <database>/<supertype>[/<subtype>], in
// lower case. With create, the folders on the way are made.
status_t
BMimeType::_FilePath(char* path, size_t size, bool create) const
{
	if (fStatus != B_OK)
		return B_NO_INIT;

	std::string type = fType;
	for (char& c : type)
		c = tolower((unsigned char)c);
	// Names starting with a dot would be hidden files or, as "." and "..",
	// lead out of the database.
	size_t slash = type.find('/');
	if (type[0] == '.'
		|| (slash != std::string::npos && type[slash + 1] == '.'))
		return B_BAD_VALUE;

	BPath root;
	status_t status = find_directory(B_USER_DATA_DIRECTORY, &root);
	if (status == B_OK)
		status = root.Append(kDatabaseFolder);
	if (status != B_OK)
		return status;
	std::string result = join_path(root.Path(), type.c_str());
	if (result.size() >= size)
		return B_NAME_TOO_LONG;

	if (create) {
		std::string folder = slash != std::string::npos
			? join_path(root.Path(), type.substr(0, slash).c_str())
			: std::string(root.Path());
		status = create_directory(folder.c_str(), 0700);
		if (status != B_OK)
			return status;
	}
	memcpy(path, result.c_str(), result.size() + 1);
	return B_OK;
}


status_t
BMimeType::_ReadString(const char* attr, char* buffer, size_t size) const
{
	char path[PATH_MAX];
	status_t status = _FilePath(path, sizeof(path), false);
	if (status != B_OK)
		return status;
	BNode node(path);
	if (node.InitCheck() != B_OK)
		return node.InitCheck();
	return read_string_attribute(&node, attr, buffer, size);
}


// Writes a text attribute of the type's file, installing the type first
// if need be; NULL removes the attribute.
status_t
BMimeType::_WriteString(const char* attr, const char* value)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (!IsInstalled()) {
		status_t status = Install();
		if (status != B_OK && status != B_FILE_EXISTS)
			return status;
	}
	char path[PATH_MAX];
	status_t status = _FilePath(path, sizeof(path), false);
	if (status != B_OK)
		return status;
	BNode node(path);
	if (node.InitCheck() != B_OK)
		return node.InitCheck();
	return write_string_attribute(&node, attr, value);
}
