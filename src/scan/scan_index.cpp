#include "scan/scan_index.h"

static int g_indexed_scans = 1;

void SetIndexedScans(int on) { g_indexed_scans = on; }

int IndexedScans() { return g_indexed_scans; }

int FirstPositions::Lower(const std::string& text, LinePosition* earliest, int* found) const {
  auto it = first_.find(text);
  if (it == first_.end()) return 0;
  if (!*found || it->second.offset < earliest->offset) *earliest = it->second;
  *found = 1;
  return 1;
}

static std::string Joined(const char* const* values, int count) {
  std::string text;
  for (int i = 0; i < count; i++) {
    if (i > 0) text.push_back('\0');
    text += values[i];
  }
  return text;
}

std::string BookValuesText(const entry_fields* fields) {
  const char* values[] = {fields->author, fields->title};
  return Joined(values, 2);
}

std::string ArticleValuesText(const entry_fields* fields) {
  const char* values[] = {fields->volume, fields->pages, fields->journal, fields->year};
  return Joined(values, 4);
}
