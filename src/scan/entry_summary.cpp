#include "scan/entry_summary.h"

#include <cstring>

#include "scan/primitives.h"

namespace {

// Tested in this order; the first word a line holds wins the line, so a
// title line that mentions "year" sets the year.
const char* const kWords[] = {"journal", "year", "pages", "volume", "author", "title", "note"};

std::string* ValueFor(entry_fields* fields, int index) {
  switch (index) {
    case 0: return &fields->journal;
    case 1: return &fields->year;
    case 2: return &fields->pages;
    case 3: return &fields->volume;
    case 4: return &fields->author;
    case 5: return &fields->title;
    default: return &fields->note;
  }
}

}  // namespace

int ReadEntrySummary(LineReader* input, const char* first_line, entry_fields* fields,
                     SummaryWords words) {
  char text[LINE_SIZE];
  FindBibTag(first_line, text, "{", ",");
  fields->key = text;
  FindBibTag(first_line, text, "@", "{");
  fields->type = text;
  for (int i = 0; i < 7; i++) ValueFor(fields, i)->clear();
  fields->doi.clear();
  fields->content = TextDigest();

  int word_count = words == WORDS_WITH_NOTE ? 7 : 6;
  char line[LINE_SIZE];
  std::size_t length;
  while ((length = ReadLine(input, line)) > 0) {
    int found = -1;
    for (int i = 0; i < word_count && found < 0; i++) {
      if (std::strstr(line, kWords[i]) != nullptr) found = i;
    }
    if (found >= 0) {
      FindBibTag(line, text, "{", "}");
      if (found == 2) CutToFirstPage(text);
      *ValueFor(fields, found) = text;
    } else if (line[0] == '}') {
      return IsWholeLine(line, length);
    }
  }
  return 0;
}
