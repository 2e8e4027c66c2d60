#include "clean/decision.h"

#include "match/match_rules.h"

EntryGroup CleanGroupOf(const entry_fields& current, MatchRules rules) {
  EntryGroup group = GroupOfType(current.type, rules);
  return group == GROUP_MISC ? GROUP_NONE : group;
}

int CleanCompares(EntryGroup group, MatchRules rules) {
  return group != GROUP_NONE || rules == RULES_PARSED;
}

int MayStandForOtherKey(EntryGroup group, const entry_fields& candidate, MatchRules rules) {
  if (group != GROUP_ARTICLE) return 1;
  return GroupOfType(candidate.type, rules) == GROUP_ARTICLE;
}

// Only the current entry's type chooses the rule.  Under the BibTeX
// reader's rules an entry is left out under its own key only when its type
// and fields are all the same: any other content under a reused key is kept,
// under a new key, so nothing the user wrote is lost.
CleanOutcome DecideAgainst(const entry_fields& current, const entry_fields& candidate,
                           EntryGroup group, MatchRules rules) {
  if (!CleanCompares(group, rules)) return CLEAN_GO_ON;
  // BibTeX reads "@book{," as an entry with an empty key; two such entries
  // share no key that could be renamed, so only their content is compared.
  int same_key = current.key == candidate.key && (rules != RULES_PARSED || !current.key.empty());
  if (same_key) {
    int same = rules == RULES_PARSED ? current.content == candidate.content
                                     : SameWork(group, current, candidate, rules);
    return same ? CLEAN_EXACT_DOUBLE : CLEAN_KEY_CONFLICT;
  }
  int same_work = SameWork(group, current, candidate, rules);
  if (!same_work || !MayStandForOtherKey(group, candidate, rules)) return CLEAN_GO_ON;
  return CLEAN_PROBABLE_DOUBLE;
}
