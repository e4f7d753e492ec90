// BWindow on Qt: a top-level QWidget per window. Qt events never run a
// hook: they are turned into BeOS messages and queued in the window's
// looper, which dispatches them on the GUI thread in order with every other
// message. Hooks may therefore delete the view that runs them.
#include <Window.h>

#include "Scripting.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <AppDefs.h>
#include <AppPrivate.h>
#include <Application.h>
#include <Button.h>
#include <Entry.h>
#include <Message.h>
#include <OS.h>
#include <View.h>
#include <ViewWidgets.h>

static const float kMaxWindowSize = 32768;


//	#pragma mark - Qt application factory


static void*
make_qt_application(int& argc, char** argv)
{
	// Sizes are pixels: Qt's scale factor stays 1 on every screen, unless
	// the user asks Qt for another one. Child widgets stay alien.
	if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")
		&& !qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
		qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
	QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
	return new QApplication(argc, argv);
}


namespace BPrivate {

// Called from the static initialisers of the kit's files, so that linking
// any part of the interface kit makes BApplication start a QApplication.
bool
register_interface_kit()
{
	static bool sRegistered = false;
	if (!sRegistered) {
		sRegistered = true;
		set_qt_app_factory(make_qt_application);
	}
	return true;
}

}	// namespace BPrivate

static const bool sKitRegistered = BPrivate::register_interface_kit();


//	#pragma mark - key mapping


namespace {

struct KeyMapping {
	int		qtKey;
	uint8	byte;
	int32	key;
};

// BeOS key bytes and key codes of the special keys.
const KeyMapping kKeys[] = {
	{ Qt::Key_Return,		B_ENTER,		0x47 },
	{ Qt::Key_Enter,		B_ENTER,		0x5b },
	{ Qt::Key_Tab,			B_TAB,			0x26 },
	{ Qt::Key_Backtab,		B_TAB,			0x26 },
	{ Qt::Key_Backspace,	B_BACKSPACE,	0x1e },
	{ Qt::Key_Escape,		B_ESCAPE,		0x01 },
	{ Qt::Key_Left,			B_LEFT_ARROW,	0x61 },
	{ Qt::Key_Right,		B_RIGHT_ARROW,	0x63 },
	{ Qt::Key_Up,			B_UP_ARROW,		0x57 },
	{ Qt::Key_Down,			B_DOWN_ARROW,	0x62 },
	{ Qt::Key_Insert,		B_INSERT,		0x1f },
	{ Qt::Key_Delete,		B_DELETE,		0x34 },
	{ Qt::Key_Home,			B_HOME,			0x20 },
	{ Qt::Key_End,			B_END,			0x35 },
	{ Qt::Key_PageUp,		B_PAGE_UP,		0x21 },
	{ Qt::Key_PageDown,		B_PAGE_DOWN,	0x36 },
	{ Qt::Key_Space,		B_SPACE,		0x5e }
};


int32
be_buttons(Qt::MouseButtons buttons)
{
	int32 result = 0;
	if (buttons & Qt::LeftButton)
		result |= B_PRIMARY_MOUSE_BUTTON;
	if (buttons & Qt::RightButton)
		result |= B_SECONDARY_MOUSE_BUTTON;
	if (buttons & Qt::MiddleButton)
		result |= B_TERTIARY_MOUSE_BUTTON;
	return result;
}


// Adds "refs" for every local file of a drag's data.
int32
add_refs(BMessage* message, const QMimeData* data)
{
	int32 count = 0;
	if (data == NULL || !data->hasUrls())
		return 0;
	for (const QUrl& url : data->urls()) {
		if (!url.isLocalFile())
			continue;
		entry_ref ref;
		QByteArray path = url.toLocalFile().toUtf8();
		if (get_ref_for_path(path.constData(), &ref) == B_OK) {
			message->AddRef("refs", &ref);
			count++;
		}
	}
	return count;
}

}	// namespace


//	#pragma mark - WindowWidget


namespace BPrivate {

class WindowWidget : public QWidget {
public:
	WindowWidget(BWindow* window)
		:
		QWidget(NULL),
		fWindow(window),
		fDragMessage(NULL)
	{
		// Pulses go out only while some view asks for them.
		fPulse.setTimerType(Qt::CoarseTimer);
		QObject::connect(&fPulse, &QTimer::timeout, [this] {
			if (fWindow != NULL && fWindow->_NeedsPulse())
				fWindow->PostMessage(B_PULSE, fWindow);
		});
		setMouseTracking(true);
		setAcceptDrops(true);
		setFocusPolicy(Qt::StrongFocus);
		setAttribute(Qt::WA_NoSystemBackground);
		setAttribute(Qt::WA_InputMethodEnabled, false);
	}

	~WindowWidget()
	{
		delete fDragMessage;
	}

	void Forget() { fWindow = NULL; fPulse.stop(); }

	void SetPulseRate(bigtime_t rate)
	{
		if (rate <= 0) {
			fPulse.stop();
			return;
		}
		fPulse.start((int)std::max<bigtime_t>(rate / 1000, 1));
	}

	// Called with a point in window coordinates.
	void PostMouse(uint32 what, QPointF position, Qt::MouseButtons buttons,
		Qt::KeyboardModifiers mods, int32 clicks)
	{
		if (fWindow == NULL)
			return;
		BMessage message(what);
		BPoint where(floorf(position.x()), floorf(position.y()));
		message.AddInt64("when", system_time());
		message.AddPoint("where", where);
		message.AddPoint("be:window_where", where);
		message.AddPoint("screen_where", fWindow->ConvertToScreen(where));
		message.AddInt32("modifiers", (int32)be_modifiers(mods.toInt()));
		message.AddInt32("buttons", be_buttons(buttons));
		if (what == B_MOUSE_DOWN)
			message.AddInt32("clicks", clicks);
		fWindow->PostMessage(&message, fWindow);
	}

protected:
	bool focusNextPrevChild(bool) override
	{
		// Tab is a key like any other; the views read it themselves.
		return false;
	}

	void mousePressEvent(QMouseEvent* event) override
	{
		PostMouse(B_MOUSE_DOWN, event->position(), event->buttons(),
			event->modifiers(), 1);
	}

	void mouseDoubleClickEvent(QMouseEvent* event) override
	{
		PostMouse(B_MOUSE_DOWN, event->position(), event->buttons(),
			event->modifiers(), 2);
	}

	void mouseReleaseEvent(QMouseEvent* event) override
	{
		PostMouse(B_MOUSE_UP, event->position(), event->buttons(),
			event->modifiers(), 0);
	}

	void mouseMoveEvent(QMouseEvent* event) override
	{
		PostMouse(B_MOUSE_MOVED, event->position(), event->buttons(),
			event->modifiers(), 0);
	}

	void leaveEvent(QEvent*) override
	{
		if (fWindow == NULL)
			return;
		BMessage message(B_MOUSE_MOVED);
		message.AddInt64("when", system_time());
		message.AddBool("be:exited", true);
		fWindow->PostMessage(&message, fWindow);
	}

	void wheelEvent(QWheelEvent* event) override
	{
		if (fWindow == NULL)
			return;
		// One notch is 120 in Qt, 1 on BeOS; positive is down on BeOS.
		QPoint angle = event->angleDelta();
		BMessage message(B_MOUSE_WHEEL_CHANGED);
		message.AddInt64("when", system_time());
		message.AddFloat("be:wheel_delta_x", -angle.x() / 120.0f);
		message.AddFloat("be:wheel_delta_y", -angle.y() / 120.0f);
		fWindow->PostMessage(&message, fWindow);
		event->accept();
	}

	void keyPressEvent(QKeyEvent* event) override
	{
		_PostKey(event, true);
	}

	void keyReleaseEvent(QKeyEvent* event) override
	{
		_PostKey(event, false);
	}

	void moveEvent(QMoveEvent*) override
	{
		_GeometryFromQt();
	}

	void resizeEvent(QResizeEvent*) override
	{
		_GeometryFromQt();
	}

	void closeEvent(QCloseEvent* event) override
	{
		// The window decides in QuitRequested().
		event->ignore();
		if (fWindow != NULL)
			fWindow->PostMessage(B_QUIT_REQUESTED, fWindow);
	}

	void changeEvent(QEvent* event) override
	{
		if (event->type() == QEvent::ActivationChange && fWindow != NULL) {
			BMessage message(B_WINDOW_ACTIVATED);
			message.AddInt64("when", system_time());
			message.AddBool("active", isActiveWindow());
			fWindow->PostMessage(&message, fWindow);
		}
		QWidget::changeEvent(event);
	}

	void dragEnterEvent(QDragEnterEvent* event) override
	{
		delete fDragMessage;
		fDragMessage = new BMessage(B_SIMPLE_DATA);
		if (add_refs(fDragMessage, event->mimeData()) > 0) {
			event->acceptProposedAction();
			_PostDragMoved(event->position());
		} else {
			delete fDragMessage;
			fDragMessage = NULL;
			event->ignore();
		}
	}

	void dragMoveEvent(QDragMoveEvent* event) override
	{
		if (fDragMessage == NULL) {
			event->ignore();
			return;
		}
		event->acceptProposedAction();
		_PostDragMoved(event->position());
	}

	void dragLeaveEvent(QDragLeaveEvent*) override
	{
		delete fDragMessage;
		fDragMessage = NULL;
		leaveEvent(NULL);
	}

	void dropEvent(QDropEvent* event) override
	{
		delete fDragMessage;
		fDragMessage = NULL;
		if (fWindow == NULL)
			return;
		BMessage message(B_SIMPLE_DATA);
		if (add_refs(&message, event->mimeData()) == 0) {
			event->ignore();
			return;
		}
		event->acceptProposedAction();
		BPoint where(floorf(event->position().x()),
			floorf(event->position().y()));
		message.AddPoint("be:window_where", where);
		set_message_dropped(&message, fWindow->ConvertToScreen(where),
			BPoint(0, 0));
		fWindow->PostMessage(&message, fWindow);
	}

private:
	void _PostDragMoved(QPointF position)
	{
		if (fWindow == NULL || fDragMessage == NULL)
			return;
		BMessage message(B_MOUSE_MOVED);
		BPoint where(floorf(position.x()), floorf(position.y()));
		message.AddInt64("when", system_time());
		message.AddPoint("where", where);
		message.AddPoint("be:window_where", where);
		message.AddPoint("screen_where", fWindow->ConvertToScreen(where));
		message.AddInt32("buttons", B_PRIMARY_MOUSE_BUTTON);
		message.AddMessage("be:drag_message", fDragMessage);
		fWindow->PostMessage(&message, fWindow);
	}

	void _PostKey(QKeyEvent* event, bool down)
	{
		if (fWindow == NULL)
			return;
		int qtKey = event->key();
		uint32 mods = be_modifiers(event->modifiers().toInt());

		// The Windows keys have no byte: they come as unmapped keys.
		if (qtKey == Qt::Key_Super_L || qtKey == Qt::Key_Super_R
			|| qtKey == Qt::Key_Meta) {
			BMessage message(down ? B_UNMAPPED_KEY_DOWN : B_UNMAPPED_KEY_UP);
			message.AddInt64("when", system_time());
			message.AddInt32("key", qtKey == Qt::Key_Super_R
				? B_RIGHT_SUPER_KEY_CODE : B_LEFT_SUPER_KEY_CODE);
			message.AddInt32("modifiers", (int32)mods);
			fWindow->PostMessage(&message, fWindow);
			return;
		}

		switch (qtKey) {
			case Qt::Key_Shift:
			case Qt::Key_Control:
			case Qt::Key_Alt:
			case Qt::Key_AltGr:
			case Qt::Key_CapsLock:
			case Qt::Key_NumLock:
			case Qt::Key_ScrollLock:
			{
				BMessage message(B_MODIFIERS_CHANGED);
				message.AddInt64("when", system_time());
				message.AddInt32("modifiers", (int32)mods);
				fWindow->PostMessage(&message, fWindow);
				return;
			}
			default:
				break;
		}

		QByteArray bytes;
		int32 key = 0;
		for (const KeyMapping& mapping : kKeys) {
			if (mapping.qtKey == qtKey) {
				bytes.append((char)mapping.byte);
				key = mapping.key;
				break;
			}
		}
		if (bytes.isEmpty() && qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
			bytes.append((char)B_FUNCTION_KEY);
			key = B_F1_KEY + (qtKey - Qt::Key_F1);
		}
		if (bytes.isEmpty())
			bytes = event->text().toUtf8();
		if (bytes.isEmpty() && qtKey > 0 && qtKey < 0x7f) {
			// A letter with Control held has no text; take the key.
			bytes.append((char)QChar(qtKey).toLower().toLatin1());
		}
		if (bytes.isEmpty()) {
			BMessage message(down ? B_UNMAPPED_KEY_DOWN : B_UNMAPPED_KEY_UP);
			message.AddInt64("when", system_time());
			message.AddInt32("key", (int32)event->nativeScanCode());
			message.AddInt32("modifiers", (int32)mods);
			fWindow->PostMessage(&message, fWindow);
			return;
		}

		BMessage message(down ? B_KEY_DOWN : B_KEY_UP);
		message.AddInt64("when", system_time());
		message.AddInt32("modifiers", (int32)mods);
		message.AddInt32("key", key != 0 ? key
			: (int32)event->nativeScanCode());
		message.AddInt32("raw_char", (uint8)bytes.at(0));
		for (int i = 0; i < bytes.size(); i++)
			message.AddInt8("byte", (int8)bytes.at(i));
		message.AddString("bytes", bytes.constData());
		if (event->isAutoRepeat())
			message.AddInt32("be:key_repeat", 1);
		fWindow->PostMessage(&message, fWindow);
	}

	void _GeometryFromQt()
	{
		if (fWindow == NULL)
			return;
		QRect geometry = this->geometry();
		fWindow->_SetFrameFromQt(BRect(geometry.x(), geometry.y(),
			geometry.x() + geometry.width() - 1,
			geometry.y() + geometry.height() - 1));
	}

	BWindow*	fWindow;
	BMessage*	fDragMessage;
	QTimer		fPulse;
};

}	// namespace BPrivate


//	#pragma mark - BWindow


static void
look_and_feel_for(window_type type, window_look* look, window_feel* feel)
{
	*feel = B_NORMAL_WINDOW_FEEL;
	switch (type) {
		case B_MODAL_WINDOW:
			*look = B_MODAL_WINDOW_LOOK;
			*feel = B_MODAL_APP_WINDOW_FEEL;
			break;
		case B_DOCUMENT_WINDOW:
			*look = B_DOCUMENT_WINDOW_LOOK;
			break;
		case B_BORDERED_WINDOW:
			*look = B_BORDERED_WINDOW_LOOK;
			break;
		case B_FLOATING_WINDOW:
			*look = B_FLOATING_WINDOW_LOOK;
			*feel = B_FLOATING_APP_WINDOW_FEEL;
			break;
		case B_TITLED_WINDOW:
		default:
			*look = B_TITLED_WINDOW_LOOK;
			break;
	}
}


BWindow::BWindow(BRect frame, const char* title, window_type type,
	uint32 flags, uint32 workspace)
	:
	BLooper(title)
{
	window_look look;
	window_feel feel;
	look_and_feel_for(type, &look, &feel);
	_Init(frame, title, look, feel, flags, workspace);
}


BWindow::BWindow(BRect frame, const char* title, window_look look,
	window_feel feel, uint32 flags, uint32 workspace)
	:
	BLooper(title)
{
	_Init(frame, title, look, feel, flags, workspace);
}


void
BWindow::_Init(BRect frame, const char* title, window_look look,
	window_feel feel, uint32 flags, uint32 workspace)
{
	BPrivate::ensure_qt_app();

	fTitle = title != NULL ? title : "";
	frame.left = roundf(frame.left);
	frame.top = roundf(frame.top);
	frame.right = roundf(frame.right);
	frame.bottom = roundf(frame.bottom);
	fFrame = frame;
	fLook = look;
	fFeel = feel;
	fFlags = flags;
	fWorkspaces = workspace;
	fShowLevel = 1;
	fStarted = false;
	fUpdatePending = false;
	fUpdatesDisabled = 0;
	fMinWidth = 0;
	fMaxWidth = kMaxWindowSize;
	fMinHeight = 0;
	fMaxHeight = kMaxWindowSize;
	fPulseRate = 500000;
	fFocus = NULL;
	fLastMouseMovedView = NULL;
	fMouseDownView = NULL;
	fDefaultButton = NULL;

	fWidget = new BPrivate::WindowWidget(this);
	fWidget->setWindowTitle(QString::fromUtf8(fTitle.String()));
	_ApplyWindowFlags();
	fWidget->setGeometry((int)frame.left, (int)frame.top,
		(int)frame.Width() + 1, (int)frame.Height() + 1);
	_ApplySizeConstraints();

	fTopView = new BView(Bounds(), "top_view", B_FOLLOW_ALL, B_WILL_DRAW);
	fTopView->_MarkTopView();
	fTopView->_Attach(this);

	BPrivate::register_window(this);
}


BWindow::~BWindow()
{
	BPrivate::unregister_window(this);

	// The views hear that they leave, then go with the top view.
	fTopView->_CallDetached();
	fTopView->_CallAllDetached();
	fTopView->_Detach();
	fFocus = NULL;
	fLastMouseMovedView = NULL;
	fMouseDownView = NULL;
	fDefaultButton = NULL;
	delete fTopView;
	fTopView = NULL;

	fWidget->Forget();
	fWidget->hide();
	delete fWidget;
	fWidget = NULL;
}


void
BWindow::Quit()
{
	if (fWidget != NULL)
		fWidget->hide();
	if ((fFlags & B_QUIT_ON_WINDOW_CLOSE) != 0 && be_app != NULL)
		be_app->PostMessage(B_QUIT_REQUESTED);
	BLooper::Quit();
}


bool
BWindow::QuitRequested()
{
	return true;
}


void
BWindow::_ApplyWindowFlags()
{
	Qt::WindowFlags qtFlags;
	switch (fLook) {
		case B_FLOATING_WINDOW_LOOK:
			qtFlags = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
			break;
		case B_MODAL_WINDOW_LOOK:
			// A frame but no title tab.
			qtFlags = Qt::Dialog | Qt::CustomizeWindowHint;
			break;
		case B_BORDERED_WINDOW_LOOK:
		case B_NO_BORDER_WINDOW_LOOK:
			qtFlags = Qt::Window | Qt::FramelessWindowHint;
			break;
		case B_TITLED_WINDOW_LOOK:
		case B_DOCUMENT_WINDOW_LOOK:
		default:
			qtFlags = Qt::Window | Qt::CustomizeWindowHint
				| Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
			if ((fFlags & B_NOT_MINIMIZABLE) == 0)
				qtFlags |= Qt::WindowMinimizeButtonHint;
			if ((fFlags & B_NOT_ZOOMABLE) == 0)
				qtFlags |= Qt::WindowMaximizeButtonHint;
			break;
	}
	if ((fFlags & B_NOT_CLOSABLE) == 0 && fLook != B_MODAL_WINDOW_LOOK)
		qtFlags |= Qt::WindowCloseButtonHint;
	if (fFeel == B_FLOATING_ALL_WINDOW_FEEL || fFeel == B_MODAL_ALL_WINDOW_FEEL)
		qtFlags |= Qt::WindowStaysOnTopHint;
	if (fFeel == B_FLOATING_APP_WINDOW_FEEL
		|| fFeel == B_FLOATING_SUBSET_WINDOW_FEEL)
		qtFlags = (qtFlags & ~Qt::WindowType_Mask) | Qt::Tool;

	bool visible = fWidget->isVisible();
	fWidget->setWindowFlags(qtFlags);
	if (fFeel == B_MODAL_APP_WINDOW_FEEL || fFeel == B_MODAL_ALL_WINDOW_FEEL
		|| fFeel == B_MODAL_SUBSET_WINDOW_FEEL)
		fWidget->setWindowModality(Qt::ApplicationModal);
	else
		fWidget->setWindowModality(Qt::NonModal);
	if (visible)
		fWidget->show();
}


// Size limits bind the user; B_NOT_RESIZABLE fixes the size for the user
// only: ResizeTo still works.
void
BWindow::_ApplySizeConstraints()
{
	int width = (int)fFrame.Width() + 1;
	int height = (int)fFrame.Height() + 1;
	int minWidth = (int)fMinWidth + 1;
	int maxWidth = (int)std::min(fMaxWidth, kMaxWindowSize) + 1;
	int minHeight = (int)fMinHeight + 1;
	int maxHeight = (int)std::min(fMaxHeight, kMaxWindowSize) + 1;
	if ((fFlags & (B_NOT_RESIZABLE | B_NOT_H_RESIZABLE)) != 0)
		minWidth = maxWidth = width;
	if ((fFlags & (B_NOT_RESIZABLE | B_NOT_V_RESIZABLE)) != 0)
		minHeight = maxHeight = height;
	fWidget->setMinimumSize(std::min(minWidth, width),
		std::min(minHeight, height));
	fWidget->setMaximumSize(std::max(maxWidth, width),
		std::max(maxHeight, height));
}


// Qt moved or resized the window (the user, or our own setGeometry).
void
BWindow::_SetFrameFromQt(BRect frame)
{
	bool moved = frame.left != fFrame.left || frame.top != fFrame.top;
	bool resized = frame.Width() != fFrame.Width()
		|| frame.Height() != fFrame.Height();
	if (!moved && !resized)
		return;
	fFrame = frame;
	if (resized && fTopView != NULL)
		fTopView->ResizeTo(frame.Width(), frame.Height());
	if (moved) {
		BMessage message(B_WINDOW_MOVED);
		message.AddInt64("when", system_time());
		message.AddPoint("where", frame.LeftTop());
		PostMessage(&message, this);
	}
	if (resized) {
		BMessage message(B_WINDOW_RESIZED);
		message.AddInt64("when", system_time());
		message.AddInt32("width", (int32)frame.Width());
		message.AddInt32("height", (int32)frame.Height());
		PostMessage(&message, this);
	}
}


//	#pragma mark - views


void
BWindow::AddChild(BView* child, BView* before)
{
	fTopView->AddChild(child, before);
}


bool
BWindow::RemoveChild(BView* child)
{
	return fTopView->RemoveChild(child);
}


int32
BWindow::CountChildren() const
{
	return fTopView->CountChildren();
}


BView*
BWindow::ChildAt(int32 index) const
{
	return fTopView->ChildAt(index);
}


BView*
BWindow::FindView(const char* viewName) const
{
	if (viewName == NULL)
		return NULL;
	for (int32 i = 0; i < fTopView->CountChildren(); i++) {
		BView* found = fTopView->ChildAt(i)->FindView(viewName);
		if (found != NULL)
			return found;
	}
	return NULL;
}


BView*
BWindow::FindView(BPoint point) const
{
	BView* view = _ViewAt(point);
	return view == fTopView ? NULL : view;
}


void*
BWindow::_ContentWidget() const
{
	return static_cast<QWidget*>(fWidget);
}


void
BWindow::_ViewNeedsUpdate()
{
	if (fUpdatePending || fUpdatesDisabled > 0)
		return;
	fUpdatePending = true;
	PostMessage(_UPDATE_, this);
}


void
BWindow::_ViewRemoved(BView* view)
{
	if (fFocus == view)
		fFocus = NULL;
	if (fLastMouseMovedView == view)
		fLastMouseMovedView = NULL;
	if (fMouseDownView == view)
		fMouseDownView = NULL;
	if ((BView*)fDefaultButton == view)
		fDefaultButton = NULL;
}


void
BWindow::_ViewHidden(BView* view)
{
	// A hidden view keeps its focus on BeOS; only the pointer state goes.
	for (BView* v = fLastMouseMovedView; v != NULL; v = v->fParent) {
		if (v == view) {
			fLastMouseMovedView = NULL;
			break;
		}
	}
}


void
BWindow::_ViewFrameChanged(BView* view, bool moved, bool resized)
{
	if (moved) {
		BMessage message(B_VIEW_MOVED);
		message.AddPointer("_view", view);
		PostMessage(&message, this);
	}
	if (resized) {
		BMessage message(B_VIEW_RESIZED);
		message.AddPointer("_view", view);
		PostMessage(&message, this);
	}
}


void
BWindow::_SetFocus(BView* view)
{
	fFocus = view;
}


bool
BWindow::_HasView(const BView* view) const
{
	if (view == NULL)
		return false;
	// Compares pointers only, so a deleted view is never touched.
	std::vector<const BView*> stack { fTopView };
	while (!stack.empty()) {
		const BView* current = stack.back();
		stack.pop_back();
		if (current == view)
			return true;
		for (int32 i = 0; i < current->fChildren.CountItems(); i++)
			stack.push_back((const BView*)current->fChildren.ItemAt(i));
	}
	return false;
}


bool
BWindow::_IsOwnView(const BHandler* handler) const
{
	const BView* view = dynamic_cast<const BView*>(handler);
	return view != NULL && view->Window() == this;
}


// The visible view under a point of the window, the deepest one; later
// children lie on top of earlier ones.
BView*
BWindow::_ViewAt(BPoint point) const
{
	BView* view = fTopView;
	BPoint local = point;
	while (true) {
		BView* hit = NULL;
		for (int32 i = view->fChildren.CountItems() - 1; i >= 0; i--) {
			BView* child = (BView*)view->fChildren.ItemAt(i);
			if (child->fHideLevel > 0)
				continue;
			if (child->fFrame.Contains(local)) {
				hit = child;
				break;
			}
		}
		if (hit == NULL)
			return view;
		local = hit->ConvertFromParent(local);
		view = hit;
	}
}


BPoint
BWindow::_ConvertFromWindow(const BView* view, BPoint point) const
{
	std::vector<const BView*> chain;
	for (const BView* v = view; v != NULL && v != fTopView; v = v->fParent)
		chain.push_back(v);
	for (auto it = chain.rbegin(); it != chain.rend(); ++it)
		point = (*it)->ConvertFromParent(point);
	return point;
}


//	#pragma mark - dispatch


void
BWindow::DispatchMessage(BMessage* message, BHandler* handler)
{
	BView* target = _IsOwnView(handler) ? static_cast<BView*>(handler) : NULL;

	switch (message->what) {
		case _UPDATE_:
			_UpdatePass();
			return;

		case B_MOUSE_DOWN:
		case B_MOUSE_UP:
			_HandleMouse(message, target);
			return;

		case B_MOUSE_MOVED:
			_HandleMouseMoved(message, target);
			return;

		case B_KEY_DOWN:
		case B_KEY_UP:
			_HandleKey(message, target);
			return;

		case B_UNMAPPED_KEY_DOWN:
		case B_UNMAPPED_KEY_UP:
		case B_MOUSE_WHEEL_CHANGED:
		case B_MODIFIERS_CHANGED:
			_HandleToFocus(message, target);
			return;

		case B_SIMPLE_DATA:
			if (target == NULL && message->HasPoint("be:window_where")) {
				_HandleDrop(message, target);
				return;
			}
			break;

		case B_WINDOW_MOVED:
		{
			if (handler != this)
				break;
			BPoint where;
			if (message->FindPoint("where", &where) == B_OK)
				FrameMoved(where);
			return;
		}

		case B_WINDOW_RESIZED:
		{
			if (handler != this)
				break;
			int32 width, height;
			if (message->FindInt32("width", &width) == B_OK
				&& message->FindInt32("height", &height) == B_OK)
				FrameResized(width, height);
			return;
		}

		case B_VIEW_MOVED:
		case B_VIEW_RESIZED:
		{
			void* pointer = NULL;
			if (message->FindPointer("_view", &pointer) != B_OK)
				break;
			BView* view = static_cast<BView*>(pointer);
			if (!_HasView(view))
				return;
			if (message->what == B_VIEW_MOVED)
				view->FrameMoved(view->Frame().LeftTop());
			else
				view->FrameResized(view->Bounds().Width(),
					view->Bounds().Height());
			return;
		}

		case B_WINDOW_ACTIVATED:
		{
			if (handler != this)
				break;
			bool active;
			if (message->FindBool("active", &active) != B_OK)
				return;
			WindowActivated(active);
			BList views;
			views.AddItem(fTopView);
			for (int32 i = 0; i < views.CountItems(); i++) {
				BView* view = (BView*)views.ItemAt(i);
				views.AddList(&view->fChildren);
				if (view != fTopView)
					view->WindowActivated(active);
			}
			return;
		}

		case B_PULSE:
		{
			if (handler != this)
				break;
			// Views may go away in their Pulse; each is checked first.
			BList views;
			views.AddItem(fTopView);
			for (int32 i = 0; i < views.CountItems(); i++)
				views.AddList(&((BView*)views.ItemAt(i))->fChildren);
			for (int32 i = 0; i < views.CountItems(); i++) {
				BView* view = (BView*)views.ItemAt(i);
				if (_HasView(view) && (view->Flags() & B_PULSE_NEEDED) != 0)
					view->Pulse();
			}
			return;
		}

		default:
			break;
	}
	BLooper::DispatchMessage(message, handler);
}


// A press goes to the view under the pointer; the release to the view
// that asked for pointer events during the press, else the one under the
// pointer. "where" is turned into the view's coordinates.
void
BWindow::_HandleMouse(BMessage* message, BView* target)
{
	BPoint windowWhere;
	bool fromInput = message->FindPoint("be:window_where", &windowWhere)
		== B_OK;
	BView* view = target;
	if (view == NULL && fromInput) {
		if (message->what == B_MOUSE_UP && fMouseDownView != NULL
			&& fMouseDownView->fMouseEventMask != 0)
			view = fMouseDownView;
		else
			view = _ViewAt(windowWhere);
	}
	if (view == NULL)
		return;

	BPoint where;
	if (fromInput && target == NULL) {
		where = _ConvertFromWindow(view, windowWhere);
		message->ReplacePoint("where", where);
		message->RemoveName("be:view_where");
		message->AddPoint("be:view_where", where);
	} else if (message->FindPoint("where", &where) != B_OK)
		where.Set(0, 0);
	if (!message->HasPoint("screen_where"))
		message->AddPoint("screen_where", view->ConvertToScreen(where));

	if (message->what == B_MOUSE_DOWN) {
		fMouseDownView = view;
		view->MouseDown(where);
	} else {
		// The pointer mask of every view ends with the release.
		BView* down = fMouseDownView;
		fMouseDownView = NULL;
		if (down != NULL)
			down->fMouseEventMask = 0;
		view->MouseUp(where);
	}
}


void
BWindow::_HandleMouseMoved(BMessage* message, BView* target)
{
	const BMessage* drag = NULL;
	BMessage dragMessage;
	if (message->FindMessage("be:drag_message", &dragMessage) == B_OK)
		drag = &dragMessage;

	if (target != NULL) {
		BPoint where;
		int32 transit = B_INSIDE_VIEW;
		message->FindPoint("where", &where);
		message->FindInt32("be:transit", &transit);
		target->MouseMoved(where, transit, drag);
		return;
	}

	bool exited = false;
	message->FindBool("be:exited", &exited);
	BPoint windowWhere;
	BView* view = NULL;
	if (!exited && message->FindPoint("be:window_where", &windowWhere) == B_OK)
		view = _ViewAt(windowWhere);
	if (view == fTopView)
		view = NULL;

	BView* last = fLastMouseMovedView;
	fLastMouseMovedView = view;

	// The view the pointer left hears it first; it may delete views, so
	// the one it entered is checked again.
	if (last != NULL && last != view && _HasView(last)) {
		BPoint where = exited ? BPoint(-1, -1)
			: _ConvertFromWindow(last, windowWhere);
		message->ReplacePoint("where", where);
		message->RemoveName("be:transit");
		message->AddInt32("be:transit", B_EXITED_VIEW);
		last->MouseMoved(where, B_EXITED_VIEW, drag);
	}
	if (view != NULL && _HasView(view)) {
		BPoint where = _ConvertFromWindow(view, windowWhere);
		uint32 transit = view == last ? B_INSIDE_VIEW : B_ENTERED_VIEW;
		message->ReplacePoint("where", where);
		message->RemoveName("be:transit");
		message->AddInt32("be:transit", (int32)transit);
		view->MouseMoved(where, transit, drag);
	}

	// A view tracking the pointer (event mask) hears of moves outside it.
	BView* tracking = fMouseDownView;
	if (tracking != NULL && tracking != view && tracking != last
		&& _HasView(tracking) && (tracking->fMouseEventMask
			| tracking->fEventMask) & B_POINTER_EVENTS) {
		BPoint where = exited ? BPoint(-1, -1)
			: _ConvertFromWindow(tracking, windowWhere);
		message->ReplacePoint("where", where);
		tracking->MouseMoved(where, B_OUTSIDE_VIEW, drag);
	}
}


// Keys go to the focus view (Enter to the default button first) and to
// views that asked for all keyboard events.
void
BWindow::_HandleKey(BMessage* message, BView* target)
{
	const char* bytes = NULL;
	if (message->FindString("bytes", &bytes) != B_OK || bytes == NULL)
		bytes = "";
	int32 length = (int32)strlen(bytes);

	if (target != NULL) {
		if (message->what == B_KEY_DOWN)
			target->KeyDown(bytes, length);
		else
			target->KeyUp(bytes, length);
		return;
	}

	BList listeners;
	{
		BList views;
		views.AddItem(fTopView);
		for (int32 i = 0; i < views.CountItems(); i++) {
			BView* view = (BView*)views.ItemAt(i);
			views.AddList(&view->fChildren);
			if (view != fFocus && (view->fEventMask & B_KEYBOARD_EVENTS) != 0)
				listeners.AddItem(view);
		}
	}

	if (message->what == B_KEY_DOWN && bytes[0] == B_ENTER
		&& fDefaultButton != NULL && fDefaultButton->IsEnabled()
		&& (BView*)fDefaultButton != fFocus) {
		fDefaultButton->KeyDown(bytes, length);
	} else if (fFocus != NULL) {
		if (message->what == B_KEY_DOWN)
			fFocus->KeyDown(bytes, length);
		else
			fFocus->KeyUp(bytes, length);
	}

	for (int32 i = 0; i < listeners.CountItems(); i++) {
		BView* view = (BView*)listeners.ItemAt(i);
		if (!_HasView(view))
			continue;
		if (message->what == B_KEY_DOWN)
			view->KeyDown(bytes, length);
		else
			view->KeyUp(bytes, length);
	}
}


// Unmapped keys, the wheel and modifier changes go to the focus view's
// MessageReceived (climbing to the window), else to the window.
void
BWindow::_HandleToFocus(BMessage* message, BView* target)
{
	BHandler* handler = target != NULL ? (BHandler*)target
		: (fFocus != NULL ? (BHandler*)fFocus : (BHandler*)this);
	handler->MessageReceived(message);
}


// A drop reaches the view under the drop point.
void
BWindow::_HandleDrop(BMessage* message, BView*)
{
	BPoint windowWhere;
	message->FindPoint("be:window_where", &windowWhere);
	BView* view = _ViewAt(windowWhere);
	if (view == fTopView || view == NULL)
		MessageReceived(message);
	else
		view->MessageReceived(message);
}


void
BWindow::_UpdatePass()
{
	fUpdatePending = false;
	if (fUpdatesDisabled > 0)
		return;
	fTopView->_UpdateDirty();
}


void
BWindow::MessageReceived(BMessage* message)
{
	if (BPrivate::handle_window_script(this, message))
		return;
	BLooper::MessageReceived(message);
}


void BWindow::FrameMoved(BPoint) {}
void BWindow::FrameResized(float, float) {}
void BWindow::WindowActivated(bool) {}
void BWindow::WorkspacesChanged(uint32, uint32) {}
void BWindow::WorkspaceActivated(int32, bool) {}
void BWindow::ScreenChanged(BRect, color_space) {}
void BWindow::MenusBeginning() {}
void BWindow::MenusEnded() {}


void
BWindow::Minimize(bool minimize)
{
	if (minimize)
		fWidget->showMinimized();
	else
		fWidget->showNormal();
}


void
BWindow::Zoom(BPoint origin, float width, float height)
{
	MoveTo(origin);
	ResizeTo(width, height);
}


void
BWindow::Zoom()
{
	if ((fFlags & B_NOT_ZOOMABLE) != 0)
		return;
	QScreen* screen = fWidget->screen();
	if (screen == NULL)
		return;
	QRect area = screen->availableGeometry();
	Zoom(BPoint(area.x(), area.y()), std::min<float>(fMaxWidth,
		area.width() - 1), std::min<float>(fMaxHeight, area.height() - 1));
}


//	#pragma mark - geometry


BRect
BWindow::Bounds() const
{
	return BRect(0, 0, fFrame.Width(), fFrame.Height());
}


void
BWindow::MoveBy(float dx, float dy)
{
	MoveTo(fFrame.left + dx, fFrame.top + dy);
}


void
BWindow::MoveTo(BPoint point)
{
	MoveTo(point.x, point.y);
}


void
BWindow::MoveTo(float x, float y)
{
	x = roundf(x);
	y = roundf(y);
	if (x == fFrame.left && y == fFrame.top)
		return;
	BRect frame = fFrame.OffsetToCopy(x, y);
	fWidget->setGeometry((int)frame.left, (int)frame.top,
		(int)frame.Width() + 1, (int)frame.Height() + 1);
	_SetFrameFromQt(frame);
}


void
BWindow::ResizeBy(float dx, float dy)
{
	ResizeTo(fFrame.Width() + dx, fFrame.Height() + dy);
}


void
BWindow::ResizeTo(float width, float height)
{
	// The size limits hold for code too; B_NOT_RESIZABLE does not.
	width = roundf(std::max(fMinWidth, std::min(width, fMaxWidth)));
	height = roundf(std::max(fMinHeight, std::min(height, fMaxHeight)));
	if (width == fFrame.Width() && height == fFrame.Height())
		return;
	BRect frame = fFrame;
	frame.right = frame.left + width;
	frame.bottom = frame.top + height;
	BRect old = fFrame;
	fFrame = frame;
	_ApplySizeConstraints();
	fFrame = old;
	fWidget->setGeometry((int)frame.left, (int)frame.top,
		(int)width + 1, (int)height + 1);
	_SetFrameFromQt(frame);
}


void
BWindow::SetSizeLimits(float minWidth, float maxWidth, float minHeight,
	float maxHeight)
{
	if (minWidth > maxWidth || minHeight > maxHeight)
		return;
	fMinWidth = std::max(0.0f, minWidth);
	fMaxWidth = std::min(maxWidth, kMaxWindowSize);
	fMinHeight = std::max(0.0f, minHeight);
	fMaxHeight = std::min(maxHeight, kMaxWindowSize);
	_ApplySizeConstraints();
	// A window outside its new limits is brought into them.
	float width = std::max(fMinWidth, std::min(fFrame.Width(), fMaxWidth));
	float height = std::max(fMinHeight, std::min(fFrame.Height(), fMaxHeight));
	if (width != fFrame.Width() || height != fFrame.Height())
		ResizeTo(width, height);
}


void
BWindow::GetSizeLimits(float* minWidth, float* maxWidth, float* minHeight,
	float* maxHeight)
{
	if (minWidth != NULL)
		*minWidth = fMinWidth;
	if (maxWidth != NULL)
		*maxWidth = fMaxWidth;
	if (minHeight != NULL)
		*minHeight = fMinHeight;
	if (maxHeight != NULL)
		*maxHeight = fMaxHeight;
}


void
BWindow::SetZoomLimits(float, float)
{
}


void
BWindow::CenterOnScreen()
{
	QScreen* screen = fWidget->screen();
	if (screen == NULL)
		screen = QGuiApplication::primaryScreen();
	if (screen == NULL)
		return;
	QRect area = screen->geometry();
	MoveTo(area.x() + (area.width() - fFrame.Width() - 1) / 2,
		area.y() + (area.height() - fFrame.Height() - 1) / 2);
}


void
BWindow::ConvertToScreen(BPoint* point) const
{
	point->x += fFrame.left;
	point->y += fFrame.top;
}


BPoint
BWindow::ConvertToScreen(BPoint point) const
{
	ConvertToScreen(&point);
	return point;
}


void
BWindow::ConvertFromScreen(BPoint* point) const
{
	point->x -= fFrame.left;
	point->y -= fFrame.top;
}


BPoint
BWindow::ConvertFromScreen(BPoint point) const
{
	ConvertFromScreen(&point);
	return point;
}


void
BWindow::ConvertToScreen(BRect* rect) const
{
	rect->OffsetBy(fFrame.left, fFrame.top);
}


BRect
BWindow::ConvertToScreen(BRect rect) const
{
	ConvertToScreen(&rect);
	return rect;
}


void
BWindow::ConvertFromScreen(BRect* rect) const
{
	rect->OffsetBy(-fFrame.left, -fFrame.top);
}


BRect
BWindow::ConvertFromScreen(BRect rect) const
{
	ConvertFromScreen(&rect);
	return rect;
}


//	#pragma mark - showing


void
BWindow::Show()
{
	fShowLevel--;
	if (fShowLevel != 0)
		return;
	if (!fStarted) {
		fStarted = true;
		BPrivate::start_gui_looper(this);
		fWidget->SetPulseRate(fPulseRate);
	}
	// A floating window stays above the program's first ordinary window.
	if (fFeel == B_FLOATING_APP_WINDOW_FEEL
		|| fFeel == B_FLOATING_SUBSET_WINDOW_FEEL) {
		for (int32 i = 0; be_app != NULL && i < be_app->CountWindows(); i++) {
			BWindow* window = be_app->WindowAt(i);
			if (window == this || window->IsFloating()
				|| window->fWidget->windowHandle() == NULL)
				continue;
			fWidget->winId();
			if (fWidget->windowHandle() != NULL) {
				fWidget->windowHandle()->setTransientParent(
					window->fWidget->windowHandle());
			}
			break;
		}
	}
	fWidget->show();
	// The offscreen platform cannot raise windows; it only says so.
	if ((fFlags & B_AVOID_FOCUS) == 0
		&& QGuiApplication::platformName() != QLatin1String("offscreen")) {
		fWidget->raise();
		fWidget->activateWindow();
	}
	fTopView->_InvalidateAll();
}


void
BWindow::Hide()
{
	fShowLevel++;
	if (fShowLevel == 1)
		fWidget->hide();
}


bool
BWindow::IsMinimized() const
{
	return fWidget->isMinimized();
}


void
BWindow::Activate(bool active)
{
	if (!active)
		return;
	fWidget->raise();
	fWidget->activateWindow();
}


bool
BWindow::IsActive() const
{
	return fWidget->isActiveWindow();
}


bool
BWindow::IsFront() const
{
	return IsActive();
}


status_t
BWindow::SendBehind(const BWindow* window)
{
	if (window == NULL)
		return B_BAD_VALUE;
	fWidget->stackUnder(window->fWidget);
	return B_OK;
}


void
BWindow::SetTitle(const char* title)
{
	fTitle = title != NULL ? title : "";
	fWidget->setWindowTitle(QString::fromUtf8(fTitle.String()));
	SetName(fTitle.String());
}


status_t
BWindow::SetLook(window_look look)
{
	fLook = look;
	_ApplyWindowFlags();
	return B_OK;
}


status_t
BWindow::SetFeel(window_feel feel)
{
	fFeel = feel;
	_ApplyWindowFlags();
	return B_OK;
}


status_t
BWindow::SetFlags(uint32 flags)
{
	fFlags = flags;
	_ApplyWindowFlags();
	_ApplySizeConstraints();
	return B_OK;
}


status_t
BWindow::SetType(window_type type)
{
	look_and_feel_for(type, &fLook, &fFeel);
	_ApplyWindowFlags();
	return B_OK;
}


window_type
BWindow::Type() const
{
	switch (fLook) {
		case B_MODAL_WINDOW_LOOK:
			return fFeel == B_MODAL_APP_WINDOW_FEEL ? B_MODAL_WINDOW
				: B_UNTYPED_WINDOW;
		case B_DOCUMENT_WINDOW_LOOK:
			return B_DOCUMENT_WINDOW;
		case B_BORDERED_WINDOW_LOOK:
			return B_BORDERED_WINDOW;
		case B_FLOATING_WINDOW_LOOK:
			return B_FLOATING_WINDOW;
		case B_TITLED_WINDOW_LOOK:
			return fFeel == B_NORMAL_WINDOW_FEEL ? B_TITLED_WINDOW
				: B_UNTYPED_WINDOW;
		default:
			return B_UNTYPED_WINDOW;
	}
}


bool
BWindow::IsModal() const
{
	return fFeel == B_MODAL_SUBSET_WINDOW_FEEL
		|| fFeel == B_MODAL_APP_WINDOW_FEEL || fFeel == B_MODAL_ALL_WINDOW_FEEL;
}


bool
BWindow::IsFloating() const
{
	return fFeel == B_FLOATING_SUBSET_WINDOW_FEEL
		|| fFeel == B_FLOATING_APP_WINDOW_FEEL
		|| fFeel == B_FLOATING_ALL_WINDOW_FEEL;
}


void
BWindow::SetWorkspaces(uint32 workspaces)
{
	fWorkspaces = workspaces;
}


void
BWindow::SetDefaultButton(BButton* button)
{
	if (button == fDefaultButton)
		return;
	BButton* old = fDefaultButton;
	fDefaultButton = button;
	if (old != NULL)
		old->MakeDefault(false);
	if (button != NULL)
		button->MakeDefault(true);
}


void
BWindow::SetPulseRate(bigtime_t rate)
{
	fPulseRate = rate;
	if (fStarted)
		fWidget->SetPulseRate(rate);
}


bool
BWindow::_NeedsPulse() const
{
	BList views;
	views.AddItem(fTopView);
	for (int32 i = 0; i < views.CountItems(); i++) {
		BView* view = (BView*)views.ItemAt(i);
		if ((view->Flags() & B_PULSE_NEEDED) != 0)
			return true;
		views.AddList(&view->fChildren);
	}
	return false;
}


//	#pragma mark - updates


void
BWindow::UpdateIfNeeded()
{
	if (fUpdatePending)
		_UpdatePass();
}


void
BWindow::Flush() const
{
	fWidget->update();
}


void
BWindow::Sync() const
{
	Flush();
}


void
BWindow::DisableUpdates()
{
	fUpdatesDisabled++;
}


void
BWindow::EnableUpdates()
{
	if (fUpdatesDisabled > 0 && --fUpdatesDisabled == 0)
		_ViewNeedsUpdate();
}


BHandler*
BWindow::ResolveSpecifier(BMessage* message, int32 index,
	BMessage* specifier, int32 what, const char* property)
{
	bool matched;
	BHandler* target = BPrivate::resolve_window_specifier(this, message,
		index, specifier, what, property, &matched);
	if (matched)
		return target;
	return BLooper::ResolveSpecifier(message, index, specifier, what,
		property);
}


status_t
BWindow::GetSupportedSuites(BMessage* data)
{
	if (data == NULL)
		return B_BAD_VALUE;
	status_t status = BPrivate::window_supported_suites(this, data);
	if (status != B_OK)
		return status;
	return BLooper::GetSupportedSuites(data);
}
