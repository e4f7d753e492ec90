// The MIME type, preferred application and application hint of a node.
#include <NodeInfo.h>

#include <string.h>

#include <Entry.h>
#include <MimeType.h>
#include <Node.h>
#include <Path.h>
#include <TypeConstants.h>

#include "StoragePrivate.h"

using namespace BPrivate;

static const char* kTypeAttribute = "BEOS:TYPE";
static const char* kPreferredAppAttribute = "BEOS:PREF_APP";
static const char* kAppHintAttribute = "BEOS:PPATH";


BNodeInfo::BNodeInfo()
	:
	fNode(NULL),
	fStatus(B_NO_INIT)
{
}


BNodeInfo::BNodeInfo(BNode* node)
	:
	fNode(NULL),
	fStatus(B_NO_INIT)
{
	SetTo(node);
}


BNodeInfo::~BNodeInfo()
{
}


status_t
BNodeInfo::SetTo(BNode* node)
{
	fNode = NULL;
	if (node == NULL || node->InitCheck() != B_OK)
		return fStatus = B_BAD_VALUE;
	fNode = node;
	return fStatus = B_OK;
}


status_t
BNodeInfo::InitCheck() const
{
	return fStatus;
}


status_t
BNodeInfo::GetType(char* type) const
{
	if (type == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;

	status_t status = read_string_attribute(fNode, kTypeAttribute, type,
		B_MIME_TYPE_LENGTH);
	if (status != B_ENTRY_NOT_FOUND)
		return status;

	// No type attribute: tell the type from the content and the name.
	BMimeType guessed;
	status = BMimeType::GuessMimeType(fNode->_Path(), &guessed);
	if (status != B_OK)
		return status;
	copy_to_buffer(type, guessed.Type(), B_MIME_TYPE_LENGTH);
	return B_OK;
}


status_t
BNodeInfo::SetType(const char* type)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (type != NULL && !BMimeType::IsValid(type))
		return B_BAD_VALUE;
	return write_string_attribute(fNode, kTypeAttribute, type);
}


status_t
BNodeInfo::GetPreferredApp(char* signature, app_verb verb) const
{
	if (signature == NULL || verb != B_OPEN)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	return read_string_attribute(fNode, kPreferredAppAttribute, signature,
		B_MIME_TYPE_LENGTH);
}


status_t
BNodeInfo::SetPreferredApp(const char* signature, app_verb verb)
{
	if (verb != B_OPEN)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (signature != NULL && !BMimeType::IsValid(signature))
		return B_BAD_VALUE;
	return write_string_attribute(fNode, kPreferredAppAttribute, signature);
}


status_t
BNodeInfo::GetAppHint(entry_ref* ref) const
{
	if (ref == NULL)
		return B_BAD_VALUE;
	if (fStatus != B_OK)
		return B_NO_INIT;
	char path[B_PATH_NAME_LENGTH];
	status_t status = read_string_attribute(fNode, kAppHintAttribute, path,
		sizeof(path));
	if (status != B_OK)
		return status;
	return get_ref_for_path(path, ref);
}


status_t
BNodeInfo::SetAppHint(const entry_ref* ref)
{
	if (fStatus != B_OK)
		return B_NO_INIT;
	if (ref == NULL)
		return write_string_attribute(fNode, kAppHintAttribute, NULL);
	BPath path(ref);
	if (path.InitCheck() != B_OK)
		return path.InitCheck();
	return write_string_attribute(fNode, kAppHintAttribute, path.Path());
}
