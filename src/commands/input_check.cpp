#include "commands/input_check.h"

#include <cstdio>
#include <cstring>

#include "bibtex/bib_file.h"
#include "files/file_bytes.h"
#include "files/input_file.h"

int LooksLikeText(const char* data, std::size_t size) {
  return std::memchr(data, '\0', size) == nullptr;
}

namespace {

// Reads the file's bytes into bytes; 0 when it cannot be read.
int LoadBytes(const char* path, FileBytes* bytes) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return 0;
  int loaded = bytes->Load(file);
  std::fclose(file);
  return loaded;
}

// Counts the entries as they are read, keeping none of their fields.
int CountEntry(void* context, int, const BibBlock&) {
  ++*static_cast<int*>(context);
  return 0;
}

int HoldsAnEntry(const char* data, std::size_t size) {
  BibFile file;
  int entries = 0;
  ReadBibFileVisiting(data, size, &file, CountEntry, &entries);
  if (entries > 0) return 1;
  for (const BibBlock& block : file.blocks) {
    if (block.kind == BIB_MALFORMED) return 1;
  }
  return 0;
}

}  // namespace

InputVerdict CheckTextInput(const char* path) {
  FileBytes bytes;
  if (!LoadBytes(path, &bytes)) return INPUT_UNREADABLE;
  return LooksLikeText(bytes.data(), bytes.size()) ? INPUT_FINE : INPUT_NOT_TEXT;
}

InputVerdict CheckTextStart(const char* path) {
  std::FILE* file = OpenInputFile(path, "rb");
  if (file == nullptr) return INPUT_UNREADABLE;
  char start[8000];
  std::size_t size = std::fread(start, 1, sizeof start, file);
  std::fclose(file);
  return LooksLikeText(start, size) ? INPUT_FINE : INPUT_NOT_TEXT;
}

InputVerdict CheckLibraryInput(const char* path) {
  FileBytes bytes;
  if (!LoadBytes(path, &bytes)) return INPUT_UNREADABLE;
  if (!LooksLikeText(bytes.data(), bytes.size())) return INPUT_NOT_TEXT;
  return HoldsAnEntry(bytes.data(), bytes.size()) ? INPUT_FINE : INPUT_NO_ENTRIES;
}

const char* InputProblemText(InputVerdict verdict) {
  switch (verdict) {
    case INPUT_NOT_TEXT:
      return "is not a text file (it holds NUL bytes: a program, an image, a PDF or UTF-16 "
             "text?). Tamrel reads BibTeX and LaTeX files saved as UTF-8, Latin-1 or CP1252.";
    case INPUT_NO_ENTRIES:
      return "holds no BibTeX entry (no @article{key, ...} or other @type{...}). Is it a "
             "BibTeX library?";
    case INPUT_UNREADABLE:
      return "could not be read.";
    case INPUT_FINE:
      break;
  }
  return "";
}
