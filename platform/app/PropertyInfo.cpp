// BPropertyInfo: matching scripting requests against a property table.
#include <PropertyInfo.h>

#include <string.h>

#include <Message.h>


BPropertyInfo::BPropertyInfo(const property_info* properties)
	:
	fProperties(properties)
{
}


BPropertyInfo::~BPropertyInfo()
{
}


int32
BPropertyInfo::CountProperties() const
{
	int32 count = 0;
	while (fProperties != NULL && fProperties[count].name != NULL)
		count++;
	return count;
}


int32
BPropertyInfo::FindMatch(BMessage* message, int32, BMessage*, int32 form,
	const char* property, void*) const
{
	if (message == NULL || property == NULL)
		return -1;
	for (int32 i = 0; fProperties != NULL && fProperties[i].name != NULL;
			i++) {
		const property_info& info = fProperties[i];
		if (strcmp(info.name, property) != 0)
			continue;
		bool command = info.commands[0] == 0;
		for (int j = 0; j < 10 && info.commands[j] != 0; j++)
			command = command || info.commands[j] == message->what;
		bool specifier = info.specifiers[0] == 0;
		for (int j = 0; j < 10 && info.specifiers[j] != 0; j++)
			specifier = specifier || (int32)info.specifiers[j] == form;
		if (command && specifier)
			return i;
	}
	return -1;
}


status_t
BPropertyInfo::AddTo(BMessage* data) const
{
	if (data == NULL)
		return B_BAD_VALUE;
	for (int32 i = 0; fProperties != NULL && fProperties[i].name != NULL;
			i++) {
		const property_info& info = fProperties[i];
		BMessage entry('PROP');
		entry.AddString("property", info.name);
		for (int j = 0; j < 10 && info.commands[j] != 0; j++)
			entry.AddInt32("commands", (int32)info.commands[j]);
		for (int j = 0; j < 10 && info.specifiers[j] != 0; j++)
			entry.AddInt32("specifiers", (int32)info.specifiers[j]);
		if (info.usage != NULL)
			entry.AddString("usage", info.usage);
		status_t status = data->AddMessage("messages", &entry);
		if (status != B_OK)
			return status;
	}
	return B_OK;
}
