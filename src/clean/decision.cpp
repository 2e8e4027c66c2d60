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

CleanOutcome DecideSameKey(const entry_fields& current, const entry_fields& holder,
                           EntryGroup group, MatchRules rules) {
  if (current.content == holder.content) return CLEAN_EXACT_DOUBLE;
  return SameWork(group, current, holder, rules) ? CLEAN_PROBABLE_DOUBLE : CLEAN_KEY_CONFLICT;
}

CleanOutcome DecideOtherKey(const entry_fields& current, const entry_fields& candidate,
                            EntryGroup group, MatchRules rules) {
  int same_work = SameWork(group, current, candidate, rules);
  if (!same_work || !MayStandForOtherKey(group, candidate, rules)) return CLEAN_GO_ON;
  return CLEAN_PROBABLE_DOUBLE;
}

// Only the current entry's type chooses the rule.  Under the line rules an
// entry with the candidate's key is an exact double when the rule accepts
// it, and a key conflict otherwise.
CleanOutcome DecideAgainst(const entry_fields& current, const entry_fields& candidate,
                           EntryGroup group, MatchRules rules) {
  if (!CleanCompares(group, rules)) return CLEAN_GO_ON;
  // BibTeX reads "@book{," as an entry with an empty key; two such entries
  // share no key that could be renamed, so only their content is compared.
  int same_key = SameKey(current.key, candidate.key, rules) && (rules != RULES_PARSED || !current.key.empty());
  if (!same_key) return DecideOtherKey(current, candidate, group, rules);
  if (rules == RULES_PARSED) return DecideSameKey(current, candidate, group, rules);
  return SameWork(group, current, candidate, rules) ? CLEAN_EXACT_DOUBLE : CLEAN_KEY_CONFLICT;
}
