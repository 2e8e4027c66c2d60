// The compare operation: for each entry of the second BibTeX file, decides
// whether the master (first file slot) holds it, and writes beside the
// master a verdict log, the master's copies of the shared entries and the
// entries the master lacks.
#ifndef TAMREL_COMPARE_COMPARE_H
#define TAMREL_COMPARE_COMPARE_H

int Compare();

#endif
