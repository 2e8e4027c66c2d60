// The extract operation: from a LaTeX document and a BibTeX library,
// writes beside the library the item file, the reduced BibTeX file and the
// bibitem file.
#ifndef TAMREL_EXTRACT_EXTRACT_H
#define TAMREL_EXTRACT_EXTRACT_H

#include "files/output_set.h"
#include "files/run_report.h"
#include "library/run_setup.h"
#include "typeset/reference.h"

// The outputs in the order they are created: item file, reduced BibTeX
// file, bibitem file.
extern const OutputSpec EXTRACT_OUTPUTS[3];

struct ExtractRequest {
  RunSetup setup;
  const char* document = "";  // the LaTeX document, or a compiled .aux file
  const char* library = "";   // "" for the one a compiled .aux file names
  ReferenceOptions reference;
};

// Runs extract; returns its result code, and fills report (the cited
// keys, which of them the library holds, the counts) when one is given.
int Extract(const ExtractRequest& request, RunReport* report);

#endif
