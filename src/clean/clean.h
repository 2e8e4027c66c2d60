// The clean-doubles operation: copies a BibTeX file,
// leaving out repeated entries and giving a new key to an entry that reuses
// a key with other content, and logs every decision.
#ifndef TAMREL_CLEAN_CLEAN_H
#define TAMREL_CLEAN_CLEAN_H

#include "files/output_set.h"
#include "files/run_report.h"
#include "library/run_setup.h"

// The outputs in the order they are created: log, cleaned file.
extern const OutputSpec CLEAN_OUTPUTS[2];

struct CleanRequest {
  RunSetup setup;
  const char* library = "";
};

// Runs clean doubles; returns its result code, and fills report when one
// is given.
int Clean(const CleanRequest& request, RunReport* report);

#endif
