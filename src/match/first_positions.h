// Indexes that make the in-order scans cheap.  Every decision of compare
// and clean doubles is defined by reading entries in order from a start and
// stopping at the first that decides.  An index remembers, for each text by
// which an entry can decide, the first place where an entry with that text
// stands, so an operation can begin the same scan there: it stops at once,
// with the same result as the scan from the start, and the operations cost
// one pass over their inputs instead of one pass per entry.
#ifndef TAMREL_MATCH_FIRST_POSITIONS_H
#define TAMREL_MATCH_FIRST_POSITIONS_H

#include <string>
#include <unordered_map>

#include "entry/entry_record.h"

// The first place of each text.
class FirstPositions {
 public:
  // Remembers place for text unless text already has an earlier one.
  void Note(const std::string& text, EntryPlace place) { first_.emplace(text, place); }
  // Lowers *earliest to the place of text when that comes first.
  void Lower(const std::string& text, EntryPlace* earliest) const;
  void Clear() { first_.clear(); }

 private:
  std::unordered_map<std::string, EntryPlace> first_;
};

// The indexes are on by default; the tests switch them off to check that
// the plain scans give the same bytes.
void SetIndexedScans(int on);
int IndexedScans();

#endif
