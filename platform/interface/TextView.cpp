// BTextView over a Qt editor: a QPlainTextEdit, or a QLineEdit for the
// one-line input of BTextControl. The editor never sees Qt input directly:
// an event filter hands every key, click and wheel step to the window's
// widget, which queues them as BeOS messages; KeyDown and MouseDown then
// pass them on to the editor. So a subclass that overrides KeyDown sees
// every key first, as on BeOS.
#include <TextView.h>

#include <math.h>
#include <string.h>

#include <algorithm>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QWheelEvent>
#include <QWidget>

#include <AppPrivate.h>
#include <Message.h>
#include <ScrollBar.h>
#include <ViewWidgets.h>
#include <Window.h>

static const uint32 kMsgEditorScrolled = '_TVs';

namespace BPrivate {

QFont qt_font(const BFont& font);


class TextEditor : public QObject {
public:
	TextEditor(BTextView* view, bool singleLine)
		:
		fView(view),
		fLine(NULL),
		fPlain(NULL),
		fForwarding(false),
		fScrollPosted(false)
	{
		if (singleLine) {
			fLine = new QLineEdit();
			fLine->setFrame(false);
			fLine->setTextMargins(0, 0, 0, 0);
			fLine->setContentsMargins(0, 0, 0, 0);
		} else {
			fPlain = new QPlainTextEdit();
			fPlain->setFrameShape(QFrame::NoFrame);
			fPlain->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
			fPlain->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
			fPlain->document()->setDocumentMargin(0);
			fPlain->setContentsMargins(0, 0, 0, 0);
			fPlain->viewport()->installEventFilter(this);
			QObject::connect(fPlain->verticalScrollBar(),
				&QScrollBar::valueChanged, this, [this]() { _Scrolled(); });
			QObject::connect(fPlain->verticalScrollBar(),
				&QScrollBar::rangeChanged, this, [this]() { _Scrolled(); });
		}
		QWidget* widget = Widget();
		widget->setFocusPolicy(Qt::NoFocus);
		widget->setContextMenuPolicy(Qt::NoContextMenu);
		widget->setAttribute(Qt::WA_InputMethodEnabled, false);
		widget->installEventFilter(this);
	}

	~TextEditor()
	{
		// The editor's signals must not reach the view while it goes.
		fView = NULL;
		if (fPlain != NULL)
			fPlain->verticalScrollBar()->disconnect(this);
		delete Widget();
	}

	QWidget* Widget() const
	{
		return fLine != NULL ? (QWidget*)fLine : (QWidget*)fPlain;
	}

	// The widget that takes the mouse.
	QWidget* MouseWidget() const
	{
		return fLine != NULL ? (QWidget*)fLine : fPlain->viewport();
	}

	QString Text() const
	{
		return fLine != NULL ? fLine->text() : fPlain->toPlainText();
	}

	void SetText(const QString& text)
	{
		if (fLine != NULL)
			fLine->setText(text);
		else
			fPlain->setPlainText(text);
	}

	void GetSelection(int* start, int* end) const
	{
		if (fLine != NULL) {
			if (fLine->hasSelectedText()) {
				*start = fLine->selectionStart();
				*end = *start + (int)fLine->selectedText().length();
			} else
				*start = *end = fLine->cursorPosition();
			return;
		}
		QTextCursor cursor = fPlain->textCursor();
		*start = cursor.selectionStart();
		*end = cursor.selectionEnd();
	}

	void Select(int start, int end)
	{
		if (fLine != NULL) {
			if (start == end)
				fLine->setCursorPosition(start);
			else
				fLine->setSelection(start, end - start);
			return;
		}
		QTextCursor cursor(fPlain->document());
		cursor.setPosition(start);
		cursor.setPosition(end, QTextCursor::KeepAnchor);
		fPlain->setTextCursor(cursor);
	}

	void Insert(int position, const QString& text)
	{
		if (fLine != NULL) {
			QString value = fLine->text();
			value.insert(position, text);
			fLine->setText(value);
			fLine->setCursorPosition(position + (int)text.length());
			return;
		}
		QTextCursor cursor(fPlain->document());
		cursor.setPosition(position);
		cursor.insertText(text);
	}

	void Remove(int start, int end)
	{
		if (fLine != NULL) {
			QString value = fLine->text();
			value.remove(start, end - start);
			fLine->setText(value);
			fLine->setCursorPosition(start);
			return;
		}
		QTextCursor cursor(fPlain->document());
		cursor.setPosition(start);
		cursor.setPosition(end, QTextCursor::KeepAnchor);
		cursor.removeSelectedText();
	}

	// Hands an event to the editor itself, past the filter.
	void Forward(QWidget* target, QEvent* event)
	{
		fForwarding = true;
		QApplication::sendEvent(target, event);
		fForwarding = false;
	}

	void ScrollHandled() { fScrollPosted = false; }

	// Scrolls the caret into view; in a window not yet shown once more
	// when Qt has laid the editor out for its real size.
	void EnsureCursorVisible()
	{
		if (fPlain == NULL)
			return;
		fPlain->ensureCursorVisible();
		fEnsurePending = true;
	}

	// Until the user or code scrolls otherwise, each new layout keeps
	// the caret in view.
	void EnsurePendingCursor()
	{
		if (fEnsurePending && fPlain != NULL && fPlain->isVisible())
			fPlain->ensureCursorVisible();
	}

	void DropPendingCursor() { fEnsurePending = false; }

	BTextView*		fView;
	QLineEdit*		fLine;
	QPlainTextEdit*	fPlain;

protected:
	bool eventFilter(QObject* object, QEvent* event) override
	{
		if (fForwarding)
			return false;
		QWidget* widget = qobject_cast<QWidget*>(object);
		QWidget* top = widget != NULL ? widget->window() : NULL;
		if (top == NULL || top == widget)
			return false;
		switch (event->type()) {
			case QEvent::KeyPress:
			case QEvent::KeyRelease:
			{
				QKeyEvent* key = static_cast<QKeyEvent*>(event);
				QKeyEvent copy(key->type(), key->key(), key->modifiers(),
					key->nativeScanCode(), key->nativeVirtualKey(),
					key->nativeModifiers(), key->text(), key->isAutoRepeat(),
					key->count());
				QApplication::sendEvent(top, &copy);
				return true;
			}
			case QEvent::MouseButtonPress:
			case QEvent::MouseButtonRelease:
			case QEvent::MouseButtonDblClick:
			case QEvent::MouseMove:
			{
				QMouseEvent* mouse = static_cast<QMouseEvent*>(event);
				QPointF local = widget->mapTo(top,
					mouse->position().toPoint());
				QMouseEvent copy(mouse->type(), local, local,
					mouse->globalPosition(), mouse->button(),
					mouse->buttons(), mouse->modifiers());
				QApplication::sendEvent(top, &copy);
				return true;
			}
			case QEvent::Wheel:
			{
				QWheelEvent* wheel = static_cast<QWheelEvent*>(event);
				QPointF local = widget->mapTo(top,
					wheel->position().toPoint());
				QWheelEvent copy(local, wheel->globalPosition(),
					wheel->pixelDelta(), wheel->angleDelta(),
					wheel->buttons(), wheel->modifiers(), wheel->phase(),
					wheel->inverted());
				QApplication::sendEvent(top, &copy);
				return true;
			}
			case QEvent::ContextMenu:
				return true;
			default:
				return false;
		}
	}

private:
	// Qt scrolled the editor (typing, cursor keys, new text): the scroll
	// bars hear of it through the window's queue.
	void _Scrolled()
	{
		if (fScrollPosted || fView == NULL || fView->Window() == NULL)
			return;
		fScrollPosted = true;
		fView->Window()->PostMessage(kMsgEditorScrolled, fView);
	}

	bool			fForwarding;
	bool			fScrollPosted;
	bool			fEnsurePending = false;
};

}	// namespace BPrivate

using BPrivate::TextEditor;


static QString
qt_string(const char* text, int32 length = -1)
{
	if (text == NULL)
		return QString();
	if (length < 0)
		length = (int32)strlen(text);
	return QString::fromUtf8(text, (qsizetype)strnlen(text, length));
}


// Byte offsets of the UTF-8 text to positions of the Qt string and back.
static int
qt_position(const QString& text, int32 offset)
{
	QByteArray bytes = text.toUtf8();
	offset = std::max<int32>(0, std::min<int32>(offset, bytes.size()));
	return (int)QString::fromUtf8(bytes.constData(), offset).length();
}


static int32
byte_offset(const QString& text, int position)
{
	position = std::max(0, std::min(position, (int)text.length()));
	return (int32)text.left(position).toUtf8().size();
}


// Cuts UTF-8 text to at most max bytes without splitting a character.
static QByteArray
cut_to_bytes(const QByteArray& text, int32 max)
{
	if (text.size() <= max)
		return text;
	int32 end = std::max<int32>(0, max);
	while (end > 0 && (((uint8)text.at(end)) & 0xc0) == 0x80)
		end--;
	return text.left(end);
}


//	#pragma mark - BTextView


BTextView::BTextView(BRect frame, const char* name, BRect textRect,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS)
{
	_Init(textRect, NULL, NULL);
}


BTextView::BTextView(BRect frame, const char* name, BRect textRect,
	const BFont* initialFont, const rgb_color* initialColor,
	uint32 resizingMode, uint32 flags)
	:
	BView(frame, name, resizingMode, flags | B_FRAME_EVENTS)
{
	_Init(textRect, initialFont, initialColor);
}


void
BTextView::_Init(BRect textRect, const BFont* font, const rgb_color* color)
{
	BPrivate::ensure_qt_app();
	fEditor = NULL;
	fTextRect = textRect;
	fTextColor = color != NULL ? *color : make_color(0, 0, 0);
	fMaxBytes = INT32_MAX;
	fAlignment = B_ALIGN_LEFT;
	fEditable = true;
	fSelectable = true;
	fWordWrap = true;
	fStylable = false;
	fAutoindent = false;
	fSingleLine = false;
	fTracking = false;
	if (font != NULL)
		BView::SetFont(font);
	fEditor = new TextEditor(this, false);
	_ApplyLook();
}


BTextView::~BTextView()
{
	delete fEditor;
}


void
BTextView::_SetSingleLine()
{
	if (fSingleLine)
		return;
	QString text = fEditor->Text();
	delete fEditor;
	fSingleLine = true;
	fEditor = new TextEditor(this, true);
	fEditor->SetText(text);
	_ApplyLook();
	_PlaceEditor();
}


void
BTextView::AttachedToWindow()
{
	_PlaceEditor();
	BView::AttachedToWindow();
}


void
BTextView::DetachedFromWindow()
{
	// The editor outlives the view's widget.
	QWidget* widget = fEditor->Widget();
	widget->hide();
	widget->setParent(NULL);
	BView::DetachedFromWindow();
}


// The editor covers the text rectangle; it is a child of the view's
// widget, so it moves, hides and shows with the view.
void
BTextView::_PlaceEditor()
{
	QWidget* parent = static_cast<QWidget*>(BPrivate::view_widget(this));
	QWidget* widget = fEditor->Widget();
	if (parent == NULL)
		return;
	if (widget->parentWidget() != parent)
		widget->setParent(parent);
	BRect bounds = Bounds();
	BRect rect = fTextRect;
	float top = std::max(rect.top, 0.0f);
	float left = std::max(rect.left, 0.0f);
	float right = std::min(rect.right, bounds.Width());
	// The text rectangle of a BTextView grows with its text; the editor
	// takes the visible height below its top.
	float bottom = fSingleLine ? std::min(rect.bottom, bounds.Height())
		: bounds.Height() - top;
	QSize oldSize = widget->size();
	widget->setGeometry((int)left, (int)top,
		std::max(1, (int)(right - left) + 1),
		std::max(1, (int)(bottom - top) + 1));
	widget->show();
	if (!widget->isVisible()) {
		// Qt holds back the resize of a widget in a hidden window; the
		// editor lays out its lines for the new size now, so scrolling
		// to a line is right before the window is shown.
		QResizeEvent event(widget->size(), oldSize);
		QApplication::sendEvent(widget, &event);
	}
	_UpdateScrollBars();
}


void
BTextView::_ApplyLook()
{
	QWidget* widget = fEditor->Widget();
	QPalette palette = widget->palette();
	rgb_color view = ViewColor();
	QColor base(view.red, view.green, view.blue);
	QColor text(fTextColor.red, fTextColor.green, fTextColor.blue);
	rgb_color marked = tint_color(view, B_DARKEN_2_TINT);
	QColor highlight(marked.red, marked.green, marked.blue);
	for (QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive,
			QPalette::Disabled }) {
		palette.setColor(group, QPalette::Base, base);
		palette.setColor(group, QPalette::Window, base);
		palette.setColor(group, QPalette::Text, text);
		palette.setColor(group, QPalette::WindowText, text);
		palette.setColor(group, QPalette::Highlight, highlight);
		palette.setColor(group, QPalette::HighlightedText, text);
	}
	widget->setPalette(palette);
	widget->setAutoFillBackground(true);
	BFont font;
	GetFont(&font);
	widget->setFont(BPrivate::qt_font(font));

	Qt::Alignment align = fAlignment == B_ALIGN_CENTER ? Qt::AlignHCenter
		: fAlignment == B_ALIGN_RIGHT ? Qt::AlignRight : Qt::AlignLeft;
	Qt::TextInteractionFlags interaction = Qt::NoTextInteraction;
	if (fSelectable || fEditable) {
		interaction |= Qt::TextSelectableByMouse
			| Qt::TextSelectableByKeyboard;
	}
	if (fEditable)
		interaction |= Qt::TextEditable;
	if (fEditor->fLine != NULL) {
		fEditor->fLine->setAlignment(align | Qt::AlignVCenter);
		fEditor->fLine->setReadOnly(!fEditable);
	} else {
		QPlainTextEdit* plain = fEditor->fPlain;
		plain->setReadOnly(!fEditable);
		plain->setTextInteractionFlags(interaction);
		plain->setLineWrapMode(fWordWrap ? QPlainTextEdit::WidgetWidth
			: QPlainTextEdit::NoWrap);
		QTextOption option = plain->document()->defaultTextOption();
		option.setAlignment(align);
		plain->document()->setDefaultTextOption(option);
		plain->viewport()->setPalette(palette);
		plain->viewport()->setAutoFillBackground(true);
	}
}


void
BTextView::Draw(BRect)
{
	// The editor paints the text; the update pass filled the rest.
}


void
BTextView::FrameResized(float width, float height)
{
	_PlaceEditor();
	BView::FrameResized(width, height);
}


void
BTextView::SetViewColor(rgb_color color)
{
	BView::SetViewColor(color);
	if (fEditor != NULL)
		_ApplyLook();
}


void
BTextView::SetFont(const BFont* font, uint32 mask)
{
	BView::SetFont(font, mask);
	if (fEditor != NULL) {
		_ApplyLook();
		_UpdateScrollBars();
	}
}


//	#pragma mark - text


bool
BTextView::_FitsMaxBytes(const char* text) const
{
	return text == NULL || (int32)strlen(text) <= fMaxBytes;
}


void
BTextView::SetText(const char* text)
{
	SetText(text, text != NULL ? (int32)strlen(text) : 0);
}


void
BTextView::SetText(const char* text, int32 length)
{
	QByteArray bytes = qt_string(text, length).toUtf8();
	bytes = cut_to_bytes(bytes, fMaxBytes);
	fEditor->DropPendingCursor();
	fEditor->SetText(QString::fromUtf8(bytes));
	// BeOS puts the caret at the start of new text.
	fEditor->Select(0, 0);
	_UpdateScrollBars();
}


const char*
BTextView::Text() const
{
	fText = fEditor->Text().toUtf8().constData();
	return fText.String();
}


int32
BTextView::TextLength() const
{
	return (int32)fEditor->Text().toUtf8().size();
}


void
BTextView::GetText(int32 offset, int32 length, char* buffer) const
{
	if (buffer == NULL)
		return;
	QByteArray bytes = fEditor->Text().toUtf8();
	offset = std::max<int32>(0, std::min<int32>(offset, bytes.size()));
	length = std::max<int32>(0, std::min<int32>(length,
		bytes.size() - offset));
	memcpy(buffer, bytes.constData() + offset, length);
	buffer[length] = '\0';
}


char
BTextView::ByteAt(int32 offset) const
{
	QByteArray bytes = fEditor->Text().toUtf8();
	if (offset < 0 || offset >= bytes.size())
		return '\0';
	return bytes.at(offset);
}


void
BTextView::Insert(const char* text)
{
	Insert(text, text != NULL ? (int32)strlen(text) : 0);
}


void
BTextView::Insert(const char* text, int32 length)
{
	int32 start, end;
	GetSelection(&start, &end);
	Insert(start, text, length);
}


void
BTextView::Insert(int32 offset, const char* text, int32 length)
{
	QByteArray bytes = qt_string(text, length).toUtf8();
	int32 room = fMaxBytes - TextLength();
	if (room <= 0)
		return;
	bytes = cut_to_bytes(bytes, room);
	QString current = fEditor->Text();
	fEditor->Insert(qt_position(current, offset), QString::fromUtf8(bytes));
	_UpdateScrollBars();
}


void
BTextView::Delete()
{
	int32 start, end;
	GetSelection(&start, &end);
	Delete(start, end);
}


void
BTextView::Delete(int32 startOffset, int32 endOffset)
{
	QString current = fEditor->Text();
	int start = qt_position(current, startOffset);
	int end = qt_position(current, endOffset);
	if (end <= start)
		return;
	fEditor->Remove(start, end);
	_UpdateScrollBars();
}


//	#pragma mark - selection and lines


void
BTextView::Select(int32 startOffset, int32 endOffset)
{
	if (!fSelectable && startOffset != endOffset)
		return;
	QString current = fEditor->Text();
	int start = qt_position(current, startOffset);
	int end = qt_position(current, std::max(startOffset, endOffset));
	fEditor->Select(start, end);
}


void
BTextView::SelectAll()
{
	Select(0, TextLength());
}


void
BTextView::GetSelection(int32* startOffset, int32* endOffset) const
{
	int start, end;
	fEditor->GetSelection(&start, &end);
	QString current = fEditor->Text();
	if (startOffset != NULL)
		*startOffset = byte_offset(current, start);
	if (endOffset != NULL)
		*endOffset = byte_offset(current, end);
}


// Lines as the editor lays them out: one per paragraph without word wrap,
// the wrapped lines of each paragraph with it.
static int
block_lines(const QTextBlock& block)
{
	// Paragraphs are laid out lazily; count the lines of a laid-out one.
	QPlainTextDocumentLayout* documentLayout
		= qobject_cast<QPlainTextDocumentLayout*>(
			block.document()->documentLayout());
	if (documentLayout != NULL)
		documentLayout->ensureBlockLayout(block);
	QTextLayout* layout = block.layout();
	int count = layout != NULL ? layout->lineCount() : 0;
	return std::max(count, 1);
}


int32
BTextView::CountLines() const
{
	if (fEditor->fLine != NULL)
		return 1;
	int32 count = 0;
	QTextDocument* document = fEditor->fPlain->document();
	for (QTextBlock block = document->begin(); block.isValid();
			block = block.next())
		count += block_lines(block);
	return count;
}


int32
BTextView::CurrentLine() const
{
	if (fEditor->fLine != NULL)
		return 0;
	QTextCursor cursor = fEditor->fPlain->textCursor();
	QTextBlock current = cursor.block();
	int32 line = 0;
	QTextDocument* document = fEditor->fPlain->document();
	for (QTextBlock block = document->begin(); block.isValid()
			&& block != current; block = block.next())
		line += block_lines(block);
	QTextLayout* layout = current.layout();
	if (layout != NULL && layout->lineCount() > 0) {
		QTextLine inBlock = layout->lineForTextPosition(
			cursor.position() - current.position());
		if (inBlock.isValid())
			line += inBlock.lineNumber();
	}
	return line;
}


// Puts the caret at the start of a line; beyond the last line, at the end
// of the text. It does not scroll.
void
BTextView::GoToLine(int32 lineNumber)
{
	if (fEditor->fLine != NULL) {
		fEditor->Select(0, 0);
		return;
	}
	QTextDocument* document = fEditor->fPlain->document();
	lineNumber = std::max<int32>(0, lineNumber);
	int32 line = 0;
	for (QTextBlock block = document->begin(); block.isValid();
			block = block.next()) {
		int lines = block_lines(block);
		if (lineNumber < line + lines) {
			int position = block.position();
			QTextLayout* layout = block.layout();
			if (layout != NULL && layout->lineCount() > lineNumber - line)
				position += layout->lineAt(lineNumber - line).textStart();
			QTextCursor cursor(document);
			cursor.setPosition(position);
			fEditor->fPlain->setTextCursor(cursor);
			return;
		}
		line += lines;
	}
	QTextCursor cursor(document);
	cursor.movePosition(QTextCursor::End);
	fEditor->fPlain->setTextCursor(cursor);
}


float
BTextView::LineHeight(int32) const
{
	// The editor spaces its lines by the font's line spacing, leading
	// included.
	QFontMetricsF metrics(fEditor->Widget()->font());
	return ceilf(metrics.lineSpacing());
}


float
BTextView::TextHeight(int32 startLine, int32 endLine) const
{
	int32 count = CountLines();
	startLine = std::max<int32>(0, startLine);
	endLine = std::min<int32>(endLine, count - 1);
	if (endLine < startLine)
		return 0;
	return (endLine - startLine + 1) * LineHeight();
}


void
BTextView::ScrollToOffset(int32 offset)
{
	if (fEditor->fLine != NULL) {
		fEditor->fLine->setCursorPosition(qt_position(fEditor->Text(),
			offset));
		return;
	}
	QTextCursor saved = fEditor->fPlain->textCursor();
	QTextCursor cursor(fEditor->fPlain->document());
	cursor.setPosition(qt_position(fEditor->Text(), offset));
	fEditor->fPlain->setTextCursor(cursor);
	fEditor->fPlain->ensureCursorVisible();
	fEditor->fPlain->setTextCursor(saved);
	_UpdateScrollBars();
}


void
BTextView::ScrollToSelection()
{
	if (fEditor->fPlain != NULL) {
		fEditor->EnsureCursorVisible();
		_UpdateScrollBars();
	}
}


void
BTextView::ScrollTo(BPoint where)
{
	if (fEditor->fPlain == NULL)
		return;
	fEditor->DropPendingCursor();
	float lineHeight = LineHeight();
	QScrollBar* bar = fEditor->fPlain->verticalScrollBar();
	if (lineHeight > 0)
		bar->setValue((int)roundf(std::max(0.0f, where.y) / lineHeight));
	_UpdateScrollBars();
}


// Lines of the editor to pixels of the scroll bars: the range is the
// hidden part of the text, the value the top line's pixel position.
void
BTextView::_UpdateScrollBars()
{
	fEditor->ScrollHandled();
	BScrollBar* vertical = ScrollBar(B_VERTICAL);
	if (vertical == NULL || fEditor->fPlain == NULL)
		return;
	QScrollBar* bar = fEditor->fPlain->verticalScrollBar();
	float lineHeight = LineHeight();
	float visible = fEditor->fPlain->viewport()->height();
	// The hidden part of the text, in whole lines so that the last line
	// can be seen entirely.
	float total = CountLines() * lineHeight;
	float hidden = lineHeight > 0
		? ceilf(std::max(0.0f, total - visible) / lineHeight) * lineHeight : 0;
	vertical->SetRange(0, hidden);
	vertical->SetProportion(total > 0 ? std::min(1.0f, visible / total) : 1);
	vertical->SetSteps(lineHeight, std::max(lineHeight, visible - lineHeight));
	vertical->_TargetScrolled(bar->value() * lineHeight);
}


//	#pragma mark - behaviour


void
BTextView::MakeEditable(bool editable)
{
	fEditable = editable;
	_ApplyLook();
}


void
BTextView::MakeSelectable(bool selectable)
{
	fSelectable = selectable;
	if (!selectable) {
		int32 start, end;
		GetSelection(&start, &end);
		Select(start, start);
	}
	_ApplyLook();
}


void
BTextView::SetWordWrap(bool wrap)
{
	fWordWrap = wrap;
	_ApplyLook();
}


void
BTextView::SetMaxBytes(int32 max)
{
	fMaxBytes = std::max<int32>(0, max);
	QByteArray bytes = fEditor->Text().toUtf8();
	if (bytes.size() > fMaxBytes)
		fEditor->SetText(QString::fromUtf8(cut_to_bytes(bytes, fMaxBytes)));
}


void
BTextView::DisallowChar(uint32 character)
{
	if (character < 128 && fDisallowed.FindFirst((char)character) < 0)
		fDisallowed << (char)character;
}


void
BTextView::AllowChar(uint32 character)
{
	if (character < 128)
	{
		char text[2] = { (char)character, '\0' };
		fDisallowed.RemoveAll(text);
	}
}


void
BTextView::SetAlignment(alignment flag)
{
	fAlignment = flag;
	_ApplyLook();
}


void
BTextView::SetTextRect(BRect rect)
{
	fTextRect = rect;
	_PlaceEditor();
}


void
BTextView::SetFontAndColor(const BFont* font, uint32 mode,
	const rgb_color* color)
{
	if (color != NULL)
		fTextColor = *color;
	if (font != NULL)
		BView::SetFont(font, mode);
	_ApplyLook();
	_UpdateScrollBars();
}


void
BTextView::GetFontAndColor(BFont* font, uint32* sameProperties,
	rgb_color* color, bool* sameColor) const
{
	if (font != NULL)
		GetFont(font);
	if (sameProperties != NULL)
		*sameProperties = B_FONT_ALL;
	if (color != NULL)
		*color = fTextColor;
	if (sameColor != NULL)
		*sameColor = true;
}


void
BTextView::_TextModifiedByUser()
{
}


//	#pragma mark - input


void
BTextView::MakeFocus(bool focus)
{
	BView::MakeFocus(focus);
	QWidget* widget = fEditor->Widget();
	if (Window() == NULL)
		return;
	if (focus && IsFocus())
		widget->setFocus(Qt::OtherFocusReason);
	else if (!focus && widget->hasFocus())
		widget->window()->setFocus(Qt::OtherFocusReason);
}


// A key from the window's queue goes to the editor as a Qt key event.
void
BTextView::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes <= 0 || bytes == NULL)
		return;
	uint8 first = (uint8)bytes[0];
	uint32 modifiers = 0;
	BMessage* current = Window() != NULL ? Window()->CurrentMessage() : NULL;
	if (current != NULL)
		current->FindInt32("modifiers", (int32*)&modifiers);

	int qtKey = 0;
	QString text;
	bool navigation = false;
	switch (first) {
		case B_BACKSPACE: qtKey = Qt::Key_Backspace; break;
		case B_DELETE: qtKey = Qt::Key_Delete; break;
		case B_LEFT_ARROW: qtKey = Qt::Key_Left; navigation = true; break;
		case B_RIGHT_ARROW: qtKey = Qt::Key_Right; navigation = true; break;
		case B_UP_ARROW: qtKey = Qt::Key_Up; navigation = true; break;
		case B_DOWN_ARROW: qtKey = Qt::Key_Down; navigation = true; break;
		case B_HOME: qtKey = Qt::Key_Home; navigation = true; break;
		case B_END: qtKey = Qt::Key_End; navigation = true; break;
		case B_PAGE_UP: qtKey = Qt::Key_PageUp; navigation = true; break;
		case B_PAGE_DOWN: qtKey = Qt::Key_PageDown; navigation = true; break;
		case B_ENTER:
			if (fSingleLine)
				return;
			qtKey = Qt::Key_Return;
			text = "\n";
			break;
		case B_TAB:
			qtKey = Qt::Key_Tab;
			text = "\t";
			break;
		case B_ESCAPE:
		case B_INSERT:
		case B_FUNCTION_KEY:
			return;
		default:
			text = QString::fromUtf8(bytes, numBytes);
			if (first < 0x20 && (modifiers & B_CONTROL_KEY) != 0) {
				// Control with a letter: the byte is the letter's code.
				qtKey = 'A' + first - 1;
				text = QString();
			} else if (!text.isEmpty())
				qtKey = text.at(0).toUpper().unicode();
			break;
	}
	if (qtKey == 0)
		return;
	if (!fEditable && !navigation) {
		// Read-only text still copies and selects.
		if ((modifiers & (B_COMMAND_KEY | B_CONTROL_KEY)) == 0)
			return;
	}
	if (!text.isEmpty() && first < 128 && fDisallowed.FindFirst((char)first)
			>= 0)
		return;

	Qt::KeyboardModifiers qtModifiers;
	if (modifiers & B_SHIFT_KEY)
		qtModifiers |= Qt::ShiftModifier;
	// The BeOS shortcut key (Alt on a PC keyboard) acts as Qt's Control.
	if (modifiers & (B_COMMAND_KEY | B_CONTROL_KEY)) {
		qtModifiers |= Qt::ControlModifier;
		text = QString();
	}

	fEditor->DropPendingCursor();
	QString before = fEditor->Text();
	int selectionStart, selectionEnd;
	fEditor->GetSelection(&selectionStart, &selectionEnd);
	QKeyEvent event(QEvent::KeyPress, qtKey, qtModifiers, text);
	fEditor->Forward(fEditor->Widget(), &event);
	QString after = fEditor->Text();
	if (after == before) {
		_UpdateScrollBars();
		return;
	}
	if ((int32)after.toUtf8().size() > fMaxBytes
		&& after.toUtf8().size() > before.toUtf8().size()) {
		// Over the limit: the key is refused.
		fEditor->SetText(before);
		fEditor->Select(selectionStart, selectionEnd);
		return;
	}
	_UpdateScrollBars();
	_TextModifiedByUser();
}


void
BTextView::_ForwardMouse(uint32 what, BPoint where)
{
	QWidget* parent = static_cast<QWidget*>(BPrivate::view_widget(this));
	if (parent == NULL)
		return;
	QWidget* target = fEditor->MouseWidget();
	BPoint inWidget = where - Bounds().LeftTop();
	QPointF local = target->mapFrom(parent, QPoint((int)inWidget.x,
		(int)inWidget.y));
	QPointF global = target->mapToGlobal(local);
	int32 clicks = 1;
	BMessage* current = Window()->CurrentMessage();
	if (current != NULL)
		current->FindInt32("clicks", &clicks);
	QEvent::Type type = QEvent::MouseMove;
	Qt::MouseButton button = Qt::NoButton;
	Qt::MouseButtons buttons = Qt::LeftButton;
	if (what == B_MOUSE_DOWN) {
		type = clicks > 1 ? QEvent::MouseButtonDblClick
			: QEvent::MouseButtonPress;
		button = Qt::LeftButton;
	} else if (what == B_MOUSE_UP) {
		type = QEvent::MouseButtonRelease;
		button = Qt::LeftButton;
		buttons = Qt::NoButton;
	}
	QMouseEvent event(type, local, local, global, button, buttons,
		Qt::NoModifier);
	fEditor->Forward(target, &event);
}


void
BTextView::MouseDown(BPoint where)
{
	if (!fSelectable && !fEditable)
		return;
	MakeFocus(true);
	fEditor->DropPendingCursor();
	fTracking = true;
	SetMouseEventMask(B_POINTER_EVENTS);
	_ForwardMouse(B_MOUSE_DOWN, where);
}


void
BTextView::MouseMoved(BPoint where, uint32 transit,
	const BMessage* dragMessage)
{
	if (fTracking)
		_ForwardMouse(B_MOUSE_MOVED, where);
	BView::MouseMoved(where, transit, dragMessage);
}


void
BTextView::MouseUp(BPoint where)
{
	if (fTracking) {
		fTracking = false;
		_ForwardMouse(B_MOUSE_UP, where);
	}
	BView::MouseUp(where);
}


void
BTextView::MessageReceived(BMessage* message)
{
	switch (message->what) {
		case kMsgEditorScrolled:
			fEditor->EnsurePendingCursor();
			_UpdateScrollBars();
			break;

		case B_MOUSE_WHEEL_CHANGED:
		{
			float delta;
			if (message->FindFloat("be:wheel_delta_y", &delta) != B_OK
				|| delta == 0 || fEditor->fPlain == NULL)
				break;
			BScrollBar* bar = ScrollBar(B_VERTICAL);
			float step = LineHeight() * 3;
			if (bar != NULL)
				bar->SetValue(bar->Value() + delta * step);
			else {
				QScrollBar* qtBar = fEditor->fPlain->verticalScrollBar();
				qtBar->setValue(qtBar->value() + (int)(delta * 3));
			}
			break;
		}

		default:
			BView::MessageReceived(message);
			break;
	}
}
