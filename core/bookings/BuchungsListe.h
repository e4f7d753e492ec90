// BuchungsListe: the ordered booking list of one employee, and its booking
// file in both directions.
//
// The list owns its rows. A row's index is its entry number. Reading
// remembers which file it read and how far, and keeps whatever it could not
// read, so that a rewrite can put back behind the list both that and every
// record that punches appended since.
#ifndef BUCHUNGS_LISTE_H
#define BUCHUNGS_LISTE_H

#include <string>

#include <sys/types.h>

#include <List.h>
#include <SupportDefs.h>

#include "fBuchung.h"


class BuchungsListe {
public:
								BuchungsListe();
								~BuchungsListe();
								// The list owns its rows: no copies.
								BuchungsListe(const BuchungsListe&) = delete;
			BuchungsListe&		operator=(const BuchungsListe&) = delete;

			int32				CountItems() const
									{ return fRows.CountItems(); }
			fBuchung*			ItemAt(int32 index) const
									{ return (fBuchung*)fRows.ItemAt(index); }
			int32				IndexOf(const fBuchung* row) const
									{ return fRows.IndexOf((void*)row); }
			bool				AddItem(fBuchung* row);
			bool				AddItem(fBuchung* row, int32 index);
			// Takes the row out of the list; the caller deletes it.
			fBuchung*			RemoveItem(int32 index);
			bool				SwapItems(int32 indexA, int32 indexB);
			// Deletes every row.
			void				MakeEmpty();

			// Counts the times the rows were replaced as a whole, so that a
			// pending edit can tell that its row is gone.
			uint32				Generation() const { return fGeneration; }

			// Replaces the rows by the records in data, pairing each IN with
			// the OUT that follows it.
			void				Decode(const void* data, size_t size);
			// The records of the rows in list order. Fails with B_BAD_VALUE
			// when a time does not fit the file's 32-bit field.
			status_t			Encode(std::string& data) const;

			// Replaces the rows by the booking file at path.
			status_t			Read(const char* path);
			// Replaces the booking file at path by the rows, followed by
			// what the list does not hold (see KeptSize()). Atomic: the
			// file is the old one or the new one at any moment.
			status_t			Write(const char* path);

			// Bytes behind the rows in the file that the list does not
			// hold: what could not be read, and records that punches
			// appended before the last write.
			size_t				KeptSize() const { return fKept.size(); }

private:
			void				_ResetFileState();
			void				_TakeContent(const std::string& content,
									size_t listEnd);

			BList				fRows;
			uint32				fGeneration;

			// The file last read or written.
			bool				fHaveFile;
			dev_t				fDevice;
			ino_t				fInode;
			// The rows stand for the bytes up to fListEnd; fKept follows.
			size_t				fListEnd;
			std::string			fKept;
			// Where an appender would cut a torn last record, or -1.
			int64				fCutAt;
};


#endif	// BUCHUNGS_LISTE_H
