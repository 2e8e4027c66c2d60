#include "bibtex/bib_file.h"

#include <cstring>

const BibField* FindField(const BibBlock& block, const char* name) {
  for (const BibField& field : block.fields) {
    if (field.name == name) return &field;
  }
  return nullptr;
}

int EntryTypeIs(const BibBlock& block, const char* name) {
  return block.kind == BIB_ENTRY && SameIgnoringCase(block.type, name);
}

char* ValueStore::Allocate(std::size_t size) {
  if (size == 0) return nullptr;
  if (room_ - used_ < size) {
    // A chunk of 1 MB, or one of its own for a longer value.
    std::size_t chunk = size > (1u << 20) ? size : (1u << 20);
    chunks_.emplace_back(new char[chunk]);
    used_ = 0;
    room_ = chunk;
  }
  char* at = chunks_.back().get() + used_;
  used_ += size;
  return at;
}

std::string_view ValueStore::Store(const std::string& text) {
  char* at = Allocate(text.size());
  if (at == nullptr) return std::string_view();
  std::memcpy(at, text.data(), text.size());
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
