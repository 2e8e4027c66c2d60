#include "files/input_file.h"

#include <cerrno>
#include <string>

#include "app/platform.h"

int OpenInput(InputFile* input, const char* path, const char* mode, InputUse use,
              const char* text, const char* caption) {
  errno = 0;
  if (use == INPUT_LINES) {
    input->file = OpenInputReader(&input->reader, path, mode);
  } else {
    input->file = OpenInputFile(path, mode);
    if (input->file != nullptr && !input->bytes.Load(input->file)) {
      int error_number = errno;
      std::fclose(input->file);
      input->file = nullptr;
      errno = error_number;
    }
  }
  if (input->file != nullptr) return 1;
  ShowFileMessage(text, caption, path, FileErrorText(errno));
  return 0;
}

int ReadSomethingFrom(const BibFile& file, const char* path, const char* caption) {
  const BibBlock* first_problem = nullptr;
  for (const BibBlock& block : file.blocks) {
    if (block.kind == BIB_ENTRY) return 1;
    if (block.kind == BIB_MALFORMED && first_problem == nullptr) first_problem = &block;
  }
  if (first_problem == nullptr) return 1;  // an empty library is a library
  std::string text = "No BibTeX entry could be read from the file\n    '" + std::string(path) +
                     "'.\nLine " + std::to_string(first_problem->line) + ": " +
                     std::string(first_problem->problem) + ".";
  ShowMessage(text.c_str(), caption);
  return 0;
}
