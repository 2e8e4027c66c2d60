// The line rules' reading of one entry for compare and clean doubles: key
// and type from its first line, and one line's worth of each field value
// they compare.  Both operations read their summaries here, so an entry is
// understood the same way in the master, the second file, the input and
// the cleaned file.
#ifndef TAMREL_SCAN_ENTRY_SUMMARY_H
#define TAMREL_SCAN_ENTRY_SUMMARY_H

#include "entry/entry_record.h"
#include "scan/line_reader.h"

enum SummaryWords {
  WORDS_WITHOUT_NOTE,  // clean doubles: journal year pages volume author title
  WORDS_WITH_NOTE      // compare: the same words, then note
};

// Fills fields (every value at most one line; pages cut before its first
// "-"; note read by compare only) from an entry whose first line has just been read from
// input.  Reads the lines after it: the first field word a line holds (in
// the order above, as a substring anywhere) names the value the line sets,
// the later line winning.  A line that holds none of the words and begins
// with "}" ends the entry; so does the end of the file.  The reader then
// stands after that line.  Returns 1 when a whole closing line ended the
// entry, 0 when the file ended first (or its last line, without line feed,
// closed it): in a file that still grows, such an entry may yet change.
int ReadEntrySummary(LineReader* input, const char* first_line, entry_fields* fields,
                     SummaryWords words);

#endif
