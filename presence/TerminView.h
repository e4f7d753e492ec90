// One presence row: a tag, the person bound to it, in or out, and the
// times of the last punches; every toggle appends a booking.
#ifndef TERMIN_VIEW_H
#define TERMIN_VIEW_H

#include <View.h>

#include <string>

class BMessage;

class TerminView : public BView {
public:
							TerminView(BRect reference, const char* name,
								const char* tag, long unused,
								uint32 resizingMode, uint32 flags);
	virtual					~TerminView();

	virtual	void			MessageReceived(BMessage* message);
	virtual	void			AttachedToWindow();
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
	virtual	void			MouseMoved(BPoint where, uint32 transit,
								const BMessage* dragMessage);

	// One presence toggle; B_OK, or the error of a punch not written.
			status_t		InHouseChanged();
			status_t		IntoData(char kind);
			void			SubmitDataProtocol();

			void			SetEmployee(BMessage* message);
			void			SetRealName(const char* name);
	static	bool			SetEmplPath();
	// Mode 0 (this row's person), 4 (start-up pass), 5 (the MIME type).
			void			AskEmployee(int mode);
	static	void			AskRegister(int mode);

	// The text a read must carry to reach this row (the tag as read, even
	// when the row's tag became "none").
			const std::string&	ReadTag() const { return fReadTag; }
			const char*		TagId() const { return tagId.c_str(); }
			const char*		RealName() const { return realName.c_str(); }
			bool			InHouse() const { return inHouse; }
			bool			PersonSet() const { return personSet; }
			int32			TagState() const { return tagState; }
			time_t			LastIn() const { return lastIn; }
			time_t			LastOut() const { return lastOut; }
	// The booking file of this row.
			std::string		BookingPath() const;

	static	int32			vCounter;
	static	bool			emplSet;
	static	std::string		emplPath;
	static	BMessage*		TsynMSG;

private:
			time_t			lastIn;
			time_t			lastOut;
			std::string		tagId;
			std::string		realName;
			bool			inHouse;
			bool			dropHover;
			bool			personSet;
			int32			tagState;
			std::string		fReadTag;
};


// The container of the rows.
class TTagsView : public BView {
public:
							TTagsView(BRect frame, const char* name);
	virtual					~TTagsView();
	virtual	void			MessageReceived(BMessage* message);
	virtual	void			Draw(BRect updateRect);
	virtual	void			MouseDown(BPoint where);
};

#endif	// TERMIN_VIEW_H
