// Fuzzes entry_author in all three styles: the first line of the data is
// the field line, the rest the stream it may read on from.
#include <cstdint>
#include <string>

#include "harness_files.h"
#include "scan/author.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string path = WriteFuzzFile(data, size, "author.bib");
  static const ClassicStyle kStyles[] = {CLASSIC_APS, CLASSIC_IOP, CLASSIC_ACS};
  for (ClassicStyle style : kStyles) {
    std::FILE* file = OpenInputFile(path.c_str(), "r");
    if (file == nullptr) return 0;
    LineReader reader;
    OpenLineReader(&reader, file);
    char line[LINE_SIZE];
    char out[LINE_SIZE];
    while (ReadLine(&reader, line) > 0) entry_author(line, out, &reader, LINE_SIZE, style);
    std::fclose(file);
  }
  return 0;
}
