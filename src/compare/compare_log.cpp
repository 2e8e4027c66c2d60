#include "compare/compare_log.h"

static const char* RuleLabel(EntryGroup rule) {
  switch (rule) {
    case GROUP_ARTICLE: return "ARTICLE ";
    case GROUP_BOOK: return "BOOK    ";
    case GROUP_MISC: return "MISC    ";
    // Only the BibTeX reader's rules let a type without a rule match: by
    // its DOI or by the same type and fields.
    default: return "OTHER   ";
  }
}

void WriteMatchLine(std::FILE* log, EntryGroup rule, const entry_fields* candidate,
                    const entry_fields* entry, int same_key) {
  if (same_key) {
    std::fprintf(log, "%s- Exactly the same : %s\n", RuleLabel(rule), entry->key.c_str());
  } else {
    std::fprintf(log, "%s- Probably the same : %s, %s\n", RuleLabel(rule),
                 candidate->key.c_str(), entry->key.c_str());
  }
}

void WriteMatchWhy(std::FILE* log, MatchReason reason, const entry_fields* candidate,
                   const entry_fields* entry, int same_key) {
  if (!same_key) std::fprintf(log, "          decided by: %s\n", MatchReasonText(reason));
  if (same_key && candidate->key != entry->key) {
    std::fprintf(log, "          key in another letter case: %s in the master\n", candidate->key.c_str());
  }
}

void WriteMissingLine(std::FILE* log, const char* key) {
  std::fprintf(log, "\n----    - Missing : %s\n\n", key);
}
