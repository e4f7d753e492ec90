// A program for the tests of messages between programs: an application
// under the signature given as its first argument that answers a few
// requests.
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <Application.h>
#include <Message.h>
#include <Messenger.h>
#include <OS.h>

namespace {

const uint32 kMsgPing = 'ping';
const uint32 kMsgPong = 'pong';
const uint32 kMsgSequence = 'seq ';
const uint32 kMsgCheck = 'chek';
const uint32 kMsgCallBack = 'back';
const uint32 kMsgCalledBack = 'bked';
const uint32 kMsgSlow = 'slow';
const uint32 kMsgReplyTo = 'rply';
const uint32 kMsgAskBack = 'askb';
const uint32 kMsgAskBackLater = 'askl';
const uint32 kMsgQuestion = 'qstn';
const uint32 kMsgAnswer = 'answ';
const uint32 kMsgLastAnswer = 'last';


class PeerApplication : public BApplication {
public:
	PeerApplication(const char* signature)
		:
		BApplication(signature),
		fCount(0),
		fNext(0),
		fInOrder(true),
		fLastAnswer(-1)
	{
	}

	void MessageReceived(BMessage* message) override
	{
		switch (message->what) {
			case kMsgPing:
			{
				BMessage reply(kMsgPong);
				reply.AddInt32("pid", (int32)getpid());
				reply.AddBool("remote", message->IsSourceRemote());
				reply.AddString("text", message->GetString("text", ""));
				message->SendReply(&reply);
				break;
			}
			case kMsgSequence:
			{
				int32 value;
				if (message->FindInt32("n", &value) != B_OK)
					break;
				if (value != fNext)
					fInOrder = false;
				fNext = value + 1;
				fCount++;
				break;
			}
			case kMsgCheck:
			{
				BMessage reply(B_REPLY);
				reply.AddInt32("count", fCount);
				reply.AddBool("inorder", fInOrder);
				message->SendReply(&reply);
				break;
			}
			case kMsgCallBack:
			{
				// Answers later, through the messenger the message carries.
				BMessenger target;
				if (message->FindMessenger("target", &target) != B_OK)
					break;
				BMessage back(kMsgCalledBack);
				back.AddInt32("n", message->GetInt32("n", -1));
				target.SendMessage(&back);
				break;
			}
			case kMsgReplyTo:
			{
				// An answer to the message's return address, not awaited.
				BMessage reply(kMsgPong);
				reply.AddInt32("n", message->GetInt32("n", -1));
				message->SendReply(&reply);
				break;
			}
			case kMsgAskBack:
			{
				// The reply is a question: waits here for its answer.
				BMessage question(kMsgQuestion);
				question.AddInt32("n", message->GetInt32("n", -1) + 1);
				BMessage answer;
				if (message->SendReply(&question, &answer, B_INFINITE_TIMEOUT,
						3000000) == B_OK && answer.what == kMsgAnswer)
					fLastAnswer = answer.GetInt32("n", -1);
				break;
			}
			case kMsgAskBackLater:
			{
				// The reply is a question whose answer comes to this
				// application as a message of its own.
				BMessage question(kMsgQuestion);
				question.AddInt32("n", message->GetInt32("n", -1) + 1);
				message->SendReply(&question, this);
				break;
			}
			case kMsgAnswer:
				if (message->IsReply())
					fLastAnswer = message->GetInt32("n", -1);
				break;
			case kMsgLastAnswer:
			{
				BMessage reply(B_REPLY);
				reply.AddInt32("n", fLastAnswer);
				message->SendReply(&reply);
				break;
			}
			case kMsgSlow:
			{
				snooze(message->GetInt32("ms", 300) * 1000);
				message->SendReply(kMsgPong);
				break;
			}
			default:
				BApplication::MessageReceived(message);
				break;
		}
	}

private:
	int32	fCount;
	int32	fNext;
	bool	fInOrder;
	int32	fLastAnswer;
};

}	// namespace


int
main(int argc, char** argv)
{
	if (argc < 2) {
		fprintf(stderr, "usage: %s <signature>\n", argv[0]);
		return 2;
	}
	PeerApplication application(argv[1]);
	if (application.InitCheck() != B_OK)
		return 1;
	application.Run();
	return 0;
}
