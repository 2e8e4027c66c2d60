// The cleaned file as clean doubles builds it, whatever the library's
// format: the entries written so far, read back as candidates for the
// entries still to come and noted in an index, and at the end the file
// itself.
#ifndef TAMREL_LIBRARY_CLEANED_FILE_H
#define TAMREL_LIBRARY_CLEANED_FILE_H

#include "entry/entry_source.h"

// Whatever keeps track of the cleaned file's entries (clean's index).
class EntryNotes {
 public:
  virtual ~EntryNotes() = default;
  virtual void Note(const entry_fields& entry, EntryPlace place) = 0;
};

class CleanedFile {
 public:
  virtual ~CleanedFile() = default;
  // The entries written so far, in their order, as candidates.
  virtual EntrySource* Candidates() = 0;
  // Notes the entries written since the last call that can no longer
  // change; returns the place where the entries not noted begin.
  virtual EntryPlace Refresh(EntryNotes* notes) = 0;
  // Writes the input entry that starts at input_place, under new_key when
  // that is not null.
  virtual void Append(EntryPlace input_place, const entry_fields& entry, const char* new_key) = 0;
  // Completes the file once every entry has been handled.
  virtual void Finish() = 0;
};

#endif
