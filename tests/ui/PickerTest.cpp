// The date and time picker embedded in a page: keys, wrapping in every
// date order, the arrow bands and the wheel, focus moves that fit the day
// to the month, and the result handed to a page that deletes the picker.
#include "UiTest.h"

#include <math.h>
#include <string.h>
#include <time.h>

#include <algorithm>

#include <Labels.h>
#include <TDStringView.h>
#include <TDView.h>
#include <eRadioButton.h>

namespace {

const char* const kUp = "\x1e";
const char* const kDown = "\x1f";
const char* const kLeft = "\x1c";
const char* const kRight = "\x1d";
const char* const kTab = "\t";
const char* const kEnter = "\n";
const char* const kEscape = "\x1b";


long
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
	return (long)mktime(&local);
}

}	// namespace


class PickerTest : public UiTest {
protected:
	// A picker on a text, shown in the host as the booking page does.
	void Open(const char* text, int32 format = TDView::kYearMonthDay)
	{
		Attach(new TDView(text, "stm.", format, true, false));
	}

	void Open(long time, int32 format = TDView::kYearMonthDay)
	{
		Attach(new TDView(time, "stm.", format, true, false));
	}

	void Attach(TDView* view)
	{
		picker = view;
		// The page takes the result and deletes the picker in the call.
		host->onMessage = [this](BMessage* message) {
			if (message->what != 'Qmod' || picker == NULL)
				return;
			host->RemoveChild(picker);
			delete picker;
			picker = NULL;
		};
		host->AddChild(picker);
		Show();
	}

	TDStringView* Field(int32 number) { return picker->Field(number); }

	// The field that has the focus; exactly one must have it.
	int32 Focused()
	{
		int32 focused = 0;
		for (int32 i = kTDYear; i <= kTDMinute; i++) {
			if (Field(i)->IsFocused()) {
				EXPECT_EQ(focused, 0) << "two fields focused";
				focused = i;
				EXPECT_EQ(window->CurrentFocus(), Field(i));
			}
		}
		return focused;
	}

	TDView* picker = NULL;
};


TEST_F(PickerTest, FieldsAreCutFromTheTextInEachDateOrder)
{
	struct {
		const char* text;
		int32 format;
		const char* order[3];
	} cases[] = {
		{ "2026/04/09 07:05", TDView::kYearMonthDay, { "year", "mon", "day" } },
		{ "04/09/2026 07:05", TDView::kMonthDayYear, { "mon", "day", "year" } },
		{ "09/04/2026 07:05", TDView::kDayMonthYear, { "day", "mon", "year" } },
	};
	Show();
	for (const auto& c : cases) {
		SCOPED_TRACE(c.text);
		TDView* view = new TDView(c.text, "", c.format, true, false);
		ASSERT_TRUE(window->Lock());
		host->AddChild(view);
		window->Unlock();
		ASSERT_TRUE(Sync());
		EXPECT_EQ(view->Field(kTDYear)->Value(), 2026);
		EXPECT_EQ(view->Field(kTDMonth)->Value(), 4);
		EXPECT_EQ(view->Field(kTDDay)->Value(), 9);
		EXPECT_EQ(view->Field(kTDHour)->Value(), 7);
		EXPECT_EQ(view->Field(kTDMinute)->Value(), 5);
		EXPECT_STREQ(view->Field(kTDDay)->Text(), "09");
		// The fields stand left to right in the date order.
		float left[3];
		for (int32 i = 0; i < 3; i++)
			left[i] = view->FindView(c.order[i])->Frame().left;
		EXPECT_LT(left[0], left[1]);
		EXPECT_LT(left[1], left[2]);
		EXPECT_LT(left[2], view->Field(kTDHour)->Frame().left);
		// The hour field starts with the focus.
		EXPECT_TRUE(view->Field(kTDHour)->IsFocused());
		EXPECT_EQ(window->CurrentFocus(), view->Field(kTDHour));
		ASSERT_TRUE(window->Lock());
		host->RemoveChild(view);
		delete view;
		window->Unlock();
	}
}


TEST_F(PickerTest, OpenedOnATimeShowsItInTheChosenOrder)
{
	long time = local_time(2026, 11, 3, 16, 45);
	Open(time, TDView::kDayMonthYear);
	EXPECT_STREQ(picker->DateText(), "03/11/2026 16:45");
	EXPECT_EQ(Field(kTDDay)->Value(), 3);
	EXPECT_EQ(Field(kTDMonth)->Value(), 11);
	EXPECT_EQ(Field(kTDYear)->Value(), 2026);
	EXPECT_EQ(Field(kTDHour)->Value(), 16);
	EXPECT_EQ(Field(kTDMinute)->Value(), 45);
	EXPECT_EQ(picker->Frame(), BRect(2, 2, 2 + 599 - 75, 44));
}


TEST_F(PickerTest, TabAndArrowsMoveTheFocusAround)
{
	Open("2026/04/09 07:05");
	EXPECT_EQ(Focused(), kTDHour);
	Key(kTab);
	EXPECT_EQ(Focused(), kTDMinute);
	// After the minute comes the year.
	Key(kTab);
	EXPECT_EQ(Focused(), kTDYear);
	Key(kRight);
	EXPECT_EQ(Focused(), kTDMonth);
	Key(kLeft);
	Key(kLeft);
	EXPECT_EQ(Focused(), kTDMinute);
	// Focus moves change no value.
	EXPECT_EQ(Field(kTDYear)->Value(), 2026);
	EXPECT_EQ(Field(kTDMinute)->Value(), 5);
}


TEST_F(PickerTest, ValuesWrapInsideTheirRangesInEachDateOrder)
{
	const char* texts[] = { "2037/12/09 07:00", "12/09/2037 07:00",
		"09/12/2037 07:00" };
	for (int32 format = 0; format < 3; format++) {
		SCOPED_TRACE(texts[format]);
		Open(texts[format], format);
		// Minute 0 minus 1 is 59; plus 1 is 0 again.
		Key(kTab);
		Key(kDown);
		EXPECT_EQ(Field(kTDMinute)->Value(), 59);
		EXPECT_STREQ(Field(kTDMinute)->Text(), "59");
		Key("+");
		EXPECT_EQ(Field(kTDMinute)->Value(), 0);
		EXPECT_STREQ(Field(kTDMinute)->Text(), "00");
		// Year 2037 plus 1 is 1970.
		Key(kTab);
		Key(kUp);
		EXPECT_EQ(Field(kTDYear)->Value(), 1970);
		EXPECT_STREQ(Field(kTDYear)->Text(), "1970");
		Key("-");
		EXPECT_EQ(Field(kTDYear)->Value(), 2037);
		// Month 12 plus 1 shows "Jan".
		Key(kTab);
		Key("+");
		EXPECT_EQ(Field(kTDMonth)->Value(), 1);
		EXPECT_STREQ(Field(kTDMonth)->Text(), "Jan");
		// Hour 23 plus 1 is 0, 0 minus 1 is 23.
		Key(kTab);
		Key(kTab);
		EXPECT_EQ(Focused(), kTDHour);
		Key(kDown);
		Key(kDown);
		EXPECT_EQ(Field(kTDHour)->Value(), 5);
		Keys(kDown, 6);
		EXPECT_EQ(Field(kTDHour)->Value(), 23);
		Key(kEscape);
		EXPECT_EQ(picker, nullptr);
	}
}


TEST_F(PickerTest, DayRangeFollowsTheMonthOnlyWhenTheFocusMoves)
{
	Open("2026/03/31 10:00");
	Key(kTab);
	Key(kTab);
	Key(kTab);
	EXPECT_EQ(Focused(), kTDMonth);
	Key("+");
	EXPECT_EQ(Field(kTDMonth)->Value(), 4);
	// Before the focus moves the day keeps the old range.
	EXPECT_EQ(Field(kTDDay)->Maximum(), 31);
	Key(kTab);
	EXPECT_EQ(Focused(), kTDDay);
	EXPECT_EQ(Field(kTDDay)->Minimum(), 1);
	EXPECT_EQ(Field(kTDDay)->Maximum(), 30);
	EXPECT_EQ(Field(kTDDay)->Value(), 31);
	Key("+");
	EXPECT_EQ(Field(kTDDay)->Value(), 1);
	Key("-");
	EXPECT_EQ(Field(kTDDay)->Value(), 30);

	// February of a leap year has 29 days.
	Key(kLeft);
	Keys("-", 2);
	Key(kLeft);
	Keys("-", 2);
	Key(kRight);
	Key(kRight);
	EXPECT_EQ(Field(kTDYear)->Value(), 2024);
	EXPECT_EQ(Field(kTDMonth)->Value(), 2);
	EXPECT_EQ(Field(kTDDay)->Maximum(), 29);
}


TEST_F(PickerTest, EnterHandsThePickedTimeAndEscapeTheOpeningTime)
{
	long opening = local_time(2026, 6, 15, 9, 30);
	Open(opening);
	Key("+");
	Key(kTab);
	Keys(kUp, 5);
	Key(kEnter);
	ASSERT_EQ(host->Count('Qmod'), 1);
	const BMessage* result = host->Last('Qmod');
	EXPECT_EQ(result->GetInt32("_QuitMod", -1), 1);
	EXPECT_EQ(result->GetInt32("_backT", -1),
		(int32)local_time(2026, 6, 15, 10, 35));
	EXPECT_EQ(result->GetInt32("_initT", -1), (int32)opening);
	EXPECT_EQ(picker, nullptr);

	host->received.clear();
	Open(opening);
	Key("+");
	Key(kEscape);
	ASSERT_EQ(host->Count('Qmod'), 1);
	result = host->Last('Qmod');
	EXPECT_EQ(result->GetInt32("_QuitMod", -1), 0);
	EXPECT_EQ(result->GetInt32("_backT", -1), (int32)opening);
	EXPECT_FALSE(result->HasInt32("_initT"));
}


TEST_F(PickerTest, ResultOfEveryFieldAndOfTheButtons)
{
	long opening = local_time(2026, 1, 20, 8, 0);
	for (int32 number = kTDYear; number <= kTDMinute; number++) {
		SCOPED_TRACE(number);
		host->received.clear();
		Open(opening);
		// Walk to the field, then accept there.
		while (Focused() != number)
			Key(kTab);
		Key(kEnter);
		ASSERT_EQ(host->Count('Qmod'), 1);
		EXPECT_EQ(host->Last('Qmod')->GetInt32("_backT", -1), (int32)opening);
	}

	// The buttons post their result to the picker, which hands it on.
	host->received.clear();
	Open(opening);
	BView* ok = picker->FindView("done");
	ASSERT_NE(ok, nullptr);
	EXPECT_STREQ(picker->FindView("cancel")->Name(), "cancel");
	EXPECT_EQ(ok->Bounds(), BRect(0, 0, 40, 15));
	WindowAutomation::Click(ok, BPoint(20, 8));
	ASSERT_TRUE(Sync());
	ASSERT_EQ(host->Count('Qmod'), 1);
	EXPECT_EQ(host->Last('Qmod')->GetInt32("_QuitMod", -1), 1);
	EXPECT_EQ(host->Last('Qmod')->GetInt32("_initT", -1), (int32)opening);
	EXPECT_EQ(picker, nullptr);

	host->received.clear();
	Open(opening);
	WindowAutomation::Click(picker->FindView("cancel"), BPoint(20, 8));
	ASSERT_TRUE(Sync());
	ASSERT_EQ(host->Count('Qmod'), 1);
	EXPECT_EQ(host->Last('Qmod')->GetInt32("_QuitMod", -1), 0);
}


// A day beyond the chosen month's end stands for the month's last day,
// not for a day of the next month.
TEST_F(PickerTest, DayBeyondTheMonthIsClampedInTheResult)
{
	Open("2026/04/31 10:00");
	EXPECT_EQ(Field(kTDDay)->Value(), 31);
	Key(kEnter);
	ASSERT_EQ(host->Count('Qmod'), 1);
	time_t back = host->Last('Qmod')->GetInt32("_backT", -1);
	struct tm local;
	localtime_r(&back, &local);
	EXPECT_EQ(local.tm_mon, 3);
	EXPECT_EQ(local.tm_mday, 30);
	EXPECT_EQ(local.tm_hour, 10);
	EXPECT_EQ(host->Last('Qmod')->GetInt32("_initT", -1), 0);
}


// The clock time picked stays the clock time across a change of daylight
// saving between the opening and the picked date.
TEST_F(PickerTest, LocalTimeAcrossDaylightSaving)
{
	long opening = local_time(2026, 1, 10, 10, 0);
	Open(opening);
	Key(kLeft);
	Key(kLeft);
	Keys("+", 6);
	Key(kEnter);
	time_t back = host->Last('Qmod')->GetInt32("_backT", -1);
	struct tm local;
	localtime_r(&back, &local);
	EXPECT_EQ(local.tm_mon, 6);
	EXPECT_EQ(local.tm_mday, 10);
	EXPECT_EQ(local.tm_hour, 10);
	EXPECT_EQ(local.tm_min, 0);
	EXPECT_EQ(local.tm_isdst, 1);
}


TEST_F(PickerTest, MouseOnTheArrowBandsAndTheWheel)
{
	Open("2026/04/09 07:05");
	TDStringView* hour = Field(kTDHour);
	WindowAutomation::Click(hour, BPoint(8, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(hour->Value(), 8);
	WindowAutomation::Click(hour, BPoint(8, 35));
	WindowAutomation::Click(hour, BPoint(8, 30));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(hour->Value(), 6);
	// The middle band changes nothing.
	WindowAutomation::Click(hour, BPoint(8, 13));
	WindowAutomation::Click(hour, BPoint(8, 21));
	WindowAutomation::Click(hour, BPoint(8, 29));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(hour->Value(), 6);
	EXPECT_STREQ(hour->Text(), "06");

	// A click on a field without focus only moves the focus there.
	TDStringView* month = Field(kTDMonth);
	WindowAutomation::Click(month, BPoint(8, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(Focused(), kTDMonth);
	EXPECT_EQ(month->Value(), 4);

	// The wheel steps the focused field: up adds, down subtracts.
	WindowAutomation::Wheel(window, -1, BPoint(50, 20));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(month->Value(), 5);
	EXPECT_STREQ(month->Text(), "May");
	WindowAutomation::Wheel(window, 1, BPoint(50, 20));
	WindowAutomation::Wheel(window, 1, BPoint(50, 20));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(month->Value(), 3);

	// The pieces that only draw take no clicks.
	WindowAutomation::Click(picker->FindView("tprA"), BPoint(2, 5));
	ASSERT_TRUE(Sync());
	EXPECT_EQ(Focused(), kTDMonth);
}


TEST_F(PickerTest, SetRangeOrdersItsBounds)
{
	TDStringView field(BRect(0, 0, 20, 42), "day", "17", kTDDay);
	EXPECT_EQ(field.Value(), 17);
	EXPECT_EQ(field.Minimum(), 0);
	EXPECT_EQ(field.Maximum(), 17);
	field.SetRange(31, 1);
	EXPECT_EQ(field.Minimum(), 1);
	EXPECT_EQ(field.Maximum(), 31);
	EXPECT_EQ(field.Value(), 17);

	// Only spin fields take the focus.
	TDStringView end(BRect(0, 0, 5, 42), "randr", " ", kTDLeftEnd);
	end.SetOnFocus(kTDLeftEnd);
	EXPECT_FALSE(end.IsFocused());
}


TEST_F(PickerTest, HiddenGroups)
{
	TDView* dateOnly = new TDView("2026/04/09 07:05", "", 0, false, false);
	TDView* timeOnly = new TDView("99/99/9999 07:05", "", 0, true, true);
	ASSERT_TRUE(window->Lock());
	host->AddChild(dateOnly);
	window->Unlock();
	Show();
	EXPECT_TRUE(dateOnly->Field(kTDHour)->IsHidden());
	EXPECT_FALSE(dateOnly->Field(kTDYear)->IsHidden());

	ASSERT_TRUE(window->Lock());
	host->RemoveChild(dateOnly);
	delete dateOnly;
	host->AddChild(timeOnly);
	window->Unlock();
	ASSERT_TRUE(Sync());
	EXPECT_TRUE(timeOnly->Field(kTDYear)->IsHidden());
	EXPECT_FALSE(timeOnly->Field(kTDMinute)->IsHidden());
	// The time group moves to where the date group would stand.
	EXPECT_LT(timeOnly->Field(kTDHour)->Frame().left, 20);
	EXPECT_EQ(timeOnly->Field(kTDHour)->Value(), 7);
}


TEST_F(PickerTest, SnapshotOfThePicker)
{
	// The picker over a row of page tabs, as on the booking page.
	const char* labels[] = { "Bookings", "Settings", "Models" };
	for (int32 i = 0; i < 3; i++) {
		eRadioButton* tab = new eRadioButton(BRect(8 + i * 90, 60,
			90 + i * 90, 81), labels[i], labels[i], new BMessage('page'));
		host->AddChild(tab);
		if (i == 1)
			tab->SetValue(B_CONTROL_ON);
	}
	Open("2026/04/09 07:05");
	Key(kTab);
	BString path(ZELMORA_BINARY_DIR);
	path << "/tests/ui_picker.png";
	EXPECT_EQ(WindowAutomation::SavePNG(window, path.String()), B_OK);
	// The focused minute field shows its light band, the others the
	// picker's grey.
	TDStringView* minute = Field(kTDMinute);
	ASSERT_TRUE(window->Lock());
	rgb_color band = minute->PixelAt(BPoint(2, 14));
	rgb_color plain = Field(kTDHour)->PixelAt(BPoint(2, 14));
	window->Unlock();
	rgb_color light = tint_color(ui_color(B_MENU_BACKGROUND_COLOR),
		B_LIGHTEN_2_TINT);
	EXPECT_EQ(band.red, light.red);
	EXPECT_EQ(plain.red, 232);
}


TEST_F(PickerTest, EveryMonthNameStaysInsideTheFocusFrameAndNoGroupMeetsTheButtons)
{
	Open("2026/01/09 07:05");
	Key(kLeft);
	Key(kLeft);
	ASSERT_EQ(Focused(), kTDMonth);
	TDStringView* month = Field(kTDMonth);
	for (int32 value = 1; value <= 12; value++) {
		SCOPED_TRACE(getLabel(100 + value));
		ASSERT_TRUE(window->Lock());
		float width = month->Bounds().Width();
		float text = month->StringWidth(getLabel(100 + value));
		window->Unlock();
		// The name stands 2 pixels right of the centre; the focus frame
		// runs along the field's bounds, the name must end short of it.
		float left = floorf((width + 1 - text) / 2) + 2;
		EXPECT_GE(left, 1);
		EXPECT_LE(left + text, width);
		Key(kUp);
	}
	EXPECT_EQ(month->Value(), 1);

	// The year's four digits fit its field as well.
	ASSERT_TRUE(window->Lock());
	EXPECT_LE(Field(kTDYear)->StringWidth("2026"),
		Field(kTDYear)->Bounds().Width() - 1);
	// The buttons stand between the date group and the time group.
	BRect ok = picker->FindView("done")->Frame();
	BRect esc = picker->FindView("cancel")->Frame();
	float dateEnd = 0, timeStart = 1000;
	for (int32 i = 0; i < picker->CountChildren(); i++) {
		BRect frame = picker->ChildAt(i)->Frame();
		if (frame.left < ok.left)
			dateEnd = std::max(dateEnd, frame.right);
		else if (frame.left > ok.right)
			timeStart = std::min(timeStart, frame.left);
	}
	window->Unlock();
	EXPECT_LT(dateEnd, ok.left);
	EXPECT_EQ(esc.left, ok.left);
	EXPECT_LT(ok.right, timeStart);
	EXPECT_LE(timeStart, Field(kTDHour)->Frame().left);
}
