// Name lists (read by text/bibtex_names.h as BibTeX reads them) written in
// the order, initials and punctuation of a journal style.
#ifndef TAMREL_TYPESET_NAMES_H
#define TAMREL_TYPESET_NAMES_H

#include <string>

#include "text/bibtex_names.h"

enum NameOrder {
  GIVEN_FIRST,    // "J. A. Smith, Jr."
  SURNAME_COMMA,  // "Smith, J. A., Jr."
  SURNAME_SPACE   // "Smith Jr J A": the journal's full stops all dropped
};

// How a style writes a list of people.
struct NameStyle {
  NameOrder order;
  const char* between;      // between two names of a longer list
  const char* before_last;  // before the second of two names
  const char* before_last_of_many;  // before the last of three or more
  const char* et_al;        // after one name, when the list is cut or ends in "others"
  const char* et_al_after_many;  // after two names or more
  int cut_above;            // more names than this keep the first alone; 0 never
};

// The list in the given style; "" for an empty list.
std::string FormatNameList(const NameList& list, const NameStyle& style);

// Given names as initials, BibTeX's "f.": "Jean-Pierre Maria" gives
// "J.-P. M."; with dotted 0 "J-P M".  A word counts by its first letter,
// a braced group or an accent command as one letter.
std::string Initials(const std::string& given, int dotted);

#endif
