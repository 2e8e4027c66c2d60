// The verdict lines of the compare log: one line per entry of the second
// file, in its order, with no heading and no summary.  The labels are
// padded to eight characters so that the dashes line up.
#ifndef TAMREL_COMPARE_COMPARE_LOG_H
#define TAMREL_COMPARE_COMPARE_LOG_H

#include <cstdio>

#include "entry/entry_record.h"
#include "match/entry_group.h"

// The candidate's rule accepted the entry.  Equal keys give the
// "Exactly the same" form with the key, other keys the "Probably the same"
// form with the candidate's key, then the entry's.
void WriteMatchLine(std::FILE* log, EntryGroup rule, const entry_fields* candidate,
                    const entry_fields* entry);

// No candidate of the master accepted the entry.
void WriteMissingLine(std::FILE* log, const char* key);

#endif
