// What extract needs of a library format: the document's citations, the
// library, the reduced library and the references.  The extract driver
// runs the same steps, creates the same files and shows the same messages
// whatever the format.
#ifndef TAMREL_LIBRARY_EXTRACT_READER_H
#define TAMREL_LIBRARY_EXTRACT_READER_H

#include <cstdio>
#include <string>
#include <vector>

#include "app/platform.h"
#include "files/run_report.h"
#include "typeset/reference.h"

// How extract reads and typesets.
struct ExtractOptions {
  ReferenceOptions reference;
  // 1 (always, but for the tests that compare them) where the indexes
  // stand in for the plain in-order searches of the line rules.
  int indexed = 1;
};

class ExtractReader {
 public:
  virtual ~ExtractReader() = default;

  // Reads the document at path.  Returns 0 when it cannot be read (errno
  // says why).
  virtual int ReadDocument(const char* path) = 0;

  // The distinct cited keys in order of first citation.
  virtual const std::vector<std::string>& CitedKeys() const = 0;

  // The libraries the document names itself (\bibliography, an .aux
  // file's \bibdata), as paths; none for a format that does not look.
  virtual std::vector<std::string> LibrariesNamedByDocument(const char* document_path) const = 0;

  // Reads the libraries at paths, in turn (a format that reads one library
  // reads the first).  Returns 1; 0 when paths[*unread] cannot be read
  // (errno says why); -1 when nothing usable was read from one, after a
  // message through messages.
  virtual int ReadLibraries(const std::vector<std::string>& paths, Platform* messages,
                            std::size_t* unread) = 0;

  // Writes the cited entries the libraries hold to reduced, and their keys
  // to items; sets found[k] for each cited key held.
  virtual void CopyCitedEntries(std::FILE* reduced, std::FILE* items, std::vector<bool>* found) = 0;

  // Writes the bibitem file, once the reduced file at reduced_path is
  // written and closed (a format may typeset from it).  Returns 0 when
  // the reduced file cannot be read back (errno says why).
  virtual int WriteBibitems(const char* reduced_path, std::FILE* bibitems) = 0;

  // The bibitem file this run writes.  A document that \inputs it (as a
  // document set up for extract does) misses no citation when it does not
  // exist yet, so a format need not report it as missing.
  virtual void ExpectOwnBibitems(const char* path) { (void)path; }

  // Adds what the run saw (problems, notes) to report.
  virtual void Report(RunReport* report) const = 0;
};

#endif
