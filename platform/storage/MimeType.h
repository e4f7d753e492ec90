// MIME types and the per-user MIME database.
#ifndef _MIME_TYPE_H
#define _MIME_TYPE_H

#include <Mime.h>
#include <SupportDefs.h>

struct entry_ref;

// The database lives in $XDG_DATA_HOME/zelmora/mime (else
// ~/.local/share/zelmora/mime): one file per installed type, named
// <supertype>/<subtype> in lower case, whose attributes hold what is
// known of the type.
class BMimeType {
public:
								BMimeType();
								BMimeType(const char* mimeType);
	virtual						~BMimeType();

			status_t			SetTo(const char* mimeType);
			void				Unset();
			status_t			InitCheck() const;

			const char*			Type() const;
			bool				IsValid() const;
			bool				IsSupertypeOnly() const;
			status_t			GetSupertype(BMimeType* supertype) const;
			bool				Contains(const BMimeType* type) const;

			bool				operator==(const BMimeType& type) const;
			bool				operator==(const char* type) const;

			bool				IsInstalled() const;
			status_t			Install();
			status_t			Delete();

			status_t			GetPreferredApp(char* signature,
									app_verb verb = B_OPEN) const;
			status_t			SetPreferredApp(const char* signature,
									app_verb verb = B_OPEN);
			status_t			GetAppHint(entry_ref* ref) const;
			status_t			SetAppHint(const entry_ref* ref);
			status_t			GetShortDescription(char* description) const;
			status_t			SetShortDescription(const char* description);

	static	bool				IsValid(const char* mimeType);

	// Content sniffing through the system's MIME database; a vCard is
	// reported as "application/x-person".
	static	status_t			GuessMimeType(const entry_ref* file,
									BMimeType* type);
	static	status_t			GuessMimeType(const void* buffer,
									int32 length, BMimeType* type);
	static	status_t			GuessMimeType(const char* filename,
									BMimeType* type);

private:
			status_t			_FilePath(char* path, size_t size,
									bool create) const;
			status_t			_ReadString(const char* attr, char* buffer,
									size_t size) const;
			status_t			_WriteString(const char* attr,
									const char* value);

			char*				fType;
			status_t			fStatus;
};

#endif	// _MIME_TYPE_H
