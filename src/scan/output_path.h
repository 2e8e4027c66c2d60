// How every operation names its output files, and closes them.
#ifndef TAMREL_SCAN_OUTPUT_PATH_H
#define TAMREL_SCAN_OUTPUT_PATH_H

#include <cstdio>

#include "scan/line_reader.h"

// Writes into output (LINE_SIZE bytes) the input path cut before its first
// "." and followed by the suffix.  The first "." of the whole path counts,
// even in a folder name: 'C:\my.refs\lib.bib' gives 'C:\my' + suffix.  A
// path without any "." gets the suffix appended to the whole path.
void DeriveOutputPath(const char* input_path, const char* suffix, char* output);

// Guards the user's inputs: returns 1 when none of the output paths names
// the same file as one of the input paths (the same name, or the same file
// through a link).  Otherwise shows a message naming the output file and
// returns 0; the operation then must create nothing.  Without this, an
// input named like an output (a document called lib_extract_bibitems.tex
// beside lib.bib) would be emptied when the output is created.
int OutputsSpareInputs(const char* const* outputs, int output_count, const char* const* inputs,
                       int input_count);

// Shows the message of an output named by its full path, caption "File?":
// "Could not " verb " " path " !", as in 'Could not open /x/lib_compare_equal.bib !'.
void ShowOutputMessage(const char* verb, const char* path);

// Closes an output file (when open) and sets *file to NULL.  Returns 1 when
// everything written to it reached the file, 0 when a write failed (a full
// disk shows here, not at each write): the operation then says so rather
// than reporting success over a cut file.
int CloseOutputFile(std::FILE** file);

#endif
