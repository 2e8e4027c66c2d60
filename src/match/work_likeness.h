// The BibTeX reader's rule of the same work, as a careful reader judges two
// exports of one paper: the DOI, or for an article its journal, volume,
// first page and year, or for a book, thesis, chapter, proceedings paper
// or report its first author (or editor), title and year, each compared in
// the forms libraries write them.  match_rules.h is its door.
#ifndef TAMREL_MATCH_WORK_LIKENESS_H
#define TAMREL_MATCH_WORK_LIKENESS_H

#include <cstdint>
#include <vector>

#include "entry/entry_record.h"
#include "entry/hash_set.h"
#include "match/entry_group.h"
#include "match/match_rules.h"

// Why a and b are the same work, or REASON_NONE.  group is the rule's
// group (compare: the master entry's); it matters only for the note rule
// of MISC entries.
MatchReason LikeWorks(EntryGroup group, const entry_fields& a, const entry_fields& b);

// The texts (as hashes) under which an index notes an entry, or under
// which it seeks the entries that may be its work: for any two entries
// LikeWorks accepts, the texts one seeks meet a text the other is noted by.
void LikeWorkTexts(const entry_fields& fields, TextUse use, std::vector<std::uint64_t>* texts);

// The groups an entry's author/title texts fall in: its kind, first author
// and year slot.  An author/title text is a group and a title key, so a
// noted entry whose groups no entry seeks needs no title texts.
void LikeWorkGroups(const entry_fields& fields, TextUse use, std::vector<std::uint64_t>* groups);

// The texts an index notes an entry by, where only the entries whose
// sought groups (LikeWorkGroups) are in sought_groups will be sought: the
// author/title texts of other groups are left out, and the entry's title,
// the dearest value to shape, is then never read.
void NotedWorkTexts(const entry_fields& fields, const HashSet64& sought_groups,
                    std::vector<std::uint64_t>* texts);

// Both sets of texts at once, the values shaped once.
void LikeWorkTexts(const entry_fields& fields, std::vector<std::uint64_t>* noted,
                   std::vector<std::uint64_t>* sought);

#endif
