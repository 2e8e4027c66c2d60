#include "bibtex_format/bibtex_format.h"

#include "bibtex_format/bibtex_cleaned_file.h"
#include "bibtex_format/bibtex_extract.h"
#include "bibtex_format/bibtex_library.h"

namespace {

std::unique_ptr<OpenedLibrary> OpenBibtex(const LibraryInput& input, LibraryPurpose,
                                          Platform* messages) {
  return BibtexLibrary::Open(input, messages);
}

std::unique_ptr<CleanedFile> StartBibtexCleanedFile(OpenedLibrary* input, OutputSet* outputs,
                                                    int cleaned) {
  if (!outputs->Create(cleaned, OUTPUT_BYTES)) return nullptr;
  BibtexLibrary* library = static_cast<BibtexLibrary*>(input);
  return std::make_unique<BibtexCleanedFile>(&library->File(), library->Parsed(), library->Data(),
                                             outputs->File(cleaned));
}

std::unique_ptr<ExtractReader> NewBibtexExtract(const ExtractOptions& options) {
  return std::make_unique<BibtexExtract>(options.reference);
}

}  // namespace

const LibraryFormat* BibtexLibraryFormat() {
  static const LibraryFormat format{RULES_PARSED, OUTPUT_BYTES, OpenBibtex,
                                    StartBibtexCleanedFile, NewBibtexExtract};
  return &format;
}
