// The groups of entry types that decide which values tell two entries
// apart.
#ifndef TAMREL_MATCH_ENTRY_GROUP_H
#define TAMREL_MATCH_ENTRY_GROUP_H

#include <string>

enum EntryGroup {
  GROUP_NONE,
  GROUP_BOOK,     // BOOK, PHDTHESIS, INCOLLECTION, INPROCEEDINGS: author and title
  GROUP_ARTICLE,  // ARTICLE: volume, first page, journal and year
  GROUP_MISC      // MISC: note (compare only)
};

// How the readers hand over entries, and so how the rules compare them.
enum MatchRules {
  // The line rules: types as JabRef writes them, which must match whole
  // and in upper case ('ARTICLE ' from '@ARTICLE {' and 'BOOKLET' belong
  // to no group), and every value compared as it stands, empty or not.
  RULES_CLASSIC,
  // The BibTeX reader: types in any case, and values that prove nothing
  // when empty (see match_rules.h).
  RULES_PARSED
};

EntryGroup GroupOfType(const std::string& type, MatchRules rules);

// What kind of work an entry type names, for the BibTeX reader's rules:
// two entries of other kinds (a conference paper and its journal version,
// a chapter and its book) are never the same work by their values.  Types
// in any letter case; biblatex's names count with their BibTeX twins.
enum WorkKind {
  KIND_OTHER,        // misc, online, unpublished, ... : the note rule (compare) only
  KIND_ARTICLE,      // article
  KIND_BOOK,         // book, mvbook, booklet, manual
  KIND_CHAPTER,      // inbook, incollection
  KIND_PAPER,        // inproceedings, conference
  KIND_PROCEEDINGS,  // proceedings, mvproceedings
  KIND_THESIS,       // phdthesis, mastersthesis, thesis
  KIND_REPORT        // techreport, report
};

WorkKind KindOfType(const std::string& type);

#endif
