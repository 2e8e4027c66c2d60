#include "clean/clean_log.h"

static void WriteBookLines(std::FILE* log, const entry_fields* current,
                           const entry_fields* candidate) {
  std::fprintf(log, "     1.: Author: %s Title: %s \n", current->author.c_str(), current->title.c_str());
  std::fprintf(log, "     2.: Author: %s Title: %s \n", candidate->author.c_str(), candidate->title.c_str());
}

static void WriteArticleLines(std::FILE* log, const entry_fields* current,
                              const entry_fields* candidate) {
  std::fprintf(log, "     1.: Journal: %s Volume: %s Year: %s Pages: %s\n", current->journal.c_str(),
               current->volume.c_str(), current->year.c_str(), current->pages.c_str());
  std::fprintf(log, "     2.: Journal: %s Volume: %s Year: %s Pages: %s\n", candidate->journal.c_str(),
               candidate->volume.c_str(), candidate->year.c_str(), candidate->pages.c_str());
}

void WriteDoubleBlock(std::FILE* log, CleanOutcome outcome, EntryGroup group, MatchReason reason,
                      const entry_fields* current, const entry_fields* candidate) {
  if (outcome == CLEAN_EXACT_DOUBLE) {
    std::fprintf(log, "Exactly the same : %s and %s\n", current->key.c_str(), candidate->key.c_str());
  } else {
    std::fprintf(log, "Probably the same: %s %s\n", current->key.c_str(), candidate->key.c_str());
  }
  if (group == GROUP_BOOK) {
    WriteBookLines(log, current, candidate);
  } else {
    WriteArticleLines(log, current, candidate);
  }
  if (reason != REASON_NONE) std::fprintf(log, "     Decided by: %s\n", MatchReasonText(reason));
  if (outcome == CLEAN_EXACT_DOUBLE) {
    std::fprintf(log, "     One BibTeX entry stays\n\n");
  } else {
    std::fprintf(log, "     Bibitem %s stays, item %s out\n\n", candidate->key.c_str(), current->key.c_str());
  }
}

void WriteFlagLine(std::FILE* log, EntryGroup group, const entry_fields* current,
                   const entry_fields* candidate) {
  std::fprintf(log, "............. %d-DOUBLE-FLAG set: %s and %s\n",
               group == GROUP_BOOK ? 1 : 2, current->key.c_str(), candidate->key.c_str());
}

void WriteRenamingBlock(std::FILE* log, const entry_fields* current,
                        const entry_fields* candidate, const char* new_key) {
  std::fprintf(log, "Two identical bibitems (%s and %s) were found with different content:\n",
               current->key.c_str(), candidate->key.c_str());
  WriteArticleLines(log, current, candidate);
  std::fprintf(log, "     New name for bibitem No.1: from %s to ", current->key.c_str());
  std::fprintf(log, "%s\n\n", new_key);
}

void WriteClosingMessage(std::FILE* log, int not_written, const char* input_path,
                         const char* cleaned_path) {
  std::fprintf(log,
               "\n\n\n%d BibTeX entries from the BibTeX file\n    '%s'\n"
               "were not written into the new BibTeX file\n    '%s'.",
               not_written, input_path, cleaned_path);
}
