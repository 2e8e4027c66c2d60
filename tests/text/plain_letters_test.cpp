// One name in every way a library writes its accents folds to one text.
#include <gtest/gtest.h>

#include "text/plain_letters.h"

namespace {

struct LettersCase {
  const char* text;
  const char* letters;
};

const LettersCase kLettersCases[] = {
    {"M{\\\"u}ller", "muller"},
    {"M\\\"{u}ller", "muller"},
    {"M\\\"uller", "muller"},
    {"M{\\\"{u}}ller", "muller"},
    {"M\xC3\xBCller", "muller"},  // UTF-8 "ü"
    {"M\xC3\x9Cller", "muller"},  // UTF-8 "Ü"
    {"{\\O}rsted", "orsted"},
    {"\xC3\x98rsted", "orsted"},  // UTF-8 "Ø"
    {"{\\l}ukasz", "lukasz"},
    {"\xC5\x81ukasz", "lukasz"},  // UTF-8 "Ł" (Latin Extended-A)
    {"Stra{\\ss}e", "strasse"},
    {"Stra\xC3\x9F" "e", "strasse"},  // UTF-8 "ß"
    {"{\\AE}lfric", "aelfric"},
    {"\xC3\x86lfric", "aelfric"},  // UTF-8 "Æ"
    {"Dvo\\v{r}\\'ak", "dvorak"},
    {"Dvo\xC5\x99\xC3\xA1k", "dvorak"},  // UTF-8 "ř", "á"
    {"Fran\\c{c}ois", "francois"},
    {"Fran\\c cois", "francois"},
    {"Mui\\~no", "muino"},
    {"Gar{\\'\\i}a", "garia"},
    {"{Some Collaboration}", "somecollaboration"},
    {"O'Brien-Smith 2nd", "obriensmith2nd"},
    // Markup commands are no letters; their argument is.
    {"\\textsc{Smith}", "smith"},
    // Other scripts keep their bytes, so two Greek names still differ.
    {"\xCE\xA0\xCE\xB1", "\xCE\xA0\xCE\xB1"},
    // The multiplication sign is no letter: its bytes stay.
    {"a\xC3\x97" "b", "a\xC3\x97" "b"},
    // A lone backslash at the end is dropped.
    {"x\\", "x"},
    {"", ""},
};

TEST(PlainLettersTest, AccentsInAnyFormFoldToTheirLetter) {
  for (const LettersCase& c : kLettersCases) EXPECT_EQ(PlainLetters(c.text), c.letters) << c.text;
}

}  // namespace
