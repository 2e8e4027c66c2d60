// Opening an input file, the one way every reader does: anything but a
// regular file is refused, and a failure says why in words a user reads.
#ifndef TAMREL_FILES_INPUT_FILE_H
#define TAMREL_FILES_INPUT_FILE_H

#include <cstdio>

// Opens a file to be read whole, in binary mode so that every byte is
// seen and places are true offsets.  mode is "r" (read) or "r+" / "w+"
// (update).  Anything but a regular file (a folder, a device, a pipe) is
// refused like a file that cannot be opened.  Returns NULL on failure,
// with errno saying why (EISDIR for a folder, NOT_REGULAR_FILE for a
// device or a pipe).
std::FILE* OpenInputFile(const char* path, const char* mode);

// The errno value OpenInputFile leaves for an input that is not a regular
// file; no system value is this large.
constexpr int NOT_REGULAR_FILE = 100000;

// The reason behind an errno value, for messages: "No such file or
// directory", "not a regular file".
const char* FileErrorText(int error_number);

#endif
