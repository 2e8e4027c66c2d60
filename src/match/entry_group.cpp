#include "match/entry_group.h"

// Equal texts, the letters a-z of type read as A-Z when any_case is set
// (name is in upper case).
static int SameName(const std::string& type, const char* name, int any_case) {
  std::size_t i = 0;
  for (; i < type.size() && name[i] != '\0'; i++) {
    char a = type[i];
    if (any_case && a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (a != name[i]) return 0;
  }
  return i == type.size() && name[i] == '\0';
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
