// References typeset from parsed BibTeX values, in the three journal
// styles, for every entry type.
#ifndef TAMREL_TYPESET_REFERENCE_H
#define TAMREL_TYPESET_REFERENCE_H

#include <string>

#include "entry/entry_values.h"
#include "typeset/styles.h"

struct ReferenceOptions {
  // The journal style; nullptr when none is chosen (the line rules then
  // typeset nothing, the BibTeX reader the registry's first style).
  const JournalStyleInfo* style = StyleAt(0);
  int page_range = 0;  // 0: first page only; 1: the whole range
};

// Appends to out the reference of one entry as it follows its
// "\bibitem{KEY}\n" line, ending in "\n\n".  parent is the entry that the
// entry's crossref names (or nullptr); a field the entry lacks is taken
// from it, as BibTeX does.
void TypesetReference(const EntryValues& entry, const EntryValues* parent,
                      const ReferenceOptions& options, std::string* out);

#endif
