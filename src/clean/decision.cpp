#include "clean/decision.h"

#include <cstring>

EntryGroup CleanGroupOf(const entry_fields* current) {
  EntryGroup group = GroupOfType(current->type);
  return group == GROUP_MISC ? GROUP_NONE : group;
}

// Only the current entry's type is looked at, with one exception: a
// probable ARTICLE double must itself be an ARTICLE.  A BOOK-group entry
// repeats any candidate with its author and title, whatever its type.
CleanOutcome DecideAgainst(const entry_fields* current, const entry_fields* candidate,
                           EntryGroup group) {
  if (group != GROUP_BOOK && group != GROUP_ARTICLE) return CLEAN_GO_ON;
  int same_values = group == GROUP_BOOK ? SameBookValues(current, candidate)
                                        : SameArticleValues(current, candidate);
  if (std::strcmp(current->key, candidate->key) == 0) {
    return same_values ? CLEAN_EXACT_DOUBLE : CLEAN_KEY_CONFLICT;
  }
  if (!same_values) return CLEAN_GO_ON;
  if (group == GROUP_ARTICLE && std::strcmp(candidate->type, "ARTICLE") != 0) return CLEAN_GO_ON;
  return CLEAN_PROBABLE_DOUBLE;
}
