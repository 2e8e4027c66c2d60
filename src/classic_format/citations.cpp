#include "classic_format/citations.h"

#include <cstring>

// Adds a key unless an equal one (whole, case-sensitive) is held already.
static void AddCitedKey(CitedKeys* cited, const std::string& key) {
  if (cited->seen.insert(key).second) cited->keys.push_back(key);
}

// Splits one key list at its commas.  A trailing comma adds nothing, since
// the list is then empty; a leading one adds the empty key.
static void SplitKeyList(const char* list, std::size_t length, CitedKeys* cited) {
  std::size_t start = 0;
  while (start < length) {
    const void* comma = std::memchr(list + start, ',', length - start);
    std::size_t end = comma != nullptr ? static_cast<std::size_t>(static_cast<const char*>(comma) - list)
                                       : length;
    AddCitedKey(cited, std::string(list + start, end - start));
    start = comma != nullptr ? end + 1 : length;
  }
}

void CollectCitationsFromLine(const char* line, CitedKeys* cited) {
  const char* rest = line;
  const char* cite;
  while ((cite = std::strstr(rest, "\\cite{")) != nullptr) {
    const char* brace = cite + 5;  // the "{" that ends "\cite{"
    const char* end = brace + 1;
    while (*end != '\0' && *end != '}' && *end != '\n') end++;
    SplitKeyList(brace + 1, static_cast<std::size_t>(end - (brace + 1)), cited);
    // Go on from the brace itself, so that a "\cite{" inside this key list
    // is taken next, as is the next citation further along the line.
    rest = brace;
  }
}

void CollectCitedKeys(LineReader* document, CitedKeys* cited) {
  char line[LINE_SIZE];
  while (ReadLine(document, line) > 0) CollectCitationsFromLine(line, cited);
}
