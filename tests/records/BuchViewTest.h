// Frame of the booking page tests: one application per program on the
// offscreen platform, and per test a window that holds a booking page the
// size the records window gives it, showing a list built in memory.
#ifndef BUCH_VIEW_TEST_H
#define BUCH_VIEW_TEST_H

#include <Application.h>
#include <Message.h>
#include <Window.h>
#include <WindowAutomation.h>

#include <BuchungsListe.h>
#include <TDView.h>
#include <fBuchung.h>

#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <gtest/gtest.h>

#include "BuchView.h"
#include "EntryView.h"
#include "TBuView.h"

using BPrivate::WindowAutomation;


inline time_t
local_time(int year, int month, int day, int hour, int minute)
{
	struct tm local;
	memset(&local, 0, sizeof(local));
	local.tm_year = year - 1900;
	local.tm_mon = month - 1;
	local.tm_mday = day;
	local.tm_hour = hour;
	local.tm_min = minute;
	local.tm_isdst = -1;
	return mktime(&local);
}


inline fBuchung*
pair_row(time_t in, time_t out, const char* note = "--")
{
	fBuchung* row = new fBuchung(kBuchungIn, in, note);
	row->fKind2 = kBuchungOut;
	row->fTime2 = out;
	return row;
}


inline fBuchung*
marker_row(const char* name)
{
	fBuchung* row = new fBuchung();
	row->fKind1 = row->fKind2 = kBuchungMarker;
	row->fTime1 = row->fTime2 = 8;
	row->SetText(name);
	row->fEditState = kBuchungEditRead;
	return row;
}


class BuchViewTest : public ::testing::Test {
protected:
	static void SetUpTestSuite()
	{
		setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
		tzset();
		if (be_app == NULL)
			new BApplication("application/x-vnd.zelmora-buchview-test");
	}

	void SetUp() override
	{
		// The records window's size, and its page area.
		window = new BWindow(BRect(100, 100, 679, 519), "Time-INFO",
			B_TITLED_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL, 0);
		page = new BuchView(BRect(8, 22, 571, 415), "BuchView", NULL);
		window->AddChild(page);
		list = new BuchungsListe();
		window->Show();
		page->MakeFocus(true);
		ASSERT_TRUE(Sync());
	}

	void TearDown() override
	{
		if (window->Lock())
			window->Quit();
		Sync();
		delete list;
		delete other;
	}

	static bool Sync() { return WindowAutomation::Sync(); }

	// Shows the list as the records window does after reading a file.
	void ShowList(BuchungsListe* shown = NULL)
	{
		page->SetBuchungsListe(shown != NULL ? shown : list);
		ASSERT_TRUE(Sync());
	}

	EntryView* Row(int32 index) const
	{
		return dynamic_cast<EntryView*>(page->Container()->ChildAt(index));
	}

	// Posts an edit request as a menu item would and works it off.
	void Edit(int32 entry, int32 doThis, int32 inOut = kBuchungColumnIn)
	{
		BMessage request(kMsgBuchEdit);
		request.AddInt32("EntNr", entry);
		request.AddInt32("dothis", doThis);
		request.AddInt32("InOut", inOut);
		window->PostMessage(&request, page);
		ASSERT_TRUE(Sync());
	}

	// The picker's answer, as its buttons give it.
	void Answer(bool done)
	{
		ASSERT_NE(page->Picker(), nullptr);
		BMessage result(kMsgBuchTime);
		result.AddInt32("_QuitMod", done ? 1 : 0);
		window->PostMessage(&result, page->Picker());
		ASSERT_TRUE(Sync());
	}

	BWindow* window;
	BuchView* page;
	BuchungsListe* list;
	BuchungsListe* other = NULL;
};

#endif	// BUCH_VIEW_TEST_H
