// Entries built by hand, as the BibTeX reader hands them over: type as
// written, key, and fields with lower-case names and expanded values; and
// their references.
#ifndef TAMREL_TESTS_TYPESET_MAKE_ENTRY_H
#define TAMREL_TESTS_TYPESET_MAKE_ENTRY_H

#include <initializer_list>
#include <string>
#include <utility>

#include "bibtex/bib_file.h"
#include "bibtex/bib_values.h"
#include "typeset/reference.h"
#include "typeset/styles.h"

inline BibBlock MakeEntry(const char* type, const char* key,
                          std::initializer_list<std::pair<const char*, const char*>> fields) {
  BibBlock block;
  block.kind = BIB_ENTRY;
  block.type = type;
  block.key = key;
  for (const auto& field : fields) {
    BibField f;
    f.name = field.first;
    f.value = field.second;
    block.fields.push_back(f);
  }
  return block;
}

// The reference of entry in the style of the registry named style (its
// command-line value), as it follows its \bibitem line.
inline std::string Typeset(const BibBlock& entry, const char* style, int page_range = 0,
                           const BibBlock* parent = nullptr) {
  ReferenceOptions options;
  options.style = StyleByOption(style);
  options.page_range = page_range;
  std::string out;
  BibBlockValues values(entry);
  if (parent == nullptr) {
    TypesetReference(values, nullptr, options, &out);
  } else {
    BibBlockValues parent_values(*parent);
    TypesetReference(values, &parent_values, options, &out);
  }
  return out;
}

#endif
