// The cleaned file under the line rules: the file itself, read back line
// by line by the same rules as it grows.
#ifndef TAMREL_CLASSIC_FORMAT_CLASSIC_CLEANED_FILE_H
#define TAMREL_CLASSIC_FORMAT_CLASSIC_CLEANED_FILE_H

#include <cstdio>

#include "library/cleaned_file.h"
#include "scan/classic_entries.h"
#include "scan/line_reader.h"

class ClassicCleanedFile : public CleanedFile {
 public:
  // cleaned holds the file opened for update (empty); input is the source
  // the entries are copied from.
  ClassicCleanedFile(std::FILE* cleaned, ClassicEntries* input);
  EntrySource* Candidates() override { return &candidates_; }
  EntryPlace Refresh(EntryNotes* notes) override;
  void Append(EntryPlace input_place, const entry_fields& entry, const char* new_key) override;
  void Finish() override {}

 private:
  static void WriteLine(void* context, char* line, std::size_t length);

  LineReader reader_;
  ClassicEntries candidates_;
  ClassicEntries* input_;
  const char* new_key_ = nullptr;  // until the entry's first line has it
  EntryPlace unread_{0};
  entry_fields scratch_;
};

#endif
