// The records window's models and settings pages in the real program,
// driven through hey: the model tree and its pop-ups, the week-model
// marker in a booking file, the register written when the window closes;
// the settings that the page keeps, and the relay panel against mws-sim
// behind the wget guard.
#include "E2eFixture.h"

#include <stdio.h>
#include <stdlib.h>

#include <set>

#include <OS.h>

#include <Prefs.h>

#include "RelayFixture.h"

namespace {

const char* const kRecords = "Time-INFO";

std::string
NextRequest(SimBox& box, double timeout = 5)
{
	std::string line = box.ReadLine(timeout);
	size_t arrow = line.find(" ->");
	return arrow != std::string::npos ? line.substr(0, arrow) : line;
}


struct Box {
	float left = 0, top = 0, right = 0, bottom = 0;
};


Box
ParseFrame(const std::string& text)
{
	Box frame;
	sscanf(text.c_str(), "BRect(%f, %f, %f, %f)", &frame.left, &frame.top,
		&frame.right, &frame.bottom);
	return frame;
}

}	// namespace


class RecordsPagesE2eTest : public E2eFixture {
protected:
	// Opens the records window with the main window's "More" button.
	void OpenRecords()
	{
		int status = -1;
		Hey({ "do", "Click", "of", "View", "open", "of", "Window", "0" },
			&status);
		ASSERT_EQ(status, 0);
		Sync();
		ASSERT_EQ(Hey({ "get", "Title", "of", "Window", kRecords }),
			kRecords);
	}

	// A page code or any other message to the records window.
	void ToRecords(const std::vector<std::string>& message)
	{
		std::vector<std::string> arguments = { message[0], "Window",
			kRecords };
		for (size_t i = 1; i < message.size(); i++) {
			arguments.push_back(i == 1 ? "with" : "and");
			arguments.push_back(message[i]);
		}
		Hey(arguments);
		Sync();
	}

	std::vector<std::string> Of(const std::string& view,
		std::vector<std::string> request)
	{
		request.insert(request.end(), { "of", "View", view, "of", "Window",
			kRecords });
		return request;
	}

	std::string At(const std::string& property, const std::string& view)
	{
		return Hey(Of(view, { "get", property }));
	}

	int Do(std::vector<std::string> request)
	{
		int status = -1;
		Hey(request, &status);
		Sync();
		return status;
	}

	int Click(const std::string& view)
	{
		return Do(Of(view, { "do", "Click" }));
	}

	int Choose(const std::string& field, const std::string& item)
	{
		return Do(Of(field, { "do", "MenuItem", item }));
	}

	int Set(const std::string& view, const std::string& property,
		const std::string& value)
	{
		std::vector<std::string> request = Of(view, { "set", property });
		request.insert(request.end(), { "to", value });
		return Do(request);
	}

	void SetText(const std::string& view, const std::string& text)
	{
		ASSERT_EQ(Set(view, "Text", "string:" + text), 0);
	}

	// Types a text into a field and presses Enter in it: a click near its
	// right end puts the focus into the text.
	void Enter(const std::string& view, const std::string& text)
	{
		SetText(view, text);
		Box frame = ParseFrame(At("Frame", view));
		char where[64];
		snprintf(where, sizeof(where), "where=BPoint(%d,%d)",
			(int)(frame.right - frame.left) - 6,
			(int)(frame.bottom - frame.top) / 2);
		std::vector<std::string> click = Of(view, { "do", "Click" });
		click.insert(click.end(), { "with", where });
		ASSERT_EQ(Do(click), 0);
		ASSERT_EQ(Do({ "do", "Key", "of", "Window", kRecords, "with",
			"bytes=\n" }), 0);
	}

	// The frame of a view in the records window's coordinates.
	Box WindowFrame(const std::vector<std::string>& path)
	{
		Box total;
		for (size_t depth = 1; depth <= path.size(); depth++) {
			std::vector<std::string> request = { "get", "Frame" };
			for (size_t i = depth; i-- > 0;)
				request.insert(request.end(), { "of", "View", path[i] });
			request.insert(request.end(), { "of", "Window", kRecords });
			Box frame = ParseFrame(Hey(request));
			if (depth == path.size()) {
				total.right = total.left + frame.right;
				total.bottom = total.top + frame.bottom;
			}
			total.left += frame.left;
			total.top += frame.top;
		}
		return total;
	}

	// The colour in the middle of relay button n's text, right of its
	// circle.
	uint32_t RelayColour(int relay, const std::string& png)
	{
		const char* names[] = { "rA", "rB", "rC", "rD" };
		Box button = WindowFrame({ "bview", "SettView", "mws",
			names[relay - 1] });
		return Pixel(png, (int)button.right - 3,
			(int)(button.top + button.bottom) / 2);
	}

	int32 SavedPayday()
	{
		Prefs* prefs = Prefs::getSTPrefs();
		prefs->LoadPrefs();
		int32 payday = prefs->Payday;
		prefs->DeleteMe();
		return payday;
	}

	int AlertsOpen()
	{
		int alerts = 0;
		int count = atoi(Hey({ "count", "Window" }).c_str());
		for (int i = 0; i < count; i++) {
			if (Hey({ "get", "Title", "of", "Window", std::to_string(i) })
					== "Autsch")
				alerts++;
		}
		return alerts;
	}
};


TEST_F(RecordsPagesE2eTest, SettingsPageKeepsValidEntriesOnly)
{
	Seed({ "TagsUseDoor=7", "Payday=28" });
	Start();
	OpenRecords();
	ToRecords({ "pSet" });
	EXPECT_EQ(At("Hidden", "SettView"), "false");
	EXPECT_EQ(At("Value", "rA"), "1");
	EXPECT_EQ(At("Value", "rD"), "0");
	EXPECT_EQ(At("Text", "MWS_ip"), "127.0.0.1:9");
	EXPECT_EQ(At("Enabled", "mw_o"), "false");

	for (const char* text : { "0", "29", "vier" }) {
		SCOPED_TRACE(text);
		Enter("ptpd", text);
		EXPECT_EQ(At("Text", "ptpd"), "28");
		EXPECT_EQ(SavedPayday(), 28);
	}
	Enter("ptpd", "15");
	EXPECT_EQ(At("Text", "ptpd"), "15");
	EXPECT_EQ(SavedPayday(), 15);

	for (const char* text : { "0", "12" }) {
		Enter("mwca", text);
		EXPECT_EQ(At("Text", "mwca"), "2 Sec");
		EXPECT_EQ(Settings().OpenInSecs, 2);
	}
	Enter("mwca", "5");
	EXPECT_EQ(At("Text", "mwca"), "5 Sec");
	EXPECT_EQ(Settings().OpenInSecs, 5);
	EXPECT_GE(CountInTrace("open time= 5\n"), 1);

	// A close of relay 2 without a status image.
	ToRecords({ "mw_c", "relais=2" });
	EXPECT_EQ(CountInTrace("CLOSE 2|-uuuu---\n"), 1);

	ASSERT_TRUE(Snapshot(fRoot + "/settings.png", kRecords));
	const char* keep = getenv("ZELMORA_PAGES_PICTURES");
	if (keep != NULL)
		Snapshot(std::string(keep) + "/e2e-settings.png", kRecords);
	EXPECT_EQ(Quit(), 0);
}


TEST_F(RecordsPagesE2eTest, RelayButtonTriesItsRelayWithRelayUseOff)
{
	SimBox box;
	ASSERT_GT(box.Port(), 0);
	Seed({ "mws_use=0", "mws_ip=" + box.Address() });
	Start();
	OpenRecords();
	ToRecords({ "pSet" });
	ASSERT_EQ(Click("rB"), 0);
	EXPECT_EQ(Settings().TagsUseDoor, 2);
	EXPECT_EQ(NextRequest(box), "GET /?4=0");
	bigtime_t opened = system_time();
	// On, with relay use off: red.
	ASSERT_TRUE(WaitForTrace(" OPEN 2|-xox"));
	Sync();
	std::string png = fRoot + "/relay2.png";
	ASSERT_TRUE(Snapshot(png, kRecords));
	EXPECT_EQ(RelayColour(2, png), 0xdc6969u);
	EXPECT_EQ(NextRequest(box), "GET /?4=1");
	double seconds = (system_time() - opened) / 1e6;
	EXPECT_GT(seconds, 1.8);
	EXPECT_LT(seconds, 4);
	ASSERT_TRUE(WaitForTrace("CLOSE 2|"));
	Sync();
	ASSERT_TRUE(Snapshot(png, kRecords));
	EXPECT_NE(RelayColour(2, png), 0xdc6969u);
	for (const std::string& call : GuardLog())
		EXPECT_EQ(call.compare(0, 3, "OK "), 0) << call;
	EXPECT_EQ(Quit(), 0);
}


TEST_F(RecordsPagesE2eTest, OpenAllAndTheStatusColours)
{
	SimBox box;
	ASSERT_GT(box.Port(), 0);
	Seed({ "mws_use=1", "mws_ip=" + box.Address(), "OpenInSecs=2" });
	Start();
	// The start-up signal on relay 1.
	EXPECT_EQ(NextRequest(box), "GET /?3=0");
	EXPECT_EQ(NextRequest(box), "GET /?3=1");
	OpenRecords();
	ToRecords({ "pSet" });
	EXPECT_EQ(At("Enabled", "mw_o"), "true");

	// Relay button 3: green while relay 3 is on, and no "open all relay".
	ASSERT_EQ(Click("rC"), 0);
	EXPECT_EQ(NextRequest(box), "GET /?5=0");
	ASSERT_TRUE(WaitForTrace(" OPEN 3|-xxox---\n"));
	Sync();
	std::string png = fRoot + "/relay3.png";
	ASSERT_TRUE(Snapshot(png, kRecords));
	EXPECT_EQ(RelayColour(3, png), 0x69dc69u);
	EXPECT_EQ(At("Enabled", "mw_o"), "false");
	const char* keep = getenv("ZELMORA_PAGES_PICTURES");
	if (keep != NULL)
		Snapshot(std::string(keep) + "/e2e-relay3.png", kRecords);
	EXPECT_EQ(NextRequest(box), "GET /?5=1");
	ASSERT_TRUE(WaitFor([&] { return At("Enabled", "mw_o") == "true"; }));

	// "open all relay" asks for relays 1 to 4, each for "OpenInSecs"; the
	// four requests run side by side, so the box may see them in any
	// order.
	ASSERT_EQ(Click("mw_o"), 0);
	EXPECT_EQ(At("Enabled", "mw_o"), "false");
	std::multiset<std::string> opened;
	for (int i = 0; i < 4; i++)
		opened.insert(NextRequest(box));
	EXPECT_EQ(opened, (std::multiset<std::string>{ "GET /?3=0", "GET /?4=0",
		"GET /?5=0", "GET /?6=0" }));
	std::multiset<std::string> closed;
	for (int i = 0; i < 4; i++)
		closed.insert(NextRequest(box));
	EXPECT_EQ(closed, (std::multiset<std::string>{ "GET /?3=1", "GET /?4=1",
		"GET /?5=1", "GET /?6=1" }));
	for (const std::string& call : GuardLog())
		EXPECT_EQ(call.compare(0, 3, "OK "), 0) << call;
	EXPECT_EQ(Quit(), 0);
}


TEST_F(RecordsPagesE2eTest, DeadBoxTellsTheUserOnce)
{
	SimBox box(true);
	ASSERT_GT(box.Port(), 0);
	Seed({ "mws_use=0", "mws_ip=" + box.Address() });
	Start();
	OpenRecords();
	ToRecords({ "pSet" });
	// Relay use on, then a relay tried on a box that never answers.
	ASSERT_EQ(Click("mw_u"), 0);
	EXPECT_TRUE(Settings().mws_use);
	EXPECT_EQ(At("Enabled", "mw_o"), "true");
	ASSERT_EQ(Click("rA"), 0);
	ASSERT_TRUE(WaitForTrace("mws sollte aus sein", 10));
	Sync();
	EXPECT_EQ(AlertsOpen(), 1);
	EXPECT_EQ(At("Value", "mw_u"), "0");
	EXPECT_EQ(At("Enabled", "mw_o"), "false");
	EXPECT_EQ(At("Enabled", "MWS_ip"), "false");
	EXPECT_FALSE(Settings().mws_use);

	// Tried again: the box still does not answer, and the page says
	// nothing more.
	ASSERT_EQ(Click("rB"), 0);
	ASSERT_TRUE(WaitFor([&] {
		return CountInTrace("mws sollte aus sein") == 2; }, 10));
	Sync();
	EXPECT_EQ(AlertsOpen(), 1);
	EXPECT_EQ(Quit(), 0);
}


TEST_F(RecordsPagesE2eTest, ModelTreeCommandsAndTheRegisterAtTheEnd)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	Start();
	OpenRecords();
	// The window opens on the models page; no week model yet: the tree has
	// its two rows only.
	EXPECT_EQ(At("Hidden", "ModlView"), "false");
	EXPECT_EQ(At("Marked", "mWGrp"), "");
	EXPECT_NE(Set("ol_list", "Selection", "2"), 0);
	EXPECT_EQ(At("Selection", "ol_list"), "-1");

	ASSERT_EQ(Choose("mWGrp", "A-Standart"), 0);
	ASSERT_EQ(Set("ol_list", "Selection", "3"), 0);
	EXPECT_EQ(At("Hidden", "mDGrp"), "false");
	EXPECT_EQ(At("Marked", "mDGrp"), "A-WerkTags");
	EXPECT_EQ(At("Label", "tBin"), "working hours:");
	EXPECT_EQ(At("Text", "tBin"), "07:30");
	EXPECT_EQ(At("Hidden", "btadd"), "false");
	const char* keep = getenv("ZELMORA_PAGES_PICTURES");
	if (keep != NULL)
		Snapshot(std::string(keep) + "/e2e-models.png", kRecords);

	// A new break of ten minutes: the register and the pop-up, no day.
	ASSERT_EQ(Click("btadd"), 0);
	ASSERT_EQ(Choose("mBGrp", "New Profile"), 0);
	SetText("tAin", "10:00");
	SetText("tBin", "10:10");
	Enter("bkn", "Kaffee");
	EXPECT_EQ(At("Marked", "mBGrp"), "Kaffee");
	EXPECT_NE(Trace().find("NBREK : Kaffee\n"), std::string::npos);

	// A name that the marker could not carry is refused with an alert.
	ASSERT_EQ(Choose("mWGrp", "New Profile"), 0);
	Enter("bkn", "Gleit Zeit");
	EXPECT_EQ(AlertsOpen(), 1);
	EXPECT_EQ(Hey({ "count", "MenuItem", "of", "View", "mWGrp", "of",
		"Window", kRecords }), "5");
	ASSERT_EQ(Do({ "do", "Key", "of", "Window", "Autsch", "with",
		"bytes=\n" }), 0);
	EXPECT_EQ(AlertsOpen(), 0);

	// Monday becomes free.
	ASSERT_EQ(Set("ol_list", "Selection", "4"), 0);
	ASSERT_EQ(Set("ol_list", "Selection", "3"), 0);
	ASSERT_EQ(Choose("mDGrp", "no DayModel"), 0);

	// The option key shows the hidden button, a second press hides it.
	EXPECT_EQ(At("Hidden", "sSTM"), "true");
	ASSERT_EQ(Do({ "do", "Key", "of", "Window", kRecords, "with",
		"key=102" }), 0);
	EXPECT_EQ(At("Hidden", "sSTM"), "false");
	ASSERT_EQ(Do({ "do", "Key", "of", "Window", kRecords, "with",
		"key=103" }), 0);
	EXPECT_EQ(At("Hidden", "sSTM"), "true");

	// The register is written when the records window closes.
	ASSERT_EQ(Do({ "quit", "Window", kRecords }), 0);
	std::string profiles = FileBytes(fFolder + "/_Time_Profiles_");
	EXPECT_NE(profiles.find("\nBT 10:00-10:10 Kaffee\n"), std::string::npos)
		<< profiles;
	EXPECT_NE(profiles.find("\nWM 040:00 A-Standart,*A-WerkTags,*NULL,"
		"*A-WerkTags,*A-WerkTags,*A-WerkTags,*A-WerkTags,*A-WerkTags,*NULL\n"),
		std::string::npos) << profiles;
	EXPECT_EQ(profiles.find("Gleit"), std::string::npos);

	// Opened again, the register is read back the same.
	OpenRecords();
	EXPECT_EQ(Hey({ "get", "Label", "of", "MenuItem", "-1", "of", "View",
		"mBGrp", "of", "Window", kRecords }), "Unionbreak");
	EXPECT_EQ(Hey({ "get", "Label", "of", "MenuItem", "Kaffee", "of",
		"View", "mBGrp", "of", "Window", kRecords }), "Kaffee");
	EXPECT_EQ(Quit(), 0);
}


TEST_F(RecordsPagesE2eTest, SaveIntoTagFileAppendsTheMarker)
{
	WriteRegister("AB12CD34\t\tMaria Muster\t\n");
	Start();
	Read({ "AB12CD34" });
	std::string before = FileBytes(fFolder + "/AB12CD34");
	ASSERT_EQ(before.size(), 8u);
	OpenRecords();
	// The row's click names the employee; back on the models page the
	// week model is chosen and written into the booking file.
	ClickRow(0);
	ToRecords({ "pMdl" });
	ASSERT_EQ(Choose("mWGrp", "A-Standart"), 0);
	ASSERT_EQ(Do({ "do", "Key", "of", "Window", kRecords, "with",
		"key=102" }), 0);
	ASSERT_EQ(Click("sSTM"), 0);
	std::string after = FileBytes(fFolder + "/AB12CD34");
	std::string marker = std::string("WM  ") + std::string("\x18\0\0\0", 4)
		+ "A-Standart" + std::string(14, ' ');
	EXPECT_EQ(after, before + marker);

	// The booking page shows the marker once the file is read again.
	ClickRow(0);
	ToRecords({ "pBuc" });
	ASSERT_TRUE(Snapshot(fRoot + "/bookings.png", kRecords));
	const char* keep = getenv("ZELMORA_PAGES_PICTURES");
	if (keep != NULL)
		Snapshot(std::string(keep) + "/e2e-bookings.png", kRecords);
	EXPECT_EQ(Quit(), 0);
}
