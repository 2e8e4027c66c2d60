// The extract operation: from a LaTeX document (first file slot) and a
// BibTeX library (second slot), writes beside the library the item file,
// the reduced BibTeX file and the bibitem file.
#ifndef TAMREL_EXTRACT_EXTRACT_H
#define TAMREL_EXTRACT_EXTRACT_H

#include "files/output_set.h"
#include "files/run_report.h"

// The outputs in the order they are created: item file, reduced BibTeX
// file, bibitem file.
extern const OutputSpec EXTRACT_OUTPUTS[3];

// Runs extract on the file slots and the option flags; fills report (the
// cited keys, which of them the library holds, the counts) when one is
// given.
int Extract(RunReport* report = nullptr);

#endif
