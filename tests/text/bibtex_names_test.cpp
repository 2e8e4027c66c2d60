// Names as BibTeX reads them, and the first name of a list with its
// generational suffix wherever it is written.
#include <gtest/gtest.h>

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

}  // namespace
