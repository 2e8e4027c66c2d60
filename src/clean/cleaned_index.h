// The cleaned file as an index of itself, kept up to date while it grows.
#ifndef TAMREL_CLEAN_CLEANED_INDEX_H
#define TAMREL_CLEAN_CLEANED_INDEX_H

#include "scan/entry_group.h"
#include "scan/entry_summary.h"
#include "scan/line_reader.h"
#include "scan/scan_index.h"

// Remembers, for the entries of the cleaned file read so far, where the
// first entry with each key, each author and title, and each set of
// ARTICLE values stands.  The scan for a new entry can then begin at the
// first entry that can decide about it instead of at the file's start.
class CleanedFileIndex {
 public:
  // Forgets everything: the cleaned file is empty again.
  void Reset();

  // Reads the cleaned file from where the last call stopped and notes its
  // entries.  An entry that the file's end cut short, or whose closing line
  // has no line feed yet, is read again next time: what is appended may
  // still change how it reads.  scratch receives each summary.
  void Refresh(LineReader* cleaned, entry_fields* scratch);

  // Where the scan for current (of the given group) may begin: the first
  // entry with its key or its values, or the place where the entries not
  // yet noted begin.  No entry before that place decides about current.
  LinePosition FirstPossibleCandidate(const entry_fields* current, EntryGroup group) const;

 private:
  FirstPositions by_key_;
  FirstPositions by_book_values_;
  FirstPositions by_article_values_;  // entries of type ARTICLE only
  LinePosition unread_{0};            // the first line not yet noted for good
};

#endif
