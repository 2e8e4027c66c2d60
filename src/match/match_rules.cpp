#include "match/match_rules.h"

#include "entry/text_hash.h"
#include "text/bibtex_names.h"
#include "text/plain_letters.h"
#include "text/title_words.h"

namespace {

// The surname of a list's first author as its plain letters: the "last"
// part alone.  BibTeX takes the "von" words by their letter case, and
// libraries write the particle either way: "L. Van Beethoven" reads as
// given names "L. Van" and surname "Beethoven", "Beethoven, L. van" puts
// "van" among the given names; the last part is "Beethoven" in each.
// Given names and a "Jr" never count, so initials and full names agree;
// accents in any form fold to their letter ("{\"u}", "\"u", UTF-8 "ü":
// "u"), and a tie parts words as a blank.
std::string FirstSurname(const std::string& authors) {
  return PlainLetters(ParseFirstName(authors).last);
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

int RuleValues(EntryGroup group, const entry_fields& fields, MatchRules rules,
               const std::string* values[kMaxRuleValues]) {
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
  if (rules == RULES_PARSED) {
    for (int i = 0; i < count; i++) {
      if (values[i]->empty()) return 0;
    }
  }
  return count;
}

int SameWork(EntryGroup group, const entry_fields& a, const entry_fields& b, MatchRules rules) {
  if (rules == RULES_PARSED) {
    if (!a.doi.empty() && !b.doi.empty()) return a.doi == b.doi;
    if (a.content == b.content) return 1;
  }
  const std::string* values_a[kMaxRuleValues];
  const std::string* values_b[kMaxRuleValues];
  int count = RuleValues(group, a, rules, values_a);
  if (count == 0 || RuleValues(group, b, rules, values_b) != count) return 0;
  for (int i = 0; i < count; i++) {
    if (*values_a[i] != *values_b[i]) return 0;
  }
  return rules != RULES_PARSED || !OtherFieldsDisagree(a, b);
}

// A rule's text is tagged by group, so that a text of one rule never meets
// a text of another.  The DOI and the content decide alike under every
// group, so their texts carry no group: an index notes each once, and the
// decision turns down a candidate that may not stand for the group.
void MatchTexts(EntryGroup group, const entry_fields& fields, MatchRules rules,
                std::vector<std::uint64_t>* texts) {
  texts->clear();
  const std::string* values[kMaxRuleValues];
  int count = RuleValues(group, fields, rules, values);
  if (count > 0) {
    TextHasher text;
    text.AddPart("R");
    text.AddNumber(static_cast<std::uint64_t>(group));
    for (int i = 0; i < count; i++) text.AddPart(*values[i]);
    texts->push_back(text.Hash64());
  }
  if (rules != RULES_PARSED) return;
  if (!fields.doi.empty()) {
    TextHasher text;
    text.AddPart("D");
    text.AddPart(fields.doi);
    texts->push_back(text.Hash64());
  }
  TextHasher text;
  text.AddPart("C");
  text.AddNumber(fields.content.high);
  text.AddNumber(fields.content.low);
  texts->push_back(text.Hash64());
}

std::uint64_t KeyText(const std::string& key) {
  TextHasher text;
  text.AddPart("K");
  text.AddPart(key);
  return text.Hash64();
}
