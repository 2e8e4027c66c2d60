#include "typeset/styles.h"

#include <cstring>

namespace {

// The registry: the command line lists the styles in this order.
const JournalStyleInfo kStyles[] = {
    {"aps", "American Physical Society", NAMES_GIVEN_FIRST, WriteApsReference, 1},
    {"acs", "American Chemical Society", NAMES_SURNAME_FIRST, WriteAcsReference, 0},
    {"iop", "Institute of Physics", NAMES_SURNAME_INITIALS, WriteIopReference, 2},
};

int SameOption(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; a++, b++) {
    char x = (*a >= 'A' && *a <= 'Z') ? static_cast<char>(*a + 32) : *a;
    if (x != *b) return 0;
  }
  return *a == *b;
}

}  // namespace

int StyleCount() { return static_cast<int>(sizeof kStyles / sizeof kStyles[0]); }

const JournalStyleInfo* StyleAt(int index) {
  return index >= 0 && index < StyleCount() ? &kStyles[index] : nullptr;
}

const JournalStyleInfo* StyleByOption(const char* name) {
  for (const JournalStyleInfo& style : kStyles) {
    if (SameOption(name, style.option)) return &style;
  }
  return nullptr;
}
