// SettView: the records window's settings page. Three buttons open the
// program's data files, the "MicroWebServer" box configures the relay box
// and tries its relays, a check box turns the time account on and a field
// takes the payday. Every change goes at once into the settings store and
// is saved; the application is then told to reload the settings. While
// the page shows, it also receives the relay control's status messages
// and colours the relay buttons with them.
#ifndef _SETT_VIEW_H
#define _SETT_VIEW_H

#include <Box.h>

class BButton;
class BCheckBox;
class BRadioButton;
class BStringView;
class BTextControl;
class Prefs;
class STimeModels;

class SettView : public BBox {
public:
							SettView(BRect frame, const char* name,
								BRadioButton* tab);
	virtual					~SettView();

	virtual	void			Add_MWS_Gui(BRect frame);
	// The handler of every settings and relay message; it holds the
	// window's lock for its whole run, as the relay reports come from
	// the main window's handler.
	virtual	void			MwsOpenDoor(BMessage* message);

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Draw(BRect updateRect);

			void			SetTabButton(BRadioButton* tab) { fTab = tab; }

	// Read by the month evaluation.
			const char*		PaydayText() const;
			bool			TimeAccount() const;

	// Relay button 1 to 4.
			BRadioButton*	RelayButton(int relay) const;

private:
			void			_PaintRelay(int relay, bool on);
			void			_RelayCodes(BMessage* message,
								const char* address);
			void			_SettingsCodes(BMessage* message,
								const char* address);

			Prefs*			fPrefs;
			STimeModels*	fModels;
			BRadioButton*	fTab;

			BButton*		fOpenBookings;
			BButton*		fOpenProfiles;
			BButton*		fOpenRegister;
			BBox*			fRelayBox;
			BCheckBox*		fUseBox;
			BTextControl*	fCloseAfter;
			BStringView*	fCaption;
			BRadioButton*	fRelay[4];
			BTextControl*	fAddress;
			BButton*		fOpenAll;
			BCheckBox*		fTimeAccount;
			BTextControl*	fPayday;
};

#endif	// _SETT_VIEW_H
