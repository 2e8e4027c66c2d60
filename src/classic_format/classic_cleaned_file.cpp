#include "classic_format/classic_cleaned_file.h"

#include <cstring>

#include "scan/markers.h"
#include "scan/primitives.h"

ClassicCleanedFile::ClassicCleanedFile(std::FILE* cleaned, ClassicEntries* input)
    : candidates_(&reader_, MARKERS_SIX, WORDS_WITHOUT_NOTE), input_(input) {
  OpenLineReader(&reader_, cleaned);  // empty: it only grows from here
}

// An entry that the file's end cut short, or whose closing line has no
// line feed yet, is read again next time: what is appended may still
// change how it reads.
EntryPlace ClassicCleanedFile::Refresh(EntryNotes* notes) {
  candidates_.Seek(unread_);
  EntryPlace place;
  while (candidates_.NextWholeEntry(&scratch_, &place)) {
    if (!candidates_.LastEntryClosed()) {
      unread_ = place;
      return unread_;
    }
    notes->Note(scratch_, place);
  }
  unread_ = candidates_.Tell();
  return unread_;
}

// Receives each line of the entry as it is copied into the cleaned file;
// gives the first line that opens an entry its new key after a key
// conflict.
void ClassicCleanedFile::WriteLine(void* context, char* line, std::size_t length) {
  ClassicCleanedFile* file = static_cast<ClassicCleanedFile*>(context);
  if (file->new_key_ != nullptr && HoldsEntryMarker(line, MARKERS_SIX)) {
    ReplaceStringInString(line, file->new_key_, "{", ",", COPY_LINE_SIZE);
    length = std::strlen(line);
    file->new_key_ = nullptr;
  }
  AppendLine(&file->reader_, line, length);
}

void ClassicCleanedFile::Append(EntryPlace input_place, const entry_fields&, const char* new_key) {
  new_key_ = new_key;
  input_->CopyEntryThrough(input_place, WriteLine, this);
  new_key_ = nullptr;
}

