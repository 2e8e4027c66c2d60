// Entries built by hand, as the BibTeX reader hands them over: type as
// written, key, and fields with lower-case names and expanded values.
#ifndef TAMREL_TESTS_TYPESET_MAKE_ENTRY_H
#define TAMREL_TESTS_TYPESET_MAKE_ENTRY_H

#include <initializer_list>
#include <string>
#include <utility>

#include "bibtex/bib_file.h"

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

#endif
