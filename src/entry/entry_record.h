// What the compare and clean-doubles operations know of one entry, whichever
// reader found it: key and type, the values their rules compare, and for the
// BibTeX reader the DOI and every field.  Values are compared as texts, so
// each reader hands them over in the form its rules compare.
#ifndef TAMREL_ENTRY_ENTRY_RECORD_H
#define TAMREL_ENTRY_ENTRY_RECORD_H

#include <string>

#include "entry/text_hash.h"

struct entry_fields {
  std::string key;
  std::string type;
  std::string journal;
  std::string year;
  std::string volume;
  std::string pages;  // the first page only
  std::string author;
  std::string title;
  std::string note;
  // The BibTeX reader only (the line rules leave them empty): the editors
  // and the edition, which tell a book's works apart, the DOI in lower
  // case, and a digest of the type and every field, so that two entries
  // with the same content compare equal whatever their layout.
  std::string editor;
  std::string edition;
  std::string doi;
  TextDigest content;
};

// Where an entry starts in its file: a byte offset, so places compare in
// file order whichever reader made them.
struct EntryPlace {
  long long offset;
};

#endif
