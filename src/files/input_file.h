// Opening an operation's input: read whole into memory, or a message
// naming the file and the reason.
#ifndef TAMREL_FILES_INPUT_FILE_H
#define TAMREL_FILES_INPUT_FILE_H

#include <cstdio>

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

#endif
