// The groups of entry types that decide which values tell two entries
// apart.  The type is the text between "@" and "{" of the first line and
// must match whole: 'ARTICLE ' (from '@ARTICLE {') and 'BOOKLET' belong to
// no group, so such entries are never judged equal to another.
#ifndef TAMREL_SCAN_ENTRY_GROUP_H
#define TAMREL_SCAN_ENTRY_GROUP_H

enum EntryGroup {
  GROUP_NONE,
  GROUP_BOOK,     // BOOK, PHDTHESIS, INCOLLECTION, INPROCEEDINGS: author and title
  GROUP_ARTICLE,  // ARTICLE: volume, first page, journal and year
  GROUP_MISC      // MISC: note (compare only)
};

EntryGroup GroupOfType(const char* type);

#endif
