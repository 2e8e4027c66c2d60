// Name lists in the three styles: the BibTeX name forms, braces, "others",
// and which "and" separates names (how each form is read: tests/text).
#include <gtest/gtest.h>

#include "typeset/names.h"

namespace {

struct NameCase {
  const char* value;
  const char* aps;
  const char* acs;
  const char* iop;
};

const NameCase kNameCases[] = {
    {"John Smith and Jane Doe", "John Smith and Jane Doe", "Smith, John; Doe, Jane", "Smith John and Doe Jane"},
    {"{Some Collaboration}", "{Some Collaboration}", "{Some Collaboration}", "{Some Collaboration}"},
    {"{Some Collaboration} and Smith, John", "{Some Collaboration} and John Smith",
     "{Some Collaboration}; Smith, John", "{Some Collaboration} and Smith John"},
    {"von Neumann, John", "John von Neumann", "von Neumann, John", "von Neumann John"},
    {"John von Neumann", "John von Neumann", "von Neumann, John", "von Neumann John"},
    {"de la Fontaine, Jean", "Jean de la Fontaine", "de la Fontaine, Jean", "de la Fontaine Jean"},
    {"Smith, Jr., John", "John Smith, Jr.", "Smith, John, Jr.", "Smith John Jr"},
    {"Smith, John and others", "John Smith \\textit{et al.}", "Smith, John; et al.", "Smith John \\textit{et al}"},
    {"Smith, John and Doe, Jane and others", "John Smith, Jane Doe, \\textit{et al.}",
     "Smith, John; Doe, Jane; et al.", "Smith John, Doe Jane, \\textit{et al}"},
    // "anderson" is a word of the name, not a separator.
    {"Smith, John anderson", "John anderson Smith", "Smith, John anderson", "Smith John anderson"},
    {"Smith, John AND Doe, Jane", "John Smith and Jane Doe", "Smith, John; Doe, Jane", "Smith John and Doe Jane"},
    {"Smith, John And Doe, Jane", "John Smith and Jane Doe", "Smith, John; Doe, Jane", "Smith John and Doe Jane"},
    // Inside braces "and" belongs to the name.
    {"{Smith and Sons}", "{Smith and Sons}", "{Smith and Sons}", "{Smith and Sons}"},
    {"Smith, John A. and Doe, Jane and Brown, L.-P.", "John A. Smith, Jane Doe and L.-P. Brown",
     "Smith, John A.; Doe, Jane; Brown, L.-P.", "Smith John A, Doe Jane and Brown L-P"},
    {"Smith, J.A.", "J.A. Smith", "Smith, J.A.", "Smith J A"},
    {"M{\\o}ller, Hans", "Hans M{\\o}ller", "M{\\o}ller, Hans", "M{\\o}ller Hans"},
    // A word that opens with an accent command counts by its letter.
    {"Jean {\\'e}mile Zola", "Jean {\\'e}mile Zola", "{\\'e}mile Zola, Jean", "{\\'e}mile Zola Jean"},
    {"Aristotle", "Aristotle", "Aristotle", "Aristotle"},
    // A tie parts words; an escaped tilde is an accent inside the word.
    {"M.~Braun and H.~Saurer", "M. Braun and H. Saurer", "Braun, M.; Saurer, H.", "Braun M and Saurer H"},
    {"Mui\\~no, R. and Hinkle, K.~H.", "R. Mui\\~no and K. H. Hinkle", "Mui\\~no, R.; Hinkle, K. H.",
     "Mui\\~no R and Hinkle K H"},
    {"Smith,   John   and   Doe, Jane", "John Smith and Jane Doe", "Smith, John; Doe, Jane", "Smith John and Doe Jane"},
    {"", "", "", ""},
};

TEST(NameListTest, EachNameFormInEachStyle) {
  for (const NameCase& c : kNameCases) {
    NameList list;
    ParseNameList(c.value, &list);
    EXPECT_EQ(FormatNameList(list, NAMES_GIVEN_FIRST), c.aps) << c.value;
    EXPECT_EQ(FormatNameList(list, NAMES_SURNAME_FIRST), c.acs) << c.value;
    EXPECT_EQ(FormatNameList(list, NAMES_SURNAME_INITIALS), c.iop) << c.value;
  }
}

}  // namespace
