#include <gtest/gtest.h>

#include <string>

#include "text/edition_number.h"
#include "text/title_likeness.h"

namespace {

struct TitlePair {
  const char* a;
  const char* b;
  int alike;
};

const TitlePair kTitlePairs[] = {
    // Two exports of one title.
    {"The {DNA} Helix.", "The DNA helix", 1},
    {"{Quantum Transport in Mesoscopic Systems}", "Quantum transport in mesoscopic systems", 1},
    {"Quantum transport in mesoscopic sytsems", "Quantum transport in mesoscopic systems", 1},  // a swap
    {"Quantum transprt in mesoscopic systems", "Quantum transport in mesoscopic systems", 1},   // a letter lost
    {"Spin waves in \\emph{thin} films", "Spin waves in thin films", 1},
    {"Optical lattices of $^{87}$Rb atoms", "Optical lattices of 87Rb atoms", 1},
    {"Sodium dimers on liquid $^4${H}e", "Sodium dimers on liquid 4He", 1},
    {"M{\\\"o}bius strips", "M\\\"{o}bius strips", 1},
    {"M{\\\"o}bius strips", "M\xC3\xB6" "bius strips", 1},  // UTF-8
    {"Turbulence", "Turbluence", 1},
    // Other titles.
    {"Bees", "Wasps", 0},
    {"Quantum mechanics", "Quantum field theory", 0},
    {"Statistical mechanics", "Statistical physics", 0},
    {"Handbook of optics, volume 1", "Handbook of optics, volume 2", 0},
    {"Course of theoretical physics {II}", "Course of theoretical physics {III}", 0},
    {"Advances in catalysis 1998", "Advances in catalysis 1999", 0},
    {"Electron transport in graphene nanoribbons", "Phonon transport in graphene nanoribbons", 0},
};

TEST(TitleLikenessTest, TwoExportsOfOneTitleAndOtherTitles) {
  for (const TitlePair& c : kTitlePairs) {
    TitleShape a = ShapeOfTitle(c.a);
    TitleShape b = ShapeOfTitle(c.b);
    EXPECT_EQ(TitlesAlike(a, b), c.alike) << c.a << " / " << c.b;
    EXPECT_EQ(TitlesAlike(b, a), c.alike) << c.b << " / " << c.a;
  }
}

// An index finds alike titles only when they share a key: every single
// edit, wherever it falls, keeps one.
TEST(TitleLikenessTest, OneEditKeepsAKey) {
  const std::string title = "Magnetic ordering in frustrated kagome antiferromagnets";
  for (std::size_t at = 0; at < title.size(); at++) {
    if (title[at] == ' ') continue;
    std::string dropped = title;
    dropped.erase(at, 1);
    std::string doubled = title;
    doubled.insert(at, 1, title[at]);
    for (const std::string& edited : {dropped, doubled}) {
      EXPECT_EQ(TitlesAlike(ShapeOfTitle(title), ShapeOfTitle(edited)), 1) << edited;
    }
  }
}

TEST(TitleLikenessTest, EditDistanceCountsSwapsOnceAndStopsAtItsLimit) {
  EXPECT_EQ(BoundedEditDistance("abcdef", "abcdef", 2), 0u);
  EXPECT_EQ(BoundedEditDistance("abcdef", "abdcef", 2), 1u);  // neighbours swapped
  EXPECT_EQ(BoundedEditDistance("abcdef", "abcxef", 2), 1u);
  EXPECT_EQ(BoundedEditDistance("abcdef", "abef", 2), 2u);
  EXPECT_EQ(BoundedEditDistance("abcdef", "uvwxyz", 2), 3u);  // beyond the limit: limit + 1
  EXPECT_EQ(BoundedEditDistance("", "abc", 5), 3u);
  EXPECT_EQ(MaxTitleEdits(4), 1u);
  EXPECT_EQ(MaxTitleEdits(40), 3u);
}

TEST(TitleLikenessTest, NoticesOfCorrection) {
  const char* const kNotices[] = {"Erratum: Spin waves in thin films", "Publisher's Note: Spin waves",
                                  "Comment on ``Spin waves in thin films''", "Reply to Comment on Spin waves",
                                  "Corrigendum to: spin waves", "Retraction"};
  for (const char* notice : kNotices) EXPECT_EQ(IsNoticeTitle(ShapeOfTitle(notice)), 1) << notice;
  EXPECT_EQ(IsNoticeTitle(ShapeOfTitle("Spin waves: a comment")), 0);
}

TEST(EditionNumberTest, DigitsOrdinalWords) {
  const char* const kSecond[] = {"2", "2nd", "2nd edition", "Second", "second revised", "{2}"};
  for (const char* edition : kSecond) EXPECT_EQ(EditionNumber(edition), "2") << edition;
  EXPECT_EQ(EditionNumber("Tenth"), "10");
  EXPECT_EQ(EditionNumber("Revised"), "revised");
}

}  // namespace
