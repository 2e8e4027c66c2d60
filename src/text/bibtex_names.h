// Name lists as BibTeX reads them: "First von Last", "von Last, First",
// "von Last, Jr, First"; "and" between names; "others" for the rest.
#ifndef TAMREL_TEXT_BIBTEX_NAMES_H
#define TAMREL_TEXT_BIBTEX_NAMES_H

#include <string>
#include <vector>

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
// word, in any letter case, outside braces.  A tie ("M.~Braun") parts words
// as a blank does.
void ParseNameList(const std::string& value, NameList* list);

// The number of people the list stands for; "others" counts as more.
int NameCount(const NameList& list);

// The first name of the list (empty for an empty list or "others"), read
// as ParseNameList reads it but for a generational suffix (Jr, Jr., Sr,
// Sr., II, III, IV), which is taken as the jr part wherever it is written.
// BibTeX reads "John Smith, Jr." as the surname "John Smith" and "John
// Smith Jr." as the surname "Jr.": here both are John Smith, Jr.  Only
// the first name is read, so a list of a thousand authors costs one.
PersonName ParseFirstName(const std::string& value);

// ParseFirstName(value).last, read without building the other parts when
// the first name is plain ("Smith, John", "John Smith": ASCII letters,
// digits, dots, hyphens and apostrophes, no "von" word).  Every entry's
// first author is read so when a library is indexed.
std::string FirstNameLast(const std::string& value);

#endif
