// How every operation names its output files: after the input file's name
// without its extension, with a fixed suffix, beside the input or in a
// chosen folder.  A pure function of its arguments.
#ifndef TAMREL_FILES_OUTPUT_PATH_H
#define TAMREL_FILES_OUTPUT_PATH_H

#include <cstddef>

#include "app/state.h"

// Room for any output path: a folder and a file name of a slot's length
// each, a separator and the longest suffix.
constexpr std::size_t OUTPUT_PATH_SIZE = 2 * FILE_SLOT_SIZE + 32;

// Writes into output (OUTPUT_PATH_SIZE bytes) the path of an output named
// after input_path: its file name without the extension (the text before
// the last "." of the file name; a "." in a folder never counts, and a name
// without "." is kept whole) followed by suffix.  The output goes into
// folder when folder is given and not empty, else beside the input:
// 'my.refs/lib.v2.bib' with "_clean_of_doubles.bib" gives
// 'my.refs/lib.v2_clean_of_doubles.bib'.
void DeriveOutputPath(const char* input_path, const char* suffix, char* output,
                      const char* folder = nullptr);

#endif
