// Every way libraries write one DOI gives the same bare DOI.
#include <gtest/gtest.h>

#include "text/doi.h"

namespace {

struct DoiCase {
  const char* value;
  const char* bare;
};

const DoiCase kDoiCases[] = {
    {"10.1103/PhysRevLett.1.1", "10.1103/physrevlett.1.1"},
    {"https://doi.org/10.1103/PhysRevLett.1.1", "10.1103/physrevlett.1.1"},
    {"http://doi.org/10.1/x", "10.1/x"},
    {"http://dx.doi.org/10.1/x", "10.1/x"},
    {"https://dx.doi.org/10.1/x", "10.1/x"},
    {"HTTPS://DOI.ORG/10.1/X", "10.1/x"},
    {"doi:10.1/x", "10.1/x"},
    {"DOI: 10.1/x", "10.1/x"},
    {"Doi : 10.1/x", "10.1/x"},
    {"  10.1/x  ", "10.1/x"},
    {" https://doi.org/ 10.1/x ", "10.1/x"},
    {"", ""},
    // Only a prefix at the start is an address; "doi" without a colon is
    // part of the DOI.
    {"10.1/doi:x", "10.1/doi:x"},
    {"doi10.1/x", "doi10.1/x"},
    {"https://example.org/10.1/x", "https://example.org/10.1/x"},
};

TEST(DoiTest, BareDoiDropsCaseAddressAndBlanks) {
  for (const DoiCase& c : kDoiCases) EXPECT_EQ(BareDoi(c.value), c.bare) << c.value;
}

}  // namespace
