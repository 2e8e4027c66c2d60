#include "match/places_by_text.h"

#include <algorithm>

void PlacesByText::Clear() {
  slots_.clear();
  used_ = 0;
  nodes_.clear();
}

static std::uint32_t CheckOf(std::uint64_t text) { return static_cast<std::uint32_t>(text >> 32); }

// A slot holds text when its high half is the slot's check and its low
// half that of the slot's nodes: each slot holds one text, whole, so that
// Grow can move it.
std::size_t PlacesByText::SlotOf(std::uint64_t text) const {
  std::size_t mask = slots_.size() - 1;
  std::size_t i = static_cast<std::size_t>(text) & mask;
  std::uint32_t check = CheckOf(text);
  std::uint32_t low = static_cast<std::uint32_t>(text);
  while (slots_[i].last != kNone &&
         (slots_[i].check != check || nodes_[slots_[i].last].text_low != low)) {
    i = (i + 1) & mask;
  }
  return i;
}

// Doubles the table, moving each text to the slot its hash chooses there:
// the slot keeps the hash's high half and its nodes the low half.
void PlacesByText::Grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.resize(old.empty() ? 1024 : old.size() * 2);
  for (const Slot& slot : old) {
    if (slot.last == kNone) continue;
    std::uint64_t text = (static_cast<std::uint64_t>(slot.check) << 32) | nodes_[slot.last].text_low;
    slots_[SlotOf(text)] = slot;
  }
}

void PlacesByText::Note(std::uint64_t text, EntryPlace place) {
  if (2 * (used_ + 1) > slots_.size()) Grow();
  Slot& slot = slots_[SlotOf(text)];
  if (slot.last != kNone && nodes_[slot.last].place.offset == place.offset) {
    return;  // an entry noted twice under one text (two of its texts alike) counts once
  }
  if (slot.last == kNone) {
    slot.check = CheckOf(text);
    used_++;
  }
  nodes_.push_back(Node{place, slot.last, static_cast<std::uint32_t>(text)});
  slot.last = static_cast<std::uint32_t>(nodes_.size() - 1);
}

void PlacesByText::Collect(const std::vector<std::uint64_t>& texts,
                           std::vector<EntryPlace>* places) const {
  for (std::uint64_t text : texts) {
    if (slots_.empty()) break;
    const Slot& slot = slots_[SlotOf(text)];
    for (std::uint32_t n = slot.last; n != kNone; n = nodes_[n].before) places->push_back(nodes_[n].place);
  }
  SortPlaces(places);
}

void SortPlaces(std::vector<EntryPlace>* places) {
  std::sort(places->begin(), places->end(),
            [](EntryPlace a, EntryPlace b) { return a.offset < b.offset; });
  places->erase(std::unique(places->begin(), places->end(),
                            [](EntryPlace a, EntryPlace b) { return a.offset == b.offset; }),
                places->end());
}
