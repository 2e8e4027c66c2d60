// The BibTeX reader as an entry source for compare and clean doubles: the
// entries of a parsed file in order, summarised from their parsed values,
// and copied as their exact source text together with the @string
// definitions they use, so that each output runs through bibtex alone.
#ifndef TAMREL_BIBTEX_PARSED_ENTRIES_H
#define TAMREL_BIBTEX_PARSED_ENTRIES_H

#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "bibtex/bib_file.h"
#include "entry/entry_source.h"
#include "entry/text_hash.h"

// Writes bytes [begin, end) of data as they stand: a copy keeps its
// input's line ends, CR LF or LF, on every system (the output is opened
// to take bytes, OUTPUT_BYTES).
void WriteSourceText(const char* data, std::size_t begin, std::size_t end, std::FILE* out);

// The line end a file uses, as its first line ends: "\r\n" or "\n" (for a
// file of one line).  Copies put it after each block they add, so that an
// output never mixes line ends its input did not mix.
const char* LineEndOf(const char* data, std::size_t size);

// The length of the UTF-8 byte-order mark data starts with: 3, or 0.  A
// file of copies starts with its input's mark, so that editors that rely
// on it still read the copies as UTF-8.
std::size_t ByteOrderMarkLength(const char* data, std::size_t size);

// Writes the source text of an entry, with key in place of its own key
// when key is not null.
void WriteEntryText(const char* data, const BibBlock& entry, const char* key, std::FILE* out);

// Every entry's summary, in entry order, held compactly: one small record
// per entry, its texts side by side in one store, so that a large library
// costs little more memory than its summaries' bytes.
class EntrySummaries {
 public:
  // Appends the summary of entry: key and type as written, values as
  // BibTeX reads them (journaltitle and date standing in for a missing
  // journal and year), pages cut to the first page, the DOI in lower case
  // without its resolver prefix, and content: a digest of the type (in
  // lower case) and every field, sorted by name.
  void Add(const BibBlock& entry);
  std::size_t Count() const { return records_.size(); }
  // Makes room for about `entries` summaries at once.
  void Reserve(std::size_t entries) { records_.reserve(entries); }
  // Fills fields with the summary of entry number `entry`.
  void Get(std::size_t entry, entry_fields* fields) const;
  void Clear();

 private:
  enum { kTexts = 12 };
  struct Record {
    const char* texts;                // the texts, one after another, in the store
    std::uint32_t sizes[kTexts];      // key, type, journal, year, volume, pages,
                                      // author, title, note, editor, edition, doi
    TextDigest content;
  };
  std::vector<Record> records_;
  ValueStore store_;
  std::string doi_;
};

// Reads a BibTeX file for compare and clean doubles: every entry summarised
// as it is read, its fields then let go, so a large library costs its
// summaries and not every field of every entry.
void ReadSummarisedBibFile(const char* data, std::size_t size, BibFile* file,
                           EntrySummaries* summaries);

class ParsedEntries : public LibraryEntries {
 public:
  // data must stay as it is while the source is used.  summaries, when
  // given, holds every entry's summary (ReadSummarisedBibFile) and is taken
  // over; otherwise the entries are summarised from their fields when one
  // is first read.
  ParsedEntries(const BibFile* file, const char* data, std::size_t size,
                EntrySummaries* summaries = nullptr);

  int NextEntry(entry_fields* fields, EntryPlace* place) override;
  void Seek(EntryPlace place) override;
  int CopyEntry(EntryPlace place, std::FILE* out) override;
  std::size_t EntryCountHint() const override { return entries_.size(); }

  // The block of the entry that starts at place, or -1.
  int BlockAt(EntryPlace place) const;

  // The number (from 0, in file order) of the entry that starts at place,
  // or -1.
  long EntryNumberAt(EntryPlace place) const;

  // The block of entry number `entry`.
  int BlockOfEntry(std::size_t entry) const { return entries_[entry]; }

  // Fills fields with the summary of entry number `entry`, as NextEntry
  // gives it.
  void SummaryOf(std::size_t entry, entry_fields* fields);

  // Writes to out, once per output, the @string blocks that the block uses
  // (and those their values use), each before its first use.
  void WriteStringsFor(int block, std::FILE* out);

  // The @string blocks that define name (lower case), in file order, or
  // nullptr when none does.
  const std::vector<int>* DefinitionsOf(const std::string& name) const;

 private:
  // The first entry (an index of entries_) that starts at place or later.
  std::size_t FirstEntryFrom(EntryPlace place) const;

  // Summarises every entry, when no summaries were given.
  void SummariseAll();

  // The @string block that defines name for a use in block `before`.
  int DefinitionFor(const std::string& name, int before) const;

  // The @string blocks written to out so far; the first call for an out
  // starts it with the input's byte-order mark.
  std::set<int>& WrittenTo(std::FILE* out);

  const BibFile* file_;
  const char* data_;
  std::size_t size_;
  const char* line_end_;
  std::vector<int> entries_;  // indexes of the entry blocks, in order
  std::size_t next_ = 0;      // the next entry to read, as an index of entries_
  EntrySummaries summaries_;
  std::unordered_map<std::string, std::vector<int>> definitions_;  // name -> @string blocks
  std::map<std::FILE*, std::set<int>> strings_written_;
};

#endif
