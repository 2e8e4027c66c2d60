#include "match/match_rules.h"

namespace {

// Joins values so that no two lists give the same text: each value is
// preceded by its length, as a value may hold any byte.
void AppendValue(const std::string& value, std::string* text) {
  *text += std::to_string(value.size());
  text->push_back(':');
  *text += value;
}

// A title as its words: letters and digits in lower case, everything else
// (braces, accents' commands, punctuation, blanks) left out, so that the
// same title written in two layouts compares equal.
std::string TitleWords(const std::string& title) {
  std::string words;
  for (unsigned char c : title) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c >= 0x80) words.push_back(static_cast<char>(c));
    if (c >= 'A' && c <= 'Z') words.push_back(static_cast<char>(c - 'A' + 'a'));
  }
  return words;
}

// The surname of a list's first author, in words: the text before the
// first comma of the first name ("von Last, First"), or its last word
// ("First von Last"), looked for outside braces.
std::string FirstSurname(const std::string& authors) {
  int depth = 0;
  std::size_t name_end = authors.size();
  std::size_t comma = std::string::npos;
  std::size_t last_blank = std::string::npos;
  for (std::size_t i = 0; i < authors.size(); i++) {
    char c = authors[i];
    if (c == '{') depth++;
    if (c == '}' && depth > 0) depth--;
    if (depth > 0) continue;
    if (c == ' ' && i + 4 < authors.size() && (authors[i + 1] | 0x20) == 'a' &&
        (authors[i + 2] | 0x20) == 'n' && (authors[i + 3] | 0x20) == 'd' && authors[i + 4] == ' ') {
      name_end = i;
      break;
    }
    if (c == ',' && comma == std::string::npos) comma = i;
    if (c == ' ') last_blank = i;
  }
  if (comma != std::string::npos && comma < name_end) return TitleWords(authors.substr(0, comma));
  std::size_t start = last_blank != std::string::npos && last_blank < name_end ? last_blank + 1 : 0;
  return TitleWords(authors.substr(start, name_end - start));
}

// Two values that tell works apart when both are given: the same author
// and title in two years, or two volumes of one book, are two works.
int Disagree(const std::string& a, const std::string& b) {
  return !a.empty() && !b.empty() && a != b;
}

// Under the BibTeX reader's rules a rule's values are not enough when a
// field the rule does not compare says the works differ.
int OtherFieldsDisagree(const entry_fields& a, const entry_fields& b) {
  if (Disagree(a.year, b.year) || Disagree(a.volume, b.volume)) return 1;
  if (Disagree(FirstSurname(a.author), FirstSurname(b.author))) return 1;
  return Disagree(TitleWords(a.title), TitleWords(b.title));
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
  if (text_a != text_b) return 0;
  return rules != RULES_PARSED || !OtherFieldsDisagree(a, b);
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
