// A set of 64-bit text hashes (entry/text_hash.h) in one open-addressed
// table: a reader notes every key of a large library in it, so adding a
// hash costs no allocation of its own and one probe into a flat array.
#ifndef TAMREL_ENTRY_HASH_SET_H
#define TAMREL_ENTRY_HASH_SET_H

#include <cstddef>
#include <cstdint>
#include <vector>

class HashSet64 {
 public:
  // Adds hash; true when it was not in the set yet.
  bool Insert(std::uint64_t hash) {
    if (2 * (used_ + 1) > slots_.size()) Grow();
    std::size_t slot = SlotOf(hash);
    if (full_[slot]) return false;
    full_[slot] = 1;
    slots_[slot] = hash;
    used_++;
    return true;
  }

  bool Holds(std::uint64_t hash) const { return !slots_.empty() && full_[SlotOf(hash)]; }

  void Clear() {
    slots_.clear();
    full_.clear();
    used_ = 0;
  }

 private:
  // The slot of hash, or the free slot where it would go.
  std::size_t SlotOf(std::uint64_t hash) const {
    std::size_t mask = slots_.size() - 1;
    std::size_t i = static_cast<std::size_t>(hash) & mask;
    while (full_[i] && slots_[i] != hash) i = (i + 1) & mask;
    return i;
  }

  // Doubles the table (a power of two, at most half used).
  void Grow() {
    std::vector<std::uint64_t> old_slots;
    std::vector<unsigned char> old_full;
    old_slots.swap(slots_);
    old_full.swap(full_);
    std::size_t size = old_slots.empty() ? 1024 : 2 * old_slots.size();
    slots_.assign(size, 0);
    full_.assign(size, 0);
    for (std::size_t i = 0; i < old_slots.size(); i++) {
      if (!old_full[i]) continue;
      std::size_t slot = SlotOf(old_slots[i]);
      full_[slot] = 1;
      slots_[slot] = old_slots[i];
    }
  }

  std::vector<std::uint64_t> slots_;
  std::vector<unsigned char> full_;  // a hash may be any value, 0 too
  std::size_t used_ = 0;
};

#endif
