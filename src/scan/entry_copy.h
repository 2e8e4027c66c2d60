// Copying one entry a second time from where it starts.  Under the line
// rules an operation holds an entry by its summary and the place of its
// first line, not by its text: to write the entry it goes back to that
// place in the reader's copy of the file and hands on its lines again,
// exactly as the file holds them.
#ifndef TAMREL_SCAN_ENTRY_COPY_H
#define TAMREL_SCAN_ENTRY_COPY_H

#include <cstddef>
#include <cstdio>

#include "scan/line_reader.h"

// Room for a line as read and for what giving an entry a new key adds to
// its first line ("_" and up to seven letters), with margin.
constexpr int COPY_LINE_SIZE = LINE_SIZE + 16;

// Receives each line of an entry being copied, in a buffer of
// COPY_LINE_SIZE bytes holding length characters and a NUL.  It may change
// the line in place, within that buffer, before writing it.
typedef void (*EntryLineWriter)(void* context, char* line, std::size_t length);

// Restores input to start and hands the lines from there to write, up to
// and including the first line whose first character is "}" (as the line
// stands after write has seen it).  Only that brace ends the copy, even on
// a line that holds a field name: JabRef closes every entry with a "}" at
// the start of a line.  Returns 1 when such a line ended the copy, 0 when
// the file ended first.  The reader then stands after the last line read.
int CopyEntryLines(LineReader* input, LinePosition start, EntryLineWriter write,
                   void* context);

// The common case: every line written unchanged to a text-mode output.
int CopyEntryToFile(LineReader* input, LinePosition start, std::FILE* output);

#endif
