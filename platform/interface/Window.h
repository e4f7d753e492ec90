// BWindow: a window on screen and the looper that runs its views. Every
// window is dispatched on the GUI thread from its own queue; Qt input
// becomes BeOS messages in that queue and reaches the view under the
// pointer (mouse) or the focus view (keys, wheel).
#ifndef _WINDOW_H
#define _WINDOW_H

#include <InterfaceDefs.h>
#include <Looper.h>
#include <Rect.h>
#include <String.h>

class BButton;
class BMessage;
class BView;

namespace BPrivate {
class ViewAccess;
class WindowAutomation;
class WindowWidget;
}

class BWindow : public BLooper {
public:
							BWindow(BRect frame, const char* title,
								window_type type, uint32 flags,
								uint32 workspace = B_CURRENT_WORKSPACE);
							BWindow(BRect frame, const char* title,
								window_look look, window_feel feel,
								uint32 flags,
								uint32 workspace = B_CURRENT_WORKSPACE);
	virtual					~BWindow();

	// Hides the window and ends it; see BLooper::Quit.
	virtual	void			Quit();
			void			Close() { Quit(); }
	virtual	bool			QuitRequested();

	// Views. Children of the window are children of its hidden top view;
	// their Parent() is NULL.
			void			AddChild(BView* child, BView* before = NULL);
			bool			RemoveChild(BView* child);
			int32			CountChildren() const;
			BView*			ChildAt(int32 index) const;
			BView*			FindView(const char* viewName) const;
			BView*			FindView(BPoint point) const;
			BView*			CurrentFocus() const { return fFocus; }
			BView*			LastMouseMovedView() const
								{ return fLastMouseMovedView; }

	virtual	void			DispatchMessage(BMessage* message,
								BHandler* handler);
	virtual	void			MessageReceived(BMessage* message);

	// Hooks.
	virtual	void			FrameMoved(BPoint newPosition);
	virtual	void			FrameResized(float newWidth, float newHeight);
	virtual	void			WindowActivated(bool active);
	virtual	void			WorkspacesChanged(uint32 oldWorkspaces,
								uint32 newWorkspaces);
	virtual	void			WorkspaceActivated(int32 workspace, bool state);
	virtual	void			Minimize(bool minimize);
	virtual	void			Zoom(BPoint origin, float width, float height);
	virtual	void			ScreenChanged(BRect screenSize,
								color_space depth);
	virtual	void			MenusBeginning();
	virtual	void			MenusEnded();

	// Geometry: Frame() is the content area in screen coordinates,
	// inclusive, as on BeOS.
			BRect			Frame() const { return fFrame; }
			BRect			Bounds() const;
			void			MoveBy(float dx, float dy);
			void			MoveTo(BPoint point);
			void			MoveTo(float x, float y);
			void			ResizeBy(float dx, float dy);
			void			ResizeTo(float width, float height);
			void			SetSizeLimits(float minWidth, float maxWidth,
								float minHeight, float maxHeight);
			void			GetSizeLimits(float* minWidth, float* maxWidth,
								float* minHeight, float* maxHeight);
			void			SetZoomLimits(float maxWidth, float maxHeight);
			void			Zoom();
			void			CenterOnScreen();

			void			ConvertToScreen(BPoint* point) const;
			BPoint			ConvertToScreen(BPoint point) const;
			void			ConvertFromScreen(BPoint* point) const;
			BPoint			ConvertFromScreen(BPoint point) const;
			void			ConvertToScreen(BRect* rect) const;
			BRect			ConvertToScreen(BRect rect) const;
			void			ConvertFromScreen(BRect* rect) const;
			BRect			ConvertFromScreen(BRect rect) const;

	// Showing. Show and Hide are counted: a window hidden twice needs
	// two Show calls. The first Show starts the window's looper.
	virtual	void			Show();
	virtual	void			Hide();
			bool			IsHidden() const { return fShowLevel > 0; }
			bool			IsMinimized() const;
			void			Activate(bool active = true);
			bool			IsActive() const;
			bool			IsFront() const;
			status_t		SendBehind(const BWindow* window);

			const char*		Title() const { return fTitle.String(); }
			void			SetTitle(const char* title);

			status_t		SetLook(window_look look);
			window_look		Look() const { return fLook; }
			status_t		SetFeel(window_feel feel);
			window_feel		Feel() const { return fFeel; }
			status_t		SetFlags(uint32 flags);
			uint32			Flags() const { return fFlags; }
			status_t		SetType(window_type type);
			window_type		Type() const;
			bool			IsModal() const;
			bool			IsFloating() const;
			uint32			Workspaces() const { return fWorkspaces; }
			void			SetWorkspaces(uint32 workspaces);

			void			SetDefaultButton(BButton* button);
			BButton*		DefaultButton() const { return fDefaultButton; }

			void			SetPulseRate(bigtime_t rate);
			bigtime_t		PulseRate() const { return fPulseRate; }

	// Updates are drawn by the looper in order with other messages.
			bool			NeedsUpdate() const { return fUpdatePending; }
			void			UpdateIfNeeded();
			void			Flush() const;
			void			Sync() const;
			void			DisableUpdates();
			void			EnableUpdates();
			void			BeginViewTransaction() {}
			void			EndViewTransaction() {}

	virtual	BHandler*		ResolveSpecifier(BMessage* message, int32 index,
								BMessage* specifier, int32 what,
								const char* property);
	virtual	status_t		GetSupportedSuites(BMessage* data);

private:
	friend class BView;
	friend class BPrivate::ViewAccess;
	friend class BPrivate::WindowAutomation;
	friend class BPrivate::WindowWidget;

							BWindow(const BWindow&) = delete;
			BWindow&		operator=(const BWindow&) = delete;

			void			_Init(BRect frame, const char* title,
								window_look look, window_feel feel,
								uint32 flags, uint32 workspace);
			void			_ApplyWindowFlags();
			void			_ApplySizeConstraints();
			void			_SetFrameFromQt(BRect frame);

			// For the views.
			void*			_ContentWidget() const;
			void			_ViewNeedsUpdate();
			void			_ViewRemoved(BView* view);
			void			_ViewHidden(BView* view);
			void			_ViewFrameChanged(BView* view, bool moved,
								bool resized);
			void			_SetFocus(BView* view);

			// Dispatch of input.
			bool			_IsOwnView(const BHandler* handler) const;
			bool			_HasView(const BView* view) const;
			BView*			_ViewAt(BPoint windowPoint) const;
			BPoint			_ConvertFromWindow(const BView* view,
								BPoint point) const;
			void			_HandleMouse(BMessage* message, BView* target);
			void			_HandleMouseMoved(BMessage* message,
								BView* target);
			void			_HandleKey(BMessage* message, BView* target);
			void			_HandleToFocus(BMessage* message,
								BView* target);
			void			_HandleDrop(BMessage* message, BView* target);
			void			_UpdatePass();
			bool			_NeedsPulse() const;

			BString			fTitle;
			BRect			fFrame;
			window_look		fLook;
			window_feel		fFeel;
			uint32			fFlags;
			uint32			fWorkspaces;
			int32			fShowLevel;
			bool			fStarted;
			bool			fUpdatePending;
			int32			fUpdatesDisabled;
			float			fMinWidth;
			float			fMaxWidth;
			float			fMinHeight;
			float			fMaxHeight;
			bigtime_t		fPulseRate;

			BView*			fTopView;
			BView*			fFocus;
			BView*			fLastMouseMovedView;
			BView*			fMouseDownView;
			BButton*		fDefaultButton;

			BPrivate::WindowWidget* fWidget;
};

#endif	// _WINDOW_H
