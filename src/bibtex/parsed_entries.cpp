#include "bibtex/parsed_entries.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

std::string Trimmed(const std::string& text) {
  std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return std::string();
  std::size_t end = text.find_last_not_of(' ');
  return text.substr(begin, end - begin + 1);
}

// The first page of a range, whatever dash the entry writes: "-", "--",
// or the en and em dashes of UTF-8 and CP1252.
std::string FirstPage(const std::string& pages) {
  static const char* const kDashes[] = {"-", "\xE2\x80\x93", "\xE2\x80\x94", "\x96", "\x97"};
  std::size_t cut = pages.size();
  for (const char* dash : kDashes) cut = std::min(cut, pages.find(dash));
  return Trimmed(pages.substr(0, cut));
}

// A DOI as its resolver would take it: lower case, no address before it.
std::string BareDoi(const std::string& value) {
  std::string doi = LowerCase(Trimmed(value));
  static const char* const kPrefixes[] = {"https://doi.org/", "http://doi.org/",
                                          "https://dx.doi.org/", "http://dx.doi.org/", "doi:"};
  for (const char* prefix : kPrefixes) {
    std::size_t length = std::strlen(prefix);
    if (doi.compare(0, length, prefix) == 0) return Trimmed(doi.substr(length));
  }
  return doi;
}

// Two independent 64-bit hashes fed with the same bytes: 128 bits, so two
// different contents give the same digest about once in 10^38 pairs.
struct Digest {
  std::uint64_t fnv = 14695981039346656037ull;
  std::uint64_t mix = 0x9E3779B97F4A7C15ull;

  // Eight bytes at a time; the last few padded with zeros (the length
  // before every part keeps padding from making two parts alike).
  void Add(const char* data, std::size_t size) {
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8) AddWord(Load(data + i, 8));
    if (i < size) AddWord(Load(data + i, size - i));
  }
  static std::uint64_t Load(const char* data, std::size_t size) {
    std::uint64_t word = 0;
    std::memcpy(&word, data, size);
    return word;
  }
  void AddWord(std::uint64_t word) {
    fnv = (fnv ^ word) * 1099511628211ull;
    fnv ^= fnv >> 29;
    mix = (mix + word) * 0xBF58476D1CE4E5B9ull;
    mix ^= mix >> 31;
  }
  // A part preceded by its length, so that no two lists of parts feed the
  // same bytes.
  void AddPart(std::string_view part) {
    std::uint64_t size = part.size();
    Add(reinterpret_cast<const char*>(&size), sizeof size);
    Add(part.data(), part.size());
  }
  std::string Bytes() const {
    std::string bytes(16, '\0');
    std::memcpy(&bytes[0], &fnv, 8);
    std::memcpy(&bytes[8], &mix, 8);
    return bytes;
  }
};

// The type and every field, sorted by name, as a 16-byte digest: two
// entries have the same content exactly when their digests are equal (but
// for odds no library comes near), and comparing or copying it costs
// nothing whatever the abstracts hold.  A field written twice with the same
// value counts once (an export that repeats a note is still the same
// entry); written twice with two values, both count.
std::string ContentDigest(const BibBlock& entry) {
  // Sorted by name, ties in the order written; on the stack for any entry
  // of ordinary size.
  const BibField* on_stack[64];
  std::vector<const BibField*> on_heap;
  const BibField** fields = on_stack;
  std::size_t count = entry.fields.size();
  if (count > 64) {
    on_heap.resize(count);
    fields = on_heap.data();
  }
  for (std::size_t i = 0; i < count; i++) fields[i] = &entry.fields[i];
  std::sort(fields, fields + count, [](const BibField* a, const BibField* b) {
    return a->name != b->name ? a->name < b->name : a < b;
  });
  auto repeated = [](const BibField* a, const BibField* b) {
    return a->name == b->name && a->value == b->value;
  };
  count = static_cast<std::size_t>(std::unique(fields, fields + count, repeated) - fields);
  Digest digest;
  digest.AddPart(LowerCase(entry.type));
  for (std::size_t i = 0; i < count; i++) {
    digest.AddPart(fields[i]->name);
    digest.AddPart(fields[i]->value);
  }
  return digest.Bytes();
}

}  // namespace

void SummarizeBibEntry(const BibBlock& entry, entry_fields* fields) {
  // One pass over the fields; the first of a repeated name counts, as in
  // BibTeX.
  static const char* const kNames[] = {"journal", "year",  "volume", "pages", "author",
                                       "title",   "note",  "doi"};
  static const std::size_t kLengths[] = {7, 4, 6, 5, 6, 5, 4, 3};
  const std::string_view* values[8] = {};
  for (const BibField& field : entry.fields) {
    for (int n = 0; n < 8; n++) {
      if (values[n] == nullptr && field.name.size() == kLengths[n] &&
          std::memcmp(field.name.data(), kNames[n], kLengths[n]) == 0) {
        values[n] = &field.value;
      }
    }
  }
  auto value = [&](int n) -> std::string {
    return values[n] != nullptr ? std::string(*values[n]) : std::string();
  };
  fields->key = entry.key;
  fields->type = entry.type;
  fields->journal = value(0);
  fields->year = value(1);
  fields->volume = value(2);
  fields->pages = FirstPage(value(3));
  fields->author = value(4);
  fields->title = value(5);
  fields->note = value(6);
  fields->doi = BareDoi(value(7));
  fields->content = ContentDigest(entry);
}

void WriteSourceText(const char* data, std::size_t begin, std::size_t end, std::FILE* out) {
  std::size_t from = begin;
  for (std::size_t i = begin; i < end;) {
    const void* cr = std::memchr(data + i, '\r', end - i);
    if (cr == nullptr) break;
    i = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    if (i + 1 < end && data[i + 1] == '\n') {
      std::fwrite(data + from, 1, i - from, out);
      from = i + 1;
    }
    i++;
  }
  std::fwrite(data + from, 1, end - from, out);
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

static int SummariseEntry(void* context, int entry_number, const BibBlock& entry) {
  std::vector<entry_fields>* summaries = static_cast<std::vector<entry_fields>*>(context);
  if (static_cast<std::size_t>(entry_number) >= summaries->size()) summaries->resize(entry_number + 1);
  SummarizeBibEntry(entry, &(*summaries)[entry_number]);
  return 0;
}

void ReadSummarisedBibFile(const char* data, std::size_t size, BibFile* file,
                           std::vector<entry_fields>* summaries) {
  summaries->clear();
  ReadBibFileVisiting(data, size, file, SummariseEntry, summaries);
}

ParsedEntries::ParsedEntries(const BibFile* file, const char* data, std::size_t size,
                             std::vector<entry_fields>* summaries)
    : file_(file), data_(data), size_(size) {
  for (std::size_t b = 0; b < file_->blocks.size(); b++) {
    const BibBlock& block = file_->blocks[b];
    if (block.kind == BIB_ENTRY) entries_.push_back(static_cast<int>(b));
    if (block.kind == BIB_STRING) definitions_[LowerCase(block.key)].push_back(static_cast<int>(b));
  }
  if (summaries != nullptr && summaries->size() == entries_.size()) {
    summaries_.swap(*summaries);
    summarised_.assign(entries_.size(), 1);
  } else {
    summaries_.resize(entries_.size());
    summarised_.assign(entries_.size(), 0);
  }
}

// An entry is summarised once, the first time it is read: the searches of
// compare and clean doubles read some entries many times.
int ParsedEntries::NextEntry(entry_fields* fields, EntryPlace* place) {
  if (next_ >= entries_.size()) return 0;
  const BibBlock& block = file_->blocks[entries_[next_]];
  if (!summarised_[next_]) {
    SummarizeBibEntry(block, &summaries_[next_]);
    summarised_[next_] = 1;
  }
  *fields = summaries_[next_];
  next_++;
  place->offset = static_cast<long long>(block.begin);
  return 1;
}

EntryPlace ParsedEntries::Tell() const {
  if (next_ >= entries_.size()) return EntryPlace{static_cast<long long>(size_)};
  return EntryPlace{static_cast<long long>(file_->blocks[entries_[next_]].begin)};
}

std::size_t ParsedEntries::FirstEntryFrom(EntryPlace place) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), place.offset,
                             [this](int block, long long offset) {
                               return static_cast<long long>(file_->blocks[block].begin) < offset;
                             });
  return static_cast<std::size_t>(it - entries_.begin());
}

void ParsedEntries::Seek(EntryPlace place) { next_ = FirstEntryFrom(place); }

int ParsedEntries::BlockAt(EntryPlace place) const {
  std::size_t entry = FirstEntryFrom(place);
  if (entry == entries_.size()) return -1;
  int block = entries_[entry];
  return static_cast<long long>(file_->blocks[block].begin) == place.offset ? block : -1;
}

int ParsedEntries::DefinitionFor(const std::string& name, int before) const {
  auto it = definitions_.find(name);
  if (it == definitions_.end()) return -1;
  // The last definition before the use is the one BibTeX applies; a use
  // before any definition still needs one in the output, so take the first.
  int chosen = it->second.front();
  for (int block : it->second) {
    if (block < before) chosen = block;
  }
  return chosen;
}

void ParsedEntries::WriteStringsFor(int block, std::FILE* out) {
  std::set<int>& written = strings_written_[out];
  for (const std::string& name : file_->blocks[block].macros) {
    int definition = DefinitionFor(name, block);
    if (definition < 0 || !written.insert(definition).second) continue;
    WriteStringsFor(definition, out);  // the macros its own value uses
    const BibBlock& string_block = file_->blocks[definition];
    WriteSourceText(data_, string_block.begin, string_block.end, out);
    std::fputc('\n', out);
  }
}

int ParsedEntries::CopyEntry(EntryPlace place, std::FILE* out) {
  int block = BlockAt(place);
  if (block < 0) return 0;
  WriteStringsFor(block, out);
  WriteEntryText(data_, file_->blocks[block], nullptr, out);
  std::fputc('\n', out);
  return 1;
}
