// The clean-doubles operation: copies the BibTeX file of the first slot,
// leaving out repeated entries and giving a new key to an entry that reuses
// a key with other content, and logs every decision.
#ifndef TAMREL_CLEAN_CLEAN_H
#define TAMREL_CLEAN_CLEAN_H

// 1 from the moment a key conflict is found until the entry's first line
// has its new key; 0 whenever a run begins or ends.
extern int FLAG_DOUBLE_BIBITEM;

int Clean();

#endif
