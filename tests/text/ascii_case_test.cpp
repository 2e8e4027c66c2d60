// BibTeX's case fold: A-Z and nothing else, whatever the encoding.
#include <gtest/gtest.h>

#include "text/ascii_case.h"

namespace {

struct FoldCase {
  const char* text;
  const char* lower;
};

const FoldCase kFoldCases[] = {
    {"Smith2020", "smith2020"},
    {"@ARTICLE{", "@article{"},
    {"[\\]^_`{|}~@", "[\\]^_`{|}~@"},  // the neighbours of the letters stay
    // Latin-1 "Ä" and UTF-8 "Ä" (C3 84) keep their bytes.
    {"\xC4r \xC3\x84r", "\xC4r \xC3\x84r"},
    {"", ""},
};

TEST(AsciiCaseTest, OnlyAsciiLettersFold) {
  for (const FoldCase& c : kFoldCases) {
    EXPECT_EQ(LowerCase(c.text), c.lower) << c.text;
    EXPECT_TRUE(SameIgnoringCase(c.text, c.lower)) << c.text;
  }
  EXPECT_EQ(AsciiLower('Z'), 'z');
  EXPECT_EQ(AsciiLower('@'), '@');
  EXPECT_EQ(AsciiLower('['), '[');
}

struct SameCase {
  const char* a;
  const char* b;
  bool same;
};

const SameCase kSameCases[] = {
    {"PhDThesis", "phdthesis", true},  {"APS", "aps", true},   {"aps", "apsx", false},
    {"aps", "ap", false},              {"", "", true},         {"a", "", false},
    {"\xC4", "\xE4", false},  // Latin-1 "Ä" and "ä" are no ASCII letters
    {"@", "`", false},        // 0x40 and 0x60 differ by the case bit alone
};

TEST(AsciiCaseTest, SameIgnoringCaseComparesWholeTexts) {
  for (const SameCase& c : kSameCases) {
    EXPECT_EQ(SameIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(SameIgnoringCase(c.b, c.a), c.same) << c.b << " / " << c.a;
  }
}

}  // namespace
