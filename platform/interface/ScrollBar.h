// BScrollBar: a bar with two arrows and a thumb that scrolls its target
// view. The value is a pixel position inside the range; a change moves the
// target with ScrollTo, and a target that scrolls moves the bar.
#ifndef _SCROLL_BAR_H
#define _SCROLL_BAR_H

#include <String.h>
#include <View.h>

#define B_V_SCROLL_BAR_WIDTH	14.0f
#define B_H_SCROLL_BAR_HEIGHT	14.0f

class BScrollBar : public BView {
public:
							BScrollBar(BRect frame, const char* name,
								BView* target, float min, float max,
								orientation direction);
	virtual					~BScrollBar();

	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseUp(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			FrameResized(float width, float height);

	// Kept inside the range and on whole pixels; a change scrolls the
	// target and calls ValueChanged.
			void			SetValue(float value);
			float			Value() const { return fValue; }
	virtual	void			ValueChanged(float newValue);

	// The share of the content that is visible, 0 to 1; sizes the thumb.
			void			SetProportion(float proportion);
			float			Proportion() const { return fProportion; }

	// A maximum below the minimum is taken as the minimum; the value is
	// brought into the new range.
			void			SetRange(float min, float max);
			void			GetRange(float* min, float* max) const;
			void			SetSteps(float smallStep, float largeStep);
			void			GetSteps(float* smallStep,
								float* largeStep) const;

			void			SetTarget(BView* target);
			void			SetTarget(const char* targetName);
			BView*			Target() const { return fTarget; }
			orientation		Orientation() const { return fOrientation; }

	virtual	void			GetPreferredSize(float* width, float* height);

private:
	friend class BTextView;
	friend class BView;

	enum part {
		kNoPart,
		kArrowBack,
		kArrowForward,
		kTrackBack,
		kTrackForward,
		kThumb
	};

			void			_TargetGone(BView* target);
			void			_TargetScrolled(float position);
			BRect			_ArrowRect(bool forward) const;
			BRect			_ThumbRect() const;
			float			_TrackStart() const;
			float			_TrackLength() const;
			float			_ThumbLength() const;
			part			_PartAt(BPoint where) const;
			float			_Along(BPoint point) const;
			void			_DrawArrow(BRect frame, bool forward,
								bool pressed, bool enabled);

			float			fMin;
			float			fMax;
			float			fValue;
			float			fProportion;
			float			fSmallStep;
			float			fLargeStep;
			orientation		fOrientation;
			BView*			fTarget;
			BString			fTargetName;

			part			fPressed;
			float			fDragOffset;
};

#endif	// _SCROLL_BAR_H
