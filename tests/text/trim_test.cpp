#include <gtest/gtest.h>

#include "text/trim.h"

namespace {

struct TrimCase {
  const char* text;
  const char* trimmed;
};

const TrimCase kTrimCases[] = {
    {"  81  ", "81"},
    {"\t\r\n\v\f81 107\n", "81 107"},  // blanks inside stay
    {"   ", ""},
    {"", ""},
    // A no-break space (UTF-8 C2 A0, Latin-1 A0) is text, not an ASCII blank.
    {"\xC2\xA0x\xA0", "\xC2\xA0x\xA0"},
};

TEST(TrimTest, AsciiBlanksAtBothEnds) {
  for (const TrimCase& c : kTrimCases) EXPECT_EQ(Trim(c.text), c.trimmed) << c.text;
}

}  // namespace
