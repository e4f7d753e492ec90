// hey: sends a scripting message to a running application and prints the
// reply.
//   hey [-s] <signature> <verb> [<property> [<index>|<name>]
//       [of <property> [<index>|<name>]]...] [to <value>]
//       [with <name>=<value> [and <name>=<value>]...]
// Verbs: get, set, do, count, getsuites, quit, or a four-character code.
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <Message.h>
#include <Messenger.h>
#include <Roster.h>

namespace {

const bigtime_t kReplyTimeout = 5000000;


void
Usage()
{
	fprintf(stderr, "usage: hey [-s] <signature> <verb> [<property> "
		"[<index>|<name>] [of <property> [<index>|<name>]]...] [to <value>] "
		"[with <name>=<value> [and <name>=<value>]...]\n"
		"verbs: get set do count getsuites quit, or a four-character "
		"code\n");
}


bool
IsInteger(const char* text)
{
	if (*text == '-' || *text == '+')
		text++;
	if (*text == '\0')
		return false;
	for (; *text != '\0'; text++) {
		if (!isdigit((unsigned char)*text))
			return false;
	}
	return true;
}


bool
IsDecimal(const char* text)
{
	char* end;
	strtod(text, &end);
	return end != text && *end == '\0' && strpbrk(text, ".eE") != NULL;
}


// Adds a value typed as the text says: a prefix forces the type, else
// integers are int32, decimals float, true/false bool, BPoint(x,y) and
// BRect(l,t,r,b) as such, anything else a string.
status_t
AddValue(BMessage& message, const char* name, const char* text)
{
	const char* colon = strchr(text, ':');
	if (colon != NULL) {
		std::string prefix(text, colon - text);
		const char* value = colon + 1;
		if (prefix == "string")
			return message.AddString(name, value);
		if (prefix == "int32")
			return message.AddInt32(name, (int32)strtol(value, NULL, 0));
		if (prefix == "int64")
			return message.AddInt64(name, strtoll(value, NULL, 0));
		if (prefix == "float")
			return message.AddFloat(name, strtof(value, NULL));
		if (prefix == "double")
			return message.AddDouble(name, strtod(value, NULL));
		if (prefix == "bool")
			return message.AddBool(name, strcmp(value, "1") == 0
				|| strcasecmp(value, "true") == 0);
	}
	if (IsInteger(text))
		return message.AddInt32(name, (int32)strtol(text, NULL, 10));
	if (IsDecimal(text))
		return message.AddFloat(name, strtof(text, NULL));
	if (strcmp(text, "true") == 0 || strcmp(text, "false") == 0)
		return message.AddBool(name, strcmp(text, "true") == 0);
	float a, b, c, d;
	char end;
	if (sscanf(text, "BPoint(%f,%f%c", &a, &b, &end) == 3 && end == ')')
		return message.AddPoint(name, BPoint(a, b));
	if (sscanf(text, "BRect(%f,%f,%f,%f%c", &a, &b, &c, &d, &end) == 5
		&& end == ')')
		return message.AddRect(name, BRect(a, b, c, d));
	return message.AddString(name, text);
}


bool
IsKeyword(const char* word)
{
	return strcmp(word, "of") == 0 || strcmp(word, "to") == 0
		|| strcmp(word, "with") == 0;
}


const char*
TypeName(type_code type)
{
	switch (type) {
		case B_STRING_TYPE: return "B_STRING_TYPE";
		case B_INT8_TYPE: return "B_INT8_TYPE";
		case B_INT16_TYPE: return "B_INT16_TYPE";
		case B_INT32_TYPE: return "B_INT32_TYPE";
		case B_INT64_TYPE: return "B_INT64_TYPE";
		case B_UINT32_TYPE: return "B_UINT32_TYPE";
		case B_BOOL_TYPE: return "B_BOOL_TYPE";
		case B_FLOAT_TYPE: return "B_FLOAT_TYPE";
		case B_DOUBLE_TYPE: return "B_DOUBLE_TYPE";
		case B_POINT_TYPE: return "B_POINT_TYPE";
		case B_RECT_TYPE: return "B_RECT_TYPE";
		case B_MESSAGE_TYPE: return "B_MESSAGE_TYPE";
		case B_MESSENGER_TYPE: return "B_MESSENGER_TYPE";
		case B_REF_TYPE: return "B_REF_TYPE";
		default: return NULL;
	}
}


// One value of a field as text; strings as they are.
std::string
ValueText(const BMessage& message, const char* name, type_code type,
	int32 index)
{
	char buffer[256];
	switch (type) {
		case B_STRING_TYPE:
			return message.GetString(name, index, "");
		case B_INT32_TYPE:
		{
			int32 value = 0;
			message.FindInt32(name, index, &value);
			snprintf(buffer, sizeof(buffer), "%d", (int)value);
			return buffer;
		}
		case B_INT64_TYPE:
		{
			int64 value = 0;
			message.FindInt64(name, index, &value);
			snprintf(buffer, sizeof(buffer), "%lld", (long long)value);
			return buffer;
		}
		case B_BOOL_TYPE:
		{
			bool value = false;
			message.FindBool(name, index, &value);
			return value ? "true" : "false";
		}
		case B_FLOAT_TYPE:
		{
			float value = 0;
			message.FindFloat(name, index, &value);
			snprintf(buffer, sizeof(buffer), "%g", value);
			return buffer;
		}
		case B_DOUBLE_TYPE:
		{
			double value = 0;
			message.FindDouble(name, index, &value);
			snprintf(buffer, sizeof(buffer), "%g", value);
			return buffer;
		}
		case B_POINT_TYPE:
		{
			BPoint value;
			message.FindPoint(name, index, &value);
			snprintf(buffer, sizeof(buffer), "BPoint(%g, %g)", value.x,
				value.y);
			return buffer;
		}
		case B_RECT_TYPE:
		{
			BRect value;
			message.FindRect(name, index, &value);
			snprintf(buffer, sizeof(buffer), "BRect(%g, %g, %g, %g)",
				value.left, value.top, value.right, value.bottom);
			return buffer;
		}
		case B_MESSENGER_TYPE:
		{
			BMessenger value;
			message.FindMessenger(name, index, &value);
			snprintf(buffer, sizeof(buffer), "BMessenger(team=%d)",
				(int)value.Team());
			return buffer;
		}
		default:
			snprintf(buffer, sizeof(buffer), "(%.4s data)",
				(const char*)&type);
			return buffer;
	}
}


void
PrintMessage(const BMessage& message, const char* indent)
{
	char* name;
	type_code type;
	int32 count;
	for (int32 i = 0; message.GetInfo(B_ANY_TYPE, i, &name, &type, &count)
			== B_OK; i++) {
		for (int32 j = 0; j < count; j++) {
			const char* typeName = TypeName(type);
			char code[16];
			if (typeName == NULL) {
				uint32 big = __builtin_bswap32(type);
				snprintf(code, sizeof(code), "'%.4s'", (const char*)&big);
				typeName = code;
			}
			if (type == B_MESSAGE_TYPE) {
				BMessage nested;
				message.FindMessage(name, j, &nested);
				uint32 what = __builtin_bswap32(nested.what);
				printf("%s\"%s\" (%s) : BMessage('%.4s')\n", indent, name,
					typeName, (const char*)&what);
				PrintMessage(nested, (std::string(indent) + "   ").c_str());
				continue;
			}
			std::string value = ValueText(message, name, type, j);
			if (type == B_STRING_TYPE)
				value = "\"" + value + "\"";
			printf("%s\"%s\" (%s) : %s\n", indent, name, typeName,
				value.c_str());
		}
	}
}


const char*
WhatName(uint32 what, char* buffer, size_t size)
{
	switch (what) {
		case B_REPLY: return "B_REPLY";
		case B_MESSAGE_NOT_UNDERSTOOD: return "B_MESSAGE_NOT_UNDERSTOOD";
		case B_NO_REPLY: return "B_NO_REPLY";
	}
	uint32 big = __builtin_bswap32(what);
	snprintf(buffer, size, "'%.4s'", (const char*)&big);
	return buffer;
}

}	// namespace


int
main(int argc, char** argv)
{
	int arg = 1;
	bool silent = false;
	if (arg < argc && strcmp(argv[arg], "-s") == 0) {
		silent = true;
		arg++;
	}
	if (argc - arg < 2) {
		Usage();
		return 2;
	}
	const char* signature = argv[arg++];
	const char* verb = argv[arg++];

	uint32 what;
	if (strcmp(verb, "get") == 0)
		what = B_GET_PROPERTY;
	else if (strcmp(verb, "set") == 0)
		what = B_SET_PROPERTY;
	else if (strcmp(verb, "do") == 0)
		what = B_EXECUTE_PROPERTY;
	else if (strcmp(verb, "count") == 0)
		what = B_COUNT_PROPERTIES;
	else if (strcmp(verb, "getsuites") == 0)
		what = B_GET_SUPPORTED_SUITES;
	else if (strcmp(verb, "quit") == 0)
		what = B_QUIT_REQUESTED;
	else if (strlen(verb) == 4) {
		what = ((uint32)(uint8)verb[0] << 24) | ((uint32)(uint8)verb[1] << 16)
			| ((uint32)(uint8)verb[2] << 8) | (uint32)(uint8)verb[3];
	} else {
		fprintf(stderr, "hey: unknown verb \"%s\"\n", verb);
		Usage();
		return 2;
	}
	BMessage message(what);

	// "getsuites of View 0 of Window 0" and "abcd of Window 0" go to the
	// handler the rest names.
	bool code = strlen(verb) == 4 && what != B_GET_PROPERTY
		&& what != B_SET_PROPERTY && what != B_QUIT_REQUESTED;
	if ((what == B_GET_SUPPORTED_SUITES || code) && arg + 1 < argc
		&& strcmp(argv[arg], "of") == 0)
		arg++;
	// Specifiers in the order written: the last one is resolved first.
	while (arg < argc && !IsKeyword(argv[arg])) {
		const char* property = argv[arg++];
		if (arg < argc && !IsKeyword(argv[arg])) {
			const char* selector = argv[arg++];
			if (IsInteger(selector)) {
				int32 index = (int32)strtol(selector, NULL, 10);
				if (index < 0) {
					BMessage specifier(B_REVERSE_INDEX_SPECIFIER);
					specifier.AddString("property", property);
					specifier.AddInt32("index", -index - 1);
					message.AddSpecifier(&specifier);
				} else
					message.AddSpecifier(property, index);
			} else
				message.AddSpecifier(property, selector);
		} else
			message.AddSpecifier(property);
		if (arg < argc && strcmp(argv[arg], "of") == 0) {
			arg++;
			if (arg >= argc) {
				fprintf(stderr, "hey: a property must follow \"of\"\n");
				return 2;
			}
		}
	}
	if (arg < argc && strcmp(argv[arg], "to") == 0) {
		if (++arg >= argc) {
			fprintf(stderr, "hey: a value must follow \"to\"\n");
			return 2;
		}
		AddValue(message, "data", argv[arg++]);
	}
	if (arg < argc && strcmp(argv[arg], "with") == 0) {
		arg++;
		while (arg < argc) {
			const char* pair = argv[arg++];
			const char* equals = strchr(pair, '=');
			if (equals == NULL || equals == pair) {
				fprintf(stderr, "hey: \"%s\" is not <name>=<value>\n", pair);
				return 2;
			}
			std::string name(pair, equals - pair);
			AddValue(message, name.c_str(), equals + 1);
			if (arg < argc) {
				if (strcmp(argv[arg], "and") != 0) {
					fprintf(stderr, "hey: expected \"and\" before \"%s\"\n",
						argv[arg]);
					return 2;
				}
				arg++;
			}
		}
	}
	if (arg < argc) {
		fprintf(stderr, "hey: did not understand \"%s\"\n", argv[arg]);
		return 2;
	}

	status_t status;
	BMessenger target(signature, -1, &status);
	if (status != B_OK || !target.IsValid()) {
		fprintf(stderr, "hey: the application \"%s\" is not running\n",
			signature);
		return 1;
	}
	BMessage reply;
	status = target.SendMessage(&message, &reply, B_INFINITE_TIMEOUT,
		kReplyTimeout);
	if (status == B_TIMED_OUT) {
		fprintf(stderr, "hey: no reply from \"%s\" within %d seconds\n",
			signature, (int)(kReplyTimeout / 1000000));
		return 1;
	}
	if (status != B_OK) {
		fprintf(stderr, "hey: cannot send to \"%s\" (error %d)\n", signature,
			(int)status);
		return 1;
	}

	int32 error = reply.GetInt32("error", B_OK);
	bool failed = reply.what == B_MESSAGE_NOT_UNDERSTOOD
		|| reply.what == B_NO_REPLY || error != B_OK;
	if (silent) {
		type_code type;
		int32 count;
		if (reply.GetInfo("result", &type, &count) == B_OK) {
			for (int32 i = 0; i < count; i++)
				printf("%s\n", ValueText(reply, "result", type, i).c_str());
		} else if (failed) {
			const char* text = reply.GetString("message", NULL);
			fprintf(stderr, "hey: error %d%s%s\n", (int)error,
				text != NULL ? ": " : "", text != NULL ? text : "");
		}
	} else {
		char buffer[16];
		printf("Reply BMessage(%s):\n", WhatName(reply.what, buffer,
			sizeof(buffer)));
		PrintMessage(reply, "   ");
	}
	return failed ? 1 : 0;
}
