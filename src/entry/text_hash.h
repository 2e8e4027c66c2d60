// Hashes of texts, for the places where Tamrel needs to know whether two
// texts are equal without keeping both: the content of an entry, and the
// texts its indexes find entries by.  Two independent 64-bit lanes are fed
// with the same bytes, so a 128-bit digest meets another content's digest
// about once in 10^38 pairs, and a 64-bit index hash is a cheap filter whose
// rare false hits the caller's own comparison turns down.
#ifndef TAMREL_ENTRY_TEXT_HASH_H
#define TAMREL_ENTRY_TEXT_HASH_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "text/ascii_case.h"

struct TextDigest {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
  bool operator==(const TextDigest& other) const { return high == other.high && low == other.low; }
  bool operator!=(const TextDigest& other) const { return !(*this == other); }
};

class TextHasher {
 public:
  // A part preceded by its length, so that no two lists of parts feed the
  // same bytes ("ab" + "c" and "a" + "bc" hash apart).
  void AddPart(std::string_view part) {
    AddWord(part.size());
    Add(part.data(), part.size());
  }

  // A part with A-Z read as a-z, as BibTeX compares keys: the hash of
  // "Smith2020" is the hash of "smith2020".
  void AddFoldedPart(std::string_view part) {
    AddWord(part.size());
    char chunk[8];
    for (std::size_t i = 0; i < part.size(); i += 8) {
      std::size_t size = part.size() - i < 8 ? part.size() - i : 8;
      for (std::size_t k = 0; k < size; k++) {
        chunk[k] = AsciiLower(part[i + k]);
      }
      AddWord(Load(chunk, size));
    }
  }

  void AddNumber(std::uint64_t number) { AddWord(number); }

  TextDigest Digest() const { return TextDigest{Finish(fnv_), Finish(mix_)}; }
  std::uint64_t Hash64() const { return Finish(fnv_ ^ (mix_ * 0x94D049BB133111EBull)); }

 private:
  // Eight bytes at a time; the last few padded with zeros (the length
  // before every part keeps padding from making two parts alike).
  void Add(const char* data, std::size_t size) {
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) AddWord(Load(data + i, 8));
    if (i < size) AddWord(Load(data + i, size - i));
  }
  // size bytes (1 to 8) as a number, the first byte lowest, in loads of
  // fixed sizes that compile to single moves.
  static std::uint64_t Load(const char* data, std::size_t size) {
    if (size == 8) {
      std::uint64_t word;
      std::memcpy(&word, data, 8);
      return word;
    }
    std::uint64_t word = 0;
    int shift = 0;
    if (size & 4) {
      std::uint32_t part;
      std::memcpy(&part, data, 4);
      word = part;
      data += 4;
      shift = 32;
    }
    if (size & 2) {
      std::uint16_t part;
      std::memcpy(&part, data, 2);
      word |= static_cast<std::uint64_t>(part) << shift;
      data += 2;
      shift += 16;
    }
    if (size & 1) word |= static_cast<std::uint64_t>(static_cast<unsigned char>(*data)) << shift;
    return word;
  }
  void AddWord(std::uint64_t word) {
    fnv_ = (fnv_ ^ word) * 1099511628211ull;
    fnv_ ^= fnv_ >> 29;
    mix_ = (mix_ + word) * 0xBF58476D1CE4E5B9ull;
    mix_ ^= mix_ >> 31;
  }
  // Spreads every bit over the whole word, so that the low bits an index
  // table uses depend on the whole text.
  static std::uint64_t Finish(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    return x;
  }

  std::uint64_t fnv_ = 14695981039346656037ull;
  std::uint64_t mix_ = 0x9E3779B97F4A7C15ull;
};

// The hash of a key with A-Z read as a-z: two keys that are one key to
// bibtex ("Smith2000", "smith2000") hash alike.
inline std::uint64_t FoldedKeyHash(std::string_view key) {
  TextHasher hasher;
  hasher.AddFoldedPart(key);
  return hasher.Hash64();
}

#endif
