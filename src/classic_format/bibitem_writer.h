// The bibitem writer: typesets the entries of the reduced BibTeX file as
// LaTeX \bibitem references in a journal style.
#ifndef TAMREL_CLASSIC_FORMAT_BIBITEM_WRITER_H
#define TAMREL_CLASSIC_FORMAT_BIBITEM_WRITER_H

#include <cstdio>

#include "scan/author.h"
#include "scan/line_reader.h"

// Reads the reduced BibTeX file from its start and writes, for each of
// entry_count entries (the number of entries copied into it), a line
// "\bibitem{KEY}" and the reference typeset from the entry's field lines.
// ARTICLE, BOOK, INCOLLECTION, PHDTHESIS and INPROCEEDINGS entries are
// typeset.  A first line that holds one of their markers but names another
// type ('@BOOKLET{') gets its "\bibitem" line alone; an entry whose first
// line holds none of them ('@MISC{') gets nothing and is passed over.
// style chooses the formats (none for CLASSIC_NO_STYLE: the "\bibitem"
// lines alone); page_range 0 keeps the first page only.
void WriteBibitems(LineReader* reduced, std::FILE* bibitems, int entry_count, ClassicStyle style,
                   int page_range);

// The type name of an entry's first line: the text from its second
// character up to its first "{", or up to the line end when the line has
// no "{".  '@ARTICLE{Smith2009,' gives 'ARTICLE'.
void EntryTypeName(const char* line, char* type, std::size_t type_size);

#endif
