#include "bibtex/parsed_entries.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "entry/text_hash.h"
#include "text/doi.h"
#include "text/page_range.h"

namespace {

// A field with the first eight bytes of its name as a big-endian number:
// comparing the numbers orders names as comparing the names does, but for
// names alike in those bytes, which are then compared whole.
struct SortedField {
  std::uint64_t name_start;
  const BibField* field;
};

std::uint64_t NameStart(std::string_view name) {
  std::uint64_t start = 0;
  for (std::size_t i = 0; i < 8; i++) {
    start = (start << 8) | (i < name.size() ? static_cast<unsigned char>(name[i]) : 0u);
  }
  return start;
}

bool NameBefore(const SortedField& a, const SortedField& b) {
  if (a.name_start != b.name_start) return a.name_start < b.name_start;
  int order = a.field->name.compare(b.field->name);
  return order != 0 ? order < 0 : a.field < b.field;
}

// The type and every field, sorted by name, as a 16-byte digest: two
// entries have the same content exactly when their digests are equal (but
// for odds no library comes near), and comparing or copying it costs
// nothing whatever the abstracts hold.  A field written twice with the same
// value counts once (an export that repeats a note is still the same
// entry); written twice with two values, both count.
TextDigest ContentDigest(const BibBlock& entry) {
  // Sorted by name, ties in the order written; on the stack for any entry
  // of ordinary size.
  SortedField on_stack[64];
  std::vector<SortedField> on_heap;
  SortedField* fields = on_stack;
  std::size_t count = entry.fields.size();
  if (count > 64) {
    on_heap.resize(count);
    fields = on_heap.data();
  }
  for (std::size_t i = 0; i < count; i++) {
    fields[i] = SortedField{NameStart(entry.fields[i].name), &entry.fields[i]};
  }
  std::sort(fields, fields + count, NameBefore);
  auto repeated = [](const SortedField& a, const SortedField& b) {
    return a.field->name == b.field->name && a.field->value == b.field->value;
  };
  count = static_cast<std::size_t>(std::unique(fields, fields + count, repeated) - fields);
  TextHasher digest;
  digest.AddFoldedPart(entry.type);
  for (std::size_t i = 0; i < count; i++) {
    digest.AddPart(fields[i].field->name);
    digest.AddPart(fields[i].field->value);
  }
  return digest.Digest();
}

}  // namespace

// The texts of an entry's summary, in the order of EntrySummaries' records,
// as views of the entry's own values; the DOI, which is rewritten, is held
// in doi.
static void SummaryTexts(const BibBlock& entry, std::string_view texts[], std::string* doi) {
  // One pass over the fields; the first of a repeated name counts, as in
  // BibTeX.  biblatex's journaltitle and date stand in for a journal and a
  // year the entry lacks.
  enum { kJournal, kYear, kVolume, kPages, kAuthor, kTitle, kNote, kDoi, kEditor, kEdition,
         kJournalTitle, kDate, kNames };
  static const char* const kFieldNames[kNames] = {"journal", "year",    "volume", "pages",
                                                  "author",  "title",   "note",   "doi",
                                                  "editor",  "edition", "journaltitle", "date"};
  const std::string_view* values[kNames] = {};
  for (const BibField& field : entry.fields) {
    for (int n = 0; n < kNames; n++) {
      if (values[n] == nullptr && field.name.size() == std::strlen(kFieldNames[n]) &&
          field.name[0] == kFieldNames[n][0] &&
          std::memcmp(field.name.data(), kFieldNames[n], field.name.size()) == 0) {
        values[n] = &field.value;
      }
    }
  }
  auto value = [&](int n) -> std::string_view {
    return values[n] != nullptr ? *values[n] : std::string_view();
  };
  doi->clear();
  if (!value(kDoi).empty()) *doi = BareDoi(value(kDoi));
  std::string_view journal = value(kJournal).empty() ? value(kJournalTitle) : value(kJournal);
  // A date is YYYY, YYYY-MM or YYYY-MM-DD: its year is its first four bytes.
  std::string_view year = value(kYear).empty() ? value(kDate).substr(0, 4) : value(kYear);
  texts[0] = entry.key;
  texts[1] = entry.type;
  texts[2] = journal;
  texts[3] = year;
  texts[4] = value(kVolume);
  texts[5] = FirstPage(value(kPages));
  texts[6] = value(kAuthor);
  texts[7] = value(kTitle);
  texts[8] = value(kNote);
  texts[9] = value(kEditor);
  texts[10] = value(kEdition);
  texts[11] = *doi;
}

void WriteSourceText(const char* data, std::size_t begin, std::size_t end, std::FILE* out) {
  std::fwrite(data + begin, 1, end - begin, out);
}

const char* LineEndOf(const char* data, std::size_t size) {
  const void* feed = size > 0 ? std::memchr(data, '\n', size) : nullptr;
  if (feed == nullptr || feed == data) return "\n";
  return static_cast<const char*>(feed)[-1] == '\r' ? "\r\n" : "\n";
}

std::size_t ByteOrderMarkLength(const char* data, std::size_t size) {
  return size >= 3 && std::memcmp(data, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
}

void WriteEntryText(const char* data, const BibBlock& entry, const char* key, std::FILE* out) {
  if (key == nullptr) {
    WriteSourceText(data, entry.begin, entry.end, out);
  } else {
    WriteSourceText(data, entry.begin, entry.key_begin, out);
    std::fputs(key, out);
    WriteSourceText(data, entry.key_end, entry.end, out);
  }
}

void EntrySummaries::Add(const BibBlock& entry) {
  std::string_view texts[kTexts];
  SummaryTexts(entry, texts, &doi_);
  Record record;
  std::size_t total = 0;
  for (int t = 0; t < kTexts; t++) {
    // A text of 4 GB or more is compared by its first 4 GB.
    std::size_t size = std::min<std::size_t>(texts[t].size(), UINT32_MAX);
    record.sizes[t] = static_cast<std::uint32_t>(size);
    total += record.sizes[t];
  }
  char* at = store_.Allocate(total);
  record.texts = at;
  for (int t = 0; t < kTexts; t++) {
    if (record.sizes[t] == 0) continue;
    std::memcpy(at, texts[t].data(), record.sizes[t]);
    at += record.sizes[t];
  }
  record.content = ContentDigest(entry);
  records_.push_back(record);
}

void EntrySummaries::Get(std::size_t entry, entry_fields* fields) const {
  std::string* texts[kTexts] = {&fields->key,    &fields->type,  &fields->journal,
                                &fields->year,   &fields->volume, &fields->pages,
                                &fields->author, &fields->title, &fields->note,
                                &fields->editor, &fields->edition, &fields->doi};
  const Record& record = records_[entry];
  const char* text = record.texts != nullptr ? record.texts : "";  // all empty
  for (int t = 0; t < kTexts; t++) {
    texts[t]->assign(text, record.sizes[t]);
    text += record.sizes[t];
  }
  fields->content = record.content;
}

void EntrySummaries::Clear() {
  records_.clear();
  store_.Clear();
}

static int SummariseEntry(void* context, int, const BibBlock& entry) {
  static_cast<EntrySummaries*>(context)->Add(entry);
  return 0;
}

void ReadSummarisedBibFile(const char* data, std::size_t size, BibFile* file,
                           EntrySummaries* summaries) {
  summaries->Clear();
  // The records of a large library are made room for once, not copied
  // as they grow.
  summaries->Reserve(CountAtSigns(data, size));
  ReadBibFileVisiting(data, size, file, SummariseEntry, summaries);
}

ParsedEntries::ParsedEntries(const BibFile* file, const char* data, std::size_t size,
                             EntrySummaries* summaries)
    : file_(file), data_(data), size_(size), line_end_(LineEndOf(data, size)) {
  for (std::size_t b = 0; b < file_->blocks.size(); b++) {
    const BibBlock& block = file_->blocks[b];
    if (block.kind == BIB_ENTRY) entries_.push_back(static_cast<int>(b));
    if (block.kind == BIB_STRING) definitions_[LowerCase(block.key)].push_back(static_cast<int>(b));
  }
  if (summaries != nullptr && summaries->Count() == entries_.size()) {
    std::swap(summaries_, *summaries);
  }
}

// Made on first use: a source used only to copy entries (the reduced file
// of extract) needs no summaries.
void ParsedEntries::SummariseAll() {
  summaries_.Clear();
  for (int block : entries_) summaries_.Add(file_->blocks[block]);
}

void ParsedEntries::SummaryOf(std::size_t entry, entry_fields* fields) {
  if (summaries_.Count() != entries_.size()) SummariseAll();
  summaries_.Get(entry, fields);
}

int ParsedEntries::NextEntry(entry_fields* fields, EntryPlace* place) {
  if (next_ >= entries_.size()) return 0;
  SummaryOf(next_, fields);
  place->offset = static_cast<long long>(file_->blocks[entries_[next_]].begin);
  next_++;
  return 1;
}

std::size_t ParsedEntries::FirstEntryFrom(EntryPlace place) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), place.offset,
                             [this](int block, long long offset) {
                               return static_cast<long long>(file_->blocks[block].begin) < offset;
                             });
  return static_cast<std::size_t>(it - entries_.begin());
}

void ParsedEntries::Seek(EntryPlace place) { next_ = FirstEntryFrom(place); }

long ParsedEntries::EntryNumberAt(EntryPlace place) const {
  std::size_t entry = FirstEntryFrom(place);
  if (entry == entries_.size()) return -1;
  bool starts_there = static_cast<long long>(file_->blocks[entries_[entry]].begin) == place.offset;
  return starts_there ? static_cast<long>(entry) : -1;
}

int ParsedEntries::BlockAt(EntryPlace place) const {
  long entry = EntryNumberAt(place);
  return entry < 0 ? -1 : BlockOfEntry(static_cast<std::size_t>(entry));
}

const std::vector<int>* ParsedEntries::DefinitionsOf(const std::string& name) const {
  auto it = definitions_.find(name);
  return it == definitions_.end() ? nullptr : &it->second;
}

int ParsedEntries::DefinitionFor(const std::string& name, int before) const {
  const std::vector<int>* definitions = DefinitionsOf(name);
  if (definitions == nullptr) return -1;
  // The last definition before the use is the one BibTeX applies; a use
  // before any definition still needs one in the output, so take the first.
  int chosen = definitions->front();
  for (int block : *definitions) {
    if (block < before) chosen = block;
  }
  return chosen;
}

std::set<int>& ParsedEntries::WrittenTo(std::FILE* out) {
  auto found = strings_written_.find(out);
  if (found != strings_written_.end()) return found->second;
  WriteSourceText(data_, 0, ByteOrderMarkLength(data_, size_), out);
  return strings_written_[out];
}

void ParsedEntries::WriteStringsFor(int block, std::FILE* out) {
  std::set<int>& written = WrittenTo(out);
  for (const std::string& name : file_->blocks[block].macros) {
    int definition = DefinitionFor(name, block);
    if (definition < 0 || !written.insert(definition).second) continue;
    WriteStringsFor(definition, out);  // the macros its own value uses
    const BibBlock& string_block = file_->blocks[definition];
    WriteSourceText(data_, string_block.begin, string_block.end, out);
    std::fputs(line_end_, out);
  }
}

int ParsedEntries::CopyEntry(EntryPlace place, std::FILE* out) {
  int block = BlockAt(place);
  if (block < 0) return 0;
  WriteStringsFor(block, out);
  WriteEntryText(data_, file_->blocks[block], nullptr, out);
  std::fputs(line_end_, out);
  return 1;
}
