// The one home of the matching rules of compare and clean doubles: which
// values the rule of each group compares, when two entries are the same
// work, and the texts under which the indexes find an entry that may be.
// The decisions and the indexes both use these routines, so they cannot
// drift apart.
//
// The line rules compare the group's values as they stand: two empty
// values are equal.  The BibTeX reader's rules are stricter, since its
// users' libraries are full of entries that give few values: an empty value
// proves nothing (a rule accepts only when every value it compares is
// present in both entries), a rule does not accept two entries whose year,
// volume, title (in words) or first author's surname differ where both give
// one, a DOI present in
// both entries decides alone, and two entries whose type and fields are all
// the same are the same work whatever their group.
#ifndef TAMREL_MATCH_MATCH_RULES_H
#define TAMREL_MATCH_MATCH_RULES_H

#include <cstdint>
#include <string>
#include <vector>

#include "entry/entry_record.h"
#include "match/entry_group.h"

// The values the rule of group compares, at most kMaxRuleValues: author and
// title (BOOK); volume, first page, journal and year (ARTICLE); note (MISC).
// Returns how many it put in values: 0 when the group has no rule, or under
// the parsed rules when one of the values is empty.
enum { kMaxRuleValues = 4 };
int RuleValues(EntryGroup group, const entry_fields& fields, MatchRules rules,
               const std::string* values[kMaxRuleValues]);

// 1 when the rule of group takes a and b for the same work.
int SameWork(EntryGroup group, const entry_fields& a, const entry_fields& b, MatchRules rules);

// Every text under which an index must note an entry of the given group so
// that an entry it is the same work as, looking up its own texts for that
// group, finds it: any two entries that SameWork accepts share one text.
// The texts are given as their 64-bit hashes (entry/text_hash.h): an index
// needs no more, and building them costs no copy of any value.
void MatchTexts(EntryGroup group, const entry_fields& fields, MatchRules rules,
                std::vector<std::uint64_t>* texts);

// The text under which an index notes an entry's key, as its hash.
std::uint64_t KeyText(const std::string& key);

#endif
