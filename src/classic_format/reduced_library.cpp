#include "classic_format/reduced_library.h"

#include <cstring>

#include "classic_format/key_index.h"
#include "scan/markers.h"

// Reads on until a line holds the search text; returns its length, or 0
// when the library ends first.
static std::size_t FindLineHolding(LineReader* library, const char* search, char* line) {
  std::size_t length;
  while ((length = ReadLine(library, line)) > 0) {
    if (std::strstr(line, search) != nullptr) return length;
  }
  return 0;
}

// Writes the found line and the rest of its entry.  The entry ends before
// the next line with an entry marker: the markers stand for the entry
// types JabRef writes in upper case, so an entry of another type that
// follows goes along with this one.
static void CopyEntry(LineReader* library, const char* first_line, std::size_t first_length,
                      std::FILE* reduced) {
  WriteLine(reduced, first_line, first_length);
  char line[LINE_SIZE];
  std::size_t length;
  while ((length = ReadLine(library, line)) > 0 && !HoldsEntryMarker(line, MARKERS_SIX)) {
    WriteLine(reduced, line, length);
  }
}

int CopyCitedEntries(LineReader* library, std::FILE* reduced, std::FILE* items,
                     const std::vector<std::string>& keys, std::vector<bool>* found, int indexed) {
  int found_count = 0;
  const LinePosition start = SaveLinePosition(library);
  if (found != nullptr) found->assign(keys.size(), false);
  // The index names the line where each search from the start would stop,
  // so the search below begins there and the library is read about once.
  CitedKeyIndex index;
  if (indexed) index.Build(library, keys);
  char line[LINE_SIZE];
  for (std::size_t k = 0; k < keys.size(); k++) {
    // The brace and the comma make the match exact at both ends: Smith
    // finds '@ARTICLE{Smith,' but not '@ARTICLE{Smith2001,'.
    const std::string search = "{" + keys[k] + ",";
    RestoreLinePosition(library, indexed ? index.FirstLineFor(keys[k]) : start);
    std::size_t length = FindLineHolding(library, search.c_str(), line);
    if (length == 0) continue;
    std::fprintf(items, "%s\n", keys[k].c_str());
    found_count++;
    if (found != nullptr) (*found)[k] = true;
    CopyEntry(library, line, length, reduced);
  }
  return found_count;
}
