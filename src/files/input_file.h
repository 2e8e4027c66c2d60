// Opening an operation's input: read whole into memory, or a message
// naming the file and the reason.
#ifndef TAMREL_FILES_INPUT_FILE_H
#define TAMREL_FILES_INPUT_FILE_H

#include <cstdio>

#include "bibtex/bib_file.h"
#include "scan/line_reader.h"

// An input held in memory for the length of a run; its file is closed
// when the object goes.
struct InputFile {
  LineReader reader;
  std::FILE* file = nullptr;

  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile() {
    if (file != nullptr) std::fclose(file);
  }
};

// Reads the input at path whole.  mode is "r", or "r+" where a file the
// user may not write is refused as the classic rules always have.  On
// failure shows text with caption (and, on a terminal, the path and the
// reason) and returns 0.
int OpenInput(InputFile* input, const char* path, const char* mode, const char* text,
              const char* caption);

// A BibTeX input the BibTeX reader read nothing usable from: no entry at
// all, and at least one block it could not read (a binary file, a file cut
// short, a library in some other format).  Shows a message naming the file
// and the first problem's line, with caption, and returns 0, so the run
// ends as for a file that cannot be opened; otherwise returns 1.
int ReadSomethingFrom(const BibFile& file, const char* path, const char* caption);

#endif
