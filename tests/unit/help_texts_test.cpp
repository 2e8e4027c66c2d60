// The Help menu's texts, byte for byte: line counts, indentation, final
// line feeds and the shared opening of the compare and clean manuals.
#include "commands/help_texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/state.h"

namespace {

// Splits on line feeds; a text ending in a line feed has an empty last line.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

const std::string JABREF_LINE =
    std::string(27, ' ') + "--- https://www.jabref.org ---";

TEST(HelpTexts, ExtractManual) {
  const std::vector<std::string> expected = {
      "1. step: Load your BibTeX file (your large library) with JabRef",
      "",
      JABREF_LINE,
      "",
      std::string(14, ' ') +
          "and check it (This puts your references into a good shape).",
      std::string(14, ' ') + "Save your BibTeX file for safety.",
      "",
      "2. step: Go to 'File' and load your LaTeX file (Open first file)",
      "",
      "3. step: Go to 'File' and load your BibTeX file (Open second file)",
      "",
      "4. step: Choose options in 'Preferences for extract'",
      "",
      "5. step: Go to 'Go and extract'",
      "",
      std::string(13, ' ') + "Result:",
      "",
      "Three files are created in the last chosen directory",
      "",
      "    1. BibTex file <bibfilename_extract_modified.bib> has",
      "        only the items from the LaTex file.",
      "    2. Item file <bibfilename_extract_items.txt>",
      "    3. Bibitem file <bibfilename_extract_bibitems.tex>",
      "",
  };
  EXPECT_EQ(expected, Lines(MANUAL_EXTRACT));
  EXPECT_EQ(24u, Lines(MANUAL_EXTRACT).size());
  EXPECT_EQ('\n', std::string(MANUAL_EXTRACT).back());
}

TEST(HelpTexts, CompareManual) {
  const std::vector<std::string> expected = {
      "1. step: Load your BibTeX files with JabRef",
      "",
      JABREF_LINE,
      "",
      std::string(14, ' ') +
          "and check them (This puts all references into a good shape).",
      std::string(14, ' ') + "Save your BibTeX files for safety.",
      "",
      "2. step: Go to 'File' and load your first BibTeX file (Open first "
      "file)",
      "",
      "3. step: Go to 'File' and load your second BibTeX file (Open second "
      "file)",
      std::string(14, ' ') + "Note that the first file is the master file.",
      "",
      "5. step: Go to 'Go and compare'",
      "",
      std::string(13, ' ') + "Result:",
      "",
      "Two BibTeX files are created in the last chosen directory",
      "",
      "    1. BibTex file <bibfilename_compare_equal.bib> contains all",
      "        items which were found in both BibTeX files.",
      "    2. BibTex file <bibfilename_compare_missing.bib> contains all",
      "        items which can be found in the second BibTeX file but",
      "        not in the first one.",
  };
  EXPECT_EQ(expected, Lines(MANUAL_COMPARE));
  EXPECT_EQ(23u, Lines(MANUAL_COMPARE).size());
  EXPECT_NE('\n', std::string(MANUAL_COMPARE).back());
}

TEST(HelpTexts, CleanManualSharesTheCompareOpening) {
  std::vector<std::string> clean = Lines(MANUAL_CLEAN);
  std::vector<std::string> compare = Lines(MANUAL_COMPARE);
  ASSERT_EQ(17u, clean.size());
  for (int i = 0; i < 7; ++i) EXPECT_EQ(compare[i], clean[i]) << i + 1;
  const std::vector<std::string> rest = {
      "2. step: Go to 'File' and load your BibTeX file (Open first file)",
      "",
      "3. step: Go to 'Go and clean doubles'",
      "",
      std::string(13, ' ') + "Result:",
      "",
      "A new BibTeX file is created in the last chosen directory. The file "
      "is",
      "named <bibfilename_clean_of_doubles.bib> and contains no double",
      "items anymore.",
      "",
  };
  EXPECT_EQ(rest, std::vector<std::string>(clean.begin() + 7, clean.end()));
  EXPECT_EQ('\n', std::string(MANUAL_CLEAN).back());
}

// The window shows these through a formatting call that reads "%" as a
// directive and stops at 1,024 characters: no text may rely on either.
TEST(HelpTexts, TextsFitTheMessageBufferWithoutFormatDirectives) {
  for (const char* text :
       {MANUAL_EXTRACT, MANUAL_COMPARE, MANUAL_CLEAN, PROBLEM_TEXT}) {
    std::string s = text;
    EXPECT_EQ(std::string::npos, s.find('%'));
    EXPECT_LT(s.size(), 1024u);
  }
}

TEST(HelpTexts, ProblemAndAboutTexts) {
  EXPECT_STREQ(
      "For any problem read the manual and contact: support@tamrel.org\n",
      PROBLEM_TEXT);
  char about[MESSAGE_BUFFER_SIZE];
  EXPECT_EQ(1, FormatAboutText(about, sizeof about));
  EXPECT_STREQ("Tamrel 2.1 - Velmoran - 2009\n\nhttps://www.tamrel.org\n\n",
               about);
}

TEST(HelpTexts, AboutTextIsCutToTheBuffer) {
  char small[12];
  std::memset(small, 'x', sizeof small);
  FormatAboutText(small, 8);
  EXPECT_STREQ("Tamrel ", small);
  EXPECT_EQ('x', small[8]);
  FormatAboutText(small, 0);
  EXPECT_EQ('T', small[0]);
}

}  // namespace
