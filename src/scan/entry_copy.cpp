#include "scan/entry_copy.h"

int CopyEntryLines(LineReader* input, LinePosition start, EntryLineWriter write,
                   void* context) {
  char line[COPY_LINE_SIZE];
  RestoreLinePosition(input, start);
  for (;;) {
    std::size_t length = ReadLine(input, line);
    if (length == 0) return 0;
    write(context, line, length);
    if (line[0] == '}') return 1;
  }
}

static void WriteToFile(void* context, char* line, std::size_t length) {
  WriteLine(static_cast<std::FILE*>(context), line, length);
}

int CopyEntryToFile(LineReader* input, LinePosition start, std::FILE* output) {
  return CopyEntryLines(input, start, WriteToFile, output);
}
