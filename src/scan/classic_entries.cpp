#include "scan/classic_entries.h"

// Reads lines until one opens an entry; with whole_only, stops before a
// last line that has no line feed yet.  Returns the line's length, or 0.
static std::size_t FindEntryLine(LineReader* reader, MarkerSet markers, int whole_only,
                                 char* line, LinePosition* start) {
  for (;;) {
    *start = SaveLinePosition(reader);
    std::size_t length = ReadLine(reader, line);
    if (length == 0) return 0;
    if (whole_only && !IsWholeLine(line, length)) {
      RestoreLinePosition(reader, *start);
      return 0;
    }
    if (HoldsEntryMarker(line, markers)) return length;
  }
}

int ClassicEntries::ReadNext(int whole_only, entry_fields* fields, EntryPlace* place) {
  char line[LINE_SIZE];
  LinePosition start;
  if (FindEntryLine(reader_, markers_, whole_only, line, &start) == 0) return 0;
  place->offset = start.offset;
  last_closed_ = ReadEntrySummary(reader_, line, fields, words_);
  return 1;
}

int ClassicEntries::NextEntry(entry_fields* fields, EntryPlace* place) {
  return ReadNext(0, fields, place);
}

int ClassicEntries::NextWholeEntry(entry_fields* fields, EntryPlace* place) {
  return ReadNext(1, fields, place);
}

int ClassicEntries::CopyEntry(EntryPlace place, std::FILE* out) {
  return CopyEntryToFile(reader_, LinePosition{place.offset}, out);
}

int ClassicEntries::CopyEntryThrough(EntryPlace place, EntryLineWriter write, void* context) {
  return CopyEntryLines(reader_, LinePosition{place.offset}, write, context);
}
