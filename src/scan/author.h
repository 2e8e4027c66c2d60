// Author lists typeset for the three journal styles.
#ifndef TAMREL_SCAN_AUTHOR_H
#define TAMREL_SCAN_AUTHOR_H

#include <cstddef>

#include "scan/line_reader.h"

// The journal styles the line rules know, in the order of their formats.
// CLASSIC_NO_STYLE typesets nothing.
enum ClassicStyle { CLASSIC_ACS, CLASSIC_APS, CLASSIC_IOP, CLASSIC_STYLE_COUNT, CLASSIC_NO_STYLE = -1 };

// Size of the working buffers: a collected author list holds at most 999
// characters; longer lists are cut there.
constexpr std::size_t AUTHOR_BUFFER_SIZE = 1000;

// Given the line on which an "author" or "editor" field starts, collects
// its braced value, reading further lines from input while the value goes
// on, and writes the list rewritten for style into output (at most
// output_size bytes with the NUL).  A line without "{" gives the empty
// list and reads nothing.
int entry_author(const char* line, char* output, LineReader* input, std::size_t output_size,
                 ClassicStyle style);

#endif
