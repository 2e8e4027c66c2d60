#include "bibtex_format/library_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "entry/text_hash.h"

namespace {

struct KeyCase {
  const char* name;
  const char* library;
  const char* key;
  int entry;         // which entry of the library (from 0), or -1
  int case_differs;
};

// The entry's number among the library's entries, from its block.
int EntryNumber(const BibFile& file, int block) {
  if (block < 0) return -1;
  int number = 0;
  for (int b = 0; b < block; b++) number += file.blocks[b].kind == BIB_ENTRY;
  return number;
}

TEST(LibraryKeysTest, FindsEntriesAsBibtexDoes) {
  const KeyCase cases[] = {
      // bibtex keeps the first entry of a key in any letter case and skips
      // the later ones as "Repeated entry", even one spelled as cited.
      {"first_in_any_case", "@book{Ab,}\n@book{ab,}", "ab", 0, 1},
      {"first_before_the_exact_spelling", "@book{AB,}\n@book{ab,}\n@book{Ab,}", "Ab", 0, 1},
      {"exact_and_first", "@book{ab,}\n@book{AB,}", "ab", 0, 0},
      {"first_of_a_repeated_key", "@book{x,}\n@book{y,}\n@book{x, title={2}}", "x", 0, 0},
      {"folded_takes_the_first", "@book{KEY,}\n@book{Key,}", "key", 0, 1},
      {"missing", "@book{a,}", "b", -1, 0},
      {"prefix_is_not_a_key", "@book{abc,}", "ab", -1, 0},
      {"empty_key", "@book{,}\n@book{a,}", "", 0, 0},
      {"only_entries_count", "@string{a = {x}}\n@comment{a}\n@book{a,}", "a", 0, 0},
      {"long_keys", "@book{Smith2020QuantumEffectsInLongKeys,}", "smith2020quantumeffectsinlongkeys", 0,
       1},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    BibFile file;
    std::string text = c.library;
    ReadBibFile(text.data(), text.size(), &file);
    LibraryKeys keys;
    keys.Build(&file);
    int case_differs = -1;
    int block = keys.Find(c.key, &case_differs);
    EXPECT_EQ(EntryNumber(file, block), c.entry);
    EXPECT_EQ(case_differs, c.case_differs);
  }
}

TEST(LibraryKeysTest, FoldedKeySetIgnoresLetterCaseOnly) {
  FoldedKeySet set;
  set.Add("Einstein1905");
  set.Add("bohr");
  set.Seal();
  EXPECT_TRUE(set.MayHold("einstein1905"));
  EXPECT_TRUE(set.MayHold("BOHR"));
  EXPECT_FALSE(set.MayHold("einstein"));
  EXPECT_FALSE(set.MayHold("bohr "));
}

TEST(TextHasherTest, FoldedPartIsThePartInLowerCase) {
  const char* texts[] = {"", "a", "Key", "ABCDEFGH", "Smith2020:Quantum-Effects", "\xC3\x89T\xC3\x89"};
  for (const char* text : texts) {
    std::string lower = LowerCase(text);
    TextHasher folded;
    folded.AddFoldedPart(text);
    TextHasher plain;
    plain.AddPart(lower);
    EXPECT_EQ(folded.Hash64(), plain.Hash64()) << text;
  }
}

TEST(TextHasherTest, PartsKeepTheirBounds) {
  auto hash = [](std::string_view a, std::string_view b) {
    TextHasher hasher;
    hasher.AddPart(a);
    hasher.AddPart(b);
    return hasher.Digest();
  };
  EXPECT_NE(hash("ab", "c"), hash("a", "bc"));
  EXPECT_NE(hash("abcdefgh", ""), hash("abcdefg", "h"));
  EXPECT_NE(hash(std::string_view("a\0", 2), "x"), hash("a", "x"));
  EXPECT_EQ(hash("ab", "c"), hash("ab", "c"));
}

}  // namespace
