#include "match/places_by_text.h"

#include <algorithm>

void PlacesByText::Clear() {
  slots_.clear();
  used_ = 0;
  nodes_.clear();
}

std::size_t PlacesByText::SlotOf(std::uint64_t text) const {
  std::size_t mask = slots_.size() - 1;
  std::size_t i = static_cast<std::size_t>(text) & mask;
  while (slots_[i].last != kNone && slots_[i].text != text) i = (i + 1) & mask;
  return i;
}

void PlacesByText::Reserve(std::size_t texts) {
  std::size_t size = slots_.empty() ? 1024 : slots_.size();
  while (size < 2 * texts) size *= 2;
  nodes_.reserve(texts);
  if (size != slots_.size()) Resize(size);
}

void PlacesByText::Grow() { Resize(slots_.empty() ? 1024 : slots_.size() * 2); }

// Makes the table size slots, moving each text to the slot its hash
// chooses there.
void PlacesByText::Resize(std::size_t size) {
  std::vector<Slot> old;
  old.swap(slots_);
  slots_.resize(size);
  for (const Slot& slot : old) {
    if (slot.last != kNone) slots_[SlotOf(slot.text)] = slot;
  }
}

void PlacesByText::Note(std::uint64_t text, EntryPlace place) {
  if (2 * (used_ + 1) > slots_.size()) Grow();
  Slot& slot = slots_[SlotOf(text)];
  if (slot.last != kNone && nodes_[slot.last].place.offset == place.offset) {
    return;  // an entry noted twice under one text (two of its texts alike) counts once
  }
  auto added = static_cast<std::uint32_t>(nodes_.size());
  nodes_.push_back(Node{place, kNone});
  if (slot.last == kNone) {
    slot.text = text;
    slot.first = added;
    used_++;
  } else {
    nodes_[slot.last].next = added;
  }
  slot.last = added;
}

std::uint32_t PlacesByText::FirstNode(std::uint64_t text) const {
  if (slots_.empty()) return kNone;
  const Slot& slot = slots_[SlotOf(text)];
  return slot.last == kNone ? kNone : slot.first;
}

void PlacesByText::Collect(const std::vector<std::uint64_t>& texts,
                           std::vector<EntryPlace>* places) const {
  for (std::uint64_t text : texts) {
    for (std::uint32_t n = FirstNode(text); n != kNone; n = nodes_[n].next) places->push_back(nodes_[n].place);
  }
  SortPlaces(places);
}

PlacesByText::Cursor PlacesByText::InOrder(const std::vector<std::uint64_t>& texts) const {
  Cursor cursor;
  cursor.index_ = this;
  for (std::uint64_t text : texts) {
    std::uint32_t first = FirstNode(text);
    if (first != kNone) cursor.heads_.push_back(first);
  }
  return cursor;
}

// A merge of the texts' chains: the earliest head is the next place; a
// place noted under several of the texts is given once.
int PlacesByText::Cursor::Next(EntryPlace* place) {
  const std::vector<Node>& nodes = index_->nodes_;
  for (;;) {
    std::size_t earliest = heads_.size();
    for (std::size_t i = 0; i < heads_.size(); i++) {
      if (heads_[i] == kNone) continue;
      if (earliest == heads_.size() ||
          nodes[heads_[i]].place.offset < nodes[heads_[earliest]].place.offset) {
        earliest = i;
      }
    }
    if (earliest == heads_.size()) return 0;
    const Node& node = nodes[heads_[earliest]];
    heads_[earliest] = node.next;
    if (node.place.offset == last_) continue;
    last_ = node.place.offset;
    *place = node.place;
    return 1;
  }
}

void SortPlaces(std::vector<EntryPlace>* places) {
  std::sort(places->begin(), places->end(),
            [](EntryPlace a, EntryPlace b) { return a.offset < b.offset; });
  places->erase(std::unique(places->begin(), places->end(),
                            [](EntryPlace a, EntryPlace b) { return a.offset == b.offset; }),
                places->end());
}
