// The citations a compiled .aux file records: the \citation lines LaTeX
// writes for every \cite, the \bibdata line of \bibliography, and the
// \@input lines of the .aux files of \include'd chapters.
#include <cstring>

#include "latex/citations.h"

int ScanAuxCitations(AuxScan* scan, CitationCollector* collector, std::string* input_name) {
  static const char* const kCommands[] = {"\\citation{", "\\bibdata{", "\\@input{"};
  while (scan->at < scan->size) {
    const void* backslash = std::memchr(scan->text + scan->at, '\\', scan->size - scan->at);
    if (backslash == nullptr) break;
    std::size_t at = static_cast<std::size_t>(static_cast<const char*>(backslash) - scan->text);
    scan->at = at + 1;
    for (int i = 0; i < 3; i++) {
      std::size_t open = at + std::strlen(kCommands[i]);
      if (!TextStartsWith(scan->text, scan->size, at, kCommands[i])) continue;
      // LaTeX writes the argument without inner braces: it ends at the
      // first '}', as BibTeX reads it.
      const void* close = std::memchr(scan->text + open, '}', scan->size - open);
      if (close == nullptr) break;
      std::size_t length = static_cast<std::size_t>(static_cast<const char*>(close) - scan->text) - open;
      scan->at = open + length + 1;
      const char* argument = scan->text + open;
      if (i == 0) AddListItems(argument, length, &collector->out->keys, &collector->keys_seen);
      if (i == 1) AddListItems(argument, length, &collector->out->bibdata, &collector->bibdata_seen);
      if (i == 2) {
        input_name->assign(argument, length);
        return 1;
      }
      break;
    }
  }
  scan->at = scan->size;
  return 0;
}
