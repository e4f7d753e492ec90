// BView on Qt: every attached view has a QWidget that shows its retained
// image, and an inner content widget that holds the children's widgets and
// moves when the view scrolls. All drawing goes into the image through a
// QPainter; the widgets never paint anything but that image.
#include <View.h>

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QWidget>

#include <AppDefs.h>
#include <Bitmap.h>
#include <Message.h>
#include <OS.h>
#include <ScrollBar.h>
#include <ViewWidgets.h>
#include <Window.h>

#include "Scripting.h"

namespace BPrivate {

QFont qt_font(const BFont& font);


// The widget of an attached view. Mouse, wheel and drop events are not
// handled here: they travel up to the window's widget, which turns them
// into messages for the view under the pointer.
class ViewWidget : public QWidget {
public:
	ViewWidget(QWidget* parent, ViewData* data)
		:
		QWidget(parent),
		fData(data)
	{
		setMouseTracking(true);
		setFocusPolicy(Qt::NoFocus);
		setAttribute(Qt::WA_NoSystemBackground);
	}

	void Forget() { fData = NULL; }

protected:
	void paintEvent(QPaintEvent* event) override;

private:
	ViewData* fData;
};


// A widget that only holds the children of a view; it is moved by
// ScrollTo so that a long list scrolls by one move.
class ContentWidget : public QWidget {
public:
	ContentWidget(QWidget* parent)
		:
		QWidget(parent)
	{
		setMouseTracking(true);
		setFocusPolicy(Qt::NoFocus);
		setAttribute(Qt::WA_NoSystemBackground);
	}
};


struct DrawState {
	rgb_color		high;
	rgb_color		low;
	drawing_mode	mode;
	source_alpha	sourceAlpha;
	alpha_function	alphaFunction;
	float			penSize;
	BPoint			pen;
	BPoint			origin;
	BFont			font;
	bool			constrained;
	BRect			constraint;
};


struct LineEntry {
	BPoint		start;
	BPoint		end;
	rgb_color	color;
};


struct ViewData {
	int32				token = 0;
	ViewWidget*			widget = NULL;
	ContentWidget*		content = NULL;
	QImage				image;
	// Area still to be drawn by the update pass, in image pixels.
	QRegion				dirty;
	// Set while this view or one below it has something to draw; such a
	// view is listed once in its parent's dirtyChildren, so an update pass
	// visits only the branches that changed.
	bool				subtreeDirty = false;
	std::vector<BView*>	dirtyChildren;
	// Counts changes of the children list, so a pass notices children that
	// a Draw() removed.
	uint32				childrenChanges = 0;
	// The children's far edges, in this view's coordinates, while
	// extentValid; spares a walk over every child per added child.
	bool				extentValid = false;
	int					extentRight = 0;
	int					extentBottom = 0;
	bool				resizingChildren = false;
	// Set while the view lies outside its parent's visible part and was
	// never drawn: it has no picture until it comes into sight. The parent
	// counts such children and looks at them again after it scrolled or
	// changed size, or one of them moved (sightCheck).
	bool				deferred = false;
	int32				deferredChildren = 0;
	bool				sightCheck = false;
	// Clip of a running Draw(), in image pixels.
	bool				inDraw = false;
	QRegion				drawClip;
	bool				constrained = false;
	BRect				constraint;
	bool				isTopView = false;

	QImage				viewBitmap;
	BRect				viewBitmapSource;
	BRect				viewBitmapTarget;
	uint32				viewBitmapOptions = 0;

	std::vector<DrawState> states;
	bool				inLineArray = false;
	std::vector<LineEntry> lines;

	// GetMouse answers from the message being dispatched for a short
	// while, then from the live pointer (so a tracking loop ends).
	const BMessage*		mouseMessageSeen = NULL;
	bigtime_t			mouseMessageTime = 0;
};


void
ViewWidget::paintEvent(QPaintEvent* event)
{
	if (fData == NULL || fData->image.isNull())
		return;
	QPainter painter(this);
	for (const QRect& rect : event->region())
		painter.drawImage(rect, fData->image, rect);
}


static int32 sNextViewToken = 1;

// How long GetMouse answers from the dispatched message.
const bigtime_t kMessageMouseTime = 50000;


// Everything of BView that needs Qt.
class ViewAccess {
public:
	static	ViewData*		Data(const BView* view) { return view->fData; }
	static	QPoint			ImageOffset(const BView* view);
	static	QRect			PixelRect(const BView* view, BRect rect);
	static	bool			BeginPainter(const BView* view,
								QPainter& painter, QImage& target);
	static	void			Render(BView* view, const pattern& p,
								bool filled,
								const std::function<void(QPainter&,
									const QBrush&)>& paint);
	static	QBrush			BrushFor(const BView* view, const pattern& p,
								bool opaque);
	static	void			Combine(BView* view, const QImage& shape);
	static	void			UpdateContentGeometry(BView* view);
	static	void			ResizeImage(BView* view);
	static	void			DrawDirty(BView* view);
	static	void			MarkDirty(BView* view);
	static	void			ForgetDirtyChild(BView* parent, BView* child);
	static	void			ChildExtentChanged(BView* parent,
								const BRect& oldFrame, const BView* child);
	static	bool			InSight(const BView* view);
	static	void			CheckSight(BView* view);
	static	void			RevealChildren(BView* view);
	static	void			CreateWidget(BView* view);
	static	void			DestroyWidget(BView* view);
};


}	// namespace BPrivate

using BPrivate::ViewAccess;
using BPrivate::ViewData;


void*
BPrivate::view_widget(const BView* view)
{
	ViewData* data = view != NULL ? ViewAccess::Data(view) : NULL;
	return data != NULL ? static_cast<QWidget*>(data->widget) : NULL;
}


void*
BPrivate::view_content_widget(BView* view)
{
	ViewData* data = view != NULL ? ViewAccess::Data(view) : NULL;
	if (data == NULL || data->widget == NULL)
		return NULL;
	if (data->content == NULL) {
		data->content = new ContentWidget(data->widget);
		ViewAccess::UpdateContentGeometry(view);
		data->content->show();
	}
	return static_cast<QWidget*>(data->content);
}


static inline QColor
qt_color(rgb_color color, bool opaque)
{
	return QColor(color.red, color.green, color.blue,
		opaque ? 255 : color.alpha);
}


static inline int
pixel(float coordinate)
{
	return (int)floorf(coordinate + 0.5f);
}


static bool
is_transparent(rgb_color color)
{
	return color.red == B_TRANSPARENT_COLOR.red
		&& color.green == B_TRANSPARENT_COLOR.green
		&& color.blue == B_TRANSPARENT_COLOR.blue;
}


static bool
is_solid(const pattern& p, uint8 value)
{
	for (int i = 0; i < 8; i++) {
		if (p.data[i] != value)
			return false;
	}
	return true;
}


// The image of a bitmap as Qt sees it, for one drawing mode: B_OP_COPY
// ignores alpha, B_OP_OVER leaves out transparent pixels, B_OP_ALPHA uses
// the bitmap's alpha.
static QImage
qt_image_for(const BBitmap* bitmap, drawing_mode mode)
{
	if (bitmap == NULL || !bitmap->IsValid())
		return QImage();
	BRect bounds = bitmap->Bounds();
	int width = (int)floorf(bounds.Width()) + 1;
	int height = (int)floorf(bounds.Height()) + 1;
	const uchar* bits = (const uchar*)bitmap->Bits();
	QImage image;
	switch (bitmap->ColorSpace()) {
		case B_RGB32:
		case B_RGBA32:
			image = QImage(bits, width, height, bitmap->BytesPerRow(),
				QImage::Format_ARGB32).copy();
			break;
		case B_CMAP8:
		{
			image = QImage(bits, width, height, bitmap->BytesPerRow(),
				QImage::Format_Indexed8).copy();
			QList<QRgb> table;
			const rgb_color* colors = system_palette();
			for (int i = 0; i < 256; i++) {
				table.append(qRgba(colors[i].red, colors[i].green,
					colors[i].blue, i == B_TRANSPARENT_MAGIC_CMAP8 ? 0 : 255));
			}
			image.setColorTable(table);
			image = image.convertToFormat(QImage::Format_ARGB32);
			break;
		}
		case B_GRAY8:
			image = QImage(bits, width, height, bitmap->BytesPerRow(),
				QImage::Format_Grayscale8).convertToFormat(
					QImage::Format_ARGB32);
			break;
		default:
			return QImage();
	}

	bool rgb32 = bitmap->ColorSpace() == B_RGB32;
	for (int y = 0; y < height; y++) {
		QRgb* line = (QRgb*)image.scanLine(y);
		for (int x = 0; x < width; x++) {
			QRgb value = line[x];
			bool magic = (value & 0x00ffffff) == B_TRANSPARENT_MAGIC_RGBA32;
			switch (mode) {
				case B_OP_OVER:
					if (magic || (!rgb32 && qAlpha(value) == 0))
						line[x] = 0;
					else
						line[x] = value | 0xff000000;
					break;
				case B_OP_ALPHA:
					if (rgb32)
						line[x] = magic ? 0 : (value | 0xff000000);
					break;
				default:
					line[x] = value | 0xff000000;
					break;
			}
		}
	}
	return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}


QPoint
ViewAccess::ImageOffset(const BView* view)
{
	return QPoint(pixel(view->fDrawOrigin.x - view->fScrollOrigin.x),
		pixel(view->fDrawOrigin.y - view->fScrollOrigin.y));
}


// Inclusive view rectangle to the pixels it covers, in drawing
// coordinates (before the image offset).
QRect
ViewAccess::PixelRect(const BView*, BRect rect)
{
	return QRect(QPoint(pixel(rect.left), pixel(rect.top)),
		QPoint(pixel(rect.right), pixel(rect.bottom)));
}


bool
ViewAccess::BeginPainter(const BView* view, QPainter& painter, QImage& target)
{
	ViewData* data = view->fData;
	if (data == NULL || target.isNull())
		return false;
	if (!painter.begin(&target))
		return false;
	painter.setRenderHint(QPainter::Antialiasing, false);
	painter.setRenderHint(QPainter::TextAntialiasing, true);
	painter.setRenderHint(QPainter::SmoothPixmapTransform, false);

	QRegion clip;
	bool clipped = false;
	if (data->inDraw) {
		clip = data->drawClip;
		clipped = true;
	}
	if (data->constrained) {
		QRect constraint = PixelRect(view, data->constraint).translated(
			pixel(-view->fScrollOrigin.x), pixel(-view->fScrollOrigin.y));
		clip = clipped ? clip.intersected(constraint) : QRegion(constraint);
		clipped = true;
	}
	if (clipped)
		painter.setClipRegion(clip);
	QPoint offset = ImageOffset(view);
	painter.translate(offset);
	painter.setBrushOrigin(offset);
	return true;
}


QBrush
ViewAccess::BrushFor(const BView* view, const pattern& p, bool opaque)
{
	if (is_solid(p, 0xff))
		return QBrush(qt_color(view->fHighColor, opaque));
	if (is_solid(p, 0x00))
		return QBrush(qt_color(view->fLowColor, opaque));
	QImage tile(8, 8, QImage::Format_ARGB32_Premultiplied);
	QRgb high = qt_color(view->fHighColor, opaque).rgba();
	QRgb low = qt_color(view->fLowColor, opaque).rgba();
	for (int y = 0; y < 8; y++) {
		for (int x = 0; x < 8; x++) {
			bool set = (p.data[y] & (0x80 >> x)) != 0;
			// B_OP_OVER leaves the low-colour bits of a pattern alone.
			QRgb value = set ? high
				: (view->fDrawingMode == B_OP_OVER ? 0 : low);
			tile.setPixel(x, y, qPremultiply(value));
		}
	}
	return QBrush(tile);
}


// Draws a shape in the current drawing mode. Copy, over and erase paint
// opaque colours; alpha blends with the colours' alpha; the other modes
// draw the shape into a mask first and combine it pixel by pixel.
void
ViewAccess::Render(BView* view, const pattern& p, bool,
	const std::function<void(QPainter&, const QBrush&)>& paint)
{
	ViewData* data = view->fData;
	if (data == NULL || data->image.isNull())
		return;

	drawing_mode mode = view->fDrawingMode;
	switch (mode) {
		case B_OP_COPY:
		case B_OP_OVER:
		case B_OP_ERASE:
		case B_OP_ALPHA:
		{
			QPainter painter;
			if (!BeginPainter(view, painter, data->image))
				return;
			pattern used = p;
			if (mode == B_OP_ERASE)
				used = B_SOLID_LOW;
			paint(painter, BrushFor(view, used, mode != B_OP_ALPHA));
			painter.end();
			break;
		}
		default:
		{
			QImage shape(data->image.size(),
				QImage::Format_ARGB32_Premultiplied);
			shape.fill(Qt::transparent);
			QPainter painter;
			if (!BeginPainter(view, painter, shape))
				return;
			paint(painter, BrushFor(view, p, true));
			painter.end();
			Combine(view, shape);
			break;
		}
	}
}


// Combines a drawn shape with the image in one of the arithmetic modes.
// The shape's alpha is its coverage (anti-aliased text edges).
void
ViewAccess::Combine(BView* view, const QImage& shape)
{
	QImage& image = view->fData->image;
	if (image.format() != QImage::Format_ARGB32_Premultiplied)
		image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
	drawing_mode mode = view->fDrawingMode;
	QRgb high = qRgb(view->fHighColor.red, view->fHighColor.green,
		view->fHighColor.blue);
	QRgb low = qRgb(view->fLowColor.red, view->fLowColor.green,
		view->fLowColor.blue);

	for (int y = 0; y < image.height(); y++) {
		const QRgb* source = (const QRgb*)shape.constScanLine(y);
		QRgb* target = (QRgb*)image.scanLine(y);
		for (int x = 0; x < image.width(); x++) {
			int coverage = qAlpha(source[x]);
			if (coverage == 0)
				continue;
			QRgb s = qUnpremultiply(source[x]);
			QRgb d = qUnpremultiply(target[x]);
			int sr = qRed(s), sg = qGreen(s), sb = qBlue(s);
			int dr = qRed(d), dg = qGreen(d), db = qBlue(d);
			int r, g, b;
			switch (mode) {
				case B_OP_BLEND:
					r = (sr + dr) / 2;
					g = (sg + dg) / 2;
					b = (sb + db) / 2;
					break;
				case B_OP_ADD:
					r = std::min(sr + dr, 255);
					g = std::min(sg + dg, 255);
					b = std::min(sb + db, 255);
					break;
				case B_OP_SUBTRACT:
					r = std::max(dr - sr, 0);
					g = std::max(dg - sg, 0);
					b = std::max(db - sb, 0);
					break;
				case B_OP_MIN:
					r = std::min(sr, dr);
					g = std::min(sg, dg);
					b = std::min(sb, db);
					break;
				case B_OP_MAX:
					r = std::max(sr, dr);
					g = std::max(sg, dg);
					b = std::max(sb, db);
					break;
				case B_OP_INVERT:
					r = 255 - dr;
					g = 255 - dg;
					b = 255 - db;
					break;
				case B_OP_SELECT:
				{
					QRgb opaque = d | 0xff000000;
					QRgb swapped = opaque == high ? low
						: (opaque == low ? high : opaque);
					r = qRed(swapped);
					g = qGreen(swapped);
					b = qBlue(swapped);
					break;
				}
				default:
					r = sr;
					g = sg;
					b = sb;
					break;
			}
			if (coverage < 255) {
				r = dr + (r - dr) * coverage / 255;
				g = dg + (g - dg) * coverage / 255;
				b = db + (b - db) * coverage / 255;
			}
			target[x] = qPremultiply(qRgba(r, g, b,
				std::max(qAlpha(d), coverage)));
		}
	}
}


void
ViewAccess::UpdateContentGeometry(BView* view)
{
	ViewData* data = view->fData;
	if (data == NULL || data->content == NULL)
		return;
	int width = (int)floorf(view->fFrame.Width()) + 1;
	int height = (int)floorf(view->fFrame.Height()) + 1;
	int sx = pixel(view->fScrollOrigin.x);
	int sy = pixel(view->fScrollOrigin.y);
	if (!data->extentValid) {
		data->extentRight = 0;
		data->extentBottom = 0;
		for (int32 i = 0; i < view->fChildren.CountItems(); i++) {
			BView* child = (BView*)view->fChildren.ItemAt(i);
			data->extentRight = std::max(data->extentRight,
				pixel(child->fFrame.right) + 1);
			data->extentBottom = std::max(data->extentBottom,
				pixel(child->fFrame.bottom) + 1);
		}
		data->extentValid = true;
	}
	int contentWidth = std::max(width + std::max(sx, 0), data->extentRight);
	int contentHeight = std::max(height + std::max(sy, 0),
		data->extentBottom);
	QRect geometry(-sx, -sy, contentWidth, contentHeight);
	if (data->content->geometry() != geometry)
		data->content->setGeometry(geometry);
}


// A child was added (oldFrame invalid), moved or resized: a child that
// grows the extent, or one that did not touch its edge, updates it in
// place; otherwise it is counted again when next needed.
void
ViewAccess::ChildExtentChanged(BView* parent, const BRect& oldFrame,
	const BView* child)
{
	ViewData* data = parent->fData;
	if (data == NULL || !data->extentValid)
		return;
	if (oldFrame.IsValid() && (pixel(oldFrame.right) + 1 >= data->extentRight
			|| pixel(oldFrame.bottom) + 1 >= data->extentBottom)) {
		data->extentValid = false;
		return;
	}
	if (child != NULL) {
		data->extentRight = std::max(data->extentRight,
			pixel(child->fFrame.right) + 1);
		data->extentBottom = std::max(data->extentBottom,
			pixel(child->fFrame.bottom) + 1);
	}
}


// Notes that the view has something to draw: it and every view above it
// are flagged, each entered once in its parent's list.
void
ViewAccess::MarkDirty(BView* view)
{
	for (BView* v = view; v != NULL && v->fData != NULL; v = v->fParent) {
		if (v->fData->subtreeDirty)
			continue;
		v->fData->subtreeDirty = true;
		if (v->fParent != NULL && v->fParent->fData != NULL)
			v->fParent->fData->dirtyChildren.push_back(v);
	}
}


void
ViewAccess::ForgetDirtyChild(BView* parent, BView* child)
{
	if (parent->fData == NULL || child->fData == NULL)
		return;
	if (child->fData->subtreeDirty) {
		std::vector<BView*>& list = parent->fData->dirtyChildren;
		list.erase(std::remove(list.begin(), list.end(), child), list.end());
	}
	child->fData->subtreeDirty = false;
	parent->fData->childrenChanges++;
	parent->fData->extentValid = false;
}


// Whether the view touches the visible part of its parent. The window's
// top view and its children are always in sight.
bool
ViewAccess::InSight(const BView* view)
{
	const BView* parent = view->fParent;
	if (parent == NULL || parent->fData == NULL || parent->fData->isTopView)
		return true;
	BRect visible(parent->fScrollOrigin.x, parent->fScrollOrigin.y,
		parent->fScrollOrigin.x + parent->fFrame.Width(),
		parent->fScrollOrigin.y + parent->fFrame.Height());
	return visible.Intersects(view->fFrame);
}


// The children out of sight are looked at in the next update pass.
void
ViewAccess::CheckSight(BView* view)
{
	ViewData* data = view->fData;
	if (data == NULL || data->deferredChildren <= 0 || data->widget == NULL)
		return;
	data->sightCheck = true;
	MarkDirty(view);
	if (view->fWindow != NULL)
		view->fWindow->_ViewNeedsUpdate();
}


// Children that came into sight get their picture and are drawn whole.
void
ViewAccess::RevealChildren(BView* view)
{
	ViewData* data = view->fData;
	for (int32 i = 0; i < view->fChildren.CountItems()
			&& data->deferredChildren > 0; i++) {
		BView* child = (BView*)view->fChildren.ItemAt(i);
		if (!child->fData->deferred || !InSight(child))
			continue;
		child->fData->deferred = false;
		data->deferredChildren--;
		ResizeImage(child);
		child->_InvalidateAll();
	}
}


void
ViewAccess::ResizeImage(BView* view)
{
	ViewData* data = view->fData;
	if (data == NULL)
		return;
	// A hidden view keeps no picture: a long list of hidden rows costs no
	// memory, and showing the view makes one and draws it anew. The same
	// holds for a view that was never in sight.
	if (view->fHideLevel > 0 || data->deferred) {
		data->image = QImage();
		data->dirty = QRegion();
		return;
	}
	int width = std::max((int)floorf(view->fFrame.Width()) + 1, 0);
	int height = std::max((int)floorf(view->fFrame.Height()) + 1, 0);
	if (data->image.width() == width && data->image.height() == height)
		return;
	QImage image;
	if (width > 0 && height > 0) {
		image = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
		if (is_transparent(view->fViewColor))
			image.fill(Qt::transparent);
		else
			image.fill(qt_color(view->fViewColor, true));
		if (!data->image.isNull()) {
			QPainter painter(&image);
			painter.setCompositionMode(QPainter::CompositionMode_Source);
			painter.drawImage(0, 0, data->image);
		}
	}
	data->image = image;
}


void
ViewAccess::CreateWidget(BView* view)
{
	ViewData* data = view->fData;
	QWidget* parent = NULL;
	if (view->fParent != NULL) {
		ViewData* parentData = view->fParent->fData;
		if (parentData->content == NULL) {
			parentData->content = new BPrivate::ContentWidget(
				parentData->widget);
			UpdateContentGeometry(view->fParent);
			parentData->content->show();
		}
		parent = parentData->content;
	} else
		parent = static_cast<QWidget*>(view->fWindow->_ContentWidget());

	data->widget = new BPrivate::ViewWidget(parent, data);
	data->widget->setObjectName(QString::fromUtf8(
		view->Name() != NULL ? view->Name() : ""));
	data->widget->setGeometry(pixel(view->fFrame.left),
		pixel(view->fFrame.top), (int)floorf(view->fFrame.Width()) + 1,
		(int)floorf(view->fFrame.Height()) + 1);
	// Children stack in the order they were added, later ones on top. A
	// new widget is its parent's last child already; raising it anyway
	// would look it up among all its siblings.
	if (parent->children().isEmpty() || parent->children().last()
			!= static_cast<QObject*>(data->widget))
		data->widget->raise();
	// A child out of its parent's sight (a row far down a long list) is
	// drawn once it comes into sight.
	data->deferred = !InSight(view);
	if (data->deferred)
		view->fParent->fData->deferredChildren++;
	ResizeImage(view);
	data->dirty = QRegion(0, 0, data->image.width(), data->image.height());
	if (!data->deferred)
		MarkDirty(view);
	// A view hidden before it was attached stays hidden: Qt would show a
	// child that was never hidden explicitly together with its parent.
	if (view->fHideLevel <= 0)
		data->widget->show();
	else
		data->widget->hide();
	if (view->fParent != NULL) {
		ChildExtentChanged(view->fParent, BRect(), view);
		UpdateContentGeometry(view->fParent);
	}
}


void
ViewAccess::DestroyWidget(BView* view)
{
	ViewData* data = view->fData;
	if (data->widget != NULL) {
		data->widget->Forget();
		// Children's widgets are gone with it; their pointers were cleared
		// by their own detach first.
		delete data->widget;
	}
	data->widget = NULL;
	data->content = NULL;
	data->image = QImage();
	data->dirty = QRegion();
	data->dirtyChildren.clear();
	data->subtreeDirty = false;
	data->extentValid = false;
	if (data->deferred && view->fParent != NULL
		&& view->fParent->fData != NULL)
		view->fParent->fData->deferredChildren--;
	data->deferred = false;
	data->deferredChildren = 0;
	data->sightCheck = false;
}


// The update pass of one view and its children: fill what is dirty with
// the view colour (its alpha ignored) and the view bitmap, then Draw()
// into it, clipped to the dirty area.
void
ViewAccess::DrawDirty(BView* view)
{
	ViewData* data = view->fData;
	if (data == NULL || data->widget == NULL || !data->subtreeDirty)
		return;
	// Cleared first: whatever Draw() invalidates flags it again for the
	// next pass.
	data->subtreeDirty = false;
	if (view->IsHidden() || data->deferred) {
		// Its children keep their marks; showing it draws it all again.
		data->dirty = QRegion();
		return;
	}
	if (data->sightCheck) {
		data->sightCheck = false;
		RevealChildren(view);
	}
	if (!data->dirty.isEmpty() && !data->image.isNull()) {
		QRegion region = data->dirty.intersected(
			QRect(0, 0, data->image.width(), data->image.height()));
		data->dirty = QRegion();
		if (!region.isEmpty()) {
			{
				QPainter painter(&data->image);
				painter.setClipRegion(region);
				painter.setCompositionMode(QPainter::CompositionMode_Source);
				if (is_transparent(view->fViewColor))
					painter.fillRect(data->image.rect(), Qt::transparent);
				else {
					painter.fillRect(data->image.rect(),
						qt_color(view->fViewColor, true));
				}
				if (!data->viewBitmap.isNull()) {
					painter.setCompositionMode(
						QPainter::CompositionMode_SourceOver);
					QPoint at(pixel(data->viewBitmapTarget.left
							- view->fScrollOrigin.x),
						pixel(data->viewBitmapTarget.top
							- view->fScrollOrigin.y));
					QRect source = PixelRect(view, data->viewBitmapSource)
						.intersected(data->viewBitmap.rect());
					QImage tile = data->viewBitmap.copy(source);
					if ((data->viewBitmapOptions & B_TILE_BITMAP) != 0
							&& !tile.isNull()) {
						// Tiles start at the target's top left.
						painter.setBrushOrigin(at);
						painter.fillRect(data->image.rect(), QBrush(tile));
					} else if (!tile.isNull())
						painter.drawImage(at, tile);
				}
			}
			QRect box = region.boundingRect();
			BRect update(box.left() + view->fScrollOrigin.x,
				box.top() + view->fScrollOrigin.y,
				box.right() + view->fScrollOrigin.x,
				box.bottom() + view->fScrollOrigin.y);
			if ((view->fFlags & B_WILL_DRAW) != 0) {
				data->inDraw = true;
				data->drawClip = region;
				view->Draw(update);
				// The view may have been detached by its own Draw.
				if (view->fData != data || data->widget == NULL)
					return;
				data->inDraw = false;
				data->drawClip = QRegion();
			}
			data->widget->update(region);
		}
	}

	// Only the children that have something to draw, in the order they
	// were marked. Draw() may add or remove children: once the list has
	// changed, each one is looked for before it is touched.
	std::vector<BView*> children;
	children.swap(data->dirtyChildren);
	uint32 changes = data->childrenChanges;
	for (BView* child : children) {
		if (data->childrenChanges != changes
			&& !view->fChildren.HasItem(child))
			continue;
		DrawDirty(child);
		if (view->fData != data || data->widget == NULL)
			return;
	}
}


//	#pragma mark - BView


BView::BView(BRect frame, const char* name, uint32 resizingMode, uint32 flags)
	:
	BHandler(name),
	fFrame(frame),
	fScrollOrigin(0, 0),
	fDrawOrigin(0, 0),
	fResizingMode(resizingMode),
	fFlags(flags),
	fHideLevel(0),
	fParent(NULL),
	fWindow(NULL),
	fEventMask(0),
	fEventOptions(0),
	fMouseEventMask(0),
	fViewColor(make_color(255, 255, 255)),
	fHighColor(make_color(0, 0, 0)),
	fLowColor(make_color(255, 255, 255)),
	fDrawingMode(B_OP_COPY),
	fSourceAlpha(B_PIXEL_ALPHA),
	fAlphaFunction(B_ALPHA_OVERLAY),
	fPenSize(1),
	fColorsSet(false),
	fPenLocation(0, 0),
	fFont(*be_plain_font),
	fHorScroller(NULL),
	fVerScroller(NULL),
	fData(new ViewData)
{
	// Frames are kept on whole pixels.
	fFrame.left = roundf(fFrame.left);
	fFrame.top = roundf(fFrame.top);
	fFrame.right = roundf(fFrame.right);
	fFrame.bottom = roundf(fFrame.bottom);
	fData->token = BPrivate::sNextViewToken++;
}


BView::~BView()
{
	if (fWindow != NULL || fParent != NULL)
		RemoveSelf();
	// Scroll bars that still aim at this view forget it.
	if (fHorScroller != NULL)
		fHorScroller->_TargetGone(this);
	if (fVerScroller != NULL)
		fVerScroller->_TargetGone(this);
	// A view deletes its children, as on BeOS.
	while (fChildren.CountItems() > 0) {
		BView* child = (BView*)fChildren.ItemAt(fChildren.CountItems() - 1);
		RemoveChild(child);
		delete child;
	}
	delete fData;
	fData = NULL;
}


void BView::AttachedToWindow() {}
void BView::AllAttached() {}
void BView::DetachedFromWindow() {}
void BView::AllDetached() {}
void BView::Draw(BRect) {}
void BView::DrawAfterChildren(BRect) {}
void BView::MouseDown(BPoint) {}
void BView::MouseUp(BPoint) {}
void BView::MouseMoved(BPoint, uint32, const BMessage*) {}
void BView::KeyDown(const char*, int32) {}
void BView::KeyUp(const char*, int32) {}
void BView::FrameMoved(BPoint) {}
void BView::FrameResized(float, float) {}
void BView::WindowActivated(bool) {}
void BView::Pulse() {}


void
BView::MessageReceived(BMessage* message)
{
	if (BPrivate::handle_view_script(this, message))
		return;
	BHandler::MessageReceived(message);
}


BHandler*
BView::ResolveSpecifier(BMessage* message, int32 index, BMessage* specifier,
	int32 what, const char* property)
{
	bool matched;
	BHandler* target = BPrivate::resolve_view_specifier(this, message, index,
		specifier, what, property, &matched);
	if (matched)
		return target;
	return BHandler::ResolveSpecifier(message, index, specifier, what,
		property);
}


status_t
BView::GetSupportedSuites(BMessage* data)
{
	if (data == NULL)
		return B_BAD_VALUE;
	status_t status = BPrivate::view_supported_suites(this, data);
	if (status != B_OK)
		return status;
	return BHandler::GetSupportedSuites(data);
}


void
BView::GetPreferredSize(float* width, float* height)
{
	if (width != NULL)
		*width = fFrame.Width();
	if (height != NULL)
		*height = fFrame.Height();
}


void
BView::ResizeToPreferred()
{
	float width, height;
	GetPreferredSize(&width, &height);
	ResizeTo(width, height);
}


//	#pragma mark - hierarchy


void
BView::AddChild(BView* child, BView* before)
{
	if (child == NULL || child == this || child->fParent != NULL
		|| child->fWindow != NULL)
		return;
	int32 index = before != NULL ? fChildren.IndexOf(before) : -1;
	if (index >= 0)
		fChildren.AddItem(child, index);
	else
		fChildren.AddItem(child);
	child->fParent = this;
	fData->childrenChanges++;
	if (fWindow != NULL) {
		child->_Attach(fWindow);
		if (index >= 0 && child->fData->widget != NULL
			&& before->fData->widget != NULL)
			child->fData->widget->stackUnder(before->fData->widget);
		child->_CallAttached();
		child->_CallAllAttached();
	}
}


bool
BView::RemoveChild(BView* child)
{
	if (child == NULL || child->fParent != this)
		return false;
	if (child->fWindow != NULL) {
		child->_CallDetached();
		child->_CallAllDetached();
		// Out of the list of views to draw before the detach clears the
		// child's mark; a view deleted after that must not stay listed.
		ViewAccess::ForgetDirtyChild(this, child);
		child->_Detach();
	} else
		ViewAccess::ForgetDirtyChild(this, child);
	// Looked for from the end: views are mostly taken away last first.
	for (int32 i = fChildren.CountItems() - 1; i >= 0; i--) {
		if (fChildren.ItemAt(i) == child) {
			fChildren.RemoveItem(i);
			break;
		}
	}
	child->fParent = NULL;
	return true;
}


bool
BView::RemoveSelf()
{
	if (fParent != NULL)
		return fParent->RemoveChild(this);
	if (fWindow != NULL) {
		// A top view of its window: detach it alone.
		_CallDetached();
		_CallAllDetached();
		_Detach();
		return true;
	}
	return false;
}


int32
BView::CountChildren() const
{
	return fChildren.CountItems();
}


BView*
BView::ChildAt(int32 index) const
{
	return (BView*)fChildren.ItemAt(index);
}


BView*
BView::NextSibling() const
{
	if (fParent == NULL)
		return NULL;
	return (BView*)fParent->fChildren.ItemAt(
		fParent->fChildren.IndexOf((void*)this) + 1);
}


BView*
BView::PreviousSibling() const
{
	if (fParent == NULL)
		return NULL;
	int32 index = fParent->fChildren.IndexOf((void*)this);
	return index > 0 ? (BView*)fParent->fChildren.ItemAt(index - 1) : NULL;
}


BView*
BView::Parent() const
{
	// The window's top view is not shown to its children.
	if (fParent != NULL && fParent->fData->isTopView)
		return NULL;
	return fParent;
}


BView*
BView::FindView(const char* name) const
{
	if (name == NULL)
		return NULL;
	if (Name() != NULL && strcmp(Name(), name) == 0)
		return const_cast<BView*>(this);
	for (int32 i = 0; i < fChildren.CountItems(); i++) {
		BView* found = ((BView*)fChildren.ItemAt(i))->FindView(name);
		if (found != NULL)
			return found;
	}
	return NULL;
}


void
BView::_Attach(BWindow* window)
{
	fWindow = window;
	window->AddHandler(this);
	// Unhandled messages climb to the parent view, then the window.
	if (fParent != NULL && !fParent->fData->isTopView)
		SetNextHandler(fParent);
	else
		SetNextHandler(window);
	ViewAccess::CreateWidget(this);
	window->_ViewNeedsUpdate();
	for (int32 i = 0; i < fChildren.CountItems(); i++)
		((BView*)fChildren.ItemAt(i))->_Attach(window);
}


void
BView::_CallAttached()
{
	AttachedToWindow();
	for (int32 i = 0; i < fChildren.CountItems(); i++)
		((BView*)fChildren.ItemAt(i))->_CallAttached();
}


void
BView::_CallAllAttached()
{
	for (int32 i = 0; i < fChildren.CountItems(); i++)
		((BView*)fChildren.ItemAt(i))->_CallAllAttached();
	AllAttached();
}


void
BView::_CallDetached()
{
	DetachedFromWindow();
	for (int32 i = 0; i < fChildren.CountItems(); i++)
		((BView*)fChildren.ItemAt(i))->_CallDetached();
}


void
BView::_CallAllDetached()
{
	for (int32 i = 0; i < fChildren.CountItems(); i++)
		((BView*)fChildren.ItemAt(i))->_CallAllDetached();
	AllDetached();
}


void
BView::_Detach()
{
	for (int32 i = 0; i < fChildren.CountItems(); i++)
		((BView*)fChildren.ItemAt(i))->_Detach();
	BWindow* window = fWindow;
	if (window == NULL)
		return;
	window->_ViewRemoved(this);
	ViewAccess::DestroyWidget(this);
	window->RemoveHandler(this);
	SetNextHandler(NULL);
	fWindow = NULL;
}


//	#pragma mark - geometry


BRect
BView::Frame() const
{
	return fFrame;
}


BRect
BView::Bounds() const
{
	return BRect(fScrollOrigin.x, fScrollOrigin.y,
		fScrollOrigin.x + fFrame.Width(), fScrollOrigin.y + fFrame.Height());
}


BPoint
BView::LeftTop() const
{
	return fScrollOrigin;
}


void
BView::MoveBy(float dx, float dy)
{
	MoveTo(fFrame.left + dx, fFrame.top + dy);
}


void
BView::MoveTo(BPoint where)
{
	MoveTo(where.x, where.y);
}


void
BView::MoveTo(float x, float y)
{
	x = roundf(x);
	y = roundf(y);
	if (x == fFrame.left && y == fFrame.top)
		return;
	BRect oldFrame = fFrame;
	fFrame.OffsetTo(x, y);
	_GeometryChanged(oldFrame, true, false);
}


void
BView::ResizeBy(float dx, float dy)
{
	ResizeTo(fFrame.Width() + dx, fFrame.Height() + dy);
}


void
BView::ResizeTo(float width, float height)
{
	width = roundf(width);
	height = roundf(height);
	float dx = width - fFrame.Width();
	float dy = height - fFrame.Height();
	if (dx == 0 && dy == 0)
		return;
	BRect oldFrame = fFrame;
	fFrame.right = fFrame.left + width;
	fFrame.bottom = fFrame.top + height;
	_ResizeChildren(dx, dy);
	_GeometryChanged(oldFrame, false, true);
}


// Applies the resizing mode when the parent grew by dx, dy.
void
BView::_ParentResized(float dx, float dy)
{
	uint32 mode = fResizingMode;
	uint32 left = (mode >> 12) & 0xf;
	uint32 top = (mode >> 8) & 0xf;
	uint32 right = (mode >> 4) & 0xf;
	uint32 bottom = mode & 0xf;

	auto move = [](uint32 rule, float size, float delta, bool farSide) {
		switch (rule) {
			case _VIEW_RIGHT_:
			case _VIEW_BOTTOM_:
				return delta;
			case _VIEW_CENTER_:
				return delta / 2;
			default:
				(void)farSide;
				(void)size;
				return 0.0f;
		}
	};

	BRect frame = fFrame;
	frame.left += move(left, 0, dx, false);
	frame.right += move(right, 0, dx, true);
	frame.top += move(top, 0, dy, false);
	frame.bottom += move(bottom, 0, dy, true);
	// A rule of 0 for one edge keeps the size.
	if (left == 0 && right != 0)
		frame.left = frame.right - fFrame.Width();
	if (right == 0)
		frame.right = frame.left + fFrame.Width();
	if (top == 0 && bottom != 0)
		frame.top = frame.bottom - fFrame.Height();
	if (bottom == 0)
		frame.bottom = frame.top + fFrame.Height();
	frame.left = roundf(frame.left);
	frame.top = roundf(frame.top);
	frame.right = roundf(frame.right);
	frame.bottom = roundf(frame.bottom);
	if (frame == fFrame)
		return;
	bool moved = frame.left != fFrame.left || frame.top != fFrame.top;
	float cdx = frame.Width() - fFrame.Width();
	float cdy = frame.Height() - fFrame.Height();
	BRect oldFrame = fFrame;
	fFrame = frame;
	if (cdx != 0 || cdy != 0)
		_ResizeChildren(cdx, cdy);
	_GeometryChanged(oldFrame, moved, cdx != 0 || cdy != 0);
}


// The children follow a resize; the content widget is fitted once after
// them, by the caller's _GeometryChanged, not once per child.
void
BView::_ResizeChildren(float dx, float dy)
{
	fData->resizingChildren = true;
	for (int32 i = 0; i < fChildren.CountItems(); i++)
		((BView*)fChildren.ItemAt(i))->_ParentResized(dx, dy);
	fData->resizingChildren = false;
}


void
BView::_GeometryChanged(const BRect& oldFrame, bool moved, bool resized)
{
	if (fParent != NULL)
		ViewAccess::ChildExtentChanged(fParent, oldFrame, this);
	if (fWindow == NULL || fData->widget == NULL)
		return;
	if (fData->deferred && fParent != NULL)
		ViewAccess::CheckSight(fParent);
	if (resized)
		ViewAccess::CheckSight(this);
	fData->widget->setGeometry(pixel(fFrame.left), pixel(fFrame.top),
		(int)floorf(fFrame.Width()) + 1, (int)floorf(fFrame.Height()) + 1);
	if (resized) {
		ViewAccess::ResizeImage(this);
		ViewAccess::UpdateContentGeometry(this);
		_InvalidateAll();
	}
	if (fParent != NULL && !fParent->fData->resizingChildren)
		ViewAccess::UpdateContentGeometry(fParent);
	if ((fFlags & B_FRAME_EVENTS) != 0)
		fWindow->_ViewFrameChanged(this, moved, resized);
}


void
BView::ScrollBy(float dx, float dy)
{
	ScrollTo(BPoint(fScrollOrigin.x + dx, fScrollOrigin.y + dy));
}


void
BView::ScrollTo(BPoint where)
{
	where.x = roundf(where.x);
	where.y = roundf(where.y);
	if (where == fScrollOrigin)
		return;
	fScrollOrigin = where;
	if (fWindow != NULL && fData->widget != NULL) {
		// The children keep their images: only the content widget moves
		// and this view's own image is drawn again for its new origin.
		ViewAccess::UpdateContentGeometry(this);
		Invalidate();
		ViewAccess::CheckSight(this);
	}
	// The scroll bars follow; their values stay inside their ranges while
	// the view itself may scroll beyond them.
	if (fHorScroller != NULL)
		fHorScroller->_TargetScrolled(where.x);
	if (fVerScroller != NULL)
		fVerScroller->_TargetScrolled(where.y);
}


BScrollBar*
BView::ScrollBar(orientation direction) const
{
	return direction == B_HORIZONTAL ? fHorScroller : fVerScroller;
}


void
BView::ConvertToParent(BPoint* point) const
{
	point->x += fFrame.left - fScrollOrigin.x;
	point->y += fFrame.top - fScrollOrigin.y;
}


BPoint
BView::ConvertToParent(BPoint point) const
{
	ConvertToParent(&point);
	return point;
}


void
BView::ConvertFromParent(BPoint* point) const
{
	point->x -= fFrame.left - fScrollOrigin.x;
	point->y -= fFrame.top - fScrollOrigin.y;
}


BPoint
BView::ConvertFromParent(BPoint point) const
{
	ConvertFromParent(&point);
	return point;
}


void
BView::ConvertToParent(BRect* rect) const
{
	rect->OffsetBy(fFrame.left - fScrollOrigin.x, fFrame.top - fScrollOrigin.y);
}


BRect
BView::ConvertToParent(BRect rect) const
{
	ConvertToParent(&rect);
	return rect;
}


void
BView::ConvertFromParent(BRect* rect) const
{
	rect->OffsetBy(fScrollOrigin.x - fFrame.left, fScrollOrigin.y - fFrame.top);
}


BRect
BView::ConvertFromParent(BRect rect) const
{
	ConvertFromParent(&rect);
	return rect;
}


void
BView::ConvertToScreen(BPoint* point) const
{
	for (const BView* view = this; view != NULL; view = view->fParent)
		view->ConvertToParent(point);
	if (fWindow != NULL) {
		BRect frame = fWindow->Frame();
		point->x += frame.left;
		point->y += frame.top;
	}
}


BPoint
BView::ConvertToScreen(BPoint point) const
{
	ConvertToScreen(&point);
	return point;
}


void
BView::ConvertFromScreen(BPoint* point) const
{
	BPoint origin(0, 0);
	ConvertToScreen(&origin);
	point->x -= origin.x;
	point->y -= origin.y;
}


BPoint
BView::ConvertFromScreen(BPoint point) const
{
	ConvertFromScreen(&point);
	return point;
}


void
BView::ConvertToScreen(BRect* rect) const
{
	BPoint leftTop = ConvertToScreen(rect->LeftTop());
	rect->OffsetTo(leftTop);
}


BRect
BView::ConvertToScreen(BRect rect) const
{
	ConvertToScreen(&rect);
	return rect;
}


void
BView::ConvertFromScreen(BRect* rect) const
{
	BPoint leftTop = ConvertFromScreen(rect->LeftTop());
	rect->OffsetTo(leftTop);
}


BRect
BView::ConvertFromScreen(BRect rect) const
{
	ConvertFromScreen(&rect);
	return rect;
}


//	#pragma mark - visibility, flags, focus


void
BView::Show()
{
	fHideLevel--;
	if (fHideLevel == 0 && fData->widget != NULL) {
		ViewAccess::ResizeImage(this);
		fData->widget->show();
		_InvalidateAll();
	}
}


void
BView::Hide()
{
	fHideLevel++;
	if (fHideLevel == 1 && fData->widget != NULL) {
		fData->widget->hide();
		ViewAccess::ResizeImage(this);
		if (fWindow != NULL)
			fWindow->_ViewHidden(this);
	}
}


bool
BView::IsHidden(const BView* looking) const
{
	if (fHideLevel > 0)
		return true;
	if (looking == this)
		return false;
	if (fParent != NULL)
		return fParent->IsHidden(looking);
	if (fWindow != NULL && !fData->isTopView)
		return fWindow->IsHidden();
	return false;
}


bool
BView::IsHidden() const
{
	if (fHideLevel > 0)
		return true;
	if (fParent != NULL)
		return fParent->IsHidden();
	return false;
}


void
BView::SetFlags(uint32 flags)
{
	fFlags = flags;
}


void
BView::SetResizingMode(uint32 mode)
{
	fResizingMode = mode;
}


void
BView::MakeFocus(bool focus)
{
	if (fWindow == NULL)
		return;
	BView* current = fWindow->CurrentFocus();
	if (focus) {
		if (current == this)
			return;
		// The view that loses the focus hears of it, so it can redraw.
		if (current != NULL)
			current->MakeFocus(false);
		fWindow->_SetFocus(this);
	} else if (current == this)
		fWindow->_SetFocus(NULL);
}


bool
BView::IsFocus() const
{
	return fWindow != NULL && fWindow->CurrentFocus() == this;
}


//	#pragma mark - input


void
BView::GetMouse(BPoint* location, uint32* buttons, bool)
{
	BMessage* current = fWindow != NULL ? fWindow->CurrentMessage() : NULL;
	bool isMouse = current != NULL && (current->what == B_MOUSE_DOWN
		|| current->what == B_MOUSE_UP || current->what == B_MOUSE_MOVED);
	BPoint screen;
	// The message being dispatched describes the mouse, so a synthetic
	// click reads like a real one. A handler that keeps polling (a tracking
	// loop) sees the live pointer after a short while, so the loop ends.
	if (isMouse && fData->mouseMessageSeen != current) {
		fData->mouseMessageSeen = current;
		fData->mouseMessageTime = system_time();
	}
	if (isMouse && system_time() - fData->mouseMessageTime
			< BPrivate::kMessageMouseTime
		&& current->FindPoint("screen_where", &screen) == B_OK) {
		int32 pressed = 0;
		current->FindInt32("buttons", &pressed);
		if (current->what == B_MOUSE_UP)
			pressed = 0;
		if (location != NULL)
			*location = ConvertFromScreen(screen);
		if (buttons != NULL)
			*buttons = (uint32)pressed;
		return;
	}
	QPoint cursor = QCursor::pos();
	if (location != NULL)
		*location = ConvertFromScreen(BPoint(cursor.x(), cursor.y()));
	if (buttons != NULL) {
		uint32 pressed = 0;
		Qt::MouseButtons qtButtons = QGuiApplication::mouseButtons();
		if (qtButtons & Qt::LeftButton)
			pressed |= B_PRIMARY_MOUSE_BUTTON;
		if (qtButtons & Qt::RightButton)
			pressed |= B_SECONDARY_MOUSE_BUTTON;
		if (qtButtons & Qt::MiddleButton)
			pressed |= B_TERTIARY_MOUSE_BUTTON;
		*buttons = pressed;
	}
}


status_t
BView::SetEventMask(uint32 mask, uint32 options)
{
	fEventMask = mask;
	fEventOptions = options;
	return B_OK;
}


uint32
BView::EventMask()
{
	return fEventMask;
}


status_t
BView::SetMouseEventMask(uint32 mask, uint32 options)
{
	// Holds only while a button is down; the window clears it on release.
	if (fWindow == NULL)
		return B_ERROR;
	fMouseEventMask = mask;
	fEventOptions |= options;
	return B_OK;
}


//	#pragma mark - updates


void
BView::Invalidate(BRect rect)
{
	if (fWindow == NULL || fData->widget == NULL || !rect.IsValid())
		return;
	QRect pixels = ViewAccess::PixelRect(this, rect).translated(
		pixel(-fScrollOrigin.x), pixel(-fScrollOrigin.y));
	pixels = pixels.intersected(fData->image.rect());
	if (pixels.isEmpty())
		return;
	fData->dirty += pixels;
	ViewAccess::MarkDirty(this);
	fWindow->_ViewNeedsUpdate();
}


void
BView::Invalidate()
{
	Invalidate(Bounds());
}


void
BView::_MarkTopView()
{
	fData->isTopView = true;
}


bool
BView::_IsTopView() const
{
	return fData->isTopView;
}


void
BView::_UpdateDirty()
{
	ViewAccess::DrawDirty(this);
}


void
BView::_InvalidateAll()
{
	if (fWindow == NULL || fData->widget == NULL)
		return;
	fData->dirty = QRegion(fData->image.rect());
	ViewAccess::MarkDirty(this);
	for (int32 i = 0; i < fChildren.CountItems(); i++)
		((BView*)fChildren.ItemAt(i))->_InvalidateAll();
	fWindow->_ViewNeedsUpdate();
}


void
BView::Flush() const
{
	if (fData->widget != NULL)
		fData->widget->update();
}


void
BView::Sync() const
{
	Flush();
}


//	#pragma mark - colours and state


void
BView::SetViewColor(rgb_color color)
{
	fViewColor = color;
	fColorsSet = true;
}


void
BView::SetViewColor(uchar r, uchar g, uchar b, uchar a)
{
	SetViewColor(make_color(r, g, b, a));
}


void
BView::SetHighColor(rgb_color color)
{
	fHighColor = color;
	fColorsSet = true;
}


void
BView::SetHighColor(uchar r, uchar g, uchar b, uchar a)
{
	SetHighColor(make_color(r, g, b, a));
}


void
BView::SetLowColor(rgb_color color)
{
	fLowColor = color;
	fColorsSet = true;
}


void
BView::SetLowColor(uchar r, uchar g, uchar b, uchar a)
{
	SetLowColor(make_color(r, g, b, a));
}


void
BView::SetDrawingMode(drawing_mode mode)
{
	fDrawingMode = mode;
}


void
BView::SetBlendingMode(source_alpha srcAlpha, alpha_function alphaFunc)
{
	fSourceAlpha = srcAlpha;
	fAlphaFunction = alphaFunc;
}


void
BView::SetPenSize(float size)
{
	fPenSize = size < 0 ? 0 : size;
}


void
BView::MovePenTo(BPoint point)
{
	fPenLocation = point;
}


void
BView::MovePenTo(float x, float y)
{
	fPenLocation.Set(x, y);
}


void
BView::MovePenBy(float x, float y)
{
	fPenLocation.x += x;
	fPenLocation.y += y;
}


void
BView::SetOrigin(BPoint where)
{
	fDrawOrigin = where;
}


void
BView::PushState()
{
	BPrivate::DrawState state = { fHighColor, fLowColor, fDrawingMode,
		fSourceAlpha, fAlphaFunction, fPenSize, fPenLocation, fDrawOrigin,
		fFont, fData->constrained, fData->constraint };
	fData->states.push_back(state);
}


void
BView::PopState()
{
	if (fData->states.empty())
		return;
	BPrivate::DrawState state = fData->states.back();
	fData->states.pop_back();
	fHighColor = state.high;
	fLowColor = state.low;
	fDrawingMode = state.mode;
	fSourceAlpha = state.sourceAlpha;
	fAlphaFunction = state.alphaFunction;
	fPenSize = state.penSize;
	fPenLocation = state.pen;
	fDrawOrigin = state.origin;
	fFont = state.font;
	fData->constrained = state.constrained;
	fData->constraint = state.constraint;
}


void
BView::ConstrainClippingRegion(const BRect* rect)
{
	fData->constrained = rect != NULL;
	if (rect != NULL)
		fData->constraint = *rect;
}


void
BView::SetViewBitmap(const BBitmap* bitmap, BRect srcRect, BRect dstRect,
	uint32, uint32 options)
{
	// The picture is copied: the caller may delete the bitmap.
	fData->viewBitmap = qt_image_for(bitmap, B_OP_ALPHA);
	fData->viewBitmapSource = srcRect;
	fData->viewBitmapTarget = dstRect;
	fData->viewBitmapOptions = options;
	_InvalidateAll();
}


void
BView::SetViewBitmap(const BBitmap* bitmap, uint32 followFlags,
	uint32 options)
{
	if (bitmap == NULL) {
		ClearViewBitmap();
		return;
	}
	BRect bounds = bitmap->Bounds();
	SetViewBitmap(bitmap, bounds, bounds.OffsetToCopy(0, 0), followFlags,
		options);
}


void
BView::ClearViewBitmap()
{
	fData->viewBitmap = QImage();
	_InvalidateAll();
}


//	#pragma mark - fonts


void
BView::SetFont(const BFont* font, uint32 mask)
{
	if (font == NULL)
		return;
	if (mask == B_FONT_ALL) {
		fFont = *font;
		return;
	}
	if ((mask & B_FONT_FAMILY_AND_STYLE) != 0) {
		font_family family;
		font_style style;
		font->GetFamilyAndStyle(&family, &style);
		fFont.SetFamilyAndStyle(family, style);
	}
	if ((mask & B_FONT_SIZE) != 0)
		fFont.SetSize(font->Size());
	if ((mask & B_FONT_SHEAR) != 0)
		fFont.SetShear(font->Shear());
	if ((mask & B_FONT_ROTATION) != 0)
		fFont.SetRotation(font->Rotation());
	if ((mask & B_FONT_SPACING) != 0)
		fFont.SetSpacing(font->Spacing());
	if ((mask & B_FONT_FACE) != 0)
		fFont.SetFace(font->Face());
	if ((mask & B_FONT_FLAGS) != 0)
		fFont.SetFlags(font->Flags());
}


void
BView::GetFont(BFont* font) const
{
	if (font != NULL)
		*font = fFont;
}


void
BView::SetFontSize(float size)
{
	fFont.SetSize(size);
}


void
BView::GetFontHeight(font_height* height) const
{
	fFont.GetHeight(height);
}


float
BView::StringWidth(const char* string) const
{
	return fFont.StringWidth(string);
}


float
BView::StringWidth(const char* string, int32 length) const
{
	return fFont.StringWidth(string, length);
}


//	#pragma mark - shapes


void
BView::StrokeLine(BPoint toPoint, pattern p)
{
	StrokeLine(fPenLocation, toPoint, p);
}


void
BView::StrokeLine(BPoint start, BPoint end, pattern p)
{
	fPenLocation = end;
	float penSize = fPenSize < 1 ? 1 : fPenSize;
	ViewAccess::Render(this, p, false, [&](QPainter& painter,
			const QBrush& brush) {
		int x1 = pixel(start.x), y1 = pixel(start.y);
		int x2 = pixel(end.x), y2 = pixel(end.y);
		if (penSize <= 1 && (x1 == x2 || y1 == y2)) {
			// Straight lines cover both end pixels exactly.
			painter.fillRect(QRect(QPoint(std::min(x1, x2),
				std::min(y1, y2)), QPoint(std::max(x1, x2),
				std::max(y1, y2))), brush);
			return;
		}
		QPen pen(brush, penSize, Qt::SolidLine, Qt::SquareCap,
			Qt::MiterJoin);
		painter.setPen(pen);
		painter.drawLine(QPointF(x1 + 0.5, y1 + 0.5),
			QPointF(x2 + 0.5, y2 + 0.5));
	});
}


void
BView::StrokeRect(BRect rect, pattern p)
{
	if (!rect.IsValid())
		return;
	float penSize = fPenSize < 1 ? 1 : fPenSize;
	ViewAccess::Render(this, p, false, [&](QPainter& painter,
			const QBrush& brush) {
		QRect r = ViewAccess::PixelRect(this, rect);
		if (penSize <= 1) {
			// The outline lies on the rectangle's own edge pixels.
			painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), brush);
			painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), brush);
			painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), brush);
			painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), brush);
			return;
		}
		QPen pen(brush, penSize, Qt::SolidLine, Qt::SquareCap,
			Qt::MiterJoin);
		painter.setPen(pen);
		painter.setBrush(Qt::NoBrush);
		painter.drawRect(QRectF(r.left() + 0.5, r.top() + 0.5,
			r.width() - 1, r.height() - 1));
	});
}


void
BView::FillRect(BRect rect, pattern p)
{
	if (!rect.IsValid())
		return;
	ViewAccess::Render(this, p, true, [&](QPainter& painter,
			const QBrush& brush) {
		painter.fillRect(ViewAccess::PixelRect(this, rect), brush);
	});
}


void
BView::InvertRect(BRect rect)
{
	drawing_mode mode = fDrawingMode;
	fDrawingMode = B_OP_INVERT;
	FillRect(rect);
	fDrawingMode = mode;
}


// Outlines run through the centres of the edge pixels; fills cover the
// pixels whose centres lie inside.
static QRectF
stroke_rect(BRect rect)
{
	return QRectF(pixel(rect.left) + 0.5, pixel(rect.top) + 0.5,
		pixel(rect.right) - pixel(rect.left),
		pixel(rect.bottom) - pixel(rect.top));
}


static QRectF
fill_rect(BRect rect)
{
	return QRectF(pixel(rect.left), pixel(rect.top),
		pixel(rect.right) - pixel(rect.left) + 1,
		pixel(rect.bottom) - pixel(rect.top) + 1);
}


void
BView::StrokeRoundRect(BRect rect, float xRadius, float yRadius, pattern p)
{
	if (!rect.IsValid())
		return;
	float penSize = fPenSize < 1 ? 1 : fPenSize;
	ViewAccess::Render(this, p, false, [&](QPainter& painter,
			const QBrush& brush) {
		painter.setPen(QPen(brush, penSize));
		painter.setBrush(Qt::NoBrush);
		painter.drawRoundedRect(stroke_rect(rect), xRadius, yRadius);
	});
}


void
BView::FillRoundRect(BRect rect, float xRadius, float yRadius, pattern p)
{
	if (!rect.IsValid())
		return;
	ViewAccess::Render(this, p, true, [&](QPainter& painter,
			const QBrush& brush) {
		QPainterPath path;
		path.addRoundedRect(fill_rect(rect), xRadius, yRadius);
		painter.fillPath(path, brush);
	});
}


void
BView::StrokeEllipse(BPoint center, float xRadius, float yRadius, pattern p)
{
	StrokeEllipse(BRect(center.x - xRadius, center.y - yRadius,
		center.x + xRadius, center.y + yRadius), p);
}


void
BView::StrokeEllipse(BRect rect, pattern p)
{
	if (!rect.IsValid())
		return;
	float penSize = fPenSize < 1 ? 1 : fPenSize;
	ViewAccess::Render(this, p, false, [&](QPainter& painter,
			const QBrush& brush) {
		painter.setPen(QPen(brush, penSize));
		painter.setBrush(Qt::NoBrush);
		painter.drawEllipse(stroke_rect(rect));
	});
}


void
BView::FillEllipse(BPoint center, float xRadius, float yRadius, pattern p)
{
	FillEllipse(BRect(center.x - xRadius, center.y - yRadius,
		center.x + xRadius, center.y + yRadius), p);
}


void
BView::FillEllipse(BRect rect, pattern p)
{
	if (!rect.IsValid())
		return;
	ViewAccess::Render(this, p, true, [&](QPainter& painter,
			const QBrush& brush) {
		QPainterPath path;
		path.addEllipse(fill_rect(rect));
		painter.fillPath(path, brush);
	});
}


void
BView::StrokeArc(BRect rect, float startAngle, float arcAngle, pattern p)
{
	if (!rect.IsValid())
		return;
	float penSize = fPenSize < 1 ? 1 : fPenSize;
	ViewAccess::Render(this, p, false, [&](QPainter& painter,
			const QBrush& brush) {
		painter.setPen(QPen(brush, penSize));
		painter.drawArc(stroke_rect(rect), (int)(startAngle * 16),
			(int)(arcAngle * 16));
	});
}


void
BView::FillArc(BRect rect, float startAngle, float arcAngle, pattern p)
{
	if (!rect.IsValid())
		return;
	ViewAccess::Render(this, p, true, [&](QPainter& painter,
			const QBrush& brush) {
		painter.setPen(Qt::NoPen);
		painter.setBrush(brush);
		painter.drawPie(fill_rect(rect), (int)(startAngle * 16),
			(int)(arcAngle * 16));
	});
}


static QPolygonF
pixel_polygon(const BPoint* points, int32 count)
{
	QPolygonF polygon;
	for (int32 i = 0; i < count; i++)
		polygon << QPointF(pixel(points[i].x) + 0.5, pixel(points[i].y) + 0.5);
	return polygon;
}


void
BView::StrokeTriangle(BPoint p1, BPoint p2, BPoint p3, pattern p)
{
	BPoint points[3] = { p1, p2, p3 };
	StrokePolygon(points, 3, true, p);
}


void
BView::FillTriangle(BPoint p1, BPoint p2, BPoint p3, pattern p)
{
	BPoint points[3] = { p1, p2, p3 };
	FillPolygon(points, 3, p);
}


void
BView::StrokePolygon(const BPoint* points, int32 count, bool closed,
	pattern p)
{
	if (points == NULL || count < 2)
		return;
	float penSize = fPenSize < 1 ? 1 : fPenSize;
	ViewAccess::Render(this, p, false, [&](QPainter& painter,
			const QBrush& brush) {
		painter.setPen(QPen(brush, penSize, Qt::SolidLine, Qt::SquareCap,
			Qt::MiterJoin));
		painter.setBrush(Qt::NoBrush);
		QPolygonF polygon = pixel_polygon(points, count);
		if (closed)
			painter.drawPolygon(polygon);
		else
			painter.drawPolyline(polygon);
	});
}


void
BView::FillPolygon(const BPoint* points, int32 count, pattern p)
{
	if (points == NULL || count < 3)
		return;
	ViewAccess::Render(this, p, true, [&](QPainter& painter,
			const QBrush& brush) {
		// The edges belong to the filled area, as on BeOS.
		QPolygonF polygon = pixel_polygon(points, count);
		painter.setPen(QPen(brush, 1));
		painter.setBrush(brush);
		painter.drawPolygon(polygon);
	});
}


void
BView::BeginLineArray(int32 count)
{
	fData->inLineArray = true;
	fData->lines.clear();
	fData->lines.reserve(count > 0 ? count : 0);
}


void
BView::AddLine(BPoint start, BPoint end, rgb_color color)
{
	if (!fData->inLineArray)
		return;
	fData->lines.push_back({ start, end, color });
}


void
BView::EndLineArray()
{
	if (!fData->inLineArray)
		return;
	fData->inLineArray = false;
	rgb_color high = fHighColor;
	BPoint pen = fPenLocation;
	std::vector<BPrivate::LineEntry> lines;
	lines.swap(fData->lines);
	for (const BPrivate::LineEntry& line : lines) {
		fHighColor = line.color;
		StrokeLine(line.start, line.end);
	}
	fHighColor = high;
	fPenLocation = pen;
}


//	#pragma mark - text


void
BView::DrawString(const char* string, escapement_delta* delta)
{
	DrawString(string, string != NULL ? (int32)strlen(string) : 0,
		fPenLocation, delta);
}


void
BView::DrawString(const char* string, BPoint location,
	escapement_delta* delta)
{
	DrawString(string, string != NULL ? (int32)strlen(string) : 0, location,
		delta);
}


void
BView::DrawString(const char* string, int32 length, escapement_delta* delta)
{
	DrawString(string, length, fPenLocation, delta);
}


void
BView::DrawString(const char* string, int32 length, BPoint location,
	escapement_delta*)
{
	if (string == NULL || length <= 0) {
		fPenLocation = location;
		return;
	}
	QString text = QString::fromUtf8(string, (qsizetype)strnlen(string,
		length));
	QFont font = BPrivate::qt_font(fFont);
	ViewAccess::Render(this, B_SOLID_HIGH, true, [&](QPainter& painter,
			const QBrush& brush) {
		painter.setFont(font);
		painter.setPen(QPen(brush, 1));
		painter.drawText(QPointF(location.x, location.y), text);
	});
	fPenLocation.Set(location.x + fFont.StringWidth(string, length),
		location.y);
}


void
BView::DrawChar(char c)
{
	char string[2] = { c, '\0' };
	DrawString(string);
}


void
BView::DrawChar(char c, BPoint location)
{
	char string[2] = { c, '\0' };
	DrawString(string, location);
}


//	#pragma mark - bitmaps


void
BView::DrawBitmap(const BBitmap* bitmap)
{
	DrawBitmap(bitmap, fPenLocation);
}


void
BView::DrawBitmap(const BBitmap* bitmap, BPoint where)
{
	if (bitmap == NULL)
		return;
	BRect bounds = bitmap->Bounds();
	DrawBitmap(bitmap, bounds, bounds.OffsetToCopy(where));
}


void
BView::DrawBitmap(const BBitmap* bitmap, BRect dstRect)
{
	if (bitmap == NULL)
		return;
	DrawBitmap(bitmap, bitmap->Bounds(), dstRect);
}


void
BView::DrawBitmap(const BBitmap* bitmap, BRect srcRect, BRect dstRect)
{
	if (bitmap == NULL || !bitmap->IsValid() || fData->image.isNull())
		return;
	drawing_mode mode = fDrawingMode;
	QImage image = qt_image_for(bitmap,
		mode == B_OP_COPY ? B_OP_COPY : (mode == B_OP_OVER ? B_OP_OVER
			: B_OP_ALPHA));
	BRect bounds = bitmap->Bounds();
	QRectF source = fill_rect(srcRect.OffsetByCopy(-bounds.left,
		-bounds.top));
	QRectF target = fill_rect(dstRect);
	ViewAccess::Render(this, B_SOLID_HIGH, true, [&](QPainter& painter,
			const QBrush&) {
		painter.drawImage(target, image, source);
	});
}


rgb_color
BView::PixelAt(BPoint point) const
{
	rgb_color none = { 0, 0, 0, 0 };
	if (fData == NULL || fData->image.isNull())
		return none;
	int x = pixel(point.x - fScrollOrigin.x);
	int y = pixel(point.y - fScrollOrigin.y);
	if (!fData->image.rect().contains(x, y))
		return none;
	QRgb value = qUnpremultiply(fData->image.pixel(x, y));
	return make_color(qRed(value), qGreen(value), qBlue(value),
		qAlpha(value));
}
