// A library's entries by key, looked up as BibTeX looks keys up: the first
// entry whose key is the cited key in any letter case.  A large library is
// indexed with one sorted array of key hashes, not one allocation per key.
#ifndef TAMREL_BIBTEX_FORMAT_LIBRARY_KEYS_H
#define TAMREL_BIBTEX_FORMAT_LIBRARY_KEYS_H

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "bibtex/bib_file.h"
#include "entry/text_hash.h"

class LibraryKeys {
 public:
  // Indexes the entries of file, which must stay as it is while Find is
  // used.
  void Build(const BibFile* file);

  // The block of the entry BibTeX takes for key, or -1.  case_differs is
  // set when that entry's key is written in another letter case.
  int Find(std::string_view key, int* case_differs) const;

 private:
  const BibFile* file_ = nullptr;
  std::vector<std::pair<std::uint64_t, int>> blocks_;  // (folded key hash, block), sorted
};

// A set of keys with letter case ignored, held as hashes: a key that is not
// in it may, once in 2^64, be taken for one that is.
class FoldedKeySet {
 public:
  void Add(std::string_view key);
  // Call once every key is added.
  void Seal();
  bool MayHold(std::string_view key) const;

 private:
  std::vector<std::uint64_t> hashes_;
};

#endif
