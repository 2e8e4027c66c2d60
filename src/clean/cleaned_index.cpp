#include "clean/cleaned_index.h"

#include <cstring>

#include "scan/markers.h"

void CleanedFileIndex::Reset() {
  by_key_.Clear();
  by_book_values_.Clear();
  by_article_values_.Clear();
  unread_ = LinePosition{0};
}

void CleanedFileIndex::Refresh(LineReader* cleaned, entry_fields* scratch) {
  char line[LINE_SIZE];
  RestoreLinePosition(cleaned, unread_);
  for (;;) {
    LinePosition position = SaveLinePosition(cleaned);
    std::size_t length = ReadLine(cleaned, line);
    // The end of the file, or its last line still without a line feed:
    // what is appended next continues from here.
    if (length == 0 || !IsWholeLine(line, length)) {
      unread_ = position;
      return;
    }
    if (!HoldsEntryMarker(line, MARKERS_SIX)) continue;
    if (!ReadEntrySummary(cleaned, line, scratch, WORDS_WITHOUT_NOTE)) {
      unread_ = position;
      return;
    }
    by_key_.Note(scratch->key, position);
    by_book_values_.Note(BookValuesText(scratch), position);
    if (std::strcmp(scratch->type, "ARTICLE") == 0) {
      by_article_values_.Note(ArticleValuesText(scratch), position);
    }
  }
}

// An entry decides about current when it has current's key, or (for a
// BOOK-group entry) the same author and title whatever its type, or (for
// an ARTICLE) the same four values and the type ARTICLE.
LinePosition CleanedFileIndex::FirstPossibleCandidate(const entry_fields* current,
                                                      EntryGroup group) const {
  LinePosition earliest = unread_;
  int found = 0;
  by_key_.Lower(current->key, &earliest, &found);
  if (group == GROUP_BOOK) by_book_values_.Lower(BookValuesText(current), &earliest, &found);
  if (group == GROUP_ARTICLE) by_article_values_.Lower(ArticleValuesText(current), &earliest, &found);
  return earliest;
}
