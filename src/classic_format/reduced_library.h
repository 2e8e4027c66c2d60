// Copying the cited entries of a library into the reduced BibTeX file and
// listing their keys in the item file.
#ifndef TAMREL_CLASSIC_FORMAT_REDUCED_LIBRARY_H
#define TAMREL_CLASSIC_FORMAT_REDUCED_LIBRARY_H

#include <cstdio>
#include <string>
#include <vector>

#include "scan/line_reader.h"

// For each key in order, finds the first line of the library (read from
// its start) that holds "{" key "," and copies that line and the lines
// after it, exactly as read, up to but not including the next line that
// holds one of the six entry markers, or to the library's end.  The key
// goes to the item file, one per line.  A key the library lacks leaves no
// trace.  found (when given) gets one flag per key.  Returns the number of
// keys found, which is the number of entries copied.  indexed 0 searches
// from the start for each key, as the index stands in for.
int CopyCitedEntries(LineReader* library, std::FILE* reduced, std::FILE* items,
                     const std::vector<std::string>& keys, std::vector<bool>* found, int indexed);

#endif
