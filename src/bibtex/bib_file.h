// A BibTeX file as BibTeX itself reads it: a sequence of blocks that covers
// every byte of the file, in order.  Entries know their exact source text
// (a byte range) and line, their type, key and fields; @string, @preamble,
// @comment and the text between entries are blocks of their own, and an
// entry that cannot be read is kept as a malformed block, never dropped.
#ifndef TAMREL_BIBTEX_BIB_FILE_H
#define TAMREL_BIBTEX_BIB_FILE_H

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "text/ascii_case.h"  // LowerCase, SameIgnoringCase: BibTeX's case fold

enum BibBlockKind {
  BIB_TEXT,       // text between blocks (BibTeX ignores it)
  BIB_ENTRY,      // @type{key, name = value, ...} or @type(key, ...)
  BIB_STRING,     // @string{name = value}
  BIB_PREAMBLE,   // @preamble{...}
  BIB_COMMENT,    // @comment{...}, or @comment and the rest of its line
  BIB_MALFORMED   // an "@" block that could not be read; its text is kept
};

// Holds the text of a file's values.  A value never moves once stored, so
// the fields can refer to it; one large library's values take a handful of
// allocations instead of one each.
class ValueStore {
 public:
  std::string_view Store(const std::string& text);
  // Room for size bytes that stay where they are (nullptr for none).
  char* Allocate(std::size_t size);
  void Clear();

  // Where the store stands, and going back there: the values stored since
  // are given up (an entry whose fields are not kept).
  struct Mark {
    std::size_t chunks;
    std::size_t used;
  };
  Mark Here() const { return Mark{chunks_.size(), used_}; }
  void Rewind(Mark mark);

 private:
  std::vector<std::unique_ptr<char[]>> chunks_;
  std::size_t used_ = 0;  // in the last chunk
  std::size_t room_ = 0;  // of the last chunk
};

struct BibField {
  std::string_view name;    // lower case, as BibTeX compares field names;
                            // held as the value is
  std::string_view value;   // macros expanded, "#" joined, outer delimiters
                            // removed, inner braces kept, white space runs
                            // made one blank, no blank at either end; the
                            // text is held by the file's ValueStore, or is
                            // the read bytes themselves where it needed no
                            // change (so those bytes must outlive the file)
  std::size_t value_begin = 0;  // the value as written, "#" parts and all:
  std::size_t value_end = 0;    // [value_begin, value_end) of the file
};

struct BibBlock {
  BibBlockKind kind = BIB_TEXT;
  int line = 1;           // line of begin, from 1
  std::size_t begin = 0;  // [begin, end): the block's bytes in the file;
  std::size_t end = 0;    // an entry ends with its closing delimiter

  // Entries: the type as written ("Article") and the key as written; the
  // key's bytes are [key_begin, key_end).  The key may be empty ("@Book{,"
  // is an entry to BibTeX too).  @string: the macro's name (as written) in
  // key, and in fields[0] that name in lower case with its expanded value.
  // @preamble: fields[0] holds its value, with an empty name.  Every block
  // that is no entry and no @string has key_begin == key_end == begin.
  // Malformed blocks keep the type that their "@" gave.
  std::string_view type;  // the file's own bytes, as the values may be
  std::string_view key;
  std::size_t key_begin = 0;
  std::size_t key_end = 0;
  std::vector<BibField> fields;  // in the order written

  // The @string macros the values use (lower case, each once, in order of
  // first use), defined or not: a reduced file must bring their definitions.
  // The month names (jan..dec) count too when used; they need a definition
  // only where the file gives one.
  std::vector<std::string> macros;

  // What is wrong, e.g. "missing '='" or "no key": for malformed blocks,
  // and for blocks read as bibtex reads them up to an error.
  std::string_view problem;
};

struct BibFile {
  std::vector<BibBlock> blocks;  // every byte of the file, in order
  // Problems found on the way (syntax errors, malformed blocks, undefined
  // macros), each with its line, in file order: "line 12: no key" (the
  // malformed block's first line), "line 14: missing '='; the entry 'k'
  // (line 10) is read up to there, as bibtex reads it" (the error's line),
  // "line 14: undefined string 'foo'" (the line where the macro is used, as
  // BibTeX reports it).  Undefined macros inside a malformed block are not
  // reported; the block is.
  std::vector<std::string> problems;
  ValueStore values;  // the text of the values that are not the file's own bytes
};

// Reads size bytes of BibTeX (not NUL-terminated; NUL bytes are text) into
// file, replacing what it held.  The bytes must stay as they are while the
// file's values are used.  Never fails.  It reads as bibtex 0.99d does: an
// entry whose key was read is an entry, however broken what follows (its
// problem says what, it keeps the fields before the error), and so is a
// @string or @preamble whose value was read; only an "@" block bibtex
// reads nothing from (no key before the end of the file) is malformed.
// After an error reading resumes at the next "@" from where bibtex stood
// (for an entry whose key came before, in any letter case: from its key);
// on the file's last line nothing after the first block is read, as
// bibtex reads no further there.  An undefined macro reads as its name, as
// written (BibTeX prints nothing there, with a warning; the name shows the
// user which string is missing).  Problems name the error and its line,
// e.g. "missing field name", "missing '='", "bad value", "missing ','
// between fields", "entry not closed" (an "@" where a field should be),
// "end of file inside the entry", "the value opened here never closes",
// "no key", "no string name", "string not closed", "preamble not closed".
void ReadBibFile(const char* data, std::size_t size, BibFile* file);

// Called with each entry as soon as it has been read, fields and all.  It
// returns 1 to keep the fields in the block, 0 to let them go (the block
// keeps its range, type, key and macros): a caller that needs a few values
// of each entry, or the fields of a few entries, then holds no more.
typedef int (*BibEntryVisitor)(void* context, int entry_number, const BibBlock& entry);

// The number of "@" signs in data: every block but text starts with one,
// so it bounds the entries a file holds, and a reader sizes its arrays by
// it once.
std::size_t CountAtSigns(const char* data, std::size_t size);

// ReadBibFile, handing each entry (numbered from 0) to visit.
void ReadBibFileVisiting(const char* data, std::size_t size, BibFile* file, BibEntryVisitor visit,
                         void* context);

// The @string macros in force, by lower-case name, with their values.
typedef std::unordered_map<std::string, std::string> BibMacros;

// ReadBibFileVisiting (visit may be null) for one of several files that
// bibtex reads in turn, as it reads a document's libraries: the macros in
// *macros (those of the files read before) are known from the start, and
// *macros is left holding those in force at the end of this file.
void ReadBibFileWithMacros(const char* data, std::size_t size, BibFile* file,
                           BibEntryVisitor visit, void* context, BibMacros* macros);

// The value of the named field (lower case name), or nullptr.
const BibField* FindField(const BibBlock& block, const char* name);

// 1 when the block is an entry whose type is name, compared ignoring case.
int EntryTypeIs(const BibBlock& block, const char* name);

#endif
