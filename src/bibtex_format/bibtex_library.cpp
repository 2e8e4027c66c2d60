#include "bibtex_format/bibtex_library.h"

#include <cerrno>
#include <string>

#include "files/input_file.h"

int LoadLibraryBytes(const char* path, FileBytes* bytes) {
  errno = 0;
  std::FILE* file = OpenInputFile(path, "r");
  if (file == nullptr) return 0;
  int loaded = bytes->Load(file);
  int error_number = errno;
  std::fclose(file);  // a mapping outlives its file
  errno = error_number;
  return loaded;
}

int ReadSomethingFrom(const BibFile& file, const char* path, const char* caption,
                      Platform* messages) {
  const BibBlock* first_problem = nullptr;
  for (const BibBlock& block : file.blocks) {
    if (block.kind == BIB_ENTRY) return 1;
    if (block.kind == BIB_MALFORMED && first_problem == nullptr) first_problem = &block;
  }
  if (first_problem == nullptr) return 1;  // an empty library is a library
  std::string text = "No BibTeX entry could be read from the file\n    '" + std::string(path) +
                     "'.\nLine " + std::to_string(first_problem->line) + ": " +
                     std::string(first_problem->problem) + ".";
  ShowMessageOn(messages, text.c_str(), caption);
  return 0;
}

std::unique_ptr<BibtexLibrary> BibtexLibrary::Open(const LibraryInput& input, Platform* messages) {
  auto library = std::make_unique<BibtexLibrary>();
  if (!LoadLibraryBytes(input.path, &library->bytes_)) {
    ShowFileMessageOn(messages, input.open_failure, input.caption, input.path,
                      FileErrorText(errno));
    return nullptr;
  }
  const char* data = library->bytes_.data();
  std::size_t size = library->bytes_.size();
  ReadSummarisedBibFile(data, size, &library->file_, &library->summaries_);
  if (!ReadSomethingFrom(library->file_, input.path, input.caption, messages)) return nullptr;
  library->entries_ =
      std::make_unique<ParsedEntries>(&library->file_, data, size, &library->summaries_);
  return library;
}
