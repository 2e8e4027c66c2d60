#include "clean/cleaned_index.h"

#include "clean/decision.h"
#include "match/match_rules.h"

namespace {
const EntryGroup kCleanGroups[] = {GROUP_NONE, GROUP_BOOK, GROUP_ARTICLE};
}

void CleanedFileIndex::Reset() {
  by_key_.Clear();
  by_text_.Clear();
}

// An entry decides about current when it has current's key, or when it may
// stand for an entry of current's group under another key and shares one of
// the texts the group's rule matches by.
void CleanedFileIndex::Note(const entry_fields& entry, EntryPlace place) {
  by_key_.Note(KeyText(entry.key), place);
  for (EntryGroup group : kCleanGroups) {
    if (!CleanCompares(group, rules_) || !MayStandForOtherKey(group, entry, rules_)) continue;
    MatchTexts(group, entry, rules_, &texts_);
    for (std::uint64_t text : texts_) by_text_.Note(text, place);
  }
}

void CleanedFileIndex::PossibleCandidates(const entry_fields& current, EntryGroup group,
                                          std::vector<EntryPlace>* places) {
  MatchTexts(group, current, rules_, &texts_);
  places->clear();
  by_text_.Collect(texts_, places);
  WithKey(current, places);
}

void CleanedFileIndex::WithKey(const entry_fields& current, std::vector<EntryPlace>* places) const {
  std::vector<std::uint64_t> key(1, KeyText(current.key));
  by_key_.Collect(key, places);
}

PlacesByText::Cursor CleanedFileIndex::KeyInOrder(const std::string& key) const {
  return by_key_.InOrder(std::vector<std::uint64_t>(1, KeyText(key)));
}

PlacesByText::Cursor CleanedFileIndex::WorkInOrder(const entry_fields& current, EntryGroup group) {
  MatchTexts(group, current, rules_, &texts_);
  return by_text_.InOrder(texts_);
}
