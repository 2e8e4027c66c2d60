// The keys a LaTeX document cites, as LaTeX, natbib and biblatex write
// citations, across every file the document pulls in; or the keys a
// compiled .aux file lists.
#ifndef TAMREL_LATEX_CITATIONS_H
#define TAMREL_LATEX_CITATIONS_H

#include <string>
#include <vector>

struct DocumentCitations {
  // Distinct keys in order of first citation, as written (case kept).  The
  // key "*" stands where \nocite{*} (or \citation{*}) first appears: every
  // entry of the library is cited from there on.
  std::vector<std::string> keys;
  std::vector<std::string> files_read;     // the main file first, each once
  std::vector<std::string> files_missing;  // \input and friends not found
  std::vector<std::string> bibdata;        // \bibdata{a,b} of an .aux, or
                                           // \bibliography{a,b} / \addbibresource
                                           // of a .tex: as written
};

// Reads the document at path, following \input, \include, \subfile,
// \import and its relatives relative to the main document's folder (each
// file once), or, for a path ending in ".aux", its \citation lines
// following \@input.  Returns 1, or 0 when the main file cannot be read.
int CollectDocumentCitations(const char* path, DocumentCitations* citations);

// The citations of one text alone, no file followed: for the tests and the
// fuzz harness.  is_aux chooses the .aux grammar.
void CollectTextCitations(const char* text, std::size_t size, int is_aux,
                          DocumentCitations* citations);

#endif
