// Synthetic input sent into the Qt widgets of a window, so that it takes
// the same way as real input: the widget under the point gets the event
// and Qt hands it on to the window's widget, which queues the message.
#include <WindowAutomation.h>

#include <string.h>

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWheelEvent>
#include <QWidget>

#include <Application.h>
#include <Bitmap.h>
#include <OS.h>
#include <View.h>
#include <Window.h>

using BPrivate::WindowAutomation;


void*
WindowAutomation::_Widget(BWindow* window)
{
	return window != NULL ? window->_ContentWidget() : NULL;
}


static QWidget*
window_widget(BWindow* window)
{
	return static_cast<QWidget*>(WindowAutomation::_Widget(window));
}


static bool
window_point(BView* view, BPoint where, QWidget** widget, QPointF* point)
{
	if (view == NULL || view->Window() == NULL)
		return false;
	BWindow* window = view->Window();
	BPoint inWindow = window->ConvertFromScreen(view->ConvertToScreen(where));
	*widget = window_widget(window);
	*point = QPointF(inWindow.x, inWindow.y);
	return *widget != NULL;
}


static Qt::MouseButtons
qt_buttons(uint32 buttons)
{
	Qt::MouseButtons result;
	if (buttons & B_PRIMARY_MOUSE_BUTTON)
		result |= Qt::LeftButton;
	if (buttons & B_SECONDARY_MOUSE_BUTTON)
		result |= Qt::RightButton;
	if (buttons & B_TERTIARY_MOUSE_BUTTON)
		result |= Qt::MiddleButton;
	return result;
}


static Qt::KeyboardModifiers
qt_modifiers(uint32 modifiers)
{
	Qt::KeyboardModifiers result;
	if (modifiers & B_SHIFT_KEY)
		result |= Qt::ShiftModifier;
	if (modifiers & B_CONTROL_KEY)
		result |= Qt::ControlModifier;
	if (modifiers & B_COMMAND_KEY)
		result |= Qt::AltModifier;
	if (modifiers & B_OPTION_KEY)
		result |= Qt::MetaModifier;
	return result;
}


static void
send_key(QWidget* target, int qtKey, Qt::KeyboardModifiers mods,
	const QString& text, bool press, bool release)
{
	if (press) {
		QKeyEvent event(QEvent::KeyPress, qtKey, mods, text);
		QApplication::sendEvent(target, &event);
	}
	if (release) {
		QKeyEvent event(QEvent::KeyRelease, qtKey, mods, text);
		QApplication::sendEvent(target, &event);
	}
}


// Sends a mouse event to the deepest widget under the point; Qt passes it
// up to the window's widget as it does with real input.
static status_t
send_mouse(BView* view, BPoint where, QEvent::Type type, Qt::MouseButton button,
	uint32 buttons, uint32 modifiers)
{
	QWidget* top;
	QPointF point;
	if (!window_point(view, where, &top, &point))
		return B_BAD_VALUE;
	QWidget* target = top->childAt(point.toPoint());
	if (target == NULL)
		target = top;
	QPointF local = target->mapFrom(top, point.toPoint());
	QPointF global = top->mapToGlobal(point.toPoint());
	QMouseEvent event(type, local, local, global, button, qt_buttons(buttons),
		qt_modifiers(modifiers));
	QApplication::sendEvent(target, &event);
	return B_OK;
}


static Qt::MouseButton
first_button(uint32 buttons)
{
	if (buttons & B_PRIMARY_MOUSE_BUTTON)
		return Qt::LeftButton;
	if (buttons & B_SECONDARY_MOUSE_BUTTON)
		return Qt::RightButton;
	if (buttons & B_TERTIARY_MOUSE_BUTTON)
		return Qt::MiddleButton;
	return Qt::NoButton;
}


status_t
WindowAutomation::MouseDown(BView* view, BPoint where, uint32 buttons,
	int32 clicks)
{
	return send_mouse(view, where, clicks > 1 ? QEvent::MouseButtonDblClick
		: QEvent::MouseButtonPress, first_button(buttons), buttons, 0);
}


status_t
WindowAutomation::MouseUp(BView* view, BPoint where, uint32 buttonsLeft)
{
	// The released button is the primary one unless it is still held.
	Qt::MouseButton released = (buttonsLeft & B_PRIMARY_MOUSE_BUTTON) == 0
		? Qt::LeftButton : Qt::RightButton;
	return send_mouse(view, where, QEvent::MouseButtonRelease, released,
		buttonsLeft, 0);
}


status_t
WindowAutomation::MouseMoved(BView* view, BPoint where, uint32 buttons)
{
	return send_mouse(view, where, QEvent::MouseMove, Qt::NoButton, buttons,
		0);
}


status_t
WindowAutomation::Click(BView* view, BPoint where, uint32 buttons)
{
	status_t status = MouseDown(view, where, buttons, 1);
	if (status != B_OK)
		return status;
	QWidget* top;
	QPointF point;
	if (!window_point(view, where, &top, &point))
		return B_BAD_VALUE;
	QWidget* target = top->childAt(point.toPoint());
	if (target == NULL)
		target = top;
	QPointF local = target->mapFrom(top, point.toPoint());
	QPointF global = top->mapToGlobal(point.toPoint());
	QMouseEvent event(QEvent::MouseButtonRelease, local, local, global,
		first_button(buttons), Qt::NoButton, Qt::NoModifier);
	QApplication::sendEvent(target, &event);
	return B_OK;
}


namespace {

struct ByteKey {
	uint8	byte;
	int		qtKey;
};

const ByteKey kByteKeys[] = {
	{ B_ENTER,			Qt::Key_Return },
	{ B_TAB,			Qt::Key_Tab },
	{ B_ESCAPE,			Qt::Key_Escape },
	{ B_BACKSPACE,		Qt::Key_Backspace },
	{ B_LEFT_ARROW,		Qt::Key_Left },
	{ B_RIGHT_ARROW,	Qt::Key_Right },
	{ B_UP_ARROW,		Qt::Key_Up },
	{ B_DOWN_ARROW,		Qt::Key_Down },
	{ B_INSERT,			Qt::Key_Insert },
	{ B_DELETE,			Qt::Key_Delete },
	{ B_HOME,			Qt::Key_Home },
	{ B_END,			Qt::Key_End },
	{ B_PAGE_UP,		Qt::Key_PageUp },
	{ B_PAGE_DOWN,		Qt::Key_PageDown },
	{ B_SPACE,			Qt::Key_Space }
};

}	// namespace


// Keys go where Qt sends real keys: the focus widget when it belongs to the
// window, else the window's widget.
static QWidget*
key_target(BWindow* window)
{
	QWidget* top = window_widget(window);
	QWidget* focus = QApplication::focusWidget();
	if (focus != NULL && focus->window() == top)
		return focus;
	return top;
}


status_t
WindowAutomation::Key(BWindow* window, const char* bytes, uint32 modifiers,
	bool press, bool release)
{
	QWidget* target = window != NULL ? key_target(window) : NULL;
	if (target == NULL || bytes == NULL || bytes[0] == '\0')
		return B_BAD_VALUE;
	int qtKey = 0;
	QString text;
	uint8 first = (uint8)bytes[0];
	for (const ByteKey& key : kByteKeys) {
		if (key.byte == first && bytes[1] == '\0') {
			qtKey = key.qtKey;
			break;
		}
	}
	if (first == B_SPACE)
		text = " ";
	if (qtKey == 0) {
		text = QString::fromUtf8(bytes);
		QChar c = text.isEmpty() ? QChar() : text.at(0).toUpper();
		qtKey = c.unicode();
	}
	send_key(target, qtKey, qt_modifiers(modifiers), text, press, release);
	return B_OK;
}


status_t
WindowAutomation::UnmappedKey(BWindow* window, int32 key, uint32 modifiers,
	bool press, bool release)
{
	QWidget* target = window != NULL ? key_target(window) : NULL;
	if (target == NULL)
		return B_BAD_VALUE;
	int qtKey;
	switch (key) {
		case B_LEFT_SUPER_KEY_CODE:
			qtKey = Qt::Key_Super_L;
			break;
		case B_RIGHT_SUPER_KEY_CODE:
			qtKey = Qt::Key_Super_R;
			break;
		default:
			return B_BAD_VALUE;
	}
	send_key(target, qtKey, qt_modifiers(modifiers), QString(), press,
		release);
	return B_OK;
}


status_t
WindowAutomation::Wheel(BWindow* window, float deltaY, BPoint where)
{
	QWidget* top = window_widget(window);
	if (top == NULL)
		return B_BAD_VALUE;
	QPoint point((int)where.x, (int)where.y);
	// Qt passes only real wheel events up from a child, so this one goes to
	// the window's widget, where a real one ends up. Positive BeOS steps
	// are down, negative Qt angles.
	QWheelEvent event(point, top->mapToGlobal(point), QPoint(),
		QPoint(0, (int)(-deltaY * 120)), Qt::NoButton, Qt::NoModifier,
		Qt::NoScrollPhase, false);
	QApplication::sendEvent(top, &event);
	return B_OK;
}


status_t
WindowAutomation::Drop(BView* view, BPoint where, const char* const* paths,
	int32 count)
{
	QWidget* top;
	QPointF point;
	if (paths == NULL || count <= 0 || !window_point(view, where, &top, &point))
		return B_BAD_VALUE;
	QMimeData data;
	QList<QUrl> urls;
	for (int32 i = 0; i < count; i++)
		urls.append(QUrl::fromLocalFile(QString::fromUtf8(paths[i])));
	data.setUrls(urls);

	QWidget* target = top->childAt(point.toPoint());
	if (target == NULL)
		target = top;
	QPointF local = target->mapFrom(top, point.toPoint());
	QDragEnterEvent enter(local.toPoint(), Qt::CopyAction, &data,
		Qt::LeftButton, Qt::NoModifier);
	QApplication::sendEvent(target, &enter);
	QDragMoveEvent move(local.toPoint(), Qt::CopyAction, &data,
		Qt::LeftButton, Qt::NoModifier);
	QApplication::sendEvent(target, &move);
	QDropEvent drop(local, Qt::CopyAction, &data, Qt::LeftButton,
		Qt::NoModifier);
	QApplication::sendEvent(target, &drop);
	return B_OK;
}


static bool
everything_idle()
{
	if (be_app == NULL)
		return true;
	if (be_app->IsMessageWaiting())
		return false;
	for (int32 i = 0; i < be_app->CountWindows(); i++) {
		BWindow* window = be_app->WindowAt(i);
		if (window->IsMessageWaiting() || window->NeedsUpdate())
			return false;
	}
	return true;
}


bool
WindowAutomation::Sync(bigtime_t timeout)
{
	QElapsedTimer timer;
	timer.start();
	int quietRounds = 0;
	while (timer.nsecsElapsed() / 1000 < timeout) {
		QApplication::sendPostedEvents();
		QApplication::processEvents(QEventLoop::AllEvents, 5);
		if (everything_idle()) {
			// Idle twice in a row: no event was on its way.
			if (++quietRounds >= 2)
				return true;
		} else
			quietRounds = 0;
	}
	return false;
}


status_t
WindowAutomation::SavePNG(BWindow* window, const char* path)
{
	QWidget* top = window_widget(window);
	if (top == NULL || path == NULL)
		return B_BAD_VALUE;
	Sync();
	QImage image = top->grab().toImage();
	return image.save(QString::fromUtf8(path), "PNG") ? B_OK : B_ERROR;
}


BBitmap*
WindowAutomation::Snapshot(BWindow* window)
{
	QWidget* top = window_widget(window);
	if (top == NULL)
		return NULL;
	Sync();
	QImage image = top->grab().toImage().convertToFormat(
		QImage::Format_ARGB32);
	BBitmap* bitmap = new BBitmap(BRect(0, 0, image.width() - 1,
		image.height() - 1), B_RGBA32);
	if (!bitmap->IsValid()) {
		delete bitmap;
		return NULL;
	}
	for (int y = 0; y < image.height(); y++) {
		memcpy((uint8*)bitmap->Bits() + y * bitmap->BytesPerRow(),
			image.constScanLine(y), image.width() * 4);
	}
	return bitmap;
}
