#include "scan/markers.h"

#include <cstring>

// The six markers of extract and clean doubles, then "@MISC", which only
// the compare operation counts.  The first five are the entry types that
// the bibitem writer typesets.
static const char* const ENTRY_MARKERS[7] = {"@ARTICLE",       "@BOOK",           "@PHDTHESIS",
                                      "@INCOLLECTION",  "@INPROCEEDINGS",  "@comment{jabref",
                                      "@MISC"};

int HoldsEntryMarker(const char* line, MarkerSet set) {
  // Every marker begins with "@": most lines hold none and are done here.
  if (std::strchr(line, '@') == nullptr) return 0;
  int count = set == MARKERS_TYPESET ? 5 : set == MARKERS_SIX ? 6 : 7;
  for (int i = 0; i < count; i++) {
    if (std::strstr(line, ENTRY_MARKERS[i]) != nullptr) return 1;
  }
  return 0;
}
