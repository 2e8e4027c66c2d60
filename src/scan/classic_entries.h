// The line rules as an entry source: an entry starts at a line that holds
// one of the markers of a set and is read by ReadEntrySummary; copying it
// writes its lines up to the first that begins with "}".
#ifndef TAMREL_SCAN_CLASSIC_ENTRIES_H
#define TAMREL_SCAN_CLASSIC_ENTRIES_H

#include "entry/entry_source.h"
#include "scan/entry_copy.h"
#include "scan/entry_summary.h"
#include "scan/line_reader.h"
#include "scan/markers.h"

class ClassicEntries : public LibraryEntries {
 public:
  ClassicEntries(LineReader* reader, MarkerSet markers, SummaryWords words)
      : reader_(reader), markers_(markers), words_(words) {}

  int NextEntry(entry_fields* fields, EntryPlace* place) override;
  // Where the source stands.
  EntryPlace Tell() const { return EntryPlace{SaveLinePosition(reader_).offset}; }
  void Seek(EntryPlace place) override { RestoreLinePosition(reader_, LinePosition{place.offset}); }
  int CopyEntry(EntryPlace place, std::FILE* out) override;

  // Copies the entry that starts at place line by line through write,
  // which may change a line before it goes out.
  int CopyEntryThrough(EntryPlace place, EntryLineWriter write, void* context);

  // 1 when the entry read last was ended by a whole closing line; 0 when
  // its file ended first, so that in a file that still grows it may yet
  // read differently.
  int LastEntryClosed() const { return last_closed_; }

  // Like NextEntry, but stops at the file's last line while that line has
  // no line feed yet, leaving the source before it: what is appended to a
  // growing file continues that line.  Returns 0 there and at the end.
  int NextWholeEntry(entry_fields* fields, EntryPlace* place);

 private:
  int ReadNext(int whole_only, entry_fields* fields, EntryPlace* place);

  LineReader* reader_;
  MarkerSet markers_;
  SummaryWords words_;
  int last_closed_ = 0;
};

#endif
