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

static char AsciiLower(char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch; }

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& ch : lower) ch = AsciiLower(ch);
  return lower;
}

int SameIgnoringCase(std::string_view text, const char* word) {
  std::size_t i = 0;
  for (; i < text.size(); i++) {
    if (word[i] == '\0' || AsciiLower(text[i]) != AsciiLower(word[i])) return 0;
  }
  return word[i] == '\0';
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
