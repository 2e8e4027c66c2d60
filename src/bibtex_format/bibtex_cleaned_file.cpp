#include "bibtex_format/bibtex_cleaned_file.h"

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

BibtexCleanedFile::BibtexCleanedFile(const BibFile* input, ParsedEntries* entries,
                                     const char* data, std::FILE* out)
    : input_(input),
      entries_(entries),
      data_(data),
      out_(out),
      kept_(entries),
      written_(input->blocks.size(), 0),
      new_keys_(input->blocks.size()) {}

EntryPlace BibtexCleanedFile::Refresh(EntryNotes* notes) {
  kept_.Seek(EntryPlace{static_cast<long long>(noted_)});
  EntryPlace place;
  while (kept_.NextEntry(&scratch_, &place)) notes->Note(scratch_, place);
  noted_ = kept_.Count();
  return EntryPlace{static_cast<long long>(noted_)};
}

void BibtexCleanedFile::Append(EntryPlace input_place, const entry_fields&,
                               const char* new_key) {
  long entry = entries_->EntryNumberAt(input_place);
  if (entry < 0) return;
  int block = entries_->BlockOfEntry(static_cast<std::size_t>(entry));
  written_[block] = 1;
  kept_.Keep(static_cast<std::size_t>(entry), new_key);
  if (new_key != nullptr) new_keys_[block] = new_key;
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

void BibtexCleanedFile::Finish() {
  std::FILE* out = out_;
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
  }
}
