// Indexes that make the in-order scans cheap.  Every decision of the
// operations is defined by reading a file in order from a start and
// stopping at the first line or entry that fits.  An index remembers, for
// each text that can make an entry fit, the first place in the file where
// it occurs, so an operation can restore the reader to that place and run
// the same scan from there: it stops at once, with the same result as the
// scan from the start, and the operations cost one pass over their inputs
// instead of one pass per entry.
#ifndef TAMREL_SCAN_SCAN_INDEX_H
#define TAMREL_SCAN_SCAN_INDEX_H

#include <string>
#include <unordered_map>

#include "scan/entry_summary.h"
#include "scan/line_reader.h"

// The first position of each text.
class FirstPositions {
 public:
  // Remembers position for text unless text already has an earlier one.
  void Note(const std::string& text, LinePosition position) { first_.emplace(text, position); }
  // Lowers *earliest to the position of text when that comes first.
  // Returns 1 when text is known.
  int Lower(const std::string& text, LinePosition* earliest, int* found) const;
  void Clear() { first_.clear(); }

 private:
  std::unordered_map<std::string, LinePosition> first_;
};

// The values by which BOOK-group and ARTICLE entries are told apart, as one
// text each (joined by NUL, which no value holds).
std::string BookValuesText(const entry_fields* fields);     // author, title
std::string ArticleValuesText(const entry_fields* fields);  // volume, pages, journal, year

// The indexes are on by default; the tests switch them off to check that
// the plain scans give the same bytes.
void SetIndexedScans(int on);
int IndexedScans();

#endif
