// Name lists as BibTeX reads them ("First von Last", "von Last, First",
// "von Last, Jr, First"; "and" between names; "others" for the rest),
// written in the order and punctuation of each journal style.
#ifndef TAMREL_TYPESET_NAMES_H
#define TAMREL_TYPESET_NAMES_H

#include <string>
#include <vector>

#include "typeset/styles.h"

struct PersonName {
  std::string first;  // given names, as written
  std::string von;    // "von", "de la": the lower-case words before the surname
  std::string last;   // surname; a braced group such as {Some Collaboration}
  std::string jr;     // "Jr.", "III"
};

struct NameList {
  std::vector<PersonName> names;
  int others = 0;  // 1 when the list ends in "and others"
};

// Splits a field value into names.  "and" separates names only as a whole
// word, in any letter case, outside braces.
void ParseNameList(const std::string& value, NameList* list);

// The list in the given form; "" for an empty list.
std::string FormatNameList(const NameList& list, NameForm form);

// The number of people the list stands for; "others" counts as more.
int NameCount(const NameList& list);

#endif
