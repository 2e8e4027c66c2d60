#include "bibtex_format/library_keys.h"

#include <algorithm>

#include "entry/text_hash.h"

void LibraryKeys::Build(const BibFile* file) {
  file_ = file;
  blocks_.clear();
  for (std::size_t b = 0; b < file->blocks.size(); b++) {
    const BibBlock& block = file->blocks[b];
    if (block.kind == BIB_ENTRY) blocks_.emplace_back(FoldedKeyHash(block.key), static_cast<int>(b));
  }
  std::sort(blocks_.begin(), blocks_.end());
}

int LibraryKeys::Find(std::string_view key, int* case_differs) const {
  *case_differs = 0;
  std::uint64_t hash = FoldedKeyHash(key);
  auto it = std::lower_bound(blocks_.begin(), blocks_.end(), std::make_pair(hash, -1));
  // The blocks with this hash, in file order: bibtex takes the first entry
  // whose key matches in any letter case and skips the later ones as
  // repeated entries, even one spelled as cited.
  for (; it != blocks_.end() && it->first == hash; ++it) {
    std::string_view candidate = file_->blocks[it->second].key;
    if (candidate.size() != key.size() || LowerCase(candidate) != LowerCase(key)) continue;
    // The document compiles, but the user should know the spellings differ.
    *case_differs = candidate != key;
    return it->second;
  }
  return -1;
}

void FoldedKeySet::Add(std::string_view key) { hashes_.push_back(FoldedKeyHash(key)); }

void FoldedKeySet::Seal() {
  std::sort(hashes_.begin(), hashes_.end());
  hashes_.erase(std::unique(hashes_.begin(), hashes_.end()), hashes_.end());
}

bool FoldedKeySet::MayHold(std::string_view key) const {
  return std::binary_search(hashes_.begin(), hashes_.end(), FoldedKeyHash(key));
}
