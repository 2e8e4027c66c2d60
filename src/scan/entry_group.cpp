#include "scan/entry_group.h"

#include <cstring>

EntryGroup GroupOfType(const char* type) {
  static const char* const kBookTypes[] = {"BOOK", "PHDTHESIS", "INCOLLECTION", "INPROCEEDINGS"};
  for (const char* book : kBookTypes) {
    if (std::strcmp(type, book) == 0) return GROUP_BOOK;
  }
  if (std::strcmp(type, "ARTICLE") == 0) return GROUP_ARTICLE;
  if (std::strcmp(type, "MISC") == 0) return GROUP_MISC;
  return GROUP_NONE;
}
