#include "match/match_rules.h"

#include "entry/text_hash.h"
#include "match/work_likeness.h"
#include "text/ascii_case.h"

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

MatchReason WhySameWork(EntryGroup group, const entry_fields& a, const entry_fields& b,
                        MatchRules rules) {
  if (rules == RULES_PARSED) return LikeWorks(group, a, b);
  const std::string* values_a[kMaxRuleValues];
  const std::string* values_b[kMaxRuleValues];
  int count = RuleValues(group, a, rules, values_a);
  if (count == 0 || RuleValues(group, b, rules, values_b) != count) return REASON_NONE;
  for (int i = 0; i < count; i++) {
    if (*values_a[i] != *values_b[i]) return REASON_NONE;
  }
  return REASON_RULE_VALUES;
}

int SameWork(EntryGroup group, const entry_fields& a, const entry_fields& b, MatchRules rules) {
  return WhySameWork(group, a, b, rules) != REASON_NONE;
}

const char* MatchReasonText(MatchReason reason) {
  switch (reason) {
    case REASON_RULE_VALUES: return "the rule's values";
    case REASON_FIELDS: return "type and fields";
    case REASON_DOI: return "DOI";
    case REASON_ARTICLE: return "journal/volume/page/year";
    case REASON_AUTHOR_TITLE: return "author/title/year";
    case REASON_NOTE: return "note";
    default: return "";
  }
}

// A rule's text is tagged by group, so that a text of one rule never meets
// a text of another.  The BibTeX reader's texts come from the entry's own
// kind of work, whatever group is asked for.
void MatchTexts(EntryGroup group, const entry_fields& fields, MatchRules rules, TextUse use,
                std::vector<std::uint64_t>* texts) {
  if (rules == RULES_PARSED) {
    LikeWorkTexts(fields, use, texts);
    return;
  }
  texts->clear();
  const std::string* values[kMaxRuleValues];
  int count = RuleValues(group, fields, rules, values);
  if (count == 0) return;
  TextHasher text;
  text.AddPart("R");
  text.AddNumber(static_cast<std::uint64_t>(group));
  for (int i = 0; i < count; i++) text.AddPart(*values[i]);
  texts->push_back(text.Hash64());
}

void MatchTexts(EntryGroup group, const entry_fields& fields, MatchRules rules,
                std::vector<std::uint64_t>* noted, std::vector<std::uint64_t>* sought) {
  if (rules == RULES_PARSED) {
    LikeWorkTexts(fields, noted, sought);
    return;
  }
  MatchTexts(group, fields, rules, TEXTS_NOTED, noted);
  MatchTexts(group, fields, rules, TEXTS_SOUGHT, sought);
}

void MatchTextGroups(const entry_fields& fields, MatchRules rules, TextUse use,
                     std::vector<std::uint64_t>* groups) {
  groups->clear();
  if (rules == RULES_PARSED) LikeWorkGroups(fields, use, groups);
}

void MatchTextsNoted(EntryGroup group, const entry_fields& fields, MatchRules rules,
                     const HashSet64& sought_groups, std::vector<std::uint64_t>* texts) {
  if (rules == RULES_PARSED) {
    NotedWorkTexts(fields, sought_groups, texts);
    return;
  }
  MatchTexts(group, fields, rules, TEXTS_NOTED, texts);
}

std::uint64_t ContentText(const entry_fields& fields) {
  TextHasher text;
  text.AddPart("C");
  text.AddNumber(fields.content.high);
  text.AddNumber(fields.content.low);
  return text.Hash64();
}

std::uint64_t KeyText(const std::string& key) {
  TextHasher text;
  text.AddPart("K");
  text.AddFoldedPart(key);
  return text.Hash64();
}

int SameKey(const std::string& a, const std::string& b, MatchRules rules) {
  return rules == RULES_PARSED ? SameIgnoringCase(a, b) : a == b;
}
