// The BibTeX reader as an entry source for compare and clean doubles: the
// entries of a parsed file in order, summarised from their parsed values,
// and copied as their exact source text together with the @string
// definitions they use, so that each output runs through bibtex alone.
#ifndef TAMREL_BIBTEX_PARSED_ENTRIES_H
#define TAMREL_BIBTEX_PARSED_ENTRIES_H

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "bibtex/bib_file.h"
#include "entry/entry_source.h"

// Fills fields from a parsed entry: values as BibTeX reads them, pages cut
// to the first page, the DOI in lower case without its resolver prefix,
// and content: a digest of the type (in lower case) and every field,
// sorted by name.
void SummarizeBibEntry(const BibBlock& entry, entry_fields* fields);

// Writes bytes [begin, end) of data to a text-mode output with every
// carriage return before a line feed dropped, so the output has the host's
// line ends, as every other output.
void WriteSourceText(const char* data, std::size_t begin, std::size_t end, std::FILE* out);

// Writes the source text of an entry, with key in place of its own key
// when key is not null.
void WriteEntryText(const char* data, const BibBlock& entry, const char* key, std::FILE* out);

// Reads a BibTeX file for compare and clean doubles: every entry summarised
// as it is read, its fields then let go, so a large library costs its
// summaries and not every field of every entry.
void ReadSummarisedBibFile(const char* data, std::size_t size, BibFile* file,
                           std::vector<entry_fields>* summaries);

class ParsedEntries : public EntrySource {
 public:
  // data must stay as it is while the source is used.  summaries, when
  // given, holds every entry's summary (ReadSummarisedBibFile) and is taken
  // over; otherwise each entry is summarised from its fields when first read.
  ParsedEntries(const BibFile* file, const char* data, std::size_t size,
                std::vector<entry_fields>* summaries = nullptr);

  int NextEntry(entry_fields* fields, EntryPlace* place) override;
  EntryPlace Tell() const override;
  void Seek(EntryPlace place) override;
  int CopyEntry(EntryPlace place, std::FILE* out) override;

  // The block of the entry that starts at place, or -1.
  int BlockAt(EntryPlace place) const;

  // The summary of the entry that starts at place, as NextEntry gives it,
  // or nullptr.  It stays where it is while the source lives.
  const entry_fields* SummaryAt(EntryPlace place);

  // Writes to out, once per output, the @string blocks that the block uses
  // (and those their values use), each before its first use.
  void WriteStringsFor(int block, std::FILE* out);

 private:
  // The first entry (an index of entries_) that starts at place or later.
  std::size_t FirstEntryFrom(EntryPlace place) const;

  // The entry that starts at place (an index of entries_), or entries_.size().
  std::size_t EntryAt(EntryPlace place) const;

  const entry_fields& Summary(std::size_t entry);

  // The @string block that defines name for a use in block `before`.
  int DefinitionFor(const std::string& name, int before) const;

  const BibFile* file_;
  const char* data_;
  std::size_t size_;
  std::vector<int> entries_;  // indexes of the entry blocks, in order
  std::size_t next_ = 0;      // the next entry to read, as an index of entries_
  std::vector<entry_fields> summaries_;  // per entry, once read
  std::vector<char> summarised_;
  std::unordered_map<std::string, std::vector<int>> definitions_;  // name -> @string blocks
  std::map<std::FILE*, std::set<int>> strings_written_;
};

#endif
