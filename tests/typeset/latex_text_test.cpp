// Values made safe for pdflatex without touching what is already LaTeX,
// and page ranges written one way.
#include <gtest/gtest.h>

#include "typeset/latex_text.h"

namespace {

struct TextCase {
  const char* value;
  const char* latex;
};

const TextCase kTextCases[] = {
    {"The {DNA} helix", "The {DNA} helix"},
    {"Fish \\& Chips", "Fish \\& Chips"},
    {"Fish & Chips", "Fish \\& Chips"},
    {"100% pure #1", "100\\% pure \\#1"},
    {"snake_case and x^2", "snake\\_case and x\\textasciicircum{}2"},
    {"$H_2O$ and $x^2$", "$H_2O$ and $x^2$"},
    {"M{\\\"o}ller", "M{\\\"o}ller"},
    {"see \\url{http://a.org/x_y%20z#k}", "see \\url{http://a.org/x_y%20z#k}"},
    {"unclosed {group", "unclosed {group}"},
    {"stray } brace", "stray  brace"},
    {"open $math", "open $math$"},
    {"{$x}", "{$x$}"},
    {"ends in \\", "ends in \\textbackslash{}"},
    {"\\{ literal brace", "\\{ literal brace"},
};

TEST(LatexTextTest, KeepsLatexAndDefusesWhatWouldBreakIt) {
  for (const TextCase& c : kTextCases) EXPECT_EQ(LatexText(c.value), c.latex) << c.value;
}

TEST(LatexTextTest, VerbatimEscapesEveryMarkupCharacter) {
  EXPECT_EQ(VerbatimText("https://x.org/a_b?c=1&d=%20#e~f"),
            "\\texttt{https://x.org/a\\_b?c=1\\&d=\\%20\\#e\\textasciitilde{}f}");
  EXPECT_EQ(VerbatimText("a{b}\\c^$"), "\\texttt{a\\{b\\}\\textbackslash{}c\\textasciicircum{}\\$}");
  EXPECT_EQ(VerbatimText(""), "");
}

struct PagesCase {
  const char* value;
  const char* first_page;
  const char* range;
};

const PagesCase kPagesCases[] = {
    {"81 - 107", "81", "81--107"},
    {"81-107", "81", "81--107"},
    {"81--107", "81", "81--107"},
    {"81---107", "81", "81--107"},
    {"81\xE2\x80\x93" "107", "81", "81--107"},
    {"81 \xE2\x80\x94 107", "81", "81--107"},
    {"e1234", "e1234", "e1234"},
    {"3-5, 7-9", "3", "3--5, 7--9"},
    {"", "", ""},
};

TEST(PagesTextTest, EveryDashBecomesTwoHyphens) {
  for (const PagesCase& c : kPagesCases) {
    EXPECT_EQ(PagesText(c.value, 0), c.first_page) << c.value;
    EXPECT_EQ(PagesText(c.value, 1), c.range) << c.value;
  }
  EXPECT_EQ(PagesArePlural("81--107"), 1);
  EXPECT_EQ(PagesArePlural("3, 7"), 1);
  EXPECT_EQ(PagesArePlural("81"), 0);
}

}  // namespace
