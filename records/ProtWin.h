// ProtWin: the administrator's records window "Time-INFO". One floating
// window at most; four pages chosen by a row of tabs — the month protocol
// of the employee shown, the working-time models, the settings and the
// booking list. The window owns the booking list of that employee and the
// model register, which it saves when it goes.
#ifndef PROT_WIN_H
#define PROT_WIN_H

#include <GraphicsDefs.h>
#include <String.h>
#include <Window.h>

class BStringView;
class BuchView;
class BuchungsListe;
class ModlView;
class PTextView;
class SettView;
class STimeModels;
class eRadioButton;

// Background of the records window and its booking rows.
extern const rgb_color backcolor;

class ProtWin : public BWindow {
public:
	// The open records window, made with frame when there is none; later
	// calls return it and ignore frame.
	static	ProtWin*		getProtWin(BRect frame);
	// The open records window or NULL; never a window that went away.
	static	ProtWin*		Current();
	// Hands a message to the open records window under its lock; false
	// when none is open.
	static	bool			HandOn(BMessage* message);
	// Code of the last message handed to a records window, 0 for none.
	static	uint32			LastHanded() { return sLastHanded; }

	virtual					~ProtWin();

	virtual	void			DeleteMe();
	virtual	void			Draw(BRect updateRect);
	virtual	status_t		ModelIntoTagFile();
	virtual	void			SelectFromMenu(BMessage* message);
	virtual	status_t		WriteBuchungsListe();
	virtual	void			ReadBuchungsListe();
	virtual	void			ShowDataProtocol(BMessage* message);
	virtual	void			Auswertung_A();
	virtual	void			Auswertung_B();

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			FrameMoved(BPoint newPosition);

	// The booking file of the employee shown; "empty" while there is none.
			const char*		BookingPath() const;
			bool			HasBookingPath() const
								{ return IsBookingPath(fBookingPath.String()); }
			const char*		TagText() const { return fTagText.String(); }
			const char*		PersonName() const
								{ return fPersonName.String(); }
			const char*		ProfilePath() const
								{ return fProfilePath.String(); }
			const char*		RegisterPath() const
								{ return fRegisterPath.String(); }
			BuchungsListe*	List() const { return fList; }
			STimeModels*	Models() const { return fModels; }
			PTextView*		ProtView() const { return fProtView; }
			ModlView*		ModelsPage() const { return fModlView; }
			SettView*		SettingsPage() const { return fSettView; }
			BuchView*		BookingPage() const { return fBuchView; }
			BRect			PageArea() const { return fPageArea; }

	// A path the window may read, write and append to: absolute and
	// naming a file, never the placeholder "empty" or a bare name that
	// would land in the working folder.
	static	bool			IsBookingPath(const char* path);
	// The pay day of the evaluation: the field's number when it is 1 to
	// 28, else the stored pay day.
	static	int32			PayDay(const char* fieldText, int32 stored);

private:
							ProtWin(BRect frame);

			void			_ComputePageArea();
			void			_HidePages();
			void			_PassToShownPages(BMessage* message);
			void			_ReadSettings(int32* payDay, bool* account);
			bool			_OpenWithFileManager(const char* path);

	static	ProtWin*		mn_Zgr;
	static	uint32			sLastHanded;

			STimeModels*	fModels;
			BRect			fPageArea;
			BString			fBookingPath;
			BString			fProfilePath;
			BString			fRegisterPath;
			BString			fTagText;
			BString			fPersonName;
			BuchungsListe*	fList;

			BView*			fTopView;
			BStringView*	fInfoView;
			eRadioButton*	fProtButton;
			eRadioButton*	fModlButton;
			eRadioButton*	fSettButton;
			eRadioButton*	fBuchButton;
			PTextView*		fProtView;
			ModlView*		fModlView;
			SettView*		fSettView;
			BuchView*		fBuchView;
};

#endif	// PROT_WIN_H
