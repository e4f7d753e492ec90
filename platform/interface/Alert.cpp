// BAlert: laid out as on BeOS: a darker stripe down the left with the
// icon over its edge, the text to the right of it, the buttons along the
// bottom right, the default button last.
#include <Alert.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>

#include <AppPrivate.h>
#include <Button.h>
#include <Invoker.h>
#include <Message.h>
#include <String.h>
#include <TextView.h>

#include <QFont>
#include <QStringList>
#include <QTextLayout>
#include <QTextOption>

namespace BPrivate {
QFont qt_font(const BFont& font);
}

static const uint32 kMsgButtonPressed = '_ABp';

static const float kWindowWidth = 310;
static const float kIconStripe = 30;
static const float kTextLeft = 55;
static const float kTextLeftEmpty = 10;
static const float kMargin = 10;
static const float kButtonHeight = 24;
static const float kButtonSpacing = 7;
static const float kUsualButtonWidth = 75;


namespace {

// The alert's background: the stripe and the icon of the alert type.
class AlertBackground : public BView {
public:
	AlertBackground(BRect frame, alert_type type)
		:
		BView(frame, "TAlertView", B_FOLLOW_ALL, B_WILL_DRAW),
		fType(type)
	{
		SetViewColor(ui_color(B_PANEL_BACKGROUND_COLOR));
	}

	void Draw(BRect) override
	{
		if (fType == B_EMPTY_ALERT)
			return;
		BRect bounds = Bounds();
		SetHighColor(tint_color(ViewColor(), B_DARKEN_1_TINT));
		FillRect(BRect(0, 0, kIconStripe - 1, bounds.bottom));

		BRect icon(18, 6, 49, 37);
		switch (fType) {
			case B_INFO_ALERT:
			case B_IDEA_ALERT:
			{
				// A round blue sign with a white "i" (yellow for ideas).
				SetHighColor(fType == B_INFO_ALERT ? make_color(40, 80, 200)
					: make_color(250, 210, 40));
				FillEllipse(icon);
				SetHighColor(30, 30, 60);
				StrokeEllipse(icon);
				SetHighColor(fType == B_INFO_ALERT ? make_color(255, 255, 255)
					: make_color(60, 40, 0));
				FillRect(BRect(32, 10, 35, 13));
				FillRect(BRect(32, 17, 35, 31));
				FillRect(BRect(30, 30, 37, 31));
				break;
			}
			case B_WARNING_ALERT:
			{
				SetHighColor(250, 200, 30);
				FillTriangle(BPoint(33, 6), BPoint(49, 37), BPoint(18, 37));
				SetHighColor(60, 40, 0);
				StrokeTriangle(BPoint(33, 6), BPoint(49, 37), BPoint(18, 37));
				FillRect(BRect(32, 15, 35, 28));
				FillRect(BRect(32, 31, 35, 34));
				break;
			}
			case B_STOP_ALERT:
			{
				SetHighColor(210, 30, 30);
				FillEllipse(icon);
				SetHighColor(90, 0, 0);
				StrokeEllipse(icon);
				SetHighColor(255, 255, 255);
				FillRect(BRect(22, 19, 45, 24));
				break;
			}
			default:
				break;
		}
	}

private:
	alert_type	fType;
};


// Lines the text takes at a width, broken as the text view breaks them:
// at word boundaries, and inside a word wider than a line (a long path)
// wherever it has to.
int32
count_lines(const BFont& font, const char* text, float width)
{
	QTextOption option;
	option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
	QFont qfont = BPrivate::qt_font(font);
	int32 lines = 0;
	const QStringList paragraphs
		= QString::fromUtf8(text != NULL ? text : "").split(QChar('\n'));
	for (const QString& paragraph : paragraphs) {
		QTextLayout layout(paragraph, qfont);
		layout.setTextOption(option);
		layout.beginLayout();
		int32 count = 0;
		while (true) {
			QTextLine line = layout.createLine();
			if (!line.isValid())
				break;
			line.setLineWidth(width);
			count++;
		}
		layout.endLayout();
		lines += std::max<int32>(count, 1);
	}
	return lines;
}

}	// namespace


BAlert::BAlert(const char* title, const char* text, const char* button1,
	const char* button2, const char* button3, button_width width,
	alert_type type)
	:
	BWindow(BRect(0, 0, kWindowWidth - 1, 99), title, B_MODAL_WINDOW_LOOK,
		B_MODAL_APP_WINDOW_FEEL, B_NOT_CLOSABLE | B_NOT_RESIZABLE
			| B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE | B_ASYNCHRONOUS_CONTROLS)
{
	_Init(text, button1, button2, button3, width, B_EVEN_SPACING, type);
}


BAlert::BAlert(const char* title, const char* text, const char* button1,
	const char* button2, const char* button3, button_width width,
	button_spacing spacing, alert_type type)
	:
	BWindow(BRect(0, 0, kWindowWidth - 1, 99), title, B_MODAL_WINDOW_LOOK,
		B_MODAL_APP_WINDOW_FEEL, B_NOT_CLOSABLE | B_NOT_RESIZABLE
			| B_NOT_ZOOMABLE | B_NOT_MINIMIZABLE | B_ASYNCHRONOUS_CONTROLS)
{
	_Init(text, button1, button2, button3, width, spacing, type);
}


void
BAlert::_Init(const char* text, const char* button1, const char* button2,
	const char* button3, button_width width, button_spacing spacing,
	alert_type type)
{
	fType = type;
	fInvoker = NULL;
	fResult = NULL;
	fDone = NULL;
	fButtonCount = 0;
	for (int32 i = 0; i < 3; i++) {
		fButtons[i] = NULL;
		fShortcuts[i] = 0;
	}

	// Buttons from the right; the usual width is at least 75 pixels. The
	// window grows when they do not fit.
	BFont font(be_plain_font);
	const char* labels[3] = { button1, button2, button3 };
	float widths[3] = { 0, 0, 0 };
	float widest = 0;
	for (int32 i = 0; i < 3 && labels[i] != NULL; i++) {
		widths[i] = ceilf(font.StringWidth(labels[i])) + 20;
		widest = std::max(widest, widths[i]);
		fButtonCount++;
	}
	for (int32 i = 0; i < fButtonCount; i++) {
		if (width == B_WIDTH_AS_USUAL)
			widths[i] = std::max(widths[i], kUsualButtonWidth);
		else if (width == B_WIDTH_FROM_WIDEST)
			widths[i] = std::max(widest, kUsualButtonWidth);
	}
	float left = type == B_EMPTY_ALERT ? kTextLeftEmpty : kTextLeft;
	float needed = left + 9;
	for (int32 i = 0; i < fButtonCount; i++)
		needed += widths[i] + (i > 0 ? kButtonSpacing : 0);
	if (spacing == B_OFFSET_SPACING && fButtonCount > 1)
		needed += 20;
	float windowWidth = std::max(kWindowWidth, ceilf(needed));
	ResizeTo(windowWidth - 1, Bounds().Height());

	AlertBackground* background = new AlertBackground(Bounds(), type);
	AddChild(background);

	// The text, as tall as its lines.
	float textWidth = windowWidth - left - kMargin;
	font_height height;
	font.GetHeight(&height);
	float lineHeight = ceilf(height.ascent + height.descent + height.leading);
	int32 lines = count_lines(font, text, textWidth - 4);
	float textHeight = std::max(lines * lineHeight, 32.0f);
	BRect textFrame(left, 6, left + textWidth - 1, 6 + textHeight + 2);
	fTextView = new BTextView(textFrame, "_tv_", textFrame.OffsetToCopy(0, 0),
		B_FOLLOW_LEFT | B_FOLLOW_TOP, B_WILL_DRAW);
	fTextView->SetViewColor(background->ViewColor());
	fTextView->SetText(text != NULL ? text : "");
	fTextView->MakeEditable(false);
	fTextView->MakeSelectable(false);
	fTextView->SetWordWrap(true);
	background->AddChild(fTextView);

	float buttonTop = textFrame.bottom + kMargin;
	float right = windowWidth - 1 - 9;
	for (int32 i = fButtonCount - 1; i >= 0; i--) {
		float buttonWidth = widths[i];
		BMessage* message = new BMessage(kMsgButtonPressed);
		message->AddInt32("which", i);
		BRect frame(right - buttonWidth + 1, buttonTop, right,
			buttonTop + kButtonHeight - 1);
		// Named by position, so a script can click a given one.
		char name[16];
		snprintf(name, sizeof(name), "_b%d_", (int)i);
		fButtons[i] = new BButton(frame, name, labels[i], message);
		background->AddChild(fButtons[i]);
		right = frame.left - kButtonSpacing;
		// The first button stands apart from the others.
		if (spacing == B_OFFSET_SPACING && i == 1)
			right -= 20;
	}
	if (fButtonCount > 0)
		SetDefaultButton(fButtons[fButtonCount - 1]);

	ResizeTo(windowWidth - 1, buttonTop + kButtonHeight + 9 + 3);
	CenterOnScreen();
}


BAlert::~BAlert()
{
	// A waiting Go ends without a button.
	if (fDone != NULL)
		*fDone = true;
	delete fInvoker;
}


void
BAlert::SetShortcut(int32 index, char key)
{
	if (index >= 0 && index < fButtonCount)
		fShortcuts[index] = key;
}


char
BAlert::Shortcut(int32 index) const
{
	return index >= 0 && index < fButtonCount ? fShortcuts[index] : 0;
}


BButton*
BAlert::ButtonAt(int32 index) const
{
	return index >= 0 && index < fButtonCount ? fButtons[index] : NULL;
}


static bool
alert_done(void* cookie)
{
	return *(bool*)cookie;
}


int32
BAlert::Go()
{
	int32 result = -1;
	bool done = false;
	fResult = &result;
	fDone = &done;
	Show();
	BPrivate::run_nested_loop(alert_done, &done);
	return result;
}


status_t
BAlert::Go(BInvoker* invoker)
{
	delete fInvoker;
	fInvoker = invoker;
	Show();
	return B_OK;
}


void
BAlert::_Pressed(int32 index)
{
	if (fResult != NULL)
		*fResult = index;
	if (fDone != NULL)
		*fDone = true;
	fResult = NULL;
	fDone = NULL;
	if (fInvoker != NULL) {
		BMessage* message = fInvoker->Message();
		if (message != NULL) {
			message->RemoveName("which");
			message->AddInt32("which", index);
			fInvoker->Invoke();
		}
	}
	Quit();
}


void
BAlert::DispatchMessage(BMessage* message, BHandler* handler)
{
	if (message->what == B_KEY_DOWN) {
		const char* bytes = NULL;
		if (message->FindString("bytes", &bytes) == B_OK && bytes != NULL
			&& bytes[0] != '\0' && bytes[1] == '\0') {
			for (int32 i = 0; i < fButtonCount; i++) {
				if (fShortcuts[i] != 0 && fShortcuts[i] == bytes[0]
					&& fButtons[i]->IsEnabled()) {
					_Pressed(i);
					return;
				}
			}
		}
	}
	BWindow::DispatchMessage(message, handler);
}


void
BAlert::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgButtonPressed:
		{
			int32 which;
			if (message->FindInt32("which", &which) == B_OK)
				_Pressed(which);
			break;
		}
		default:
			BWindow::MessageReceived(message);
			break;
	}
}
