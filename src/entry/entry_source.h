// The seam between the readers and the operations that decide on entries:
// entries read in order from any place already seen.  A library file's
// entries can also be copied to an output as the file holds them.  Every
// library format supplies both.
#ifndef TAMREL_ENTRY_ENTRY_SOURCE_H
#define TAMREL_ENTRY_ENTRY_SOURCE_H

#include <cstddef>
#include <cstdio>

#include "entry/entry_record.h"

class EntrySource {
 public:
  virtual ~EntrySource() = default;

  // Reads the next entry from where the source stands: fills fields and
  // the place where the entry starts.  Returns 0 at the end.
  virtual int NextEntry(entry_fields* fields, EntryPlace* place) = 0;

  // Goes back (or on) to a place the source gave.
  virtual void Seek(EntryPlace place) = 0;

  // How many entries the source holds, when it knows without reading them
  // (0 otherwise): an index of a large library then sizes its tables once.
  virtual std::size_t EntryCountHint() const { return 0; }
};

class LibraryEntries : public EntrySource {
 public:
  // Writes the text of the entry that starts at place to out.  Returns 1
  // when the entry's text was written whole, 0 when its file ended first.
  // The source may then stand after the copied text.
  virtual int CopyEntry(EntryPlace place, std::FILE* out) = 0;
};

#endif
