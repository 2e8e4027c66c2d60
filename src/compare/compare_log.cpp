#include "compare/compare_log.h"

#include <cstring>

static const char* RuleLabel(EntryGroup rule) {
  switch (rule) {
    case GROUP_ARTICLE: return "ARTICLE ";
    case GROUP_BOOK: return "BOOK    ";
    default: return "MISC    ";
  }
}

void WriteMatchLine(std::FILE* log, EntryGroup rule, const entry_fields* candidate,
                    const entry_fields* entry) {
  if (std::strcmp(candidate->key, entry->key) == 0) {
    std::fprintf(log, "%s- Exactly the same : %s\n", RuleLabel(rule), entry->key);
  } else {
    std::fprintf(log, "%s- Probably the same : %s, %s\n", RuleLabel(rule), candidate->key,
                 entry->key);
  }
}

void WriteMissingLine(std::FILE* log, const char* key) {
  std::fprintf(log, "\n----    - Missing : %s\n\n", key);
}
