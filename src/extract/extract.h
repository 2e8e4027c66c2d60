// The extract operation: from a LaTeX document (first file slot) and a
// BibTeX library (second slot), writes beside the library the item file,
// the reduced BibTeX file and the bibitem file.
#ifndef TAMREL_EXTRACT_EXTRACT_H
#define TAMREL_EXTRACT_EXTRACT_H

int Extract();

#endif
