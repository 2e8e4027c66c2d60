#include "match/places_by_text.h"

#include <algorithm>

static int g_indexed_scans = 1;

void SetIndexedScans(int on) { g_indexed_scans = on; }

int IndexedScans() { return g_indexed_scans; }

void PlacesByText::Clear() {
  slots_.clear();
  used_ = 0;
  nodes_.clear();
}

std::size_t PlacesByText::SlotOf(std::uint64_t text) const {
  std::size_t mask = slots_.size() - 1;
  std::size_t i = static_cast<std::size_t>(text) & mask;
  while (slots_[i].first != kNone && slots_[i].text != text) i = (i + 1) & mask;
  return i;
}

void PlacesByText::Grow() {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.resize(old.empty() ? 1024 : old.size() * 2);
  for (const Slot& slot : old) {
    if (slot.first != kNone) slots_[SlotOf(slot.text)] = slot;
  }
}

void PlacesByText::Note(std::uint64_t text, EntryPlace place) {
  if (2 * (used_ + 1) > slots_.size()) Grow();
  Slot& slot = slots_[SlotOf(text)];
  if (slot.first != kNone && nodes_[slot.last].place.offset == place.offset) {
    return;  // an entry noted twice under one text (two of its texts alike) counts once
  }
  std::uint32_t node = static_cast<std::uint32_t>(nodes_.size());
  nodes_.push_back(Node{place, kNone});
  if (slot.first == kNone) {
    slot.text = text;
    slot.first = node;
    used_++;
  } else {
    nodes_[slot.last].next = node;
  }
  slot.last = node;
}

void PlacesByText::Collect(const std::vector<std::uint64_t>& texts,
                           std::vector<EntryPlace>* places) const {
  for (std::uint64_t text : texts) {
    if (slots_.empty()) break;
    const Slot& slot = slots_[SlotOf(text)];
    for (std::uint32_t n = slot.first; n != kNone; n = nodes_[n].next) places->push_back(nodes_[n].place);
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
