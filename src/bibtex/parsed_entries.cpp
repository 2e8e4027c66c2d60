#include "bibtex/parsed_entries.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

std::string Lower(const std::string& text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string Trimmed(const std::string& text) {
  std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return std::string();
  std::size_t end = text.find_last_not_of(' ');
  return text.substr(begin, end - begin + 1);
}

const std::string& ValueOf(const BibBlock& entry, const char* name) {
  static const std::string kEmpty;
  const BibField* field = FindField(entry, name);
  return field != nullptr ? field->value : kEmpty;
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
  std::string doi = Lower(Trimmed(value));
  static const char* const kPrefixes[] = {"https://doi.org/", "http://doi.org/",
                                          "https://dx.doi.org/", "http://dx.doi.org/", "doi:"};
  for (const char* prefix : kPrefixes) {
    std::size_t length = std::strlen(prefix);
    if (doi.compare(0, length, prefix) == 0) return Trimmed(doi.substr(length));
  }
  return doi;
}

// The type and every field as one text, fields sorted by name, each part
// preceded by its length so that no two entries give the same text by
// accident.  A field written twice with the same value counts once (an
// export that repeats a note is still the same entry); written twice with
// two values, both count, so two entries that differ only there differ.
std::string ContentText(const BibBlock& entry) {
  std::vector<const BibField*> fields;
  for (const BibField& field : entry.fields) fields.push_back(&field);
  std::stable_sort(fields.begin(), fields.end(),
                   [](const BibField* a, const BibField* b) { return a->name < b->name; });
  auto repeated = [](const BibField* a, const BibField* b) {
    return a->name == b->name && a->value == b->value;
  };
  fields.erase(std::unique(fields.begin(), fields.end(), repeated), fields.end());
  std::string text = Lower(entry.type);
  for (const BibField* field : fields) {
    text += "|" + std::to_string(field->name.size()) + ":" + field->name;
    text += std::to_string(field->value.size()) + ":" + field->value;
  }
  return text;
}

}  // namespace

void SummarizeBibEntry(const BibBlock& entry, entry_fields* fields) {
  fields->key = entry.key;
  fields->type = entry.type;
  fields->journal = ValueOf(entry, "journal");
  fields->year = ValueOf(entry, "year");
  fields->volume = ValueOf(entry, "volume");
  fields->pages = FirstPage(ValueOf(entry, "pages"));
  fields->author = ValueOf(entry, "author");
  fields->title = ValueOf(entry, "title");
  fields->note = ValueOf(entry, "note");
  fields->doi = BareDoi(ValueOf(entry, "doi"));
  fields->content = ContentText(entry);
}

void WriteSourceText(const char* data, std::size_t begin, std::size_t end, std::FILE* out) {
  std::size_t from = begin;
  for (std::size_t i = begin; i < end; i++) {
    if (data[i] == '\r' && i + 1 < end && data[i + 1] == '\n') {
      std::fwrite(data + from, 1, i - from, out);
      from = i + 1;
    }
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

ParsedEntries::ParsedEntries(const BibFile* file, const char* data, std::size_t size)
    : file_(file), data_(data), size_(size) {
  for (std::size_t b = 0; b < file_->blocks.size(); b++) {
    const BibBlock& block = file_->blocks[b];
    if (block.kind == BIB_ENTRY) entries_.push_back(static_cast<int>(b));
    if (block.kind == BIB_STRING) definitions_[Lower(block.key)].push_back(static_cast<int>(b));
  }
}

int ParsedEntries::NextEntry(entry_fields* fields, EntryPlace* place) {
  if (next_ >= entries_.size()) return 0;
  const BibBlock& block = file_->blocks[entries_[next_++]];
  place->offset = static_cast<long long>(block.begin);
  SummarizeBibEntry(block, fields);
  return 1;
}

EntryPlace ParsedEntries::Tell() const {
  if (next_ >= entries_.size()) return EntryPlace{static_cast<long long>(size_)};
  return EntryPlace{static_cast<long long>(file_->blocks[entries_[next_]].begin)};
}

void ParsedEntries::Seek(EntryPlace place) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), place.offset,
                             [this](int block, long long offset) {
                               return static_cast<long long>(file_->blocks[block].begin) < offset;
                             });
  next_ = static_cast<std::size_t>(it - entries_.begin());
}

int ParsedEntries::BlockAt(EntryPlace place) const {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), place.offset,
                             [this](int block, long long offset) {
                               return static_cast<long long>(file_->blocks[block].begin) < offset;
                             });
  if (it == entries_.end() || static_cast<long long>(file_->blocks[*it].begin) != place.offset) {
    return -1;
  }
  return *it;
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
