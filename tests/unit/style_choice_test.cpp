// The journal style the preferences choose: exactly one style flag set at
// a time, the style handed to extract, and what the classic line rules
// write for the styles they have no format for.
#include <gtest/gtest.h>

#include <string>

#include "app/state.h"
#include "commands/state_requests.h"
#include "support/test_support.h"
#include "typeset/styles.h"

namespace {

// The article as the journals' BibTeX styles print it (apsrev4-2,
// achemso, iopart-num, naturemag, rsc run by bibtex), with "\emph" as
// "\textit" and ties as spaces.
const char kLibrary[] =
    "@ARTICLE{Smith2001,\n"
    "  author = {Smith, John A. and Doe, Jane},\n"
    "  title = {A Study of Things},\n"
    "  journal = {Phys. Rev. B},\n"
    "  year = {2001},\n"
    "  volume = {64},\n"
    "  pages = {123--130}\n"
    "}\n";

struct StyleRow {
  JournalStyle style;
  const char* flags;  // APS ACS IOP Nature RSC
  const char* option;
  const char* reference;
};

const StyleRow kRows[] = {
    {STYLE_APS, "10000", "aps",
     "J. A. Smith and J. Doe, \\textit{Phys. Rev. B} \\textbf{64}, 123--130 (2001)"},
    {STYLE_ACS, "01000", "acs",
     "Smith, J. A.; Doe, J. \\textit{Phys. Rev. B} \\textbf{2001}, \\textit{64}, 123--130."},
    {STYLE_IOP, "00100", "iop", "Smith J A and Doe J 2001 \\textit{Phys. Rev. B} \\textbf{64} 123--130"},
    {STYLE_NATURE, "00010", "nature",
     "Smith, J. A. \\& Doe, J. A study of things. \\textit{Phys. Rev. B} \\textbf{64}, 123--130 "
     "(2001)."},
    {STYLE_RSC, "00001", "rsc",
     "J. A. Smith and J. Doe, \\textit{Phys. Rev. B}, 2001, \\textbf{64}, 123--130."},
};

std::string StyleFlags() {
  return std::to_string(FLAG_APS) + std::to_string(FLAG_ACS) + std::to_string(FLAG_IOP) +
         std::to_string(FLAG_NATURE) + std::to_string(FLAG_RSC);
}

// Every change from one style to another leaves only the new one set.
TEST(StyleChoice, ExactlyOneFlagAfterEveryChange) {
  ResetApplicationState();
  for (const StyleRow& from : kRows) {
    for (const StyleRow& to : kRows) {
      SCOPED_TRACE(std::string(from.option) + " to " + to.option);
      SetJournalStyle(from.style);
      SetJournalStyle(to.style);
      EXPECT_EQ(to.flags, StyleFlags());
      JournalStyle selected;
      ASSERT_EQ(1, SelectedStyle(&selected));
      EXPECT_EQ(to.style, selected);
      ReferenceOptions options = ReferenceOptionsFromState();
      ASSERT_NE(nullptr, options.style);
      EXPECT_STREQ(to.option, options.style->option);
    }
  }
  ResetApplicationState();
  EXPECT_EQ("10000", StyleFlags());
}

class StyleExtractTest : public ::testing::Test {
 protected:
  // Runs extract with the style chosen as the preferences choose it.
  int RunWith(JournalStyle style, RunReport* report) {
    SetJournalStyle(style);
    FLAG_PAGEALL = 1;
    WriteFile(dir_.File("paper.tex"), "As shown \\cite{Smith2001}.\n");
    WriteFile(dir_.File("lib.bib"), kLibrary);
    SetFileSlot(file_address_01, dir_.File("paper.tex").c_str());
    SetFileSlot(file_address_02, dir_.File("lib.bib").c_str());
    return Extract(report);
  }
  std::string Output(const char* suffix) const { return ReadFile(dir_.File(std::string("lib") + suffix)); }
  std::string Bibitems() const { return Output("_extract_bibitems.tex"); }

  ScratchDir dir_;
};

class ReaderStyleTest : public StyleExtractTest {
 protected:
  OperationFixtureState state_{0};
};

class ClassicStyleTest : public StyleExtractTest {
 protected:
  OperationFixtureState state_{1};
};

TEST_F(ReaderStyleTest, EachStyleTypesetsTheBibitems) {
  for (const StyleRow& row : kRows) {
    SCOPED_TRACE(row.option);
    RunReport report;
    ASSERT_EQ(RESULT_DONE, RunWith(row.style, &report));
    EXPECT_EQ(std::string("\\bibitem{Smith2001}\n") + row.reference + "\n\n", Bibitems());
  }
}

// The line rules know APS, ACS and IOP only: for Nature and RSC they copy
// the same entries, write each "\bibitem" line without a reference, and
// the report says why, rather than passing off an empty list as done.
TEST_F(ClassicStyleTest, StylesWithoutAClassicFormatGiveBareBibitemsAndSaySo) {
  RunReport aps;
  ASSERT_EQ(RESULT_DONE, RunWith(STYLE_APS, &aps));
  const std::string items = Output("_extract_items.txt");
  const std::string reduced = Output("_extract_modified.bib");
  EXPECT_NE(std::string::npos, Bibitems().find("\\textit{Phys. Rev. B}"));  // APS has its format
  for (const std::string& line : aps.lines) EXPECT_EQ(std::string::npos, line.find("no format"));
  struct {
    JournalStyle style;
    const char* label;
  } rows[] = {{STYLE_NATURE, "Nature"}, {STYLE_RSC, "Royal Society of Chemistry"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    RunReport report;
    ASSERT_EQ(RESULT_DONE, RunWith(row.style, &report));
    EXPECT_EQ("\\bibitem{Smith2001}\n", Bibitems());
    EXPECT_EQ(items, Output("_extract_items.txt"));
    EXPECT_EQ(reduced, Output("_extract_modified.bib"));
    const std::string note = std::string("The classic line rules have no format for ") + row.label +
                             ": the bibitem file holds the \\bibitem lines alone.";
    int notes = 0;
    for (const std::string& line : report.lines) notes += line == note ? 1 : 0;
    EXPECT_EQ(1, notes);
  }
}

}  // namespace
