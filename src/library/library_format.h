// One library format, as the operations see it: everything an operation
// needs of a format comes through here, so no operation names a reader.
// The classic line rules (classic_format) and the BibTeX reader
// (bibtex_format) are the formats; a new one is a folder of its own that
// implements this interface, plus one line in the registry of formats
// (commands/library_formats.cpp).
#ifndef TAMREL_LIBRARY_LIBRARY_FORMAT_H
#define TAMREL_LIBRARY_LIBRARY_FORMAT_H

#include <memory>
#include <string>
#include <vector>

#include "app/platform.h"
#include "entry/entry_source.h"
#include "files/output_set.h"
#include "library/cleaned_file.h"
#include "library/extract_reader.h"
#include "match/entry_group.h"
#include "typeset/reference.h"

// One library an operation reads, and what to say when it cannot.
struct LibraryInput {
  const char* path;
  const char* open_failure;  // "Could not open BibTeX file No. 1!"
  const char* caption;       // "BibTeX file No. 1?"
};

// What the library is read for: the line rules read compare's files with
// more entry markers and values than clean's.
enum LibraryPurpose { LIBRARY_FOR_COMPARE, LIBRARY_FOR_CLEAN };

// A library read in a format, held for the length of a run.
class OpenedLibrary {
 public:
  virtual ~OpenedLibrary() = default;
  virtual LibraryEntries* Entries() = 0;
  // The problems met reading it ("line 12: no key"), in file order.
  virtual const std::vector<std::string>& Problems() const = 0;
};

// A format is a table of its routines, like a driver: each format fills
// one in its own folder, and the operations call through it.
struct LibraryFormat {
  // The rules by which compare and clean doubles hold its entries against
  // each other.
  MatchRules rules;

  // How the outputs that hold copies of its entries are opened: the line
  // rules write the host's line ends; the BibTeX reader copies bytes as
  // they stand, CR LF or LF.
  OutputMode copy_mode;

  // Opens and reads the library.  Returns nullptr after a message through
  // messages when it cannot be opened or nothing could be read from it.
  std::unique_ptr<OpenedLibrary> (*open)(const LibraryInput& input, LibraryPurpose purpose,
                                         Platform* messages);

  // Creates output `cleaned` of outputs and the cleaned file of input
  // over it.  Returns nullptr when the output cannot be created, after
  // the output set's message.
  std::unique_ptr<CleanedFile> (*start_cleaned_file)(OpenedLibrary* input, OutputSet* outputs,
                                                     int cleaned);

  // Extract's reader of the document and the library, typesetting as
  // options say.
  std::unique_ptr<ExtractReader> (*new_extract_reader)(const ExtractOptions& options);

  MatchRules Rules() const { return rules; }
  std::unique_ptr<OpenedLibrary> Open(const LibraryInput& input, LibraryPurpose purpose,
                                      Platform* messages) const {
    return open(input, purpose, messages);
  }
  std::unique_ptr<CleanedFile> StartCleanedFile(OpenedLibrary* input, OutputSet* outputs,
                                                int cleaned) const {
    return start_cleaned_file(input, outputs, cleaned);
  }
  std::unique_ptr<ExtractReader> NewExtractReader(const ExtractOptions& options) const {
    return new_extract_reader(options);
  }
};

#endif
