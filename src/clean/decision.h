// What one entry of the input is, held against one entry already in the
// cleaned file.
#ifndef TAMREL_CLEAN_DECISION_H
#define TAMREL_CLEAN_DECISION_H

#include "entry/entry_record.h"
#include "match/entry_group.h"

enum CleanOutcome {
  CLEAN_GO_ON,            // this candidate decides nothing; try the next one
  CLEAN_EXACT_DOUBLE,     // same key, same work: leave the entry out
  CLEAN_PROBABLE_DOUBLE,  // other key, same work: leave the entry out
  CLEAN_KEY_CONFLICT      // same key, other work: write it under a new key
};

// The group whose rule decides how the entry is compared.  MISC has no
// rule here.  Under the line rules an entry of no group is never compared;
// the BibTeX reader's rules still compare it by key, DOI and content.
EntryGroup CleanGroupOf(const entry_fields& current, MatchRules rules);

// 1 when an entry of the given group is ever compared at all.
int CleanCompares(EntryGroup group, MatchRules rules);

// 1 when candidate may be left in place of an entry of the given group
// with another key: a probable ARTICLE double must itself be an ARTICLE,
// while a BOOK-group entry repeats any candidate with its author and title,
// whatever its type.  The index notes only such candidates.
int MayStandForOtherKey(EntryGroup group, const entry_fields& candidate, MatchRules rules);

CleanOutcome DecideAgainst(const entry_fields& current, const entry_fields& candidate,
                           EntryGroup group, MatchRules rules);

// Under the BibTeX reader's rules, what the entry that holds current's key
// (in any letter case) decides: the same type and fields, an exact
// double; the same work, a probable double (an export's copy under the
// same key is no other work, so it is left out rather than renamed, and a
// second clean finds nothing to do); otherwise a key conflict.
CleanOutcome DecideSameKey(const entry_fields& current, const entry_fields& holder,
                           EntryGroup group, MatchRules rules);

// What an entry under another key decides: a probable double when it is
// the same work and may stand for the entry, otherwise nothing.
CleanOutcome DecideOtherKey(const entry_fields& current, const entry_fields& candidate,
                            EntryGroup group, MatchRules rules);

#endif
