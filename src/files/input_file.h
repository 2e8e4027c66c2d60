// Opening an operation's input: read whole into memory, or a message
// naming the file and the reason.
#ifndef TAMREL_FILES_INPUT_FILE_H
#define TAMREL_FILES_INPUT_FILE_H

#include <cstdio>

#include "bibtex/bib_file.h"
#include "files/file_bytes.h"
#include "scan/line_reader.h"

// How a run reads an input: line by line, as the line rules do (they may
// append to what they read), or as bytes for the BibTeX reader.
enum InputUse { INPUT_LINES, INPUT_BYTES };

// An input held for the length of a run; its file is closed when the
// object goes.
struct InputFile {
  LineReader reader;  // INPUT_LINES
  FileBytes bytes;    // INPUT_BYTES
  std::FILE* file = nullptr;

  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() {
    if (file != nullptr) std::fclose(file);
  }
};

// Opens the input at path and takes its bytes for use.  mode is "r", or
// "r+" where a file the user may not write is refused as the classic rules
// always have.  On failure shows text with caption (and, on a terminal, the
// path and the reason) and returns 0.
int OpenInput(InputFile* input, const char* path, const char* mode, InputUse use,
              const char* text, const char* caption);

// A BibTeX input the BibTeX reader read nothing usable from: no entry at
// all, and at least one block it could not read (a binary file, a file cut
// short, a library in some other format).  Shows a message naming the file
// and the first problem's line, with caption, and returns 0, so the run
// ends as for a file that cannot be opened; otherwise returns 1.
int ReadSomethingFrom(const BibFile& file, const char* path, const char* caption);

#endif
