// Fuzzes entry_author in all three styles: the first line of the data is
// the field line, the rest the stream it may read on from.
#include <cstdint>
#include <string>

#include "app/state.h"
#include "harness_files.h"
#include "scan/author.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string path = WriteFuzzFile(data, size, "author.bib");
  static const JournalStyle kStyles[] = {STYLE_APS, STYLE_IOP, STYLE_ACS};
  for (JournalStyle style : kStyles) {
    std::FILE* file = OpenInputFile(path.c_str(), "r");
    if (file == nullptr) return 0;
    LineReader reader;
    OpenLineReader(&reader, file);
    char line[LINE_SIZE];
    char out[LINE_SIZE];
    SetJournalStyle(style);
    while (ReadLine(&reader, line) > 0) entry_author(line, out, &reader);
    std::fclose(file);
  }
  SetJournalStyle(STYLE_APS);
  return 0;
}
