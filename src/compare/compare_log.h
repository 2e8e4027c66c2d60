// The verdict lines of the compare log: one line per entry of the second
// file, in its order, with no heading and no summary.  The labels are
// padded to eight characters so that the dashes line up.
#ifndef TAMREL_COMPARE_COMPARE_LOG_H
#define TAMREL_COMPARE_COMPARE_LOG_H

#include <cstdio>

#include "entry/entry_record.h"
#include "match/entry_group.h"
#include "match/match_rules.h"

// The candidate's rule accepted the entry.  One key (same_key) gives the
// "Exactly the same" form with the entry's key, other keys the "Probably
// the same" form with the candidate's key, then the entry's.
void WriteMatchLine(std::FILE* log, EntryGroup rule, const entry_fields* candidate,
                    const entry_fields* entry, int same_key);

// Under the BibTeX reader's rules, the lines that follow a verdict: which
// values decided a "Probably the same", and the master's spelling of a key
// it writes in another letter case.  Indented and without " - ", so that
// tools that read the verdict lines read these as none.
void WriteMatchWhy(std::FILE* log, MatchReason reason, const entry_fields* candidate,
                   const entry_fields* entry, int same_key);

// No candidate of the master accepted the entry.
void WriteMissingLine(std::FILE* log, const char* key);

#endif
