#include "typeset/styles.h"

#include "text/ascii_case.h"

namespace {

// The registry: the command line lists the styles in this order.
const JournalStyleInfo kStyles[] = {
    {"aps", "American Physical Society", NAMES_GIVEN_FIRST, WriteApsReference, 1},
    {"acs", "American Chemical Society", NAMES_SURNAME_FIRST, WriteAcsReference, 0},
    {"iop", "Institute of Physics", NAMES_SURNAME_INITIALS, WriteIopReference, 2},
};

}  // namespace

int StyleCount() { return static_cast<int>(sizeof kStyles / sizeof kStyles[0]); }

const JournalStyleInfo* StyleAt(int index) {
  return index >= 0 && index < StyleCount() ? &kStyles[index] : nullptr;
}

const JournalStyleInfo* StyleByOption(const char* name) {
  for (const JournalStyleInfo& style : kStyles) {
    if (SameIgnoringCase(name, style.option)) return &style;
  }
  return nullptr;
}
