// Prints what the citation finder reads of a document, one item a line,
// for the differential tests against pdflatex and bibtex:
//   key<TAB>K       each distinct key, in order of first citation ("*" too)
//   bibdata<TAB>N   each library name, as written
//   read<TAB>P      each file read, the main one first
//   missing<TAB>N   each file pulled in but not found
// Exit status 1 when the document cannot be read.
#include <cstdio>
#include <string>
#include <vector>

#include "latex/citations.h"

static void PrintAll(const char* label, const std::vector<std::string>& items) {
  for (const std::string& item : items) std::printf("%s\t%s\n", label, item.c_str());
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: citations_driver DOCUMENT\n");
    return 2;
  }
  DocumentCitations citations;
  if (!CollectDocumentCitations(argv[1], &citations)) {
    std::fprintf(stderr, "citations_driver: cannot read %s\n", argv[1]);
    return 1;
  }
  PrintAll("key", citations.keys);
  PrintAll("bibdata", citations.bibdata);
  PrintAll("read", citations.files_read);
  PrintAll("missing", citations.files_missing);
  return 0;
}
