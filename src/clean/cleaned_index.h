// The cleaned file as an index of itself, kept up to date while it grows.
#ifndef TAMREL_CLEAN_CLEANED_INDEX_H
#define TAMREL_CLEAN_CLEANED_INDEX_H

#include <string>
#include <vector>

#include "entry/entry_record.h"
#include "match/entry_group.h"
#include "match/first_positions.h"

// Remembers, for the entries of the cleaned file noted so far, where the
// first entry with each key stands, and the first entry that may decide
// about an entry of each group by each text the rules match by.  The scan
// for a new entry can then begin at the first entry that can decide about
// it instead of at the file's start.
class CleanedFileIndex {
 public:
  explicit CleanedFileIndex(MatchRules rules) : rules_(rules) {}

  // Forgets everything: the cleaned file is empty again.
  void Reset();

  // Notes the entry of the cleaned file that starts at place.
  void Note(const entry_fields& entry, EntryPlace place);

  // Where the scan for current (of the given group) may begin: the first
  // entry with its key or one of its texts, or unread, where the entries
  // not yet noted begin.  No entry before that place decides about current.
  EntryPlace FirstPossibleCandidate(const entry_fields& current, EntryGroup group,
                                    EntryPlace unread);

  // Where the first entry with current's key stands, or unread.
  EntryPlace FirstWithKey(const entry_fields& current, EntryPlace unread) const;

 private:
  MatchRules rules_;
  FirstPositions by_key_;
  FirstPositions by_text_;
  std::vector<std::string> texts_;
};

#endif
