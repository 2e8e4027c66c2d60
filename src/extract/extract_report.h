// What the last extract run saw of the document's citations, for front ends
// that tell the user which cited keys the library lacks.  Reading it never
// changes an output file.
#ifndef TAMREL_EXTRACT_EXTRACT_REPORT_H
#define TAMREL_EXTRACT_EXTRACT_REPORT_H

#include <string>
#include <vector>

struct ExtractReport {
  std::vector<std::string> cited_keys;  // distinct keys, in order of first citation
  std::vector<bool> found;              // found[i]: the library holds cited_keys[i]
};

// The report of the most recent Extract run, emptied when a run starts.  A
// run stopped before the library was read leaves found all false (or both
// lists empty when the document was not read either).
const ExtractReport& LastExtractReport();

#endif
