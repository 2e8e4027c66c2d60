// Names as BibTeX reads them, and the first name of a list with its
// generational suffix wherever it is written.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "text/bibtex_names.h"

namespace {

struct NameCase {
  const char* value;
  const char* first;
  const char* von;
  const char* last;
  const char* jr;
};

void ExpectName(const PersonName& name, const NameCase& c) {
  EXPECT_EQ(name.first, c.first) << c.value;
  EXPECT_EQ(name.von, c.von) << c.value;
  EXPECT_EQ(name.last, c.last) << c.value;
  EXPECT_EQ(name.jr, c.jr) << c.value;
}

// Each form of one name, as BibTeX reads it (ParseNameList's first name).
const NameCase kListCases[] = {
    {"Ludwig van Beethoven", "Ludwig", "van", "Beethoven", ""},
    {"van Beethoven, Ludwig", "Ludwig", "van", "Beethoven", ""},
    {"L.~van~Beethoven", "L.", "van", "Beethoven", ""},
    {"Ludwig Van Beethoven", "Ludwig Van", "", "Beethoven", ""},
    {"de la Fontaine, Jean", "Jean", "de la", "Fontaine", ""},
    {"Smith, Jr., John", "John", "", "Smith", "Jr."},
    // BibTeX reads the comma after the surname as "von Last, First".
    {"John Smith, Jr.", "Jr.", "", "John Smith", ""},
    {"{Some Collaboration} and Smith, J.", "", "", "{Some Collaboration}", ""},
    {"Jean {\\'e}mile Zola", "Jean", "{\\'e}mile", "Zola", ""},
    {"Smith AND Doe", "", "", "Smith", ""},
    {"Anderson, Ann", "Ann", "", "Anderson", ""},
};

TEST(BibtexNamesTest, ListReadsEachNameFormAsBibtexDoes) {
  for (const NameCase& c : kListCases) {
    NameList list;
    ParseNameList(c.value, &list);
    ASSERT_FALSE(list.names.empty()) << c.value;
    ExpectName(list.names[0], c);
  }
}

// The first name alone, a suffix taken as jr wherever it stands.
const NameCase kFirstNameCases[] = {
    {"Smith, Jr., John and Doe, Jane", "John", "", "Smith", "Jr."},
    {"Smith, John, Jr.", "John", "", "Smith", "Jr."},
    {"John Smith, Jr. and others", "John", "", "Smith", "Jr."},
    {"John Smith Jr.", "John", "", "Smith", "Jr."},
    {"Smith Jr., John", "John", "", "Smith", "Jr."},
    {"Smith, III, John", "John", "", "Smith", "III"},
    {"van Beethoven, L. and Mozart, W. A.", "L.", "van", "Beethoven", ""},
    {"M.~Braun and H.~Saurer", "M.", "", "Braun", ""},
    {"Jr", "", "", "Jr", ""},  // a suffix alone is the whole name
    {"others", "", "", "", ""},
    {"", "", "", "", ""},
};

TEST(BibtexNamesTest, FirstNameTakesTheSuffixWhereverItIsWritten) {
  for (const NameCase& c : kFirstNameCases) ExpectName(ParseFirstName(c.value), c);
}

TEST(BibtexNamesTest, PartsOfEachForm) {
  NameList list;
  ParseNameList("van der Waals, Jr, Johannes Diderik and Ludwig van Beethoven", &list);
  ASSERT_EQ(list.names.size(), 2u);
  EXPECT_EQ(list.names[0].von, "van der");
  EXPECT_EQ(list.names[0].last, "Waals");
  EXPECT_EQ(list.names[0].jr, "Jr");
  EXPECT_EQ(list.names[0].first, "Johannes Diderik");
  EXPECT_EQ(list.names[1].first, "Ludwig");
  EXPECT_EQ(list.names[1].von, "van");
  EXPECT_EQ(list.names[1].last, "Beethoven");
}

TEST(BibtexNamesTest, OthersCountsTowardsPlural) {
  NameList list;
  ParseNameList("Gold, Mary and others", &list);
  EXPECT_EQ(NameCount(list), 2);
  ParseNameList("Gold, Mary", &list);
  EXPECT_EQ(NameCount(list), 1);
  ParseNameList("", &list);
  EXPECT_EQ(NameCount(list), 0);
}

// The surname alone, read the short way for plain names and the whole way
// for the rest: the same as ParseFirstName's in every form.
TEST(BibtexNamesTest, FirstNameLastIsTheFirstNamesSurname) {
  const char* const kCases[][2] = {
      {"Smith, John and Doe, Jane", "Smith"},
      {"John Smith and others", "Smith"},
      {"J. R. R. Tolkien", "Tolkien"},
      {"O'Brien, Peter", "O'Brien"},
      {"Smith-Jones, A.", "Smith-Jones"},
      {"John Smith Jr.", "Smith"},
      {"Smith, Jr., John", "Smith"},
      {"John Smith, Jr.", "Smith"},
      {"Ludwig van Beethoven", "Beethoven"},
      {"van Beethoven, Ludwig", "Beethoven"},
      {"M.~Braun", "Braun"},
      {"{Some Collaboration} and Smith, J.", "{Some Collaboration}"},
      {"M{\\\"u}ller, Hans", "M{\\\"u}ller"},
      {"Smith , John", "Smith"},
      {", John", ""},
      {"Jr", "Jr"},
      {"others", ""},
      {"", ""},
  };
  for (const auto& c : kCases) EXPECT_EQ(FirstNameLast(c[0]), c[1]) << c[0];
}

// Random names made of the pieces that steer the reading (commas, ties,
// braces, accents, "von" words, suffixes, "and"): the short way never
// gives another surname than the whole reading.
TEST(BibtexNamesTest, FirstNameLastAgreesWithTheWholeReading) {
  const char* const kPieces[] = {"a",  "B",      "von",   "de",     "Jr",    "jr.",  "III",
                                 ",",  " ",      ", ",    "~",      "{",     "}",    "\\",
                                 "J.", " and ", " AND ", "others", "Smith", "van",  "O'Brien",
                                 "-",  "\t",     "d'Al",  "12",     "\xc3\xa9"};
  std::mt19937 random(20261208);
  for (int round = 0; round < 200000; round++) {
    std::string value;
    for (int k = static_cast<int>(random() % 8); k > 0; k--) {
      value += kPieces[random() % (sizeof kPieces / sizeof *kPieces)];
    }
    ASSERT_EQ(FirstNameLast(value), ParseFirstName(value).last) << "[" << value << "]";
  }
}

}  // namespace

