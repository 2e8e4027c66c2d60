#include "match/places_by_text.h"

#include <algorithm>
#include <functional>

static int g_indexed_scans = 1;

void SetIndexedScans(int on) { g_indexed_scans = on; }

int IndexedScans() { return g_indexed_scans; }

static std::uint64_t HashOf(const std::string& text) {
  return static_cast<std::uint64_t>(std::hash<std::string>{}(text));
}

void PlacesByText::Note(const std::string& text, EntryPlace place) {
  std::vector<EntryPlace>& places = places_[HashOf(text)];
  // An entry noted twice under one text (two of its texts alike) counts once.
  if (places.empty() || places.back().offset != place.offset) places.push_back(place);
}

void PlacesByText::Collect(const std::vector<std::string>& texts,
                           std::vector<EntryPlace>* places) const {
  for (const std::string& text : texts) {
    auto it = places_.find(HashOf(text));
    if (it != places_.end()) places->insert(places->end(), it->second.begin(), it->second.end());
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
