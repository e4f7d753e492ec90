// BuchungsDatei: appending to a booking file without ever losing or tearing
// a record, and the file helpers the booking list shares.
//
// Every access to a booking file takes a lock on it (flock): appends and
// rewrites exclusively, reading shared. After taking the lock the holder
// checks that the path still names the file it opened — a rewrite replaces
// the file by renaming a new one over it — and opens it again if not.
#ifndef BUCHUNGS_DATEI_H
#define BUCHUNGS_DATEI_H

#include <string>

#include <time.h>

#include <SupportDefs.h>


// Longest week-model name a marker can carry so that reading gets it back.
static const size_t kMaxMarkerName = 31;


class BuchungsDatei {
public:
			// Appends one punch ('I' or 'O') at the given time: the one
			// booking write of a presence row.
	static	status_t			AppendPunch(const char* path, char kind,
									time_t when);
			// Appends a marker for the week model name, padded as markers
			// are. Names longer than kMaxMarkerName are refused.
	static	status_t			AppendMarker(const char* path,
									const char* name);
			// Assigns the current week model (its name; NULL when there is
			// none) to the booking file by a marker, with its trace lines.
	static	status_t			ModelIntoTagFile(const char* path,
									const char* modelName);

			// Text length n of a marker for a name of the given length, and
			// the blanks that follow the name (padding plus, for names over
			// 8 characters, 8 more).
	static	uint32				MarkerLength(size_t nameLength,
									size_t* padding = NULL);

			// The 8-byte punch record.
	static	void				AddPunchRecord(std::string& data, char kind,
									uint32 when);
			// A marker record of text length n: the name, then blanks up to
			// n (cut to n when longer).
	static	void				AddMarkerRecord(std::string& data,
									const char* name, uint32 length);

			// Opens path and takes the lock (LOCK_SH or LOCK_EX), making
			// sure the locked file is the one the path names. Returns the
			// descriptor or a negative error.
	static	int					OpenLocked(const char* path, int openMode,
									int lockOperation);
			// Reads the whole file from offset 0.
	static	status_t			ReadAll(int fd, std::string& data);

private:
	static	status_t			_Append(const char* path,
									const std::string& record);
};


#endif	// BUCHUNGS_DATEI_H
