// Fuzzes the line primitives and the output-path rule on arbitrary lines.
#include <cstdint>
#include <cstring>

#include "scan/markers.h"
#include "files/output_path.h"
#include "scan/primitives.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A line as the line read delivers it: at most 511 bytes and a NUL.
  char line[LINE_SIZE];
  std::size_t length = size < LINE_SIZE - 1 ? size : LINE_SIZE - 1;
  std::memcpy(line, data, length);
  line[length] = '\0';

  char out[LINE_SIZE];
  static const char* const kDelimiters[][2] = {{"{", ","}, {"@", "{"}, {"{", "}"}, {"|", "|"}};
  for (const auto& d : kDelimiters) FindBibTag(line, out, d[0], d[1]);
  entry_rest(line, out);
  HoldsEntryMarker(line, MARKERS_SIX);
  HoldsEntryMarker(line, MARKERS_WITH_MISC);

  // The renaming buffer of clean doubles: room for a few more characters.
  char renamed[LINE_SIZE + 8];
  std::memcpy(renamed, line, length + 1);
  FindBibTag(line, out, "{", ",");
  std::strncat(out, "_zz", sizeof out - std::strlen(out) - 1);
  ReplaceStringInString(renamed, out, "{", ",", sizeof renamed);

  // A file slot holds at most 255 characters.
  char slot[256];
  std::size_t slot_length = length < sizeof slot - 1 ? length : sizeof slot - 1;
  std::memcpy(slot, line, slot_length);
  slot[slot_length] = '\0';
  DeriveOutputPath(slot, "_extract_bibitems.tex", out);
  return 0;
}
