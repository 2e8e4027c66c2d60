// The extract operation: from a LaTeX document and a BibTeX library,
// writes beside the library the item file, the reduced BibTeX file and the
// bibitem file.
#ifndef TAMREL_EXTRACT_EXTRACT_H
#define TAMREL_EXTRACT_EXTRACT_H

#include <string>
#include <vector>

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
  // The libraries, read in turn as bibtex reads a document's: macros of
  // one known in the next, crossrefs across them, the first entry of a key
  // taken.  The outputs are named after the first given (or else the
  // first the document names).
  std::vector<std::string> libraries;
  // With no library given: 1 reads those the document names
  // (\bibliography, \addbibresource, an .aux file's \bibdata); 0 stops.
  int libraries_from_document = 1;
  // 1: one library given, which the document names among others, brings
  // the others, read from its folder (the Windows program's one slot).
  int with_named_companions = 0;
  ReferenceOptions reference;
};

// Runs extract; returns its result code, and fills report (the cited
// keys, which of them the library holds, the counts) when one is given.
int Extract(const ExtractRequest& request, RunReport* report);

#endif
