// Name lists in the five styles, as the journals' BibTeX styles print them
// (apsrev4-2, iopart-num, JAmChemSoc, naturemag, rsc): initials, the
// order of the parts, "and" or "&", the serial comma, and "et al." for
// "others" or a list cut short (how each form is read: tests/text).
#include <gtest/gtest.h>

#include "typeset/names.h"
#include "typeset/printed_text.h"
#include "typeset/styles.h"

namespace {

struct NameCase {
  const char* value;
  const char* aps;
  const char* iop;
  const char* acs;
  const char* nature;
  const char* rsc;
};

const NameCase kNameCases[] = {
    {"John Smith and Jane Doe", "J. Smith and J. Doe", "Smith J and Doe J", "Smith, J.; Doe, J.",
     "Smith, J. & Doe, J.", "J. Smith and J. Doe"},
    {"{Some Collaboration} and Smith, John", "Some Collaboration and J. Smith", "Some Collaboration and Smith J",
     "Some Collaboration; Smith, J.", "Some Collaboration & Smith, J.", "Some Collaboration and J. Smith"},
    {"von Neumann, John", "J. von Neumann", "von Neumann J", "von Neumann, J.", "von Neumann, J.",
     "J. von Neumann"},
    {"Smith, Jr., John", "J. Smith, Jr.", "Smith Jr J", "Smith, J., Jr.", "Smith, J., Jr.", "J. Smith, Jr."},
    {"Smith, John and Doe, Jane and others", "J. Smith, J. Doe, et al.", "Smith J, Doe J et al.",
     "Smith, J.; Doe, J.; et al.", "Smith, J., Doe, J. et al.", "J. Smith, J. Doe et al."},
    {"Smith, John and others", "J. Smith et al.", "Smith J et al.", "Smith, J.; et al.", "Smith, J. et al.",
     "J. Smith et al."},
    {"Smith, John A. and Doe, Jane and Brown, L.-P.", "J. A. Smith, J. Doe, and L.-P. Brown",
     "Smith J A, Doe J and Brown L P", "Smith, J. A.; Doe, J.; Brown, L.-P.", "Smith, J. A., Doe, J. & Brown, L.-P.",
     "J. A. Smith, J. Doe and L.-P. Brown"},
    // One word of given names gives one initial, full stops or not.
    {"Smith, J.A.", "J. Smith", "Smith J", "Smith, J.", "Smith, J.", "J. Smith"},
    {"M.~Braun and H.~Saurer", "M. Braun and H. Saurer", "Braun M and Saurer H", "Braun, M.; Saurer, H.",
     "Braun, M. & Saurer, H.", "M. Braun and H. Saurer"},
    // A braced group counts by its first letter, an accent group whole.
    {"{Shun-ichi} Amari", "S. Amari", "Amari S", "Amari, S.", "Amari, S.", "S. Amari"},
    {"M{\\o}ller, Hans", "H. M\\oller", "M\\oller H", "M\\oller, H.", "M\\oller, H.", "H. M\\oller"},
    {"{\\'E}mile Zola", "\\'E. Zola", "Zola \\'E", "Zola, \\'E.", "Zola, \\'E.", "\\'E. Zola"},
    // An unbraced command is no letter: BibTeX passes over it to the next.
    {"Palsson, Bernhard \\O", "B. O. Palsson", "Palsson B O", "Palsson, B. O.", "Palsson, B. O.",
     "B. O. Palsson"},
    // Nature keeps the first of more than five names.
    {"Ann One and Bob Two and Cid Three and Dan Four and Eve Five and Fay Six",
     "A. One, B. Two, C. Three, D. Four, E. Five, and F. Six", "One A, Two B, Three C, Four D, Five E and Six F",
     "One, A.; Two, B.; Three, C.; Four, D.; Five, E.; Six, F.", "One, A. et al.",
     "A. One, B. Two, C. Three, D. Four, E. Five and F. Six"},
    {"", "", "", "", "", ""},
};

std::string Formatted(const char* value, const char* style) {
  NameList list;
  ParseNameList(value, &list);
  return PrintedText(FormatNameList(list, *StyleByOption(style)->names));
}

TEST(NameListTest, EachNameFormInEachStyle) {
  for (const NameCase& c : kNameCases) {
    EXPECT_EQ(Formatted(c.value, "aps"), c.aps) << c.value;
    EXPECT_EQ(Formatted(c.value, "iop"), c.iop) << c.value;
    EXPECT_EQ(Formatted(c.value, "acs"), c.acs) << c.value;
    EXPECT_EQ(Formatted(c.value, "nature"), c.nature) << c.value;
    EXPECT_EQ(Formatted(c.value, "rsc"), c.rsc) << c.value;
  }
}

// The ACS style keeps the first of more than fifteen names.
TEST(NameListTest, AcsCutsALongList) {
  std::string value;
  for (int i = 0; i < 16; i++) value += std::string(i ? " and " : "") + "Pat Person";
  EXPECT_EQ(Formatted(value.c_str(), "acs"), "Person, P.; et al.");
  EXPECT_EQ(Formatted(value.c_str(), "iop").substr(0, 18), "Person P, Person P");
}

}  // namespace
