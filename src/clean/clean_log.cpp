#include "clean/clean_log.h"

static void WriteBookLines(std::FILE* log, const entry_fields* current,
                           const entry_fields* candidate) {
  std::fprintf(log, "     1.: Author: %s Title: %s \n", current->author, current->title);
  std::fprintf(log, "     2.: Author: %s Title: %s \n", candidate->author, candidate->title);
}

static void WriteArticleLines(std::FILE* log, const entry_fields* current,
                              const entry_fields* candidate) {
  std::fprintf(log, "     1.: Journal: %s Volume: %s Year: %s Pages: %s\n", current->journal,
               current->volume, current->year, current->pages);
  std::fprintf(log, "     2.: Journal: %s Volume: %s Year: %s Pages: %s\n", candidate->journal,
               candidate->volume, candidate->year, candidate->pages);
}

void WriteDoubleBlock(std::FILE* log, CleanOutcome outcome, EntryGroup group,
                      const entry_fields* current, const entry_fields* candidate) {
  if (outcome == CLEAN_EXACT_DOUBLE) {
    std::fprintf(log, "Exactly the same : %s and %s\n", current->key, candidate->key);
  } else {
    std::fprintf(log, "Probably the same: %s %s\n", current->key, candidate->key);
  }
  if (group == GROUP_BOOK) {
    WriteBookLines(log, current, candidate);
  } else {
    WriteArticleLines(log, current, candidate);
  }
  if (outcome == CLEAN_EXACT_DOUBLE) {
    std::fprintf(log, "     One BibTeX entry stays\n\n");
  } else {
    std::fprintf(log, "     Bibitem %s stays, item %s out\n\n", candidate->key, current->key);
  }
}

void WriteFlagLine(std::FILE* log, EntryGroup group, const entry_fields* current,
                   const entry_fields* candidate) {
  std::fprintf(log, "............. %d-DOUBLE-FLAG set: %s and %s\n",
               group == GROUP_BOOK ? 1 : 2, current->key, candidate->key);
}

void WriteRenamingBlock(std::FILE* log, const entry_fields* current,
                        const entry_fields* candidate, const char* new_key) {
  std::fprintf(log, "Two identical bibitems (%s and %s) were found with different content:\n",
               current->key, candidate->key);
  WriteArticleLines(log, current, candidate);
  std::fprintf(log, "     New name for bibitem No.1: from %s to ", current->key);
  std::fprintf(log, "%s\n\n", new_key);
}

void WriteClosingMessage(std::FILE* log, int not_written, const char* input_path,
                         const char* cleaned_path) {
  std::fprintf(log,
               "\n\n\n%d BibTeX entries from the BibTeX file\n    '%s'\n"
               "were not written into the new BibTeX file\n    '%s'.",
               not_written, input_path, cleaned_path);
}
