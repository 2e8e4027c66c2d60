// Collecting the keys a LaTeX document cites with "\cite{".
#ifndef TAMREL_CLASSIC_FORMAT_CITATIONS_H
#define TAMREL_CLASSIC_FORMAT_CITATIONS_H

#include <string>
#include <unordered_set>
#include <vector>

#include "scan/line_reader.h"

// The distinct cited keys in order of first citation.  There is no fixed
// limit: a thesis may cite more keys than any table size we could pick.
struct CitedKeys {
  std::vector<std::string> keys;
  std::unordered_set<std::string> seen;
};

// Takes every "\cite{" citation of one line, left to right.  The key list
// runs from the brace to the first "}" after it on the line, or to the line
// end (line feed excluded) when the citation is not closed on this line.
// Keys are split at commas with nothing trimmed: '\cite{a, b}' cites 'a'
// and ' b', and an empty key between two commas is collected too.
void CollectCitationsFromLine(const char* line, CitedKeys* cited);

// Reads the whole document and collects its citations.
void CollectCitedKeys(LineReader* document, CitedKeys* cited);

#endif
