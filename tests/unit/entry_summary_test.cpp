// The entry summary shared by compare and clean doubles.
#include <gtest/gtest.h>

#include <string>

#include "match/match_rules.h"
#include "scan/entry_summary.h"
#include "support/test_support.h"

namespace {

struct Summary {
  entry_fields fields;
  std::string next_line;
};

Summary Read(const std::string& text, SummaryWords words) {
  TextReader reader(text);
  char line[LINE_SIZE];
  ReadLine(reader.get(), line);
  Summary summary;
  ReadEntrySummary(reader.get(), line, &summary.fields, words);
  if (ReadLine(reader.get(), line) > 0) summary.next_line = line;
  return summary;
}

TEST(EntrySummary, ReadsKeyTypeAndOneLineOfEachValue) {
  Summary s = Read(
      "@ARTICLE{Smith2001,\n"
      "  author = {Smith, John},\n"
      "  title = {A study},\n"
      "  journal = {Phys. {R}ev.},\n"
      "  year = {2001},\n"
      "  volume = {12},\n"
      "  pages = {123--130},\n"
      "  note = {Erratum}\n"
      "}\n"
      "after\n",
      WORDS_WITH_NOTE);
  EXPECT_EQ(s.fields.key, "Smith2001");
  EXPECT_EQ(s.fields.type, "ARTICLE");
  EXPECT_EQ(s.fields.author, "Smith, John");
  EXPECT_EQ(s.fields.title, "A study");
  EXPECT_EQ(s.fields.journal, "Phys. {R");
  EXPECT_EQ(s.fields.year, "2001");
  EXPECT_EQ(s.fields.volume, "12");
  EXPECT_EQ(s.fields.pages, "123");
  EXPECT_EQ(s.fields.note, "Erratum");
  EXPECT_EQ(s.next_line, "after\n");
}

TEST(EntrySummary, TheFirstWordOfTheFixedOrderWinsTheLineAndTheLaterLineWins) {
  Summary s = Read(
      "@BOOK{b,\n"
      "  title = {Ten year plan},\n"     // "year" comes before "title"
      "  booktitle = {Proceedings},\n"   // sets the title
      "  annote = {read},\n"             // sets the note
      "  title = {Second},\n"            // the later line wins
      "}\n",
      WORDS_WITH_NOTE);
  EXPECT_EQ(s.fields.year, "Ten year plan");
  EXPECT_EQ(s.fields.title, "Second");
  EXPECT_EQ(s.fields.note, "read");
}

TEST(EntrySummary, PagesAreCutAtTheFirstDash) {
  for (const char* pages : {"12--19", "12-15", "12"}) {
    Summary s = Read(std::string("@ARTICLE{a,\n  pages = {") + pages + "}\n}\n", WORDS_WITHOUT_NOTE);
    EXPECT_EQ(s.fields.pages, "12") << pages;
  }
}

TEST(EntrySummary, OnlyALineBeginningWithABraceAndNoWordEndsTheEntry) {
  // "}" at the end of the last field line does not end it; the next entry's
  // lines become this entry's.
  Summary s = Read(
      "@ARTICLE{a,\n  year = {2001}}\n@ARTICLE{b,\n  year = {2002}\n}\nafter\n", WORDS_WITHOUT_NOTE);
  EXPECT_EQ(s.fields.year, "2002");
  EXPECT_EQ(s.next_line, "after\n");

  // A line beginning with "}" that holds a field word is a field line.
  s = Read("@MISC{m,\n} note = {x}\n}\nafter\n", WORDS_WITH_NOTE);
  EXPECT_EQ(s.fields.note, "x");
  EXPECT_EQ(s.next_line, "after\n");
  s = Read("@MISC{m,\n} note\n}\nafter\n", WORDS_WITHOUT_NOTE);
  EXPECT_EQ(s.next_line, "}\n");  // without the note word the first "}" line ends it
}

TEST(EntrySummary, ValuesWithoutBracesAreEmptyAndTheFirstLineIsNotTested) {
  Summary s = Read("@ARTICLE{year2001, title = {x},\n  year = 2001,\n}\n", WORDS_WITHOUT_NOTE);
  EXPECT_EQ(s.fields.key, "year2001");
  EXPECT_EQ(s.fields.year, "");
  EXPECT_EQ(s.fields.title, "");
}

TEST(EntrySummary, AnEntryWithoutClosingLineRunsToTheEnd) {
  Summary s = Read("@ARTICLE{a,\n  volume = {3},\n", WORDS_WITHOUT_NOTE);
  EXPECT_EQ(s.fields.volume, "3");
  EXPECT_EQ(s.next_line, "");
}

TEST(EntrySummary, ComparesTheValuesOfEachGroup) {
  entry_fields a{};
  entry_fields b{};
  // Under the line rules two empty values are equal.
  EXPECT_EQ(SameWork(GROUP_ARTICLE, a, b, RULES_CLASSIC), 1);
  EXPECT_EQ(SameWork(GROUP_BOOK, a, b, RULES_CLASSIC), 1);
  b.year = "2001";
  EXPECT_EQ(SameWork(GROUP_ARTICLE, a, b, RULES_CLASSIC), 0);
  EXPECT_EQ(SameWork(GROUP_BOOK, a, b, RULES_CLASSIC), 1);
  b.title = "T";
  EXPECT_EQ(SameWork(GROUP_BOOK, a, b, RULES_CLASSIC), 0);
}

}  // namespace
