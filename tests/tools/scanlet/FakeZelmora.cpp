// A stand-in for the application in the tests of scanlet: it runs under
// "application/Zelmora" and prints one line per read it gets:
//     RFID <tag> <callme> <spTarget> <spCounter>
// (callme 1 when the read carries a messenger back, "-" for fields that
// are absent). With "--ask N" it asks the reader for N reads after the
// first read, as the main window's "ask for a tag" does, and prints
// "asked".
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <Application.h>
#include <Message.h>
#include <Messenger.h>

namespace {

class FakeZelmora : public BApplication {
public:
	FakeZelmora(int32 ask)
		:
		BApplication("application/Zelmora"),
		fAsk(ask)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		if (message->what != 'RFID') {
			BApplication::MessageReceived(message);
			return;
		}
		const char* tag;
		if (message->FindString("_tagstr", &tag) != B_OK)
			tag = "-";
		BMessenger callMe;
		bool hasCallMe = message->FindMessenger("_f2CallMe", &callMe) == B_OK;
		const char* target;
		if (message->FindString("_spTarget", &target) != B_OK)
			target = "-";
		int32 counter;
		char counterText[16] = "-";
		if (message->FindInt32("_spCounter", &counter) == B_OK)
			snprintf(counterText, sizeof(counterText), "%d", (int)counter);
		printf("RFID %s %d %s %s\n", tag, hasCallMe ? 1 : 0, target,
			counterText);

		if (fAsk > 0 && hasCallMe) {
			BMessage request('sRFT');
			request.AddInt32("_NeedTagQuantitys", fAsk);
			request.AddString("_AppTarget", "ZLMWindow-Futter");
			if (callMe.SendMessage(&request) == B_OK)
				printf("asked\n");
			fAsk = 0;
		}
	}

private:
	int32	fAsk;
};

}	// namespace


int
main(int argc, char** argv)
{
	int32 ask = 0;
	if (argc == 3 && strcmp(argv[1], "--ask") == 0)
		ask = atoi(argv[2]);
	FakeZelmora application(ask);
	application.Run();
	return 0;
}
