#include "classic_format/key_index.h"

#include <cstring>

static const long long kUnplaced = -1;

// A line holds "{K," for a key K (which never holds a comma, as keys are
// split at commas) exactly when K is the text between one of its "{" and
// the first "," after that brace.  So each brace of the line names at most
// one key, and a line costs one look-up per brace.
void CitedKeyIndex::NoteKeysOf(const char* line, LinePosition position) {
  // The search is a C string search: it ends at a NUL byte.
  std::size_t length = std::strlen(line);
  std::size_t next_comma[LINE_SIZE + 1];
  std::size_t comma = length;
  for (std::size_t i = length + 1; i-- > 0;) {
    if (i < length && line[i] == ',') comma = i;
    next_comma[i] = comma;
  }
  std::string key;
  for (std::size_t p = 0; p < length && unplaced_ > 0; p++) {
    if (line[p] != '{' || next_comma[p] == length) continue;
    key.assign(line + p + 1, next_comma[p] - p - 1);
    auto it = first_.find(key);
    if (it != first_.end() && it->second.offset == kUnplaced) {
      it->second = position;
      unplaced_--;
    }
  }
}

void CitedKeyIndex::Build(LineReader* library, const std::vector<std::string>& keys) {
  first_.clear();
  for (const std::string& key : keys) first_.emplace(key, LinePosition{kUnplaced});
  unplaced_ = first_.size();
  char line[LINE_SIZE];
  while (unplaced_ > 0) {
    LinePosition position = SaveLinePosition(library);
    if (ReadLine(library, line) == 0) break;
    NoteKeysOf(line, position);
  }
  // Read on to the end only when a key is still unplaced: it is the place
  // where the search for such a key ends.
  end_ = SaveLinePosition(library);
}

LinePosition CitedKeyIndex::FirstLineFor(const std::string& key) const {
  auto it = first_.find(key);
  if (it == first_.end() || it->second.offset == kUnplaced) return end_;
  return it->second;
}
