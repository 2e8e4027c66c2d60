// The seam between the readers and the operations that decide on entries:
// a BibTeX file seen as a sequence of entries, read in order from any place
// already seen, each of which can be copied to an output as its file holds
// it.  The line rules and the BibTeX reader each supply one.
#ifndef TAMREL_ENTRY_ENTRY_SOURCE_H
#define TAMREL_ENTRY_ENTRY_SOURCE_H

#include <cstdio>

#include "entry/entry_record.h"

class EntrySource {
 public:
  virtual ~EntrySource() = default;

  // Reads the next entry from where the source stands: fills fields and
  // the place where the entry starts.  Returns 0 at the end.
  virtual int NextEntry(entry_fields* fields, EntryPlace* place) = 0;

  // Where the source stands, and going back to a place it gave.
  virtual EntryPlace Tell() const = 0;
  virtual void Seek(EntryPlace place) = 0;

  // Writes the text of the entry that starts at place to out.  Returns 1
  // when the entry's text was written whole, 0 when its file ended first.
  // The source may then stand after the copied text.
  virtual int CopyEntry(EntryPlace place, std::FILE* out) = 0;
};

#endif
