#include "scan/line_reader.h"

#include <sys/stat.h>

#include <cstring>

#ifdef _WIN32
#define tamrel_fseek _fseeki64
#define tamrel_ftell _ftelli64
#else
#define tamrel_fseek fseeko
#define tamrel_ftell ftello
#endif

std::FILE* OpenInputFile(const char* path, const char* mode) {
  char binary_mode[8];
  std::snprintf(binary_mode, sizeof binary_mode, "%sb", mode);
  std::FILE* file = std::fopen(path, binary_mode);
  if (file == nullptr) return nullptr;
  struct stat status;
  if (fstat(fileno(file), &status) != 0 || (status.st_mode & S_IFMT) == S_IFDIR) {
    std::fclose(file);
    return nullptr;
  }
  return file;
}

void OpenLineReader(LineReader* reader, std::FILE* file) {
  reader->file = file;
  reader->buffer_offset = 0;
  reader->next = 0;
  reader->filled = 0;
  reader->wrote = 0;
}

// Moves the buffer on past the bytes delivered so far and fills it again.
static int Refill(LineReader* reader) {
  reader->buffer_offset += static_cast<long long>(reader->filled);
  reader->next = 0;
  reader->filled = 0;
  if (reader->wrote) {
    // The C library needs a seek between a write and a read.
    if (tamrel_fseek(reader->file, reader->buffer_offset, SEEK_SET) != 0) return 0;
    reader->wrote = 0;
  }
  reader->filled = std::fread(reader->buffer, 1, sizeof reader->buffer, reader->file);
  return reader->filled > 0;
}

static int NextByte(LineReader* reader) {
  if (reader->next == reader->filled && !Refill(reader)) return -1;
  return static_cast<unsigned char>(reader->buffer[reader->next++]);
}

static int PeekByte(LineReader* reader) {
  if (reader->next == reader->filled && !Refill(reader)) return -1;
  return static_cast<unsigned char>(reader->buffer[reader->next]);
}

std::size_t ReadLine(LineReader* reader, char* line) {
  std::size_t count = 0;
  while (count < static_cast<std::size_t>(LINE_SIZE - 1)) {
    int c = NextByte(reader);
    if (c < 0) break;
    if (c == '\r' && PeekByte(reader) == '\n') continue;  // CR LF reads as LF
    line[count++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  line[count] = '\0';
  return count;
}

LinePosition SaveLinePosition(const LineReader* reader) {
  return LinePosition{reader->buffer_offset + static_cast<long long>(reader->next)};
}

void RestoreLinePosition(LineReader* reader, LinePosition position) {
  long long start = reader->buffer_offset;
  long long end = start + static_cast<long long>(reader->filled);
  if (!reader->wrote && position.offset >= start && position.offset <= end) {
    reader->next = static_cast<std::size_t>(position.offset - start);
    return;
  }
  tamrel_fseek(reader->file, position.offset, SEEK_SET);
  reader->buffer_offset = position.offset;
  reader->next = 0;
  reader->filled = 0;
  reader->wrote = 0;
}

void RewindLines(LineReader* reader) { RestoreLinePosition(reader, LinePosition{0}); }

void AppendLine(LineReader* reader, const char* text, std::size_t length) {
  tamrel_fseek(reader->file, 0, SEEK_END);
  for (std::size_t i = 0; i < length; i++) {
#ifdef _WIN32
    if (text[i] == '\n') std::fputc('\r', reader->file);
#endif
    std::fputc(text[i], reader->file);
  }
  // The buffer no longer reflects the file: reading goes on at the end.
  reader->buffer_offset = tamrel_ftell(reader->file);
  reader->next = 0;
  reader->filled = 0;
  reader->wrote = 1;
}

void WriteLine(std::FILE* out, const char* line, std::size_t length) {
  std::fwrite(line, 1, length, out);
}
