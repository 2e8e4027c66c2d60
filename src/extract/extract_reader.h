// The two ways extract reads its inputs: the line rules, or LaTeX and
// BibTeX as they are.  The extract driver runs the same steps, creates the
// same files and shows the same messages with either.
#ifndef TAMREL_EXTRACT_EXTRACT_READER_H
#define TAMREL_EXTRACT_EXTRACT_READER_H

#include <cstdio>
#include <string>
#include <vector>

#include "files/run_report.h"

class ExtractReader {
 public:
  virtual ~ExtractReader() = default;

  // Reads the document at path.  Returns 0 when it cannot be read (errno
  // says why).
  virtual int ReadDocument(const char* path) = 0;

  // The distinct cited keys in order of first citation.
  virtual const std::vector<std::string>& CitedKeys() const = 0;

  // Reads the library at path.  Returns 1; 0 when it cannot be read (errno
  // says why); -1 when nothing usable was read from it, after a message.
  virtual int ReadLibrary(const char* path) = 0;

  // Writes the cited entries the library holds to reduced, and their keys
  // to items; sets found[k] for each cited key held.  Returns the number
  // of entries typeset later.
  virtual int CopyCitedEntries(std::FILE* reduced, std::FILE* items, std::vector<bool>* found) = 0;

  // Called once the reduced file is written and closed: a reader that
  // typesets from that file reads it back here.  Returns 0 when it cannot.
  virtual int ReadReducedFile(const char* path) = 0;

  // Writes the bibitem file.
  virtual void WriteBibitems(std::FILE* bibitems) = 0;

  // Adds what the run saw (problems, notes) to report.
  virtual void Report(RunReport* report) const = 0;
};

#endif
