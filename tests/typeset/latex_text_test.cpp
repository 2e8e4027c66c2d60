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
    // Links need no package: every character of the address is shown.
    {"see \\url{http://a.org/x_y%20z#k}", "see \\texttt{http://a.org/x\\_y\\%20z\\#k}"},
    {"\\path{C:/a_b}", "\\texttt{C:/a\\_b}"},
    {"\\href{http://a.org/#x}{the {DNA} page}", "{the {DNA} page}"},
    {"\\url{never closed", "\\url{never closed}"},
    // Math accents in text become text accents; in math they stay.
    {"Matja\\check{z} Kro\\acute{s}nicki", "Matja\\v{z} Kro\\'{s}nicki"},
    {"$\\check{x}$ and \\ifmmode \\check{c}\\else \\v{c}\\fi", "$\\check{x}$ and \\ifmmode \\v{c}\\else \\v{c}\\fi"},
    {"D\\'\\iez and Garc\\'\\i a", "D\\'\\i{}ez and Garc\\'\\i a"},
    {"\\itshape and \\'{\\i}", "\\itshape and \\'{\\i}"},
    // amsmath's \\text, in math or not.
    {"$\\acute{\\text{a}}$ \\text{b}", "$\\acute{\\textrm{a}}$ \\textrm{b}"},
    // A backslash before a UTF-8 character would split it.
    {"Mart{\\\xC2\xB4\xC4\xB1}", "Mart{\xC2\xB4\xC4\xB1}"},
    // Greek and math signs the utf8 input does not know.
    {"\xCE\xB1-helix, \xCE\xA9 and \xCE\x91", "$\\alpha$-helix, $\\Omega$ and A"},
    {"x \xE2\x89\xA4 \xE2\x88\x9E, $y \xE2\x89\xA5 1$", "x $\\leq$ $\\infty$, $y \\geq  1$"},
    {"C\xCC\x8C" "ech and \xCC\x81", "\\v{C}ech and \\'{}"},
    {"lost \xEF\xBF\xBD byte", "lost ? byte"},
    // Letters the utf8 input knows, and bytes that are no UTF-8, stay.
    {"M\xC3\xB6ller \xE2\x80\x93 Gr\xF6\xDF" "e", "M\xC3\xB6ller \xE2\x80\x93 Gr\xF6\xDF" "e"},
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

TEST(LatexTextTest, JournalMacrosOfAdsAreWrittenOut) {
  EXPECT_EQ(JournalText("\\mnras"), "MNRAS");
  EXPECT_EQ(JournalText("{\\aap}"), "A\\&A");
  EXPECT_EQ(JournalText("\\apjl"), "ApJ");
  // Anything else is text as usual, a macro no class defines included.
  EXPECT_EQ(JournalText("\\myjournal"), "\\myjournal");
  EXPECT_EQ(JournalText("\\mnras Letters"), "\\mnras Letters");
  EXPECT_EQ(JournalText("Phys. Rev. B & C"), "Phys. Rev. B \\& C");
  EXPECT_EQ(JournalText(""), "");
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
    {"291\xE2\x88\x92" "309", "291", "291--309"},
    // A Windows library's byte dashes stay, as bibtex's styles leave them.
    {"81\x96" "107", "81\x96" "107", "81\x96" "107"},
    {"81 \x97 107", "81 \x97 107", "81 \x97 107"},
    {"\xD0\x96" "1-2", "\xD0\x96" "1", "\xD0\x96" "1--2"},  // "Ж" (D0 96) is no dash
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
