// The BibTeX reader's rules on one article written in the forms libraries
// use: the first author's name, the page range's dash and the DOI.
#include <gtest/gtest.h>

#include <string>

#include "match/entry_group.h"
#include "match/match_rules.h"
#include "text/doi.h"
#include "text/page_range.h"

namespace {

// An article as the BibTeX reader summarises it (pages cut to the first
// page, the DOI bare), with a content of its own, so only the rules can
// find two alike.
entry_fields Article(const char* author, const char* pages, const char* doi = "") {
  static std::uint64_t next_content = 1;
  entry_fields fields;
  fields.type = "article";
  fields.journal = "Phys. Rev. A";
  fields.volume = "54";
  fields.year = "1996";
  fields.title = "Bees";
  fields.author = author;
  fields.pages = std::string(FirstPage(pages));
  fields.doi = BareDoi(doi);
  fields.content.low = next_content++;
  return fields;
}

int Same(const entry_fields& a, const entry_fields& b) {
  return SameWork(GROUP_ARTICLE, a, b, RULES_PARSED);
}

struct AuthorPair {
  const char* a;
  const char* b;
  int same;
};

const AuthorPair kAuthorPairs[] = {
    {"Braun, M.", "M.~Braun", 1},
    {"Braun, M. and Saurer, H.", "M.~Braun and H.~Saurer", 1},
    {"van Beethoven, L.", "L. van Beethoven", 1},
    {"van Beethoven, L.", "Ludwig Van Beethoven", 1},  // the particle in either case
    {"Beethoven, L. van", "L. van Beethoven", 1},
    {"Smith, Jr., John", "John Smith, Jr.", 1},
    {"Smith, Jr., John", "Smith, John", 1},
    {"John Smith Jr.", "Smith, J.", 1},
    {"M{\\\"u}ller, K.", "M\\\"{u}ller, Karl", 1},
    {"M\\\"uller, K.", "Karl M{\\\"u}ller", 1},
    {"M\xC3\xBCller, K.", "M{\\\"u}ller, K.", 1},  // UTF-8 "ü"
    {"Braun, M.", "Brown, M.", 0},
    {"Braun, M. and Saurer, H.", "Saurer, H. and Braun, M.", 0},  // another first author
    {"van Beethoven, L.", "Beethoven, L.", 1},  // the particle is not compared
    {"van Beethoven, L.", "van Bruggen, L.", 0},
    {"M\\\"uller, K.", "Muller, K.", 1},                            // an accent never tells apart
    {"Braun, M.", "", 1},  // an empty value proves nothing
};

TEST(SameWorkTest, FirstAuthorInAnyNameForm) {
  for (const AuthorPair& c : kAuthorPairs) {
    EXPECT_EQ(Same(Article(c.a, "123"), Article(c.b, "123")), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(Same(Article(c.b, "123"), Article(c.a, "123")), c.same) << c.b << " / " << c.a;
  }
}

TEST(SameWorkTest, FirstPageWhateverTheDash) {
  const char* const kRanges[] = {"123", "123-130", "123--130", "123 -- 130", "123\xE2\x80\x93" "130",
                                 "123\xE2\x80\x94" "130", "123\xE2\x88\x92" "130", "123\x96" "130",
                                 "123\x97" "130"};
  for (const char* a : kRanges) {
    for (const char* b : kRanges) EXPECT_EQ(Same(Article("Braun, M.", a), Article("Braun, M.", b)), 1) << a << " / " << b;
  }
  EXPECT_EQ(Same(Article("Braun, M.", "123--130"), Article("Braun, M.", "124--130")), 0);
}

TEST(SameWorkTest, DoiInAnyForm) {
  const char* const kForms[] = {"10.1/X", "10.1/x", "https://doi.org/10.1/x", "http://dx.doi.org/10.1/X",
                                "doi: 10.1/x", " DOI:10.1/x "};
  for (const char* a : kForms) {
    for (const char* b : kForms) {
      // The DOI decides alone: other pages and another author do not count.
      EXPECT_EQ(Same(Article("Braun, M.", "1", a), Article("Brown, K.", "2", b)), 1) << a << " / " << b;
    }
  }
  EXPECT_EQ(Same(Article("Braun, M.", "1", "10.1/x"), Article("Braun, M.", "1", "10.1/y")), 0);
}

TEST(SameWorkTest, ClassicRulesCompareNamesAndPagesAsTheyStand) {
  entry_fields a = Article("Braun, M.", "123");
  entry_fields b = Article("M.~Braun", "123");
  b.author = "Brown, K.";  // the classic article rule looks at no author
  EXPECT_EQ(SameWork(GROUP_ARTICLE, a, b, RULES_CLASSIC), 1);
  b = Article("M.~Braun", "123");
  EXPECT_EQ(SameWork(GROUP_BOOK, a, b, RULES_CLASSIC), 0);  // the book rule compares authors whole
  b.author = a.author;
  EXPECT_EQ(SameWork(GROUP_BOOK, a, b, RULES_CLASSIC), 1);
}

}  // namespace
