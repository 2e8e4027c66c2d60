// The first page of a range, whatever dash the library writes.
#include <gtest/gtest.h>

#include "text/page_range.h"

namespace {

struct PageCase {
  const char* pages;
  const char* first;
};

const PageCase kPageCases[] = {
    {"81-107", "81"},
    {"81--107", "81"},
    {"81 -- 107", "81"},
    {"81\xE2\x80\x93" "107", "81"},  // en dash, UTF-8
    {"81\xE2\x80\x94" "107", "81"},  // em dash, UTF-8
    {"81\xE2\x88\x92" "107", "81"},  // minus sign, UTF-8
    {"81\x96" "107", "81"},          // en dash, CP1252
    {"81 \x97 107", "81"},           // em dash, CP1252
    {" e1234 ", "e1234"},
    {"", ""},
    {"-5", ""},
    // Other UTF-8 characters of E2 80 or E2 88 are no dashes.
    {"81\xE2\x80\x92" "107", "81\xE2\x80\x92" "107"},  // figure dash U+2012 is not listed
    {"A\xE2\x88\x93" "2", "A\xE2\x88\x93" "2"},        // minus-or-plus sign
    // 0x96 and 0x97 after a byte of 0x80 or above are the tail of a UTF-8
    // character ("Ж" D0 96, "×" C3 97), not a CP1252 dash.
    {"\xD0\x96" "12-14", "\xD0\x96" "12"},
    {"3\xC3\x97" "4", "3\xC3\x97" "4"},
    // A text cut short inside a UTF-8 dash is no dash.
    {"81\xE2\x80", "81\xE2\x80"},
};

TEST(PageRangeTest, FirstPageCutsAtEveryRangeDash) {
  for (const PageCase& c : kPageCases) EXPECT_EQ(FirstPage(c.pages), c.first) << c.pages;
}

TEST(PageRangeTest, DashLengthsInBytes) {
  EXPECT_EQ(RangeDashLength("1-2", 1), 1u);
  EXPECT_EQ(RangeDashLength("1\xE2\x80\x93" "2", 1), 3u);
  EXPECT_EQ(RangeDashLength("1\xE2\x88\x92" "2", 1), 3u);
  EXPECT_EQ(RangeDashLength("\x96" "2", 0), 1u);
  EXPECT_EQ(RangeDashLength("\x96" "2", 0, DASHES_OF_UTF8_ONLY), 0u);
  EXPECT_EQ(RangeDashLength("1\xE2\x80\x93" "2", 1, DASHES_OF_UTF8_ONLY), 3u);
  EXPECT_EQ(RangeDashLength("1\x97" "2", 1), 1u);
  EXPECT_EQ(RangeDashLength("1 2", 1), 0u);
}

}  // namespace
