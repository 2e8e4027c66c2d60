// The line primitives: everything the line rules know of an entry they cut
// out of single lines with these routines.  Each works on one
// NUL-terminated line or value, never reads past it and never writes more
// than the given buffer size; the three that take delimiters return 1, and
// only the first character of each delimiter string counts.
#ifndef TAMREL_SCAN_PRIMITIVES_H
#define TAMREL_SCAN_PRIMITIVES_H

#include <cstddef>

#include "scan/line_reader.h"

// The text between the first opening delimiter and the next closing one.
// The scan stops at the first line feed: '@ARTICLE{Smith2009\n' with "{"
// and "," gives 'Smith2009'.  No opening delimiter gives the empty text;
// nesting is not tracked, so '{a {b} c}' with "{" and "}" gives 'a {b'.
int FindBibTag(const char* line, char* output, const char* opening, const char* closing,
               std::size_t output_size = LINE_SIZE);

// The braced value that starts at the first "{" of the line, with a second
// "{" right after it passed over (a value in double braces) and one level
// of inner groups kept whole.  A line feed is an ordinary character here,
// so a value that goes on to the next line keeps its line break.  A line
// without "{" (a bare or quoted value) gives the empty value.
int entry_rest(const char* line, char* output, std::size_t output_size = LINE_SIZE);

// Replaces, in place, the text strictly between the first opening
// delimiter and the next closing one (or the line feed when there is no
// closing one).  A line without the opening delimiter is left unchanged.
// The changed line is cut to fit line_size bytes.
int ReplaceStringInString(char* line, const char* replacement, const char* opening,
                          const char* closing, std::size_t line_size);

// Cuts a pages value before its first "-": '123--130' keeps '123', a
// range written with a blank before the dash keeps that blank, and a value
// without "-" stays whole.
void CutToFirstPage(char* pages);

#endif
