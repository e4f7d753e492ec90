// BControl: a view with a label, a value and a message that it sends to
// its target (by default its window) when invoked.
#ifndef _CONTROL_H
#define _CONTROL_H

#include <Invoker.h>
#include <String.h>
#include <View.h>

enum {
	B_CONTROL_OFF = 0,
	B_CONTROL_ON = 1
};

class BControl : public BView, public BInvoker {
public:
							BControl(BRect frame, const char* name,
								const char* label, BMessage* message,
								uint32 resizingMode, uint32 flags);
	virtual					~BControl();

	virtual	void			AttachedToWindow();
	virtual	void			DetachedFromWindow();
	virtual	void			WindowActivated(bool active);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			MakeFocus(bool focus = true);
	virtual	void			KeyDown(const char* bytes, int32 numBytes);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);

	virtual	void			SetLabel(const char* label);
			const char*		Label() const;
	virtual	void			SetValue(int32 value);
			int32			Value() const { return fValue; }
			void			SetValueNoUpdate(int32 value);
	virtual	void			SetEnabled(bool enabled);
			bool			IsEnabled() const { return fEnabled; }

	virtual	void			GetPreferredSize(float* width, float* height);
	virtual	void			ResizeToPreferred();

	// Adds "when" and "source" to a copy of the message and sends it.
	virtual	status_t		Invoke(BMessage* message = NULL);

protected:
			bool			IsFocusChanging() const
								{ return fFocusChanging; }
			bool			IsTracking() const { return fTracking; }
			void			SetTracking(bool state) { fTracking = state; }

			// A press on a check box or radio button: outlined while the
			// pointer stays over it. _PressMoved is false when no press is
			// tracked; _EndPress true for a release over the control.
			void			_StartPress();
			bool			_PressMoved(BPoint where, uint32 transit);
			bool			_EndPress(BPoint where);
			bool			_IsOutlined() const { return fOutlined; }
			// Their 12 x 12 box or circle, centred on the label's line.
			BRect			_MarkFrame() const;

			// The colours of the BeOS look, from the view colour.
			rgb_color		_BackgroundColor() const;
			rgb_color		_LabelColor() const;

private:
			BString			fLabel;
			int32			fValue;
			bool			fEnabled;
			bool			fFocusChanging;
			bool			fTracking;
			bool			fOutlined;
			bool			fHasLabel;
};

#endif	// _CONTROL_H
