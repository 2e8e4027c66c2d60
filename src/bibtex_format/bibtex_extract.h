// Extract as LaTeX and BibTeX read their files: every citing command of
// LaTeX, natbib and biblatex across the files the document pulls in (or a
// compiled .aux file); entries found by key as BibTeX finds them, in the
// document's libraries read in turn; a reduced file that runs through
// bibtex alone; references typeset from the parsed values.
#ifndef TAMREL_BIBTEX_FORMAT_BIBTEX_EXTRACT_H
#define TAMREL_BIBTEX_FORMAT_BIBTEX_EXTRACT_H

#include <string>
#include <vector>

#include "bibtex_format/library_set.h"
#include "latex/citations.h"
#include "library/extract_reader.h"
#include "typeset/reference.h"

class BibtexExtract : public ExtractReader {
 public:
  explicit BibtexExtract(const ReferenceOptions& options) : options_(options) {}

  int ReadDocument(const char* path) override;
  const std::vector<std::string>& CitedKeys() const override { return keys_; }
  // \bibliography{a,b}, \addbibresource or an .aux file's \bibdata: each
  // name with ".bib" added where it has none, beside the document.
  std::vector<std::string> LibrariesNamedByDocument(const char* document_path) const override;
  int ReadLibraries(const std::vector<std::string>& paths, Platform* messages,
                    std::size_t* unread) override;
  void CopyCitedEntries(std::FILE* reduced, std::FILE* items, std::vector<bool>* found) override;
  int WriteBibitems(const char* reduced_path, std::FILE* bibitems) override;
  void Report(RunReport* report) const override;
  void ExpectOwnBibitems(const char* path) override { own_bibitems_ = path; }

 private:
  struct Cited {
    std::string key;  // as the document cites it
    BlockRef entry;   // the library's entry
  };

  void ResolveKeys(std::vector<bool>* found);
  void ResolveCitedKey(const std::string& key, std::set<BlockRef>* taken);
  void CiteEveryEntry(std::set<BlockRef>* taken, std::set<std::string>* listed);
  void NoteRepeat(const std::string& key, BlockRef taken);
  void OrderParents();
  int ParentsLackFields() const;
  static int KeepCitedFields(void* context, int entry_number, const BibBlock& entry);

  ReferenceOptions options_;
  DocumentCitations document_;
  std::vector<std::string> keys_;  // cited keys, "*" expanded to the libraries' entries
  std::vector<bool> held_;         // for each of keys_, whether a library holds it
  LibrarySet libraries_;
  std::vector<Cited> cited_;        // the entries written, in order
  std::vector<BlockRef> parents_;   // crossref parents not cited, written after them
  std::vector<std::string> notes_;
  std::string own_bibitems_;  // the bibitem file this run writes
  std::string compiled_aux_note_;  // when the .aux beside the document lists more
  FoldedKeySet cited_folded_;  // the cited keys, in any letter case
  int cite_all_ = 0;           // \nocite{*}
};

#endif
