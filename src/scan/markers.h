// Entry-start markers.  A line opens an entry when it holds one of them as
// a case-sensitive substring anywhere in the line: JabRef writes entry
// types in upper case, so '@article{' opens nothing while '@BOOKLET{'
// opens an entry because it holds "@BOOK".
#ifndef TAMREL_SCAN_MARKERS_H
#define TAMREL_SCAN_MARKERS_H

enum MarkerSet {
  MARKERS_SIX,        // extract, clean doubles, the end of an entry
  MARKERS_WITH_MISC,  // compare
  MARKERS_TYPESET     // the five types the bibitem writer typesets
};

// 1 when the line holds a marker of the set, else 0.
int HoldsEntryMarker(const char* line, MarkerSet set);

#endif
