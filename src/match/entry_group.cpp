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

WorkKind KindOfType(const std::string& type) {
  static const struct {
    const char* type;
    WorkKind kind;
  } kKinds[] = {{"article", KIND_ARTICLE},     {"book", KIND_BOOK},
                {"mvbook", KIND_BOOK},         {"booklet", KIND_BOOK},
                {"manual", KIND_BOOK},         {"inbook", KIND_CHAPTER},
                {"incollection", KIND_CHAPTER}, {"inproceedings", KIND_PAPER},
                {"conference", KIND_PAPER},    {"proceedings", KIND_PROCEEDINGS},
                {"mvproceedings", KIND_PROCEEDINGS}, {"phdthesis", KIND_THESIS},
                {"mastersthesis", KIND_THESIS}, {"thesis", KIND_THESIS},
                {"techreport", KIND_REPORT},   {"report", KIND_REPORT}};
  for (const auto& kind : kKinds) {
    if (SameIgnoringCase(type, kind.type)) return kind.kind;
  }
  return KIND_OTHER;
}
