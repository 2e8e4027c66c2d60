#include "match/first_positions.h"

static int g_indexed_scans = 1;

void SetIndexedScans(int on) { g_indexed_scans = on; }

int IndexedScans() { return g_indexed_scans; }

void FirstPositions::Lower(const std::string& text, EntryPlace* earliest) const {
  auto it = first_.find(text);
  if (it != first_.end() && it->second.offset < earliest->offset) *earliest = it->second;
}
