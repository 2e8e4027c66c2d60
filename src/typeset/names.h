// Name lists (read by text/bibtex_names.h as BibTeX reads them) written in
// the order and punctuation of each journal style.
#ifndef TAMREL_TYPESET_NAMES_H
#define TAMREL_TYPESET_NAMES_H

#include <string>

#include "text/bibtex_names.h"
#include "typeset/styles.h"

// The list in the given form; "" for an empty list.
std::string FormatNameList(const NameList& list, NameForm form);

#endif
