#include "match/entry_group.h"

#include "text/ascii_case.h"

// Equal texts; with any_case, in any letter case.
static int SameName(const std::string& type, const char* name, int any_case) {
  return any_case ? SameIgnoringCase(type, name) : type == name;
}

EntryGroup GroupOfType(const std::string& type, MatchRules rules) {
  static const char* const kBookTypes[] = {"BOOK", "PHDTHESIS", "INCOLLECTION", "INPROCEEDINGS"};
  int any_case = rules == RULES_PARSED;
  for (const char* book : kBookTypes) {
    if (SameName(type, book, any_case)) return GROUP_BOOK;
  }
  if (SameName(type, "ARTICLE", any_case)) return GROUP_ARTICLE;
  if (SameName(type, "MISC", any_case)) return GROUP_MISC;
  return GROUP_NONE;
}
