// The clean-doubles operation: copies the BibTeX file of the first slot,
// leaving out repeated entries and giving a new key to an entry that reuses
// a key with other content, and logs every decision.
#ifndef TAMREL_CLEAN_CLEAN_H
#define TAMREL_CLEAN_CLEAN_H

#include "files/output_set.h"
#include "files/run_report.h"

// 1 from the moment a key conflict is found until the entry's first line
// has its new key; 0 whenever a run begins or ends.
extern int FLAG_DOUBLE_BIBITEM;

// The outputs in the order they are created: log, cleaned file.
extern const OutputSpec CLEAN_OUTPUTS[2];

// Runs clean doubles on the first file slot; fills report when one is given.
int Clean(RunReport* report = nullptr);

#endif
