#include "clean/cleaned_index.h"

#include "clean/decision.h"
#include "match/match_rules.h"

namespace {
const EntryGroup kCleanGroups[] = {GROUP_NONE, GROUP_BOOK, GROUP_ARTICLE};
}

void CleanedFileIndex::Reset() {
  by_key_.Clear();
  by_text_.Clear();
  texts_kept_ = false;
}

// An entry is noted by one key and, under the BibTeX reader's rules, by
// about four texts (an article three or four, a book seven).
void CleanedFileIndex::Reserve(std::size_t entries) {
  by_key_.Reserve(entries);
  by_text_.Reserve(rules_ == RULES_PARSED ? 4 * entries : entries);
}

const std::vector<std::uint64_t>& CleanedFileIndex::TextsOf(const entry_fields& entry, EntryGroup group,
                                                             TextUse use) {
  if (rules_ != RULES_PARSED) {
    MatchTexts(group, entry, rules_, use, &noted_);
    return noted_;
  }
  if (!texts_kept_ || entry.content != texts_content_) {
    MatchTexts(group, entry, rules_, &noted_, &sought_);
    texts_content_ = entry.content;
    texts_kept_ = true;
  }
  return use == TEXTS_NOTED ? noted_ : sought_;
}

// An entry decides about current when it has current's key, or when it may
// stand for an entry of current's group under another key and shares one of
// the texts the group's rule matches by.
void CleanedFileIndex::Note(const entry_fields& entry, EntryPlace place) {
  by_key_.Note(KeyText(entry.key), place);
  for (EntryGroup group : kCleanGroups) {
    if (!CleanCompares(group, rules_) || !MayStandForOtherKey(group, entry, rules_)) continue;
    for (std::uint64_t text : TextsOf(entry, group, TEXTS_NOTED)) by_text_.Note(text, place);
    // The BibTeX reader's texts are the entry's own, whatever the group.
    if (rules_ == RULES_PARSED) break;
  }
}

void CleanedFileIndex::PossibleCandidates(const entry_fields& current, EntryGroup group,
                                          std::vector<EntryPlace>* places) {
  places->clear();
  by_text_.Collect(TextsOf(current, group, TEXTS_SOUGHT), places);
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
  return by_text_.InOrder(TextsOf(current, group, TEXTS_SOUGHT));
}
