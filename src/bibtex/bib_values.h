// A parsed entry's values as the typesetter reads them.
#ifndef TAMREL_BIBTEX_BIB_VALUES_H
#define TAMREL_BIBTEX_BIB_VALUES_H

#include "bibtex/bib_file.h"
#include "entry/entry_values.h"

class BibBlockValues : public EntryValues {
 public:
  explicit BibBlockValues(const BibBlock& block) : block_(block) {}
  std::string_view Type() const override { return block_.type; }
  std::string_view Value(const char* name) const override {
    const BibField* field = FindField(block_, name);
    return field != nullptr ? field->value : std::string_view();
  }

 private:
  const BibBlock& block_;
};

#endif
