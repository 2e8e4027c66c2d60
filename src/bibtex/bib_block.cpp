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

std::string_view ValueStore::Store(const std::string& text) {
  if (text.empty()) return std::string_view();
  if (room_ - used_ < text.size()) {
    // A chunk of 1 MB, or one of its own for a longer value.
    std::size_t size = text.size() > (1u << 20) ? text.size() : (1u << 20);
    chunks_.emplace_back(new char[size]);
    used_ = 0;
    room_ = size;
  }
  char* at = chunks_.back().get() + used_;
  std::memcpy(at, text.data(), text.size());
  used_ += text.size();
  return std::string_view(at, text.size());
}

void ValueStore::Clear() {
  chunks_.clear();
  used_ = room_ = 0;
}

void ValueStore::Rewind(Mark mark) {
  // Only within the chunk in use: a chunk begun since holds values of
  // their own and stays.
  if (mark.chunks == chunks_.size()) used_ = mark.used;
}
