#include <gtest/gtest.h>

#include "text/title_words.h"

namespace {

struct TitleCase {
  const char* title;
  const char* words;
};

const TitleCase kTitleCases[] = {
    {"The {DNA} Helix.", "thednahelix"},
    {"the DNA helix", "thednahelix"},
    {"H$_2$O at 300~K", "h2oat300k"},
    {"M{\\\"o}ller's {\\em law}", "mollersemlaw"},  // commands' names are letters too
    {"\xC3\x9C" "ber", "\xC3\x9C" "ber"},           // UTF-8 bytes stay as they are
    {"--- !?", ""},
};

TEST(TitleWordsTest, LettersAndDigitsInLowerCase) {
  for (const TitleCase& c : kTitleCases) EXPECT_EQ(TitleWords(c.title), c.words) << c.title;
}

}  // namespace
