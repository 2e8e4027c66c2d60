#include "scan/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#define tamrel_fseek _fseeki64
#define tamrel_ftell _ftelli64
#else
#define tamrel_fseek fseeko
#define tamrel_ftell ftello
#endif

LineReader::~LineReader() { CloseLineReader(this); }

void CloseLineReader(LineReader* reader) {
  std::free(reader->data);
  reader->data = nullptr;
  reader->size = reader->capacity = reader->next = 0;
}

// Makes room for at least wanted bytes; returns 0 when memory runs out.
static int Reserve(LineReader* reader, std::size_t wanted) {
  if (wanted <= reader->capacity) return 1;
  std::size_t capacity = reader->capacity < 65536 ? 65536 : reader->capacity;
  while (capacity < wanted) {
    if (capacity > SIZE_MAX / 2) return 0;
    capacity *= 2;
  }
  char* grown = static_cast<char*>(std::realloc(reader->data, capacity));
  if (grown == nullptr) return 0;
  reader->data = grown;
  reader->capacity = capacity;
  return 1;
}

int OpenLineReader(LineReader* reader, std::FILE* file) {
  CloseLineReader(reader);
  reader->file = file;
  // Room for the whole file at once where its size is known.
  if (tamrel_fseek(file, 0, SEEK_END) == 0) {
    long long length = tamrel_ftell(file);
    if (length > 0 && !Reserve(reader, static_cast<std::size_t>(length) + 1)) return 0;
  }
  if (tamrel_fseek(file, 0, SEEK_SET) != 0) return 0;
  for (;;) {
    if (reader->capacity - reader->size < 4096 && !Reserve(reader, reader->size + 65536)) break;
    std::size_t got = std::fread(reader->data + reader->size, 1, reader->capacity - reader->size, file);
    reader->size += got;
    if (got == 0) {
      if (std::ferror(file)) break;
      return 1;
    }
  }
  CloseLineReader(reader);
  return 0;
}

std::FILE* OpenInputReader(LineReader* reader, const char* path, const char* mode) {
  std::FILE* file = OpenInputFile(path, mode);
  if (file != nullptr && !OpenLineReader(reader, file)) {
    // A read error, or a file larger than the memory we can have.
    int error_number = std::ferror(file) ? EIO : EFBIG;
    std::fclose(file);
    errno = error_number;
    return nullptr;
  }
  return file;
}

std::size_t ReadLine(LineReader* reader, char* line) {
  const std::size_t limit = LINE_SIZE - 1;
  const char* from = reader->data + reader->next;
  std::size_t room = std::min(reader->size - reader->next, limit);
  if (room == 0) {
    line[0] = '\0';
    return 0;
  }
  const char* feed = static_cast<const char*>(std::memchr(from, '\n', room));
  std::size_t count = feed != nullptr ? static_cast<std::size_t>(feed - from) + 1 : room;
  std::memcpy(line, from, count);
  reader->next += count;
  if (feed != nullptr && count >= 2 && line[count - 2] == '\r') {
    // CR LF reads as LF.
    line[count - 2] = '\n';
    count--;
  } else if (count == limit && line[count - 1] == '\r' && reader->next < reader->size &&
             reader->data[reader->next] == '\n') {
    // A CR as the last character that fits, with its LF next, reads as
    // that LF: the line holds what it would hold without the CR.
    line[count - 1] = '\n';
    reader->next++;
  }
  line[count] = '\0';
  return count;
}

LinePosition SaveLinePosition(const LineReader* reader) {
  return LinePosition{static_cast<long long>(reader->next)};
}

void RestoreLinePosition(LineReader* reader, LinePosition position) {
  std::size_t offset = position.offset < 0 ? 0 : static_cast<std::size_t>(position.offset);
  reader->next = offset < reader->size ? offset : reader->size;
}

void RewindLines(LineReader* reader) { reader->next = 0; }

void AppendLine(LineReader* reader, const char* text, std::size_t length) {
#ifdef _WIN32
  // The file is binary: write the host's line end, as text mode would.
  for (std::size_t i = 0; i < length; i++) {
    if (text[i] == '\n') std::fputc('\r', reader->file);
    std::fputc(text[i], reader->file);
  }
#else
  std::fwrite(text, 1, length, reader->file);
#endif
  // The copy in memory keeps the line feed alone; it reads the same as the
  // file would, since a CR before LF is never delivered.
  if (Reserve(reader, reader->size + length)) {
    std::memcpy(reader->data + reader->size, text, length);
    reader->size += length;
  }
  reader->next = reader->size;
}

void WriteLine(std::FILE* out, const char* line, std::size_t length) {
  std::fwrite(line, 1, length, out);
}
