// Extract as LaTeX and BibTeX read their files: every citing command of
// LaTeX, natbib and biblatex across the files the document pulls in (or a
// compiled .aux file); entries found by key as BibTeX finds them; a reduced
// file that runs through bibtex alone; references typeset from the parsed
// values.
#ifndef TAMREL_BIBTEX_FORMAT_BIBTEX_EXTRACT_H
#define TAMREL_BIBTEX_FORMAT_BIBTEX_EXTRACT_H

#include <string>
#include <vector>

#include "bibtex/bib_file.h"
#include "library/extract_reader.h"
#include "bibtex_format/library_keys.h"
#include "files/file_bytes.h"
#include "latex/citations.h"
#include "typeset/reference.h"

class BibtexExtract : public ExtractReader {
 public:
  explicit BibtexExtract(const ReferenceOptions& options) : options_(options) {}

  int ReadDocument(const char* path) override;
  const std::vector<std::string>& CitedKeys() const override { return keys_; }
  // A compiled .aux file names its library with \bibdata: its first name
  // with ".bib", beside the .aux file.
  std::string LibraryNamedByDocument(const char* document_path) const override;
  int ReadLibrary(const char* path, Platform* messages) override;
  void CopyCitedEntries(std::FILE* reduced, std::FILE* items, std::vector<bool>* found) override;
  int WriteBibitems(const char* reduced_path, std::FILE* bibitems) override;
  void Report(RunReport* report) const override;
  void ExpectOwnBibitems(const char* path) override { own_bibitems_ = path; }

 private:
  struct Cited {
    std::string key;  // as the document cites it
    int block;        // the library's entry
  };

  void ResolveKeys(std::vector<bool>* found);
  void AddCited(const std::string& key, int block);
  int CrossrefTarget(int block) const;
  int ParentsLackFields() const;
  static int KeepCitedFields(void* context, int entry_number, const BibBlock& entry);
  void WriteNeededBlocks(std::FILE* reduced) const;

  ReferenceOptions options_;
  DocumentCitations document_;
  std::vector<std::string> keys_;  // cited keys, "*" expanded to the library's entries
  FileBytes library_;
  BibFile file_;
  LibraryKeys keys_of_library_;
  std::vector<Cited> cited_;                           // the entries written, in order
  std::vector<int> crossref_only_;                     // parents written after them
  std::vector<std::string> notes_;
  std::string library_path_;
  std::string own_bibitems_;  // the bibitem file this run writes
  std::string compiled_aux_note_;  // when the .aux beside the document lists more
  FoldedKeySet cited_folded_;  // the cited keys, in any letter case
  int cite_all_ = 0;                              // \nocite{*}
};

#endif
