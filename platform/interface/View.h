// BView: a rectangle of a window that draws itself and takes input. Views
// form a tree under the window; coordinates are BeOS's inclusive ones, so
// a view whose frame is BRect(0, 0, 99, 19) covers 100 x 20 pixels.
//
// An attached view keeps a retained image of itself. Invalidate() queues
// an update in the window; the update pass fills the dirty area with the
// view colour and calls Draw() into the image. Drawing outside Draw() goes
// into the same image and stays until the next update.
#ifndef _VIEW_H
#define _VIEW_H

#include <Font.h>
#include <GraphicsDefs.h>
#include <Handler.h>
#include <InterfaceDefs.h>
#include <List.h>
#include <Point.h>
#include <Rect.h>

class BBitmap;
class BMessage;
class BScrollBar;
class BWindow;

namespace BPrivate {
struct ViewData;
class ViewAccess;
}

class BView : public BHandler {
public:
							BView(BRect frame, const char* name,
								uint32 resizingMode, uint32 flags);
	virtual					~BView();

	// Hooks.
	virtual	void			AttachedToWindow();
	virtual	void			AllAttached();
	virtual	void			DetachedFromWindow();
	virtual	void			AllDetached();
	virtual	void			Draw(BRect updateRect);
	virtual	void			DrawAfterChildren(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			KeyUp(const char* bytes, int32 numBytes);
	virtual	void			FrameMoved(BPoint newPosition);
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			WindowActivated(bool active);
	virtual	void			Pulse();
	virtual	void			MessageReceived(BMessage* message);
	// Scripting: View, Views, Frame, Hidden and, by kind, Text, Label,
	// Value, Enabled; the automation verbs Click and Drop.
	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 what,
								const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);
	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			ResizeToPreferred();
	virtual	void			SetFont(const BFont* font,
								uint32 mask = B_FONT_ALL);
	virtual	void			Show();
	virtual	void			Hide();
	virtual	void			SetFlags(uint32 flags);
	virtual	void			SetResizingMode(uint32 mode);
	virtual	void			SetViewColor(rgb_color color);

	// Hierarchy.
			void			AddChild(BView* child, BView* before = NULL);
			bool			RemoveChild(BView* child);
			bool			RemoveSelf();
			int32			CountChildren() const;
			BView*			ChildAt(int32 index) const;
			BView*			NextSibling() const;
			BView*			PreviousSibling() const;
			BView*			Parent() const;
			BView*			FindView(const char* name) const;
			BWindow*		Window() const { return fWindow; }

	// Geometry.
			BRect			Frame() const;
			BRect			Bounds() const;
			void			MoveBy(float dx, float dy);
			void			MoveTo(BPoint where);
			void			MoveTo(float x, float y);
			void			ResizeBy(float dx, float dy);
			void			ResizeTo(float width, float height);
			void			ScrollBy(float dx, float dy);
	virtual	void			ScrollTo(BPoint where);
			void			ScrollTo(float x, float y)
								{ ScrollTo(BPoint(x, y)); }
			BPoint			LeftTop() const;

			void			ConvertToParent(BPoint* point) const;
			BPoint			ConvertToParent(BPoint point) const;
			void			ConvertFromParent(BPoint* point) const;
			BPoint			ConvertFromParent(BPoint point) const;
			void			ConvertToParent(BRect* rect) const;
			BRect			ConvertToParent(BRect rect) const;
			void			ConvertFromParent(BRect* rect) const;
			BRect			ConvertFromParent(BRect rect) const;
			void			ConvertToScreen(BPoint* point) const;
			BPoint			ConvertToScreen(BPoint point) const;
			void			ConvertFromScreen(BPoint* point) const;
			BPoint			ConvertFromScreen(BPoint point) const;
			void			ConvertToScreen(BRect* rect) const;
			BRect			ConvertToScreen(BRect rect) const;
			void			ConvertFromScreen(BRect* rect) const;
			BRect			ConvertFromScreen(BRect rect) const;

			// The scroll bars that have this view as their target.
			BScrollBar*		ScrollBar(orientation direction) const;

			uint32			ResizingMode() const { return fResizingMode; }
			uint32			Flags() const { return fFlags; }
			bool			IsHidden() const;
			bool			IsHidden(const BView* looking) const;
			bool			IsFocus() const;

	// Input.
			void			GetMouse(BPoint* location, uint32* buttons,
								bool checkMessageQueue = true);
			status_t		SetEventMask(uint32 mask, uint32 options = 0);
			uint32			EventMask();
			status_t		SetMouseEventMask(uint32 mask,
								uint32 options = 0);

	// Updates.
			void			Invalidate(BRect invalRect);
			void			Invalidate();
			void			Flush() const;
			void			Sync() const;

	// Colours and drawing state. HasDefaultColors() is true until one of
	// the view, high or low colours is set; controls then take over their
	// parent's colours when attached.
			rgb_color		ViewColor() const { return fViewColor; }
			bool			HasDefaultColors() const
								{ return !fColorsSet; }
			void			SetViewColor(uchar r, uchar g, uchar b,
								uchar a = 255);
			void			SetHighColor(rgb_color color);
			void			SetHighColor(uchar r, uchar g, uchar b,
								uchar a = 255);
			rgb_color		HighColor() const { return fHighColor; }
			void			SetLowColor(rgb_color color);
			void			SetLowColor(uchar r, uchar g, uchar b,
								uchar a = 255);
			rgb_color		LowColor() const { return fLowColor; }
			void			SetDrawingMode(drawing_mode mode);
			drawing_mode	DrawingMode() const { return fDrawingMode; }
			void			SetBlendingMode(source_alpha srcAlpha,
								alpha_function alphaFunc);
			void			SetPenSize(float size);
			float			PenSize() const { return fPenSize; }
			void			MovePenTo(BPoint point);
			void			MovePenTo(float x, float y);
			void			MovePenBy(float x, float y);
			BPoint			PenLocation() const { return fPenLocation; }
			void			SetOrigin(BPoint where);
			BPoint			Origin() const { return fDrawOrigin; }
			void			PushState();
			void			PopState();
			void			ConstrainClippingRegion(const BRect* rect);

	// Background bitmap, drawn by the update pass before Draw().
			void			SetViewBitmap(const BBitmap* bitmap,
								BRect srcRect, BRect dstRect,
								uint32 followFlags = B_FOLLOW_TOP
									| B_FOLLOW_LEFT,
								uint32 options = B_TILE_BITMAP);
			void			SetViewBitmap(const BBitmap* bitmap,
								uint32 followFlags = B_FOLLOW_TOP
									| B_FOLLOW_LEFT,
								uint32 options = B_TILE_BITMAP);
			void			ClearViewBitmap();

	// Fonts.
			void			GetFont(BFont* font) const;
			void			SetFontSize(float size);
			void			GetFontHeight(font_height* height) const;
			float			StringWidth(const char* string) const;
			float			StringWidth(const char* string,
								int32 length) const;

	// Shapes. Shapes are drawn without anti-aliasing, text with it.
			void			StrokeLine(BPoint toPoint,
								pattern p = B_SOLID_HIGH);
			void			StrokeLine(BPoint start, BPoint end,
								pattern p = B_SOLID_HIGH);
			void			StrokeRect(BRect rect, pattern p = B_SOLID_HIGH);
			void			FillRect(BRect rect, pattern p = B_SOLID_HIGH);
			void			StrokeRoundRect(BRect rect, float xRadius,
								float yRadius, pattern p = B_SOLID_HIGH);
			void			FillRoundRect(BRect rect, float xRadius,
								float yRadius, pattern p = B_SOLID_HIGH);
			void			StrokeEllipse(BPoint center, float xRadius,
								float yRadius, pattern p = B_SOLID_HIGH);
			void			StrokeEllipse(BRect rect,
								pattern p = B_SOLID_HIGH);
			void			FillEllipse(BPoint center, float xRadius,
								float yRadius, pattern p = B_SOLID_HIGH);
			void			FillEllipse(BRect rect, pattern p = B_SOLID_HIGH);
			void			StrokeArc(BRect rect, float startAngle,
								float arcAngle, pattern p = B_SOLID_HIGH);
			void			FillArc(BRect rect, float startAngle,
								float arcAngle, pattern p = B_SOLID_HIGH);
			void			StrokeTriangle(BPoint p1, BPoint p2, BPoint p3,
								pattern p = B_SOLID_HIGH);
			void			FillTriangle(BPoint p1, BPoint p2, BPoint p3,
								pattern p = B_SOLID_HIGH);
			void			StrokePolygon(const BPoint* points, int32 count,
								bool closed = true, pattern p = B_SOLID_HIGH);
			void			FillPolygon(const BPoint* points, int32 count,
								pattern p = B_SOLID_HIGH);

			void			BeginLineArray(int32 count);
			void			AddLine(BPoint start, BPoint end,
								rgb_color color);
			void			EndLineArray();

	// Text at a baseline point; the pen moves to the end of the text.
			void			DrawString(const char* string,
								escapement_delta* delta = NULL);
			void			DrawString(const char* string, BPoint location,
								escapement_delta* delta = NULL);
			void			DrawString(const char* string, int32 length,
								escapement_delta* delta = NULL);
			void			DrawString(const char* string, int32 length,
								BPoint location,
								escapement_delta* delta = NULL);
			void			DrawChar(char c);
			void			DrawChar(char c, BPoint location);

	// Bitmaps.
			void			DrawBitmap(const BBitmap* bitmap);
			void			DrawBitmap(const BBitmap* bitmap, BPoint where);
			void			DrawBitmap(const BBitmap* bitmap, BRect dstRect);
			void			DrawBitmap(const BBitmap* bitmap, BRect srcRect,
								BRect dstRect);
			void			DrawBitmapAsync(const BBitmap* bitmap,
								BPoint where)
								{ DrawBitmap(bitmap, where); }

			void			InvertRect(BRect rect);

	// The colour of one pixel of the retained image (view coordinates);
	// transparent black outside the view or before it is attached.
			rgb_color		PixelAt(BPoint point) const;

private:
	friend class BScrollBar;
	friend class BWindow;
	friend class BPrivate::ViewAccess;

			void			_Attach(BWindow* window);
			void			_CallAttached();
			void			_CallAllAttached();
			void			_Detach();
			void			_CallDetached();
			void			_CallAllDetached();
			void			_ParentResized(float dx, float dy);
			void			_ResizeChildren(float dx, float dy);
			void			_GeometryChanged(const BRect& oldFrame,
								bool moved, bool resized);
			void			_InvalidateAll();
			void			_MarkTopView();
			void			_UpdateDirty();
			bool			_IsTopView() const;

			BRect			fFrame;
			BPoint			fScrollOrigin;
			BPoint			fDrawOrigin;
			uint32			fResizingMode;
			uint32			fFlags;
			int32			fHideLevel;
			BView*			fParent;
			BWindow*		fWindow;
			BList			fChildren;
			uint32			fEventMask;
			uint32			fEventOptions;
			uint32			fMouseEventMask;

			rgb_color		fViewColor;
			rgb_color		fHighColor;
			rgb_color		fLowColor;
			drawing_mode	fDrawingMode;
			source_alpha	fSourceAlpha;
			alpha_function	fAlphaFunction;
			float			fPenSize;
			bool			fColorsSet;
			BPoint			fPenLocation;
			BFont			fFont;

			BScrollBar*		fHorScroller;
			BScrollBar*		fVerScroller;

			BPrivate::ViewData* fData;
};

#endif	// _VIEW_H
