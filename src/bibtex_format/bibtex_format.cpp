#include "bibtex_format/bibtex_format.h"

#include "bibtex_format/bibtex_cleaned_file.h"
#include "bibtex_format/bibtex_extract.h"
#include "bibtex_format/bibtex_library.h"

namespace {

class BibtexFormat : public LibraryFormat {
 public:
  MatchRules Rules() const override { return RULES_PARSED; }
  std::unique_ptr<OpenedLibrary> Open(const LibraryInput& input, LibraryPurpose purpose,
                                      Platform* messages) const override;
  std::unique_ptr<CleanedFile> StartCleanedFile(OpenedLibrary* input, OutputSet* outputs,
                                                int cleaned) const override;
  std::unique_ptr<ExtractReader> NewExtractReader(const ExtractOptions& options) const override;
};

}  // namespace

std::unique_ptr<OpenedLibrary> BibtexFormat::Open(const LibraryInput& input, LibraryPurpose,
                                                  Platform* messages) const {
  return BibtexLibrary::Open(input, messages);
}

std::unique_ptr<CleanedFile> BibtexFormat::StartCleanedFile(OpenedLibrary* input,
                                                            OutputSet* outputs,
                                                            int cleaned) const {
  if (!outputs->Create(cleaned)) return nullptr;
  BibtexLibrary* library = static_cast<BibtexLibrary*>(input);
  return std::make_unique<BibtexCleanedFile>(&library->File(), library->Parsed(), library->Data(),
                                             outputs->File(cleaned));
}

std::unique_ptr<ExtractReader> BibtexFormat::NewExtractReader(const ExtractOptions& options) const {
  return std::make_unique<BibtexExtract>(options.reference);
}

const LibraryFormat* BibtexLibraryFormat() {
  static const BibtexFormat format;
  return &format;
}
