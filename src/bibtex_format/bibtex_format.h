// BibTeX as BibTeX reads it, as a library format: any layout, macros,
// crossrefs, and LaTeX documents as LaTeX reads them.
#ifndef TAMREL_BIBTEX_FORMAT_BIBTEX_FORMAT_H
#define TAMREL_BIBTEX_FORMAT_BIBTEX_FORMAT_H

#include "library/library_format.h"

class BibtexFormat : public LibraryFormat {
 public:
  MatchRules Rules() const override { return RULES_PARSED; }
  std::unique_ptr<OpenedLibrary> Open(const LibraryInput& input, LibraryPurpose purpose,
                                      Platform* messages) const override;
  std::unique_ptr<CleanedFile> StartCleanedFile(OpenedLibrary* input, OutputSet* outputs,
                                                int cleaned) const override;
  std::unique_ptr<ExtractReader> NewExtractReader(const ExtractOptions& options) const override;
};

#endif
