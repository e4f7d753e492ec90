// The settings store: one object per process holding every setting as a
// public field, each kept as a typed attribute of the settings file.
#ifndef PREFS_H
#define PREFS_H

#include <Rect.h>
#include <SupportDefs.h>

class BFile;
class BPath;

// Address of the relay box until the user sets one: a private-network
// address that nothing but a real installation may ever reach.
extern const char* const kDefaultMwsIp;
// Folder in the user settings folder, and the settings file in it.
extern const char* const kPrefsFolder;
extern const char* const kPrefsFile;

class Prefs {
public:
	// Sizes of the two text buffers, terminator included.
	enum {
		kLogoSize = 256,
		kMwsIpSize = 64
	};

	static	Prefs*			getSTPrefs();
	virtual					~Prefs();
	virtual	void			DeleteMe();

			bool			LoadPrefs();
			bool			Save();
			bool			SaveWin();
			void			InitCheck();

	// Typed reads: a missing attribute gets the default, which is written
	// back. dest and def may be the same. GetStr reads at most size - 1
	// bytes and always terminates dest.
			bool			GetInt(const char* key, int32* dest,
								const int32* def);
			bool			GetBool(const char* key, bool* dest,
								const bool* def);
			bool			GetRect(const char* key, BRect* dest,
								const BRect* def);
			bool			GetStr(const char* key, char* dest,
								const char* def, size_t size);

			bool			PutInt(const char* key, const int32* value);
			bool			PutBool(const char* key, const bool* value);
			bool			PutRect(const char* key, const BRect* value);
			bool			PutStr(const char* key, const char* value);

	// Stores a text into the logo or address buffer, cut to fit.
			void			SetLogoLoma(const char* path);
			void			SetMwsIp(const char* address);

	// Set by every failed read or write, never cleared.
			bool			Error() const { return fError; }

	static	Prefs*			aPrefsZgr;

	// The settings, in file order; the keys carry the field names.
			BRect			prefs_window_rect;
			bool			window_by_begin;
			int32			time_format;
			int32			on_workspace;
			char*			logo_loma;		// kLogoSize bytes
			bool			mws_use;
			char*			mws_ip;			// kMwsIpSize bytes
			int32			TagsUseDoor;
			int32			OpenInSecs;
			bool			gTimeAcc;
			int32			Payday;

protected:
	// Builds the store on the settings file and loads it; getSTPrefs makes
	// the one instance. A derived store may change how attributes are
	// written.
							Prefs();

	// Writes one attribute at offset 0 of the settings file; the result is
	// the byte count or an error code.
	virtual	ssize_t			WriteAttribute(const char* key, type_code type,
								const void* data, size_t length);

private:
							Prefs(const Prefs&) = delete;
			Prefs&			operator=(const Prefs&) = delete;

			bool			_Read(const char* key, type_code type,
								void* dest, size_t length,
								const void* def);
			bool			_Settle(const char* key, type_code type,
								ssize_t result, const void* dest,
								size_t length);
			bool			_Write(const char* key, type_code type,
								const void* data, size_t length);
			void			_OpenFile();
			void			_CloseFile();
			status_t		_SettingsFolder(bool create, BPath* path);

			bool			fError;
			BFile*			fFile;
};

#endif	// PREFS_H
