// The cleaned file under the BibTeX reader: the entries kept so far are
// held in memory, and the file is written at the end as the input less
// the entries left out, every other byte as it was.
#ifndef TAMREL_BIBTEX_FORMAT_BIBTEX_CLEANED_FILE_H
#define TAMREL_BIBTEX_FORMAT_BIBTEX_CLEANED_FILE_H

#include <cstdio>
#include <string>
#include <vector>

#include "bibtex/bib_file.h"
#include "bibtex/parsed_entries.h"
#include "library/cleaned_file.h"

// The entries kept so far, in memory; places are their numbers.  An entry
// kept as it stands is read from the input's own summaries; only renamed
// entries need a copy of their own.
class KeptEntries : public EntrySource {
 public:
  explicit KeptEntries(ParsedEntries* input) : input_(input) {}
  // Keeps the input's entry number `entry`, under new_key when that is not
  // null.
  void Keep(std::size_t entry, const char* new_key);
  std::size_t Count() const { return kept_.size(); }

  int NextEntry(entry_fields* fields, EntryPlace* place) override;
  void Seek(EntryPlace place) override { next_ = static_cast<std::size_t>(place.offset); }

 private:
  struct Kept {
    std::size_t entry;  // the input's entry number
    long renamed;       // its copy in renamed_, or -1
  };
  ParsedEntries* input_;
  std::vector<Kept> kept_;
  std::vector<entry_fields> renamed_;
  std::size_t next_ = 0;
};

// Every block of the input stays, but the entries left out; renamed
// entries get their new key in place of the old one.
class BibtexCleanedFile : public CleanedFile {
 public:
  // The cleaned file goes to out when it is finished.
  BibtexCleanedFile(const BibFile* input, ParsedEntries* entries, const char* data, std::FILE* out);
  EntrySource* Candidates() override { return &kept_; }
  EntryPlace Refresh(EntryNotes* notes) override;
  void Append(EntryPlace input_place, const entry_fields& entry, const char* new_key) override;
  void Finish() override;

 private:
  const BibFile* input_;
  ParsedEntries* entries_;
  const char* data_;
  std::FILE* out_;
  KeptEntries kept_;
  std::size_t noted_ = 0;
  entry_fields scratch_;
  std::vector<char> written_;           // per block: 1 when the entry is written
  std::vector<std::string> new_keys_;   // per block: its new key, or ""
};

#endif
