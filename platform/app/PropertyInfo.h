// BPropertyInfo: the table of scripting properties a handler understands,
// used to match a request and to describe the handler's suite.
#ifndef _PROPERTY_INFO_H
#define _PROPERTY_INFO_H

#include <SupportDefs.h>
#include <TypeConstants.h>

class BMessage;

struct property_info {
	const char*		name;
	uint32			commands[10];
	uint32			specifiers[10];
	const char*		usage;
	uint32			extra_data;
	uint32			types[10];
};

class BPropertyInfo {
public:
	// The table ends with an entry whose name is NULL. It is not copied.
							BPropertyInfo(const property_info* properties
								= NULL);
	virtual					~BPropertyInfo();

	// The index of the entry that matches the request's command and the
	// specifier's property and form (an entry without commands or
	// specifiers takes any), or -1.
	virtual	int32			FindMatch(BMessage* message, int32 index,
								BMessage* specifier, int32 form,
								const char* property, void* data = NULL) const;

			const property_info* Properties() const { return fProperties; }
			int32			CountProperties() const;

	// Adds the table to a suites reply: one "messages" message per
	// property with its name, commands, specifiers and usage.
			status_t		AddTo(BMessage* data) const;

private:
			const property_info* fProperties;
};

#endif	// _PROPERTY_INFO_H
