// The libraries of one extract run, as bibtex reads a document's
// databases: in turn and with one table of @string macros, so that a macro
// defined in one library is known in the next; a key is looked up in each
// library in order and the first that holds it wins (bibtex ignores a
// later entry with the same key as a repeated entry); a crossref may name
// an entry of another library.
#ifndef TAMREL_BIBTEX_FORMAT_LIBRARY_SET_H
#define TAMREL_BIBTEX_FORMAT_LIBRARY_SET_H

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bibtex/bib_file.h"
#include "bibtex/parsed_entries.h"
#include "bibtex_format/library_keys.h"
#include "files/file_bytes.h"

// One block of one library of the set.
struct BlockRef {
  int library = -1;
  int block = -1;
  bool Found() const { return library >= 0; }
  bool operator<(const BlockRef& other) const {
    return library != other.library ? library < other.library : block < other.block;
  }
};

class LibrarySet {
 public:
  // Takes the bytes of the library at path, after those loaded before.
  // Returns 0 with errno set when it cannot be read.
  int Load(const std::string& path);

  // Reads every library loaded, in order, with one table of macros;
  // visit (may be null) chooses whose fields are kept, as in
  // ReadBibFileVisiting, with entries numbered across the set.
  void Parse(BibEntryVisitor visit, void* context);

  int Count() const { return static_cast<int>(libraries_.size()); }
  const std::string& Path(int library) const { return libraries_[library]->path; }
  const BibFile& File(int library) const { return libraries_[library]->file; }
  const BibBlock& Block(BlockRef ref) const { return File(ref.library).blocks[ref.block]; }

  // The entry bibtex takes for key: the first library's that holds it, in
  // any letter case (case_differs says when the key is written otherwise).
  BlockRef Find(std::string_view key, int* case_differs) const;

  // A later library's entry with the same key as the one Find gave, which
  // bibtex ignores; not found when there is none.
  BlockRef FindRepeat(std::string_view key, BlockRef taken) const;

  // The entry a block's crossref names, or not found.
  BlockRef CrossrefTarget(BlockRef ref) const;

  // Where the copies go, and what was written to each already.
  struct Copies {
    std::FILE* out = nullptr;
    std::set<BlockRef> strings;  // @string blocks written
  };
  // Starts a file of copies with the first library's byte-order mark.
  Copies StartCopies(std::FILE* out) const;

  // Writes the @string definitions a block uses (and those their values
  // use), each once and before its first use.
  void WriteStringsFor(BlockRef ref, Copies* copies) const;

  // Writes a block's text as it stands, key replaced when key is not null,
  // and its library's line end.
  void WriteBlock(BlockRef ref, const char* key, Copies* copies) const;

  // Every @preamble of the set in order, each after the macros it uses.
  void WritePreambles(Copies* copies) const;

 private:
  struct Library {
    std::string path;
    FileBytes bytes;
    BibFile file;
    LibraryKeys keys;
    std::unique_ptr<ParsedEntries> entries;  // its @string definitions
    const char* line_end = "\n";
  };

  // The @string block that defines name for a use in ref: the last before
  // it in its own library, else the last of an earlier library, else (a
  // use before any definition, which bibtex leaves unexpanded) the first
  // after it in its own library.
  BlockRef DefinitionFor(const std::string& name, BlockRef use) const;

  std::vector<std::unique_ptr<Library>> libraries_;
};

#endif
