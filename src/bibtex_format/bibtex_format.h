// BibTeX as BibTeX reads it, as a library format: any layout, macros,
// crossrefs, and LaTeX documents as LaTeX reads them.
#ifndef TAMREL_BIBTEX_FORMAT_BIBTEX_FORMAT_H
#define TAMREL_BIBTEX_FORMAT_BIBTEX_FORMAT_H

#include "library/library_format.h"

const LibraryFormat* BibtexLibraryFormat();

#endif
