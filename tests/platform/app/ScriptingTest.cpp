// The scripting protocol inside a program: specifiers resolved down a
// chain of handlers, properties read and set, errors for what nobody knows.
#include <string.h>

#include <gtest/gtest.h>

#include <Handler.h>
#include <Looper.h>
#include <Message.h>
#include <Messenger.h>
#include <PropertyInfo.h>

namespace {

const property_info kItemProperties[] = {
	{ "Value", { B_GET_PROPERTY, B_SET_PROPERTY, 0 },
		{ B_DIRECT_SPECIFIER, 0 }, "The item's value.", 0, { B_INT32_TYPE } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};

const property_info kContainerProperties[] = {
	{ "Item", { 0 },
		{ B_INDEX_SPECIFIER, B_REVERSE_INDEX_SPECIFIER, B_NAME_SPECIFIER, 0 },
		"An item by index or name.", 0, { 0 } },
	{ "Item", { B_COUNT_PROPERTIES, 0 }, { B_DIRECT_SPECIFIER, 0 },
		"The number of items.", 0, { B_INT32_TYPE } },
	{ NULL, { 0 }, { 0 }, NULL, 0, { 0 } }
};


class Item : public BHandler {
public:
	Item(const char* name, int32 value) : BHandler(name), fValue(value) {}

	BHandler* ResolveSpecifier(BMessage* message, int32 index,
		BMessage* specifier, int32 what, const char* property) override
	{
		if (BPropertyInfo(kItemProperties).FindMatch(message, index,
				specifier, what, property) >= 0)
			return this;
		return BHandler::ResolveSpecifier(message, index, specifier, what,
			property);
	}

	void MessageReceived(BMessage* message) override
	{
		int32 index;
		BMessage specifier;
		int32 form;
		const char* property;
		if (message->GetCurrentSpecifier(&index, &specifier, &form,
				&property) == B_OK && strcmp(property, "Value") == 0) {
			BMessage reply(B_REPLY);
			if (message->what == B_GET_PROPERTY)
				reply.AddInt32("result", fValue);
			else if (message->what == B_SET_PROPERTY)
				message->FindInt32("data", &fValue);
			reply.AddInt32("error", B_OK);
			message->SendReply(&reply);
			return;
		}
		BHandler::MessageReceived(message);
	}

	int32 fValue;
};


class Container : public BLooper {
public:
	Container() : BLooper("container")
	{
		for (int32 i = 0; i < 3; i++) {
			char name[8] = { 'i', (char)('a' + i), 0 };
			fItems[i] = new Item(name, i * 10);
			AddHandler(fItems[i]);
		}
	}

	BHandler* ResolveSpecifier(BMessage* message, int32 index,
		BMessage* specifier, int32 what, const char* property) override
	{
		int32 match = BPropertyInfo(kContainerProperties).FindMatch(message,
			index, specifier, what, property);
		if (match == 0) {
			int32 item = -1;
			if (what == B_NAME_SPECIFIER) {
				const char* name = specifier->GetString("name", "");
				for (int32 i = 0; i < 3; i++) {
					if (strcmp(fItems[i]->Name(), name) == 0)
						item = i;
				}
			} else {
				item = specifier->GetInt32("index", -1);
				if (what == B_REVERSE_INDEX_SPECIFIER)
					item = 2 - item;
			}
			if (item < 0 || item > 2) {
				BMessage reply(B_MESSAGE_NOT_UNDERSTOOD);
				reply.AddInt32("error", B_BAD_INDEX);
				message->SendReply(&reply);
				return NULL;
			}
			message->PopSpecifier();
			return fItems[item];
		}
		if (match == 1)
			return this;
		return BLooper::ResolveSpecifier(message, index, specifier, what,
			property);
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what == B_COUNT_PROPERTIES) {
			BMessage reply(B_REPLY);
			reply.AddInt32("result", 3);
			message->SendReply(&reply);
			return;
		}
		BLooper::MessageReceived(message);
	}

	Item* fItems[3];
};


class ScriptingTest : public testing::Test {
protected:
	void SetUp() override
	{
		fContainer = new Container;
		fContainer->Run();
		fMessenger = BMessenger(fContainer);
	}

	void TearDown() override
	{
		fContainer->Lock();
		fContainer->Quit();
	}

	BMessage Send(BMessage& request)
	{
		BMessage reply;
		EXPECT_EQ(fMessenger.SendMessage(&request, &reply), B_OK);
		return reply;
	}

	Container*	fContainer;
	BMessenger	fMessenger;
};

}	// namespace


TEST_F(ScriptingTest, SpecifiersLeadDownTheChain)
{
	BMessage get(B_GET_PROPERTY);
	get.AddSpecifier("Value");
	get.AddSpecifier("Item", 1);
	BMessage reply = Send(get);
	EXPECT_EQ(reply.what, (uint32)B_REPLY);
	EXPECT_EQ(reply.GetInt32("result", -1), 10);

	BMessage set(B_SET_PROPERTY);
	set.AddInt32("data", 77);
	set.AddSpecifier("Value");
	set.AddSpecifier("Item", "ic");
	Send(set);
	EXPECT_EQ(fContainer->fItems[2]->fValue, 77);

	// A reverse index counts from the end.
	BMessage specifier(B_REVERSE_INDEX_SPECIFIER);
	specifier.AddString("property", "Item");
	specifier.AddInt32("index", 0);
	BMessage last(B_GET_PROPERTY);
	last.AddSpecifier("Value");
	last.AddSpecifier(&specifier);
	EXPECT_EQ(Send(last).GetInt32("result", -1), 77);

	BMessage count(B_COUNT_PROPERTIES);
	count.AddSpecifier("Item");
	EXPECT_EQ(Send(count).GetInt32("result", -1), 3);
}


TEST_F(ScriptingTest, WhatNobodyKnowsIsAnError)
{
	BMessage unknown(B_GET_PROPERTY);
	unknown.AddSpecifier("Colour");
	BMessage reply = Send(unknown);
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);
	EXPECT_EQ(reply.GetInt32("error", B_OK), B_BAD_SCRIPT_SYNTAX);

	BMessage deep(B_GET_PROPERTY);
	deep.AddSpecifier("Colour");
	deep.AddSpecifier("Item", 0);
	reply = Send(deep);
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);
	EXPECT_EQ(reply.GetInt32("error", B_OK), B_BAD_SCRIPT_SYNTAX);

	BMessage outOfRange(B_GET_PROPERTY);
	outOfRange.AddSpecifier("Value");
	outOfRange.AddSpecifier("Item", 9);
	reply = Send(outOfRange);
	EXPECT_EQ(reply.GetInt32("error", B_OK), B_BAD_INDEX);

	// A known property with a command it does not take.
	BMessage wrongCommand(B_EXECUTE_PROPERTY);
	wrongCommand.AddSpecifier("Value");
	wrongCommand.AddSpecifier("Item", 0);
	reply = Send(wrongCommand);
	EXPECT_EQ(reply.what, (uint32)B_MESSAGE_NOT_UNDERSTOOD);
}


TEST_F(ScriptingTest, EveryHandlerDescribesItself)
{
	BMessage suites(B_GET_SUPPORTED_SUITES);
	BMessage reply = Send(suites);
	EXPECT_STREQ(reply.GetString("suites", 0, ""), "suite/vnd.Be-looper");
	EXPECT_STREQ(reply.GetString("suites", 1, ""), "suite/vnd.Be-handler");
	BMessage property;
	ASSERT_EQ(reply.FindMessage("messages", 0, &property), B_OK);
	EXPECT_STREQ(property.GetString("property", ""), "Suites");

	BMessage name(B_GET_PROPERTY);
	name.AddSpecifier("InternalName");
	name.AddSpecifier("Item", "ib");
	EXPECT_STREQ(Send(name).GetString("result", ""), "ib");

	BMessage messenger(B_GET_PROPERTY);
	messenger.AddSpecifier("Messenger");
	BMessenger result;
	ASSERT_EQ(Send(messenger).FindMessenger("result", &result), B_OK);
	EXPECT_EQ(result, fMessenger);
}
