// The cleaned file as an index of itself, kept up to date while it grows.
#ifndef TAMREL_CLEAN_CLEANED_INDEX_H
#define TAMREL_CLEAN_CLEANED_INDEX_H

#include <cstdint>
#include <string>
#include <vector>

#include "entry/entry_record.h"
#include "library/cleaned_file.h"
#include "match/entry_group.h"
#include "match/match_rules.h"
#include "match/places_by_text.h"

// Remembers, for the entries of the cleaned file noted so far, where the
// entries with each key stand, and the entries that may decide about an
// entry of each group by each text the rules match by.  The scan for a new
// entry then reads only those entries, and the ones not noted yet, instead
// of the whole file.
class CleanedFileIndex : public EntryNotes {
 public:
  explicit CleanedFileIndex(MatchRules rules) : rules_(rules) {}

  // Forgets everything: the cleaned file is empty again.
  void Reset();

  // Makes room for about `entries` entries at once.
  void Reserve(std::size_t entries);

  // Notes the entry of the cleaned file that starts at place.
  void Note(const entry_fields& entry, EntryPlace place) override;

  // The noted entries that may decide about current (of the given group),
  // in file order: those with its key or one of its texts.  No other noted
  // entry decides about it.
  void PossibleCandidates(const entry_fields& current, EntryGroup group,
                          std::vector<EntryPlace>* places);

  // The noted entries with current's key, in file order.
  void WithKey(const entry_fields& current, std::vector<EntryPlace>* places) const;

  // The noted entries with key (in any letter case), in file order, read
  // lazily: the first is all a key's holder needs.
  PlacesByText::Cursor KeyInOrder(const std::string& key) const;

  // The noted entries under another key that may be the same work as
  // current, in file order, read lazily.
  PlacesByText::Cursor WorkInOrder(const entry_fields& current, EntryGroup group);

 private:
  // The entry's texts under the group's rule.  The BibTeX reader's texts
  // are the same for every group, and both sets are kept for the last entry
  // asked about: an entry is sought, kept, and then noted, and a lookup of
  // one group after another asks again.
  const std::vector<std::uint64_t>& TextsOf(const entry_fields& entry, EntryGroup group, TextUse use);

  MatchRules rules_;
  PlacesByText by_key_;
  PlacesByText by_text_;
  std::vector<std::uint64_t> noted_;   // the line rules: the texts last asked for
  std::vector<std::uint64_t> sought_;
  TextDigest texts_content_;  // whose texts noted_ and sought_ hold (parsed rules)
  bool texts_kept_ = false;
};

#endif
