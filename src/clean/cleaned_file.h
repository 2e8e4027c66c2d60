// The cleaned file as clean doubles builds it: the entries written so far,
// read back as candidates for the entries still to come, and noted in the
// index.  The line rules keep it on disk and read it back by their own
// rules; the BibTeX reader keeps the entries in memory and writes the file
// at the end as the input less what was left out.
#ifndef TAMREL_CLEAN_CLEANED_FILE_H
#define TAMREL_CLEAN_CLEANED_FILE_H

#include <cstdio>
#include <string>
#include <vector>

#include "bibtex/bib_file.h"
#include "bibtex/parsed_entries.h"
#include "clean/cleaned_index.h"
#include "entry/entry_source.h"
#include "scan/classic_entries.h"
#include "scan/line_reader.h"

class CleanedFile {
 public:
  virtual ~CleanedFile() = default;
  // The entries written so far, in their order, as candidates.
  virtual EntrySource* Candidates() = 0;
  // Notes in index the entries written since the last call that can no
  // longer change; returns the place where the entries not noted begin.
  virtual EntryPlace Refresh(CleanedFileIndex* index) = 0;
  // Writes the input entry that starts at input_place, under new_key when
  // that is not null.
  virtual void Append(EntryPlace input_place, const entry_fields& entry, const char* new_key) = 0;
};

// The line rules: the file itself, read back line by line.
class ClassicCleanedFile : public CleanedFile {
 public:
  // cleaned holds the file opened for update (empty); input is the source
  // the entries are copied from.
  ClassicCleanedFile(std::FILE* cleaned, ClassicEntries* input);
  EntrySource* Candidates() override { return &candidates_; }
  EntryPlace Refresh(CleanedFileIndex* index) override;
  void Append(EntryPlace input_place, const entry_fields& entry, const char* new_key) override;

 private:
  static void WriteLine(void* context, char* line, std::size_t length);

  LineReader reader_;
  ClassicEntries candidates_;
  ClassicEntries* input_;
  const char* new_key_ = nullptr;
  EntryPlace unread_{0};
  entry_fields scratch_;
};

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
  EntryPlace Tell() const override { return EntryPlace{static_cast<long long>(next_)}; }
  void Seek(EntryPlace place) override { next_ = static_cast<std::size_t>(place.offset); }
  int CopyEntry(EntryPlace, std::FILE*) override { return 0; }

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

// The BibTeX reader: every block of the input stays, but the entries left
// out; renamed entries get their new key in place of the old one.
class ParsedCleanedFile : public CleanedFile {
 public:
  ParsedCleanedFile(const BibFile* input, ParsedEntries* entries, const char* data);
  EntrySource* Candidates() override { return &kept_; }
  EntryPlace Refresh(CleanedFileIndex* index) override;
  void Append(EntryPlace input_place, const entry_fields& entry, const char* new_key) override;

  // Writes the cleaned file.  Returns the number of entries written.
  int Write(std::FILE* out) const;

 private:
  const BibFile* input_;
  ParsedEntries* entries_;
  const char* data_;
  KeptEntries kept_;
  std::size_t noted_ = 0;
  entry_fields scratch_;
  std::vector<char> written_;           // per block: 1 when the entry is written
  std::vector<std::string> new_keys_;   // per block: its new key, or ""
};

#endif
