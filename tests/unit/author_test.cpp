// Author lists in the three journal styles, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "app/state.h"
#include "scan/author.h"
#include "support/test_support.h"

namespace {

// Runs entry_author on the first line of text, with the rest of text as
// the stream it may read on from.  Returns the result and what the next
// line read of the stream gives.
struct AuthorRun {
  std::string result;
  std::string next_line;
};

AuthorRun RunAuthor(JournalStyle style, const std::string& text) {
  TextReader reader(text);
  char line[LINE_SIZE];
  ReadLine(reader.get(), line);
  SetJournalStyle(style);
  char out[LINE_SIZE];
  EXPECT_EQ(entry_author(line, out, reader.get(), LINE_SIZE, ClassicStyleFromState()), 1);
  AuthorRun run{out, ""};
  if (ReadLine(reader.get(), line) > 0) run.next_line = line;
  SetJournalStyle(STYLE_APS);
  return run;
}

std::string Format(JournalStyle style, const std::string& value) {
  return RunAuthor(style, "  author = {" + value + "},\nnext\n").result;
}

TEST(EntryAuthor, WorkedExamplesInAllThreeStyles) {
  const struct {
    const char* value;
    const char* aps;
    const char* iop;
    const char* acs;
  } cases[] = {
      {"Smith, John", "John Smith", "Smith John", "Smith, John"},
      {"Smith, J. and Doe, K.", "J. Smith and K.  Doe", "Smith J and Doe K ", "Smith, J.; Doe, K."},
      {"Smith, John A. and Doe, Jane and Brown, L.-P.", "John A. Smith, Jane  Doe and L.-P.  Brown",
       "Smith John A, Doe Jane and Brown L-P ", "Smith, John A.; Doe, Jane; Brown, L.-P."},
      {"M{\\o}ller, Hans and Doe, Jane", "Hans M{\\o}ller and Jane  Doe",
       "M{\\o}ller Hans and Doe Jane", "M{\\o}ller, Hans; Doe, Jane"},
      {"", "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Format(STYLE_APS, c.value), c.aps) << c.value;
    EXPECT_EQ(Format(STYLE_IOP, c.value), c.iop) << c.value;
    EXPECT_EQ(Format(STYLE_ACS, c.value), c.acs) << c.value;
  }
}

TEST(EntryAuthor, AListOverTwoLinesJoinsWithOneBlank) {
  const std::string text = "  author = {Smith, John and\n    Doe, Jane and Brown, Lee},\nnext\n";
  EXPECT_EQ(RunAuthor(STYLE_APS, text).result, "John Smith, Jane  Doe and Lee  Brown");
  EXPECT_EQ(RunAuthor(STYLE_IOP, text).result, "Smith John, Doe Jane and Brown Lee");
  AuthorRun acs = RunAuthor(STYLE_ACS, text);
  EXPECT_EQ(acs.result, "Smith, John; Doe, Jane; Brown, Lee");
  EXPECT_EQ(acs.next_line, "next\n");  // the continuation line was consumed
}

TEST(EntryAuthor, AValueClosedOnItsLineReadsNothingMore) {
  EXPECT_EQ(RunAuthor(STYLE_APS, "author = {Smith, John},\nnext\n").next_line, "next\n");
}

TEST(EntryAuthor, ContinuationLinesDropWhatComesBeforeTheirFirstLetter) {
  // The accented letter's brace is dropped, and the "}" after O ends the value.
  EXPECT_EQ(RunAuthor(STYLE_ACS, "  author = {Doe, Jane and\n    {\\O}stergaard, Jens},\nnext\n").result,
            "Doe, Jane; O");
  // A closing line without letters adds one blank and ends the value.
  AuthorRun run = RunAuthor(STYLE_ACS, "  author = {Smith, John and Doe, Jane\n},\nnext\n");
  EXPECT_EQ(run.result, "Smith, John; Doe, Jane ");
  EXPECT_EQ(run.next_line, "next\n");
  // End of file while the value goes on ends it, with nothing appended.
  EXPECT_EQ(RunAuthor(STYLE_ACS, "  author = {Smith, John and\n").result, "Smith, John;");
  EXPECT_EQ(RunAuthor(STYLE_APS, "  author = {Smith, John and\n").result, "John and Smith");
}

TEST(EntryAuthor, GroupsAreCopiedWhole) {
  EXPECT_EQ(Format(STYLE_ACS, "{Smith, John}"), "{Smith, John}");
  // A line feed inside a group ends the value and reads no further line.
  AuthorRun run = RunAuthor(STYLE_ACS, "  author = {{Big Collab\nnext\n");
  EXPECT_EQ(run.result, "{Big Collab\n");
  EXPECT_EQ(run.next_line, "next\n");
}

TEST(EntryAuthor, AndIsASeparatorOnlyInLowerCase) {
  EXPECT_EQ(Format(STYLE_ACS, "Smith, John anderson"), "Smith, John;erson");
  EXPECT_EQ(Format(STYLE_ACS, "Smith, John AND Doe, Jane"), "Smith, John AND Doe, Jane");
  EXPECT_EQ(Format(STYLE_APS, "Smith, John AND Doe, Jane"), "John AND Doe, Jane Smith");
}

TEST(EntryAuthor, NamesWithoutCommaStayAsWritten) {
  EXPECT_EQ(Format(STYLE_APS, "{Some Collaboration}"), "{Some Collaboration}");
  EXPECT_EQ(Format(STYLE_APS, "John Smith and Jane Doe"), "John Smith and Jane Doe");
  EXPECT_EQ(Format(STYLE_APS, "Smith, John and Collab"), "John Smith and  Collab");
}

TEST(EntryAuthor, ALineWithoutBraceGivesAnEmptyList) {
  for (JournalStyle style : {STYLE_APS, STYLE_IOP, STYLE_ACS}) {
    AuthorRun run = RunAuthor(style, "  author = \"Smith, John\",\nnext\n");
    EXPECT_EQ(run.result, "");
    EXPECT_EQ(run.next_line, "next\n");
  }
}

TEST(EntryAuthor, LongListsAreCutToTheOutputBuffer) {
  std::string text = "  author = {";
  for (int i = 0; i < 60; i++) text += "Surname" + std::to_string(i) + ", Given and\n  ";
  text += "Last, One},\nnext\n";
  for (JournalStyle style : {STYLE_APS, STYLE_IOP, STYLE_ACS}) {
    AuthorRun run = RunAuthor(style, text);
    EXPECT_EQ(run.result.size(), static_cast<std::size_t>(LINE_SIZE - 1));
    EXPECT_EQ(run.next_line, "next\n");  // the whole value was still consumed
  }
}

TEST(EntryAuthor, AContinuationLongerThanTheFirstLineIsCollectedInFull) {
  std::string second(300, 'x');
  EXPECT_EQ(RunAuthor(STYLE_ACS, "author = {A, B and\n" + second + "}\n").result, "A, B; " + second);
}

}  // namespace
