// How the line rules read a file: whole into memory, then line by line
// (read a line, save a position, restore it, rewind).  Lines are delivered
// as the line rules expect them: at most 511 characters with the line feed
// kept, a longer physical line in pieces, and a carriage return
// before a line feed dropped on every host, so a file written with CR LF
// reads the same on Linux as on Windows.
#ifndef TAMREL_SCAN_LINE_READER_H
#define TAMREL_SCAN_LINE_READER_H

#include <cstddef>
#include <cstdio>

#include "files/input_file.h"

// Size of every line buffer: 511 characters and the terminating NUL.
constexpr int LINE_SIZE = 512;

// A place in a file, to come back to and read an entry a second time.
struct LinePosition {
  long long offset;
};

// Reads one file.  The reader holds the whole file in memory, so reading a
// line, saving a position and going back to it cost no call into the C
// library: an operation that reads an entry twice, or a file once per
// entry, reads the disk only once.  Positions are byte offsets.
struct LineReader {
  std::FILE* file = nullptr;  // where AppendLine writes
  char* data = nullptr;       // the file's bytes, and what was appended
  std::size_t size = 0;
  std::size_t capacity = 0;
  std::size_t next = 0;       // offset of the next byte to deliver

  LineReader() = default;
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;
  ~LineReader();
};

// Reads the whole open file, from its start, into the reader.  Returns 1,
// or 0 when the file cannot be read or does not fit in memory (the reader
// then holds nothing).
int OpenLineReader(LineReader* reader, std::FILE* file);

// Opens an input with OpenInputFile and reads it whole into the reader.
// Returns the open file, or NULL when it cannot be opened or read (a file
// too large for memory is refused like one that cannot be opened).
std::FILE* OpenInputReader(LineReader* reader, const char* path, const char* mode);

// Gives back the reader's memory; the file itself stays open.
void CloseLineReader(LineReader* reader);

// Reads the next line into line (LINE_SIZE bytes) and NUL-terminates it.
// Returns the number of characters stored, 0 at the end of the file.  The
// count lets callers copy a line that holds NUL bytes.
std::size_t ReadLine(LineReader* reader, char* line);

// 1 when a line as read ends in a line feed or fills a whole piece; 0 for
// the last line of a file that has no line feed, the one line that reads
// differently once more text is appended.
inline int IsWholeLine(const char* line, std::size_t length) {
  return length == static_cast<std::size_t>(LINE_SIZE - 1) || (length > 0 && line[length - 1] == '\n');
}

LinePosition SaveLinePosition(const LineReader* reader);
void RestoreLinePosition(LineReader* reader, LinePosition position);
void RewindLines(LineReader* reader);

// Appends text at the end of a file opened for update (and of the
// reader's copy of it), each line feed written as the host's line end;
// reading goes on at the new end.
void AppendLine(LineReader* reader, const char* text, std::size_t length);

// Writes a line exactly as it was read to an output file opened in text
// mode (which turns its line feed into the host's line end).
void WriteLine(std::FILE* out, const char* line, std::size_t length);

#endif
