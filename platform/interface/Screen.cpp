// BScreen over Qt's screens.
#include <Screen.h>

#include <QGuiApplication>
#include <QScreen>

#include <InterfaceDefs.h>
#include <Window.h>

const screen_id B_MAIN_SCREEN_ID = { 0 };


static QScreen*
screen_at(int32 index)
{
	if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == NULL)
		return NULL;
	QList<QScreen*> screens = QGuiApplication::screens();
	if (index < 0 || index >= screens.size())
		return NULL;
	return screens.at(index);
}


BScreen::BScreen(screen_id id)
	:
	fIndex(id.id)
{
}


BScreen::BScreen(BWindow*)
	:
	fIndex(0)
{
}


BScreen::~BScreen()
{
}


bool
BScreen::IsValid()
{
	return screen_at(fIndex) != NULL;
}


status_t
BScreen::SetToNext()
{
	if (screen_at(fIndex + 1) == NULL)
		return B_ERROR;
	fIndex++;
	return B_OK;
}


screen_id
BScreen::ID()
{
	screen_id id = { fIndex };
	return id;
}


BRect
BScreen::Frame()
{
	QScreen* screen = screen_at(fIndex);
	if (screen == NULL)
		return BRect(0, 0, 1023, 767);
	QRect geometry = screen->geometry();
	return BRect(geometry.x(), geometry.y(),
		geometry.x() + geometry.width() - 1,
		geometry.y() + geometry.height() - 1);
}


color_space
BScreen::ColorSpace()
{
	return B_RGB32;
}


rgb_color
BScreen::DesktopColor()
{
	return ui_color(B_DESKTOP_COLOR);
}


status_t
BScreen::WaitForRetrace()
{
	return B_OK;
}
