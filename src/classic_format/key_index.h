// Where each cited key's entry starts in the library, found in one pass.
#ifndef TAMREL_CLASSIC_FORMAT_KEY_INDEX_H
#define TAMREL_CLASSIC_FORMAT_KEY_INDEX_H

#include <string>
#include <unordered_map>
#include <vector>

#include "scan/line_reader.h"

// For every cited key, the first line of the library that holds "{" key
// ",": the line where the search from the library's start would stop.
class CitedKeyIndex {
 public:
  // Reads the library from where it stands to its end (or until every key
  // is placed).
  void Build(LineReader* library, const std::vector<std::string>& keys);
  // The first line holding the search text of a key given to Build, or
  // the library's end when no line holds it.
  LinePosition FirstLineFor(const std::string& key) const;

 private:
  void NoteKeysOf(const char* line, LinePosition position);

  std::unordered_map<std::string, LinePosition> first_;
  std::size_t unplaced_ = 0;
  LinePosition end_{0};
};

#endif
