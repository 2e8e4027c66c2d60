// Name lists (read by text/bibtex_names.h as BibTeX reads them) written in
// the order and punctuation of each journal style.
#ifndef TAMREL_TYPESET_NAMES_H
#define TAMREL_TYPESET_NAMES_H

#include <string>

#include "app/state.h"
#include "text/bibtex_names.h"

// The list in the style's form; "" for an empty list.
std::string FormatNameList(const NameList& list, JournalStyle style);

#endif
