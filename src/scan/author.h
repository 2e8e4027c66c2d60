// Author lists typeset for the three journal styles.
#ifndef TAMREL_SCAN_AUTHOR_H
#define TAMREL_SCAN_AUTHOR_H

#include <cstddef>

#include "scan/line_reader.h"

// Size of the working buffers: a collected author list holds at most 999
// characters; longer lists are cut there.
constexpr std::size_t AUTHOR_BUFFER_SIZE = 1000;

// Given the line on which an "author" or "editor" field starts, collects
// its braced value, reading further lines from input while the value goes
// on, and writes the list rewritten for the style that FLAG_APS, FLAG_IOP
// or FLAG_ACS selects into output (at most output_size bytes with the
// NUL).  A line without "{" gives the empty list and reads nothing.
int entry_author(const char* line, char* output, LineReader* input,
                 std::size_t output_size = LINE_SIZE);

#endif
