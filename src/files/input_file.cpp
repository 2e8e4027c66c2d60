#include "files/input_file.h"

#include <cerrno>

#include "app/platform.h"

int OpenInput(InputFile* input, const char* path, const char* mode, const char* text,
              const char* caption) {
  errno = 0;
  input->file = OpenInputReader(&input->reader, path, mode);
  if (input->file != nullptr) return 1;
  ShowFileMessage(text, caption, path, FileErrorText(errno));
  return 0;
}
