// An entry's values as the typesetter reads them, whatever format the
// library is in: its type and key, and each field's value by its name.
#ifndef TAMREL_ENTRY_ENTRY_VALUES_H
#define TAMREL_ENTRY_ENTRY_VALUES_H

#include <string_view>

class EntryValues {
 public:
  virtual ~EntryValues() = default;
  // The type as written ("Article").
  virtual std::string_view Type() const = 0;
  // The value of the field named name (lower case) as BibTeX reads it:
  // macros expanded, delimiters removed, blanks made one.  Empty when the
  // entry has no such field.
  virtual std::string_view Value(const char* name) const = 0;
};

#endif
