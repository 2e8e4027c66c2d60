// Whether the indexes find one entry for another: the shared check of the
// pair tests that every pair the rules accept meets in an index.
#ifndef TAMREL_TESTS_MATCH_INDEX_FINDS_H
#define TAMREL_TESTS_MATCH_INDEX_FINDS_H

#include <algorithm>
#include <cstdint>
#include <vector>

#include "entry/hash_set.h"
#include "match/match_rules.h"

// 1 when a text of `sought` is one of `noted`.
inline bool Meet(const std::vector<std::uint64_t>& sought, const std::vector<std::uint64_t>& noted) {
  return std::any_of(sought.begin(), sought.end(), [&](std::uint64_t t) {
    return std::find(noted.begin(), noted.end(), t) != noted.end();
  });
}

// An index finds b for a when a text a seeks is one b is noted by: b noted
// with all its texts (clean doubles), and b noted knowing that a is the one
// entry that will be sought (compare, which leaves out the author/title
// texts nobody seeks).
inline bool Seeks(const entry_fields& a, const entry_fields& b) {
  std::vector<std::uint64_t> sought, noted, groups, noted_for_a;
  MatchTexts(GROUP_NONE, a, RULES_PARSED, TEXTS_SOUGHT, &sought);
  MatchTexts(GROUP_NONE, b, RULES_PARSED, TEXTS_NOTED, &noted);
  MatchTextGroups(a, RULES_PARSED, TEXTS_SOUGHT, &groups);
  HashSet64 sought_groups;
  for (std::uint64_t group : groups) sought_groups.Insert(group);
  MatchTextsNoted(GROUP_NONE, b, RULES_PARSED, sought_groups, &noted_for_a);
  return Meet(sought, noted) && Meet(sought, noted_for_a);
}

// Found both ways round.
inline bool IndexFinds(const entry_fields& a, const entry_fields& b) { return Seeks(a, b) && Seeks(b, a); }

#endif
