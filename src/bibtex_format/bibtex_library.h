// A library as the BibTeX reader holds it for a run: its bytes (mapped
// where the system allows), its blocks, and its entries' summaries.
#ifndef TAMREL_BIBTEX_FORMAT_BIBTEX_LIBRARY_H
#define TAMREL_BIBTEX_FORMAT_BIBTEX_LIBRARY_H

#include <cstdio>
#include <memory>

#include "app/platform.h"
#include "bibtex/bib_file.h"
#include "bibtex/parsed_entries.h"
#include "files/file_bytes.h"
#include "library/library_format.h"

// Opens the file at path and takes its bytes.  Returns 0 with errno set
// when it cannot be opened or read.
int LoadLibraryBytes(const char* path, FileBytes* bytes);

// A library the BibTeX reader read nothing usable from: no entry at all,
// and at least one block it could not read (a binary file, a file cut
// short, a library in some other format).  Shows a message naming the file
// and the first problem's line, with caption, and returns 0, so the run
// ends as for a file that cannot be opened; otherwise returns 1.
int ReadSomethingFrom(const BibFile& file, const char* path, const char* caption,
                      Platform* messages);

class BibtexLibrary : public OpenedLibrary {
 public:
  // Reads the library; nullptr after a message when it cannot.
  static std::unique_ptr<BibtexLibrary> Open(const LibraryInput& input, Platform* messages);

  LibraryEntries* Entries() override { return entries_.get(); }
  ParsedEntries* Parsed() { return entries_.get(); }
  const BibFile& File() const { return file_; }
  const char* Data() const { return bytes_.data(); }
  const std::vector<std::string>& Problems() const override { return file_.problems; }

 private:
  FileBytes bytes_;
  BibFile file_;
  EntrySummaries summaries_;
  std::unique_ptr<ParsedEntries> entries_;
};

#endif
