// The classic line rules as a library format: libraries in JabRef's
// classic layout, read line by line, exactly as earlier versions did.
#ifndef TAMREL_CLASSIC_FORMAT_CLASSIC_FORMAT_H
#define TAMREL_CLASSIC_FORMAT_CLASSIC_FORMAT_H

#include "library/library_format.h"

class ClassicFormat : public LibraryFormat {
 public:
  MatchRules Rules() const override { return RULES_CLASSIC; }
  std::unique_ptr<OpenedLibrary> Open(const LibraryInput& input, LibraryPurpose purpose,
                                      Platform* messages) const override;
  std::unique_ptr<CleanedFile> StartCleanedFile(OpenedLibrary* input, OutputSet* outputs,
                                                int cleaned) const override;
  std::unique_ptr<ExtractReader> NewExtractReader(const ExtractOptions& options) const override;
};

#endif
