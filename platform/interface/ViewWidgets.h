// Private to the interface kit: the Qt widgets behind an attached view, for
// the kit's classes that embed a Qt editor (text controls, text views) or
// move a scrolled content. void* stands for QWidget*; NULL while the view
// is not attached. Also the BeOS modifier bits of Qt's.
#ifndef _VIEW_WIDGETS_H
#define _VIEW_WIDGETS_H

#include <SupportDefs.h>

class BView;

namespace BPrivate {

// The widget that shows the view's image and has the view's frame.
void* view_widget(const BView* view);
// The inner widget that holds the children's widgets; it moves when the
// view scrolls. Made on demand.
void* view_content_widget(BView* view);

// B_SHIFT_KEY and the others (with their left-hand bits) for the bits of
// a Qt::KeyboardModifiers.
uint32 be_modifiers(uint32 qtModifiers);

}	// namespace BPrivate

#endif	// _VIEW_WIDGETS_H
