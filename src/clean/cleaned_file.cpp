#include "clean/cleaned_file.h"

#include <cstring>

#include "app/state.h"
#include "clean/clean.h"
#include "scan/primitives.h"

ClassicCleanedFile::ClassicCleanedFile(std::FILE* cleaned, ClassicEntries* input)
    : candidates_(&reader_, MARKERS_SIX, WORDS_WITHOUT_NOTE), input_(input) {
  OpenLineReader(&reader_, cleaned);  // empty: it only grows from here
}

// An entry that the file's end cut short, or whose closing line has no
// line feed yet, is read again next time: what is appended may still
// change how it reads.
EntryPlace ClassicCleanedFile::Refresh(CleanedFileIndex* index) {
  candidates_.Seek(unread_);
  EntryPlace place;
  while (candidates_.NextWholeEntry(&scratch_, &place)) {
    if (!candidates_.LastEntryClosed()) {
      unread_ = place;
      return unread_;
    }
    index->Note(scratch_, place);
  }
  unread_ = candidates_.Tell();
  return unread_;
}

// Receives each line of the entry as it is copied into the cleaned file;
// gives the first line that opens an entry its new key after a key
// conflict.
void ClassicCleanedFile::WriteLine(void* context, char* line, std::size_t length) {
  ClassicCleanedFile* file = static_cast<ClassicCleanedFile*>(context);
  if (FLAG_DOUBLE_BIBITEM == 1 && file->new_key_ != nullptr && HoldsEntryMarker(line, MARKERS_SIX)) {
    ReplaceStringInString(line, file->new_key_, "{", ",", COPY_LINE_SIZE);
    length = std::strlen(line);
    FLAG_DOUBLE_BIBITEM = 0;
  }
  AppendLine(&file->reader_, line, length);
}

void ClassicCleanedFile::Append(EntryPlace input_place, const entry_fields&, const char* new_key) {
  new_key_ = new_key;
  input_->CopyEntryThrough(input_place, WriteLine, this);
  new_key_ = nullptr;
}

void KeptEntries::Keep(std::size_t entry, const char* new_key) {
  long renamed = -1;
  if (new_key != nullptr) {
    renamed = static_cast<long>(renamed_.size());
    renamed_.emplace_back();
    input_->SummaryOf(entry, &renamed_.back());
    renamed_.back().key = new_key;
  }
  kept_.push_back(Kept{entry, renamed});
}

int KeptEntries::NextEntry(entry_fields* fields, EntryPlace* place) {
  if (next_ >= kept_.size()) return 0;
  place->offset = static_cast<long long>(next_);
  const Kept& kept = kept_[next_++];
  if (kept.renamed >= 0) {
    *fields = renamed_[static_cast<std::size_t>(kept.renamed)];
  } else {
    input_->SummaryOf(kept.entry, fields);
  }
  return 1;
}

ParsedCleanedFile::ParsedCleanedFile(const BibFile* input, ParsedEntries* entries,
                                     const char* data)
    : input_(input),
      entries_(entries),
      data_(data),
      kept_(entries),
      written_(input->blocks.size(), 0),
      new_keys_(input->blocks.size()) {}

EntryPlace ParsedCleanedFile::Refresh(CleanedFileIndex* index) {
  kept_.Seek(EntryPlace{static_cast<long long>(noted_)});
  EntryPlace place;
  while (kept_.NextEntry(&scratch_, &place)) index->Note(scratch_, place);
  noted_ = kept_.Count();
  return EntryPlace{static_cast<long long>(noted_)};
}

void ParsedCleanedFile::Append(EntryPlace input_place, const entry_fields&,
                               const char* new_key) {
  long entry = entries_->EntryNumberAt(input_place);
  if (entry < 0) return;
  int block = entries_->BlockOfEntry(static_cast<std::size_t>(entry));
  written_[block] = 1;
  kept_.Keep(static_cast<std::size_t>(entry), new_key);
  if (new_key != nullptr) {
    new_keys_[block] = new_key;
    FLAG_DOUBLE_BIBITEM = 0;
  }
}

// The length of the line end right after an entry that is left out, when
// the entry stood alone on its lines: taking it too leaves no blank line
// where the entry was.
static std::size_t LineEndAfter(const BibBlock& next, const char* data) {
  if (next.kind != BIB_TEXT) return 0;
  std::size_t p = next.begin;
  while (p < next.end && (data[p] == ' ' || data[p] == '\t')) p++;
  if (p < next.end && data[p] == '\r') p++;
  if (p < next.end && data[p] == '\n') return p + 1 - next.begin;
  return 0;
}

int ParsedCleanedFile::Write(std::FILE* out) const {
  int count = 0;
  std::size_t skip_from_next = 0;
  for (std::size_t b = 0; b < input_->blocks.size(); b++) {
    const BibBlock& block = input_->blocks[b];
    std::size_t begin = block.begin + skip_from_next;
    skip_from_next = 0;
    if (block.kind == BIB_ENTRY && !written_[b]) {
      if (b + 1 < input_->blocks.size()) skip_from_next = LineEndAfter(input_->blocks[b + 1], data_);
      continue;
    }
    if (block.kind == BIB_ENTRY) {
      // No line end of its own: the text block after it brings the input's.
      WriteEntryText(data_, block, new_keys_[b].empty() ? nullptr : new_keys_[b].c_str(), out);
    } else {
      WriteSourceText(data_, begin, block.end, out);
    }
    if (block.kind == BIB_ENTRY) count++;
  }
  return count;
}
