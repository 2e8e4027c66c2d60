#include "bibtex/bib_file.h"

#include <cctype>
#include <cstring>

const BibField* FindField(const BibBlock& block, const char* name) {
  for (const BibField& field : block.fields) {
    if (field.name == name) return &field;
  }
  return nullptr;
}

int EntryTypeIs(const BibBlock& block, const char* name) {
  if (block.kind != BIB_ENTRY) return 0;
  std::size_t length = std::strlen(name);
  if (block.type.size() != length) return 0;
  for (std::size_t i = 0; i < length; i++) {
    unsigned char a = static_cast<unsigned char>(block.type[i]);
    unsigned char b = static_cast<unsigned char>(name[i]);
    if (std::tolower(a) != std::tolower(b)) return 0;
  }
  return 1;
}
