#include "commands/library_formats.h"

#include <cstring>

#include "bibtex_format/bibtex_format.h"
#include "classic_format/classic_format.h"

namespace {

struct FormatEntry {
  const char* name;
  const LibraryFormat* (*format)();
};

// A new format is one line here.
const FormatEntry kFormats[] = {
    {"bibtex", BibtexLibraryFormat},
    {"classic", ClassicLibraryFormat},
};

}  // namespace

const LibraryFormat* FormatNamed(const char* name) {
  for (const FormatEntry& entry : kFormats) {
    if (std::strcmp(entry.name, name) == 0) return entry.format();
  }
  return nullptr;
}
