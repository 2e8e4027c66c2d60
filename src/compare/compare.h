// The compare operation: for each entry of the second BibTeX file, decides
// whether the master holds it, and writes beside the
// master a verdict log, the master's copies of the shared entries and the
// entries the master lacks.
#ifndef TAMREL_COMPARE_COMPARE_H
#define TAMREL_COMPARE_COMPARE_H

#include "files/output_set.h"
#include "files/run_report.h"
#include "library/run_setup.h"

// The outputs in the order they are created: log, missing file, equal file.
extern const OutputSpec COMPARE_OUTPUTS[3];

struct CompareRequest {
  RunSetup setup;
  const char* master = "";
  const char* second = "";
};

// Runs compare; returns its result code, and fills report when one is
// given.
int Compare(const CompareRequest& request, RunReport* report);

#endif
