// The MIME type, preferred application and application hint of a node.
#ifndef _NODE_INFO_H
#define _NODE_INFO_H

#include <Mime.h>
#include <SupportDefs.h>

class BNode;
struct entry_ref;

class BNodeInfo {
public:
								BNodeInfo();
								BNodeInfo(BNode* node);
	virtual						~BNodeInfo();

			status_t			SetTo(BNode* node);
			status_t			InitCheck() const;

	// The type attribute "BEOS:TYPE"; a node without one is sniffed from
	// its content and name. type holds B_MIME_TYPE_LENGTH bytes.
	virtual	status_t			GetType(char* type) const;
	virtual	status_t			SetType(const char* type);

	virtual	status_t			GetPreferredApp(char* signature,
									app_verb verb = B_OPEN) const;
	virtual	status_t			SetPreferredApp(const char* signature,
									app_verb verb = B_OPEN);
	virtual	status_t			GetAppHint(entry_ref* ref) const;
	virtual	status_t			SetAppHint(const entry_ref* ref);

private:
			BNode*				fNode;
			status_t			fStatus;
};

#endif	// _NODE_INFO_H
