// What one entry of the input is, held against one entry already in the
// cleaned file.
#ifndef TAMREL_CLEAN_DECISION_H
#define TAMREL_CLEAN_DECISION_H

#include "scan/entry_group.h"
#include "scan/entry_summary.h"

enum CleanOutcome {
  CLEAN_GO_ON,            // this candidate decides nothing; try the next one
  CLEAN_EXACT_DOUBLE,     // same key, same values: leave the entry out
  CLEAN_PROBABLE_DOUBLE,  // other key, same values: leave the entry out
  CLEAN_KEY_CONFLICT      // same key, other values: write it under a new key
};

// The group that decides how the entry is compared: BOOK or ARTICLE, or
// none (MISC included), in which case no candidate ever decides.
EntryGroup CleanGroupOf(const entry_fields* current);

CleanOutcome DecideAgainst(const entry_fields* current, const entry_fields* candidate,
                           EntryGroup group);

#endif
