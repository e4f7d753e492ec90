// The main window: the buttons and the logo on the left, the info line,
// the in-house counter and the presence rows on the right, and the hidden
// tag editor at the bottom.
#ifndef ZLM_WINDOW_H
#define ZLM_WINDOW_H

#include <Path.h>
#include <String.h>
#include <Window.h>

#include <string>
#include <unordered_map>
#include <vector>

class BBitmap;
class BButton;
class BMessenger;
class BScrollBar;
class BStringView;
class BTextControl;
class BView;
class Prefs;
class TTagsView;
class TerminView;

class ZLMWindow : public BWindow {
public:
							ZLMWindow(BRect frame);
	virtual					~ZLMWindow();

	virtual	void			MessageReceived(BMessage* message);
	virtual	bool			QuitRequested();
	virtual	void			FrameMoved(BPoint where);
	virtual	void			FrameResized(float width, float height);

	virtual	void			FixupScrollbar();
	virtual	void			Wheel4Scrollbars(BMessage* message);
	virtual	void			SortTagsList();
	virtual	void			EventToList(BMessage* message);
	virtual	void			EditTagEntry(BMessage* message, int mode);
	virtual	void			AskForSingleRFIDTag();
	virtual	void			AddOptionalByWinKey(BMessage* message);
	virtual	void			ManageInfoWin(BMessage* message);
	virtual	void			ManageLogo(const char* path, float* width);
	virtual	void			AboutRequested();

	// For the tests and the trace: the rows in list order.
			int32			CountRows() const { return fTagRows.size(); }
			TerminView*		RowAt(int32 index) const
								{ return fTagRows[index]; }
			const char*		InfoText() const { return infoText.String(); }

private:
			void			_ShowInfo(BMessage* message);
			void			_UpdateCounter();
			void			_ScrollToSlot(int32 index);
			void			_DropLogo(BMessage* message);
			bool			_OpenWithFileManager(const char* path);

			BMessenger*		mCallBack;
			BView*			logoView;
			BBitmap*		logoBitmap;
			Prefs*			settings;
			BPath			appPath;
			BString			infoText;
			BBitmap*		tileBitmap;
			BView*			fBackground;
			BStringView*	fLastRfid;
			BStringView*	fHere;
			BMessage*		tagEditMsg;
			BTextControl*	fSyn;
			BButton*		fMore;
			BButton*		fSave;
			BButton*		fOpen;
			BButton*		fInfo;
			BButton*		fFutter;
			TTagsView*		fTagsView;
			BScrollBar*		fScrollBar;
			std::vector<TerminView*> fTagRows;
			// Index in fTagRows of the row each read text reaches; a row
			// is only made for a text no row matches, so there is one.
			std::unordered_map<std::string, int32> fRowIndex;
			// Set when the last punch could not be written.
			bool			fPunchFailed;
};

// Free helpers of the window.
BBitmap*	GetImage(const char* path);
void		DeviceWatcherStarten();

#endif	// ZLM_WINDOW_H
