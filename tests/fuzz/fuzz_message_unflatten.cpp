// Feeds arbitrary bytes to BMessage::Unflatten. Whatever it accepts must
// flatten to bytes that read back to the same message, and must be safe to
// print and to read field by field.
#include <stdio.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include <Message.h>


extern "C" int
LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
	if (freopen("/dev/null", "w", stdout) == NULL)
		abort();
	return 0;
}


extern "C" int
LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
	BMessage message;
	if (message.Unflatten((const char*)data, (ssize_t)size) != B_OK)
		return 0;

	std::vector<char> flat(message.FlattenedSize());
	if (message.Flatten(flat.data(), flat.size()) != B_OK)
		abort();
	BMessage again;
	if (again.Unflatten(flat.data(), flat.size()) != B_OK)
		abort();
	std::vector<char> flatAgain(again.FlattenedSize());
	if (again.Flatten(flatAgain.data(), flatAgain.size()) != B_OK
		|| flatAgain != flat)
		abort();

	// Every value of every field, through the generic and the typed calls.
	char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type, &count)
			== B_OK; i++) {
		for (int32 j = 0; j < count; j++) {
			const void* value;
			ssize_t valueSize;
			if (message.FindData(name, type, j, &value, &valueSize) != B_OK)
				abort();
			const char* text;
			message.FindString(name, j, &text);
			BMessage nested;
			message.FindMessage(name, j, &nested);
			BRect rect;
			message.FindRect(name, j, &rect);
			bool flag;
			message.FindBool(name, j, &flag);
		}
	}
	int32 index;
	BMessage specifier;
	int32 what;
	const char* property;
	message.GetCurrentSpecifier(&index, &specifier, &what, &property);
	message.PrintToStream();
	return 0;
}
