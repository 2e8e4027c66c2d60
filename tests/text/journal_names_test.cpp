#include <gtest/gtest.h>

#include "text/journal_names.h"

namespace {

struct JournalPair {
  const char* a;
  const char* b;
  int agree;
};

// Pairs written from ISO 4's rules: each word abbreviated on its own, the
// small words dropped, dots optional.
const JournalPair kJournalPairs[] = {
    {"Phys. Rev. B", "Physical Review B", 1},
    {"Phys Rev B", "Physical Review B", 1},
    {"J. Chem. Phys.", "The Journal of Chemical Physics", 1},
    {"Proc. Natl. Acad. Sci. U. S. A.",
     "Proceedings of the National Academy of Sciences of the United States of America", 1},
    {"J. Phys.: Condens. Matter", "Journal of Physics: Condensed Matter", 1},
    {"Physics {\\&} Chemistry", "Physics and Chemistry", 1},
    {"Physics & Chemistry of Solids", "Phys. Chem. Solids", 1},
    {"PHYSICAL REVIEW LETTERS", "Phys. Rev. Lett.", 1},
    {"Astrophys.~J.", "The Astrophysical Journal", 1},
    {"Phys. Rev. A", "Phys. Rev. B", 0},                 // another section
    {"J. Phys. Chem.", "J. Phys. Chem. A", 0},           // a word more
    {"Phys. Rev. Lett.", "Physical Review", 0},
    {"Nature", "Science", 0},
    {"Rev. Mod. Phys.", "Modern Physics Reviews", 0},    // the words in another order
    {"Z. Phys. D 7", "Z. Phys. D 71", 0},                // a number is never abbreviated
    {"", "", 1},
};

TEST(JournalNamesTest, AbbreviatedWordByWord) {
  for (const JournalPair& c : kJournalPairs) {
    EXPECT_EQ(JournalsAgree(c.a, c.b), c.agree) << c.a << " / " << c.b;
    EXPECT_EQ(JournalsAgree(c.b, c.a), c.agree) << c.b << " / " << c.a;
    // Names that agree are noted under one text.
    if (c.agree) {
      EXPECT_EQ(JournalInitials(c.a), JournalInitials(c.b)) << c.a << " / " << c.b;
    }
  }
}

TEST(JournalNamesTest, WordsWithoutSmallWordsOrPunctuation) {
  EXPECT_EQ(JournalWords("The Journal of Physics: A & B"),
            (std::vector<std::string>{"journal", "physics", "a", "b"}));
  EXPECT_EQ(JournalWords("Z.~Naturforsch."), (std::vector<std::string>{"z", "naturforsch"}));
  EXPECT_EQ(JournalWords("Ann. d. Phys."), (std::vector<std::string>{"ann", "d", "phys"}));
  EXPECT_EQ(JournalWords("\\apj"), (std::vector<std::string>{}));  // a macro has no words
}

}  // namespace
