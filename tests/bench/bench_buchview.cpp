// The booking page with ten years of bookings (about 5,000 rows) in an
// offscreen window: building the rows, building and drawing them, drawing
// again without an edit (which must build nothing), scrolling, and an edit.
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <benchmark/benchmark.h>

#include <Application.h>
#include <Message.h>
#include <ScrollBar.h>
#include <Window.h>
#include <WindowAutomation.h>

#include <BuchView.h>
#include <BuchungsListe.h>
#include <TBuView.h>
#include <fBuchung.h>

using BPrivate::WindowAutomation;

namespace {

const int kDays = 3652;

struct Page {
	BWindow*		window = NULL;
	BuchView*		view = NULL;
	BuchungsListe	list;
};


// Two pairs on every weekday from 2010 on, under one week model.
void
fill(BuchungsListe& list)
{
	fBuchung* marker = new fBuchung();
	marker->fKind1 = marker->fKind2 = kBuchungMarker;
	marker->fTime1 = marker->fTime2 = 16;
	marker->SetText("A-Standart");
	list.AddItem(marker);
	struct tm day = {};
	day.tm_year = 110;
	day.tm_mday = 1;
	day.tm_isdst = -1;
	for (int i = 0; i < kDays; i++, day.tm_mday++) {
		struct tm at = day;
		at.tm_hour = 12;
		time_t noon = mktime(&at);
		localtime_r(&noon, &at);
		if (at.tm_wday == 0 || at.tm_wday == 6)
			continue;
		const int pairs[2][4] = { { 7, 30, 12, 0 }, { 12, 30, 16, 15 } };
		for (const int* pair : pairs) {
			at.tm_hour = pair[0];
			at.tm_min = pair[1];
			fBuchung* row = new fBuchung(kBuchungIn, mktime(&at));
			at.tm_hour = pair[2];
			at.tm_min = pair[3];
			row->fKind2 = kBuchungOut;
			row->fTime2 = mktime(&at);
			list.AddItem(row);
		}
	}
}


Page&
page()
{
	static Page* sPage = NULL;
	if (sPage == NULL) {
		setenv("QT_QPA_PLATFORM", "offscreen", 0);
		new BApplication("application/x-vnd.zelmora-bench-buchview");
		sPage = new Page;
		sPage->window = new BWindow(BRect(100, 100, 679, 519), "Time-INFO",
			B_TITLED_WINDOW_LOOK, B_NORMAL_WINDOW_FEEL, 0);
		sPage->view = new BuchView(BRect(8, 22, 571, 415), "BuchView", NULL);
		sPage->window->AddChild(sPage->view);
		sPage->window->Show();
		fill(sPage->list);
		WindowAutomation::Sync();
	}
	return *sPage;
}


void
BM_RebuildRows(benchmark::State& state)
{
	Page& p = page();
	for (auto _ : state)
		p.view->SetBuchungsListe(&p.list);
	state.counters["rows"] = p.view->Container()->CountChildren();
	WindowAutomation::Sync();
}
BENCHMARK(BM_RebuildRows)->Unit(benchmark::kMillisecond);


void
BM_RebuildAndDraw(benchmark::State& state)
{
	Page& p = page();
	for (auto _ : state) {
		p.view->SetBuchungsListe(&p.list);
		WindowAutomation::Sync();
	}
}
BENCHMARK(BM_RebuildAndDraw)->Unit(benchmark::kMillisecond);


void
BM_RedrawWithoutEdit(benchmark::State& state)
{
	Page& p = page();
	p.view->SetBuchungsListe(&p.list);
	WindowAutomation::Sync();
	uint32 builds = p.view->Container()->Builds();
	for (auto _ : state) {
		p.view->Container()->Invalidate();
		p.view->Invalidate();
		WindowAutomation::Sync();
	}
	if (p.view->Container()->Builds() != builds)
		state.SkipWithError("a redraw built the rows");
}
BENCHMARK(BM_RedrawWithoutEdit)->Unit(benchmark::kMillisecond);


// One wheel notch (80 pixels) down through the list and drawn.
void
BM_ScrollStep(benchmark::State& state)
{
	Page& p = page();
	p.view->SetBuchungsListe(&p.list);
	WindowAutomation::Sync();
	BScrollBar* bar = p.view->ScrollBar();
	float min, max;
	bar->GetRange(&min, &max);
	for (auto _ : state) {
		float next = bar->Value() + 80;
		bar->SetValue(next > max ? 0 : next);
		WindowAutomation::Sync();
	}
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond);


// A move in the middle of the list: the edit and the rows built anew.
void
BM_EditInTheMiddle(benchmark::State& state)
{
	Page& p = page();
	p.view->SetBuchungsListe(&p.list);
	WindowAutomation::Sync();
	BMessage request(kMsgBuchEdit);
	request.AddInt32("EntNr", p.list.CountItems() / 2);
	request.AddInt32("dothis", 5);
	request.AddInt32("InOut", 1);
	for (auto _ : state) {
		p.window->PostMessage(&request, p.view);
		WindowAutomation::Sync();
	}
}
BENCHMARK(BM_EditInTheMiddle)->Unit(benchmark::kMillisecond);

}	// namespace

BENCHMARK_MAIN();
