#include "match/match_rules.h"

namespace {

// Joins values so that no two lists give the same text: each value is
// preceded by its length, as a value may hold any byte.
void AppendValue(const std::string& value, std::string* text) {
  *text += std::to_string(value.size());
  text->push_back(':');
  *text += value;
}

}  // namespace

int RuleValuesText(EntryGroup group, const entry_fields& fields, MatchRules rules,
                   std::string* text) {
  const std::string* values[4];
  int count = 0;
  switch (group) {
    case GROUP_BOOK:
      values[count++] = &fields.author;
      values[count++] = &fields.title;
      break;
    case GROUP_ARTICLE:
      values[count++] = &fields.volume;
      values[count++] = &fields.pages;
      values[count++] = &fields.journal;
      values[count++] = &fields.year;
      break;
    case GROUP_MISC:
      values[count++] = &fields.note;
      break;
    default:
      break;
  }
  text->clear();
  if (count == 0) return 0;
  for (int i = 0; i < count; i++) {
    if (rules == RULES_PARSED && values[i]->empty()) {
      text->clear();
      return 0;
    }
    AppendValue(*values[i], text);
  }
  return 1;
}

int SameWork(EntryGroup group, const entry_fields& a, const entry_fields& b, MatchRules rules) {
  if (rules == RULES_PARSED) {
    if (!a.doi.empty() && !b.doi.empty()) return a.doi == b.doi;
    if (a.content == b.content) return 1;
  }
  std::string text_a;
  std::string text_b;
  if (!RuleValuesText(group, a, rules, &text_a) || !RuleValuesText(group, b, rules, &text_b)) {
    return 0;
  }
  return text_a == text_b;
}

void MatchTexts(EntryGroup group, const entry_fields& fields, MatchRules rules,
                std::vector<std::string>* texts) {
  texts->clear();
  // Tagged by group and kind, so that a text of one rule never meets a
  // text of another.
  std::string tag(1, static_cast<char>('0' + group));
  std::string values;
  if (RuleValuesText(group, fields, rules, &values)) texts->push_back(tag + "R" + values);
  if (rules != RULES_PARSED) return;
  if (!fields.doi.empty()) texts->push_back(tag + "D" + fields.doi);
  texts->push_back(tag + "C" + fields.content);
}
