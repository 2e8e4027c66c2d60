// The citations a compiled .aux file records: the \citation lines LaTeX
// writes for every \cite, the \bibdata line of \bibliography, and the
// \@input lines of the .aux files of \include'd chapters.
#include <cstring>

#include "latex/citations.h"

enum AuxCommand { AUX_CITATION, AUX_BIBDATA, AUX_INPUT, AUX_NONE };

static AuxCommand AuxCommandAt(const AuxScan* scan, std::size_t at, std::size_t* open) {
  static const char* const kNames[] = {"\\citation{", "\\bibdata{", "\\@input{"};
  for (int command = AUX_CITATION; command < AUX_NONE; command++) {
    if (TextStartsWith(scan->text, scan->size, at, kNames[command])) {
      *open = at + std::strlen(kNames[command]);
      return static_cast<AuxCommand>(command);
    }
  }
  return AUX_NONE;
}

// The first '}' at or after from (LaTeX writes these arguments without
// inner braces, and BibTeX ends them there), or size.  The last one found
// is kept, so that many unclosed lines do not make the scan quadratic.
static std::size_t ArgumentClose(AuxScan* scan, std::size_t from) {
  if (scan->next_close < from) {
    const void* close = std::memchr(scan->text + from, '}', scan->size - from);
    scan->next_close = close == nullptr ? scan->size : static_cast<std::size_t>(static_cast<const char*>(close) - scan->text);
  }
  return scan->next_close;
}

int ScanAuxCitations(AuxScan* scan, CitationCollector* collector, std::string* input_name) {
  while (scan->at < scan->size) {
    const void* backslash = std::memchr(scan->text + scan->at, '\\', scan->size - scan->at);
    if (backslash == nullptr) break;
    std::size_t at = static_cast<std::size_t>(static_cast<const char*>(backslash) - scan->text);
    std::size_t open = 0;
    AuxCommand command = AuxCommandAt(scan, at, &open);
    std::size_t close = command == AUX_NONE ? scan->size : ArgumentClose(scan, open);
    if (close == scan->size) {
      scan->at = at + 1;
      continue;
    }
    const char* argument = scan->text + open;
    std::size_t length = close - open;
    scan->at = close + 1;
    if (command == AUX_CITATION) AddListItems(argument, length, 0, &collector->out->keys, &collector->keys_seen);
    if (command == AUX_BIBDATA) AddListItems(argument, length, 0, &collector->out->bibdata, &collector->bibdata_seen);
    if (command == AUX_INPUT) {
      input_name->assign(argument, length);
      return 1;
    }
  }
  scan->at = scan->size;
  return 0;
}
